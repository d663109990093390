#include "logbook/Carnet.h"

#include "platform/context/AppContext.h"
#include "platform/context/DocumentTypes.h"
#include "platform/context/Notifications.h"
#include "logbook/DiveExporter.h"
#include "logbook/ColumnSettings.h"
#include "logbook/LogbookArchive.h"
#include "platform/NumberText.h"
#include "platform/TextFormat.h"
#include "profile/ProfileText.h"
#include "platform/context/PickListOffer.h"
#include "platform/Alert.h"
#include "platform/AlertPresenter.h"
#include "logbook/DiveBounds.h"
#include "platform/FileBytes.h"
#include "platform/SafeSave.h"
#include "platform/SettingsStore.h"
#include "platform/SortOrder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <vector>


QString Carnet::logbookTypeId() { return DocumentTypes::of(DocumentKind::Logbook).id; }

Carnet::Carnet(AppContext& context, QObject* parent) : RecordListDocument(parent), m_context(context), m_form(context)
{
    observeNotifications();
    columnsettings::writeFirstRunDefaults(m_context.settings());
    m_form.blank();
    m_form.refresh(-1, 0);
}

Carnet::~Carnet() { m_context.hub().removeObserver(this); }

void Carnet::observeNotifications()
{
    NotificationHub& hub = m_context.hub();
    hub.addObserver(this, notifications::renumDives, [this](const QString&, const void*) {
        emit renumberWindowRequested();
    });
    hub.addObserver(this, notifications::updateTableView, [this](const QString&, const void*) {
        emit tableReloadRequested();
    });
    hub.addObserver(this, notifications::updateColumnsTableView, [this](const QString&, const void*) {
        emit columnsChanged();
        emit tableReloadRequested();
    });
    hub.addObserver(this, notifications::profile, [this](const QString&, const void*) {
        emit profileRedrawRequested();
    });
    hub.addObserver(this, notifications::updateEditDive, [this](const QString&, const void*) {
        emit formRefreshRequested();
        emit synthesisRefreshRequested();
    });
    hub.addObserver(this, notifications::updateDeco, [this](const QString&, const void*) {
        emit formRefreshRequested();
    });
}

void Carnet::setDives(QList<Plongee> dives)
{
    m_carnet = std::move(dives);
    m_selectedRows.clear();
    m_currentIndex = -1;
    m_loadedIndex = -1;
    m_newDive.reset();
    emit diveListChanged();
    emit selectionChanged(-1, -1);
}

void Carnet::setSelection(const QList<int>& rows, int current)
{
    setSelectionSilently(rows, current);
    // A new dive in the form waits for Add or Insert: choosing the row to
    // insert it before must not replace it by that row's dive.
    const bool keepNewDive = holdsTypedNewDive();
    if (m_currentIndex >= 0 && !keepNewDive)
        editFields(m_currentIndex);
    if (m_currentIndex >= 0 || keepNewDive)
        updateUI();
    emit selectionChanged(m_currentIndex, m_loadedIndex);
}

void Carnet::selectLastDive(int index, bool selected)
{
    if (index < 0 || index >= count()) {
        setSelectionSilently({}, -1);
        m_loadedIndex = -1;
        updateUI();
        emit selectionChanged(-1, -1);
        return;
    }
    setSelectionSilently({index}, index);
    editFields(index);
    if (!selected)
        setSelectionSilently({}, -1);
    updateUI();
    emit selectionChanged(m_currentIndex, m_loadedIndex);
}

void Carnet::editFields(int row)
{
    m_newDive.reset();
    m_form.load(m_carnet[row]);
    m_loadedIndex = row;
    emit profileRedrawRequested();
    emit synthesisRefreshRequested();
}

void Carnet::updateUI()
{
    m_form.refresh(m_currentIndex, count());
    emit formRefreshRequested();
}

int Carnet::nextDiveNumber() const
{
    // The highest number plus one, whatever the order of the list; a
    // logbook already at the largest number proposes it again rather than
    // wrapping round to a negative one.
    int highest = 0;
    for (const Plongee& dive : m_carnet)
        highest = std::max(highest, dive.noPlongee());
    return highest < std::numeric_limits<int>::max() ? highest + 1 : highest;
}

