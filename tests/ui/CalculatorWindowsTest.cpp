#include "ui/ShellFixture.h"

#include "calculators/CalculatorActions.h"
#include "calculators/ui/CalculatorWindow.h"
#include "calculators/ui/CalculatorWindows.h"
#include "calculators/ui/GpsController.h"
#include "calculators/ui/PhysiqueController.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>

namespace {

QColor textColour(QWidget* widget) { return widget->palette().color(QPalette::WindowText); }

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);

// The calculator windows of the document controller's application delegate.
class CalculatorWindowsTest : public ShellFixture {
protected:
    void TearDown() override
    {
        delegate->closeWindows();
        ShellFixture::TearDown();
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

    // What the window shows, texts and colours, equals what the action table
    // gives for what its controls hold: the rules are the table's, tested
    // headless (CalcActionsTest); here, that typing reaches them.
    void expectSameAsTable(CalculatorWindow* window, const char* actionName)
    {
        const CalculatorAction* action = CalculatorActions::find(QLatin1String(actionName));
        ASSERT_NE(action, nullptr);
        const CalculatorResult r = action->run(window->typedTexts(), context->localizer());
        for (const QString& field : action->outputs)
            EXPECT_EQ(shown(window, field.toLatin1().constData()), r.texts.value(field)) << actionName << " " << field.toStdString();
        for (const QString& field : action->colouredOutputs)
            if (r.colours.contains(field)) {
                const RgbaColour c = r.colours.value(field);
                EXPECT_EQ(textColour(window->control(field)), QColor::fromRgbF(float(c.red), float(c.green), float(c.blue)))
                    << actionName << " " << field.toStdString();
            }
    }

    void SetUp() override
    {
        ShellFixture::SetUp();
        delegate = &controller->appDelegate();
    }

    AppDelegate* delegate = nullptr;
};

} // namespace

TEST_F(CalculatorWindowsTest, EveryCommandOpensItsWindowOnceAndKeepsIt)
{
    QStringList commands;
    for (const CalculatorAction& action : CalculatorActions::all()) {
        if (commands.contains(action.command))
            continue;
        commands.append(action.command);
        SCOPED_TRACE(action.command.toStdString());
        ASSERT_TRUE(delegate->commands().contains(action.command));
        EXPECT_EQ(delegate->existingWindow(action.command), nullptr);
        auto* window = qobject_cast<CalculatorWindow*>(delegate->showWindow(action.command));
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowName(), action.window);
        EXPECT_TRUE(window->isVisible() && !window->windowTitle().isEmpty());
        // Every input and output of the window's actions has its control.
        for (const CalculatorAction* of : CalculatorActions::ofWindow(window->windowName())) {
            for (const CalculatorField& f : of->inputs)
                EXPECT_NE(window->control(f.name), nullptr) << f.name.toStdString();
            for (const QString& f : of->outputs)
                EXPECT_NE(window->control(f), nullptr) << f.toStdString();
        }
    }
    EXPECT_EQ(commands.size(), 13);

    // Closed and shown again: the same window with what was typed.
    CalculatorWindow* window = open("displayProfMaxWindow");
    EXPECT_TRUE(shown(window, "resultatField").isEmpty()); // nothing before the first edit
    typeKeys(control(window, "fracO2Field"), QStringLiteral("32"));
    window->close();
    EXPECT_EQ(open("displayProfMaxWindow"), window);
    EXPECT_EQ(QStringList({control<QLineEdit>(window, "fracO2Field")->text(), shown(window, "resultatField")}),
              QStringList({"32", "MOD : 33.8 m"}));

    // The Calculators menu reaches every window.
    QMenuBar bar;
    addCalculatorMenu(&bar, *delegate);
    auto* menu = bar.findChild<QMenu*>(QStringLiteral("calculatorsMenu"));
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            items.append(a->objectName());
    items.sort();
    commands.sort();
    EXPECT_EQ(items, commands);
    delegate->closeWindows();
    menu->findChild<QAction*>(QStringLiteral("displayConversionsGPSWindow"))->trigger();
    QWidget* gps = delegate->existingWindow(QStringLiteral("displayConversionsGPSWindow"));
    EXPECT_TRUE(gps && gps->isVisible());
}

