#include "ui/ShellFixture.h"

#include "platform/context/PickLists.h"
#include "logbook/DiveChoices.h"
#include "logbook/DiveForm.h"
#include "logbook/ui/RenumberWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

using namespace plongee;

namespace {

void type(QWidget* widget, const QString& text) { typeKeys(widget, text); }

QString lineText(DiveEditWindow* window, const char* field) { return window->shownValue(QLatin1String(field)); }

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
        EXPECT_TRUE(widget->objectName() == name && window.findChildren<QWidget*>(name).size() == 1 &&
                    window.pageOf(field) != DiveEditWindow::PageCount)
            << name.toStdString();
    }
}

// The rules are the form's (DiveFormTest, CarnetActionsTest); here, that
// every kind of control reaches the dive, typed or set without an edit
// signal, the corrected value comes back and the alert goes through.
TEST_F(DiveEditWindowTest, ControlsReachTheDiveThroughTheForm)
{
    QList<Plongee> list = dives(3);
    list[1].setTypePlongee(2); // no item carries tag 2
    open(list);
    auto* kind = static_cast<QComboBox*>(edit->fieldWidget(idx_typePlongee));
    EXPECT_EQ(kind->currentIndex(), -1);
    type(edit->fieldWidget(idx_heMix_2), QStringLiteral("87"));
    type(edit->fieldWidget(idx_temps), QStringLiteral("45 min"));
    static_cast<QLineEdit*>(edit->fieldWidget(idx_coeff))->setText(QStringLiteral("15"));
    static_cast<QPlainTextEdit*>(edit->fieldWidget(idx_notes))->setPlainText(QStringLiteral("Two groupers"));
    static_cast<QComboBox*>(edit->fieldWidget(idx_meteo))->setCurrentIndex(3);
    static_cast<QCheckBox*>(edit->fieldWidget(idx_deco_Level_2_sw))->setChecked(true);
    static_cast<QSlider*>(edit->fieldWidget(idx_difficulte))->setValue(4);
    update();
    const Plongee& d = carnet->dives().at(1);
    EXPECT_EQ(std::tuple(d.heMix_2(), d.temps(), d.coeff(), d.meteo(), d.deco_Level_2_sw(), d.difficulte(), d.typePlongee()),
              std::tuple(0, 45, 0, 3, 1, 4, 2));
    EXPECT_EQ(d.notes(), QStringLiteral("Two groupers"));
    EXPECT_EQ(QStringList({lineText(edit, "heMix_2"), lineText(edit, "coeff")}), QStringList({"0", "-"}));
    EXPECT_EQ(kind->currentIndex(), -1);
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("Helium percent")});
    EXPECT_TRUE(carnet->isModified());
}

TEST_F(DiveEditWindowTest, NewAddAndInsertFromTheWindow)
{
    open();
    edit->action(DiveEditWindow::NewDive)->trigger();
    EXPECT_TRUE(lineText(edit, "noPlongee") == QStringLiteral("4") && edit->windowTitle().startsWith(QStringLiteral("Dive 4")));
    // An empty position shows its template as a hint only, and stores it.
    const QString gpsTemplate = QStringLiteral("00\u00b000.000' N 000\u00b000.000' E");
    auto* gps = qobject_cast<QLineEdit*>(edit->fieldWidget(idx_gps));
    ASSERT_NE(gps, nullptr);
    EXPECT_TRUE(gps->text().isEmpty() && gps->placeholderText() == gpsTemplate) << gps->placeholderText().toStdString();
    type(gps, QStringLiteral("43\u00b012.000' N"));
    type(gps, QString());
    type(edit->fieldWidget(idx_lieu), QStringLiteral("Planier"));
    edit->action(DiveEditWindow::AddDive)->trigger();
    ASSERT_EQ(carnet->count(), 4);
    EXPECT_TRUE(carnet->dives().last().gps() == gpsTemplate && carnet->dives().last().lieu() == QStringLiteral("Planier"));
    EXPECT_EQ(QStringList({lineText(edit, "noPlongee"), edit->findChild<QLabel*>(QStringLiteral("totalText"))->text()}),
              QStringList({"5", "4 dives"}));
    EXPECT_EQ(list_->model()->rowCount(), 4);

    // A row click after New chooses where Insert puts the typed dive.
    type(edit->fieldWidget(idx_lieu), QStringLiteral("Riou"));
    list_->tableView()->selectRow(2);
    EXPECT_EQ(lineText(edit, "lieu"), QStringLiteral("Riou"));
    edit->action(DiveEditWindow::InsertDive)->trigger();
    ASSERT_EQ(carnet->count(), 5);
    EXPECT_TRUE(carnet->dives().at(2).lieu() == QStringLiteral("Riou") && list_->model()->rowCount() == 5);
}

