#include "platform/RecordListDocument.h"

#include "platform/Alert.h"
#include "platform/AlertPresenter.h"
#include "platform/FileBytes.h"
#include "platform/Localizer.h"
#include "platform/TextFormat.h"
#include "platform/context/AppContext.h"
#include "platform/SortOrder.h"

#include <algorithm>

void RecordListDocument::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

bool RecordListDocument::confirmRemovingSelection(AppContext& context, const QString& key, const QString& oneKey,
                                                  const QString& countKey, const QString& fallback) const
{
    if (m_selectedRows.isEmpty())
        return false;
    const Localizer& loc = context.localizer();
    Alert alert;
    alert.key = key;
    alert.table = QStringLiteral("Main");
    const qsizetype count = m_selectedRows.size();
    alert.message = count == 1 ? loc.text(oneKey, alert.table, fallback)
                               : formatText(loc.text(countKey, alert.table, fallback), {int(count)});
    alert.buttons = {QStringLiteral("OK"), loc.text(QStringLiteral("Cancel"), alert.table)};
    alert.defaultButton = 1;
    return context.alerts().ask(alert) == 0;
}

bool RecordListDocument::openFile(const QString& path, QString* error)
{
    FileBytes file;
    if (!file.open(path, error) || !loadDataRepresentation(file.data(), typeId(), error))
        return false;
    m_filePath = path;
    setModified(false);
    return true;
}

void RecordListDocument::setSelectionSilently(const QList<int>& rows, int current)
{
    m_selectedRows.clear();
    for (const int r : rows)
        if (r >= 0 && r < count() && !m_selectedRows.contains(r))
            m_selectedRows.append(r);
    std::sort(m_selectedRows.begin(), m_selectedRows.end());
    if (m_selectedRows.isEmpty())
        m_currentIndex = -1;
    else
        m_currentIndex = m_selectedRows.contains(current) ? current : m_selectedRows.last();
}

bool RecordListDocument::clickDirection(const QString& columnId)
{
    const bool remembered = m_ascendingDirection.value(columnId, false);
    if (columnId != m_idColonne) {
        m_idColonne = columnId;
        return remembered;
    }
    m_ascendingDirection.insert(columnId, !remembered);
    return !remembered;
}

void RecordListDocument::setDirection(const QString& columnId, bool ascending)
{
    m_idColonne = columnId;
    m_ascendingDirection.insert(columnId, ascending);
}

void RecordListDocument::followSort(const std::vector<int>& newRowOf)
{
    QList<int> rows;
    for (const int r : m_selectedRows)
        rows.append(newRowOf[size_t(r)]);
    setSelectionSilently(rows, sortorder::moved(newRowOf, m_currentIndex));
    m_loadedIndex = sortorder::moved(newRowOf, m_loadedIndex);
}
