// Pictures of the windows, toolbars and menus for a look by eye:
//   QT_QPA_PLATFORM=offscreen build/tools/ondrix_screenshots FOLDER
// writes one PNG per window into FOLDER. The offscreen screen is 800 x 600;
// for the sizes of a desktop screen give it one, e.g.
//   QT_QPA_PLATFORM='offscreen:configfile=screen.json' with
//   {"screens":[{"name":"s","x":0,"y":0,"width":1600,"height":1000}]}
#include "app/ui/AppDelegate.h"
#include "app/ui/DocumentController.h"
#include "app/ui/MemoWindow.h"
#include "app/ui/PreferenceCommands.h"
#include "platform/ui/PreferencesWindow.h"
#include "calculators/ui/CalculatorWindow.h"
#include "calculators/ui/CalculatorWindows.h"
#include "calculators/ui/PhysiqueController.h"
#include "logbook/Carnet.h"
#include "logbook/DiveList.h"
#include "logbook/LogbookArchive.h"
#include "logbook/LogbookGenerator.h"
#include "logbook/ui/CarnetListWindow.h"
#include "platform/ui/CommandToolBar.h"
#include "logbook/ui/DiveEditWindow.h"
#include "logbook/ui/DiveSearchField.h"
#include "logbook/ui/DiveTableModel.h"
#include "logbook/ui/RenumberWindow.h"
#include "platform/ui/ToolbarPalette.h"
#include "platform/ui/ToolbarPictures.h"
#include "platform/SafeSave.h"
#include "platform/ScriptedAlerts.h"
#include "platform/SettingsStore.h"
#include "platform/context/AppContext.h"
#include "stats/StartingValues.h"
#include "stats/draw/GraphPainter.h"
#include "stats/ui/GraphView.h"
#include "stats/ui/GraphWindow.h"
#include "stats/ui/ReportChoiceWindow.h"
#include "stats/ui/StartingValuesWindow.h"
#include "stats/ui/StatisticsWindow.h"
#include "stats/ui/StatsWindows.h"
#include "stats/ui/StyledTextWindow.h"
#include <QMouseEvent>
#include "registers/DiversDocsFields.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterGenerator.h"
#include "registers/ui/RegisterEditWindow.h"
#include "registers/ui/RegisterListWindow.h"
#include "registers/ui/RegisterSynthesisWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QBuffer>
#include <QDir>
#include <QHeaderView>
#include <QTableView>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <functional>
#include <memory>

namespace {

class Shots {
public:
    explicit Shots(const QString& folder) : m_folder(folder) {}

    // Put before the names of the logbook's pictures ("fr-" for French).
    QString prefix;

