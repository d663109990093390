#include "calculators/ui/TrimixController.h"

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
        setWindowTitle(tr("Trimix: equivalent depths"));
        addTextField(form, QStringLiteral("profondeurMaxField"), tr("Depth"), metres);
        addTextField(form, QStringLiteral("fracO2TxField"), tr("Oxygen"), percent);
        addTextField(form, QStringLiteral("fracHeTxField"), tr("Helium"), percent);
    } else if (windowName == u"Trimix Prof Min") {
        setWindowTitle(tr("Trimix: minimum depth"));
        addTextField(form, QStringLiteral("fracO2TxField"), tr("Oxygen (1 to 16)"), percent);
    } else if (windowName == u"Best Trimix") {
        setWindowTitle(tr("Best trimix"));
        addTextField(form, QStringLiteral("depthTxField"), tr("Planned depth"), metres);
        addTextField(form, QStringLiteral("ENDField"), tr("END wanted"), metres);
        addTextField(form, QStringLiteral("ppO2Field"), tr("Maximum ppO2"), QStringLiteral("bar"));
    }
    addResult(layout, QStringLiteral("resultatField"));
    layout->addStretch();
}
