#include "registers/RegisterSynthesis.h"

#include "platform/NamedColours.h"
#include "registers/RegisterDescription.h"
#include "registers/RegisterTable.h"

namespace registersynthesis {

void writePieces(const registers::RegisterDescription& reg, const QList<RegisterRecord>& records,
                 const Localizer& localizer, const QString& filePath, const QDateTime& madeOn,
                 const std::function<void(const StyledText&)>& write)
{
    if (reg.synthesisHeading)
        write(reg.synthesisHeading(records, localizer));
    if (reg.numberedSynthesis)
        for (qsizetype i = 0; i < records.size(); ++i)
            write(reg.numberedSynthesis(records[i], int(i) + 1, localizer));
    else if (reg.synthesis)
        for (const RegisterRecord& record : records)
            write(reg.synthesis(record, localizer));
    StyledText closing;
    closing.append(reg.synthesisClosingBreaks + QStringLiteral("File dir : ") + filePath, namedcolours::green);
    closing.append(QStringLiteral("\n\nEdition date : ") + registertable::dayText(madeOn), namedcolours::green);
    write(closing);
}

StyledText ofAll(const registers::RegisterDescription& reg, const QList<RegisterRecord>& records,
                 const Localizer& localizer, const QString& filePath, const QDateTime& madeOn)
{
    StyledText text;
    writePieces(reg, records, localizer, filePath, madeOn, [&](const StyledText& piece) {
        // Every record takes about as many runs as the first.
        if (text.runs().size() <= 1 && records.size() > 1)
            text.reserve((piece.runs().size() + 1) * (records.size() + 1));
        text.append(piece);
    });
    return text;
}

} // namespace registersynthesis