    void save(QWidget* widget, const QString& name)
    {
        QCoreApplication::processEvents();
        if (!widget->grab().save(m_folder.filePath(prefix + name + QStringLiteral(".png")))) {
            std::fprintf(stderr, "ondrix_screenshots: cannot write %s\n", qPrintable(name));
            m_failed = true;
        }
    }
    // A menu open on one of its submenus, put together as the screen shows
    // them: the submenu beside its entry.
    void saveOpenMenu(QMenu* menu, QMenu* submenu, const QString& name)
    {
        submenu->ensurePolished();
        submenu->adjustSize();
        menu->setActiveAction(submenu->menuAction());
        submenu->setActiveAction(submenu->actions().value(0));
        const QPixmap menuShot = menu->grab();
        const QPixmap submenuShot = submenu->grab();
        const int top = menu->actionGeometry(submenu->menuAction()).top();
        QPixmap open(menuShot.width() + submenuShot.width(), std::max(menuShot.height(), top + submenuShot.height()));
        open.fill(Qt::white);
        QPainter painter(&open);
        painter.drawPixmap(0, 0, menuShot);
        painter.drawPixmap(menuShot.width(), top, submenuShot);
        painter.end();
        if (!open.save(m_folder.filePath(prefix + name + QStringLiteral(".png")))) {
            std::fprintf(stderr, "ondrix_screenshots: cannot write %s\n", qPrintable(name));
            m_failed = true;
        }
    }
    bool failed() const { return m_failed; }

private:
    QDir m_folder;
    bool m_failed = false;
};

void colourSettings(SettingsStore& settings)
{
    settings.setValue(QStringLiteral("mix in color"), true);
    settings.setValue(QStringLiteral("foreign in color"), true);
    settings.setValue(QStringLiteral("country code"), QStringLiteral("FR"));
    settings.setColour(QStringLiteral("foreign color"), RgbaColour::rgb(1, 0.85, 0.7));
    settings.setValue(QStringLiteral("nocturnes in color"), true);
    settings.setValue(QStringLiteral("depth time in color"), true);
    settings.setColour(QStringLiteral("depth color"), RgbaColour::rgb(0, 0, 0.8));
    settings.setColour(QStringLiteral("time color"), RgbaColour::rgb(0.6, 0, 0.4));
    settings.setValue(QStringLiteral("low temperature in color"), true);
    settings.setValue(QStringLiteral("low temperature value"), 14);
    settings.setColour(QStringLiteral("low temperature color"), RgbaColour::rgb(0, 0.45, 0.9));
    for (const DiveListColumn& column : divelist::columns())
        settings.setValue(QLatin1String(column.settingKey), true);
}

void windows(Shots& shots, MyDocumentController& controller, CarnetListWindow* window, const QString& older)
{
    shots.save(window, QStringLiteral("list"));
    window->showEditWindow();
    DiveEditWindow* edit = window->editWindow();
    for (int page = 0; page < DiveEditWindow::PageCount; ++page) {
        edit->tabs()->setCurrentIndex(page);
        shots.save(edit, QStringLiteral("edit-%1").arg(page + 1));
    }
    QMenu* file = window->fileMenu();
    controller.recentDocuments().add(older);
    controller.recentDocuments().add(window->carnet().filePath());
    emit file->aboutToShow();
    if (auto* recent = file->findChild<QMenu*>(QStringLiteral("openRecentMenu"))) {
        emit recent->aboutToShow();
        recent->ensurePolished();
        recent->adjustSize();
        shots.save(recent, QStringLiteral("recent-menu"));
    }
    file->ensurePolished();
    file->adjustSize();
    shots.save(file, QStringLiteral("file-menu"));
    window->diveMenu()->adjustSize();
    shots.save(window->diveMenu(), QStringLiteral("dive-menu"));
    if (auto* newMenu = file->findChild<QMenu*>(QStringLiteral("newMenu")))
        shots.saveOpenMenu(file, newMenu, QStringLiteral("file-menu-new"));

    controller.appDelegate().sendRenumDivesNotification(nullptr);
    shots.save(window->renumberWindow(), QStringLiteral("renumber"));
    if (auto* memo = qobject_cast<MemoWindow*>(controller.appDelegate().showWindow(WindowTable::memoCommand()))) {
        memo->editor()->setPlainText(
            QStringLiteral("Saturday: boat at 8:30\nCheck the second stage\nLog the Port-Cros dives"));
        shots.save(memo, QStringLiteral("memo"));
    }
}

// The gas page of a closed-circuit dive at 44.8 m on a 1.4 bar set-point,
// without a profile: no surface consumption, an empty position shown as a
// hint.
void rebreatherDive(Shots& shots, CarnetListWindow* window)
{
    const std::pair<const char*, const char*> fields[] = {
        {"rebreather", "3"},         {"ppO2", "3"},           {"profondeur", "44.8"},   {"temps", "50"},
        {"pressionDepart", "200"},   {"pressionFin", "120"},  {"volumeBloc", "3"},      {"volumeBloc_2", "3"},
        {"pressionDepart_2", "200"}, {"pressionFin_2", "150"}, {"volBailout1", "7"},    {"pressDepartBailout1", "200"},
        {"pressFinBailout1", "200"}};
    Carnet& carnet = window->carnet();
    for (const auto& [field, text] : fields)
        carnet.form().typeText(QString::fromLatin1(field), QString::fromLatin1(text));
    carnet.updateUI();
    DiveEditWindow* edit = window->editWindow();
    edit->tabs()->setCurrentIndex(DiveEditWindow::GasesPage);
    shots.save(edit, QStringLiteral("edit-gases-rebreather"));
    edit->tabs()->setCurrentIndex(DiveEditWindow::DivePage);
    shots.save(edit, QStringLiteral("edit-dive-rebreather"));
}

void toolbars(Shots& shots, CarnetListWindow* window, CarnetListWindow* empty)
{
    window->resize(1100, 500);
    window->searchField()->lineEdit()->setText(QStringLiteral("Place 1"));
    shots.save(window->logbookToolBar(), QStringLiteral("toolbar-list"));
    shots.save(window->editWindow()->commandToolBar(), QStringLiteral("toolbar-edit"));
    empty->resize(1100, 300);
    empty->showEditWindow();
    shots.save(empty, QStringLiteral("new-list"));
    shots.save(empty->editWindow(), QStringLiteral("new-edit"));
    rebreatherDive(shots, empty);
    shots.save(empty->logbookToolBar(), QStringLiteral("toolbar-list-empty"));

    CommandToolBar* toolbar = window->editWindow()->commandToolBar();
    toolbar->customise();
    shots.save(toolbar->customisationPalette(), QStringLiteral("toolbar-palette"));
    toolbar->customisationPalette()->reject();
    QMenu* scopes = window->searchField()->scopeMenu();
    scopes->ensurePolished();
    scopes->adjustSize();
    shots.save(scopes, QStringLiteral("toolbar-find-menu"));
    QMenu context;
    window->logbookToolBar()->fillContextMenu(&context);
    context.adjustSize();
    shots.save(&context, QStringLiteral("toolbar-context-menu"));

    const QStringList pictures = {"enregistrer", "imprimante", "ajouterPl", "supprimerPl", "insererPl",
                                  "validerPl",   "ProfilPl",   "profilData", "importUDCF", "importUDDF",
                                  "texte",       "statistics", "raz",        "customise",  "loupe"};
    QPixmap sheet(int(pictures.size()) * 72, 72);
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        const ToolbarPictures drawn;
        for (qsizetype i = 0; i < pictures.size(); ++i)
            drawn.icon(pictures[i]).paint(&painter, QRect(int(i) * 72 + 4, 4, 64, 64));
    }
    QLabel label;
    label.setPixmap(sheet);
    label.resize(sheet.size());
    shots.save(&label, QStringLiteral("toolbar-pictures"));
}