// Typed into key by key, the windows show what their actions give (the
// rules are CalcActionsTest's), and hold what the table leaves to them: the
// colour of a row the action leaves undefined, the unit chosen by the field
// typed in, the coloured account and the conversion the height goes to.
TEST_F(CalculatorWindowsTest, WindowsKeepWhatTheActionLeavesToThem)
{
    CalculatorWindow* w = open("displaySCRBreathedFracO2Window");
    typeKeys(control(w, "brEanxField"), QStringLiteral("100"));
    typeKeys(control(w, "brMetabolicField"), QStringLiteral("1"));
    typeKeys(control(w, "brFlowField"), QStringLiteral("1.2"));
    EXPECT_EQ(std::tuple(shown(w, "c12Field"), textColour(control(w, "c12Field"))),
              std::tuple(QStringLiteral("1.2 l/min : no valid data"), kRed)); // the colour kept from before
    typeKeys(control(w, "brFlowField"), QStringLiteral("10"));
    EXPECT_EQ(textColour(control(w, "c12Field")), kBlack);
    control<QLineEdit>(w, "brFlowField")->selectAll();
    control<QLineEdit>(w, "brFlowField")->insert(QStringLiteral("1.2")); // undefined again in one edit: the black stays
    EXPECT_EQ(std::tuple(shown(w, "c12Field"), textColour(control(w, "c12Field"))),
              std::tuple(QStringLiteral("1.2 l/min : no valid data"), kBlack));

    auto* physique = qobject_cast<PhysiqueController*>(open("displayConversionsWindow"));
    ASSERT_NE(physique, nullptr);
    EXPECT_EQ(physique->tabs()->count(), 5);
    typeKeys(control(physique, "barField"), QStringLiteral("1"));
    // Typing in psi chooses psi, key by key, without disturbing the typing.
    typeKeys(control(physique, "psiField"), QStringLiteral("100"));
    EXPECT_TRUE(shown(physique, "psiField") == QStringLiteral("100") &&
                physique->findChild<QRadioButton*>(QStringLiteral("choixPressionMatrix2"))->isChecked());
    expectSameAsTable(physique, "convertir");
    physique->tabs()->setCurrentIndex(4);
    typeKeys(control(physique, "kelvinField"), QStringLiteral("0"));
    EXPECT_TRUE(physique->findChild<QRadioButton*>(QStringLiteral("choixTemperatureMatrix3"))->isChecked());
    expectSameAsTable(physique, "convertir");

    auto* gps = qobject_cast<GpsController*>(open("displayConversionsGPSWindow"));
    ASSERT_NE(gps, nullptr);
    typeKeys(control(gps, "latitude_in_degreeField"), QStringLiteral("45"));
    // The account's runs reach the text view: titles red, values blue.
    auto* account = control<QTextEdit>(gps, "gpsDataField");
    QTextCursor cursor(account->document());
    const auto colourAt = [&](int position) { return cursor.setPosition(position), cursor.charFormat().foreground().color(); };
    EXPECT_EQ(std::tuple(colourAt(3), colourAt(int(account->toPlainText().indexOf(QStringLiteral("45 \u00b0"))) + 1)),
              std::tuple(kRed, QColor(0, 0, 255)));
    // The decimal conversion leaves the account; the height goes to the
    // conversion used last, and the precise button runs the precise one again.
    const QString before = account->toPlainText();
    typeKeys(control(gps, "latitude_inField"), QStringLiteral("43"));
    EXPECT_EQ(account->toPlainText(), before);
    typeKeys(control(gps, "altitude_inField"), QStringLiteral("100"));
    EXPECT_TRUE(shown(gps, "altitude_outField").startsWith(QStringLiteral("Altitude : ")));
    control<QComboBox>(gps, "geodesiePopUp")->setCurrentIndex(1);
    expectSameAsTable(gps, "convertGPS2");
    gps->preciseButton()->click();
    EXPECT_EQ(shown(gps, "altitude_outField"), QStringLiteral("166.9 m"));
}
