#pragma once

#include "exchange/ImportedDive.h"

// Takes the dives of a file while it is still being read, so that they can
// be built on the reading thread's idle time instead of after the read. A
// reader hands a dive over only once it is sure of it; when something read
// later changes what the dives it handed over mean (a definition they may
// link to), it takes them all back with dropAll(), and the file is read
// again from its start, without a sink.
class ImportSink {
public:
    virtual ~ImportSink() = default;
    // A dive of the file, in order after those taken before. False when
    // the sink wants no more: the reader then keeps the rest itself.
    virtual bool take(const ImportedDive& dive) = 0;
    // Forgets every dive taken.
    virtual void dropAll() = 0;
};