// Types into a calculator field key by key, as the diver does, so that the
// window computes as it would on screen.
void typeInto(QWidget* widget, const QString& text)
{
    auto* edit = qobject_cast<QLineEdit*>(widget);
    if (!edit)
        return;
    edit->setFocus();
    edit->selectAll();
    QKeyEvent erase(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(edit, &erase);
    for (const QChar c : text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &key);
    }
}

void calculators(Shots& shots, AppDelegate& delegate)
{
    const auto fill = [&](const char* command, std::initializer_list<std::pair<const char*, const char*>> fields) {
        auto* window = qobject_cast<CalculatorWindow*>(delegate.showWindow(QLatin1String(command)));
        if (window)
            for (const auto& [field, text] : fields)
                typeInto(window->control(QLatin1String(field)), QString::fromUtf8(text));
        return window;
    };
    const auto shot = [&](CalculatorWindow* window, const char* name) {
        if (window)
            shots.save(window, QStringLiteral("calc-") + QLatin1String(name));
    };
    shot(fill("displayProfMaxWindow", {{"fracO2Field", "32"}}), "profmax");
    shot(fill("displayBestMixWindow", {{"profondeurMaxField", "30"}}), "bestmix");
    shot(fill("displayEquivalentDepthWindow", {{"fracO2Field", "32"}, {"profondeurField", "30"}}), "ead");
    shot(fill("displayOxygenWindow", {{"winFO2", "32"}, {"winMinPpO2", "0.16"}}), "oxygenwindow");
    shot(fill("displayBlendNitroxWindow", {{"pressionInitialeField", "50"}, {"fracO2InitialeField", "32"},
                                           {"pressionFinaleField", "200"}, {"fracO2FinaleField", "36"}}),
         "blend");
    shot(fill("displayTrimixEAD_ENDWindow", {{"profondeurMaxField", "60"}, {"fracO2TxField", "18"}, {"fracHeTxField", "45"}}),
         "trimix");
    shot(fill("displayTrimixProfMinWindow", {{"fracO2TxField", "10"}}), "profmin");
    shot(fill("displayBestTrimix", {{"depthTxField", "60"}, {"ENDField", "30"}, {"ppO2Field", "1.4"}}), "besttrimix");
    shot(fill("displaySodaTimeWindow", {{"sodaWeightField", "2.5"}, {"sodaCapacityField", "100"}, {"metabolicProductionField", "1"}}),
         "soda");
    shot(fill("displaySCRBreathedFracO2Window", {{"brEanxField", "40"}, {"brFlowField", "1.2"}, {"brMetabolicField", "1"}}),
         "breathed");
    shot(fill("displaySCRIdealFlowWindow", {{"idEanxField", "50"}, {"idMetabolicField", "1"}, {"idRealFracO2Field", "30"}}),
         "idealflow");
    if (auto* physique = qobject_cast<PhysiqueController*>(fill("displayConversionsWindow", {{"psiField", "3000"}}))) {
        shot(physique, "conversions");
        physique->tabs()->setCurrentIndex(4);
        typeInto(physique->control(QStringLiteral("celsiusField")), QStringLiteral("-40"));
        shot(physique, "conversions-temperature");
    }
    shot(fill("displayConversionsGPSWindow", {{"longitude_in_degreeField", "-1"}, {"longitude_in_minutesField", "30"},
                                              {"latitude_in_degreeField", "48"}, {"latitude_in_minutesField", "51"},
                                              {"latitude_in_secondsField", "24"}, {"altitude_inField", "100"}}),
         "gps");
    // Two windows refusing what cannot be: a negative oxygen fraction, a
    // latitude beyond the pole.
    shot(fill("displayProfMaxWindow", {{"fracO2Field", "-5"}}), "profmax-refused");
    shot(fill("displayConversionsGPSWindow", {{"latitude_in_degreeField", "95"}, {"latitude_in_minutesField", "70"}}),
         "gps-refused");
    QMenuBar bar;
    addCalculatorMenu(&bar, delegate);
    if (auto* menu = bar.findChild<QMenu*>(QStringLiteral("calculatorsMenu"))) {
        menu->ensurePolished();
        menu->adjustSize();
        shots.save(menu, QStringLiteral("calc-menu"));
    }
}

