#include "registers/RegisterDocument.h"

#include "platform/Alert.h"
#include "platform/AlertPresenter.h"
#include "platform/SortOrder.h"
#include "platform/TextFormat.h"
#include "platform/context/AppContext.h"
#include "platform/context/Notifications.h"
#include "platform/context/PickListOffer.h"
#include "registers/RegisterArchive.h"
#include "registers/RegisterTable.h"

#include <algorithm>

namespace {
const QString kAlertFallback = QStringLiteral("\r\rerror ! ");
const QString kMain = QStringLiteral("Main");
} // namespace

RegisterDocument::RegisterDocument(AppContext& context, const registers::RegisterDescription& reg, QObject* parent)
    : RecordListDocument(parent), m_context(context), m_reg(reg), m_form(reg, context.localizer())
{
    m_form.setSettings(&context.settings());
    for (const PickListId list : reg.reloadedLists)
        context.pickLists().reloadFromStore(list, context.settings());
    // The cell life set in the preferences changes what the form derives
    // (a cell's end of life): the edit window shows it again at once.
    if (reg.kind != DocumentKind::Rebreather)
        return;
    NotificationHub& hub = context.hub();
    hub.addObserver(this, notifications::updateRebreather, [this](const QString&, const void*) { emit formChanged(); });
    connect(this, &QObject::destroyed, [&hub, observer = static_cast<const void*>(this)] {
        hub.removeObserver(observer);
    });
}

QString RegisterDocument::typeId() const { return DocumentTypes::of(m_reg.kind).id; }

void RegisterDocument::setRecords(QList<RegisterRecord> records)
{
    m_records = std::move(records);
    m_selectedRows.clear();
    m_currentIndex = -1;
    m_loadedIndex = -1;
    m_newCard.reset();
    emit recordsChanged();
    emit selectionChanged(-1);
}

void RegisterDocument::editFields(int row)
{
    m_newCard.reset();
    m_form.load(m_records[row]);
    m_loadedIndex = row;
    emit formChanged();
}

void RegisterDocument::setSelection(const QList<int>& rows, int current)
{
    setSelectionSilently(rows, current);
    // A new card being typed waits for Add or Insert: choosing the row to
    // insert it before must not replace it by that row's card.
    if (m_currentIndex >= 0 && !holdsTypedNewCard())
        editFields(m_currentIndex);
    emit selectionChanged(m_currentIndex);
}

void RegisterDocument::selectLast(int index, bool selected)
{
    if (index < 0 || index >= count()) {
        setSelectionSilently({}, -1);
        emit selectionChanged(-1);
        return;
    }
    setSelectionSilently({index}, index);
    editFields(index);
    if (!selected)
        setSelectionSilently({}, -1);
    emit selectionChanged(m_currentIndex);
}

void RegisterDocument::rememberNewCard()
{
    m_loadedIndex = -1;
    m_newCard = std::make_unique<RegisterForm>(m_form);
    emit formChanged();
}

void RegisterDocument::changed()
{
    setModified(true);
    emit recordsChanged();
}

void RegisterDocument::newRecord()
{
    m_form.blank(count());
    // The form now holds a new card: nothing may store it over a selected one.
    setSelectionSilently({}, -1);
    rememberNewCard();
    emit selectionChanged(-1);
    emit editWindowRequested();
}

void RegisterDocument::addRecord()
{
    m_records.append(m_form.store());
    changed();
    // The new card is shown as the last row, then the table is left with
    // no selection and a blank form, ready for the next card.
    selectLast(count() - 1, true);
    m_form.blank(count());
    selectLast(count() - 1, false);
    m_form.blank(count());
    rememberNewCard();
}

void RegisterDocument::alertNoSelection()
{
    const Localizer& loc = m_context.localizer();
    Alert alert;
    alert.key = m_reg.noSelectionKey;
    alert.table = m_reg.table;
    alert.message = loc.text(alert.key, alert.table, kAlertFallback);
    alert.buttons = {loc.text(QStringLiteral("OK"), kMain, QStringLiteral("OK"))};
    m_context.alerts().ask(alert);
}

bool RegisterDocument::insertRecord()
{
    if (m_currentIndex < 0) {
        alertNoSelection();
        return false;
    }
    const int row = m_currentIndex;
    m_records.insert(row, m_form.store());
    m_newCard.reset();
    setSelectionSilently({row}, row);
    m_loadedIndex = row;
    changed();
    emit selectionChanged(m_currentIndex);
    return true;
}

bool RegisterDocument::updateRecord()
{
    if (m_currentIndex < 0) {
        alertNoSelection();
        return false;
    }
    m_records[m_currentIndex] = m_form.store();
    m_newCard.reset();
    m_loadedIndex = m_currentIndex;
    changed();
    return true;
}

