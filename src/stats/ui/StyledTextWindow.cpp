#include "stats/ui/StyledTextWindow.h"

#include "platform/Localizer.h"
#include "platform/draw/StyledTextDocument.h"
#include "stats/ui/StatsTexts.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

const QMarginsF kMarginsMm(10, 10, 10, 10);

}

StyledTextWindow::StyledTextWindow(const Localizer& loc, const QString& objectName, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_view(new QTextEdit(this)),
      m_print(new QPushButton(statstexts::text(loc, "Print button"), this)),
      m_export(new QPushButton(statstexts::text(loc, "Export PDF button"), this))
{
    setObjectName(objectName);
    m_view->setReadOnly(true);
    m_print->setObjectName(QStringLiteral("printButton"));
    m_export->setObjectName(QStringLiteral("exportPdfButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_print);
    buttons->addWidget(m_export);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
    connect(m_print, &QPushButton::clicked, this, &StyledTextWindow::print);
    connect(m_export, &QPushButton::clicked, this, &StyledTextWindow::exportPdfWithDialog);
    resize(620, 700);
}

StyledTextWindow::~StyledTextWindow() = default;

void StyledTextWindow::setText(const StyledText& text)
{
    m_text = text;
    styledtext::fill(*m_view->document(), text, QFont(QStringLiteral("Helvetica"), 11));
    m_view->moveCursor(QTextCursor::Start);
}

SaveResult StyledTextWindow::exportPdf(const QString& path) const
{
    const QByteArray bytes = styledtext::pdf(m_text, QPageLayout::Portrait, kMarginsMm, windowTitle());
    if (bytes.isEmpty())
        return {false, false, QStringLiteral("the PDF could not be made")};
    return saveFileAtomically(path, bytes);
}

void StyledTextWindow::print()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setPageOrientation(QPageLayout::Portrait);
    m_printer->setPageMargins(kMarginsMm, QPageLayout::Millimeter);
    m_printer->setDocName(windowTitle());
    QPrintDialog dialog(m_printer.get(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_view->document()->print(m_printer.get());
}

void StyledTextWindow::exportPdfWithDialog()
{
    const QString path = QFileDialog::getSaveFileName(this, m_export->text(), windowTitle() + QStringLiteral(".pdf"),
                                                      QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    const SaveResult saved = exportPdf(path);
    if (!saved.ok)
        QMessageBox::warning(this, m_export->text(), saved.error);
}