// The statistics windows of a logbook in one language: the statistics,
// the previous dives, the statistics text, the graph with the pointer over
// a bar, the report's chooser with no dive selected and the report.
void statistics(Shots& shots, const QList<Plongee>& dives, const QString& settingsPath, const QString& language)
{
    ScriptedAlerts alerts;
    AppContext context(std::make_unique<SettingsStore>(settingsPath), alerts, language);
    StartingValues start;
    start.set(QStringLiteral("epaves"), 40);
    start.set(StartingValues::kTotalPlongees, 120);
    start.set(StartingValues::kTemperatureMin, 9);
    start.store(context.settings());
    Carnet carnet(context);
    carnet.setDives(dives);
    StatsWindows stats(carnet);
    const QString suffix = u'-' + language;
    stats.showStatisticsWindow();
    shots.save(stats.statisticsWindow(), QStringLiteral("stats-window") + suffix);
    stats.showEditStatisticsWindow();
    stats.startingValuesWindow()->field(QStringLiteral("photo"))->setText(QStringLiteral("douze"));
    shots.save(stats.startingValuesWindow(), QStringLiteral("stats-start") + suffix);
    stats.startingValuesWindow()->reload();
    stats.statsSynthesisWindow();
    shots.save(stats.statisticsTextWindow(), QStringLiteral("stats-text") + suffix);
    stats.displayGraphesWindow();
    GraphView* view = stats.graphWindow()->view();
    const QPointF over = GraphPainter::canvasTransform(QRectF(view->rect())).map(QPointF(690, 60));
    QMouseEvent move(QEvent::MouseMove, over, view->mapToGlobal(over), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    shots.save(stats.graphWindow(), QStringLiteral("stats-graph") + suffix);
    ReportChoiceWindow* chooser = stats.reportChoiceWindow();
    chooser->show();
    shots.save(chooser, QStringLiteral("report-choice") + suffix);
    chooser->hide();
    carnet.setCurrentIndex(2);
    stats.syntheseWindow(SynthesisReport::SelectedDive);
    shots.save(stats.reportWindow(), QStringLiteral("report") + suffix);
    carnet.setDives({});
    stats.updateStatistics();
    shots.save(stats.graphWindow(), QStringLiteral("stats-graph-empty") + suffix);
}

} // namespace

// A register document with a few varied cards, typed through the form: its
// list, each pane of its edit window, what `extra` shows and its
// synthesis, in one language.
void registerShots(Shots& shots, const QString& settingsPath, const QString& language,
                   void (MyDocumentController::*newDocument)(), const QString& name, const QList<QStringList>& cards,
                   const std::function<void(RegisterDocument&, RegisterEditWindow&)>& extra = {})
{
    ScriptedAlerts alerts;
    AppContext context(std::make_unique<SettingsStore>(settingsPath), alerts, language);
    MyDocumentController controller(context);
    (controller.*newDocument)();
    if (controller.registers().isEmpty())
        return;
    RegisterDocument* doc = controller.registers().first();
    // Without cards of its own, a few generated ones.
    if (cards.isEmpty())
        doc->setRecords(registergenerator::generate(doc->description(), 6, 11));
    for (const QStringList& card : cards) {
        doc->newRecord();
        for (const QString& a : card) {
            const qsizetype eq = a.indexOf(u'=');
            doc->form().typeText(a.left(eq), a.mid(eq + 1));
        }
        doc->addRecord();
    }
    RegisterListWindow* list = controller.windowOf(doc);
    list->resize(1180, 360);
    shots.save(list, QStringLiteral("%1-%2-list").arg(name, language));
    doc->setSelection({0}, 0);
    doc->editWindow();
    RegisterEditWindow* edit = list->editWindow();
    for (int pane = 0; pane < edit->panes()->count(); ++pane) {
        edit->goToPane(pane);
        shots.save(edit, QStringLiteral("%1-%2-pane-%3").arg(name, language).arg(pane + 1));
    }
    if (extra)
        extra(*doc, *edit);
    list->showSynthesisWindow();
    shots.save(list->synthesisWindow(), QStringLiteral("%1-%2-synthesis").arg(name, language));
    list->closeWithoutAsking();
}