void RegisterDocument::deleteRecords()
{
    if (!confirmRemovingSelection(m_context, m_reg.deleteKey, QStringLiteral("Erase one card"),
                                  QStringLiteral("Erase cards count"), kAlertFallback))
        return;
    removeSelectedRows(m_records);
    changed();
    emit selectionChanged(-1);
}

void RegisterDocument::blankFields()
{
    m_form.blank(count());
    // The selection stays, but the form no longer holds its card: only
    // Update stores the blank form over it.
    m_loadedIndex = -1;
    emit formChanged();
}

void RegisterDocument::resetDateToNow(int field)
{
    RegisterForm::ControlValue v = m_form.value(field);
    v.date = QDateTime::currentDateTime();
    m_form.setValue(field, v);
    emit formChanged();
}

void RegisterDocument::storeBeforeLeaving()
{
    if (formHoldsSelected())
        updateRecord();
}

void RegisterDocument::moveBy(int step)
{
    storeBeforeLeaving();
    const int target = m_currentIndex + step;
    if (m_currentIndex >= 0 && target >= 0 && target < count()) {
        m_newCard.reset();
        setSelection({target}, target);
    }
}

void RegisterDocument::prevRecord() { moveBy(-1); }
void RegisterDocument::nextRecord() { moveBy(1); }
void RegisterDocument::closeEditWindow() { storeBeforeLeaving(); }

void RegisterDocument::editWindow()
{
    if (m_currentIndex >= 0) {
        editFields(m_currentIndex);
        emit selectionChanged(m_currentIndex);
    }
    emit editWindowRequested();
}

void RegisterDocument::endEditingCombo(int field)
{
    for (const auto& [comboField, list] : m_reg.comboLists) {
        if (comboField != field)
            continue;
        offerToAddToPickList(m_context.pickLists(), list, m_form.text(field), m_context.settings(), m_context.alerts(),
                             m_context.localizer());
        storeBeforeLeaving();
        emit formChanged();
    }
}

QString RegisterDocument::countText() const
{
    const Localizer& loc = m_context.localizer();
    const QString& table = m_reg.countTable.isEmpty() ? m_reg.table : m_reg.countTable;
    if (count() == 1)
        return loc.text(m_reg.oneRecordKey, table, kAlertFallback);
    return formatText(loc.text(m_reg.recordsKey, table, kAlertFallback), {count()});
}

bool RegisterDocument::sortable(const QString& columnId) const
{
    return m_reg.schema.fieldIndex(columnId) >= 0 || registertable::computedColumn(m_reg, columnId);
}

void RegisterDocument::sortByColumn(const QString& columnId)
{
    if (sortable(columnId))
        sortRows(columnId, clickDirection(columnId));
}

void RegisterDocument::sortByColumn(const QString& columnId, bool ascending)
{
    if (!sortable(columnId))
        return;
    setDirection(columnId, ascending);
    sortRows(columnId, ascending);
}

void RegisterDocument::sortRows(const QString& columnId, bool ascending)
{
    const int field = m_reg.schema.fieldIndex(columnId);
    const std::vector<int> order = field >= 0
        ? registertable::sortOrder(m_records, field, ascending)
        : registertable::sortOrder(m_records, *registertable::computedColumn(m_reg, columnId), ascending);
    // The selection and the form follow their cards; sorting is no edit.
    followSort(sortorder::reorder(m_records, order));
    emit recordsChanged();
    emit selectionChanged(m_currentIndex);
}

Result<QByteArray> RegisterDocument::dataRepresentation() const { return registerarchive::encode(m_reg, m_records); }

bool RegisterDocument::loadDataRepresentation(const QByteArray& bytes, const QString& typeId, QString* error)
{
    if (typeId != this->typeId()) {
        if (error)
            *error = QStringLiteral("%1 cannot be opened as \"%2\"").arg(m_reg.documentNoun, typeId);
        return false;
    }
    auto records = registerarchive::decode(m_reg, bytes);
    if (!records) {
        if (error)
            *error = records.error();
        return false;
    }
    setRecords(records.take());
    selectLast(m_reg.opensOnFirstRecord ? 0 : count() - 1, true);
    return true;
}

SaveResult RegisterDocument::saveToFile(const QString& path)
{
    auto bytes = dataRepresentation();
    if (!bytes)
        return SaveResult{false, false, bytes.error()};
    const SaveResult saved = saveFileAtomically(path, *bytes);
    if (saved.ok) {
        setFilePath(path);
        setModified(false);
    }
    return saved;
}
