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
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>

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
    QStringList alertKeys() const
    {
        QStringList keys;
        for (const Alert& alert : alerts.asked())
            keys.append(alert.key);
        return keys;
    }

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
        if (auto* box = qobject_cast<QComboBox*>(widget); box && !box->isEditable()) {
            const QList<DiveChoice>& items = divechoices::items(field); // each item carries its tag
            ASSERT_EQ(box->count(), items.size()) << name.toStdString();
            for (int i = 0; i < box->count(); ++i)
                EXPECT_EQ(box->itemData(i).toInt(), items[i].tag) << name.toStdString();
        }
    }
}

// The rules are the form's; here, that the window's typing reaches the dive,
// the corrected value comes back and the alert goes through.
TEST_F(DiveEditWindowTest, TypedThenUpdatedGoesThroughTheRules)
{
    open();
    type(edit->fieldWidget(idx_heMix_2), QStringLiteral("87"));
    type(edit->fieldWidget(idx_temps), QStringLiteral("45 min"));
    update();
    EXPECT_EQ(carnet->dives().at(1).heMix_2(), 0);
    EXPECT_EQ(carnet->dives().at(1).temps(), 45);
    EXPECT_EQ(lineText(edit, "heMix_2"), QStringLiteral("0"));
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("Helium percent")});
    EXPECT_TRUE(carnet->isModified());
}

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
    } cases[] = {{"profondeur", "abc"}, {"o2Mix_2", "150"}};
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

TEST_F(DiveEditWindowTest, ArrowsAndClosingStoreTheForm)
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
    // Closing the window stores the form too.
    type(edit->fieldWidget(idx_site), QStringLiteral("Les Impériaux"));
    edit->close();
    EXPECT_EQ(carnet->dives().at(2).site(), QStringLiteral("Les Impériaux"));
}

// What the form derives reaches the controls; the rules are the form's.
TEST_F(DiveEditWindowTest, ChoicesRefreshWhatTheFormDerives)
{
    open();
    auto* gas = static_cast<QComboBox*>(edit->fieldWidget(idx_gaz));
    gas->setCurrentIndex(divechoices::positionOf(idx_gaz, 0));
    EXPECT_FALSE(edit->fieldWidget(idx_o2Mix)->isEnabled());
    gas->setCurrentIndex(divechoices::positionOf(idx_gaz, 1)); // nitrox
    type(edit->fieldWidget(idx_o2Mix), QStringLiteral("32"));
    gas->setCurrentIndex(divechoices::positionOf(idx_gaz, 2)); // trimix
    EXPECT_TRUE(edit->fieldWidget(idx_heMix)->isEnabled());
    EXPECT_EQ(edit->findChild<QLabel*>(QStringLiteral("nitrogen1"))->text(), QStringLiteral("68"));
    edit->findChild<QPushButton*>(QStringLiteral("razAir"))->click();
    EXPECT_EQ(lineText(edit, "o2Mix"), QStringLiteral("21"));
    static_cast<QComboBox*>(edit->fieldWidget(idx_rebreather))->setCurrentIndex(3); // eCCR
    EXPECT_EQ(edit->findChild<QGroupBox*>(QStringLiteral("tank1Group"))->title(), QStringLiteral("OXYGÈNE"));
    EXPECT_FALSE(carnet->isModified()); // refreshing stores nothing
}

// Which entries are offered is PickListOffer's rule; here, that the end of
// editing asks and the answer reaches the list and the control.
TEST_F(DiveEditWindowTest, TheEndOfEditingOffersANewEntry)
{
    context->pickLists().list(PickListId::Lieux) = {QStringLiteral("Cassis")};
    open();
    auto* place = static_cast<QComboBox*>(edit->fieldWidget(idx_lieu));
    type(place, QStringLiteral("Anse de Port-Miou"));
    emit place->lineEdit()->editingFinished();
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("Add item to ComboBox")});
    const QStringList expected = {"Anse de Port-Miou", "Cassis"};
    EXPECT_EQ(context->pickLists().list(PickListId::Lieux), expected);
    QStringList items;
    for (int i = 0; i < place->count(); ++i)
        items.append(place->itemText(i));
    EXPECT_EQ(items, expected);
    EXPECT_EQ(place->currentText(), QStringLiteral("Anse de Port-Miou"));
    emit place->lineEdit()->editingFinished(); // nothing typed since: not asked again
    EXPECT_EQ(alertKeys().size(), 1);
}

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

