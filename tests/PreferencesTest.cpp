#include "platform/context/Notifications.h"
#include "platform/prefs/PickListEditor.h"
#include "platform/prefs/PreferencesForm.h"
#include "support/CliRun.h"
#include "support/ContextFixture.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

RgbaColour rgb(double r, double g, double b, double a = 1) { return RgbaColour::rgb(r, g, b, a); }

class PreferencesTest : public ContextFixture {
protected:
    // Every notification posted, with the store's text of `watched` at the
    // moment it arrived.
    void record(const QString& watched)
    {
        QStringList* seen = &m_seen;
        for (const QString& name : {notifications::updateTableView, notifications::updateColumnsTableView,
                                    notifications::profile, notifications::updateEditDive, notifications::updateDeco,
                                    notifications::updateRebreather})
            context->hub().addObserver(this, name, [this, seen, watched](const QString& n, const void*) {
                seen->append(n + u'=' + settings().stringValue(watched));
            });
    }
    QStringList m_seen;
};

TEST_F(PreferencesTest, ResetStoresTheFactoryValuesBeforeTellingTheLogbooks)
{
    settings().setValue(QStringLiteral("stop interval"), 6);
    settings().setValue(QStringLiteral("column gaz"), true);
    record(QStringLiteral("stop interval"));
    PreferencesForm(*context).reset();
    using namespace notifications;
    EXPECT_EQ(m_seen, (QStringList{updateTableView + "=3", updateColumnsTableView + "=3", updateTableView + "=3",
                                   profile + "=3", updateEditDive + "=3", updateDeco + "=3", updateRebreather + "=3"}));
    struct Row { const char* key; QVariant value; }; // a colour as its RgbaColour text
    const Row rows[] = {
        {"tank volume", 15.0},           {"tank pressure", 230.0},          {"country code", "FRA"},
        {"stop interval", 3},            {"cell life", 18},                 {"column gaz", false},
        {"column scaph", false},         {"column_epave", true},            {"column numero", true},
        {"foreign in color", true},      {"mix in color", true},            {"us units", false},
        {"alpha fill color", 0.4},       {"alpha background color", 0.2},  {"ppO2 line", false},
        {"coloured theme", 0},           {"low temperature value", ""},
        {"low temperature color", rgb(0, 0, 1).toText()},
        {"foreign color", rgb(0.725, 1.0, 0.674).toText()},
        {"depth color", rgb(0.5, 0, 0.5).toText()},
        {"gradient lines color", rgb(0.702, 0.702, 0.702).toText()},
    };
    for (const Row& r : rows) {
        const QString key = QLatin1String(r.key);
        EXPECT_TRUE(settings().hasStoredValue(key)) << r.key;
        const QString expected = r.value.typeId() == QMetaType::Bool ? QString::number(r.value.toBool())
                                                                     : r.value.toString();
        EXPECT_EQ(settings().stringValue(key), expected) << r.key;
    }
}

TEST_F(PreferencesTest, DecoAndCellLifeAreStoredBeforeTheirNotifications)
{
    PreferencesForm form(*context);
    for (const auto& [key, control, typed, posted] :
         {std::tuple{"stop interval", "stopIntervalField", "5", notifications::updateDeco + "=5"},
          std::tuple{"cell life", "cellLifeField", "24", notifications::updateRebreather + "=24"}}) {
        m_seen.clear();
        context->hub().removeObserver(this);
        record(QLatin1String(key));
        form.setText(QLatin1String(control), QLatin1String(typed));
        EXPECT_TRUE(form.commit({QLatin1String(control)}).isEmpty()) << control;
        EXPECT_EQ(m_seen, QStringList{posted});
    }
}

