#include "platform/context/AppContext.h"
#include "platform/context/Notifications.h"
#include "exchange/ExchangeRegistry.h"
#include "logbook/Carnet.h"
#include "platform/ArchiveFormat.h"
#include "logbook/ColumnSettings.h"
#include "logbook/LogbookArchive.h"
#include "platform/SafeSave.h"
#include "platform/SettingsStore.h"
#include "support/ContextFixture.h"
#include "support/TestDives.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QSignalSpy>

namespace {

class CarnetTest : public ContextFixture {
protected:
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
};
} // namespace

TEST_F(CarnetTest, SavedLogbookOpensWithTheSameDivesAndTheLastLoaded)
{
    Carnet carnet(*context);
    carnet.setDives(someDives(4));
    carnet.setModified(true);
    QString error;
    const SaveResult saved = carnet.saveToFile(path("a.ondrix"), Carnet::logbookTypeId());
    ASSERT_TRUE(saved.ok && saved.durable) << saved.error.toStdString();
    EXPECT_FALSE(carnet.isModified());
    EXPECT_EQ(carnet.filePath(), path("a.ondrix"));

    Carnet reopened(*context);
    QSignalSpy selection(&reopened, &Carnet::selectionChanged);
    ASSERT_TRUE(reopened.openFile(path("a.ondrix"), &error)) << error.toStdString();
    ASSERT_EQ(reopened.count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(reopened.dives()[i].identical(carnet.dives()[i])) << i;
    // The last dive is loaded into the form, with no row left selected.
    EXPECT_EQ(std::pair(reopened.loadedIndex(), reopened.currentIndex()), std::pair(3, 3));
    EXPECT_FALSE(reopened.isModified());
    EXPECT_GE(selection.count(), 1);

    // An empty logbook selects nothing.
    ASSERT_TRUE(Carnet(*context).saveToFile(path("empty.ondrix"), Carnet::logbookTypeId()).ok);
    ASSERT_TRUE(reopened.openFile(path("empty.ondrix"), &error));
    EXPECT_EQ(reopened.count(), 0);
    EXPECT_EQ(std::pair(reopened.loadedIndex(), reopened.currentIndex()), std::pair(-1, -1));
}

TEST_F(CarnetTest, RefusedFilesLeaveTheDocumentAsItWas)
{
    Carnet carnet(*context);
    carnet.setDives(someDives(2));
    carnet.setFilePath(path("mine.ondrix"));
    saveFileAtomically(path("zeros.ondrix"), QByteArray(100, '\0'));
    saveFileAtomically(path("cut.ondrix"), logbookarchive::encode(someDives(3))->chopped(9));
    for (const char* name : {"zeros.ondrix", "cut.ondrix", "missing.ondrix"}) {
        QString error;
        EXPECT_FALSE(carnet.openFile(path(name), &error)) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
        EXPECT_EQ(carnet.count(), 2) << name;
        EXPECT_EQ(carnet.filePath(), path("mine.ondrix")) << name;
    }
    QString error;
    EXPECT_FALSE(carnet.loadDataRepresentation(*logbookarchive::encode({}), QStringLiteral("Epaves"), &error));
}

TEST_F(CarnetTest, SaveTypes)
{
    Carnet carnet(*context);
    const ExchangeRegistry exchange(*context);
    carnet.setExporter(&exchange);
    carnet.setDives(someDives(1));
    carnet.setModified(true);
    ASSERT_TRUE(carnet.saveToFile(path("log.ondrix"), Carnet::logbookTypeId()).ok);
    carnet.setModified(true);
    // An unknown type produces nothing; an export never rebinds the document.
    const SaveResult unknown = carnet.saveToFile(path("x.bin"), QStringLiteral("Carnet de plongee (old)"));
    EXPECT_FALSE(unknown.ok);
    EXPECT_FALSE(unknown.error.isEmpty());
    EXPECT_FALSE(QFile::exists(path("x.bin")));
    // An export writes a copy: the document stays bound to its logbook and changed.
    ASSERT_TRUE(carnet.saveToFile(path("x.uddf"), QStringLiteral("Export UDDF 3.2")).ok);
    EXPECT_TRUE(QFile::exists(path("x.uddf")));
    EXPECT_EQ(carnet.filePath(), path("log.ondrix"));
    EXPECT_TRUE(carnet.isModified());
    // The localised type name is only shown: saving does not depend on it.
    EXPECT_EQ(Carnet::logbookTypeId(), QStringLiteral("logbook"));
}

TEST_F(CarnetTest, FailedSaveKeepsTheOldFileAndTheChangedMark)
{
    Carnet carnet(*context);
    carnet.setDives(someDives(2));
    ASSERT_TRUE(carnet.saveToFile(path("keep.ondrix"), Carnet::logbookTypeId()).ok);
    const QByteArray before = fileContent(path("keep.ondrix"));
    carnet.setDives(someDives(5));
    carnet.setModified(true);
    // A path below a regular file cannot be written, even by root.
    const SaveResult refused = carnet.saveToFile(path("keep.ondrix/inside.ondrix"), Carnet::logbookTypeId());
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.error.isEmpty());
    EXPECT_TRUE(carnet.isModified());
    EXPECT_EQ(carnet.filePath(), path("keep.ondrix"));
    EXPECT_EQ(fileContent(path("keep.ondrix")), before);

    // A place name longer than a document may hold is refused whole: the
    // file would not open again.
    QList<Plongee> dives = someDives(2);
    ASSERT_TRUE(dives[1].setValueFromText(u"lieu", QString(qsizetype(archive::kMaxStringBytes) + 1, u'x')));
    carnet.setDives(dives);
    const SaveResult oversized = carnet.saveToFile(path("keep.ondrix"), Carnet::logbookTypeId());
    EXPECT_FALSE(oversized.ok);
    EXPECT_TRUE(oversized.error.startsWith(QStringLiteral("record 2: the text \"xxxx"))) << oversized.error.toStdString();
    EXPECT_EQ(fileContent(path("keep.ondrix")), before);
}

