#include "profile/ui/ProfileWindow.h"
#include "platform/InterfaceText.h"

#include "platform/context/AppContext.h"
#include "logbook/Carnet.h"
#include "logbook/DiveChoices.h"
#include "logbook/Plongee.h"
#include "profile/draw/ProfilePainter.h"
#include "profile/ui/ProfileView.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

ProfileWindow::ProfileWindow(Carnet& carnet, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_carnet(&carnet),
      m_view(new ProfileView(this)),
      m_location(new QLabel(this)),
      m_readout(new QLabel(this)),
      m_samplingRate(new QComboBox(this)),
      m_pageSetup(new QPushButton(ui::text("Page Setup…"), this)),
      m_print(new QPushButton(ui::text("Print…"), this)),
      m_export(new QPushButton(ui::text("Export PDF…"), this))
{
    setObjectName(QStringLiteral("profilWindow"));
    m_location->setObjectName(QStringLiteral("profilLocationField"));
    m_readout->setObjectName(QStringLiteral("myTextField"));
    m_samplingRate->setObjectName(QStringLiteral("samplingRatePopUp"));
    m_print->setObjectName(QStringLiteral("printButton"));
    m_export->setObjectName(QStringLiteral("exportPdfButton"));
    m_pageSetup->setObjectName(QStringLiteral("pageSetupButton"));
    m_readout->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_readout->setMinimumWidth(280);

    const Localizer& loc = carnet.context().localizer();
    for (const DiveChoice& item : divechoices::items(plongee::idx_samplingRate)) {
        const QString text = QLatin1String(item.text);
        m_samplingRate->addItem(loc.text(text, QStringLiteral("Carnet"), text), item.tag);
    }
    m_samplingRate->setToolTip(ui::text("Sampling interval of the profile"));

    auto* top = new QHBoxLayout;
    top->addWidget(m_location, 1);
    top->addWidget(new QLabel(ui::text("Sampling:"), this));
    top->addWidget(m_samplingRate);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_readout, 1);
    bottom->addWidget(m_pageSetup);
    bottom->addWidget(m_print);
    bottom->addWidget(m_export);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);
    layout->addLayout(bottom);

    connect(m_view, &ProfileView::pointerMoved, this, &ProfileWindow::showReadout);
    connect(m_samplingRate, &QComboBox::currentIndexChanged, this, &ProfileWindow::redraw);
    connect(m_pageSetup, &QPushButton::clicked, this, &ProfileWindow::pageSetup);
    connect(m_print, &QPushButton::clicked, this, &ProfileWindow::print);
    connect(m_export, &QPushButton::clicked, this, &ProfileWindow::exportPdfWithDialog);
    connect(&carnet, &Carnet::profileRedrawRequested, this, &ProfileWindow::reloadDive);
    connect(&carnet, &Carnet::selectionChanged, this, &ProfileWindow::reloadDive);
    connect(&carnet, &Carnet::formRefreshRequested, this, &ProfileWindow::redraw);

    reloadDive();
    resize(sizeHint());
}

ProfileWindow::~ProfileWindow() = default;

const ProfileScene& ProfileWindow::scene() const { return m_view->scene(); }

int ProfileWindow::chosenSamplingRate() const
{
    const QVariant tag = m_samplingRate->currentData();
    return tag.isValid() ? tag.toInt() : m_diveSamplingRate;
}

void ProfileWindow::reloadDive()
{
    if (!m_carnet)
        return;
    // A dive taken into the form brings its own sampling interval; a
    // redraw of the same dive keeps the one chosen here.
    const int code = m_carnet->form().workingProfile().samplingRate;
    if (m_carnet->loadedIndex() != m_loadedIndex || code != m_diveSamplingRate) {
        m_loadedIndex = m_carnet->loadedIndex();
        m_diveSamplingRate = code;
        const int position = m_samplingRate->findData(code);
        const QSignalBlocker blocker(m_samplingRate);
        m_samplingRate->setCurrentIndex(position);
    }
    redraw();
}

void ProfileWindow::redraw()
{
    if (!m_carnet)
        return;
    AppContext& context = m_carnet->context();
    const DiveForm& form = m_carnet->form();
    ProfileScene::Inputs inputs = ProfileScene::Inputs::fromForm(form);
    inputs.samplingRate = chosenSamplingRate();
    m_view->setScene(ProfileScene(inputs, ProfileScene::Style::fromSettings(context.settings()),
                                  ProfileScene::Texts::fromLocalizer(context.localizer())));
    setWindowTitle(ProfileScene::titleOf(form, context.localizer()));
    m_location->setText(ProfileScene::locationOf(form));
}

void ProfileWindow::showReadout(const ProfileScene::Readout& readout)
{
    m_readout->setText(scene().readoutText(readout));
}

QPrinter& ProfileWindow::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        ProfilePainter::preparePage(*m_printer);
    }
    return *m_printer;
}

void ProfileWindow::pageSetup()
{
    QPageSetupDialog dialog(&printer(), this);
    dialog.exec();
}

void ProfileWindow::print()
{
    QPrinter& device = printer();
    ProfilePainter::preparePage(device);
    device.setDocName(windowTitle());
    QPrintDialog dialog(&device, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter(&device);
    if (!painter.isActive())
        return;
    ProfilePainter::paintPage(painter, device, scene());
}

SaveResult ProfileWindow::exportPdf(const QString& path)
{
    return saveFileAtomically(path, ProfilePainter::pdf(scene(), windowTitle()));
}

void ProfileWindow::exportPdfWithDialog()
{
    const QString path = QFileDialog::getSaveFileName(this, ui::text("Export PDF"), windowTitle() + QStringLiteral(".pdf"),
                                                      ui::text("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    const SaveResult saved = exportPdf(path);
    if (!saved.ok)
        QMessageBox::warning(this, ui::text("Export PDF"), saved.error);
    else if (!saved.durable && m_carnet)
        QMessageBox::warning(this, ui::text("Export PDF"),
                             m_carnet->context().localizer().text(QStringLiteral("Saved not durable"), QStringLiteral("Main"),
                                                                  QStringLiteral("“%1” was saved, but the system could "
                                                                                 "not confirm that it is safely on disk "
                                                                                 "(%2). Save it again before relying on it."))
                                 .arg(QFileInfo(path).fileName(), saved.error));
}
