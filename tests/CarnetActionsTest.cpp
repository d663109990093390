#include "logbook/Carnet.h"
#include "platform/SortOrder.h"
#include "support/ContextFixture.h"

using namespace plongee;

namespace {

class CarnetActionsTest : public ContextFixture {
protected:
    std::unique_ptr<Carnet> carnet;

    void SetUp() override
    {
        ContextFixture::SetUp();
        carnet = std::make_unique<Carnet>(*context);
        // Dives 1 to 4 with depths 20, 35, 12, 28 and places A to D.
        const float depths[] = {20, 35, 12, 28};
        for (int i = 0; i < 4; ++i) {
            carnet->newDive();
            type("lieu", QString(QChar(u'A' + i)));
            type("profondeur", QString::number(depths[i]));
            carnet->addDive();
        }
        carnet->setModified(false);
    }

    void type(const char* field, const QString& text)
    {
        ASSERT_TRUE(carnet->form().typeText(QString::fromLatin1(field), text));
    }
    QString place(int row) const { return carnet->dives()[row].lieu().value_or(QString()); }
    QString places() const
    {
        QString s;
        for (int i = 0; i < carnet->count(); ++i)
            s += place(i);
        return s;
    }
};

} // namespace

TEST_F(CarnetActionsTest, AddNumbersAndDeselects)
{
    EXPECT_EQ(places(), QStringLiteral("ABCD"));
    EXPECT_EQ(carnet->dives()[3].noPlongee(), 4);
    EXPECT_EQ(carnet->currentIndex(), -1);
    EXPECT_EQ(carnet->form().text(idx_noPlongee), QStringLiteral("5"));
    EXPECT_EQ(carnet->form().text(idx_lieu), QString()); // blanked for the next dive
}

TEST_F(CarnetActionsTest, NextNumberIsTheHighestPlusOneWhateverTheOrder)
{
    carnet->sortByColumn(QStringLiteral("noPlongee"), true);
    carnet->sortByColumn(QStringLiteral("profondeur"), false);
    EXPECT_EQ(carnet->dives().last().noPlongee(), 3);
    carnet->newDive();
    EXPECT_EQ(carnet->form().text(idx_noPlongee), QStringLiteral("5"));
}

TEST_F(CarnetActionsTest, SortingClicksRememberTheDirection)
{
    // Deepest first, then the other way; back to the depth, its remembered direction.
    for (const auto& [column, order] : {std::pair{"profondeur", "BDAC"}, {"profondeur", "CADB"}, {"lieu", "DCBA"}, {"profondeur", "CADB"}}) {
        carnet->sortByColumn(QLatin1String(column));
        EXPECT_EQ(places(), QLatin1String(order)) << column;
    }
    EXPECT_TRUE(carnet->lastSortAscending());
    EXPECT_TRUE(carnet->isModified());
}

TEST(SortOrder, ReorderMovesEveryCycleAndKeepsFixedRows)
{
    // order[new row] = old row; fixed rows, a 2-cycle and a 3-cycle.
    const struct {
        std::vector<int> order;
        QString rows;
    } cases[] = {
        {{0, 1, 2, 3, 4, 5}, QStringLiteral("ABCDEF")},
        {{5, 4, 3, 2, 1, 0}, QStringLiteral("FEDCBA")},
        {{0, 3, 2, 1, 5, 4}, QStringLiteral("ADCBFE")},
        {{2, 0, 1, 3, 5, 4}, QStringLiteral("CABDFE")},
        {{1, 2, 3, 4, 5, 0}, QStringLiteral("BCDEFA")},
    };
    for (const auto& c : cases) {
        QList<QString> rows;
        for (const QChar letter : QStringLiteral("ABCDEF"))
            rows.append(QString(letter));
        const std::vector<int> newRowOf = sortorder::reorder(rows, c.order);
        EXPECT_EQ(rows.join(QString()), c.rows);
        for (size_t pos = 0; pos < c.order.size(); ++pos)
            EXPECT_EQ(newRowOf[size_t(c.order[pos])], int(pos));
    }
}

