#include "exchange/ImportBuilder.h"

#include "exchange/DiveImporter.h"
#include "logbook/Carnet.h"
#include "logbook/DiveChoices.h"
#include "logbook/LogbookArchive.h"
#include "platform/SettingsStore.h"
#include "platform/context/AppContext.h"

#include <utility>

using namespace plongee;

namespace {

template <typename T> QList<T> orZeros(const QList<T>& list, qsizetype n) { return list.isEmpty() ? QList<T>(n, T(0)) : list; }

} // namespace

ImportBuilder::ImportBuilder(Carnet& carnet)
    : m_carnet(carnet), m_usUnits(carnet.context().settings().boolValue(QStringLiteral("us units")))
{
    dropAll();
}

void ImportBuilder::dropAll()
{
    m_form.emplace(m_carnet.form());
    m_built.clear();
    m_number = m_carnet.dives().isEmpty() ? 1 : qint64(m_carnet.dives().last().noPlongee()) + 1;
    m_error.clear();
}

bool ImportBuilder::add(const ImportedDive& d)
{
    if (!m_error.isEmpty())
        return false;
    DiveForm& form = *m_form;
    form.blank();
    form.setText(idx_noPlongee, QString::number(m_number));
    form.setDateTime(idx_date, QDateTime(d.day, d.start));
    form.setDateTime(idx_heure, QDateTime(d.day, d.start));
    for (const auto& [field, position] : d.positions) {
        const QList<DiveChoice>& items = divechoices::items(field);
        if (position >= 0 && position < items.size())
            form.setTag(field, items[position].tag);
    }
    for (const auto& [field, tag] : d.tags)
        form.setTag(field, tag);
    for (const int field : d.switchesOn)
        form.setOn(field, true);
    for (const auto& [field, text] : d.texts)
        form.setText(field, d.metric ? diveimport::formText(field, text, m_usUnits) : text);
    if (!d.depths.isEmpty()) {
        DiveForm::WorkingProfile& w = form.workingProfile();
        const qsizetype n = d.depths.size();
        w.profilProfondeur = d.depths;
        w.ascFlag = orZeros(d.ascFlags, n);
        w.slowFlag = orZeros(d.slowFlags, n);
        w.surfFlag = orZeros(d.surfFlags, n);
        w.ceilFlag = orZeros(d.ceilFlags, n);
        w.gazFlag = orZeros(d.gasFlags, n);
        w.pressData = d.pressures;
        form.applyProfileDefaults();
    }
    if (d.samplingRate) {
        form.setTag(idx_samplingRate, *d.samplingRate);
        form.workingProfile().samplingRate = *d.samplingRate;
    }
    form.refresh(-1, int(m_carnet.count() + m_built.size()));
    Result<Plongee> dive = form.build(DiveForm::BuildMode::Quiet);
    if (!dive) {
        m_error = QStringLiteral("the dive at line %1, column %2 is refused: %3")
                      .arg(d.line)
                      .arg(d.column)
                      .arg(dive.error());
        return false;
    }
    m_built.append(archived(dive.take()));
    m_number = qint64(m_built.last().noPlongee()) + 1;
    return true;
}

// The dive as a file written now gives it back: its texts and profile stay
// in their archived form until something reads them, and a save writes its
// bytes as they are instead of encoding it again. A dive a file cannot hold
// stays as built (a save then says why).
Plongee ImportBuilder::archived(Plongee dive)
{
    QList<Plongee> one;
    one.append(std::move(dive));
    if (const auto bytes = logbookarchive::encode(one))
        if (auto again = logbookarchive::decode(*bytes); again && again->size() == 1)
            return std::move(again->first());
    return std::move(one.first());
}

void ImportBuilder::commit()
{
    if (m_built.isEmpty())
        return;
    // Into an empty logbook the list built is the logbook's list: no dive
    // is moved again.
    if (m_carnet.dives().isEmpty()) {
        m_carnet.setDives(std::exchange(m_built, {}));
    } else {
        QList<Plongee> all = m_carnet.dives();
        all.append(std::exchange(m_built, {}));
        m_carnet.setDives(std::move(all));
    }
    m_carnet.selectLastDive(m_carnet.count() - 1, false);
    m_carnet.setModified(true);
}
