#include "platform/ScriptedAlerts.h"

#include <utility>

int ScriptedAlerts::ask(const Alert& alert)
{
    m_asked.append(alert);
    if (m_log)
        m_log(QStringLiteral("alert: ") + alert.key);
    return m_answers.isEmpty() ? 0 : m_answers.dequeue();
}

void ScriptedAlerts::queueAnswer(int buttonIndex)
{
    m_answers.enqueue(buttonIndex);
}

void ScriptedAlerts::setLog(std::function<void(const QString&)> log)
{
    m_log = std::move(log);
}