TEST_F(CarnetActionsTest, SelectionAndFormFollowTheirDiveThroughASort)
{
    carnet->setSelection({1}, 1); // B
    type("site", QStringLiteral("edited"));
    carnet->sortByColumn(QStringLiteral("profondeur"), true); // C A D B
    EXPECT_EQ(std::pair(carnet->currentIndex(), carnet->loadedIndex()), std::pair(3, 3));
    carnet->updateDive();
    EXPECT_EQ(places(), QStringLiteral("CADB"));
    EXPECT_EQ(carnet->dives()[3].site(), QStringLiteral("edited"));
    EXPECT_EQ(carnet->dives()[1].site(), QString()); // A untouched
}

TEST_F(CarnetActionsTest, NewDiveIsNeverStoredOverTheSelectedOne)
{
    carnet->setSelection({2}, 2);
    carnet->newDive();
    type("lieu", QStringLiteral("Z"));
    carnet->updateDive();
    carnet->nextDive();
    carnet->closeEditWindow();
    EXPECT_EQ(places(), QStringLiteral("ABCD"));
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("No dive selected")});
    EXPECT_FALSE(carnet->isModified());
}

TEST_F(CarnetActionsTest, ErasedFormIsStoredOnlyByUpdate)
{
    carnet->setSelection({2}, 2);
    carnet->blankForm();
    carnet->closeEditWindow();
    carnet->nextDive();
    EXPECT_EQ(places(), QStringLiteral("ABCD"));
    EXPECT_EQ(carnet->selectedRows(), QList<int>{3});
    EXPECT_EQ(carnet->currentIndex(), 3);
    EXPECT_FALSE(carnet->isModified());
    carnet->blankForm();
    type("lieu", QStringLiteral("Z"));
    carnet->updateDive();
    EXPECT_EQ(places(), QStringLiteral("ABCZ"));
}

TEST_F(CarnetActionsTest, TimeOfDaySortsByTheTimeWhateverTheDate)
{
    const QDateTime times[] = {QDateTime(QDate(2020, 1, 1), QTime(15, 0)), QDateTime(QDate(2021, 1, 1), QTime(9, 0)),
                               QDateTime(QDate(2019, 1, 1), QTime(12, 0)), QDateTime(QDate(2022, 1, 1), QTime(7, 30))};
    QList<Plongee> dives = carnet->dives();
    for (int i = 0; i < 4; ++i)
        dives[i].setValue(idx_heure, Plongee::Value(times[i]));
    carnet->setDives(dives);
    carnet->sortByColumn(QStringLiteral("heure"), true);
    EXPECT_EQ(places(), QStringLiteral("DBCA"));
}

TEST_F(CarnetActionsTest, InsertUpdateAndDelete)
{
    carnet->setSelection({1}, 1);
    carnet->newDive(); // clears the selection
    type("lieu", QStringLiteral("X"));
    carnet->insertDive();
    EXPECT_EQ(places(), QStringLiteral("ABCD")); // nothing selected: nothing inserted
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("No dive selected")});
    // The row click that chooses where the new dive goes keeps the form.
    carnet->setSelection({1}, 1);
    EXPECT_EQ(carnet->form().text(idx_lieu), QStringLiteral("X"));
    carnet->closeEditWindow(); // not the selected dive: stores nothing
    EXPECT_EQ(places(), QStringLiteral("ABCD"));
    carnet->insertDive();
    EXPECT_EQ(places(), QStringLiteral("AXBCD"));
    EXPECT_TRUE(carnet->isModified());
    EXPECT_EQ(carnet->dives()[1].noPlongee(), 5);
    EXPECT_EQ(carnet->currentIndex(), 1); // the inserted dive, shown by the form
    carnet->setSelection({3}, 3);          // stored: a click loads again
    EXPECT_EQ(carnet->form().text(idx_lieu), QStringLiteral("C"));

    carnet->setSelection({0, 2}, 2);
    alerts.queueAnswer(1); // Cancel
    carnet->deleteDive();
    EXPECT_EQ(places(), QStringLiteral("AXBCD"));
    carnet->deleteDive();
    EXPECT_EQ(places(), QStringLiteral("XCD"));
    // The question counts the dives it removes, and Return answers Cancel.
    const Alert& asked = alerts.asked().last();
    EXPECT_EQ((QStringList{asked.message, asked.buttons.join(u'/'), QString::number(asked.defaultButton)}),
              (QStringList{"Delete 2 dives?", "OK/Cancel", "1"}));
    EXPECT_EQ(std::pair(carnet->currentIndex(), carnet->loadedIndex()), std::pair(-1, -1));
    // Rows that are not there, or twice, are not selected.
    carnet->setSelection({1, 3, -1, 1}, 1);
    EXPECT_EQ(carnet->selectedRows(), QList<int>{1});
    alerts.queueAnswer(1);
    carnet->deleteDive();
    EXPECT_EQ(alerts.asked().last().message, QStringLiteral("Delete 1 dive?"));
    EXPECT_TRUE(carnet->isModified());
}