void wrecks(Shots& shots, const QString& settingsPath, const QString& language)
{
    const QList<QStringList> cards = {
        {"nom=SS Thistlegorm", "type=Cargo", "immatriculation=LR 168", "nationalite=British", "longueur=126.5",
         "largeur=17.5", "jauge=4898", "materiau=2", "propulsion=6", "pointHaut=16", "pointBas=32", "natureFond=Sand",
         "orientationSwitch=1", "orientation=40", "inclinaison=1", "lieu=Red Sea", "site=Sha'ab Ali", "pays=Egypt",
         "gps=27 48.8 N 33 55.3 E", "gpsSystem=1", "acces=2", "localisation=1", "interet=5", "technicite=2",
         "causeNaufrage=Bombing", "dateNaufrage=06/10/1941", "capitaine=W. Ellis", "chargement=Motorcycles, trucks",
         "notes=Holds full of war cargo; locomotives beside the hull."},
        {"nom=Le Donator", "type=Cargo", "nationalite=French", "longueur=68", "materiau=2", "propulsion=2",
         "pointHaut=38", "pointBas=51", "lieu=Porquerolles", "pays=France", "acces=3", "interet=4", "technicite=4",
         "aVisiter=1", "causeNaufrage=Mine"},
        {"nom=Dunraven", "type=Steamer", "longueur=0.5", "pointHaut=-", "pointBas=28", "materiau=2", "propulsion=7",
         "interet=3", "technicite=1", "lieu=Red Sea", "pays=Egypt"},
        {"nom=Togo", "type=Tug", "longueur=30", "pointHaut=20", "pointBas=25", "materiau=1", "propulsion=8",
         "lieu=Cassis", "pays=France", "interet=0", "technicite=3"},
    };
    registerShots(shots, settingsPath, language, &MyDocumentController::newEpavesDocumentMenuAction,
                  QStringLiteral("wrecks"), cards, [&](RegisterDocument& doc, RegisterEditWindow& edit) {
                      doc.setSelection({1}, 1);
                      edit.goToPane(4);
                      shots.save(&edit, QStringLiteral("wrecks-%1-pane-5-to-visit").arg(language));
                  });
}

void equipment(Shots& shots, const QString& settingsPath, const QString& language)
{
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    const QString lastYear = QDate::currentDate().addMonths(-7).toString(Qt::ISODate);
    const QString nextYear = QDate::currentDate().addMonths(5).toString(Qt::ISODate);
    const QList<QStringList> cards = {
        {"typeMatos=Cylinder 12 l", "marqueMatos=Roth Metal", "serieMatos=RM 12-4471", "dateAchat=2015-04-11",
         "prixMatos=320 €", "factureMatos=1", "lieuAchatMatos=Aqua Shop", "noInspection=0",
         "lastRevision=" + lastYear, "nextRevision=" + nextYear, "bloc=1", "capaciteBloc=12", "pressionService=232",
         "pressionEpreuve=348", "firstRequalification=04/2015", "nextRequalification=2027-04-11", "tiv=1",
         "nomTIV=Marc Durand", "noTIV=TIV 2231", "notesMatos=Valve serviced in spring."},
        {"typeMatos=Regulator", "marqueMatos=Aqualine", "dateAchat=2012-06-01", "prixMatos=450 €", "equipState=1",
         "noInspection=0", "lastRevision=2023-01-10", "nextRevision=" + today},
        {"typeMatos=Wetsuit 7 mm", "marqueMatos=Subsea", "dateAchat=2019-09-20", "quantiteMatos=2", "equipState=4"},
        {"typeMatos=Dive computer", "marqueMatos=Oceanis", "equipState=5", "factureMatos=1"},
        {"typeMatos=Torch", "marqueMatos=Lumen", "equipState=6", "dateAchat="},
    };
    registerShots(shots, settingsPath, language, &MyDocumentController::newMaterielDocumentMenuAction,
                  QStringLiteral("equipment"), cards, [&](RegisterDocument& doc, RegisterEditWindow& edit) {
                      doc.setSelection({1}, 1);
                      edit.goToPane(1);
                      shots.save(&edit, QStringLiteral("equipment-%1-pane-2-out-of-date").arg(language));
                  });
}

void consumables(Shots& shots, const QString& settingsPath, const QString& language)
{
    const QList<QStringList> cards = {
        {"reference=OR-2015", "marque=Aqualine", "utilisation=First stage O-ring", "stock=2", "reserve=5",
         "rangement=Red box"},
        {"reference=BAT-AA", "marque=Varta", "utilisation=Torch batteries", "stock=8", "reserve=8",
         "rangement=Dive bag", "noInventaire=0", "dateInventaire=2025-03-01"},
        {"reference=SODA-5", "marque=Sofnolime", "utilisation=Rebreather absorbent", "stock=3", "reserve=0",
         "rangement=Garage shelf", "notes=Keep dry."},
        {"reference=SIL-50", "marque=Christo-Lube", "utilisation=Silicone grease", "stock=14", "reserve=2"},
    };
    registerShots(shots, settingsPath, language, &MyDocumentController::newConsommablesDocumentMenuAction,
                  QStringLiteral("consumables"), cards);
}

