#include "ui/ShellFixture.h"

#include "app/cli/PaintingCommands.h"
#include "app/draw/DrawLayer.h"
#include "logbook/DiveList.h"
#include "logbook/LogbookGenerator.h"
#include "logbook/draw/ListPrinter.h"
#include "logbook/draw/PrintCommand.h"
#include "logbook/ui/ListPrintController.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>

using PrintTest = ShellFixture;

namespace {

int pdfPages(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(pdf).count(page));
}

// The width and height of the first page's media box, in points.
QSizeF mediaBox(const QByteArray& pdf)
{
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)\\s*\\]"));
    const QRegularExpressionMatch m = box.match(QString::fromLatin1(pdf));
    const auto at = [&](int i) { return m.captured(i).toDouble(); }; // 0 without a box
    return {at(3) - at(1), at(4) - at(2)};
}

void expectLogbookPageSettings(const QPageLayout& layout, const char* what)
{
    const QMarginsF m = layout.margins(QPageLayout::Point);
    EXPECT_EQ(QString::asprintf("%d %.2f %.2f %.2f %.2f", int(layout.orientation()), m.top(), m.bottom(), m.left(), m.right()),
              QString::asprintf("%d 23.20 25.00 10.00 10.00", int(QPageLayout::Landscape))) << what;
}

} // namespace

TEST_F(PrintTest, TheWindowsPrinterStartsWithTheLogbooksSettingsAndPrintAppliesThemAgain)
{
    Carnet* carnet = controller->openDocument(writeLogbook(QStringLiteral("list.ondrix"), dives(40)));
    CarnetListWindow* window = controller->windowOf(carnet);
    QPrinter& printer = window->printing()->printer();
    expectLogbookPageSettings(printer.pageLayout(), "new printer");

    // The page set-up panel turns the page; printing turns it back and
    // keeps the paper chosen.
    window->printing()->setPageSetupPanel([](QPrinter& p, QWidget*) {
        p.setPageSize(QPageSize(QPageSize::Letter));
        p.setPageOrientation(QPageLayout::Portrait);
        return true;
    });
    window->pageSetupAction()->trigger();
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);

    const QString out = path(QStringLiteral("list.pdf"));
    carnet->setSelection({1, 2}, 2);
    QPageLayout seenByPanel;
    window->printing()->setPrintPanel([&](QPrinter& p, QWidget*) {
        seenByPanel = p.pageLayout();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(out);
        return true;
    });
    window->printAction()->trigger();
    expectLogbookPageSettings(seenByPanel, "print panel");
    EXPECT_EQ(seenByPanel.pageSize().id(), QPageSize::Letter);
    // No row prints highlighted.
    EXPECT_TRUE(carnet->selectedRows().isEmpty());
    const QByteArray pdf = fileContent(out);
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdfPages(pdf), window->printing()->lastPageCount());
    EXPECT_GE(window->printing()->lastPageCount(), 1);
    EXPECT_GT(mediaBox(pdf).width(), mediaBox(pdf).height());

    // A cancelled print panel prints nothing.
    QFile::remove(out);
    window->printing()->setPrintPanel([](QPrinter&, QWidget*) { return false; });
    window->printAction()->trigger();
    EXPECT_FALSE(QFileInfo::exists(out));
}

// The list printer's own rules, with no window: pages grow with the dives,
// the scale fits the columns across, a cancelled print stops.
TEST_F(PrintTest, PagesScaleAndCancel)
{
    const struct { int dives, minPages, maxPages; } cases[] = {{0, 1, 1}, {120, 3, 6}, {600, 14, 30}};
    for (const auto& c : cases) {
        const QByteArray pdf = PrintCommand::pdf(logbookgenerator::generate(c.dives, 2, 3), settings(), context->localizer(),
                                                 QStringLiteral("trial"));
        EXPECT_TRUE(c.minPages <= pdfPages(pdf) && pdfPages(pdf) <= c.maxPages) << c.dives << ": " << pdfPages(pdf);
        EXPECT_EQ(mediaBox(pdf).toSize(), QSize(842, 595)) << c.dives; // A4 turned
    }

    const QList<Plongee> list = logbookgenerator::generate(300, 2, 5);
    const DiveListFormatter formatter(settings(), context->localizer());
    const struct { QList<ListPrinter::Column> columns; double scale; } scales[] = {
        {{{0, 60}, {1, 90}, {2, 150}}, 0.67},       // narrow columns print at 67 %
        {{{0, 900}, {2, 900}}, 822.0 / 1800.0},     // too wide at 67 %: smaller, to fit across
    };
    for (const auto& c : scales) {
        // A PDF writer into memory, with the logbook's page settings.
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        ListPrinter::applyPageSettings(writer);
        expectLogbookPageSettings(writer.pageLayout(), "pdf writer");
        const ListPrinter printer(list, formatter, c.columns);
        EXPECT_NEAR(printer.scaleFor(writer), c.scale, 1e-3);
        // The printable height, 595 - 23.2 - 25 points, holds the titles,
        // the foot line and the rows at that scale.
        const double height = (595.0 - 48.2) / c.scale;
        EXPECT_NEAR(printer.rowsPerPage(writer),
                    int((height - ListPrinter::kTitleHeight - ListPrinter::kFooterHeight) / ListPrinter::kRowHeight), 1);
        ASSERT_GT(printer.pageCount(writer), 3);
        int told = 0;
        EXPECT_FALSE(printer.print(writer, [&](int done, int) { return ++told, done < 2; }));
        EXPECT_EQ(told, 2);
    }
}

TEST_F(PrintTest, TheCommandLine)
{
    const QString logbook = writeLogbook(QStringLiteral("list.ondrix"), dives(30));
    const QString garbage = path(QStringLiteral("garbage.ondrix"));
    ASSERT_TRUE(writeFile(garbage, "not a logbook at all"));
    const QString out = path(QStringLiteral("out.pdf"));
    const struct { QStringList args; int status; } cases[] = {
        {{garbage, QStringLiteral("--pdf"), out}, 1},
        {{logbook, QStringLiteral("--pdf"), path(QStringLiteral("no/such/folder/out.pdf"))}, 1},
        {{logbook}, 2},
        {{logbook, QStringLiteral("--png"), out}, 2},
        {{logbook, logbook, QStringLiteral("--pdf"), out}, 2},
        {{logbook, QStringLiteral("--pdf"), out}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(u' ').toStdString());
        ASSERT_TRUE(writeFile(out, "before"));
        QByteArray o, e;
        EXPECT_EQ(PrintCommand::run(c.args, path(QStringLiteral("cli.ini")), o, e), c.status);
        EXPECT_EQ(e.isEmpty(), c.status == 0) << e.toStdString();
        EXPECT_TRUE(c.status == 0 || e.startsWith("ondrix-cli: ")) << e.toStdString();
        EXPECT_EQ(fileContent(out) == "before", c.status != 0); // a refused file leaves the output
    }
    EXPECT_EQ(pdfPages(fileContent(out)), 1);
}

// The command line loads its painting module only for the names it knows:
// a command the module gives under another name could never be run.
TEST(PaintingCommandsTest, TheModuleGivesTheCommandsTheProgramLoadsItFor)
{
    QStringList given = drawlayer::commands().keys();
    QStringList known = paintingcommands::names();
    given.sort();
    known.sort();
    EXPECT_EQ(given, known);
}
