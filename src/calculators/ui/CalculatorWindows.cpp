#include "calculators/ui/CalculatorWindows.h"

#include "platform/ui/WindowTable.h"
#include "calculators/ui/GpsController.h"
#include "calculators/ui/NitroxController.h"
#include "calculators/ui/PhysiqueController.h"
#include "calculators/ui/SCRCCRController.h"
#include "calculators/ui/TrimixController.h"
#include "platform/InterfaceText.h"
#include "platform/Localizer.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include <memory>

namespace {

enum class Family { Nitrox, Trimix, Rebreather, Physique, Gps };

struct WindowCommand {
    const char* command;
    const char* window;
    Family family;
    const char* menuTitle; // a key of the interface texts
};

// In menu order; a new family starts a new section of the menu.
constexpr WindowCommand kCommands[] = {
    {"displayProfMaxWindow", "Nitrox Prof Max", Family::Nitrox, "Nitrox Maximum Depth…"},
    {"displayBestMixWindow", "Nitrox Best Mix", Family::Nitrox, "Nitrox Best Mix…"},
    {"displayEquivalentDepthWindow", "Nitrox Equivalent Depth", Family::Nitrox,
     "Nitrox Equivalent Air Depth…"},
    {"displayOxygenWindow", "Nitrox Oxygen Window", Family::Nitrox, "Nitrox Oxygen Window…"},
    {"displayBlendNitroxWindow", "Blend Nitrox", Family::Nitrox, "Nitrox Blending…"},
    {"displayTrimixEAD_ENDWindow", "Trimix", Family::Trimix, "Trimix Equivalent Depths…"},
    {"displayTrimixProfMinWindow", "Trimix Prof Min", Family::Trimix, "Trimix Minimum Depth…"},
    {"displayBestTrimix", "Best Trimix", Family::Trimix, "Best Trimix…"},
    {"displaySodaTimeWindow", "Soda Time", Family::Rebreather, "Absorbent Time…"},
    {"displaySCRBreathedFracO2Window", "SCR Breathed Frac O2", Family::Rebreather,
     "SCR Breathed Oxygen…"},
    {"displaySCRIdealFlowWindow", "SCR Flow Calc", Family::Rebreather, "SCR Ideal Flow…"},
    {"displayConversionsWindow", "Physique", Family::Physique, "Unit Conversions…"},
    {"displayConversionsGPSWindow", "Gps", Family::Gps, "GPS Conversions…"},
};

std::unique_ptr<QWidget> makeWindow(const WindowCommand& c, const Localizer& texts)
{
    const QString window = QLatin1String(c.window);
    switch (c.family) {
    case Family::Nitrox: return std::make_unique<NitroxController>(window, texts);
    case Family::Trimix: return std::make_unique<TrimixController>(window, texts);
    case Family::Rebreather: return std::make_unique<SCRCCRController>(window, texts);
    case Family::Physique: return std::make_unique<PhysiqueController>(texts);
    case Family::Gps: return std::make_unique<GpsController>(texts);
    }
    return nullptr;
}

} // namespace

void registerCalculatorWindows(WindowTable& delegate, const Localizer& texts)
{
    for (const WindowCommand& c : kCommands)
        // Each window keeps its own copy of the tables (shared data).
        delegate.registerWindow(QLatin1String(c.command), [&c, texts] { return makeWindow(c, texts); });
}

void registerCalculatorWindows(WindowTable& delegate)
{
    registerCalculatorWindows(delegate, Localizer(Localizer::languageFromEnvironment()));
}

void addCalculatorMenu(QMenuBar* menuBar, WindowTable& delegate)
{
    QMenu* menu = menuBar->addMenu(ui::text("&Calculators"));
    menu->setObjectName(QStringLiteral("calculatorsMenu"));
    const WindowCommand* previous = nullptr;
    for (const WindowCommand& c : kCommands) {
        if (previous && previous->family != c.family)
            menu->addSeparator();
        previous = &c;
        const QString command = QLatin1String(c.command);
        QAction* action = menu->addAction(ui::text(c.menuTitle));
        action->setObjectName(command);
        QObject::connect(action, &QAction::triggered, &delegate, [&delegate, command] { delegate.showWindow(command); });
    }
}
