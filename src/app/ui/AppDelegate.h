#pragma once

#include "platform/ui/WindowTable.h"

class AppContext;

// The application's table of kept windows, with the memo registered, and
// the application-wide commands that every open logbook obeys.
class AppDelegate : public WindowTable {
    Q_OBJECT

public:
    explicit AppDelegate(AppContext& context, QObject* parent = nullptr);
    ~AppDelegate() override;

public slots:
    void showMemoWindow() { showWindow(memoCommand()); }
    // Posts "renumDives" with the sender: every open logbook brings its
    // renumber window forward.
    void sendRenumDivesNotification(QObject* sender = nullptr);

private:
    AppContext& m_context;
};
