// The text and CSV exports read back by Python's csv module, cell for cell:
// separators, quotes, line breaks and formula prefixes in the texts, the
// Mac OS Roman fallbacks and the profile table.
#include "exchange/ExchangeRegistry.h"
#include "exchange/TextExport.h"
#include "support/ContextFixture.h"
#include "support/DiveFields.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>

namespace {

Plongee diveWith(int number, const QString& lieu, const QString& site, const QString& pays, const QString& buddies)
{
    Plongee d;
    d.setDate(QDateTime(QDate(2012, 7, 5), QTime(12, 0)));
    d.setHeure(QDateTime(QDate(2012, 7, 5), QTime(9, 30)));
    d.setLieu(lieu);
    d.setSite(site);
    d.setPays(pays);
    d.setPartenaires(buddies);
    setFields(d, QStringLiteral("surface=--:--; profondeur=23.5; temps=41; tempEau=-2; meteo=7; courant=7; visibilite=8"));
    d.setNoPlongee(number);
    d.setProfilProfondeur(QList<float>{0.0f, 6.2f, 0.0f});
    d.setSLOW_Flag(QList<qint16>{0});
    d.setASC_Flag(QList<qint16>{0, 1, 0});
    return d;
}

// The rows of a CSV text as Python's csv module reads them.
QJsonArray pythonRows(const QByteArray& bytes, const QString& encoding, QChar separator)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv,io,json,sys\n"
                                 "text=sys.stdin.buffer.read().decode(sys.argv[1])\n"
                                 "print(json.dumps(list(csv.reader(io.StringIO(text,newline=''),delimiter=sys.argv[2]))))"),
                  encoding, QString(separator)});
    python.write(bytes);
    python.closeWriteChannel();
    python.waitForFinished(30000);
    return QJsonDocument::fromJson(python.readAllStandardOutput()).array();
}

class TextExportTest : public ContextFixture {};

} // namespace

TEST_F(TextExportTest, EveryCellReadsBackInItsColumn)
{
    if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    const QList<Plongee> dives = {
        diveWith(3, QStringLiteral("Port-Cros"), QStringLiteral("La Gabinière"), QStringLiteral("France"),
                 QStringLiteral("Anne; Luc, \"Bob\"")),
        diveWith(4, QStringLiteral("=HYPERLINK(\"x\")"), QStringLiteral("Two\nlines"), QStringLiteral("Łódź"),
                 QStringLiteral("@Eve\t+Max")),
    };
    const QStringList first = {"3", "05/07/2012", "Port-Cros", "La Gabinière", "France", "0", "--:--", "09:30",
                               "23.5", "41", "0", "0", "0", "0", "N/A", "", "Exceptional", "-2", "0",
                               "Anne; Luc, \"Bob\""};
    const QStringList second = {"4", "05/07/2012", "'=HYPERLINK(\"x\")", "Two\nlines"};
    for (const TextExport::Type& type : TextExport::types()) {
        if (type.table != TextExport::Table::Dives)
            continue;
        const ExportOutput out = TextExport(context->localizer()).write(type, dives);
        const bool utf8 = type.encoding == TextExport::Encoding::Utf8;
        const QJsonArray rows = pythonRows(out.bytes, utf8 ? "utf-8" : "mac_roman", type.separator);
        const std::string name = type.name.toStdString();
        ASSERT_EQ(rows.size(), 3) << name << ": " << out.bytes.toStdString();
        const auto row = [&](int i) { return rows[i].toVariant().toStringList(); };
        EXPECT_EQ(row(0).size(), 20) << name;
        EXPECT_EQ(row(0).value(0), "Dive #") << name;
        EXPECT_EQ(row(1), first) << name;
        const QStringList b = row(2);
        ASSERT_EQ(b.size(), 20) << name;
        EXPECT_EQ(b.mid(0, 4), second) << name;
        EXPECT_EQ(b[4], utf8 ? QStringLiteral("Łódź") : QStringLiteral("?ódz")) << name;
        EXPECT_EQ(b[19], "'@Eve\t+Max") << name;
        // One kind of line ending: CR LF after each line, the break inside
        // the quoted cell is the cell's own.
        EXPECT_EQ(out.bytes.count("\r\n"), 3) << name;
        EXPECT_EQ(out.bytes.count('\r'), 3) << name;
        EXPECT_EQ(out.report.size(), utf8 ? 0 : 1) << name;
        EXPECT_TRUE(utf8 || out.report.value(0).contains("4 (row 1)")) << out.report.value(0).toStdString();
    }
}

TEST_F(TextExportTest, ProfileTable)
{
    const QList<Plongee> dives = {diveWith(3, "A", "B", "C", "D")};
    const auto out = ExchangeRegistry(*context).exportDives(QStringLiteral("Export Profils CSV (Virgule)"), dives);
    ASSERT_TRUE(out.ok()) << out.error().toStdString();
    // The SLOW list is shorter than the profile: its cells stay empty.
    EXPECT_EQ(out->bytes.toStdString(), "Dive #,Point,Depth,ASC,SLOW,CEIL,SURF,GAS,PRESS\r\n"
                          "3,1,0.0,0,,,,,\r\n"
                          "3,2,6.2,1,,,,,\r\n"
                          "3,3,0.0,0,,,,,\r\n");
    const auto empty = ExchangeRegistry(*context).exportDives(QStringLiteral("Export Carnet CSV (Virgule)"), {});
    EXPECT_EQ(empty->bytes.count("\r\n"), 1) << "an empty logbook writes only the title line";
}
