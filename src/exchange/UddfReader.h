#pragma once

#include "exchange/ImportProgress.h"
#include "exchange/ImportedDive.h"
#include "platform/Result.h"

#include <QList>

class QIODevice;

// Reads the dives of a UDDF file, streamed: the older layout (1.x, 2.x:
// `date` and `time` per dive) and UDDF 3.x, told apart by the root element.
// A file that is no well-formed UDDF, or that holds a dive that cannot be
// read, is refused whole, with the line and column of the fault.
class UddfReader {
public:
    explicit UddfReader(ImportProgress progress = {});

    // The dives of every repetition group, in file order, or the reason the
    // file is refused ("line 12, column 7: ...").
    Result<QList<ImportedDive>> read(QIODevice& device);
    // True when the last read stopped because the progress asked it to.
    bool cancelled() const { return m_cancelled; }
    // The empty placeholder dive elements the last read left out.
    int placeholders() const { return m_placeholders; }

private:
    ImportProgress m_progress;
    bool m_cancelled = false;
    int m_placeholders = 0;
};