void Carnet::blankForm()
{
    m_form.blank();
    // The selection stays, but the form no longer holds its dive: moving,
    // closing or a pending edit must not store the blank form over it.
    m_loadedIndex = -1;
    updateUI();
}

bool Carnet::holdsTypedNewDive() const { return m_newDive && !m_newDive->sameValues(m_form); }

bool Carnet::formHoldsSelectedDive() const { return m_currentIndex >= 0 && m_loadedIndex == m_currentIndex; }

void Carnet::alertNoDiveSelected() { alertError(QStringLiteral("No dive selected")); }

void Carnet::alertError(const QString& key)
{
    Alert alert;
    alert.key = key;
    alert.table = QStringLiteral("Carnet");
    alert.message = m_context.localizer().text(alert.key, alert.table, QStringLiteral("\r\rerror ! "));
    alert.buttons = {m_context.localizer().text(QStringLiteral("OK"), QStringLiteral("Main"), QStringLiteral("OK"))};
    m_context.alerts().ask(alert);
}

void Carnet::newDive()
{
    m_form.blank();
    // The form now holds a new dive: nothing may store it over a selected one.
    setSelectionSilently({}, -1);
    m_loadedIndex = -1;
    m_form.setText(plongee::idx_noPlongee, QString::number(nextDiveNumber()));
    m_form.refresh(-1, count());
    m_newDive = std::make_unique<DiveForm>(m_form);
    emit selectionChanged(-1, -1);
    emit editWindowRequested();
    updateUI();
}

std::optional<Plongee> Carnet::buildForRow(int exceptRow)
{
    Result<Plongee> built = m_form.build();
    if (!built)
        return std::nullopt;
    // Two dives with one number are allowed, but never without a word.
    const int number = built->noPlongee();
    for (int i = 0; i < count(); ++i) {
        if (i == exceptRow || m_carnet[i].noPlongee() != number)
            continue;
        Alert alert;
        alert.key = QStringLiteral("Dive number taken");
        alert.table = QStringLiteral("Carnet");
        alert.message = formatText(m_context.localizer().text(alert.key, alert.table, QStringLiteral("\r\rerror ! ")),
                                   {number});
        const Localizer& loc = m_context.localizer();
        alert.buttons = {loc.text(QStringLiteral("OK"), QStringLiteral("Main"), QStringLiteral("OK")),
                         loc.text(QStringLiteral("Cancel"), QStringLiteral("Main"), QStringLiteral("Cancel"))};
        if (m_context.alerts().ask(alert) != 0)
            return std::nullopt;
        break;
    }
    return built.take();
}

bool Carnet::addDive()
{
    std::optional<Plongee> dive = buildForRow(-1);
    if (!dive)
        return false;
    m_carnet.append(std::move(*dive));
    emit diveListChanged();
    selectLastDive(count() - 1, false);
    setModified(true);
    m_form.blank();
    m_loadedIndex = -1;
    m_form.setText(plongee::idx_noPlongee, QString::number(nextDiveNumber()));
    updateUI();
    m_newDive = std::make_unique<DiveForm>(m_form);
    return true;
}

bool Carnet::insertDive()
{
    if (m_currentIndex < 0) {
        alertNoDiveSelected();
        return false;
    }
    // The form's dive goes before the selected one, and is then the
    // selected dive the form shows.
    return insertDiveAt(m_currentIndex);
}

bool Carnet::insertDiveAt(int row)
{
    row = std::clamp(row, 0, count());
    std::optional<Plongee> dive = buildForRow(-1);
    if (!dive)
        return false;
    m_carnet.insert(row, std::move(*dive));
    m_newDive.reset();
    if (m_currentIndex >= 0)
        setSelectionSilently({row}, row);
    m_loadedIndex = row;
    setModified(true);
    emit diveListChanged();
    emit selectionChanged(m_currentIndex, m_loadedIndex);
    updateUI();
    return true;
}

