#include "profile/ui/ProfileDataWindow.h"
#include "platform/InterfaceText.h"

#include "logbook/Carnet.h"
#include "platform/AlertPresenter.h"
#include "platform/Localizer.h"
#include "platform/TextFormat.h"
#include "platform/context/AppContext.h"
#include "profile/ProfileText.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace {

struct ListNames {
    const char* area;
    const char* count;
    const char* replace;
};

// The names of each list's controls, in the order of the lists.
constexpr ListNames kNames[ProfileDataWindow::kListCount] = {
    {"importProfondeurField", "countProfondeurField", "eraseProfondeurSwitch"},
    {"importASC_Field", "countASC_Field", "eraseASC_Switch"},
    {"importSLOW_Field", "countSLOW_Field", "eraseSLOW_Switch"},
    {"importSURF_Field", "countSURF_Field", "eraseSURF_Switch"},
    {"importCEIL_Field", "countCEIL_Field", "eraseCEIL_Switch"},
    {"importGAZ_Field", "countGAZ_Field", "eraseGAZ_Switch"},
    {"importPRESS_Field", "countPRESS_Field", "erasePRESS_Switch"},
};

} // namespace

ProfileDataWindow::ProfileDataWindow(Carnet& carnet, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_carnet(&carnet),
      m_all(new QCheckBox(ui::text("Replace all"), this)),
      m_apply(new QPushButton(ui::text("Apply"), this))
{
    setObjectName(QStringLiteral("editProfilWindow"));
    m_all->setObjectName(QStringLiteral("eraseAllSwitch"));
    m_apply->setObjectName(QStringLiteral("importProfilButton"));

    m_titles = {ui::text("Depth (m)"), ui::text("ASC"), ui::text("SLOW"), ui::text("SURF"), ui::text("CEIL"), ui::text("Gas"), ui::text("Pressure (bar)")};
    const auto& titles = m_titles;
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    auto* grid = new QGridLayout;
    for (int i = 0; i < kListCount; ++i) {
        const size_t k = size_t(i);
        m_texts[k] = new QPlainTextEdit(this);
        m_texts[k]->setObjectName(QLatin1String(kNames[i].area));
        m_texts[k]->setFont(fixed);
        m_texts[k]->setLineWrapMode(QPlainTextEdit::NoWrap);
        m_texts[k]->setMinimumWidth(70);
        m_counts[k] = new QLabel(this);
        m_counts[k]->setObjectName(QLatin1String(kNames[i].count));
        m_switches[k] = new QCheckBox(ui::text("Replace"), this);
        m_switches[k]->setObjectName(QLatin1String(kNames[i].replace));
        auto* title = new QLabel(titles[i], this);
        title->setAlignment(Qt::AlignCenter);
        grid->addWidget(title, 0, i);
        grid->addWidget(m_counts[k], 1, i, Qt::AlignCenter);
        grid->addWidget(m_texts[k], 2, i);
        grid->addWidget(m_switches[k], 3, i, Qt::AlignCenter);
    }
    grid->setRowStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_all);
    buttons->addStretch(1);
    buttons->addWidget(m_apply);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);

    // The "all" switch turns the seven on; it does not turn them off.
    connect(m_all, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            for (QCheckBox* s : m_switches)
                s->setChecked(true);
    });
    connect(m_apply, &QPushButton::clicked, this, &ProfileDataWindow::apply);
    connect(&carnet, &Carnet::selectionChanged, this, &ProfileDataWindow::refresh);

    refresh();
    resize(760, 520);
}

void ProfileDataWindow::refresh()
{
    if (!m_carnet)
        return;
    const Carnet::ProfileInfo info = m_carnet->profileInfo();
    setWindowTitle(info.title);
    for (size_t i = 0; i < size_t(kListCount); ++i) {
        m_texts[i]->setPlainText(info.texts[i]);
        m_counts[i]->setText(info.counts[i]);
        m_switches[i]->setChecked(false);
    }
    m_all->setChecked(false);
}

void ProfileDataWindow::refuse(int list, qsizetype line, const QString& text)
{
    AppContext& context = m_carnet->context();
    const Localizer& loc = context.localizer();
    const divebounds::Range& range = profiletext::listRange(list);
    Alert alert;
    alert.key = QStringLiteral("Profile line refused");
    alert.table = QStringLiteral("Carnet");
    alert.message = formatText(loc.text(alert.key, alert.table, QStringLiteral("\r\rerror ! ")),
                               {m_titles[size_t(list)], qint64(line), text, range.lowest, range.highest});
    alert.buttons = {loc.text(QStringLiteral("OK"), QStringLiteral("Main"), QStringLiteral("OK"))};
    context.alerts().ask(alert);
}

void ProfileDataWindow::apply()
{
    if (!m_carnet)
        return;
    std::array<std::optional<QString>, kListCount> replacements;
    for (size_t i = 0; i < size_t(kListCount); ++i) {
        if (!m_switches[i]->isChecked())
            continue;
        replacements[i] = m_texts[i]->toPlainText();
        const auto lines = profiletext::checkList(int(i), *replacements[i]);
        if (!lines.ok()) {
            refuse(int(i), lines.badLine, lines.badText);
            return;
        }
    }
    // Refused lists stay as typed, to be put right.
    if (m_carnet->importProfil(replacements))
        refresh();
}
