#include "ui/ShellFixture.h"

#include "logbook/DiveList.h"
#include "logbook/LogbookGenerator.h"
#include "logbook/draw/ListPrinter.h"
#include "logbook/draw/PrintCommand.h"
#include "logbook/ui/ListPrintController.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QStatusBar>

#include <memory>

using PrintTest = ShellFixture;

namespace {

int pdfPages(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    int pages = 0;
    auto it = page.globalMatch(QString::fromLatin1(pdf));
    while (it.hasNext()) {
        it.next();
        ++pages;
    }
    return pages;
}

// The width and height of the first page's media box, in points.
QSizeF mediaBox(const QByteArray& pdf)
{
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)\\s+([-0-9.]+)\\s*\\]"));
    const QRegularExpressionMatch m = box.match(QString::fromLatin1(pdf));
    if (!m.hasMatch())
        return {};
    return {m.captured(3).toDouble() - m.captured(1).toDouble(), m.captured(4).toDouble() - m.captured(2).toDouble()};
}

void expectLogbookPageSettings(const QPageLayout& layout, const char* what)
{
    EXPECT_EQ(layout.orientation(), QPageLayout::Landscape) << what;
    const QMarginsF margins = layout.margins(QPageLayout::Point);
    EXPECT_NEAR(margins.top(), 23.2, 0.01) << what;
    EXPECT_NEAR(margins.bottom(), 25.0, 0.01) << what;
    EXPECT_NEAR(margins.left(), 10.0, 0.01) << what;
    EXPECT_NEAR(margins.right(), 10.0, 0.01) << what;
}

// A PDF writer into memory, with the logbook's page settings.
struct PdfPage {
    QByteArray bytes;
    QBuffer buffer{&bytes};
    QPdfWriter writer{&buffer};
    PdfPage()
    {
        buffer.open(QIODevice::WriteOnly);
        writer.setPageSize(QPageSize(QPageSize::A4));
        ListPrinter::applyPageSettings(writer);
    }
};

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

    // Printing sets the page again and keeps the paper.
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
    const QSizeF box = mediaBox(pdf);
    EXPECT_GT(box.width(), box.height());

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
    const struct {
        int dives;
        int minPages, maxPages;
    } cases[] = {{0, 1, 1}, {120, 3, 6}, {600, 14, 30}};
    for (const auto& c : cases) {
        const QByteArray pdf = PrintCommand::pdf(logbookgenerator::generate(c.dives, 2, 3), settings(), context->localizer(),
                                                 QStringLiteral("trial"));
        const int pages = pdfPages(pdf);
        EXPECT_GE(pages, c.minPages) << c.dives;
        EXPECT_LE(pages, c.maxPages) << c.dives;
        EXPECT_NEAR(mediaBox(pdf).width(), 842, 1) << c.dives; // A4 turned
        EXPECT_NEAR(mediaBox(pdf).height(), 595, 1) << c.dives;
    }

    const QList<Plongee> list = logbookgenerator::generate(300, 2, 5);
    const DiveListFormatter formatter(settings(), context->localizer());
    const struct {
        QList<ListPrinter::Column> columns;
        double scale;
    } scales[] = {
        {{{0, 60}, {1, 90}, {2, 150}}, 0.67},       // narrow columns print at 67 %
        {{{0, 900}, {2, 900}}, 822.0 / 1800.0},     // too wide at 67 %: smaller, to fit across
    };
    for (const auto& c : scales) {
        PdfPage page;
        expectLogbookPageSettings(page.writer.pageLayout(), "pdf writer");
        const ListPrinter printer(list, formatter, c.columns);
        EXPECT_NEAR(printer.scaleFor(page.writer), c.scale, 1e-3);
        // The printable height, 595 - 23.2 - 25 points, holds the titles,
        // the foot line and the rows at that scale.
        const double height = (595.0 - 48.2) / c.scale;
        EXPECT_NEAR(printer.rowsPerPage(page.writer),
                    int((height - ListPrinter::kTitleHeight - ListPrinter::kFooterHeight) / ListPrinter::kRowHeight), 1);
        ASSERT_GT(printer.pageCount(page.writer), 3);
        int told = 0;
        EXPECT_FALSE(printer.print(page.writer, [&](int done, int) { return ++told, done < 2; }));
        EXPECT_EQ(told, 2);
    }
}

TEST_F(PrintTest, TheCommandLine)
{
    const QString logbook = writeLogbook(QStringLiteral("list.ondrix"), dives(30));
    const QString garbage = path(QStringLiteral("garbage.ondrix"));
    ASSERT_TRUE(writeFile(garbage, "not a logbook at all"));
    const QString out = path(QStringLiteral("out.pdf"));
    const struct {
        QStringList args;
        int status;
    } cases[] = {
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
