#include "stats/ui/StartingValuesWindow.h"

#include "platform/AlertPresenter.h"
#include "platform/SettingsStore.h"
#include "platform/TextFormat.h"
#include "platform/context/AppContext.h"
#include "stats/ui/StatsTexts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The label of each starting value: the statistics text's labels, and for
// the seven summary values their own.
QString labelKeyOf(const QString& key)
{
    static const QHash<QString, QString> summary = {
        {StartingValues::kProfMax, QStringLiteral("Statistics prof max")},
        {StartingValues::kTempsMax, QStringLiteral("Statistics temps max")},
        {StartingValues::kTemperatureMin, QStringLiteral("Statistics temp min")},
        {StartingValues::kTemperatureMax, QStringLiteral("Statistics temp max")},
        {StartingValues::kTotalProfondeur, QStringLiteral("Statistics somme prof")},
        {StartingValues::kTotalTemps, QStringLiteral("Statistics somme temps")},
        {StartingValues::kTotalPlongees, QStringLiteral("Statistics total")}};
    static const QHash<QString, QString> renamed = {
        {QStringLiteral("carriere"), QStringLiteral("quarry")},       {QStringLiteral("derivante"), QStringLiteral("drift")},
        {QStringLiteral("epaves"), QStringLiteral("wrecks")},         {QStringLiteral("explo"), QStringLiteral("recreational")},
        {QStringLiteral("formation"), QStringLiteral("training")},    {QStringLiteral("nocturne"), QStringLiteral("night")},
        {QStringLiteral("recuperation"), QStringLiteral("recuperation")}, {QStringLiteral("glace"), QStringLiteral("ice")},
        {QStringLiteral("speleo"), QStringLiteral("cave")},           {QStringLiteral("travail"), QStringLiteral("work")},
        {QStringLiteral("autre"), QStringLiteral("other")}};
    if (const auto it = summary.constFind(key); it != summary.cend())
        return *it;
    return QStringLiteral("Statistics ") + renamed.value(key, key);
}

} // namespace

StartingValuesWindow::StartingValuesWindow(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context)
{
    const Localizer& loc = context.localizer();
    setObjectName(QStringLiteral("editStatisticsWindow"));
    setWindowTitle(statstexts::text(loc, "Starting values title"));
    auto* grid = new QGridLayout;
    const QList<QString>& keys = StartingValues::keys();
    const int perColumn = 12;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(keys[i]);
        edit->setMaximumWidth(90);
        edit->setAlignment(Qt::AlignRight);
        m_fields.insert(keys[i], edit);
        const int column = int(i / perColumn) * 2, row = int(i % perColumn);
        grid->addWidget(new QLabel(statstexts::label(loc, labelKeyOf(keys[i])), this), row, column);
        grid->addWidget(edit, row, column + 1);
    }
    auto* help = new QLabel(statstexts::text(loc, "Starting values help"), this);
    help->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(loc.text(QStringLiteral("OK"), QStringLiteral("Main"), QStringLiteral("OK")),
                       QDialogButtonBox::AcceptRole);
    buttons->addButton(loc.text(QStringLiteral("Cancel"), QStringLiteral("Main"), QStringLiteral("Cancel")),
                       QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (validateStatisticsValues())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(help);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    reload();
}

void StartingValuesWindow::reload()
{
    const StartingValues values = StartingValues::load(m_context.settings());
    for (const QString& key : StartingValues::keys()) {
        const auto v = values.value(key);
        m_fields[key]->setText(v ? QString::number(*v) : QString());
    }
}

bool StartingValuesWindow::validateStatisticsValues()
{
    StartingValues values;
    const Localizer& loc = m_context.localizer();
    for (const QString& key : StartingValues::keys()) {
        QLineEdit* edit = m_fields[key];
        const StartingValues::Parsed parsed = StartingValues::parse(edit->text());
        if (!parsed.ok) {
            Alert alert;
            alert.key = QStringLiteral("Starting value refused");
            alert.table = QStringLiteral("Carnet");
            alert.message = formatText(loc.text(alert.key, alert.table, QStringLiteral("\r\rerror ! ")),
                                       {edit->text(), statstexts::label(loc, labelKeyOf(key))});
            alert.buttons = {loc.text(QStringLiteral("OK"), QStringLiteral("Main"), QStringLiteral("OK"))};
            m_context.alerts().ask(alert);
            edit->setFocus();
            edit->selectAll();
            return false;
        }
        values.set(key, parsed.value);
    }
    values.store(m_context.settings());
    emit stored();
    return true;
}