TEST_F(CarnetActionsTest, ArrowsStoreThenMove)
{
    carnet->setSelection({3}, 3);
    type("site", QStringLiteral("last"));
    carnet->nextDive(); // the last row: stores, stays
    EXPECT_EQ(carnet->selectedRows(), QList<int>{3});
    EXPECT_EQ(carnet->currentIndex(), 3);
    EXPECT_EQ(carnet->dives()[3].site(), QStringLiteral("last"));
    carnet->prevDive();
    EXPECT_EQ(carnet->currentIndex(), 2);
    EXPECT_EQ(carnet->form().text(idx_lieu), QStringLiteral("C"));
    carnet->setSelection({0}, 0);
    carnet->prevDive();
    EXPECT_EQ(carnet->currentIndex(), 0);
    EXPECT_TRUE(carnet->isModified());
}

TEST_F(CarnetActionsTest, RenumberThroughTheForm)
{
    carnet->dives()[2].setCoeff(7); // out of range: the form corrects it
    carnet->renumDives(101);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(carnet->dives()[i].noPlongee(), 101 + i);
    EXPECT_EQ(carnet->dives()[2].coeff(), 0);
    EXPECT_EQ(places(), QStringLiteral("ABCD"));
    EXPECT_TRUE(carnet->isModified());
    // The last dive is shown afterwards.
    EXPECT_EQ(carnet->selectedRows(), QList<int>{3});
    EXPECT_EQ(carnet->currentIndex(), 3);
    EXPECT_EQ(carnet->form().text(idx_noPlongee), QStringLiteral("104"));
}

TEST_F(CarnetActionsTest, CellEditsGoThroughTheRulesAndShowInTheForm)
{
    carnet->setSelection({1}, 1);
    QString error;
    ASSERT_TRUE(carnet->setCellText(1, QStringLiteral("coeff"), QStringLiteral("15"), &error));
    EXPECT_EQ(carnet->dives()[1].coeff(), 0);
    ASSERT_TRUE(carnet->setCellText(1, QStringLiteral("tempEau"), QStringLiteral("18"), &error));
    EXPECT_EQ(carnet->form().text(idx_tempEau), QStringLiteral("18"));
    carnet->updateDive(); // does not revert the cell edit
    EXPECT_EQ(carnet->dives()[1].tempEau(), 18);
    EXPECT_FALSE(carnet->setCellText(9, QStringLiteral("lieu"), QStringLiteral("x"), &error));
    EXPECT_FALSE(carnet->setCellText(1, QStringLiteral("profondeur"), QStringLiteral("abc"), &error));
    EXPECT_EQ(carnet->dives()[1].profondeur(), 35.0f);
    EXPECT_EQ(alertKeys().last(), QStringLiteral("Dive refused"));
    ASSERT_TRUE(carnet->setCellText(1, QStringLiteral("profondeur"), QStringLiteral("35,5 m"), &error));
    EXPECT_EQ(carnet->dives()[1].profondeur(), 35.5f);
    EXPECT_FALSE(carnet->setCellText(0, QStringLiteral("nope"), QStringLiteral("x"), &error));
}