bool Carnet::storeFormInto(int row)
{
    std::optional<Plongee> dive = buildForRow(row);
    if (!dive)
        return false;
    m_carnet[row] = std::move(*dive);
    m_newDive.reset();
    m_loadedIndex = row;
    emit diveListChanged();
    return true;
}

bool Carnet::updateDive()
{
    if (m_currentIndex < 0) {
        alertNoDiveSelected();
        return false;
    }
    if (!storeFormInto(m_currentIndex))
        return false;
    setModified(true);
    updateUI();
    return true;
}

void Carnet::deleteDive()
{
    if (!confirmRemovingSelection(m_context, QStringLiteral("Erase dive"), QStringLiteral("Erase one dive"),
                                  QStringLiteral("Erase dives count")))
        return;
    removeSelectedRows(m_carnet);
    setModified(true);
    emit diveListChanged();
    emit selectionChanged(-1, -1);
    updateUI();
}

bool Carnet::storeBeforeLeaving()
{
    // A blanked or new form is not the selected dive: only Update stores it.
    if (!formHoldsSelectedDive())
        return true;
    if (!storeFormInto(m_currentIndex))
        return false; // refused: the form keeps what was typed
    setModified(true);
    return true;
}

bool Carnet::moveBy(int step)
{
    if (m_currentIndex < 0 || !storeBeforeLeaving())
        return false;
    const int target = m_currentIndex + step;
    m_newDive.reset(); // moving shows the dive moved to
    if (target >= 0 && target < count())
        setSelection({target}, target);
    else
        updateUI();
    return true;
}

bool Carnet::prevDive() { return moveBy(-1); }
bool Carnet::nextDive() { return moveBy(1); }

bool Carnet::closeEditWindow()
{
    if (!storeBeforeLeaving())
        return false;
    if (formHoldsSelectedDive())
        updateUI();
    return true;
}

void Carnet::editWindow()
{
    if (m_currentIndex >= 0) {
        editFields(m_currentIndex);
        updateUI();
        emit selectionChanged(m_currentIndex, m_loadedIndex);
    }
    emit editWindowRequested();
}

bool Carnet::renumDives(int first)
{
    // Each dive passes through the form again, with its new number; one
    // that the form refuses leaves the whole logbook as it was.
    const std::optional<divebounds::Range> numbers = divebounds::of(plongee::idx_noPlongee);
    if (count() > 0 && (!numbers->holds(first) || !numbers->holds(double(first) + count() - 1))) {
        alertError(QStringLiteral("Dive number out of range"));
        return false;
    }
    QList<Plongee> renumbered;
    renumbered.reserve(count());
    for (int i = 0; i < count(); ++i) {
        m_form.load(m_carnet[i]);
        m_form.setText(plongee::idx_noPlongee, QString::number(qint64(first) + i));
        Result<Plongee> built = m_form.build(DiveForm::BuildMode::Quiet);
        if (!built) {
            Alert alert;
            alert.key = QStringLiteral("Dive refused");
            alert.table = QStringLiteral("Carnet");
            alert.message = formatText(m_context.localizer().text(QStringLiteral("Renumber refused"), alert.table,
                                                                  QStringLiteral("\r\rerror ! ")),
                                       {m_carnet[i].noPlongee(), built.error()});
            alert.buttons = {m_context.localizer().text(QStringLiteral("OK"), QStringLiteral("Main"), QStringLiteral("OK"))};
            m_context.alerts().ask(alert);
            if (m_loadedIndex >= 0 && m_loadedIndex < count())
                m_form.load(m_carnet[m_loadedIndex]);
            return false;
        }
        renumbered.append(built.take());
    }
    m_carnet = std::move(renumbered);
    m_newDive.reset();
    setModified(true);
    emit diveListChanged();
    if (count() > 0)
        setSelection({count() - 1}, count() - 1);
    return true;
}

