#include "exchange/DiveImporter.h"

#include "exchange/UddfMapping.h"
#include "logbook/Plongee.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

using namespace plongee;

namespace diveimport {

namespace {

QString wholeText(double v) { return QString::number(qint64(std::llround(std::clamp(v, -2e9, 2e9)))); }

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

} // namespace diveimport
