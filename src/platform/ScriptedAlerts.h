#pragma once

#include "platform/AlertPresenter.h"

#include <QList>
#include <QQueue>
#include <QString>

#include <functional>

// Answers alerts without a screen: from a queue of prepared answers, or with
// the first button when the queue is empty. Keeps every alert it was asked,
// for tests and for the command-line tool.
class ScriptedAlerts : public AlertPresenter {
public:
    int ask(const Alert& alert) override;

    void queueAnswer(int buttonIndex);
    const QList<Alert>& asked() const { return m_asked; }
    // Called with "alert: KEY" for every alert asked.
    void setLog(std::function<void(const QString&)> log);

private:
    QQueue<int> m_answers;
    QList<Alert> m_asked;
    std::function<void(const QString&)> m_log;
};
