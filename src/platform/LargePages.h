#pragma once

#include <QtGlobal>

// Asks for large memory pages under a big buffer about to be filled: a
// hundred megabytes then cost a few dozen page faults instead of tens of
// thousands. Only a hint, which the system may ignore; small buffers are
// left alone.
void preferLargePages(char* data, qint64 size);