void Carnet::endEditingPickList(int field)
{
    using namespace plongee;
    std::optional<PickListId> list;
    switch (field) {
    case idx_lieu: list = PickListId::Lieux; break;
    case idx_site: list = PickListId::Sites; break;
    case idx_pays: list = PickListId::Pays; break;
    case idx_countryCode: list = PickListId::CountryCode; break;
    case idx_partenaires: list = PickListId::Partenaires; break;
    case idx_epaves: list = PickListId::Epaves; break;
    case idx_structure: list = PickListId::Structures; break;
    case idx_ordinateur: list = PickListId::Ordinateurs; break;
    default:
        if (field >= idx_equip_1 && field <= idx_equip_12)
            list = PickListId::SacDePlongee;
        break;
    }
    if (!list)
        return;
    offerToAddToPickList(m_context.pickLists(), *list, m_form.text(field), m_context.settings(), m_context.alerts(),
                         m_context.localizer());
    emit formRefreshRequested();
}

void Carnet::storePendingEdits()
{
    if (m_currentIndex < 0 || m_loadedIndex != m_currentIndex)
        return;
    DiveForm stored(m_context);
    stored.load(m_carnet[m_currentIndex]);
    if (stored.sameValues(m_form))
        return;
    storeFormInto(m_currentIndex);
    setModified(true);
}

QList<int> Carnet::rowsContaining(const QString& field, const QString& text) const
{
    QList<int> rows;
    const int f = Plongee::fieldIndex(field);
    if (f < 0 || Plongee::field(f).kind != Plongee::Kind::String || text.isEmpty())
        return rows;
    const QString wanted = text.normalized(QString::NormalizationForm_C);
    for (int i = 0; i < count(); ++i) {
        const Plongee::Text value = std::get<Plongee::Text>(m_carnet[i].value(f));
        if (value && value->normalized(QString::NormalizationForm_C).contains(wanted, Qt::CaseInsensitive))
            rows.append(i);
    }
    return rows;
}

QString Carnet::findTextWithField(const QString& field, const QString& text)
{
    storePendingEdits();
    const QList<int> rows = rowsContaining(field, text);
    setSelection(rows, rows.isEmpty() ? -1 : rows.last());
    const Localizer& loc = m_context.localizer();
    return rows.size() == 1 ? loc.text(QStringLiteral("One dive found"), QStringLiteral("Carnet"))
                            : formatText(loc.text(QStringLiteral("Found dives"), QStringLiteral("Carnet")),
                                         {int(rows.size())});
}

Carnet::ProfileInfo Carnet::profileInfo() const
{
    const Localizer& loc = m_context.localizer();
    const QString table = QStringLiteral("Carnet");
    const DiveForm::WorkingProfile& w = m_form.workingProfile();
    ProfileInfo info;
    info.title = formatText(loc.text(QStringLiteral("Dive number profile datas title"), table),
                            {numbertext::leadingInt(m_form.text(plongee::idx_noPlongee))});
    const auto fill = [&](size_t i, const auto& list) {
        info.texts[i] = list.size() >= 2 ? profiletext::render(list) : QString();
        info.counts[i] = list.size() > 1 ? formatText(loc.text(QStringLiteral("Datas"), table), {int(list.size())})
                                         : loc.text(QStringLiteral("No datas"), table);
    };
    fill(0, w.profilProfondeur);
    fill(1, w.ascFlag);
    fill(2, w.slowFlag);
    fill(3, w.surfFlag);
    fill(4, w.ceilFlag);
    fill(5, w.gazFlag);
    fill(6, w.pressData);
    return info;
}

