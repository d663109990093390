#include "ui/ShellFixture.h"

#include "logbook/Carnet.h"
#include "logbook/DiveList.h"
#include "logbook/LogbookGenerator.h"
#include "logbook/draw/ListPrinter.h"
#include "logbook/draw/PrintCommand.h"
#include "logbook/ui/CarnetListWindow.h"
#include "logbook/ui/ListPrintController.h"
#include "platform/SettingsStore.h"
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

} // namespace

TEST_F(PrintTest, PageSettingsKeepThePaperAndSetTheRest)
{
    const struct {
        QPageSize::PageSizeId paper;
        QPageLayout::Orientation before;
    } cases[] = {
        {QPageSize::A4, QPageLayout::Portrait},
        {QPageSize::Letter, QPageLayout::Portrait},
        {QPageSize::A3, QPageLayout::Landscape},
    };
    for (const auto& c : cases) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(c.paper));
        writer.setPageOrientation(c.before);
        writer.setPageMargins(QMarginsF(50, 50, 50, 50), QPageLayout::Millimeter);
        ListPrinter::applyPageSettings(writer);
        expectLogbookPageSettings(writer.pageLayout(), "pdf writer");
        EXPECT_EQ(writer.pageLayout().pageSize().id(), c.paper);

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(c.paper));
        printer.setPageOrientation(c.before);
        ListPrinter::applyPageSettings(printer);
        expectLogbookPageSettings(printer.pageLayout(), "printer");
        EXPECT_EQ(printer.pageLayout().pageSize().id(), c.paper);
    }
}

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
    const QSizeF box = mediaBox(pdf);
    EXPECT_GT(box.width(), box.height());

    // A cancelled print panel prints nothing.
    QFile::remove(out);
    window->printing()->setPrintPanel([](QPrinter&, QWidget*) { return false; });
    window->printAction()->trigger();
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(PrintTest, PagesGrowWithTheDives)
{
    const struct {
        int dives;
        int minPages, maxPages;
    } cases[] = {
        {0, 1, 1},
        {5, 1, 1},
        {120, 3, 6},
        {600, 14, 30},
    };
    int previous = 0;
    for (const auto& c : cases) {
        const QList<Plongee> list = logbookgenerator::generate(c.dives, 2, 3);
        const QByteArray pdf = PrintCommand::pdf(list, settings(), context->localizer(), QStringLiteral("trial"));
        ASSERT_TRUE(pdf.startsWith("%PDF-")) << c.dives;
        const int pages = pdfPages(pdf);
        EXPECT_GE(pages, c.minPages) << c.dives;
        EXPECT_LE(pages, c.maxPages) << c.dives;
        EXPECT_GE(pages, previous) << c.dives;
        previous = pages;
        // A4 turned: 842 by 595 points.
        const QSizeF box = mediaBox(pdf);
        EXPECT_NEAR(box.width(), 842, 1) << c.dives;
        EXPECT_NEAR(box.height(), 595, 1) << c.dives;
    }
}

TEST_F(PrintTest, RowsPerPageFollowTheScaleAndTheColumnsFitAcross)
{
    const QList<Plongee> list = logbookgenerator::generate(50, 2, 5);
    const DiveListFormatter formatter(settings(), context->localizer());
    QList<int> all;
    for (int c = 0; c < divelist::columns().size(); ++c)
        all.append(c);
    const struct {
        QList<ListPrinter::Column> columns;
        double scale;
    } cases[] = {
        // Narrow columns print at 67 %.
        {{{0, 60}, {1, 90}, {2, 150}}, 0.67},
        // Too wide for the page at 67 %: smaller, to fit across.
        {{{0, 900}, {2, 900}}, 822.0 / 1800.0},
    };
    for (const auto& c : cases) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QPageSize::A4));
        ListPrinter::applyPageSettings(writer);
        const ListPrinter printer(list, formatter, c.columns);
        EXPECT_NEAR(printer.scaleFor(writer), c.scale, 1e-3);
        // The printable height, 595 - 23.2 - 25 points, holds the titles,
        // the foot line and the rows at that scale.
        const double height = (595.0 - 48.2) / c.scale;
        const int rows =
            int((height - ListPrinter::kTitleHeight - ListPrinter::kFooterHeight) / ListPrinter::kRowHeight);
        EXPECT_NEAR(printer.rowsPerPage(writer), rows, 1);
        EXPECT_EQ(printer.pageCount(writer), (50 + printer.rowsPerPage(writer) - 1) / printer.rowsPerPage(writer));
    }
    // Fitted columns are at least as wide as their titles.
    for (const ListPrinter::Column& c : ListPrinter::fittedColumns(all, list, formatter))
        EXPECT_GT(c.width, 20) << c.column;
}

