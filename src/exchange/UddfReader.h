#pragma once

#include "exchange/ImportProgress.h"
#include "exchange/ImportSink.h"
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
    // file is refused ("line 12, column 7: ..."). With a sink, the first
    // dives may be handed to it while the file is read (see taken()); the
    // list then holds those after them.
    Result<QList<ImportedDive>> read(QIODevice& device, ImportSink* sink = nullptr);
    // The dives the sink holds after the last read.
    qsizetype taken() const { return m_taken; }
    // True when the last read gave nothing because the file is to be read
    // again without a sink (see Uddf3Reader::readAgain()).
    bool readAgain() const { return m_readAgain; }
    // True when the last read stopped because the progress asked it to.
    bool cancelled() const { return m_cancelled; }
    // The empty placeholder dive elements the last read left out.
    int placeholders() const { return m_placeholders; }

private:
    ImportProgress m_progress;
    bool m_cancelled = false;
    int m_placeholders = 0;
    qsizetype m_taken = 0;
    bool m_readAgain = false;
};
