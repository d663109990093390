#include "ui/ShellFixture.h"

#include "platform/context/PickLists.h"
#include "app/ui/AppDelegate.h"
#include "logbook/Carnet.h"
#include "logbook/DiveChoices.h"
#include "logbook/DiveForm.h"
#include "logbook/ui/CarnetListWindow.h"
#include "logbook/ui/DiveEditWindow.h"
#include "logbook/ui/DiveTableModel.h"
#include "logbook/ui/RenumberWindow.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTimeEdit>

using namespace plongee;

namespace {

// Types into a text control as the keyboard does, so that the window sees
// an edit by the diver.
void type(QWidget* widget, const QString& text)
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(widget);
    if (auto* box = qobject_cast<QComboBox*>(widget))
        edit = box->lineEdit();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(edit, &erase);
    for (const QChar c : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &key);
    }
}

QString lineText(DiveEditWindow* window, const char* field)
{
    return window->shownValue(QLatin1String(field));
}

class DiveEditWindowTest : public ShellFixture {
protected:
    // A logbook of three dives, open in its window, with dive 2 selected.
    void open(QList<Plongee> list = {})
    {
        if (list.isEmpty())
            list = dives(3);
        carnet = controller->openDocument(writeLogbook(QStringLiteral("edit.ondrix"), list));
        ASSERT_NE(carnet, nullptr);
        list_ = controller->windowOf(carnet);
        edit = list_->editWindow();
        list_->showEditWindow();
        list_->tableView()->selectRow(1);
    }
    void update() { edit->action(DiveEditWindow::UpdateDive)->trigger(); }

    Carnet* carnet = nullptr;
    CarnetListWindow* list_ = nullptr;
    DiveEditWindow* edit = nullptr;
};

} // namespace

TEST_F(DiveEditWindowTest, EveryControlOfTheFormHasOneWidgetOnOnePage)
{
    Carnet logbook(*context);
    DiveEditWindow window(logbook);
    QSet<QWidget*> seen;
    for (int field = 0; field < Plongee::FieldCount; ++field) {
        const QString name = QLatin1String(Plongee::field(field).name);
        QWidget* widget = window.fieldWidget(field);
        if (DiveForm::controlOf(field) == DiveForm::Control::None) {
            EXPECT_EQ(widget, nullptr) << name.toStdString();
            continue;
        }
        ASSERT_NE(widget, nullptr) << name.toStdString();
        EXPECT_FALSE(seen.contains(widget));
        seen.insert(widget);
        EXPECT_EQ(widget->objectName(), name);
        EXPECT_NE(window.pageOf(field), DiveEditWindow::PageCount) << name.toStdString();
        EXPECT_EQ(window.findChildren<QWidget*>(name).size(), 1) << name.toStdString();
    }
}

TEST_F(DiveEditWindowTest, ControlsOfTheirKind)
{
    Carnet logbook(*context);
    DiveEditWindow window(logbook);
    EXPECT_NE(qobject_cast<QDateEdit*>(window.fieldWidget(idx_date)), nullptr);
    EXPECT_NE(qobject_cast<QTimeEdit*>(window.fieldWidget(idx_heure)), nullptr);
    EXPECT_NE(qobject_cast<QSlider*>(window.fieldWidget(idx_difficulte)), nullptr);
    EXPECT_NE(qobject_cast<QPlainTextEdit*>(window.fieldWidget(idx_notes)), nullptr);
    EXPECT_NE(qobject_cast<QPlainTextEdit*>(window.fieldWidget(idx_runtime)), nullptr);
    for (int field : {int(idx_nocturne), int(idx_deco_Level_1_sw), int(idx_deco_Level_5_sw)})
        EXPECT_NE(qobject_cast<QCheckBox*>(window.fieldWidget(field)), nullptr) << field;
    for (int field = 0; field < Plongee::FieldCount; ++field) {
        if (DiveForm::controlOf(field) != DiveForm::Control::Choice)
            continue;
        auto* box = qobject_cast<QComboBox*>(window.fieldWidget(field));
        ASSERT_NE(box, nullptr) << Plongee::field(field).name;
        EXPECT_FALSE(box->isEditable());
        const QList<DiveChoice>& items = divechoices::items(field);
        ASSERT_EQ(box->count(), items.size());
        for (int i = 0; i < box->count(); ++i)
            EXPECT_EQ(box->itemData(i).toInt(), items[i].tag);
    }
    // Item texts are the localised ones.
    auto* visibility = qobject_cast<QComboBox*>(window.fieldWidget(idx_visibilite));
    EXPECT_EQ(visibility->itemText(0), QStringLiteral("Exceptional"));
    auto* material = qobject_cast<QComboBox*>(window.fieldWidget(idx_alliageBloc));
    EXPECT_EQ(material->itemText(1), QStringLiteral("Aluminium"));
}

