#include "ui/ShellFixture.h"

#include "platform/draw/StoredPicture.h"
#include "platform/ui/CommandToolBar.h"
#include "registers/EpavesFields.h"
#include "registers/EntreprisesFields.h"
#include "registers/EpavesRegister.h"
#include "registers/StructuresFields.h"
#include "registers/RegisterDocument.h"
#include "registers/draw/RegisterListPrinter.h"
#include "registers/ui/RegisterEditWindow.h"
#include "registers/ui/RegisterListWindow.h"
#include "registers/ui/RegisterSynthesisWindow.h"

#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QImageReader>
#include <QLineEdit>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextEdit>

namespace {

QByteArray encoded(const QSize& size, const char* format, bool alpha = false)
{
    QImage image(size, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.fill(alpha ? QColor(10, 120, 200, 128) : QColor(10, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

// What a card stores of a picture: the file's own PNG or JPEG within the
// limit, else the picture scaled to 4096 px on its longer side and encoded
// again; anything that is not a readable picture is refused.
TEST(StoredPictureTest, KeepsScalesOrRefuses)
{
    const struct { const char* name; QByteArray bytes; bool taken, sameBytes; QSize stored; const char* format; } cases[] = {
        {"small png", encoded({64, 32}, "PNG"), true, true, {64, 32}, "png"},
        {"jpeg at the limit", encoded({4096, 16}, "JPEG"), true, true, {4096, 16}, "jpeg"},
        {"wide png", encoded({5000, 100}, "PNG"), true, false, {4096, 81}, "jpeg"},
        {"tall png with alpha", encoded({20, 8200}, "PNG", true), true, false, {9, 4096}, "png"},
        {"bmp", encoded({40, 40}, "BMP"), true, false, {40, 40}, "jpeg"},
        {"text", QByteArray("not a picture at all"), false, false, {}, ""},
        {"empty", QByteArray(), false, false, {}, ""},
        {"cut png", encoded({64, 64}, "PNG").left(40), false, false, {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto stored = storedpicture::fromBytes(c.bytes);
        ASSERT_EQ(bool(stored), c.taken) << stored.error().toStdString();
        if (!c.taken) {
            EXPECT_FALSE(stored.error().isEmpty());
            continue;
        }
        EXPECT_EQ(*stored == c.bytes, c.sameBytes);
        QBuffer buffer(&*stored);
        QImageReader reader(&buffer);
        EXPECT_EQ(reader.format(), QByteArray(c.format));
        EXPECT_EQ(storedpicture::decode(*stored).size(), c.stored);
    }
}

class RegisterWindowsTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        controller->newEpavesDocumentMenuAction();
        ASSERT_EQ(controller->registers().size(), 1);
        doc = controller->registers().first();
        list = controller->windowOf(doc);
        ASSERT_NE(list, nullptr);
        edit = list->editWindow();
    }

    // Adds a card through the edit window, as the diver types it.
    void addCard(const QString& name, const QString& length)
    {
        doc->newRecord();
        typeKeys(edit->control(epaves::nom), name);
        typeKeys(edit->control(epaves::longueur), length);
        edit->commandToolBar()->itemAction(QStringLiteral("addWreck"))->trigger();
    }

    QStringList names() const
    {
        QStringList out;
        for (const RegisterRecord& r : doc->records())
            out.append(r.text(epaves::nom).value_or(QString()));
        return out;
    }

    QList<int> viewSelection() const
    {
        QList<int> rows;
        for (const QModelIndex& index : list->tableView()->selectionModel()->selectedRows())
            rows.append(index.row());
        return rows;
    }

    RegisterDocument* doc = nullptr;
    RegisterListWindow* list = nullptr;
    RegisterEditWindow* edit = nullptr;
};

// Add, insert and update reach the form and the list (their guards are
// RegistersTest's); the toolbar follows the count; a header click sorts and
// the selected card stays selected.
TEST_F(RegisterWindowsTest, AddInsertUpdateAndSortThroughTheWindowsAndACardWithoutUpdateDateShowsNone)
{
    CommandToolBar* tools = edit->commandToolBar();
    EXPECT_FALSE(tools->itemAction(QStringLiteral("updateWreck"))->isEnabled() || list->printAction()->isEnabled());
    addCard(QStringLiteral("Togo"), QStringLiteral("30"));
    addCard(QStringLiteral("Donator"), QStringLiteral("68"));
    EXPECT_EQ(names(), (QStringList{"Togo", "Donator"}));
    EXPECT_EQ(doc->records()[1].decimal(epaves::longueur), 68.0f);
    EXPECT_EQ(list->countText(), QStringLiteral("2 cards"));
    EXPECT_TRUE(viewSelection().isEmpty() && tools->itemAction(QStringLiteral("updateWreck"))->isEnabled());

    // The new card typed waits for Insert: choosing its row keeps it.
    typeKeys(edit->control(epaves::nom), QStringLiteral("Nobody"));
    const auto shownName = [&] { return qobject_cast<QLineEdit*>(edit->control(epaves::nom))->text(); };
    list->tableView()->selectRow(1);
    EXPECT_EQ(shownName(), QStringLiteral("Nobody"));
    tools->itemAction(QStringLiteral("insertWreck"))->trigger();
    list->tableView()->selectRow(2);
    EXPECT_EQ(shownName(), QStringLiteral("Donator"));
    typeKeys(edit->control(epaves::nom), QStringLiteral("Le Donator"));
    tools->itemAction(QStringLiteral("updateWreck"))->trigger();
    EXPECT_EQ(names(), (QStringList{"Togo", "Nobody", "Le Donator"}));
    EXPECT_TRUE(doc->isModified());

    emit list->tableView()->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(names(), (QStringList{"Togo", "Nobody", "Le Donator"})); // descending first
    list->tableView()->selectRow(0);
    emit list->tableView()->horizontalHeader()->sectionClicked(0);
    EXPECT_EQ(names(), (QStringList{"Le Donator", "Nobody", "Togo"}));
    EXPECT_EQ(std::tuple(viewSelection(), shownName()), std::tuple(QList<int>{2}, QStringLiteral("Togo")));

    // A card of a file older than the update date shows and keeps no date;
    // the orientation waits for its switch, as the form's rules say.
    RegisterRecord old(epaves::schema());
    old.setValue(epaves::nom, RegisterRecord::Text(QStringLiteral("Old")));
    doc->setRecords({old});
    list->tableView()->selectRow(0);
    auto* date = qobject_cast<QDateEdit*>(edit->control(epaves::miseAJour));
    ASSERT_NE(date, nullptr);
    EXPECT_TRUE(date->text().trimmed().isEmpty() && !edit->control(epaves::orientation)->isEnabled());
    qobject_cast<QCheckBox*>(edit->control(epaves::orientationSwitch))->click();
    EXPECT_TRUE(edit->control(epaves::orientation)->isEnabled());
    edit->commandToolBar()->itemAction(QStringLiteral("updateWreck"))->trigger();
    EXPECT_FALSE(doc->records()[0].date(epaves::miseAJour).isValid() || doc->records()[0].image(epaves::photo).has_value());
}

// The list prints in landscape, its titles on every page.
TEST_F(RegisterWindowsTest, TheListPrintsInLandscapePageByPage)
{
    const auto& reg = epaves::description();
    const auto records = [](int count) { return QList<RegisterRecord>(count, RegisterRecord(epaves::schema())); };
    QPdfWriter writer(path(QStringLiteral("list.pdf")));
    writer.setPageSize(QPageSize(QPageSize::A4));
    TablePrinter::applyPageSettings(writer, registerlistprinter::pageSettings(reg));
    EXPECT_GT(writer.pageLayout().fullRectPoints().width(), writer.pageLayout().fullRectPoints().height());
    EXPECT_EQ(writer.pageLayout().margins(QPageLayout::Point).top(), 24.8);
    const int perPage = registerlistprinter::printer(reg, records(5), context->localizer()).rowsPerPage(writer);
    for (const int count : {0, 1, perPage, perPage + 1, 3 * perPage})
        EXPECT_EQ(registerlistprinter::printer(reg, records(count), context->localizer()).pageCount(writer),
                  std::max(1, (count + perPage - 1) / perPage))
            << count;
}

// A repertory is saved through the safe save, asks before closing with
// changes, and opens again from its file in its own list window.
TEST_F(RegisterWindowsTest, SaveCloseAndOpenAgain)
{
    addCard(QStringLiteral("Togo"), QStringLiteral("30"));
    const QString file = path(QStringLiteral("wrecks.ondrix-wrecks"));
    controller->setSavePathChooser([&](QWidget*, const QString& suggestion) {
        EXPECT_TRUE(suggestion.endsWith(QStringLiteral(".ondrix-wrecks")));
        return file;
    });
    addCard(QStringLiteral("Alma"), QStringLiteral("12"));
    const qsizetype asked = alerts.asked().size();
    alerts.queueAnswer(0); // Save
    EXPECT_TRUE(controller->closeDocument(doc));
    EXPECT_EQ(alertKeys().mid(asked), QStringList{QStringLiteral("Save changes")});
    EXPECT_TRUE(waitFor([&] { return controller->registers().isEmpty(); }));

    auto* again = qobject_cast<RegisterDocument*>(controller->openFile(file));
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->count() == 2 && !again->isModified() && controller->windowOf(again)->isVisible()) << again->count();
    EXPECT_EQ(controller->recentDocuments().mostRecent(), RecentDocuments::normalised(file));
    EXPECT_EQ(controller->openDocument(file), nullptr); // not a logbook: it only comes forward
}

// The address books' edit windows: a day's four hours on one line, each
// typing into its own field; the update item waits for a firm; the kind
// pop-up of a blank structure shows its second item.
class AddressBookWindowsTest : public ShellFixture {};

TEST_F(AddressBookWindowsTest, EveryHourTypesIntoItsField)
{
    controller->newEntrepriseDocumentMenuAction();
    controller->newStructureDocumentMenuAction();
    ASSERT_EQ(controller->registers().size(), 2);
    RegisterDocument* firms = controller->registers()[0];
    RegisterEditWindow* edit = controller->windowOf(firms)->editWindow();
    QAction* update = edit->commandToolBar()->itemAction(QStringLiteral("updateFirm"));
    ASSERT_TRUE(update && !update->isEnabled());
    firms->newRecord();
    const int tuesday = entreprises::horaireMardi_1;
    for (int hour = 0; hour < 4; ++hour) {
        QWidget* control = edit->control(tuesday + hour);
        ASSERT_NE(control, nullptr) << hour;
        EXPECT_EQ(control->parentWidget(), edit->control(tuesday)->parentWidget()) << hour;
        typeKeys(control, QStringLiteral("1%1:00").arg(hour));
    }
    edit->commandToolBar()->itemAction(QStringLiteral("addFirm"))->trigger();
    EXPECT_EQ(std::tuple(firms->records().first().text(tuesday + 3), firms->records().first().text(entreprises::horaireDimanche_1)),
              std::tuple(std::optional(QStringLiteral("13:00")), std::optional(QStringLiteral("Closed"))));
    EXPECT_TRUE(update->isEnabled());

    // The synthesis is built again each time it is shown, also once the
    // book is empty again.
    RegisterListWindow* list = controller->windowOf(firms);
    const auto shownSynthesis = [&] {
        list->showSynthesisWindow();
        return list->synthesisWindow()->textView()->toPlainText();
    };
    EXPECT_TRUE(shownSynthesis().contains(QStringLiteral("13:00")));
    firms->setSelection({0}, 0);
    firms->deleteRecords();
    ASSERT_EQ(firms->count(), 0);
    EXPECT_FALSE(shownSynthesis().contains(QStringLiteral("13:00")));

    RegisterEditWindow* structures = controller->windowOf(controller->registers()[1])->editWindow();
    const auto* kind = qobject_cast<QComboBox*>(structures->control(structures::type));
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(std::tuple(kind->currentIndex(), kind->currentText()), std::tuple(1, QStringLiteral("Association")));
}