bool Carnet::importProfil(const std::array<std::optional<QString>, 7>& replacements)
{
    // A list with a line it cannot hold changes nothing: no sample is
    // guessed from a typo.
    for (int i = 0; i < profiletext::kListCount; ++i) {
        if (replacements[size_t(i)] && !profiletext::checkList(i, *replacements[size_t(i)]).ok()) {
            alertError(QStringLiteral("Profile refused"));
            return false;
        }
    }
    DiveForm::WorkingProfile w = m_form.workingProfile();
    if (replacements[0])
        w.profilProfondeur = profiletext::parseDecimals(*replacements[0]);
    QList<qint16>* flags[] = {&w.ascFlag, &w.slowFlag, &w.surfFlag, &w.ceilFlag, &w.gazFlag};
    for (size_t i = 0; i < 5; ++i)
        if (replacements[i + 1])
            *flags[i] = profiletext::parseIntegers(*replacements[i + 1]);
    if (replacements[6])
        w.pressData = profiletext::parseDecimals(*replacements[6]);

    // Every list must describe the same samples; a list of at most one
    // element means "not recorded" and fits any profile.
    const qsizetype n = w.profilProfondeur.size();
    const qsizetype lengths[] = {w.ascFlag.size(), w.slowFlag.size(), w.surfFlag.size(), w.ceilFlag.size(),
                                 w.gazFlag.size(), w.pressData.size()};
    for (const qsizetype length : lengths) {
        if (length > 1 && n > 1 && length != n) {
            alertError(QStringLiteral("Profile lengths"));
            return false;
        }
    }
    m_form.workingProfile() = w;
    m_form.applyProfileDefaults();
    if (m_currentIndex >= 0) {
        storeFormInto(m_currentIndex);
        setModified(true);
        editFields(m_currentIndex);
    }
    updateUI();
    return true;
}

bool Carnet::setCellText(int row, const QString& field, const QString& text, QString* error)
{
    if (row < 0 || row >= count()) {
        if (error)
            *error = QStringLiteral("there is no dive at row %1").arg(row);
        return false;
    }
    // A scratch form types the text with the form's rules for that one
    // field; every other field of the dive stays exactly as stored.
    DiveForm cell(m_context);
    cell.load(m_carnet[row]);
    if (!cell.typeText(field, text, error))
        return false;
    Plongee dive = m_carnet[row];
    if (const std::optional<QString> refused = cell.storeField(Plongee::fieldIndex(field), dive)) {
        if (error)
            *error = *refused;
        Alert alert;
        alert.key = QStringLiteral("Dive refused");
        alert.table = QStringLiteral("Carnet");
        alert.message = *refused;
        alert.buttons = {m_context.localizer().text(QStringLiteral("OK"), QStringLiteral("Main"), QStringLiteral("OK"))};
        m_context.alerts().ask(alert);
        return false;
    }
    m_carnet[row] = std::move(dive);
    setModified(true);
    if (row == m_loadedIndex)
        editFields(row);
    emit diveListChanged();
    updateUI();
    return true;
}

void Carnet::sortByColumn(const QString& columnId)
{
    const int field = Plongee::fieldIndex(columnId);
    if (field < 0)
        return;
    sortRows(field, clickDirection(columnId));
}

void Carnet::sortByColumn(const QString& columnId, bool ascending)
{
    const int field = Plongee::fieldIndex(columnId);
    if (field < 0)
        return;
    setDirection(columnId, ascending);
    sortRows(field, ascending);
}

void Carnet::sortRows(int field, bool ascending)
{
    // Sort on raw values; equal keys keep their order.
    const int n = count();
    std::vector<int> order;
    const Plongee::Kind kind = Plongee::field(field).kind;
    if (kind == Plongee::Kind::String) {
        std::vector<QString> keys(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i)
            keys[size_t(i)] = std::get<Plongee::Text>(m_carnet.at(i).value(field)).value_or(QString());
        order = sortorder::byText(keys, ascending);
    } else {
        std::vector<double> keys(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            const Plongee::Value v = m_carnet.at(i).value(field);
            double key = 0;
            if (const auto* x = std::get_if<qint32>(&v))
                key = *x;
            else if (const auto* f = std::get_if<float>(&v))
                key = std::isnan(*f) ? -std::numeric_limits<double>::infinity() : *f;
            else if (const auto* d = std::get_if<QDateTime>(&v)) {
                // The time-of-day column sorts by the time it shows, whatever the date.
                if (!d->isValid())
                    key = -std::numeric_limits<double>::infinity();
                else if (field == plongee::idx_heure)
                    key = d->toLocalTime().time().msecsSinceStartOfDay();
                else
                    key = double(d->toMSecsSinceEpoch());
            }
            keys[size_t(i)] = key;
        }
        order = sortorder::byNumber(keys, ascending);
    }

    followSort(sortorder::reorder(m_carnet, order));
    setModified(true);
    emit diveListChanged();
    emit selectionChanged(m_currentIndex, m_loadedIndex);
    updateUI();
}