// The compressor maintenance log and the rebreather service log, a few
// services each; the rebreather's cells fitted months ago against a cell
// life of 18 months.
void maintenanceLogs(Shots& shots, const QString& settingsPath, const QString& language)
{
    SettingsStore(settingsPath).setValue(QStringLiteral("cell life"), 18);
    const QList<QStringList> services = {
        {"marque=Bauer", "modele=Mariner 320", "cumulTemps=1 250 h", "date=2025-03-14", "temps=14:30", "vidange=1",
         "typeHuile=0", "filtreAir=1", "operationFiltre=1", "cartouche=1", "controles=1", "soupapes=1",
         "intSoupape=0", "anHuile=0.1", "anCO2=380", "anCO=3", "anCOUnit=1", "anH2O=25",
         "notes=Yearly service before the season."},
        {"marque=Bauer", "modele=Mariner 320", "cumulTemps=1 410 h", "date=2025-07-02", "temps=06:15",
         "filtreAir=1", "operationFiltre=0", "charbon=1", "alumine=1", "depoussierage=1", "anHuile=-",
         "anCO2=-", "anCO=-5", "anH2O="},
        {"marque=Bauer", "modele=Mariner 320", "cumulTemps=1 600 h", "date=2025-11-20", "temps=09:00", "vidange=1",
         "typeHuile=1", "tamis=1", "anHuile=0.3", "anCO2=420", "anCO2Unit=1", "anCO=1.5", "anH2O=40"},
    };
    registerShots(shots, settingsPath, language, &MyDocumentController::newCompresseurDocumentMenuAction,
                  QStringLiteral("compressor"), services);
    const QString fitted = QDate::currentDate().addMonths(-9).toString(Qt::ISODate);
    const QString older = QDate::currentDate().addMonths(-16).toString(Qt::ISODate);
    const QList<QStringList> interventions = {
        {"date=2025-06-01", "rebreatherTime=96", "sofnoTime=03:00", "sofnolime=1", "disinfection=1", "cells=1",
         "nbCells=3", "cell1=1", "cell1_in=" + older, "cell2=1", "cell2_in=" + fitted, "cell3=1", "mpO2=1",
         "mpO2Value=9.5", "oRing=1", "notes=Cell 3 waiting for its fitting date."},
        {"date=2025-09-12", "rebreatherTime=120.5", "sofnoTime=01:45", "sofnolime=1", "battery=1", "injector=1",
         "valve=1", "electronicHead=1", "scrubber=1"},
    };
    registerShots(shots, settingsPath, language, &MyDocumentController::newRebreatherDocumentMenuAction,
                  QStringLiteral("rebreather"), interventions);
}

// A register of a few generated cards, opened by a File > New command: its
// list, each pane of its edit window and its synthesis, in one language.

void budgets(Shots& shots, const QString& settingsPath, const QString& language)
{
    const QList<QStringList> cards = {
        {"prestation=Nitrox course", "entreprise=Plongée Passion", "quantite_0=1", "prixUnitaire_0=249.90",
         "supplement_1=Nitrox fills", "quantite_1=4", "prixUnitaire_1=8.5", "supplement_2=Boat transfer",
         "quantite_2=2", "prixUnitaire_2=15", "quantite_5=3", "prixUnitaire_5=99", "prixDegressif=1",
         "unitesCarte_1=10", "prixCarte_1=180", "unitesCarte_2=20", "prixCarte_2=330", "qualitePrix=4", "delai=3",
         "miseAJour=2026-03-14", "notes=Theory on Friday evening, dives on Saturday and Sunday."},
        {"prestation=Red Sea liveaboard", "entreprise=Red Sea Explorers", "quantite_0=1", "prixUnitaire_0=1390",
         "supplement_1=Equipment rental", "quantite_1=1", "prixUnitaire_1=120", "prevDepense=1", "qualitePrix=5",
         "delai=2"},
        {"prestation=10-dive pack", "entreprise=Aqua Sud", "quantite_0=10", "prixUnitaire_0=38",
         "prixDegressif=1", "unitesCarte_1=0", "prixCarte_1=300", "qualitePrix=2"},
    };
    registerShots(shots, settingsPath, language, &MyDocumentController::newBudgetDocumentMenuAction,
                  QStringLiteral("budget"), cards);
}

// A paper of a few lines and a stamp, as a scan shows it.
QByteArray scannedPaper()
{
    QImage page(620, 877, QImage::Format_RGB32);
    page.fill(QColor(250, 248, 240));
    QPainter p(&page);
    p.setPen(QColor(40, 40, 60));
    QFont title = p.font();
    title.setPixelSize(34);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 60, 620, 60), Qt::AlignCenter, QStringLiteral("CERTIFICATE"));
    p.setPen(QPen(QColor(150, 150, 160), 3));
    for (int y = 200; y < 700; y += 45)
        p.drawLine(70, y, y % 2 ? 420 : 550, y);
    p.setPen(QPen(QColor(30, 70, 160), 6));
    p.drawEllipse(QPoint(470, 760), 70, 70);
    p.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    page.save(&buffer, "PNG");
    return png;
}

