#pragma once

#include <QtGlobal>
#include <functional>

// Told how far a long import has come (done of total; total 0 when
// unknown). Returning false cancels the import.
using ImportProgress = std::function<bool(qint64 done, qint64 total)>;
