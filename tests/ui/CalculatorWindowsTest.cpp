#include "platform/context/AppContext.h"
#include "app/ui/AppDelegate.h"
#include "calculators/CalculatorActions.h"
#include "calculators/ui/CalculatorWindow.h"
#include "calculators/ui/CalculatorWindows.h"
#include "calculators/ui/GpsController.h"
#include "calculators/ui/PhysiqueController.h"
#include "platform/Localizer.h"
#include "platform/ScriptedAlerts.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

// The English texts the program ships.
Localizer englishTexts() { return Localizer(QStringLiteral("en")); }

// Types into a text field as the keyboard does, replacing what it held.
void type(QWidget* widget, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(widget);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(edit, &erase);
    for (const QChar c : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &key);
    }
}

// Pastes a text over what a text field holds, in one edit.
void paste(QWidget* widget, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(widget);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    edit->insert(text);
}

QColor textColour(QWidget* widget) { return widget->palette().color(QPalette::WindowText); }

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

class CalculatorWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        context = std::make_unique<AppContext>(
            std::make_unique<SettingsStore>(dir.filePath(QStringLiteral("settings.ini"))), alerts, QStringLiteral("en"));
        delegate = std::make_unique<AppDelegate>(*context);
        registerCalculatorWindows(*delegate, englishTexts());
    }
    void TearDown() override
    {
        delegate->closeWindows();
        delegate.reset();
        context.reset();
    }

    CalculatorWindow* open(const char* command)
    {
        auto* window = qobject_cast<CalculatorWindow*>(delegate->showWindow(QLatin1String(command)));
        EXPECT_NE(window, nullptr) << command;
        return window;
    }

    template <typename T = QWidget> T* control(CalculatorWindow* window, const char* field)
    {
        T* c = qobject_cast<T*>(window->control(QLatin1String(field)));
        EXPECT_NE(c, nullptr) << field;
        return c;
    }

    QString shown(CalculatorWindow* window, const char* field)
    {
        QWidget* c = window->control(QLatin1String(field));
        if (auto* label = qobject_cast<QLabel*>(c))
            return label->text();
        if (auto* edit = qobject_cast<QLineEdit*>(c))
            return edit->text();
        if (auto* view = qobject_cast<QTextEdit*>(c))
            return view->toPlainText();
        ADD_FAILURE() << "no output control " << field;
        return {};
    }

    // What the window shows equals what the action table gives for what
    // its controls hold (the command line prints the same).
    void expectSameAsTable(CalculatorWindow* window, const char* actionName)
    {
        const CalculatorAction* action = CalculatorActions::find(QLatin1String(actionName));
        ASSERT_NE(action, nullptr);
        const CalculatorResult r = action->run(window->typedTexts(), englishTexts());
        for (const QString& field : action->outputs)
            EXPECT_EQ(shown(window, field.toLatin1().constData()), r.texts.value(field)) << actionName << " " << field.toStdString();
    }

    QTemporaryDir dir;
    ScriptedAlerts alerts;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<AppDelegate> delegate;
};

} // namespace

