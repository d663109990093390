#pragma once

#include "exchange/ExchangeSniffer.h"
#include "exchange/ExportOutput.h"
#include "exchange/ImportProgress.h"
#include "exchange/ImportSink.h"
#include "exchange/ImportedDive.h"
#include "logbook/DiveExporter.h"

#include <QList>
#include <QString>

class AppContext;
class QIODevice;

// Every exchange format of the logbook in one place: the export save types
// with their writers, and the imported formats with their recognition from
// the content and their readers. The logbook, the windows and the command
// line ask it; none of them knows a format by itself.
class ExchangeRegistry : public DiveExporter {
public:
    // The exports take their texts ("Air") and units from the context.
    explicit ExchangeRegistry(const AppContext& context);

    // The export save types, in the order a save panel offers them.
    static const QStringList& exportTypeNames();
    static bool exports(const QString& type) { return exportTypeNames().contains(type); }
    const QStringList& typeNames() const override { return exportTypeNames(); }
    Result<QByteArray> write(const QString& type, const QList<Plongee>& dives, QStringList* report) const override;
    Result<ExportOutput> exportDives(const QString& type, const QList<Plongee>& dives) const;

    // The format a file's content shows, without consuming it.
    static ExchangeFormat recognise(QIODevice& device);
    // A name for messages ("UDCF").
    static QString formatName(ExchangeFormat format);

    struct Read {
        Result<QList<ImportedDive>> dives; // those not handed to the sink
        bool cancelled = false;
        int placeholders = 0; // empty dive elements left out
        ExchangeFormat format = ExchangeFormat::Unknown; // as the content shows
    };
    // The dives of a file, read by the reader of the format its content
    // shows. A file of no known format is read as UDDF, whose reader says
    // what is wrong with it. A reader may hand the first dives to the sink
    // while it reads.
    static Read read(QIODevice& device, const ImportProgress& progress = {}, ImportSink* sink = nullptr);

private:
    const AppContext& m_context;
};
