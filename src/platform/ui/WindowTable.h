#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>

// The program's kept windows (the memo, the calculators, the pick-list
// editors): each command names a window that is created on its first call
// and only brought forward afterwards, so its fields keep what the user left
// in them until the program quits. Documents reach these windows by command
// name, without knowing who registered them.
class WindowTable : public QObject {
    Q_OBJECT

public:
    using Factory = std::function<std::unique_ptr<QWidget>()>;

    // The memo's command, shown from the logbook's Window menu.
    static QString memoCommand() { return QStringLiteral("showPenseBeteWindow"); }

    explicit WindowTable(QObject* parent = nullptr);
    ~WindowTable() override;

    // Adds a command to the table; a command already there keeps its window
    // and takes the new factory for a window not created yet.
    void registerWindow(const QString& command, Factory factory);
    // Every command of the table, in registration order.
    QStringList commands() const { return m_order; }

    // Creates the command's window on the first call, then shows it and
    // brings it to front. Null for a command that is not in the table.
    QWidget* showWindow(const QString& command);
    // The command's window when it has been created, else null.
    QWidget* existingWindow(const QString& command) const;
    // Closes every kept window (they stay kept), for the end of the run.
    void closeWindows();

private:
    struct Entry {
        Factory factory;
        std::unique_ptr<QWidget> window;
    };

    std::map<QString, Entry> m_windows;
    QStringList m_order;
};