// Each row types a value into one control of a pane, stores it, and reads it
// back through a new form: what was stored is what is shown again.
TEST_F(PreferencesTest, EveryPaneStoresAndLoadsBack)
{
    struct Row { const char* control; const char* typed; const char* shownAgain; };
    const Row rows[] = {
        {"volumeBlocField", "12,5", "12.5"},        {"pressionBlocField", "200", "200"},
        {"usUnitsSwitch", "1", "1"},                 {"countryCodeField", " BEL ", " BEL "},
        {"penseBeteSwitch", "1", "1"},               {"profondeurWell", "#11223380", "#11223380"},
        {"dureeWell", "#aabbcc", "#aabbcc"},         {"themeInColorPopUp", "2", "2"},
        {"tempValueField", "12", "12"},              {"foreignWell", "#00ff0001", "#00ff0001"},
        {"epaveColumnSwitch", "1", "1"},             {"numeroColumnSwitch", "0", "0"},
        {"alphaFillField", "0.25", "0.25"},          {"gradientLinesColorWell", "#ffffff00", "#ffffff00"},
        {"ppO2Switch", "1", "1"},                    {"stopIntervalField", "6", "6"},
        {"cellLifeField", "1200", "1200"},
    };
    PreferencesForm form(*context);
    QStringList names;
    for (const Row& r : rows) {
        QString reason;
        ASSERT_TRUE(form.type(QLatin1String(r.control), QLatin1String(r.typed), &reason)) << r.control;
        names.append(QLatin1String(r.control));
    }
    EXPECT_TRUE(form.commit(names).isEmpty());
    const PreferencesForm again(*context);
    for (const Row& r : rows) {
        const QString name = QLatin1String(r.control);
        const auto* c = PreferencesForm::control(name);
        const QString shown = c->kind == PreferencesForm::Kind::Colour ? again.colour(name)->toHex(true)
                            : c->kind == PreferencesForm::Kind::Switch ? QString::number(again.isOn(name))
                            : c->kind == PreferencesForm::Kind::Theme  ? QString::number(again.tag(name))
                                                                       : again.text(name);
        EXPECT_EQ(shown, QLatin1String(r.shownAgain)) << r.control;
    }
}

// A first save stores what the store held, not the window's layout values.
TEST_F(PreferencesTest, StoringAFreshlyLoadedFormChangesNothing)
{
    settings().setValue(QStringLiteral("fill plot"), false);
    settings().setColour(QStringLiteral("plot color"), rgb(0.2, 0.4, 0.6, 0.5));
    settings().setValue(QStringLiteral("tank volume"), 10.5);
    settings().setValue(QStringLiteral("coloured theme"), 1);
    PreferencesForm(*context).storeAll();
    EXPECT_FALSE(settings().boolValue(QStringLiteral("fill plot")));
    EXPECT_EQ(settings().colourValue(QStringLiteral("plot color")), rgb(0.2, 0.4, 0.6, 0.5));
    EXPECT_EQ(settings().doubleValue(QStringLiteral("tank volume")), 10.5);
    EXPECT_EQ(settings().intValue(QStringLiteral("coloured theme")), 1);
    EXPECT_FALSE(settings().hasStoredValue(QStringLiteral("foreign color")));
    EXPECT_EQ(settings().intValue(QStringLiteral("stop interval")), 3);
}

TEST_F(PreferencesTest, BadValuesAreRefusedAndLeaveTheControl)
{
    const std::pair<const char*, const char*> rows[] = {
        {"alphaFillField", "1.01"}, {"alphaFillField", "-0.1"},   {"stopIntervalField", "0"},
        {"stopIntervalField", "2.5"}, {"cellLifeField", "1e400"}, {"volumeBlocField", "12 l"},
        {"usUnitsSwitch", "yes"},   {"profondeurWell", "#12345"}, {"profondeurWell", "#1234567g"},
        {"profondeurWell", "#+1+2+3"}, {"themeInColorPopUp", "3"}, {"themeInColorPopUp", "-1"},
        {"cellLifeField", "1201"},
    };
    PreferencesForm form(*context);
    for (const auto& [control, typed] : rows) {
        const QString name = QLatin1String(control);
        const QString before = form.text(name);
        QString reason;
        EXPECT_FALSE(form.type(name, QLatin1String(typed), &reason)) << control << " " << typed;
        EXPECT_FALSE(reason.isEmpty()) << control;
        EXPECT_EQ(form.text(name), before) << control;
    }
    form.setOn(QStringLiteral("fillSwitch"), false);
    EXPECT_FALSE(form.enabled(QStringLiteral("fillColorWell")));
    EXPECT_FALSE(form.enabled(QStringLiteral("alphaFillField")));
    settings().setValue(QStringLiteral("us units"), true);
    EXPECT_EQ(form.unitLabel(), context->localizer().text(QStringLiteral("Degree Farenheit"), QStringLiteral("Carnet")));
}

