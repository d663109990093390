#include "ui/ShellFixture.h"

#include "registers/CompresseurFields.h"
#include "registers/RebreatherFields.h"
#include "registers/RegisterDocument.h"
#include "registers/ui/RegisterEditWindow.h"
#include "registers/ui/RegisterListWindow.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QTimeEdit>

// The maintenance logs' own controls: radio groups and a time of day reach
// the form; a cell's end of life and bar follow its switch and its date.
TEST_F(ShellFixture, MaintenanceLogControlsReachTheForm)
{
    controller->newCompresseurDocumentMenuAction();
    RegisterDocument* compressor = controller->registers().last();
    RegisterEditWindow* edit = controller->windowOf(compressor)->editWindow();
    QWidget* oil = edit->control(compresseur::typeHuile);
    ASSERT_NE(oil, nullptr);
    const QList<QRadioButton*> buttons = oil->findChildren<QRadioButton*>();
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_FALSE(oil->isEnabled()); // the oil-change switch is off
    qobject_cast<QCheckBox*>(edit->control(compresseur::vidange))->click();
    EXPECT_TRUE(oil->isEnabled());
    buttons[1]->click();
    EXPECT_EQ(compressor->form().number(compresseur::typeHuile), 1);
    qobject_cast<QTimeEdit*>(edit->control(compresseur::temps))->setTime(QTime(7, 45));
    EXPECT_EQ(compressor->form().value(compresseur::temps).date.time(), QTime(7, 45));

    settings().setValue(QStringLiteral("cell life"), 18);
    controller->newRebreatherDocumentMenuAction();
    RegisterDocument* log = controller->registers().last();
    edit = controller->windowOf(log)->editWindow();
    edit->show();
    edit->goToPane(2);
    auto* bar = edit->findChildren<QProgressBar*>().value(0);
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->isVisible());
    qobject_cast<QCheckBox*>(edit->control(rebreather::cell1))->click();
    EXPECT_FALSE(bar->isVisible()); // fitted on no day yet
    qobject_cast<QDateEdit*>(edit->control(rebreather::cell1_in))->setDate(QDate::currentDate().addMonths(-9));
    EXPECT_TRUE(bar->isVisible());
    EXPECT_NEAR(bar->value(), 50, 2);
}
