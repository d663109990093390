#include "logbook/ui/ColumnLayout.h"

#include <algorithm>

ColumnLayout::ColumnLayout(QStringList columns) : m_order(std::move(columns)) {}

void ColumnLayout::remember()
{
    if (!m_remembered)
        m_remembered = m_order;
}

QStringList ColumnLayout::shown() const
{
    QStringList ids;
    for (const QString& id : m_order)
        if (!m_hidden.contains(id))
            ids.append(id);
    return ids;
}

void ColumnLayout::setVisible(const QString& id, bool visible)
{
    remember();
    if (!visible) {
        if (isShown(id))
            m_hidden.append(id);
        return;
    }
    if (!m_hidden.contains(id))
        return;
    const qsizetype index = m_remembered->lastIndexOf(id);
    if (index < 0)
        return;
    m_hidden.removeAll(id);
    const qsizetype shownCount = m_order.size() - m_hidden.size();
    const qsizetype target = shownCount < index ? m_order.size() - 1 : std::min(index, m_order.size() - 1);
    m_order.move(m_order.indexOf(id), target);
}

void ColumnLayout::setVisibility(const QList<std::pair<QString, bool>>& visibility)
{
    for (const auto& [id, visible] : visibility)
        setVisible(id, visible);
}

void ColumnLayout::moveTo(const QString& id, int position)
{
    const qsizetype from = m_order.indexOf(id);
    if (from < 0 || position < 0 || position >= m_order.size())
        return;
    m_order.move(from, position);
}
