#include "logbook/ui/DiveSearchField.h"
#include "platform/InterfaceText.h"

#include "platform/ui/ToolbarPictures.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

const QStringList& DiveSearchField::scopes()
{
    static const QStringList fields = {QStringLiteral("bateau"), QStringLiteral("epaves"), QStringLiteral("notes"),
                                       QStringLiteral("ordinateur"), QStringLiteral("partenaires")};
    return fields;
}

QString DiveSearchField::scopeTitle(const QString& field)
{
    if (field == u"bateau")
        return ui::text("Boat");
    if (field == u"epaves")
        return ui::text("Wrecks");
    if (field == u"notes")
        return ui::text("Notes");
    if (field == u"ordinateur")
        return ui::text("Computer");
    if (field == u"partenaires")
        return ui::text("Buddies");
    return field;
}

DiveSearchField::DiveSearchField(QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_button(new QToolButton(this)), m_menu(new QMenu(this)),
      m_group(new QActionGroup(this))
{
    setObjectName(QStringLiteral("diveSearchField"));
    m_edit->setObjectName(QStringLiteral("searchText"));
    m_edit->setClearButtonEnabled(true);
    m_button->setObjectName(QStringLiteral("searchScopeButton"));
    m_menu->setObjectName(QStringLiteral("searchScopeMenu"));
    m_menu->setTitle(ui::text("Find In"));

    const ToolbarPictures pictures;
    m_button->setIcon(pictures.icon(QStringLiteral("loupe")));
    m_button->setIconSize(QSize(16, 16));
    m_button->setMenu(m_menu);
    m_button->setPopupMode(QToolButton::InstantPopup);
    m_button->setAutoRaise(true);
    m_button->setToolTip(ui::text("Choose the field to search"));
    m_button->setFocusPolicy(Qt::NoFocus);

    m_group->setExclusive(true);
    for (const QString& field : scopes()) {
        QAction* action = m_menu->addAction(scopeTitle(field));
        action->setObjectName(QStringLiteral("findIn_") + field);
        action->setData(field);
        action->setCheckable(true);
        m_group->addAction(action);
        connect(action, &QAction::triggered, this, [this, field] {
            setScope(field);
            find();
        });
    }

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_button);
    layout->addWidget(m_edit, 1);
    // The field keeps its own size in the toolbar, whatever the room left.
    const int characters = m_edit->fontMetrics().averageCharWidth();
    setMinimumWidth(m_button->sizeHint().width() + 14 * characters);
    setMaximumWidth(m_button->sizeHint().width() + 34 * characters);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    connect(m_edit, &QLineEdit::returnPressed, this, &DiveSearchField::find);
    setScope(QStringLiteral("notes"));
}

QString DiveSearchField::text() const { return m_edit->text(); }

void DiveSearchField::setScope(const QString& field)
{
    if (!scopes().contains(field))
        return;
    m_scope = field;
    for (QAction* action : m_group->actions())
        action->setChecked(action->data().toString() == field);
    m_edit->setPlaceholderText(ui::text("Find in %1").arg(scopeTitle(field)));
    m_edit->setToolTip(ui::text("Find the dives by %1: type a text and press Return").arg(scopeTitle(field).toLower()));
}

void DiveSearchField::focusText()
{
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
}

void DiveSearchField::find() { emit findRequested(m_scope, m_edit->text()); }
