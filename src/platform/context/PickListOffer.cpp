#include "platform/context/PickListOffer.h"

#include "platform/Alert.h"
#include "platform/AlertPresenter.h"
#include "platform/Localizer.h"
#include "platform/SettingsStore.h"

namespace {

// Removes leading and trailing " " characters, and only those: a tab or a
// line break is kept.
QString trimSpaces(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

} // namespace

bool offerToAddToPickList(PickLists& pickLists, PickListId id, const QString& typedText,
                          SettingsStore& store, AlertPresenter& alerts,
                          const Localizer& localizer)
{
    if (trimSpaces(typedText).isEmpty())
        return false;
    QStringList& list = pickLists.list(id);
    // The test uses the text as typed: " Nice" is not "Nice".
    if (list.contains(typedText, Qt::CaseSensitive))
        return false;

    Alert alert;
    alert.key = QStringLiteral("Add item to ComboBox");
    alert.table = QStringLiteral("Main");
    alert.message = localizer.text(alert.key, alert.table, QStringLiteral("\r\rerror ! "));
    alert.buttons = {localizer.text(QStringLiteral("Yes"), QStringLiteral("Main")),
                     localizer.text(QStringLiteral("No"), QStringLiteral("Main"))};
    alert.beep = true;

    const bool added = alerts.ask(alert) == 0;
    if (added)
        list.append(typedText);

    pickLists.sort(id);
    pickLists.writeBack(id, store);
    return added;
}
