#include "platform/RgbaColour.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <utility>

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("settings.ini")) const
    {
        return m_dir.filePath(name);
    }

    // A store over a copy of the file at `source`: a new file name, so
    // whatever it reads can only come from what was written to disk.
    std::unique_ptr<SettingsStore> reopenedCopy(const SettingsStore& source)
    {
        const QString copy = path(QStringLiteral("copy-%1.ini").arg(++m_copies));
        EXPECT_TRUE(QFile::copy(source.fileName(), copy));
        return std::make_unique<SettingsStore>(copy);
    }

    void writeRawFile(const QString& file, const QByteArray& text)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
    }

    QTemporaryDir m_dir;
    int m_copies = 0;
};

TEST_F(SettingsStoreTest, CreatesTheFileAndItsFolderWhenAbsent)
{
    const QString file = path(QStringLiteral("deep/er/settings.ini"));
    ASSERT_FALSE(QFileInfo::exists(file));
    SettingsStore store(file);
    EXPECT_TRUE(QFileInfo(file).isFile());
    EXPECT_EQ(store.fileName(), file);
}

TEST_F(SettingsStoreTest, AbsentKeysReadAsNothing)
{
    SettingsStore store(path());
    const QString key = QStringLiteral("tank volume");
    EXPECT_FALSE(store.hasStoredValue(key));
    EXPECT_FALSE(store.value(key).isValid());
    EXPECT_FALSE(store.boolValue(key));
    EXPECT_EQ(store.intValue(key), 0);
    EXPECT_EQ(store.doubleValue(key), 0.0);
    EXPECT_TRUE(store.stringValue(key).isNull());
    EXPECT_TRUE(store.stringListValue(key).isEmpty());
    EXPECT_FALSE(store.colourValue(key).has_value());
}

struct ListCase {
    const char* name;
    QStringList list;
};

TEST_F(SettingsStoreTest, StringListsRoundTripExactlyThroughTheFile)
{
    const QList<ListCase> cases = {
        {"empty list", {}},
        {"one empty string", {QStringLiteral("")}},
        {"two empty strings", {QStringLiteral(""), QStringLiteral("")}},
        {"one element", {QStringLiteral("Marseille")}},
        {"several", {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}},
        {"commas", {QStringLiteral("Nice, France"), QStringLiteral(",")}},
        {"outer spaces", {QStringLiteral(" lead"), QStringLiteral("trail "), QStringLiteral(" ")}},
        {"quotes", {QStringLiteral("\"quoted\""), QStringLiteral("it's")}},
        {"backslashes", {QStringLiteral("back\\slash"), QStringLiteral("\\")}},
        {"non-ASCII", {QStringLiteral("épave"), QStringLiteral("Müller"), QStringLiteral("日本")}},
        {"line breaks", {QStringLiteral("two\nlines"), QStringLiteral("cr\r"), QStringLiteral("\r\n")}},
        {"tab", {QStringLiteral("\ttab")}},
        {"INI punctuation", {QStringLiteral("a=b;c#d[e]"), QStringLiteral("@Variant(x)")}},
        {"tag-like text", {QStringLiteral("s:text"), QStringLiteral("l:[]")}},
    };
    SettingsStore store(path());
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString key = QStringLiteral("list %1").arg(QString::fromLatin1(c.name));
        store.setStringList(key, c.list);
        EXPECT_EQ(store.stringListValue(key), c.list);
        const auto reopened = reopenedCopy(store);
        EXPECT_TRUE(reopened->hasStoredValue(key));
        EXPECT_EQ(reopened->stringListValue(key), c.list);
        EXPECT_EQ(reopened->value(key).typeId(), QMetaType::QStringList);
    }
}

struct ValueCase {
    const char* name;
    QVariant value;
};

