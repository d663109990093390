#include "platform/ui/CommandToolBar.h"
#include "platform/InterfaceText.h"

#include "platform/context/AppContext.h"
#include "platform/ui/ToolbarPalette.h"
#include "platform/SettingsStore.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QWidgetAction>

CommandToolBar::CommandToolBar(ToolbarDefinition definition, AppContext& context, QWidget* parent)
    : QToolBar(parent), m_definition(std::move(definition)), m_context(context), m_customise(new QAction(this))
{
    setObjectName(m_definition.id());
    setMovable(false);
    setFloatable(false);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(24, 24));
    // The context menu is the toolbar's own, not the main window's.
    setContextMenuPolicy(Qt::DefaultContextMenu);

    const Localizer& localizer = m_context.localizer();
    for (const QString& id : m_definition.allowedItems()) {
        const ToolbarDefinition::Item* item = m_definition.find(id);
        if (!item)
            continue;
        if (item->kind == ToolbarDefinition::Kind::Command) {
            const QString label = ToolbarDefinition::label(*item, localizer);
            auto* action = new QAction(m_pictures.icon(QLatin1String(item->picture)), label, this);
            action->setObjectName(id);
            action->setIconText(label);
            action->setToolTip(ToolbarDefinition::tooltip(*item, localizer));
            m_actions.insert(id, action);
        } else if (item->kind == ToolbarDefinition::Kind::Customise) {
            const QString label = ToolbarDefinition::label(*item, localizer);
            m_customise->setObjectName(id);
            m_customise->setIcon(m_pictures.icon(QLatin1String(item->picture)));
            m_customise->setText(label);
            m_customise->setIconText(label);
            m_customise->setToolTip(ToolbarDefinition::tooltip(*item, localizer));
            connect(m_customise, &QAction::triggered, this, &CommandToolBar::customise);
        }
    }

    m_context.hub().addObserver(this, notificationName(), [this](const QString&, const void* sender) {
        if (sender != this)
            rebuild();
    });
    rebuild();
}

CommandToolBar::~CommandToolBar() { m_context.hub().removeObserver(this); }

QString CommandToolBar::notificationName() const
{
    return QStringLiteral("toolbarConfigurationChanged ") + m_definition.id();
}

void CommandToolBar::setSearchField(QWidget* field)
{
    delete m_search;
    m_search = nullptr;
    if (field && m_definition.isAllowed(ToolbarDefinition::searchId)) {
        m_search = new QWidgetAction(this);
        m_search->setObjectName(ToolbarDefinition::searchId);
        m_search->setDefaultWidget(field);
        if (const ToolbarDefinition::Item* item = m_definition.find(ToolbarDefinition::searchId))
            m_search->setText(ToolbarDefinition::label(*item, m_context.localizer()));
    }
    rebuild();
}

QWidget* CommandToolBar::searchField() const { return m_search ? m_search->defaultWidget() : nullptr; }

QWidget* CommandToolBar::buttonOf(const QString& id) const
{
    if (!isShown(id))
        return nullptr;
    if (id == ToolbarDefinition::customiseId)
        return widgetForAction(m_customise);
    if (id == ToolbarDefinition::searchId)
        return searchField();
    QAction* action = m_actions.value(id);
    return action ? widgetForAction(action) : nullptr;
}

void CommandToolBar::updateEnabling(int recordCount)
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        it.value()->setEnabled(m_definition.enabled(it.key(), recordCount));
}

