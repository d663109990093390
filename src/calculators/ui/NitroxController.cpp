#include "calculators/ui/NitroxController.h"
#include "platform/InterfaceText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

NitroxController::NitroxController(const QString& windowName, const Localizer& texts, QWidget* parent)
    : CalculatorWindow(windowName, texts, parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    const QString percent = QStringLiteral("%");
    const QString metres = QStringLiteral("m");
    const QString bar = QStringLiteral("bar");

    const auto limitMenu = [&] {
        QComboBox* popUp = addPopUp(form, QStringLiteral("ppO2PopUp"), ui::text("Maximum ppO2"));
        // Opens on 1.4 bar, the limit used when nothing is chosen.
        const QSignalBlocker quiet(popUp);
        popUp->setCurrentIndex(2);
    };

    QString explanation;
    if (windowName == u"Nitrox Prof Max") {
        setWindowTitle(ui::text("Nitrox: maximum operating depth"));
        addTextField(form, QStringLiteral("fracO2Field"), ui::text("Oxygen fraction"), percent);
        limitMenu();
        addResult(layout, QStringLiteral("resultatField"));
    } else if (windowName == u"Nitrox Best Mix") {
        setWindowTitle(ui::text("Nitrox: best mix"));
        addTextField(form, QStringLiteral("profondeurMaxField"), ui::text("Maximum depth"), metres);
        limitMenu();
        addResult(layout, QStringLiteral("resultatField"));
    } else if (windowName == u"Nitrox Equivalent Depth") {
        setWindowTitle(ui::text("Nitrox: equivalent air depth"));
        addTextField(form, QStringLiteral("fracO2Field"), ui::text("Oxygen fraction"), percent);
        addTextField(form, QStringLiteral("profondeurField"), ui::text("Depth"), metres);
        addResult(layout, QStringLiteral("resultatField"));
    } else if (windowName == u"Nitrox Oxygen Window") {
        setWindowTitle(ui::text("Nitrox: oxygen window"));
        addTextField(form, QStringLiteral("winFO2"), ui::text("Oxygen fraction"), percent);
        addTextField(form, QStringLiteral("winMinPpO2"), ui::text("Minimum ppO2"), bar);
        explanation = ui::text("The maximum depth is that of 1.6 bar of oxygen; the limit depth is the shallower of it and "
                         "the depth where the nitrogen pressure equals that of air at the surface.");
        addResult(layout, QStringLiteral("winResult"));
    } else if (windowName == u"Blend Nitrox") {
        setWindowTitle(ui::text("Nitrox blending"));
        addTextField(form, QStringLiteral("pressionInitialeField"), ui::text("Pressure in the tank"), bar);
        addTextField(form, QStringLiteral("fracO2InitialeField"), ui::text("Its oxygen fraction"), percent);
        addTextField(form, QStringLiteral("pressionFinaleField"), ui::text("Pressure wanted"), bar);
        addTextField(form, QStringLiteral("fracO2FinaleField"), ui::text("Oxygen fraction wanted"), percent);
        explanation = ui::text("Pure oxygen first, then topped up with air.");
        addResult(layout, QStringLiteral("resultatField"));
    }
    if (!explanation.isEmpty()) {
        auto* note = new QLabel(explanation, this);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addStretch();
}
