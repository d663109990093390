#include "calculators/ui/GpsController.h"
#include "platform/InterfaceText.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

GpsController::GpsController(const Localizer& texts, QWidget* parent)
    : CalculatorWindow(QStringLiteral("Gps"), texts, parent)
{
    setWindowTitle(ui::text("GPS conversions"));
    auto* layout = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    layout->addLayout(left, 0);

    // ED50 degrees, minutes, seconds.
    auto* precise = new QGroupBox(ui::text("ED50 \u2192 WGS84 (degrees, minutes, seconds)"), this);
    auto* grid = new QGridLayout(precise);
    grid->addWidget(new QLabel(ui::text("\u00b0"), precise), 0, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("'"), precise), 0, 2, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("''"), precise), 0, 3, Qt::AlignCenter);
    const auto angleRow = [&](int row, const QString& label, const QString& prefix) {
        grid->addWidget(new QLabel(label, precise), row, 0);
        const QStringList parts = {QStringLiteral("_in_degreeField"), QStringLiteral("_in_minutesField"),
                                   QStringLiteral("_in_secondsField")};
        for (int i = 0; i < 3; ++i) {
            const QString field = prefix + parts[i];
            auto* edit = new QLineEdit(precise);
            edit->setObjectName(field);
            edit->setAlignment(Qt::AlignRight);
            edit->setMaximumWidth(i == 2 ? 90 : 60);
            grid->addWidget(edit, row, i + 1);
            addInput(field, edit, [edit] { return edit->text(); });
            connect(edit, &QLineEdit::textEdited, this, [this, field] { inputEdited(field); });
        }
    };
    angleRow(1, ui::text("Longitude (E +, W -)"), QStringLiteral("longitude"));
    angleRow(2, ui::text("Latitude (N +, S -)"), QStringLiteral("latitude"));
    m_precise = new QPushButton(ui::text("Convert"), precise);
    m_precise->setObjectName(QStringLiteral("convertGPS"));
    grid->addWidget(m_precise, 3, 3);
    connect(m_precise, &QPushButton::clicked, this, [this] { runAction(QStringLiteral("convertGPS")); });
    left->addWidget(precise);

    // Decimal degrees, either way.
    auto* decimal = new QGroupBox(ui::text("Decimal degrees"), this);
    auto* form = new QFormLayout(decimal);
    addPopUp(form, QStringLiteral("geodesiePopUp"), ui::text("Direction"));
    addTextField(form, QStringLiteral("longitude_inField"), ui::text("Longitude"), QStringLiteral("\u00b0"));
    addTextField(form, QStringLiteral("latitude_inField"), ui::text("Latitude"), QStringLiteral("\u00b0"));
    m_decimal = new QPushButton(ui::text("Convert"), decimal);
    m_decimal->setObjectName(QStringLiteral("convertGPS2"));
    form->addRow(QString(), m_decimal);
    connect(m_decimal, &QPushButton::clicked, this, [this] { runAction(QStringLiteral("convertGPS2")); });
    left->addWidget(decimal);

    // The height of both, and the results.
    auto* heightForm = new QFormLayout;
    addTextField(heightForm, QStringLiteral("altitude_inField"), ui::text("Ellipsoidal height"), QStringLiteral("m"));
    left->addLayout(heightForm);
    auto* results = new QGroupBox(ui::text("Result"), this);
    auto* resultLayout = new QVBoxLayout(results);
    addResult(resultLayout, QStringLiteral("longitude_outField"));
    addResult(resultLayout, QStringLiteral("latitude_outField"));
    addResult(resultLayout, QStringLiteral("altitude_outField"));
    left->addWidget(results);
    left->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(ui::text("The precise conversion step by step:"), this));
    QTextEdit* account = addStyledText(right, QStringLiteral("gpsDataField"));
    account->setMinimumWidth(330);
    QFont mono(QStringLiteral("monospace"));
    mono.setStyleHint(QFont::Monospace);
    account->setFont(mono);
    layout->addLayout(right, 1);
    resize(780, 520);
}