TEST_F(SettingsStoreTest, ScalarValuesComeBackWithTheirKind)
{
    const QList<ValueCase> cases = {
        {"true", true},
        {"false", false},
        {"int", 3},
        {"negative int", -42},
        {"long long", QVariant(qlonglong(1) << 40)},
        {"double", 0.5},
        {"small double", 1e-7},
        {"third", 1.0 / 3.0},
        {"empty text", QStringLiteral("")},
        {"text true", QStringLiteral("true")},
        {"text 3", QStringLiteral("3")},
        {"text with comma", QStringLiteral("a, b")},
        {"text with spaces", QStringLiteral("  padded  ")},
        {"text like an INI variant", QStringLiteral("@Variant(abc)")},
        {"text like a tag", QStringLiteral("b:true")},
        {"text with line break", QStringLiteral("one\ntwo")},
        {"non-ASCII text", QStringLiteral("plongée à Sète")},
        {"colour text", QStringLiteral("rgba(0,0,1,1)")},
    };
    SettingsStore store(path());
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString key = QString::fromLatin1(c.name);
        store.setValue(key, c.value);
        const auto reopened = reopenedCopy(store);
        const QVariant back = reopened->value(key);
        EXPECT_EQ(back.typeId(), c.value.typeId());
        EXPECT_EQ(back, c.value);
    }
}

TEST_F(SettingsStoreTest, DictionaryRoundTrips)
{
    QVariantMap statistics;
    statistics.insert(QStringLiteral("dives"), 120);
    statistics.insert(QStringLiteral("deepest"), 41.5);
    statistics.insert(QStringLiteral("places"), QStringList{QStringLiteral("Nice")});
    SettingsStore store(path());
    store.setValue(QStringLiteral("statistics values"), statistics);
    const auto reopened = reopenedCopy(store);
    EXPECT_EQ(reopened->value(QStringLiteral("statistics values")).toMap(), statistics);
}

TEST_F(SettingsStoreTest, KeysWithSpacesAndUnderscoresStayDistinct)
{
    const QStringList keys = {
        QStringLiteral("column numero"), QStringLiteral("column_numero"),
        QStringLiteral("column_epave"),  QStringLiteral("sac de plongee"),
        QStringLiteral("countryCode"),   QStringLiteral("country code"),
        QStringLiteral("ppO2 line"),     QStringLiteral("50% key"),
    };
    SettingsStore store(path());
    for (int i = 0; i < keys.size(); ++i)
        store.setValue(keys.at(i), i);
    const auto reopened = reopenedCopy(store);
    for (int i = 0; i < keys.size(); ++i) {
        SCOPED_TRACE(keys.at(i).toStdString());
        EXPECT_TRUE(reopened->hasStoredValue(keys.at(i)));
        EXPECT_EQ(reopened->intValue(keys.at(i)), i);
    }
}

struct ReadCase {
    const char* name;
    QVariant stored;
    bool asBool;
    int asInt;
    double asDouble;
};

TEST_F(SettingsStoreTest, TypedReadsConvertNumbersTextsAndBooleans)
{
    const QList<ReadCase> cases = {
        {"text 3", QStringLiteral("3"), true, 3, 3.0},
        {"text 0.5", QStringLiteral("0.5"), true, 0, 0.5},
        {"text 0", QStringLiteral("0"), false, 0, 0.0},
        {"empty text", QStringLiteral(""), false, 0, 0.0},
        {"text true", QStringLiteral("true"), true, 0, 0.0},
        {"text YES", QStringLiteral("YES"), true, 0, 0.0},
        {"text no", QStringLiteral("no"), false, 0, 0.0},
        {"text 1", QStringLiteral("1"), true, 1, 1.0},
        {"words", QStringLiteral("abc"), false, 0, 0.0},
        {"leading number", QStringLiteral(" 12abc"), true, 12, 12.0},
        {"comma is not a decimal point", QStringLiteral("2,5"), true, 2, 2.0},
        {"negative decimal", QStringLiteral("-2.5"), true, -2, -2.5},
        {"plus sign", QStringLiteral("+4"), true, 4, 4.0},
        {"exponent", QStringLiteral("1e3"), true, 1000, 1000.0},
        {"not a number", QStringLiteral("nan"), false, 0, 0.0},
        {"huge", QStringLiteral("1e30"), true, 2147483647, 1e30},
        {"bool true", true, true, 1, 1.0},
        {"bool false", false, false, 0, 0.0},
        {"int", 7, true, 7, 7.0},
        {"double", 2.9, true, 2, 2.9},
        {"negative double", -2.9, true, -2, -2.9},
        {"list", QStringList{QStringLiteral("3")}, false, 0, 0.0},
    };
    SettingsStore store(path());
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString key = QString::fromLatin1(c.name);
        store.setValue(key, c.stored);
        EXPECT_EQ(store.boolValue(key), c.asBool);
        EXPECT_EQ(store.intValue(key), c.asInt);
        EXPECT_DOUBLE_EQ(store.doubleValue(key), c.asDouble);
    }
}

