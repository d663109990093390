#include "calculators/ui/SCRCCRController.h"
#include "platform/InterfaceText.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QStringList rows(QChar prefix)
{
    QStringList fields;
    for (int tenths = 8; tenths <= 18; ++tenths)
        fields.append(QStringLiteral("%1%2Field").arg(prefix).arg(tenths, 2, 10, QLatin1Char('0')));
    return fields;
}

} // namespace

SCRCCRController::SCRCCRController(const QString& windowName, const Localizer& texts, QWidget* parent)
    : CalculatorWindow(windowName, texts, parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    const QString percent = QStringLiteral("%");
    const QString litresPerMinute = QStringLiteral("l/min");

    const auto tableTitle = [&](const QString& text) {
        auto* title = new QLabel(text, this);
        title->setWordWrap(true);
        layout->addWidget(title);
    };

    if (windowName == u"Soda Time") {
        setWindowTitle(ui::text("Absorbent time"));
        addTextField(form, QStringLiteral("sodaWeightField"), ui::text("Absorbent in the canister"), QStringLiteral("kg"));
        addTextField(form, QStringLiteral("sodaCapacityField"), ui::text("CO2 absorbed"), QStringLiteral("l/kg"));
        addTextField(form, QStringLiteral("metabolicProductionField"), ui::text("CO2 produced"), litresPerMinute);
        addResult(layout, QStringLiteral("sodaTimeField"));
    } else if (windowName == u"SCR Breathed Frac O2") {
        setWindowTitle(ui::text("SCR: breathed oxygen"));
        addTextField(form, QStringLiteral("brEanxField"), ui::text("Supply nitrox"), percent);
        addTextField(form, QStringLiteral("brFlowField"), ui::text("Constant flow"), litresPerMinute);
        addTextField(form, QStringLiteral("brMetabolicField"), ui::text("Oxygen consumption"), litresPerMinute);
        addResult(layout, QStringLiteral("breathedFracO2Field"));
        tableTitle(ui::text("By oxygen consumption (red: below 20.9 %, or more consumed than supplied):"));
        addRows(layout, rows(u'c'));
    } else if (windowName == u"SCR Flow Calc") {
        setWindowTitle(ui::text("SCR: ideal flow"));
        addTextField(form, QStringLiteral("idEanxField"), ui::text("Supply nitrox"), percent);
        addTextField(form, QStringLiteral("idMetabolicField"), ui::text("Oxygen consumption"), litresPerMinute);
        addTextField(form, QStringLiteral("idRealFracO2Field"), ui::text("Oxygen wanted in the loop"), percent);
        addResult(layout, QStringLiteral("idealFlowField"));
        tableTitle(ui::text("By oxygen consumption (red: below 3 or above 20 l/min):"));
        addRows(layout, rows(u'd'));
    }
    layout->addStretch();
}