TEST_F(DiveEditWindowTest, ComboBoxesOfferTheirLists)
{
    context->pickLists().list(PickListId::Lieux) = {QStringLiteral("Cassis"), QStringLiteral("Niolon")};
    context->pickLists().list(PickListId::SacDePlongee) = {QStringLiteral("Fins"), QStringLiteral("Mask")};
    Carnet logbook(*context);
    DiveEditWindow window(logbook);
    const auto items = [&](int field) {
        auto* box = qobject_cast<QComboBox*>(window.fieldWidget(field));
        EXPECT_NE(box, nullptr);
        EXPECT_TRUE(box && box->isEditable());
        QStringList texts;
        for (int i = 0; box && i < box->count(); ++i)
            texts.append(box->itemText(i));
        return texts;
    };
    EXPECT_EQ(items(idx_lieu), (QStringList{"Cassis", "Niolon"}));
    EXPECT_EQ(items(idx_equip_7), (QStringList{"Fins", "Mask"}));
    EXPECT_EQ(items(idx_volumeBloc_2), Carnet::offeredTankVolumes());
    EXPECT_EQ(items(idx_pressionBloc), Carnet::offeredTankPressures());
    EXPECT_EQ(items(idx_decoSoftName), Carnet::offeredDecoSoftNames());
    EXPECT_EQ(items(idx_decoAlgoType), Carnet::offeredDecoAlgorithms());
}

namespace {

struct StoreCase {
    const char* name;
    const char* field;
    const char* typed;
    const char* shownAfter;
    std::function<qint32(const Plongee&)> stored;
    qint32 expected;
    const char* alertKey; // empty: no alert
};

class StoreRuleTest : public DiveEditWindowTest, public ::testing::WithParamInterface<StoreCase> {};

} // namespace

TEST_P(StoreRuleTest, TypedThenUpdatedGoesThroughTheRules)
{
    const StoreCase& c = GetParam();
    open();
    type(edit->fieldWidget(QLatin1String(c.field)), QString::fromUtf8(c.typed));
    update();
    EXPECT_EQ(c.stored(carnet->dives().at(1)), c.expected);
    EXPECT_EQ(lineText(edit, c.field), QString::fromUtf8(c.shownAfter));
    QStringList keys;
    for (const Alert& alert : alerts.asked())
        keys.append(alert.key);
    EXPECT_EQ(keys, *c.alertKey ? QStringList{QLatin1String(c.alertKey)} : QStringList());
    EXPECT_TRUE(carnet->isModified());
    EXPECT_EQ(carnet->count(), 3);
}

