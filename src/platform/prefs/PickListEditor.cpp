#include "platform/prefs/PickListEditor.h"

#include "platform/Alert.h"
#include "platform/AlertPresenter.h"
#include "platform/context/AppContext.h"
#include "platform/SettingsStore.h"
#include "platform/TextFormat.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

PickListEditor::PickListEditor(AppContext& context, PickListId id) : m_context(context), m_id(id) {}

const QStringList& PickListEditor::entries() const { return m_context.pickLists().list(m_id); }

bool PickListEditor::reloadsOnShow() const
{
    switch (m_id) {
    case PickListId::TypeMateriel:
    case PickListId::Magasins:
    case PickListId::Fabricants:
    case PickListId::Prestations:
    case PickListId::Activite:
    case PickListId::TypeEpave:
    case PickListId::CauseNaufrage:
        return true;
    default:
        return false;
    }
}

void PickListEditor::aboutToShow()
{
    if (reloadsOnShow())
        m_context.pickLists().reloadFromStore(m_id, m_context.settings());
}

void PickListEditor::add(const QString& text)
{
    PickLists& lists = m_context.pickLists();
    lists.list(m_id).append(text);
    lists.sort(m_id);
    lists.writeBack(m_id, m_context.settings());
}

QList<PickListEditor::Selected> PickListEditor::selectionOf(const QList<int>& rows) const
{
    QList<Selected> selection;
    const QStringList& list = entries();
    for (const int row : rows)
        if (row >= 0 && row < list.size())
            selection.append({.row = row, .entry = list[row]});
    return selection;
}

int PickListEditor::remove(const QList<Selected>& selection)
{
    if (selection.isEmpty())
        return 0;
    const Localizer& loc = m_context.localizer();
    const QString main = QStringLiteral("Main");
    const QString fallback = QStringLiteral("\r\rerror ! ");
    Alert alert;
    alert.key = QStringLiteral("Erase selection");
    alert.table = main;
    alert.message = loc.text(alert.key, main, fallback);
    alert.buttons = {QStringLiteral("OK"), loc.text(QStringLiteral("Cancel"), main, fallback)};
    if (m_context.alerts().ask(alert) != 0)
        return 0;

    QStringList& list = m_context.pickLists().list(m_id);
    // Each selected entry at its own row when it still stands there, else
    // the nearest equal entry that no other selected row has taken.
    QList<int> taken;
    for (const Selected& s : selection) {
        int best = -1;
        for (int row = 0; row < list.size(); ++row) {
            if (list[row] != s.entry || taken.contains(row))
                continue;
            if (best < 0 || std::abs(row - s.row) < std::abs(best - s.row))
                best = row;
        }
        if (best >= 0)
            taken.append(best);
    }
    std::sort(taken.begin(), taken.end(), std::greater<>());
    for (const int row : taken)
        list.removeAt(row);
    m_context.pickLists().writeBack(m_id, m_context.settings());
    return int(taken.size());
}

QString PickListEditor::countText() const { return countText(m_context, entries().size()); }

QString PickListEditor::countText(const AppContext& context, qsizetype count)
{
    const QString format = context.localizer().text(QStringLiteral("Entries"), QStringLiteral("Carnet"));
    return formatText(format, {QVariant::fromValue(qlonglong(count))});
}

QString PickListEditor::title() const
{
    return m_context.localizer().text(QStringLiteral("Pick-list ") + PickLists::key(m_id), QStringLiteral("Main"));
}
