#include "ui/ShellFixture.h"

#include "logbook/LogbookArchive.h"
#include "logbook/ui/CarnetListWindow.h"
#include "platform/SafeSave.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QDateTime>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QTableView>
#include <QThread>

void typeKeys(QWidget* widget, const QString& text)
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(widget);
    if (auto* box = qobject_cast<QComboBox*>(widget))
        edit = box->lineEdit();
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(edit, &erase);
    for (const QChar c : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &key);
    }
}

void pressKey(QWidget* widget, int key)
{
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

QList<int> selectedRows(const CarnetListWindow* window)
{
    QList<int> rows;
    for (const QModelIndex& index : window->tableView()->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool waitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

void ShellFixture::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    ContextFixture::SetUp();
    controller = std::make_unique<MyDocumentController>(*context);
}

void ShellFixture::TearDown()
{
    controller.reset();
    context.reset();
}

Plongee ShellFixture::dive(int number, const QString& place, float depth, int minutes)
{
    Plongee d;
    d.setNoPlongee(number);
    d.setDate(QDateTime(QDate(2021, 6, number % 28 + 1), QTime(12, 0)));
    d.setHeure(QDateTime(QDate(2021, 6, number % 28 + 1), QTime(9, 5 + number % 50)));
    d.setLieu(place);
    d.setSite(QStringLiteral("Site %1").arg(number));
    d.setProfondeur(depth);
    d.setTemps(minutes);
    return d;
}

QList<Plongee> ShellFixture::dives(int count)
{
    QList<Plongee> list;
    for (int i = 1; i <= count; ++i)
        list.append(dive(i, QStringLiteral("Place %1").arg(i), 10.0f + float(i % 30) + 0.5f, 30 + i % 40));
    return list;
}

QString ShellFixture::writeLogbook(const QString& name, const QList<Plongee>& dives) const
{
    const QString file = path(name);
    const SaveResult saved = saveFileAtomically(file, *logbookarchive::encode(dives));
    EXPECT_TRUE(saved.ok) << saved.error.toStdString();
    return file;
}

QStringList ShellFixture::alertMessages() const
{
    QStringList messages;
    for (const Alert& alert : alerts.asked())
        messages.append(alert.message);
    return messages;
}