TEST_F(PrintTest, ACancelledPrintStops)
{
    const QList<Plongee> list = logbookgenerator::generate(300, 2, 5);
    const DiveListFormatter formatter(settings(), context->localizer());
    const ListPrinter printer(list, formatter, {{0, 60}, {2, 150}});
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    ListPrinter::applyPageSettings(writer);
    ASSERT_GT(printer.pageCount(writer), 3);
    int told = 0;
    EXPECT_FALSE(printer.print(writer, [&](int done, int count) {
        ++told;
        EXPECT_EQ(count, printer.pageCount(writer));
        return done < 2;
    }));
    EXPECT_EQ(told, 2);
}

TEST_F(PrintTest, TheCommandLine)
{
    const QString logbook = writeLogbook(QStringLiteral("list.ondrix"), dives(30));
    const QString garbage = path(QStringLiteral("garbage.ondrix"));
    ASSERT_TRUE(writeFile(garbage, "not a logbook at all"));
    const QString ini = path(QStringLiteral("cli.ini"));
    const QString out = path(QStringLiteral("out.pdf"));
    const struct {
        QStringList args;
        int status;
        bool written;
        const char* errStart;
    } cases[] = {
        {{garbage, QStringLiteral("--pdf"), out}, 1, false, "ondrix-cli: "},
        {{path(QStringLiteral("missing.ondrix")), QStringLiteral("--pdf"), out}, 1, false, "ondrix-cli: "},
        {{logbook, QStringLiteral("--pdf"), path(QStringLiteral("no/such/folder/out.pdf"))}, 1, false, "ondrix-cli: "},
        {{logbook}, 2, false, "ondrix-cli: "},
        {{logbook, QStringLiteral("--pdf")}, 2, false, "ondrix-cli: "},
        {{logbook, QStringLiteral("--png"), out}, 2, false, "ondrix-cli: "},
        {{logbook, logbook, QStringLiteral("--pdf"), out}, 2, false, "ondrix-cli: "},
        {{logbook, QStringLiteral("--pdf"), out}, 0, true, ""},
    };
    for (const auto& c : cases) {
        QFile::remove(out);
        QByteArray stdoutBytes, stderrBytes;
        EXPECT_EQ(PrintCommand::run(c.args, ini, stdoutBytes, stderrBytes), c.status)
            << c.args.join(u' ').toStdString();
        EXPECT_EQ(QFileInfo::exists(out), c.written) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(stderrBytes.startsWith(c.errStart)) << stderrBytes.toStdString();
        EXPECT_EQ(stderrBytes.isEmpty(), c.status == 0) << stderrBytes.toStdString();
        if (c.status == 1) {
            EXPECT_EQ(stderrBytes.count('\n'), 1) << stderrBytes.toStdString();
        }
    }
    const QByteArray pdf = fileContent(out);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdfPages(pdf), 1);

    // A file refused leaves an existing output as it was.
    ASSERT_TRUE(writeFile(out, "before"));
    QByteArray o, e;
    EXPECT_EQ(PrintCommand::run({garbage, QStringLiteral("--pdf"), out}, ini, o, e), 1);
    EXPECT_EQ(fileContent(out), QByteArray("before"));
}