const QStringList& Carnet::offeredTankVolumes()
{
    static const QStringList v = {
        QStringLiteral("2"),  QStringLiteral("4"),  QStringLiteral("5"),  QStringLiteral("6"),
        QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"),
        QStringLiteral("15"), QStringLiteral("18"), QStringLiteral("20"), QStringLiteral("22"),
        QStringLiteral("24"), QStringLiteral("30"), QStringLiteral("33"), QStringLiteral("36"),
    };
    return v;
}

const QStringList& Carnet::offeredTankPressures()
{
    static const QStringList v = {QStringLiteral("176"), QStringLiteral("200"), QStringLiteral("207"),
                                  QStringLiteral("232"), QStringLiteral("300")};
    return v;
}

const QStringList& Carnet::offeredDecoSoftNames()
{
    static const QStringList v = {QStringLiteral("..."),          QStringLiteral("Abyss"),
                                  QStringLiteral("Decoplanner"),  QStringLiteral("GAP-Diveplanner"),
                                  QStringLiteral("V Planner"),    QStringLiteral("Z Planner")};
    return v;
}

const QStringList& Carnet::offeredDecoAlgorithms()
{
    static const QStringList v = {
        QStringLiteral("..."),     QStringLiteral("BühlmannB-GF"), QStringLiteral("BühlmannC-GF"),
        QStringLiteral("MF11F6"),  QStringLiteral("RGBM"),         QStringLiteral("VPM-A"),
        QStringLiteral("VPM-B"),   QStringLiteral("VPM-B/E"),      QStringLiteral("ZH-L 16 B"),
        QStringLiteral("ZH-L 16 C"),
    };
    return v;
}

Result<QByteArray> Carnet::dataRepresentationOfType(const QString& type) const
{
    if (type == logbookTypeId())
        return logbookarchive::encode(m_carnet);
    if (m_exporter && m_exporter->typeNames().contains(type))
        return m_exporter->write(type, m_carnet, &m_lastExportReport);
    return Result<QByteArray>::failure(QStringLiteral("unknown save type \"%1\"").arg(type));
}

bool Carnet::loadDataRepresentation(const QByteArray& bytes, const QString& type, QString* error)
{
    if (type != logbookTypeId()) {
        if (error)
            *error = QStringLiteral("a logbook cannot be opened as \"%1\"").arg(type);
        return false;
    }
    auto dives = logbookarchive::decode(bytes);
    if (!dives) {
        if (error)
            *error = dives.error();
        return false;
    }
    setDives(dives.take());
    selectLastDive(count() - 1, true);
    return true;
}

SaveResult Carnet::saveToFile(const QString& path, const QString& type)
{
    m_lastExportReport.clear();
    if (type != logbookTypeId()) {
        // An export works on the dives, not on the list: no row stays selected.
        setSelectionSilently({}, -1);
        emit selectionChanged(-1, m_loadedIndex);
    }
    SaveResult saved;
    if (type == logbookTypeId()) {
        // Written as it is encoded: a big logbook is never twice in memory.
        saved = saveContentAtomically(path, [this](const ArchiveWriter::Sink& sink) {
            return logbookarchive::encode(m_carnet, sink);
        });
    } else {
        auto bytes = dataRepresentationOfType(type);
        if (!bytes)
            return SaveResult{false, false, bytes.error()};
        saved = saveFileAtomically(path, *bytes);
    }
    if (saved.ok && type == logbookTypeId()) {
        setFilePath(path);
        setModified(false);
    }
    return saved;
}