void papers(Shots& shots, const QString& settingsPath, const QString& language)
{
    const QList<QStringList> cards = {
        {"type=2", "titre=Medical certificate", "emetteur=Dr Martin, sports doctor", "date=2025-09-12",
         "renouveler=1", "dateRenouvellement=2026-09-12", "notes=No contraindication to diving.\nCopy sent to the club."},
        {"type=1", "titre=Level 2 diver", "emetteur=FFESSM", "date=2012-06-30"},
        {"type=3", "titre=Regulator service", "emetteur=Aqua Sud workshop", "date=2026-02-03"},
        {"type=7", "titre=Old logbook page", "emetteur=Unknown"},
    };
    registerShots(shots, settingsPath, language, &MyDocumentController::newDocumentDocumentMenuAction,
                  QStringLiteral("papers"), cards, [&](RegisterDocument& doc, RegisterEditWindow& edit) {
                      RegisterForm::ControlValue v = doc.form().value(diversdocs::photocopy);
                      v.image = scannedPaper();
                      doc.form().setValue(diversdocs::photocopy, v);
                      doc.updateRecord();
                      edit.showForm();
                      edit.goToPane(1);
                      shots.save(&edit, QStringLiteral("papers-%1-pane-2-picture").arg(language));
                  });
}

// The preferences in one language: every pane, the Edit menu, an open
// logbook before and after a column and a colour are changed there, and
// (in English) each pick-list editor.
void preferences(Shots& shots, const QString& settingsPath, const QString& language, const QString& logbook)
{
    ScriptedAlerts alerts;
    AppContext context(std::make_unique<SettingsStore>(settingsPath), alerts, language);
    colourSettings(context.settings());
    const QList<std::pair<PickListId, QStringList>> lists = {
        {PickListId::Lieux, {"Hyères", "Marseille", "Nice"}},
        {PickListId::Pays, {"France", "Italie"}},
        {PickListId::CountryCode, {"FRA", "ITA"}},
        {PickListId::Partenaires, {"Anne", "Bruno", "Bruno"}},
    };
    for (const auto& [id, entries] : lists) {
        context.pickLists().list(id) = entries;
        context.pickLists().writeBack(id, context.settings());
    }
    MyDocumentController controller(context);
    Carnet* carnet = controller.openDocument(logbook);
    if (!carnet)
        return;
    CarnetListWindow* list = controller.windowOf(carnet);
    const QString prefix = QStringLiteral("prefs-%1-").arg(language);
    shots.save(list, prefix + QStringLiteral("logbook-before"));
    if (auto* edit = list->findChild<QMenu*>(QStringLiteral("editMenu")))
        shots.saveOpenMenu(edit, edit->findChild<QMenu*>(QStringLiteral("pickListsMenu")), prefix + QStringLiteral("edit-menu"));

    auto* window = qobject_cast<PreferencesWindow*>(
        controller.appDelegate().showWindow(preferencecommands::preferencesCommand()));
    if (!window)
        return;
    for (const PreferencesForm::Pane pane : PreferencesForm::panes()) {
        window->goView(pane);
        shots.save(window, prefix + QStringLiteral("pane-%1").arg(int(pane) + 1));
    }
    // The site column hidden, and the depths in a translucent green.
    window->goView(PreferencesForm::Pane::Display);
    if (auto* site = window->findChild<QCheckBox*>(QStringLiteral("siteColumnSwitch")))
        site->click();
    window->form().setColour(QStringLiteral("profondeurWell"), RgbaColour::rgb(0, 0.6, 0, 0.8));
    window->form().commit({QStringLiteral("profondeurWell")});
    shots.save(list, prefix + QStringLiteral("logbook-after"));
    if (language != u"en")
        return;
    QStringList shown;
    for (const PickListId id : PickLists::all()) {
        const QString command = preferencecommands::pickListCommand(id);
        if (shown.contains(command))
            continue;
        shown.append(command);
        if (QWidget* editor = controller.appDelegate().showWindow(command))
            shots.save(editor, QStringLiteral("picklist-") + PickLists::key(id));
    }
}