// A refused text keeps the window open and the dive as it was; the arrows
// and closing store the form.
TEST_F(DiveEditWindowTest, ArrowsAndClosingStoreTheFormUnlessItIsRefusedAndTheRenumberWindow)
{
    open();
    const Plongee before = carnet->dives().at(1);
    const QString shown = lineText(edit, "profondeur");
    type(edit->fieldWidget(idx_profondeur), QStringLiteral("abc"));
    update();
    edit->close();
    EXPECT_TRUE(edit->isVisible() && carnet->dives().at(1).identical(before));
    EXPECT_EQ(alertKeys(), (QStringList{QStringLiteral("Dive refused"), QStringLiteral("Dive refused")})); // update, close
    EXPECT_EQ(lineText(edit, "profondeur"), QStringLiteral("abc"));
    type(edit->fieldWidget(idx_profondeur), shown);
    EXPECT_FALSE(carnet->isModified());

    QAction* next = edit->action(DiveEditWindow::NextDive);
    EXPECT_TRUE(edit->action(DiveEditWindow::PreviousDive)->isEnabled());
    type(edit->fieldWidget(idx_bateau), QStringLiteral("Le Marsouin"));
    next->trigger();
    EXPECT_TRUE(carnet->dives().at(1).bateau() == QStringLiteral("Le Marsouin") && lineText(edit, "noPlongee") == QStringLiteral("3"));
    EXPECT_FALSE(next->isEnabled());
    type(edit->fieldWidget(idx_site), QStringLiteral("Les Impériaux"));
    edit->close();
    EXPECT_EQ(carnet->dives().at(2).site(), QStringLiteral("Les Impériaux"));

    // The Renumber command opens the window of every logbook; its button
    // renumbers through the form and closes it.
    carnet->setModified(false);
    Carnet* other = controller->newDocument();
    other->setModified(true);
    EXPECT_EQ(list_->renumberWindow(), nullptr);
    controller->appDelegate().sendRenumDivesNotification(nullptr);
    EXPECT_TRUE(controller->windowOf(other)->renumberWindow() && controller->windowOf(other)->renumberWindow()->isVisible());
    RenumberWindow* renumber = list_->renumberWindow();
    ASSERT_NE(renumber, nullptr);
    EXPECT_TRUE(renumber->isVisible() && renumber->firstNumberBox()->value() == 1);
    renumber->firstNumberBox()->setValue(101);
    renumber->renumberButton()->click();
    EXPECT_EQ(list_->model()->cellText(2, QStringLiteral("noPlongee")), QStringLiteral("103"));
    EXPECT_TRUE(carnet->isModified() && !renumber->isVisible());
}

// What the form derives reaches the controls; the rules are the form's.
TEST_F(DiveEditWindowTest, ChoicesRefreshWhatTheFormDerivesAndTheEndOfEditingOffersANewEntry)
{
    context->pickLists().list(PickListId::Lieux) = {QStringLiteral("Cassis")};
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
    EXPECT_EQ(edit->findChild<QGroupBox*>(QStringLiteral("tank1Group"))->title(), QStringLiteral("OXYGEN"));
    EXPECT_FALSE(carnet->isModified()); // refreshing stores nothing

    // Which entries are offered is PickListOffer's rule; here, that the end of
    // editing asks and the answer reaches the list and the control.
    auto* place = static_cast<QComboBox*>(edit->fieldWidget(idx_lieu));
    type(place, QStringLiteral("Anse de Port-Miou"));
    emit place->lineEdit()->editingFinished();
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("Add item to ComboBox")});
    EXPECT_EQ(context->pickLists().list(PickListId::Lieux), (QStringList{"Anse de Port-Miou", "Cassis"}));
    EXPECT_EQ(std::tuple(place->count(), place->currentText()), std::tuple(2, QStringLiteral("Anse de Port-Miou")));
    emit place->lineEdit()->editingFinished(); // nothing typed since: not asked again
    EXPECT_EQ(alertKeys().size(), 1);
}
