#include "logbook/ui/RenumberWindow.h"
#include "platform/InterfaceText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

RenumberWindow::RenumberWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog), m_firstNumber(new QSpinBox(this)), m_renumber(new QPushButton(ui::text("Renumber"), this))
{
    setObjectName(QStringLiteral("renumberWindow"));
    m_firstNumber->setObjectName(QStringLiteral("firstNumber"));
    m_firstNumber->setRange(0, 999999);
    m_firstNumber->setValue(1);
    m_renumber->setObjectName(QStringLiteral("renumberButton"));
    m_renumber->setDefault(true);

    auto* explanation = new QLabel(ui::text("Gives the dives consecutive numbers in list order, starting from the "
                                      "first number. Every dive passes through the form's rules again."),
                                   this);
    explanation->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(ui::text("First number:"), m_firstNumber);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_renumber, QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(m_renumber, &QPushButton::clicked, this, [this] {
        emit renumberRequested(m_firstNumber->value());
        close();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(380, sizeHint().height());
}

void RenumberWindow::setDocumentName(const QString& name)
{
    setWindowTitle(ui::text("%1 — Renumber dives").arg(name));
}
