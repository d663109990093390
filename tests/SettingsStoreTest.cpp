#include "platform/RgbaColour.h"
#include "platform/SettingsStore.h"
#include "support/TestFiles.h"

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

    QTemporaryDir m_dir;
    int m_copies = 0;
};

TEST_F(SettingsStoreTest, AbsentKeysAndReadsOfTheWrongKindGiveNothing)
{
    SettingsStore store(path());
    const QString key = QStringLiteral("tank volume");
    EXPECT_FALSE(store.hasStoredValue(key));
    EXPECT_FALSE(store.value(key).isValid());
    EXPECT_FALSE(store.boolValue(key));
    EXPECT_EQ(store.intValue(key), 0);
    EXPECT_TRUE(store.stringValue(key).isNull());
    EXPECT_TRUE(store.stringListValue(key).isEmpty());
    EXPECT_FALSE(store.colourValue(key).has_value());
    store.setStringList(QStringLiteral("lieux"), {QStringLiteral("Nice")});
    store.setValue(QStringLiteral("text"), QStringLiteral("Nice"));
    store.setValue(QStringLiteral("number"), 2.5);
    store.setValue(QStringLiteral("flag"), true);
    EXPECT_TRUE(store.stringValue(QStringLiteral("lieux")).isNull());
    EXPECT_TRUE(store.stringListValue(QStringLiteral("text")).isEmpty());
    EXPECT_EQ(store.stringValue(QStringLiteral("number")), QStringLiteral("2.5"));
    EXPECT_EQ(store.stringValue(QStringLiteral("flag")), QStringLiteral("1"));
    EXPECT_FALSE(store.colourValue(QStringLiteral("text")).has_value());
}

// Every kind a settings value takes comes back exactly, with its kind,
// through the file.
TEST_F(SettingsStoreTest, ValuesRoundTripExactlyThroughTheFile)
{
    const QList<QStringList> lists = {
        {}, {""}, {"", ""}, {"Marseille"}, {"Nice, France", ","}, {" lead", "trail ", " "}, {"\"quoted\"", "it's"},
        {"back\\slash", "\\"}, {"épave", "Müller", "日本"}, {"two\nlines", "cr\r", "\r\n", "\ttab"},
        {"a=b;c#d[e]", "@Variant(x)"}, {"s:text", "l:[]"},
    };
    const QList<QVariant> scalars = {
        true, false, 3, -42, QVariant(qlonglong(1) << 40), 0.5, 1e-7, 1.0 / 3.0, QString(""), QString("true"),
        QString("3"), QString("a, b"), QString("  padded  "), QString("@Variant(abc)"), QString("b:true"),
        QString("one\ntwo"), QString("plongée à Sète"), QString("rgba(0,0,1,1)"),
    };
    QVariantMap statistics{{"dives", 120}, {"deepest", 41.5}, {"places", QStringList{"Nice"}}};
    SettingsStore store(path());
    for (int i = 0; i < lists.size(); ++i)
        store.setStringList(QStringLiteral("list %1").arg(i), lists[i]);
    for (int i = 0; i < scalars.size(); ++i)
        store.setValue(QStringLiteral("value %1").arg(i), scalars[i]);
    store.setValue(QStringLiteral("statistics values"), statistics);
    store.setColour(QStringLiteral("foreign color"), RgbaColour::rgb(0.1, 0.25, 1.0 / 3.0, 0.75));
    // Keys with spaces and underscores stay distinct.
    const QStringList keys = {"column numero", "column_numero", "column_epave", "sac de plongee",
                              "countryCode",   "country code",  "ppO2 line",    "50% key"};
    for (int i = 0; i < keys.size(); ++i)
        store.setValue(keys.at(i), i);
    const auto reopened = reopenedCopy(store);
    for (int i = 0; i < keys.size(); ++i) {
        EXPECT_TRUE(reopened->hasStoredValue(keys.at(i))) << keys.at(i).toStdString();
        EXPECT_EQ(reopened->intValue(keys.at(i)), i) << keys.at(i).toStdString();
    }
    for (int i = 0; i < lists.size(); ++i) {
        const QVariant back = reopened->value(QStringLiteral("list %1").arg(i));
        EXPECT_EQ(back.typeId(), QMetaType::QStringList) << i;
        EXPECT_EQ(back.toStringList(), lists[i]) << i;
    }
    for (int i = 0; i < scalars.size(); ++i) {
        const QVariant back = reopened->value(QStringLiteral("value %1").arg(i));
        EXPECT_EQ(back.typeId(), scalars[i].typeId()) << i;
        EXPECT_EQ(back, scalars[i]) << i;
    }
    EXPECT_EQ(reopened->value(QStringLiteral("statistics values")).toMap(), statistics);
    EXPECT_EQ(reopened->colourValue(QStringLiteral("foreign color")), RgbaColour::rgb(0.1, 0.25, 1.0 / 3.0, 0.75));
}