TEST_F(SettingsStoreTest, ReadsOfTheWrongKind)
{
    SettingsStore store(path());
    store.setStringList(QStringLiteral("lieux"), {QStringLiteral("Nice")});
    store.setValue(QStringLiteral("text"), QStringLiteral("Nice"));
    store.setValue(QStringLiteral("number"), 2.5);
    store.setValue(QStringLiteral("flag"), true);

    EXPECT_TRUE(store.stringValue(QStringLiteral("lieux")).isNull());
    EXPECT_TRUE(store.stringListValue(QStringLiteral("text")).isEmpty());
    EXPECT_EQ(store.stringValue(QStringLiteral("number")), QStringLiteral("2.5"));
    EXPECT_EQ(store.stringValue(QStringLiteral("flag")), QStringLiteral("1"));
    EXPECT_FALSE(store.colourValue(QStringLiteral("text")).has_value());
    EXPECT_FALSE(store.colourValue(QStringLiteral("lieux")).has_value());
}

TEST_F(SettingsStoreTest, RegisteredDefaultsAnswerOnlyForKeysWithoutStoredValue)
{
    SettingsStore store(path());
    store.registerDefaults({{QStringLiteral("stop interval"), QStringLiteral("3")},
                            {QStringLiteral("display units"), true}});
    store.registerDefaults({{QStringLiteral("fill plot"), true},
                            {QStringLiteral("display units"), false}});

    EXPECT_EQ(store.intValue(QStringLiteral("stop interval")), 3);
    EXPECT_TRUE(store.boolValue(QStringLiteral("fill plot"))); // first table kept
    EXPECT_FALSE(store.boolValue(QStringLiteral("display units"))); // replaced
    EXPECT_FALSE(store.hasStoredValue(QStringLiteral("stop interval")));

    store.setValue(QStringLiteral("stop interval"), QStringLiteral("6"));
    EXPECT_EQ(store.intValue(QStringLiteral("stop interval")), 6);
    store.remove(QStringLiteral("stop interval"));
    EXPECT_EQ(store.intValue(QStringLiteral("stop interval")), 3);
}

TEST_F(SettingsStoreTest, RegisteredDefaultsAreNeverWrittenToDisk)
{
    {
        SettingsStore store(path());
        store.registerDefaults({{QStringLiteral("stop interval"), QStringLiteral("3")}});
        store.setValue(QStringLiteral("us units"), true);
        EXPECT_TRUE(store.sync());
    }
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("stop"));
    SettingsStore fresh(path());
    EXPECT_FALSE(fresh.value(QStringLiteral("stop interval")).isValid());
    EXPECT_TRUE(fresh.boolValue(QStringLiteral("us units")));
}

TEST_F(SettingsStoreTest, ValuesPersistToAFreshStoreOnTheSameFile)
{
    {
        SettingsStore store(path());
        store.setValue(QStringLiteral("cell life"), 18);
        store.setStringList(QStringLiteral("sites"), {QStringLiteral("La Vengeur")});
    }
    SettingsStore fresh(path());
    EXPECT_EQ(fresh.intValue(QStringLiteral("cell life")), 18);
    EXPECT_EQ(fresh.stringListValue(QStringLiteral("sites")), QStringList{QStringLiteral("La Vengeur")});
}

