#include "calculators/ui/TrimixController.h"
#include "platform/InterfaceText.h"

#include <QFormLayout>
#include <QVBoxLayout>

TrimixController::TrimixController(const QString& windowName, const Localizer& texts, QWidget* parent)
    : CalculatorWindow(windowName, texts, parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    const QString percent = QStringLiteral("%");
    const QString metres = QStringLiteral("m");

    if (windowName == u"Trimix") {
        setWindowTitle(ui::text("Trimix: equivalent depths"));
        addTextField(form, QStringLiteral("profondeurMaxField"), ui::text("Depth"), metres);
        addTextField(form, QStringLiteral("fracO2TxField"), ui::text("Oxygen"), percent);
        addTextField(form, QStringLiteral("fracHeTxField"), ui::text("Helium"), percent);
    } else if (windowName == u"Trimix Prof Min") {
        setWindowTitle(ui::text("Trimix: minimum depth"));
        addTextField(form, QStringLiteral("fracO2TxField"), ui::text("Oxygen (1 to 16)"), percent);
    } else if (windowName == u"Best Trimix") {
        setWindowTitle(ui::text("Best trimix"));
        addTextField(form, QStringLiteral("depthTxField"), ui::text("Planned depth"), metres);
        addTextField(form, QStringLiteral("ENDField"), ui::text("END wanted"), metres);
        addTextField(form, QStringLiteral("ppO2Field"), ui::text("Maximum ppO2"), QStringLiteral("bar"));
    }
    addResult(layout, QStringLiteral("resultatField"));
    layout->addStretch();
}
