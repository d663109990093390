#include "registers/ui/RegisterSynthesisWindow.h"

#include "platform/StyledText.h"
#include "platform/context/AppContext.h"
#include "platform/draw/StyledTextDocument.h"
#include "platform/draw/TablePrinter.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterSynthesis.h"

#include <QDateTime>
#include <QDir>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// Every card in list order, the file and the date at the end, as the
// report prints them.
StyledText synthesisOf(const RegisterDocument& document)
{
    return registersynthesis::ofAll(document.description(), document.records(), document.context().localizer(),
                                    QDir::toNativeSeparators(document.filePath()), QDateTime::currentDateTime());
}

} // namespace

RegisterSynthesisWindow::RegisterSynthesisWindow(RegisterDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), m_document(document), m_text(new QTextEdit(this)), m_print(new QPushButton(this))
{
    setObjectName(QStringLiteral("registerSynthesisWindow"));
    m_text->setReadOnly(true);
    m_print->setText(document.context().localizer().text(QStringLiteral("Print"), QStringLiteral("Main"),
                                                         QStringLiteral("Print")));
    m_print->setObjectName(QStringLiteral("printSynthesis"));
    connect(m_print, &QPushButton::clicked, this, &RegisterSynthesisWindow::printSynthesis);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_print);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    resize(560, 680);
}

void RegisterSynthesisWindow::setDocumentName(const QString& name)
{
    const registers::RegisterDescription& reg = m_document.description();
    setWindowTitle(name + QStringLiteral(" – ") + m_document.context().localizer().text(reg.titleKey, reg.table));
}

void RegisterSynthesisWindow::rebuild() { styledtext::fill(*m_text->document(), synthesisOf(m_document), font()); }

void RegisterSynthesisWindow::printSynthesis()
{
    QPrinter printer(QPrinter::HighResolution);
    const registers::PrintSettings& s = m_document.description().printSettings;
    const TablePrinter::PageSettings settings{s.marginTop, s.marginBottom, s.marginLeft, s.marginRight, s.scale, false};
    TablePrinter::applyPageSettings(printer, settings);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The text printed at the register's scale: a font that much smaller.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * s.scale);
    QTextDocument page;
    styledtext::fill(page, synthesisOf(m_document), small);
    page.print(&printer);
}
