#pragma once

#include "platform/context/AppContext.h"
#include "app/ui/DocumentController.h"
#include "app/ui/AppDelegate.h"
#include "logbook/Carnet.h"
#include "logbook/ui/CarnetListWindow.h"
#include "logbook/ui/DiveEditWindow.h"
#include "logbook/ui/DiveTableModel.h"
#include "platform/SettingsStore.h"
#include "logbook/Plongee.h"
#include "platform/ScriptedAlerts.h"
#include "support/ContextFixture.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QList>
#include <QString>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <memory>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

class QWidget;

// Presses and releases a key on a widget.
void pressKey(QWidget* widget, int key);

// The rows selected in the list window's view, in order.
QList<int> selectedRows(const CarnetListWindow* window);

// Types into a text field (or an editable combo box) as the keyboard does,
// replacing what it held, so that the window sees an edit by the diver.
void typeKeys(QWidget* widget, const QString& text);

// Runs the event loop until `done` holds or the time is up; whether it held.
bool waitFor(const std::function<bool()>& done, int timeoutMs = 5000);

// A document controller over the program context of a ContextFixture.
class ShellFixture : public ContextFixture {
public:
    // A dive with the fields the list shows.
    static Plongee dive(int number, const QString& place, float depth, int minutes);
    static QList<Plongee> dives(int count);

protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString& name) const { return dir.filePath(name); }

    // Writes a logbook file the way the program saves one.
    QString writeLogbook(const QString& name, const QList<Plongee>& dives) const;
    // The messages of the alerts asked so far.
    QStringList alertMessages() const;

    std::unique_ptr<MyDocumentController> controller;
};