TEST_F(SettingsStoreTest, TypedReadsConvertNumbersTextsAndBooleans)
{
    const struct { const char* name; QVariant stored; bool asBool; int asInt; double asDouble; } cases[] = {
        {"text 3", QString("3"), true, 3, 3.0},          {"text 0.5", QString("0.5"), true, 0, 0.5},
        {"text 0", QString("0"), false, 0, 0.0},         {"empty text", QString(""), false, 0, 0.0},
        {"text true", QString("true"), true, 0, 0.0},    {"text YES", QString("YES"), true, 0, 0.0},
        {"text no", QString("no"), false, 0, 0.0},       {"words", QString("abc"), false, 0, 0.0},
        {"leading number", QString(" 12abc"), true, 12, 12.0}, {"comma", QString("2,5"), true, 2, 2.0},
        {"negative", QString("-2.5"), true, -2, -2.5},   {"plus", QString("+4"), true, 4, 4.0},
        {"exponent", QString("1e3"), true, 1000, 1000.0}, {"nan", QString("nan"), false, 0, 0.0},
        {"huge", QString("1e30"), true, 2147483647, 1e30}, {"bool", true, true, 1, 1.0},
        {"int", 7, true, 7, 7.0},                         {"double", 2.9, true, 2, 2.9},
        {"negative double", -2.9, true, -2, -2.9},        {"list", QStringList{"3"}, false, 0, 0.0},
    };
    SettingsStore store(path());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString key = QString::fromLatin1(c.name);
        store.setValue(key, c.stored);
        EXPECT_EQ(store.boolValue(key), c.asBool);
        EXPECT_EQ(store.intValue(key), c.asInt);
        EXPECT_DOUBLE_EQ(store.doubleValue(key), c.asDouble);
    }
}

// Registered defaults answer only for keys without a stored value and are
// never written; values persist to a fresh store on the same file, which is
// made with its folder when absent.
TEST_F(SettingsStoreTest, RegisteredDefaultsAnswerOnlyForKeysWithoutStoredValueAndStayOffDisk)
{
    const QString file = path(QStringLiteral("deep/er/settings.ini"));
    {
        SettingsStore store(file);
        EXPECT_TRUE(QFileInfo(file).isFile());
        store.registerDefaults({{QStringLiteral("stop interval"), QStringLiteral("3")},
                                {QStringLiteral("display units"), true}});
        store.registerDefaults({{QStringLiteral("fill plot"), true}, {QStringLiteral("display units"), false}});
        EXPECT_EQ(store.intValue(QStringLiteral("stop interval")), 3);
        EXPECT_TRUE(store.boolValue(QStringLiteral("fill plot"))); // first table kept
        EXPECT_FALSE(store.boolValue(QStringLiteral("display units"))); // replaced
        EXPECT_FALSE(store.hasStoredValue(QStringLiteral("stop interval")));
        store.setValue(QStringLiteral("stop interval"), QStringLiteral("6"));
        EXPECT_EQ(store.intValue(QStringLiteral("stop interval")), 6);
        store.remove(QStringLiteral("stop interval"));
        EXPECT_EQ(store.intValue(QStringLiteral("stop interval")), 3);
        store.setValue(QStringLiteral("us units"), true);
        EXPECT_TRUE(store.sync());
    }
    EXPECT_FALSE(fileContent(file).contains("stop"));
    EXPECT_FALSE(fileContent(file).contains("fill"));
    SettingsStore fresh(file);
    EXPECT_FALSE(fresh.value(QStringLiteral("stop interval")).isValid());
    EXPECT_TRUE(fresh.boolValue(QStringLiteral("us units")));
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

TEST_F(SettingsStoreTest, HandEditedFileIsReadAsText)
{
    ASSERT_TRUE(writeFile(path(), "[General]\n"
                         "stop%20interval=6\n"
                         "us%20units=true\n"
                         "lieux=Nice, Sete\n"
                         "coloured%20text=x:y\n"));
    SettingsStore store(path());
    EXPECT_EQ(store.intValue(QStringLiteral("stop interval")), 6);
    EXPECT_TRUE(store.boolValue(QStringLiteral("us units")));
    EXPECT_EQ(store.stringListValue(QStringLiteral("lieux")),
              (QStringList{QStringLiteral("Nice"), QStringLiteral("Sete")}));
    EXPECT_EQ(store.stringValue(QStringLiteral("coloured text")), QStringLiteral("x:y"));
}

TEST(RgbaColourTest, TextUsesShortestDecimals)
{
    const struct { RgbaColour colour; const char* text; } cases[] = {
        {RgbaColour::rgb(0, 0, 1), "rgba(0,0,1,1)"},
        {RgbaColour::rgb(1, 0, 0, 1), "rgba(1,0,0,1)"},
        {RgbaColour::grey(0.5, 1), "rgba(0.5,0.5,0.5,1)"},
        {RgbaColour::rgb(0.1, 0.2, 0.3, 0.25), "rgba(0.1,0.2,0.3,0.25)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.colour.toText(), QString::fromLatin1(c.text));
        EXPECT_EQ(RgbaColour::fromText(QString::fromLatin1(c.text)), c.colour);
    }
    // Awkward components round trip exactly.
    const RgbaColour awkward = RgbaColour::rgb(1.0 / 3.0, 2.0 / 3.0, 1e-9, 0.999999999999);
    EXPECT_EQ(RgbaColour::fromText(awkward.toText()), awkward);
}

TEST(RgbaColourTest, ReadsSpacesButRefusesMalformedText)
{
    EXPECT_EQ(RgbaColour::fromText(QStringLiteral(" rgba( 0 , 0.25 , 1 , 1 ) ")),
              RgbaColour::rgb(0, 0.25, 1, 1));
    const char* bad[] = {
        "", "blue", "rgb(0,0,1)", "rgba(0,0,1)", "rgba(0,0,1,1,1)", "rgba(0,,1,1)", "rgba(a,0,1,1)", "rgba(0,0,1,1",
        "rgba(0,0,1,1)x", "rgba(2,0,0,1)", "rgba(-0.1,0,0,1)", "rgba(nan,0,0,1)", "rgba(inf,0,0,1)", "rgba(0x1,0,0,1)",
        "rgba(0.5.5,0,0,1)", "rgba(0,5,0,0,1)",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(RgbaColour::fromText(QString::fromLatin1(text)).has_value());
    }
}

} // namespace