TEST_F(SettingsStoreTest, RemovingAndWritingNothing)
{
    SettingsStore store(path());
    store.setValue(QStringLiteral("a"), 1);
    store.setValue(QStringLiteral("b"), 2);
    store.setValue(QStringLiteral("a"), QVariant());
    EXPECT_FALSE(store.hasStoredValue(QStringLiteral("a")));
    store.remove(QString()); // must not wipe the whole store
    store.setValue(QString(), 5);
    EXPECT_EQ(store.intValue(QStringLiteral("b")), 2);
    store.remove(QStringLiteral("b"));
    EXPECT_FALSE(reopenedCopy(store)->hasStoredValue(QStringLiteral("b")));
}

TEST_F(SettingsStoreTest, ColoursRoundTrip)
{
    SettingsStore store(path());
    const RgbaColour colour = RgbaColour::rgb(0.1, 0.25, 1.0 / 3.0, 0.75);
    store.setColour(QStringLiteral("foreign color"), colour);
    EXPECT_EQ(reopenedCopy(store)->colourValue(QStringLiteral("foreign color")), colour);
}

TEST_F(SettingsStoreTest, HandEditedFileIsReadAsText)
{
    writeRawFile(path(), "[General]\n"
                         "stop%20interval=6\n"
                         "us%20units=true\n"
                         "lieux=Nice, Sete\n"
                         "coloured%20text=x:y\n");
    SettingsStore store(path());
    EXPECT_EQ(store.intValue(QStringLiteral("stop interval")), 6);
    EXPECT_TRUE(store.boolValue(QStringLiteral("us units")));
    EXPECT_EQ(store.stringListValue(QStringLiteral("lieux")),
              (QStringList{QStringLiteral("Nice"), QStringLiteral("Sete")}));
    EXPECT_EQ(store.stringValue(QStringLiteral("coloured text")), QStringLiteral("x:y"));
}

struct ColourTextCase {
    RgbaColour colour;
    const char* text;
};

TEST(RgbaColourTest, TextUsesShortestDecimals)
{
    const QList<ColourTextCase> cases = {
        {RgbaColour::rgb(0, 0, 1), "rgba(0,0,1,1)"},
        {RgbaColour::rgb(1, 0, 0, 1), "rgba(1,0,0,1)"},
        {RgbaColour::grey(0.5, 1), "rgba(0.5,0.5,0.5,1)"},
        {RgbaColour::rgb(0.1, 0.2, 0.3, 0.25), "rgba(0.1,0.2,0.3,0.25)"},
    };
    for (const ColourTextCase& c : cases) {
        EXPECT_EQ(c.colour.toText(), QString::fromLatin1(c.text));
        EXPECT_EQ(RgbaColour::fromText(QString::fromLatin1(c.text)), c.colour);
    }
}

TEST(RgbaColourTest, AwkwardComponentsRoundTripExactly)
{
    const RgbaColour colour = RgbaColour::rgb(1.0 / 3.0, 2.0 / 3.0, 1e-9, 0.999999999999);
    EXPECT_EQ(RgbaColour::fromText(colour.toText()), colour);
}

TEST(RgbaColourTest, ReadsSpacesButRefusesMalformedText)
{
    EXPECT_EQ(RgbaColour::fromText(QStringLiteral(" rgba( 0 , 0.25 , 1 , 1 ) ")),
              RgbaColour::rgb(0, 0.25, 1, 1));
    const char* bad[] = {
        "",
        "blue",
        "rgb(0,0,1)",
        "rgba(0,0,1)",
        "rgba(0,0,1,1,1)",
        "rgba(0,,1,1)",
        "rgba(a,0,1,1)",
        "rgba(0,0,1,1",
        "rgba(0,0,1,1)x",
        "rgba(2,0,0,1)",
        "rgba(-0.1,0,0,1)",
        "rgba(nan,0,0,1)",
        "rgba(inf,0,0,1)",
        "rgba(0x1,0,0,1)",
        "rgba(0.5.5,0,0,1)",
        "rgba(0,5,0,0,1)",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(RgbaColour::fromText(QString::fromLatin1(text)).has_value());
    }
}

} // namespace
