#include "registers/RecordSchema.h"

namespace registers {

int RecordSchema::fieldIndex(QStringView name) const
{
    for (int i = 0; i < fieldCount(); ++i)
        if (name == QLatin1String(fields[size_t(i)].name))
            return i;
    return -1;
}

int RecordSchema::minimumArchivedSize(int version) const
{
    int size = 2; // class index
    for (const FieldInfo& f : fields) {
        if (f.sinceVersion > version)
            continue;
        size += f.scalarIn(version) ? 4 : 1;
    }
    return size;
}

} // namespace registers
