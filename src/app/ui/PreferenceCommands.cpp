#include "app/ui/PreferenceCommands.h"

#include "platform/context/AppContext.h"
#include "platform/prefs/PickListEditor.h"
#include "platform/ui/PickListWindow.h"
#include "platform/ui/PreferencesWindow.h"
#include "platform/ui/WindowTable.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace preferencecommands {

namespace {

struct EditorWindow {
    PickListId id;
    const char* command;
    const char* windowName;
};

// Indexed by PickListId.
constexpr EditorWindow kEditors[] = {
    {PickListId::Lieux, "showLieuWindow", "ComboLieu"},
    {PickListId::Sites, "showSiteWindow", "ComboSite"},
    {PickListId::Pays, "showPaysWindow", "ComboPays"},
    {PickListId::CountryCode, "showPaysWindow", "ComboPays"},
    {PickListId::Partenaires, "showPalanqueeWindow", "ComboPalanquee"},
    {PickListId::Epaves, "showEpaveWindow", "ComboEpaves"},
    {PickListId::Structures, "showStructureWindow", "ComboStructures"},
    {PickListId::Ordinateurs, "showOrdiWindow", "ComboOrdi"},
    {PickListId::SacDePlongee, "showSacWindow", "ComboSacDePlongee"},
    {PickListId::TypeEpave, "showTypeEpaveWindow", "ComboTypeEpave"},
    {PickListId::CauseNaufrage, "showNaufrageWindow", "ComboNaufrage"},
    {PickListId::TypeMateriel, "showTypesMatosWindow", "ComboTypesMatos"},
    {PickListId::Fabricants, "showMarquesWindow", "ComboMarques"},
    {PickListId::Magasins, "showMagasinsWindow", "ComboMagasinsMatos"},
    {PickListId::Prestations, "showPrestationWindow", "ComboPrestation"},
    {PickListId::Activite, "showActiviteWindow", "ComboActivite"},
};

} // namespace

QString preferencesCommand() { return QStringLiteral("showPreferencePanel"); }

QString pickListCommand(PickListId id) { return QLatin1String(kEditors[int(id)].command); }

void registerWindows(WindowTable& table, AppContext& context)
{
    table.registerWindow(preferencesCommand(), [&table, &context] {
        return std::make_unique<PreferencesWindow>(
            context, [&table](PickListId id) { table.showWindow(pickListCommand(id)); });
    });
    for (const EditorWindow& e : kEditors) {
        if (e.id == PickListId::CountryCode)
            continue; // in the countries' window
        QList<PickListId> lists = {e.id};
        if (e.id == PickListId::Pays)
            lists.append(PickListId::CountryCode);
        const QString name = QLatin1String(e.windowName);
        table.registerWindow(QLatin1String(e.command), [&context, lists, name] {
            return std::make_unique<PickListWindow>(context, lists, name);
        });
    }
}

QMenu* addEditMenu(QMenuBar* menuBar, QMenu* fileMenu, WindowTable& table, const AppContext& context)
{
    const Localizer& loc = context.localizer();
    const QString main = QStringLiteral("Main");
    auto* menu = new QMenu(loc.text(QStringLiteral("Menu edit"), main), menuBar);
    menu->setObjectName(QStringLiteral("editMenu"));
    // Right after the File menu.
    const QList<QAction*> bar = menuBar->actions();
    const qsizetype file = fileMenu ? bar.indexOf(fileMenu->menuAction()) : -1;
    if (file >= 0 && file + 1 < bar.size())
        menuBar->insertMenu(bar[file + 1], menu);
    else
        menuBar->addMenu(menu);

    QAction* prefs = menu->addAction(loc.text(QStringLiteral("Menu preferences"), main));
    prefs->setObjectName(preferencesCommand());
    prefs->setMenuRole(QAction::PreferencesRole);
    // The platform's own key where it has one; Ctrl+, everywhere else.
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::Preferences);
    if (!keys.contains(QKeySequence(Qt::CTRL | Qt::Key_Comma)))
        keys.prepend(QKeySequence(Qt::CTRL | Qt::Key_Comma));
    prefs->setShortcuts(keys);
    QObject::connect(prefs, &QAction::triggered, &table, [&table] { table.showWindow(preferencesCommand()); });

    QMenu* lists = menu->addMenu(loc.text(QStringLiteral("Menu pick-lists"), main));
    lists->setObjectName(QStringLiteral("pickListsMenu"));
    for (const PickListId id : PickLists::all()) {
        QAction* action = lists->addAction(loc.text(QStringLiteral("Pick-list ") + PickLists::key(id), main));
        action->setObjectName(PickLists::key(id));
        const QString command = pickListCommand(id);
        QObject::connect(action, &QAction::triggered, &table, [&table, command] { table.showWindow(command); });
    }
    return menu;
}

} // namespace preferencecommands
