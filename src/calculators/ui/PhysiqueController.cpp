#include "calculators/ui/PhysiqueController.h"
#include "platform/InterfaceText.h"

#include "calculators/CalculatorActions.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

PhysiqueController::PhysiqueController(const Localizer& texts, QWidget* parent)
    : CalculatorWindow(QStringLiteral("Physique"), texts, parent), m_tabs(new QTabWidget(this))
{
    setWindowTitle(ui::text("Conversions"));
    m_tabs->setObjectName(QStringLiteral("conversionsTabView"));
    m_tabs->setMinimumWidth(480);
    const QList<CalculatorActions::ConversionTab> tabs = CalculatorActions::conversionTabs();
    const QStringList titles = {ui::text("Pressure"), ui::text("Volume"), ui::text("Length"), ui::text("Mass"), ui::text("Temperature")};
    QStringList identifiers;
    for (qsizetype t = 0; t < tabs.size(); ++t) {
        const CalculatorActions::ConversionTab& tab = tabs[t];
        identifiers.append(tab.identifier);
        auto* page = new QWidget(m_tabs);
        page->setObjectName(tab.identifier);
        auto* grid = new QGridLayout(page);
        auto* matrix = new QButtonGroup(page);
        matrix->setObjectName(tab.matrix);
        for (qsizetype i = 0; i < tab.fields.size(); ++i) {
            const int tag = int(i + 1);
            auto* option = new QRadioButton(tab.units[i], page);
            option->setObjectName(tab.matrix + QString::number(tag));
            matrix->addButton(option, tag);
            auto* edit = new QLineEdit(page);
            edit->setObjectName(tab.fields[i]);
            edit->setAlignment(Qt::AlignRight);
            grid->addWidget(option, int(i), 0);
            grid->addWidget(edit, int(i), 1);
            const QString field = tab.fields[i];
            addInput(field, edit, [edit] { return edit->text(); });
            addOutput(field, [edit](const QString& text) { edit->setText(text); });
            // Typing in a unit makes it the one converted from.
            connect(edit, &QLineEdit::textEdited, this, [this, option, field] {
                option->setChecked(true);
                inputEdited(field);
            });
        }
        matrix->button(1)->setChecked(true);
        grid->setRowStretch(int(tab.fields.size()), 1);
        grid->setColumnStretch(1, 1);
        addInput(tab.matrix, page, [matrix] {
            const int tag = matrix->checkedId();
            return tag > 0 ? QString::number(tag) : QStringLiteral("1");
        });
        connect(matrix, &QButtonGroup::idClicked, this, [this, name = tab.matrix] { inputEdited(name); });
        m_tabs->addTab(page, titles.value(t, tab.title));
    }
    addInput(QStringLiteral("conversionsTabView"), m_tabs, [this, identifiers] {
        return identifiers.value(m_tabs->currentIndex());
    });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { inputEdited(QStringLiteral("conversionsTabView")); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    auto* note = new QLabel(ui::text("Type in any field: the others of the tab follow. Feet are US survey feet."), this);
    note->setWordWrap(true);
    layout->addWidget(note);
}
