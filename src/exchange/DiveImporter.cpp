#include "exchange/DiveImporter.h"

#include "platform/context/AppContext.h"
#include "exchange/UddfMapping.h"
#include "logbook/Carnet.h"
#include "logbook/DiveChoices.h"
#include "logbook/DiveForm.h"
#include "platform/NumberText.h"
#include "platform/SettingsStore.h"

#include <algorithm>
#include <cmath>

using namespace plongee;

namespace diveimport {

namespace {

QString wholeText(double v) { return QString::number(qint64(std::llround(std::clamp(v, -2e9, 2e9)))); }

template <typename T> QList<T> orZeros(const QList<T>& list, qsizetype n) { return list.isEmpty() ? QList<T>(n, T(0)) : list; }

} // namespace

QString formText(int field, const QString& metricText, bool usUnits)
{
    const bool temperature = field == idx_tempEau || field == idx_tempAir;
    const bool stopDepth = field >= idx_decoDepth_Level_1 && field <= idx_decoDepth_Level_5;
    if (!temperature && !stopDepth && field != idx_altitude && field != idx_profondeur)
        return metricText;
    bool isNumber = false;
    const double v = numbertext::leadingDouble(metricText, &isNumber);
    if (!isNumber || !std::isfinite(v))
        return metricText;
    if (temperature)
        return wholeText(usUnits ? v * 9.0 / 5.0 + 32.0 : v);
    if (field == idx_altitude)
        return wholeText(usUnits ? v / uddfmapping::kMetresPerFoot : v);
    return usUnits ? numbertext::shortest(float(v / uddfmapping::kMetresPerFoot)) : metricText;
}

bool importDives(Carnet& carnet, const QList<ImportedDive>& dives, const ImportProgress& progress, QString* error)
{
    if (dives.isEmpty())
        return true;
    const bool usUnits = carnet.context().settings().boolValue(QStringLiteral("us units"));
    // A copy of the logbook's form: it blanks as the logbook's would (the
    // bail-out cylinders and the sampling rate carry over), and the logbook
    // stays untouched until every dive is built.
    DiveForm form(carnet.form());
    QList<Plongee> built;
    built.reserve(dives.size());
    qint64 number = carnet.dives().isEmpty() ? 1 : qint64(carnet.dives().last().noPlongee()) + 1;
    for (qsizetype i = 0; i < dives.size(); ++i) {
        const ImportedDive& d = dives[i];
        form.blank();
        form.setText(idx_noPlongee, QString::number(number));
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
            form.setText(field, d.metric ? formText(field, text, usUnits) : text);
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
        form.refresh(-1, int(carnet.count() + built.size()));
        Result<Plongee> dive = form.build(DiveForm::BuildMode::Quiet);
        if (!dive) {
            // One refused dive refuses the import: the logbook stays as it was.
            if (error)
                *error = QStringLiteral("the dive at line %1, column %2 is refused: %3")
                             .arg(d.line)
                             .arg(d.column)
                             .arg(dive.error());
            return false;
        }
        built.append(dive.take());
        number = qint64(built.last().noPlongee()) + 1;
        if (progress && !progress(i + 1, dives.size())) {
            if (error)
                *error = QStringLiteral("the import was cancelled");
            return false;
        }
    }
    QList<Plongee> all = carnet.dives();
    all.append(std::move(built));
    carnet.setDives(std::move(all));
    carnet.selectLastDive(carnet.count() - 1, false);
    carnet.setModified(true);
    return true;
}

} // namespace diveimport