TEST_F(PreferencesTest, EditorAddsAndDeletesTheSelectedEntriesEvenAmongDuplicates)
{
    PickListEditor editor(*context, PickListId::Sites);
    for (const char* text : {"b", "a", "b", "", "c"})
        editor.add(QLatin1String(text));
    EXPECT_EQ(editor.entries(), (QStringList{"", "a", "b", "b", "c"}));
    EXPECT_EQ(settings().stringListValue(QStringLiteral("sites")), editor.entries());
    EXPECT_EQ(editor.countText(), QStringLiteral("Entries: 5"));

    EXPECT_EQ(editor.remove({}), 0);
    EXPECT_TRUE(alerts.asked().isEmpty());
    // Selected: the second "b" and "c". The list is re-sorted meanwhile.
    const auto selection = editor.selectionOf({3, 4, 9});
    editor.add(QStringLiteral("B"));
    EXPECT_EQ(editor.remove(selection), 2);
    EXPECT_EQ(editor.entries(), (QStringList{"", "B", "a", "b"}));
    EXPECT_EQ(alertKeys(), QStringList{QStringLiteral("Erase selection")});
    alerts.queueAnswer(1);
    EXPECT_EQ(editor.remove(editor.selectionOf({0})), 0);
    EXPECT_EQ(settings().stringListValue(QStringLiteral("sites")), (QStringList{"", "B", "a", "b"}));
    // An entry deleted elsewhere leaves nothing for its selection to take.
    const auto gone = editor.selectionOf({2});
    context->pickLists().list(PickListId::Sites).removeAt(2);
    EXPECT_EQ(editor.remove(gone), 0);
    EXPECT_EQ(editor.entries(), (QStringList{"", "B", "b"}));

    // Shops are read again from the store when their editor is shown; sites
    // show the working list as it is.
    settings().setStringList(QStringLiteral("magasins"), {QStringLiteral("Plongée 2000")});
    PickListEditor shops(*context, PickListId::Magasins);
    shops.aboutToShow();
    context->pickLists().list(PickListId::Sites).append(QStringLiteral("not stored"));
    editor.aboutToShow();
    EXPECT_EQ(shops.entries(), QStringList{QStringLiteral("Plongée 2000")});
    EXPECT_EQ(editor.entries(), (QStringList{"", "B", "b", "not stored"}));
}

TEST_F(PreferencesTest, CommandLine)
{
    qputenv("LANG", "C"); // the English count text
    const QString ini = dir.filePath(QStringLiteral("cli.ini"));
    struct Row {
        QStringList args;
        int status;
        const char* out; // expected stdout, or a part of it after "~"
    };
    const Row rows[] = {
        {{"prefs-set", "stop interval=5", "depth color=#11223380", "column_epave=0", "coloured theme=0"}, 0, ""},
        {{"prefs", "stop interval", "depth color", "column_epave", "tank volume"}, 0,
         "{\"stop interval\":5,\"depth color\":\"#11223380\",\"column_epave\":false,\"tank volume\":null}\n"},
        {{"prefs-set", "tank volume=12", "cell life=x"}, 1, ""},
        {{"prefs-set", "no such key=1"}, 2, ""},
        {{"prefs", "tank volume"}, 0, "{\"tank volume\":null}\n"},
        {{"prefs-reset"}, 0, ""},
        {{"prefs", "tank volume", "column gaz", "coloured theme"}, 0,
         "{\"tank volume\":15,\"column gaz\":false,\"coloured theme\":0}\n"},
        {{"prefs"}, 0, "~\"lieux\":[]"},
        {{"picklist-add", "lieux", "Nice"}, 0, ""},
        {{"picklist-add", "lieux", "Antibes"}, 0, ""},
        {{"picklist-add", "lieux", "Nice"}, 0, ""},
        {{"picklist", "lieux"}, 0, "Antibes\nNice\nNice\nEntries: 3\n"},
        {{"picklist-delete", "lieux", "1", "3"}, 1, ""},
        {{"picklist-delete", "lieux", "2", "0", "2"}, 0, ""},
        {{"picklist", "lieux"}, 0, "Nice\nEntries: 1\n"},
        {{"picklist", "villes"}, 2, ""},
        {{"picklist-add", "lieux"}, 2, ""},
    };
    for (const Row& r : rows) {
        const CliRun run = runCli(ini, r.args);
        EXPECT_EQ(run.status, r.status) << r.args.join(u' ').toStdString() << run.err.constData();
        const QByteArray out(r.out);
        if (out.startsWith('~'))
            EXPECT_TRUE(run.out.contains(out.mid(1))) << run.out.constData();
        else
            EXPECT_EQ(run.out, out) << r.args.join(u' ').toStdString();
    }
    EXPECT_TRUE(runCli(ini, {"picklist-delete", "lieux", "0"}).err.contains("alert: Erase selection"));
    const QByteArray help = runCli({QStringLiteral("--help")}).out;
    for (const char* command : {"prefs [KEY", "prefs-set KEY=VALUE", "prefs-reset", "picklist NAME",
                                "picklist-add NAME TEXT", "picklist-delete NAME ROW"})
        EXPECT_TRUE(help.contains(command)) << command;
}

} // namespace