TEST_F(CarnetTest, FirstRunWritesTheDefaultColumnsOnce)
{
    SettingsStore& s = context->settings();
    {
        Carnet first(*context);
    }
    for (const QString& key : columnsettings::shownByDefault())
        EXPECT_TRUE(s.boolValue(key)) << key.toStdString();
    EXPECT_TRUE(s.hasStoredValue(QStringLiteral("column scaph")));
    EXPECT_FALSE(s.boolValue(QStringLiteral("column scaph")));

    // A diver who hides the number column keeps the choice in later logbooks.
    s.setValue(QStringLiteral("column numero"), false);
    s.setValue(QStringLiteral("column gaz"), false);
    s.setValue(QStringLiteral("column scaph"), true);
    Carnet second(*context);
    EXPECT_FALSE(s.boolValue(QStringLiteral("column numero")));
    EXPECT_FALSE(s.boolValue(QStringLiteral("column gaz")));
    EXPECT_TRUE(s.boolValue(QStringLiteral("column scaph")));
}

TEST_F(CarnetTest, ColumnSettingsWrittenBeforeTheMarkerAreKept)
{
    SettingsStore& s = context->settings();
    s.setValue(QStringLiteral("column numero"), true);
    s.setValue(QStringLiteral("column date"), false);
    Carnet carnet(*context);
    EXPECT_FALSE(s.boolValue(QStringLiteral("column date")));
    EXPECT_FALSE(s.hasStoredValue(QStringLiteral("column lieu")));
}

TEST_F(CarnetTest, EveryOpenLogbookAnswersTheNotifications)
{
    auto a = std::make_unique<Carnet>(*context);
    Carnet b(*context);
    QSignalSpy renumA(a.get(), &Carnet::renumberWindowRequested);
    QSignalSpy renumB(&b, &Carnet::renumberWindowRequested);
    QSignalSpy table(&b, &Carnet::tableReloadRequested);
    QSignalSpy columns(&b, &Carnet::columnsChanged);
    QSignalSpy profile(&b, &Carnet::profileRedrawRequested);
    QSignalSpy form(&b, &Carnet::formRefreshRequested);
    QSignalSpy synthesis(&b, &Carnet::synthesisRefreshRequested);

    // Each notification, and the signal counts after it.
    const struct {
        QString name;
        QList<std::pair<QSignalSpy*, int>> counts;
    } steps[] = {
        {notifications::renumDives, {{&renumA, 1}, {&renumB, 1}}},
        {notifications::updateTableView, {{&table, 1}}},
        {notifications::updateColumnsTableView, {{&columns, 1}, {&table, 2}}},
        {notifications::profile, {{&profile, 1}}},
        {notifications::updateEditDive, {{&form, 1}, {&synthesis, 1}}},
        {notifications::updateDeco, {{&form, 2}, {&synthesis, 1}}},
        {notifications::updateRebreather, {{&form, 2}}},
    };
    NotificationHub& hub = context->hub();
    for (const auto& step : steps) {
        hub.post(step.name, step.name == notifications::renumDives ? this : nullptr);
        for (const auto& [spy, count] : step.counts)
            EXPECT_EQ(spy->count(), count) << step.name.toStdString() << " " << spy->signal().constData();
    }

    // A closed logbook stops observing.
    a.reset();
    EXPECT_EQ(hub.observerCount(notifications::renumDives), 1);
    hub.post(notifications::renumDives);
    EXPECT_EQ(renumB.count(), 2);
}
