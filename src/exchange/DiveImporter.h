#pragma once

#include <QString>

// What an imported dive's texts become when typed into the dive form (see
// ImportBuilder, which types them).
namespace diveimport {

// Depth, altitude and temperature texts in metres and degrees Celsius
// become the form's units ("us units": feet and Fahrenheit); temperatures
// and the altitude are rounded to whole numbers.
QString formText(int field, const QString& metricText, bool usUnits);

} // namespace diveimport
