#include "logbook/Carnet.h"
#include "logbook/LogbookArchive.h"
#include "platform/SafeSave.h"
#include "support/CliRun.h"
#include "support/ContextFixture.h"

#include <vector>

using namespace plongee;

namespace {
class FindTest : public ContextFixture {
protected:
    std::unique_ptr<Carnet> carnet;
    void SetUp() override
    {
        ContextFixture::SetUp();
        carnet = std::make_unique<Carnet>(*context);
        // "é" written precomposed, then as e + combining acute, as files bring it.
        const QString notes[] = {QStringLiteral("Un Mérou énorme"), QStringLiteral("me\u0301rou au tombant"),
                                 QStringLiteral("Sar"), QStringLiteral("merou sans accent")};
        for (const QString& n : notes) {
            carnet->newDive();
            carnet->form().typeText(u"notes", n);
            carnet->form().typeText(u"ordinateur", QStringLiteral("Vega"));
            carnet->addDive();
        }
    }
};
} // namespace

TEST_F(FindTest, CaseButNotAccents)
{
    const struct {
        const char* field;
        const char* text;
        std::vector<int> rows;
        const char* count;
    } cases[] = {
        {"notes", "MÉROU", {0, 1}, "2 dives found"},
        {"notes", "mérou", {0, 1}, "2 dives found"},
        {"notes", "sar", {2}, "One dive found"},
        {"notes", "merou", {3}, "One dive found"},
        {"notes", "", {}, "0 dives found"},
        {"notes", "thon", {}, "0 dives found"},
        {"ordinateur", "veg", {0, 1, 2, 3}, "4 dives found"},
        {"bateau", "x", {}, "0 dives found"},
    };
    for (const auto& c : cases) {
        const QString count = carnet->findTextWithField(QLatin1String(c.field), QString::fromUtf8(c.text));
        const QList<int>& selected = carnet->selectedRows();
        EXPECT_EQ(std::vector<int>(selected.begin(), selected.end()), c.rows) << c.field << " " << c.text;
        EXPECT_EQ(count, QString::fromUtf8(c.count)) << c.text;
    }
}

TEST_F(FindTest, TheFormFollowsTheLastHitAndPendingEditsAreKept)
{
    carnet->setSelection({3}, 3);
    carnet->setModified(false);
    carnet->findTextWithField(QStringLiteral("notes"), QStringLiteral("sar")); // nothing edited: nothing stored
    EXPECT_FALSE(carnet->isModified());
    EXPECT_EQ(carnet->currentIndex(), 2);
    carnet->form().typeText(u"site", QStringLiteral("Planier"));
    carnet->findTextWithField(QStringLiteral("notes"), QStringLiteral("mérou"));
    EXPECT_EQ(carnet->dives()[2].site(), QStringLiteral("Planier"));
    EXPECT_TRUE(carnet->isModified());
    EXPECT_EQ(carnet->currentIndex(), 1);
    EXPECT_EQ(carnet->form().text(idx_notes), carnet->dives()[1].notes().value());
}

TEST_F(FindTest, CommandLine)
{
    const QString path = dir.filePath(QStringLiteral("find.ondrix"));
    saveFileAtomically(path, *logbookarchive::encode(carnet->dives()));
    const QString settings = dir.filePath(QStringLiteral("cli.ini"));
    EXPECT_EQ(runCli(settings, {"find", path, "notes", "MÉROU"}).out, QByteArray("0\n1\n2 dives found\n"));
    EXPECT_EQ(runCli(settings, {"find", path, "temps", "1"}).status, 2);
}
