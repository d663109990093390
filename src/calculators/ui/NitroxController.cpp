#include "calculators/ui/NitroxController.h"

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
        QComboBox* popUp = addPopUp(form, QStringLiteral("ppO2PopUp"), tr("Maximum ppO2"));
        // Opens on 1.4 bar, the limit used when nothing is chosen.
        const QSignalBlocker quiet(popUp);
        popUp->setCurrentIndex(2);
    };

    QString explanation;
    if (windowName == u"Nitrox Prof Max") {
        setWindowTitle(tr("Nitrox: maximum operating depth"));
        addTextField(form, QStringLiteral("fracO2Field"), tr("Oxygen fraction"), percent);
        limitMenu();
        addResult(layout, QStringLiteral("resultatField"));
    } else if (windowName == u"Nitrox Best Mix") {
        setWindowTitle(tr("Nitrox: best mix"));
        addTextField(form, QStringLiteral("profondeurMaxField"), tr("Maximum depth"), metres);
        limitMenu();
        addResult(layout, QStringLiteral("resultatField"));
    } else if (windowName == u"Nitrox Equivalent Depth") {
        setWindowTitle(tr("Nitrox: equivalent air depth"));
        addTextField(form, QStringLiteral("fracO2Field"), tr("Oxygen fraction"), percent);
        addTextField(form, QStringLiteral("profondeurField"), tr("Depth"), metres);
        addResult(layout, QStringLiteral("resultatField"));
    } else if (windowName == u"Nitrox Oxygen Window") {
        setWindowTitle(tr("Nitrox: oxygen window"));
        addTextField(form, QStringLiteral("winFO2"), tr("Oxygen fraction"), percent);
        addTextField(form, QStringLiteral("winMinPpO2"), tr("Minimum ppO2"), bar);
        explanation = tr("The maximum depth is that of 1.6 bar of oxygen; the limit depth is the shallower of it and "
                         "the depth where the nitrogen pressure equals that of air at the surface.");
        addResult(layout, QStringLiteral("winResult"));
    } else if (windowName == u"Blend Nitrox") {
        setWindowTitle(tr("Nitrox blending"));
        addTextField(form, QStringLiteral("pressionInitialeField"), tr("Pressure in the tank"), bar);
        addTextField(form, QStringLiteral("fracO2InitialeField"), tr("Its oxygen fraction"), percent);
        addTextField(form, QStringLiteral("pressionFinaleField"), tr("Pressure wanted"), bar);
        addTextField(form, QStringLiteral("fracO2FinaleField"), tr("Oxygen fraction wanted"), percent);
        explanation = tr("Pure oxygen first, then topped up with air.");
        addResult(layout, QStringLiteral("resultatField"));
    }
    if (!explanation.isEmpty()) {
        auto* note = new QLabel(explanation, this);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addStretch();
}