TEST_F(CalculatorWindowsTest, EveryCommandOpensItsWindowOnceAndKeepsIt)
{
    const struct {
        const char* command;
        const char* window;
    } cases[] = {
        {"displayConversionsWindow", "Physique"},
        {"displayConversionsGPSWindow", "Gps"},
        {"displayProfMaxWindow", "Nitrox Prof Max"},
        {"displayBestMixWindow", "Nitrox Best Mix"},
        {"displayEquivalentDepthWindow", "Nitrox Equivalent Depth"},
        {"displayOxygenWindow", "Nitrox Oxygen Window"},
        {"displayBlendNitroxWindow", "Blend Nitrox"},
        {"displayTrimixEAD_ENDWindow", "Trimix"},
        {"displayTrimixProfMinWindow", "Trimix Prof Min"},
        {"displayBestTrimix", "Best Trimix"},
        {"displaySodaTimeWindow", "Soda Time"},
        {"displaySCRBreathedFracO2Window", "SCR Breathed Frac O2"},
        {"displaySCRIdealFlowWindow", "SCR Flow Calc"},
    };
    for (const auto& c : cases) {
        const QString command = QLatin1String(c.command);
        ASSERT_TRUE(delegate->commands().contains(command)) << c.command;
        EXPECT_EQ(delegate->existingWindow(command), nullptr) << c.command;
        CalculatorWindow* window = open(c.command);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowName(), QLatin1String(c.window));
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->windowTitle().isEmpty());
        // Every input and output of the window's actions has its control.
        for (const CalculatorAction* action : CalculatorActions::ofWindow(window->windowName())) {
            for (const CalculatorField& f : action->inputs)
                EXPECT_NE(window->control(f.name), nullptr) << c.window << " " << f.name.toStdString();
            for (const QString& f : action->outputs)
                EXPECT_NE(window->control(f), nullptr) << c.window << " " << f.toStdString();
        }
    }

    // Closed and shown again: the same window with what was typed.
    CalculatorWindow* window = open("displayProfMaxWindow");
    type(control(window, "fracO2Field"), QStringLiteral("32"));
    window->close();
    EXPECT_EQ(open("displayProfMaxWindow"), window);
    EXPECT_EQ(control<QLineEdit>(window, "fracO2Field")->text(), QStringLiteral("32"));
    EXPECT_EQ(shown(window, "resultatField"), QStringLiteral("MOD : 33.8 m"));
}

