#include "registers/RegisterSynthesis.h"

#include "platform/NamedColours.h"
#include "registers/RegisterDescription.h"
#include "registers/RegisterTable.h"

namespace registersynthesis {

StyledText ofAll(const registers::RegisterDescription& reg, const QList<RegisterRecord>& records,
                 const Localizer& localizer, const QString& filePath, const QDateTime& madeOn)
{
    StyledText text;
    if (reg.synthesisHeading)
        text.append(reg.synthesisHeading(records, localizer));
    if (reg.synthesis)
        for (const RegisterRecord& record : records)
            text.append(reg.synthesis(record, localizer));
    text.append(QStringLiteral("\nFile dir : ") + filePath, namedcolours::green);
    text.append(QStringLiteral("\n\nEdition date : ") + registertable::dayText(madeOn), namedcolours::green);
    return text;
}

} // namespace registersynthesis