void CommandToolBar::rebuild()
{
    clear();
    qDeleteAll(m_transient);
    m_transient.clear();
    m_shown = m_definition.configuration(m_context.settings());
    for (const QString& id : std::as_const(m_shown)) {
        if (id == ToolbarDefinition::separatorId) {
            m_transient.append(addSeparator());
        } else if (id == ToolbarDefinition::spaceId || id == ToolbarDefinition::flexibleSpaceId) {
            auto* space = new QWidget;
            if (id == ToolbarDefinition::spaceId)
                space->setFixedWidth(iconSize().width());
            else
                space->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
            auto* holder = new QWidgetAction(this);
            holder->setDefaultWidget(space);
            addAction(holder);
            m_transient.append(holder);
        } else if (id == ToolbarDefinition::customiseId) {
            addAction(m_customise);
        } else if (id == ToolbarDefinition::searchId) {
            if (m_search)
                addAction(m_search);
        } else if (QAction* action = m_actions.value(id)) {
            addAction(action);
        }
    }
}

void CommandToolBar::store(const QStringList& ids)
{
    m_definition.setConfiguration(m_context.settings(), ids);
    rebuild();
    m_context.hub().post(notificationName(), this);
}

void CommandToolBar::restoreDefaults()
{
    m_definition.restoreDefaults(m_context.settings());
    rebuild();
    m_context.hub().post(notificationName(), this);
}

void CommandToolBar::setItemShown(const QString& id, bool shown)
{
    if (ToolbarDefinition::isRepeatable(id) || !m_definition.isAllowed(id) || isShown(id) == shown)
        return;
    QStringList ids = m_shown;
    if (!shown) {
        ids.removeAll(id);
    } else {
        // After the last item shown that the palette offers before it.
        const QStringList& offered = m_definition.allowedItems();
        const qsizetype rank = offered.indexOf(id);
        qsizetype at = 0;
        for (qsizetype i = 0; i < ids.size(); ++i)
            if (!ToolbarDefinition::isRepeatable(ids[i]) && offered.indexOf(ids[i]) < rank)
                at = i + 1;
        ids.insert(at, id);
    }
    store(ids);
}

void CommandToolBar::fillContextMenu(QMenu* menu)
{
    const Localizer& localizer = m_context.localizer();
    for (const QString& id : m_definition.allowedItems()) {
        const ToolbarDefinition::Item* item = m_definition.find(id);
        if (!item || ToolbarDefinition::isRepeatable(id))
            continue;
        if (id == ToolbarDefinition::searchId && !m_search)
            continue;
        QAction* entry = menu->addAction(ToolbarDefinition::label(*item, localizer));
        entry->setObjectName(QStringLiteral("show_") + id);
        entry->setCheckable(true);
        entry->setChecked(isShown(id));
        connect(entry, &QAction::toggled, this, [this, id](bool on) { setItemShown(id, on); });
    }
    menu->addSeparator();
    QAction* customise = menu->addAction(ui::text("Customise Toolbar…"), this, &CommandToolBar::customise);
    customise->setObjectName(QStringLiteral("customiseToolbar"));
    QAction* restore = menu->addAction(ui::text("Restore Default Set"), this, &CommandToolBar::restoreDefaults);
    restore->setObjectName(QStringLiteral("restoreDefaultSet"));
}

void CommandToolBar::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    fillContextMenu(&menu);
    menu.exec(event->globalPos());
    event->accept();
}

ToolbarPalette* CommandToolBar::customisationPalette() const { return m_palette.data(); }

void CommandToolBar::customise()
{
    if (m_palette && m_palette->isVisible()) {
        m_palette->raise();
        m_palette->activateWindow();
        return;
    }
    const auto describe = [this](const QString& id) -> std::pair<QString, QIcon> {
        const ToolbarDefinition::Item* item = m_definition.find(id);
        if (!item)
            return {id, QIcon()};
        return {ToolbarDefinition::label(*item, m_context.localizer()), m_pictures.icon(QLatin1String(item->picture))};
    };
    auto* palette = new ToolbarPalette(m_definition, m_shown, describe, window());
    palette->setAttribute(Qt::WA_DeleteOnClose);
    connect(palette, &QDialog::accepted, this, [this, palette] { store(palette->chosen()); });
    m_palette = palette;
    palette->open();
}