INSTANTIATE_TEST_SUITE_P(
    DiveWindow, StoreRuleTest,
    ::testing::Values(
        // The rules are the form's; here, that the window types, stores,
        // shows the corrected value and lets the alerts through.
        StoreCase{"TideTooLow", "coeff", "15", "-", [](const Plongee& d) { return d.coeff(); }, 0, ""},
        StoreCase{"TooMuchHelium", "heMix_2", "87", "0", [](const Plongee& d) { return d.heMix_2(); }, 0,
                  "Helium percent"},
        StoreCase{"TimeWithItsUnit", "temps", "45 min", "45 min", [](const Plongee& d) { return d.temps(); }, 45, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiveEditWindowTest, ValuesSetWithoutTypingAreCommittedBeforeTheAction)
{
    open();
    // No edit signal: the action itself takes the widgets' values.
    static_cast<QLineEdit*>(edit->fieldWidget(idx_coeff))->setText(QStringLiteral("15"));
    static_cast<QPlainTextEdit*>(edit->fieldWidget(idx_notes))->setPlainText(QStringLiteral("Two groupers"));
    static_cast<QComboBox*>(edit->fieldWidget(idx_meteo))->setCurrentIndex(3);
    static_cast<QCheckBox*>(edit->fieldWidget(idx_deco_Level_2_sw))->setChecked(true);
    static_cast<QSlider*>(edit->fieldWidget(idx_difficulte))->setValue(4);
    update();
    const Plongee& stored = carnet->dives().at(1);
    EXPECT_EQ(stored.coeff(), 0);
    EXPECT_EQ(stored.notes(), QStringLiteral("Two groupers"));
    EXPECT_EQ(stored.meteo(), 3);
    EXPECT_EQ(stored.deco_Level_2_sw(), 1);
    EXPECT_EQ(stored.difficulte(), 4);
    EXPECT_EQ(lineText(edit, "coeff"), QStringLiteral("-"));
}

TEST_F(DiveEditWindowTest, DateAndTimeAreStoredAndKeepTheOtherPart)
{
    open();
    const QDateTime before = carnet->dives().at(1).heure();
    static_cast<QDateEdit*>(edit->fieldWidget(idx_date))->setDate(QDate(2023, 8, 14));
    static_cast<QTimeEdit*>(edit->fieldWidget(idx_heure))->setTime(QTime(14, 25));
    update();
    const Plongee& stored = carnet->dives().at(1);
    EXPECT_EQ(stored.date().toLocalTime().date(), QDate(2023, 8, 14));
    EXPECT_EQ(stored.heure().toLocalTime().time(), QTime(14, 25));
    EXPECT_EQ(stored.heure().toLocalTime().date(), before.toLocalTime().date());
    EXPECT_EQ(lineText(edit, "date"), QStringLiteral("14/08/2023"));
    EXPECT_EQ(lineText(edit, "heure"), QStringLiteral("14:25"));
}

TEST_F(DiveEditWindowTest, AnUnknownStoredChoiceShowsNoItemAndSurvivesAnUpdate)
{
    QList<Plongee> list = dives(3);
    list[1].setMeteo(42);
    list[1].setTypePlongee(2); // no item carries tag 2
    list[1].setVentSecteur(17);
    open(list);
    for (int field : {int(idx_meteo), int(idx_typePlongee), int(idx_ventSecteur)}) {
        auto* box = static_cast<QComboBox*>(edit->fieldWidget(field));
        EXPECT_EQ(box->currentIndex(), -1) << Plongee::field(field).name;
    }
    type(edit->fieldWidget(idx_lieu), QStringLiteral("Riou"));
    update();
    const Plongee& stored = carnet->dives().at(1);
    EXPECT_EQ(stored.meteo(), 42);
    EXPECT_EQ(stored.typePlongee(), 2);
    EXPECT_EQ(stored.ventSecteur(), 17);
    EXPECT_EQ(stored.lieu(), QStringLiteral("Riou"));
    EXPECT_EQ(static_cast<QComboBox*>(edit->fieldWidget(idx_meteo))->currentIndex(), -1);
}

TEST_F(DiveEditWindowTest, AChoiceShowsItsItemByTagOrByPosition)
{
    QList<Plongee> list = dives(3);
    list[1].setVisibilite(8); // first item
    list[1].setPpO2(3);       // "1,4 bar"
    list[1].setVentForce(4);  // by position: "Force 3"
    open(list);
    EXPECT_EQ(lineText(edit, "visibilite"), QStringLiteral("Exceptional"));
    EXPECT_EQ(lineText(edit, "ppO2"), QStringLiteral("1,4 bar"));
    EXPECT_EQ(lineText(edit, "ventForce"), QStringLiteral("Force 3"));
}

TEST_F(DiveEditWindowTest, NewDiveThenUpdateAlertsAndChangesNoDive)
{
    open();
    const QList<Plongee> before = carnet->dives();
    edit->action(DiveEditWindow::NewDive)->trigger();
    EXPECT_EQ(lineText(edit, "noPlongee"), QStringLiteral("4"));
    EXPECT_TRUE(edit->windowTitle().startsWith(QStringLiteral("Dive 4")));
    type(edit->fieldWidget(idx_lieu), QStringLiteral("Planier"));
    update();
    ASSERT_EQ(alerts.asked().size(), 1);
    EXPECT_EQ(alerts.asked().first().key, QStringLiteral("No dive selected"));
    ASSERT_EQ(carnet->count(), before.size());
    for (int i = 0; i < before.size(); ++i)
        EXPECT_TRUE(carnet->dives().at(i).identical(before.at(i))) << i;
    EXPECT_EQ(lineText(edit, "lieu"), QStringLiteral("Planier")); // the form keeps what was typed
}

TEST_F(DiveEditWindowTest, NewThenAddAppendsTheTypedDiveAndStartsTheNextOne)
{
    open();
    edit->action(DiveEditWindow::NewDive)->trigger();
    EXPECT_EQ(lineText(edit, "coeff"), QStringLiteral("-"));
    EXPECT_EQ(lineText(edit, "decoDepth_Level_5"), QStringLiteral("15"));
    // An empty position shows its template as a hint only, and keeps it.
    const QString gpsTemplate = QStringLiteral("00\u00b000.000' N 000\u00b000.000' E");
    auto* gps = qobject_cast<QLineEdit*>(edit->fieldWidget(idx_gps));
    ASSERT_NE(gps, nullptr);
    EXPECT_TRUE(gps->text().isEmpty());
    EXPECT_EQ(gps->placeholderText(), gpsTemplate);
    type(gps, QStringLiteral("43\u00b012.000' N"));
    type(gps, QString());
    type(edit->fieldWidget(idx_lieu), QStringLiteral("Planier"));
    type(edit->fieldWidget(idx_profondeur), QStringLiteral("42"));
    edit->action(DiveEditWindow::AddDive)->trigger();
    ASSERT_EQ(carnet->count(), 4);
    EXPECT_EQ(carnet->dives().last().gps(), gpsTemplate);
    EXPECT_EQ(carnet->dives().last().noPlongee(), 4);
    EXPECT_EQ(carnet->dives().last().lieu(), QStringLiteral("Planier"));
    EXPECT_FLOAT_EQ(carnet->dives().last().profondeur(), 42.0f);
    EXPECT_EQ(list_->model()->rowCount(), 4);
    EXPECT_EQ(lineText(edit, "noPlongee"), QStringLiteral("5"));
    EXPECT_EQ(lineText(edit, "lieu"), QString());
    EXPECT_EQ(edit->findChild<QLabel*>(QStringLiteral("totalText"))->text(), QStringLiteral("4 dives"));
}

TEST_F(DiveEditWindowTest, NewDiveThenARowClickThenInsertPutsItBeforeThatRow)
{
    open();
    edit->action(DiveEditWindow::NewDive)->trigger();
    type(edit->fieldWidget(idx_lieu), QStringLiteral("Planier"));
    list_->tableView()->selectRow(2);
    EXPECT_EQ(lineText(edit, "lieu"), QStringLiteral("Planier")); // the click did not load row 2
    edit->action(DiveEditWindow::InsertDive)->trigger();
    ASSERT_EQ(carnet->count(), 4);
    EXPECT_EQ(carnet->dives().at(2).lieu(), QStringLiteral("Planier"));
    EXPECT_EQ(carnet->dives().at(2).noPlongee(), 4);
    EXPECT_EQ(list_->model()->rowCount(), 4);
    EXPECT_TRUE(alerts.asked().isEmpty());
}

TEST_F(DiveEditWindowTest, TextThatHoldsNoValueStoresNothingAndKeepsTheWindowOpen)
{
    const struct {
        const char* field;
        const char* typed;
    } cases[] = {{"profondeur", "abc"}, {"temps", "4O"}, {"o2Mix_2", "150"}, {"profondeur", "1e40"}};
    open();
    const Plongee before = carnet->dives().at(1);
    for (const auto& c : cases) {
        const QString shown = lineText(edit, c.field);
        const qsizetype asked = alerts.asked().size();
        type(edit->fieldWidget(QLatin1String(c.field)), QLatin1String(c.typed));
        update();
        edit->close();
        EXPECT_TRUE(edit->isVisible()) << c.field;
        EXPECT_TRUE(carnet->dives().at(1).identical(before)) << c.field;
        ASSERT_EQ(alerts.asked().size(), asked + 2) << c.field; // update, then close
        EXPECT_EQ(alerts.asked().last().key, QStringLiteral("Dive refused"));
        EXPECT_EQ(lineText(edit, c.field), QLatin1String(c.typed));
        type(edit->fieldWidget(QLatin1String(c.field)), shown);
    }
    EXPECT_FALSE(carnet->isModified());
}

TEST_F(DiveEditWindowTest, ClosingTheWindowStoresTheFormIntoTheSelectedDive)
{
    open();
    type(edit->fieldWidget(idx_site), QStringLiteral("Les Impériaux"));
    edit->close();
    EXPECT_EQ(carnet->dives().at(1).site(), QStringLiteral("Les Impériaux"));
    EXPECT_TRUE(carnet->isModified());
}

TEST_F(DiveEditWindowTest, ArrowsStoreThenMoveAndFollowTheEnds)
{
    open();
    QAction* previous = edit->action(DiveEditWindow::PreviousDive);
    QAction* next = edit->action(DiveEditWindow::NextDive);
    EXPECT_TRUE(previous->isEnabled());
    EXPECT_TRUE(next->isEnabled());
    type(edit->fieldWidget(idx_bateau), QStringLiteral("Le Marsouin"));
    next->trigger();
    EXPECT_EQ(carnet->dives().at(1).bateau(), QStringLiteral("Le Marsouin"));
    EXPECT_EQ(carnet->currentIndex(), 2);
    EXPECT_EQ(lineText(edit, "noPlongee"), QStringLiteral("3"));
    EXPECT_FALSE(next->isEnabled());
    EXPECT_TRUE(edit->windowTitle().startsWith(QStringLiteral("Dive 3")));
}

TEST_F(DiveEditWindowTest, ChoicesRefreshWhatTheFormDerives)
{
    open();
    auto* gas = static_cast<QComboBox*>(edit->fieldWidget(idx_gaz));
    QWidget* oxygen = edit->fieldWidget(idx_o2Mix);
    QWidget* helium = edit->fieldWidget(idx_heMix);
    gas->setCurrentIndex(divechoices::positionOf(idx_gaz, 0));
    EXPECT_FALSE(oxygen->isEnabled());
    gas->setCurrentIndex(divechoices::positionOf(idx_gaz, 1)); // nitrox
    EXPECT_TRUE(oxygen->isEnabled());
    EXPECT_FALSE(helium->isEnabled());
    type(oxygen, QStringLiteral("32"));
    gas->setCurrentIndex(divechoices::positionOf(idx_gaz, 2)); // trimix
    EXPECT_TRUE(helium->isEnabled());
    EXPECT_EQ(edit->findChild<QLabel*>(QStringLiteral("gasSummary"))->text(), QStringLiteral("Trimix 32/0"));
    EXPECT_EQ(edit->findChild<QLabel*>(QStringLiteral("nitrogen1"))->text(), QStringLiteral("68"));

    // eCCR: oxygen and diluent, tank 1 at 100 %.
    static_cast<QComboBox*>(edit->fieldWidget(idx_rebreather))->setCurrentIndex(3);
    EXPECT_EQ(lineText(edit, "o2Mix"), QStringLiteral("100"));
    EXPECT_EQ(edit->findChild<QGroupBox*>(QStringLiteral("tank1Group"))->title(), QStringLiteral("OXYGÈNE"));
    EXPECT_EQ(edit->findChild<QLabel*>(QStringLiteral("setpointLabel"))->text(), QStringLiteral("Setpoint :"));
    EXPECT_TRUE(edit->findChild<QGroupBox*>(QStringLiteral("bailoutGroup"))->isEnabled());

    EXPECT_FALSE(edit->findChild<QGroupBox*>(QStringLiteral("poniesGroup"))->isEnabled());
    static_cast<QCheckBox*>(edit->fieldWidget(idx_deco_Level_1_sw))->setChecked(true);
    EXPECT_TRUE(edit->findChild<QGroupBox*>(QStringLiteral("poniesGroup"))->isEnabled());
    EXPECT_FALSE(carnet->isModified()); // refreshing stores nothing
}

TEST_F(DiveEditWindowTest, PresetButtonsSetTheMixOfTankOne)
{
    open();
    auto* gas = static_cast<QComboBox*>(edit->fieldWidget(idx_gaz));
    gas->setCurrentIndex(divechoices::positionOf(idx_gaz, 2)); // trimix
    type(edit->fieldWidget(idx_o2Mix), QStringLiteral("30"));
    type(edit->fieldWidget(idx_heMix), QStringLiteral("30"));
    edit->findChild<QPushButton*>(QStringLiteral("razHeliox"))->click();
    EXPECT_EQ(lineText(edit, "heMix"), QStringLiteral("70"));
    EXPECT_EQ(edit->findChild<QLabel*>(QStringLiteral("nitrogen1"))->text(), QStringLiteral("0"));
    edit->findChild<QPushButton*>(QStringLiteral("razAir"))->click();
    EXPECT_EQ(lineText(edit, "o2Mix"), QStringLiteral("21"));
    EXPECT_EQ(lineText(edit, "heMix"), QStringLiteral("0"));
    EXPECT_EQ(edit->findChild<QLabel*>(QStringLiteral("nitrogen1"))->text(), QStringLiteral("79"));
}

TEST_F(DiveEditWindowTest, SwitchingPagesKeepsWhatWasTyped)
{
    open();
    static_cast<QLineEdit*>(edit->fieldWidget(idx_bateau))->setText(QStringLiteral("Alcyon"));
    edit->tabs()->setCurrentIndex(DiveEditWindow::NotesPage);
    EXPECT_EQ(carnet->form().text(idx_bateau), QStringLiteral("Alcyon"));
    edit->tabs()->setCurrentIndex(DiveEditWindow::DivePage);
    EXPECT_EQ(lineText(edit, "bateau"), QStringLiteral("Alcyon"));
}

TEST_F(DiveEditWindowTest, ARefreshKeepsWhatIsBeingTyped)
{
    open();
    type(edit->fieldWidget(idx_serie), QStringLiteral("SN-4471"));
    carnet->updateUI();
    EXPECT_EQ(lineText(edit, "serie"), QStringLiteral("SN-4471"));
}

namespace {

struct PickListCase {
    const char* name;
    const char* typed;
    int answer; // 0 yes, 1 no
    bool asked;
    QStringList listAfter;
};

class PickListEditTest : public DiveEditWindowTest, public ::testing::WithParamInterface<PickListCase> {};

} // namespace

TEST_P(PickListEditTest, TheEndOfEditingOffersANewEntry)
{
    const PickListCase& c = GetParam();
    context->pickLists().list(PickListId::Lieux) = {QStringLiteral("Cassis")};
    open();
    auto* place = static_cast<QComboBox*>(edit->fieldWidget(idx_lieu));
    type(place, QString::fromUtf8(c.typed));
    alerts.queueAnswer(c.answer);
    emit place->lineEdit()->editingFinished();
    EXPECT_EQ(alerts.asked().size(), c.asked ? 1 : 0);
    if (c.asked) {
        EXPECT_EQ(alerts.asked().first().key, QStringLiteral("Add item to ComboBox"));
    }
    EXPECT_EQ(context->pickLists().list(PickListId::Lieux), c.listAfter);
    QStringList items;
    for (int i = 0; i < place->count(); ++i)
        items.append(place->itemText(i));
    EXPECT_EQ(items, c.listAfter);
    EXPECT_EQ(place->currentText(), QString::fromUtf8(c.typed));
    // Ending again without typing asks nothing more.
    emit place->lineEdit()->editingFinished();
    EXPECT_EQ(alerts.asked().size(), c.asked ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    DiveWindow, PickListEditTest,
    ::testing::Values(PickListCase{"Yes", "Anse de Port-Miou", 0, true, {"Anse de Port-Miou", "Cassis"}},
                      PickListCase{"No", "Anse de Port-Miou", 1, true, {"Cassis"}},
                      PickListCase{"AlreadyThere", "Cassis", 0, false, {"Cassis"}},
                      PickListCase{"SpacesOnly", "  ", 0, false, {"Cassis"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DiveEditWindowTest, TheRenumberWindowRenumbersThroughTheFormAndCloses)
{
    open();
    carnet->setModified(false);
    controller->appDelegate().sendRenumDivesNotification(nullptr);
    RenumberWindow* renumber = list_->renumberWindow();
    ASSERT_NE(renumber, nullptr);
    EXPECT_TRUE(renumber->isVisible());
    EXPECT_EQ(renumber->firstNumberBox()->value(), 1);
    renumber->firstNumberBox()->setValue(101);
    renumber->renumberButton()->click();
    QList<int> numbers;
    for (const Plongee& d : carnet->dives())
        numbers.append(d.noPlongee());
    EXPECT_EQ(numbers, (QList<int>{101, 102, 103}));
    EXPECT_EQ(list_->model()->cellText(0, QStringLiteral("noPlongee")), QStringLiteral("101"));
    EXPECT_TRUE(carnet->isModified());
    EXPECT_FALSE(renumber->isVisible());
}

TEST_F(DiveEditWindowTest, ThePagesAreTitledAndTheTitleFollowsTheNumber)
{
    open();
    const QStringList expected = {QStringLiteral("Dive"),          QStringLiteral("Conditions"),
                                  QStringLiteral("Gases & tanks"), QStringLiteral("Decompression"),
                                  QStringLiteral("Equipment"),     QStringLiteral("Notes & profile")};
    ASSERT_EQ(edit->tabs()->count(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(edit->tabs()->tabText(i).replace(QStringLiteral("&&"), QStringLiteral("&")), expected.at(i));
    EXPECT_EQ(edit->windowTitle(), QStringLiteral("Dive 2 — edit.ondrix"));
    EXPECT_EQ(edit->findChild<QLabel*>(QStringLiteral("totalText"))->text(), QStringLiteral("3 dives"));
}

TEST_F(DiveEditWindowTest, TheProfileSummaryShowsTheLoadedProfile)
{
    QList<Plongee> list = dives(3);
    list[1].setProfilProfondeur(QList<float>{0.0f, 10.0f, 20.0f, 6.0f});
    list[1].setSLOW_Flag(QList<qint16>{0, 1, 0, 1});
    list[1].setSURF_Flag(QList<qint16>{0, 1, 0, 1});
    open(list);
    EXPECT_EQ(edit->findChild<QLabel*>(QStringLiteral("depthSummary"))->text(), carnet->form().derived().depthSummaryText);
    EXPECT_EQ(edit->findChild<QLabel*>(QStringLiteral("pointsSummary"))->text(), QStringLiteral("4 recorded points"));
    EXPECT_EQ(edit->findChild<QLabel*>(QStringLiteral("slowCount"))->text(), QStringLiteral("2"));
    EXPECT_EQ(edit->findChild<QLabel*>(QStringLiteral("surfCount"))->text(), QStringLiteral("1"));
}
