#include "stats/ui/GraphWindow.h"

#include "profile/draw/ProfilePainter.h"
#include "stats/draw/GraphPainter.h"
#include "stats/ui/GraphView.h"
#include "stats/ui/StatsTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

GraphWindow::GraphWindow(const Localizer& loc, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_view(new GraphView(this)),
      m_readout(new QLabel(this)),
      m_print(new QPushButton(statstexts::text(loc, "Print button"), this))
{
    setObjectName(QStringLiteral("graphesStatisticsWindow"));
    setWindowTitle(statstexts::text(loc, "Graph title"));
    m_readout->setObjectName(QStringLiteral("graphReadout"));
    m_print->setObjectName(QStringLiteral("printButton"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_readout, 1);
    bottom->addWidget(m_print);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(bottom);
    connect(m_view, &GraphView::pointerMoved, this,
            [this](const StatsGraph::Readout& r) { m_readout->setText(m_view->graph().readoutText(r)); });
    connect(m_print, &QPushButton::clicked, this, &GraphWindow::print);
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::print()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    ProfilePainter::preparePage(*m_printer);
    m_printer->setDocName(windowTitle());
    QPrintDialog dialog(m_printer.get(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter(m_printer.get());
    if (painter.isActive())
        GraphPainter::paintPage(painter, *m_printer, m_view->graph());
}