TEST_F(CalculatorWindowsTest, MenuShowsTheWindows)
{
    QMenuBar bar;
    addCalculatorMenu(&bar, *delegate);
    auto* menu = bar.findChild<QMenu*>(QStringLiteral("calculatorsMenu"));
    ASSERT_NE(menu, nullptr);
    QStringList commands;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            commands.append(a->objectName());
    EXPECT_EQ(commands.size(), 13);
    for (const QString& command : commands)
        EXPECT_TRUE(delegate->commands().contains(command)) << command.toStdString();
    QAction* gps = menu->findChild<QAction*>(QStringLiteral("displayConversionsGPSWindow"));
    ASSERT_NE(gps, nullptr);
    gps->trigger();
    QWidget* window = delegate->existingWindow(QStringLiteral("displayConversionsGPSWindow"));
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(CalculatorWindowsTest, NitroxWindowsComputeAsTheDiverTypes)
{
    CalculatorWindow* mod = open("displayProfMaxWindow");
    EXPECT_TRUE(shown(mod, "resultatField").isEmpty()); // nothing before the first edit
    auto* limit = control<QComboBox>(mod, "ppO2PopUp");
    EXPECT_EQ(limit->currentText(), QStringLiteral("1.4 bar"));
    type(control(mod, "fracO2Field"), QStringLiteral("3"));
    EXPECT_EQ(shown(mod, "resultatField"), QStringLiteral("MOD : 456.7 m"));
    type(control(mod, "fracO2Field"), QStringLiteral("32"));
    EXPECT_EQ(shown(mod, "resultatField"), QStringLiteral("MOD : 33.8 m"));
    limit->setCurrentIndex(4);
    EXPECT_EQ(shown(mod, "resultatField"), QStringLiteral("MOD : 40.0 m"));
    expectSameAsTable(mod, "profMax");

    CalculatorWindow* best = open("displayBestMixWindow");
    type(control(best, "profondeurMaxField"), QStringLiteral("30"));
    EXPECT_EQ(shown(best, "resultatField"), QStringLiteral("Best mix : 35.00 % O2"));

    CalculatorWindow* ead = open("displayEquivalentDepthWindow");
    type(control(ead, "fracO2Field"), QStringLiteral("40"));
    type(control(ead, "profondeurField"), QStringLiteral("0"));
    EXPECT_EQ(shown(ead, "resultatField"), QStringLiteral("EAD : -2.4 m"));

    CalculatorWindow* window = open("displayOxygenWindow");
    type(control(window, "winFO2"), QStringLiteral("100"));
    type(control(window, "winMinPpO2"), QStringLiteral("0.5"));
    EXPECT_EQ(shown(window, "winResult"),
              QStringLiteral("Maximum depth (ppO2 1.6 bar) : 6.0 m\nMinimum depth : 0.0 m\nLimit depth : 6.0 m"));
    // A window refuses what cannot be, as the diver types it.
    type(control(window, "winFO2"), QStringLiteral("-5"));
    EXPECT_EQ(shown(window, "winResult"), QStringLiteral("No valid data"));

    CalculatorWindow* blend = open("displayBlendNitroxWindow");
    type(control(blend, "pressionFinaleField"), QStringLiteral("200"));
    type(control(blend, "fracO2FinaleField"), QStringLiteral("32"));
    EXPECT_EQ(shown(blend, "resultatField"), QStringLiteral("Oxygen to add : 27.85 bar\nOxygen in the gas added : 32.00 %"));
    type(control(blend, "fracO2FinaleField"), QStringLiteral("18"));
    EXPECT_EQ(shown(blend, "resultatField"), QStringLiteral("No blend reaches this mix by adding oxygen then air"));
    expectSameAsTable(blend, "blendNitrox");
}

TEST_F(CalculatorWindowsTest, TrimixWindows)
{
    CalculatorWindow* w = open("displayTrimixEAD_ENDWindow");
    type(control(w, "profondeurMaxField"), QStringLiteral("60"));
    type(control(w, "fracO2TxField"), QStringLiteral("18"));
    type(control(w, "fracHeTxField"), QStringLiteral("45"));
    EXPECT_EQ(shown(w, "resultatField"), QStringLiteral("EAD : 22.78 m\nEND : 28.50 m"));

    w = open("displayTrimixProfMinWindow");
    type(control(w, "fracO2TxField"), QStringLiteral("21"));
    EXPECT_EQ(shown(w, "resultatField"), QStringLiteral("No valid data"));
    type(control(w, "fracO2TxField"), QStringLiteral("10"));
    EXPECT_EQ(shown(w, "resultatField"), QStringLiteral("Minimum depth : 6.00 m"));

    w = open("displayBestTrimix");
    type(control(w, "depthTxField"), QStringLiteral("60"));
    type(control(w, "ENDField"), QStringLiteral("30"));
    type(control(w, "ppO2Field"), QStringLiteral("1.4"));
    EXPECT_EQ(shown(w, "resultatField"), QStringLiteral("Oxygen : 20.00 %\nHelium : 34.86 %"));
    type(control(w, "depthTxField"), QStringLiteral("30"));
    EXPECT_EQ(shown(w, "resultatField"), QStringLiteral("No trimix reaches this END at this depth"));
}

TEST_F(CalculatorWindowsTest, RebreatherTablesAreColouredAndUndefinedRowsKeepTheirColour)
{
    CalculatorWindow* soda = open("displaySodaTimeWindow");
    type(control(soda, "sodaWeightField"), QStringLiteral("2.5"));
    type(control(soda, "sodaCapacityField"), QStringLiteral("100"));
    EXPECT_EQ(shown(soda, "sodaTimeField"), QStringLiteral("No valid data")); // no production yet
    type(control(soda, "metabolicProductionField"), QStringLiteral("1"));
    EXPECT_EQ(shown(soda, "sodaTimeField"), QStringLiteral("Absorbent time : 4 h 10 min"));

    CalculatorWindow* w = open("displaySCRBreathedFracO2Window");
    type(control(w, "brEanxField"), QStringLiteral("40"));
    // No flow yet: every row reads 100 % with nothing supplied, red.
    EXPECT_EQ(textColour(control(w, "c10Field")), kRed);
    type(control(w, "brFlowField"), QStringLiteral("10"));
    type(control(w, "brMetabolicField"), QStringLiteral("1"));
    EXPECT_EQ(shown(w, "breathedFracO2Field"), QStringLiteral("Breathed oxygen : 33.33 %"));
    EXPECT_EQ(shown(w, "c13Field"), QStringLiteral("1.3 l/min : 31.03 %"));
    EXPECT_EQ(textColour(control(w, "c08Field")), kBlack);
    EXPECT_EQ(textColour(control(w, "c18Field")), kBlack);

    // A flow of 1.2 L/min: rows above it consume more than the supply.
    type(control(w, "brFlowField"), QStringLiteral("1.2"));
    EXPECT_EQ(shown(w, "c15Field"), QStringLiteral("1.5 l/min : no valid data"));
    EXPECT_EQ(textColour(control(w, "c15Field")), kRed);

    // Pure oxygen: the row at the flow is undefined and keeps its red; the
    // rows below the flow turn black.
    type(control(w, "brEanxField"), QStringLiteral("100"));
    EXPECT_EQ(shown(w, "c12Field"), QStringLiteral("1.2 l/min : no valid data"));
    EXPECT_EQ(textColour(control(w, "c12Field")), kRed);
    EXPECT_EQ(textColour(control(w, "c11Field")), kBlack);
    // Back to a safe flow, then undefined again in one edit: the black stays.
    type(control(w, "brFlowField"), QStringLiteral("10"));
    EXPECT_EQ(textColour(control(w, "c12Field")), kBlack);
    paste(control(w, "brFlowField"), QStringLiteral("1.2"));
    EXPECT_EQ(shown(w, "c12Field"), QStringLiteral("1.2 l/min : no valid data"));
    EXPECT_EQ(textColour(control(w, "c12Field")), kBlack);
    expectSameAsTable(w, "calcBreathedFracO2");

    CalculatorWindow* flow = open("displaySCRIdealFlowWindow");
    type(control(flow, "idEanxField"), QStringLiteral("50"));
    type(control(flow, "idMetabolicField"), QStringLiteral("1"));
    type(control(flow, "idRealFracO2Field"), QStringLiteral("30"));
    EXPECT_EQ(shown(flow, "idealFlowField"), QStringLiteral("Ideal flow : 3.50 l/min"));
    EXPECT_EQ(shown(flow, "d08Field"), QStringLiteral("0.8 l/min : 2.80 l/min"));
    EXPECT_EQ(textColour(control(flow, "d08Field")), kRed);
    EXPECT_EQ(textColour(control(flow, "d09Field")), kBlack);
    expectSameAsTable(flow, "calcIdealFlow");
}

TEST_F(CalculatorWindowsTest, ConversionsFollowTheFieldTypedIn)
{
    auto* window = qobject_cast<PhysiqueController*>(open("displayConversionsWindow"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->tabs()->count(), 5);
    type(control(window, "barField"), QStringLiteral("1"));
    EXPECT_EQ(shown(window, "psiField"), QStringLiteral("14.50377"));
    // Typing in psi chooses psi, key by key, without disturbing the typing.
    type(control(window, "psiField"), QStringLiteral("100"));
    EXPECT_EQ(shown(window, "psiField"), QStringLiteral("100"));
    EXPECT_EQ(shown(window, "barField"), QStringLiteral("6.894759"));
    EXPECT_TRUE(window->findChild<QRadioButton*>(QStringLiteral("choixPressionMatrix2"))->isChecked());
    expectSameAsTable(window, "convertir");

    window->tabs()->setCurrentIndex(2);
    type(control(window, "metresField"), QStringLiteral("10"));
    EXPECT_EQ(shown(window, "feetField"), QStringLiteral("32.808334"));
    // The pressure tab is left as it was.
    EXPECT_EQ(shown(window, "barField"), QStringLiteral("6.894759"));

    window->tabs()->setCurrentIndex(4);
    type(control(window, "celsiusField"), QStringLiteral("-40"));
    EXPECT_EQ(shown(window, "farenheitField"), QStringLiteral("-40"));
    EXPECT_EQ(shown(window, "kelvinField"), QStringLiteral("233.15"));
    type(control(window, "kelvinField"), QStringLiteral("0"));
    EXPECT_EQ(shown(window, "celsiusField"), QStringLiteral("-273.15"));
    EXPECT_TRUE(window->findChild<QRadioButton*>(QStringLiteral("choixTemperatureMatrix3"))->isChecked());

    window->tabs()->setCurrentIndex(1);
    type(control(window, "cubicInchesUSField"), QStringLiteral("61.024"));
    EXPECT_EQ(shown(window, "litresField"), QStringLiteral("0.999998"));
}

TEST_F(CalculatorWindowsTest, GpsConversions)
{
    auto* window = qobject_cast<GpsController*>(open("displayConversionsGPSWindow"));
    ASSERT_NE(window, nullptr);
    type(control(window, "latitude_in_degreeField"), QStringLiteral("45"));
    EXPECT_EQ(shown(window, "longitude_outField"), QStringLiteral("WGS84 -0\u00b0 0' 3.393''"));
    EXPECT_EQ(shown(window, "latitude_outField"), QStringLiteral("WGS84 44\u00b0 59' 56.206''"));
    EXPECT_EQ(shown(window, "altitude_outField"), QStringLiteral("66.9 m"));
    expectSameAsTable(window, "convertGPS");

    // The account: titles red, labels black, values blue.
    auto* account = control<QTextEdit>(window, "gpsDataField");
    EXPECT_TRUE(account->toPlainText().startsWith(QStringLiteral("----- ED50 -----\n  latitude : 45 \u00b0 0 ' 0.000 ''")));
    QTextCursor cursor(account->document());
    cursor.setPosition(3);
    EXPECT_EQ(cursor.charFormat().foreground().color(), kRed);
    const int value = account->toPlainText().indexOf(QStringLiteral("45 \u00b0"));
    cursor.setPosition(value + 1);
    EXPECT_EQ(cursor.charFormat().foreground().color(), QColor(0, 0, 255));
    cursor.setPosition(account->toPlainText().indexOf(QStringLiteral("latitude :")) + 1);
    EXPECT_EQ(cursor.charFormat().foreground().color(), kBlack);

    // The decimal conversion writes the same fields and leaves the account.
    const QString before = account->toPlainText();
    type(control(window, "longitude_inField"), QStringLiteral("5"));
    type(control(window, "latitude_inField"), QStringLiteral("43"));
    EXPECT_EQ(shown(window, "longitude_outField"), QStringLiteral("4.998896"));
    EXPECT_EQ(shown(window, "latitude_outField"), QStringLiteral("42.998968"));
    EXPECT_EQ(shown(window, "altitude_outField"), QStringLiteral("Altitude : 56.43 m"));
    EXPECT_EQ(account->toPlainText(), before);
    // The height goes to the conversion used last.
    type(control(window, "altitude_inField"), QStringLiteral("100"));
    EXPECT_TRUE(shown(window, "altitude_outField").startsWith(QStringLiteral("Altitude : ")));
    control<QComboBox>(window, "geodesiePopUp")->setCurrentIndex(1);
    expectSameAsTable(window, "convertGPS2");
    EXPECT_EQ(control<QComboBox>(window, "geodesiePopUp")->count(), 2);
    // The precise button runs the precise conversion again.
    window->preciseButton()->click();
    EXPECT_EQ(shown(window, "altitude_outField"), QStringLiteral("166.9 m"));
}

// Pictures of every calculator window for a look by eye; runs only when
// ONDRIX_SCREENSHOT_DIR names the folder to write them to.
TEST_F(CalculatorWindowsTest, Screenshots)
{
    const QString folder = qEnvironmentVariable("ONDRIX_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "ONDRIX_SCREENSHOT_DIR is not set";
    ASSERT_TRUE(QDir().mkpath(folder));
    const auto save = [&](QWidget* widget, const QString& name) {
        QCoreApplication::processEvents();
        EXPECT_TRUE(widget->grab().save(QDir(folder).filePath(QStringLiteral("calc-") + name + QStringLiteral(".png"))));
    };
    const auto fill = [&](const char* command, std::initializer_list<std::pair<const char*, const char*>> fields) {
        CalculatorWindow* w = open(command);
        for (const auto& [field, text] : fields)
            type(w->control(QLatin1String(field)), QString::fromUtf8(text));
        return w;
    };
    save(fill("displayProfMaxWindow", {{"fracO2Field", "32"}}), QStringLiteral("profmax"));
    save(fill("displayBestMixWindow", {{"profondeurMaxField", "30"}}), QStringLiteral("bestmix"));
    save(fill("displayEquivalentDepthWindow", {{"fracO2Field", "32"}, {"profondeurField", "30"}}), QStringLiteral("ead"));
    save(fill("displayOxygenWindow", {{"winFO2", "32"}, {"winMinPpO2", "0.16"}}), QStringLiteral("oxygenwindow"));
    save(fill("displayBlendNitroxWindow", {{"pressionInitialeField", "50"}, {"fracO2InitialeField", "32"},
                                           {"pressionFinaleField", "200"}, {"fracO2FinaleField", "36"}}),
         QStringLiteral("blend"));
    save(fill("displayTrimixEAD_ENDWindow", {{"profondeurMaxField", "60"}, {"fracO2TxField", "18"}, {"fracHeTxField", "45"}}),
         QStringLiteral("trimix"));
    save(fill("displayTrimixProfMinWindow", {{"fracO2TxField", "10"}}), QStringLiteral("profmin"));
    save(fill("displayBestTrimix", {{"depthTxField", "60"}, {"ENDField", "30"}, {"ppO2Field", "1.4"}}),
         QStringLiteral("besttrimix"));
    save(fill("displaySodaTimeWindow", {{"sodaWeightField", "2.5"}, {"sodaCapacityField", "100"}, {"metabolicProductionField", "1"}}),
         QStringLiteral("soda"));
    save(fill("displaySCRBreathedFracO2Window", {{"brEanxField", "40"}, {"brFlowField", "1.2"}, {"brMetabolicField", "1"}}),
         QStringLiteral("breathed"));
    save(fill("displaySCRIdealFlowWindow", {{"idEanxField", "50"}, {"idMetabolicField", "1"}, {"idRealFracO2Field", "30"}}),
         QStringLiteral("idealflow"));
    CalculatorWindow* physique = fill("displayConversionsWindow", {{"psiField", "3000"}});
    save(physique, QStringLiteral("conversions"));
    static_cast<PhysiqueController*>(physique)->tabs()->setCurrentIndex(4);
    type(physique->control(QStringLiteral("celsiusField")), QStringLiteral("-40"));
    save(physique, QStringLiteral("conversions-temperature"));
    save(fill("displayConversionsGPSWindow", {{"longitude_in_degreeField", "-1"}, {"longitude_in_minutesField", "30"},
                                              {"latitude_in_degreeField", "48"}, {"latitude_in_minutesField", "51"},
                                              {"latitude_in_secondsField", "24"}, {"altitude_inField", "100"}}),
         QStringLiteral("gps"));
    // Two windows refusing what cannot be: a negative oxygen fraction, a
    // latitude beyond the pole.
    save(fill("displayProfMaxWindow", {{"fracO2Field", "-5"}}), QStringLiteral("profmax-refused"));
    save(fill("displayConversionsGPSWindow", {{"latitude_in_degreeField", "95"}, {"latitude_in_minutesField", "70"}}),
         QStringLiteral("gps-refused"));
    QMenuBar bar;
    addCalculatorMenu(&bar, *delegate);
    auto* menu = bar.findChild<QMenu*>(QStringLiteral("calculatorsMenu"));
    menu->ensurePolished();
    menu->adjustSize();
    save(menu, QStringLiteral("menu"));
}