// The windows a new user meets beside the list and the form: the profile
// and its data, the Window and Help menus and the Help windows, the list
// sorted deepest first, and the delete question after a find.
void newUserWindows(Shots& shots, MyDocumentController& controller, CarnetListWindow* window)
{
    Carnet& carnet = window->carnet();
    carnet.setSelection({0}, 0);
    carnet.displayProfilWindow();
    carnet.profilInfo();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == u"profilWindow")
            shots.save(top, QStringLiteral("profile"));
        if (top->objectName() == u"editProfilWindow")
            shots.save(top, QStringLiteral("profile-data"));
    }
    for (const char* name : {"windowMenu", "helpMenu"}) {
        if (auto* menu = window->menuBar()->findChild<QMenu*>(QLatin1String(name))) {
            emit menu->aboutToShow();
            menu->ensurePolished();
            menu->adjustSize();
            shots.save(menu, QLatin1String(name));
        }
    }
    for (const char* name : {"shortcutsAction", "keptFilesAction"})
        if (auto* action = window->findChild<QAction*>(QLatin1String(name)))
            action->trigger();
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->objectName() == u"shortcutsWindow" || top->objectName() == u"keptFilesWindow") {
            shots.save(top, top->objectName());
            top->close();
        }
    }
    QHeaderView* header = window->tableView()->horizontalHeader();
    const int depth = DiveTableModel::columnOf(QStringLiteral("profondeur"));
    header->sectionClicked(depth); // deepest first
    window->resize(1500, 420);
    shots.save(window, QStringLiteral("list-deepest-first"));
    header->sectionClicked(depth); // shallowest first
    shots.save(window, QStringLiteral("list-shallowest-first"));
    Q_UNUSED(controller);
}

// The logbook's windows in one language, over their own context.
void logbookShots(Shots& shots, const QString& folder, const QString& language)
{
    ScriptedAlerts alerts;
    AppContext context(std::make_unique<SettingsStore>(QDir(folder).filePath(language + QStringLiteral(".ini"))),
                       alerts, language);
    colourSettings(context.settings());
    MyDocumentController controller(context);
    const QString logbook = QDir(folder).filePath(QStringLiteral("trial.ondrix"));
    Carnet* carnet = controller.openDocument(logbook);
    if (!carnet) {
        std::fprintf(stderr, "ondrix_screenshots: cannot open the trial logbook\n");
        return;
    }
    shots.prefix = language == u"en" ? QString() : language + u'-';
    windows(shots, controller, controller.windowOf(carnet), QDir(folder).filePath(QStringLiteral("older logbook.ondrix")));
    toolbars(shots, controller.windowOf(carnet), controller.windowOf(controller.newDocument()));
    calculators(shots, controller.appDelegate());
    newUserWindows(shots, controller, controller.windowOf(carnet));
    shots.prefix.clear();
    for (QWidget* top : QApplication::topLevelWidgets())
        top->hide();
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ondrix_screenshots FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir dir;
    if (!QDir().mkpath(folder) || !dir.isValid()) {
        std::fprintf(stderr, "ondrix_screenshots: cannot make %s\n", argv[1]);
        return 1;
    }
    const QString logbook = dir.filePath(QStringLiteral("trial.ondrix"));
    const QList<Plongee> dives = logbookgenerator::generate(300, 60, 7);
    if (!saveFileAtomically(logbook, *logbookarchive::encode(dives)).ok) {
        std::fprintf(stderr, "ondrix_screenshots: cannot write the trial logbook\n");
        return 1;
    }
    Shots shots(folder);
    for (const QString& language : {QStringLiteral("en"), QStringLiteral("fr")})
        logbookShots(shots, dir.path(), language);
    for (const QString& language : {QStringLiteral("en"), QStringLiteral("fr")})
        statistics(shots, dives, dir.filePath(QStringLiteral("stats-") + language + QStringLiteral(".ini")),
                   language);
    const QString small = dir.filePath(QStringLiteral("prefs.ondrix"));
    saveFileAtomically(small, *logbookarchive::encode(logbookgenerator::generate(12, 60, 11)));
    for (const char* language : {"en", "fr"}) {
        preferences(shots, dir.filePath(QStringLiteral("prefs-%1.ini").arg(QLatin1String(language))),
                    QLatin1String(language), small);
        wrecks(shots, dir.filePath(QStringLiteral("wrecks.ini")), QLatin1String(language));
        equipment(shots, dir.filePath(QStringLiteral("equipment.ini")), QLatin1String(language));
        budgets(shots, dir.filePath(QStringLiteral("budget.ini")), QLatin1String(language));
        papers(shots, dir.filePath(QStringLiteral("papers.ini")), QLatin1String(language));
        consumables(shots, dir.filePath(QStringLiteral("consumables.ini")), QLatin1String(language));
        maintenanceLogs(shots, dir.filePath(QStringLiteral("maintenance.ini")), QLatin1String(language));
        registerShots(shots, dir.filePath(QStringLiteral("firms.ini")), QLatin1String(language),
                      &MyDocumentController::newEntrepriseDocumentMenuAction, QStringLiteral("firms"), {});
        registerShots(shots, dir.filePath(QStringLiteral("structures.ini")), QLatin1String(language),
                      &MyDocumentController::newStructureDocumentMenuAction, QStringLiteral("structures"), {});
    }
    return shots.failed() ? 1 : 0;
}
