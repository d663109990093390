#include "stats/ui/ReportChoiceWindow.h"

#include "platform/Localizer.h"
#include "stats/ui/StatsTexts.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ReportChoiceWindow::ReportChoiceWindow(const Localizer& loc, QWidget* parent)
    : QDialog(parent), m_loc(loc), m_selected(new QRadioButton(this)), m_all(new QRadioButton(this))
{
    setObjectName(QStringLiteral("divesForSynthesisWindow"));
    setWindowTitle(statstexts::text(loc, "Report choice title"));
    m_selected->setObjectName(QStringLiteral("selectedDive"));
    m_all->setObjectName(QStringLiteral("allDives"));
    m_all->setText(statstexts::text(loc, "Report all dives"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(loc.text(QStringLiteral("OK"), QStringLiteral("Main"), QStringLiteral("OK")),
                       QDialogButtonBox::AcceptRole);
    buttons->addButton(loc.text(QStringLiteral("Cancel"), QStringLiteral("Main"), QStringLiteral("Cancel")),
                       QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_selected);
    layout->addWidget(m_all);
    layout->addWidget(buttons);
    setHasSelection(false);
}

void ReportChoiceWindow::setHasSelection(bool selected)
{
    m_selected->setEnabled(selected);
    m_selected->setText(statstexts::text(m_loc, selected ? "Report selected dive" : "Report no selection"));
    if (!selected || !m_all->isChecked())
        (selected ? m_selected : m_all)->setChecked(true);
}

SynthesisReport::Choice ReportChoiceWindow::choice() const
{
    return m_selected->isChecked() && m_selected->isEnabled() ? SynthesisReport::SelectedDive
                                                              : SynthesisReport::AllDives;
}