TEST_F(CarnetActionsTest, ACellEditChangesThatFieldAlone)
{
    // Values the form would correct, as an import or an old file holds them.
    QList<Plongee> dives = carnet->dives();
    Plongee& d = dives[0];
    d.setCoeff(15);
    d.setTempEau(101);
    d.setAltitude(5000);
    d.setO2Mix(0);
    d.setHeMix(90);
    const Plongee before = d;
    carnet->setDives(dives);
    ASSERT_TRUE(carnet->setCellText(0, QStringLiteral("lieu"), QStringLiteral("Renamed")));
    Plongee after = carnet->dives()[0];
    EXPECT_EQ(after.lieu(), QStringLiteral("Renamed"));
    after.setLieu(before.lieu());
    for (int f = 0; f < Plongee::FieldCount; ++f)
        EXPECT_EQ(after.value(f), before.value(f)) << Plongee::field(f).name;
    EXPECT_TRUE(alertKeys().isEmpty());
}

TEST_F(CarnetActionsTest, ANumberAnotherDiveHoldsIsStoredOnlyAfterAsking)
{
    carnet->newDive();
    type("noPlongee", QStringLiteral("2"));
    alerts.queueAnswer(1); // Cancel
    EXPECT_FALSE(carnet->addDive());
    EXPECT_EQ(carnet->count(), 4);
    EXPECT_TRUE(carnet->addDive()); // OK
    EXPECT_EQ(carnet->count(), 5);
    EXPECT_EQ(alertKeys(), (QStringList{QStringLiteral("Dive number taken"), QStringLiteral("Dive number taken")}));
    carnet->setSelection({0}, 0); // dive 1 keeps its own number: no question
    EXPECT_TRUE(carnet->updateDive());
    EXPECT_EQ(alertKeys().size(), 2);
}

TEST_F(CarnetActionsTest, ARefusedDiveLeavesTheLogbookAndTheWindowAsTheyWere)
{
    carnet->setSelection({1}, 1);
    type("profondeur", QStringLiteral("abc"));
    EXPECT_FALSE(carnet->updateDive());
    EXPECT_FALSE(carnet->nextDive());
    EXPECT_FALSE(carnet->closeEditWindow());
    EXPECT_EQ(carnet->currentIndex(), 1);
    EXPECT_EQ(carnet->dives()[1].profondeur(), 35.0f);
    EXPECT_FALSE(carnet->isModified());
    EXPECT_EQ(alertKeys().size(), 3);
    // Renumbering past the largest number changes nothing either.
    EXPECT_FALSE(carnet->renumDives(999998));
    EXPECT_EQ(carnet->dives()[3].noPlongee(), 4);
    EXPECT_EQ(alertKeys().last(), QStringLiteral("Dive number out of range"));
    // A dive the form refuses stops the renumbering, and the form shows its own dive again.
    QList<Plongee> dives = carnet->dives();
    dives[2].setProfondeur(5000);
    carnet->setDives(dives);
    carnet->setSelection({0}, 0);
    EXPECT_FALSE(carnet->renumDives(101));
    EXPECT_EQ(alerts.asked().last().key, QStringLiteral("Dive refused"));
    EXPECT_EQ(alerts.asked().last().buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(carnet->form().text(idx_noPlongee), QStringLiteral("1"));
    EXPECT_EQ(carnet->dives()[0].noPlongee(), 1);
}

TEST_F(CarnetActionsTest, PickListOfferFromTheForm)
{
    type("lieu", QStringLiteral("Cassis"));
    carnet->endEditingPickList(idx_lieu);
    EXPECT_EQ(context->pickLists().list(PickListId::Lieux), QStringList{QStringLiteral("Cassis")});
    carnet->endEditingPickList(idx_lieu); // already there: not asked again
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("Add item to ComboBox")});
}
