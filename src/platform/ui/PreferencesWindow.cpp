#include "platform/ui/PreferencesWindow.h"

#include "platform/context/AppContext.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

using Kind = PreferencesForm::Kind;
using Pane = PreferencesForm::Pane;

QColor qcolourOf(const RgbaColour& c) { return QColor::fromRgbF(float(c.red), float(c.green), float(c.blue), float(c.alpha)); }

RgbaColour rgbaOf(const QColor& c) { return RgbaColour::rgb(c.redF(), c.greenF(), c.blueF(), c.alphaF()); }

// A swatch of the colour over a chequer, so that its opacity shows.
QIcon swatch(const std::optional<RgbaColour>& colour)
{
    QPixmap pixmap(40, 16);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    for (int x = 0; x < 40; x += 8)
        for (int y = 0; y < 16; y += 8)
            if ((x / 8 + y / 8) % 2)
                p.fillRect(x, y, 8, 8, QColor(200, 200, 200));
    if (colour)
        p.fillRect(pixmap.rect(), qcolourOf(*colour));
    p.setPen(Qt::darkGray);
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

PreferencesWindow::PreferencesWindow(AppContext& context, std::function<void(PickListId)> openPickList, QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(context), m_form(context), m_openPickList(std::move(openPickList))
{
    setObjectName(QStringLiteral("Preferences"));
    setWindowTitle(text(QStringLiteral("Preferences")));
    auto* layout = new QVBoxLayout(this);
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("prefsToolbar"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    layout->setMenuBar(toolbar);
    m_pages = new QStackedWidget(this);
    m_paneActions = new QActionGroup(this);
    for (const Pane pane : PreferencesForm::panes()) {
        QAction* action = toolbar->addAction(text(PreferencesForm::paneLabelKey(pane)));
        action->setObjectName(PreferencesForm::paneId(pane));
        action->setCheckable(true);
        m_paneActions->addAction(action);
        connect(action, &QAction::triggered, this, [this, pane] { goView(pane); });
        m_pages->addWidget(buildPane(pane));
    }
    layout->addWidget(m_pages, 1);
    // Every pane's item stays in sight, however narrow the pane shown.
    const QMargins margins = layout->contentsMargins();
    setMinimumWidth(toolbar->sizeHint().width() + margins.left() + margins.right());

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(buildPickListButton());
    buttons->addStretch(1);
    auto* reset = new QPushButton(text(QStringLiteral("Prefs reset")), this);
    reset->setObjectName(QStringLiteral("resetPreferences"));
    connect(reset, &QPushButton::clicked, this, &PreferencesWindow::resetPreferences);
    buttons->addWidget(reset);
    layout->addLayout(buttons);
    goView(Pane::General);
}

PreferencesWindow::~PreferencesWindow() = default;

QString PreferencesWindow::text(const QString& key, const QString& table) const
{
    return m_context.localizer().text(key, table);
}

QWidget* PreferencesWindow::buildPane(Pane pane)
{
    auto* page = new QWidget(m_pages);
    page->setObjectName(QStringLiteral("view_%1").arg(int(pane) + 1));
    auto* form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (const PreferencesForm::Control& c : PreferencesForm::controls()) {
        if (c.pane != pane)
            continue;
        QWidget* widget = buildControl(c);
        if (c.kind == Kind::Switch) {
            form->addRow(widget);
        } else if (c.name == u"tempValueField") {
            // The temperature unit stands beside the low-temperature value.
            auto* row = new QWidget(page);
            auto* h = new QHBoxLayout(row);
            h->setContentsMargins(0, 0, 0, 0);
            h->addWidget(widget);
            m_unitLabel = new QLabel(row);
            m_unitLabel->setObjectName(QStringLiteral("fahrTempField"));
            h->addWidget(m_unitLabel);
            form->addRow(text(c.labelKey, c.labelTable), row);
        } else {
            form->addRow(text(c.labelKey, c.labelTable), widget);
        }
    }
    return page;
}

QWidget* PreferencesWindow::buildControl(const PreferencesForm::Control& c)
{
    const QString name = c.name;
    QWidget* widget = nullptr;
    switch (c.kind) {
    case Kind::Number:
    case Kind::Text: {
        auto* edit = new QLineEdit(this);
        edit->setMinimumWidth(c.kind == Kind::Number ? 80 : 160);
        connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& t) { m_form.setText(name, t); });
        connect(edit, &QLineEdit::editingFinished, this, [this, name] { commit(name); });
        widget = edit;
        break;
    }
    case Kind::Switch: {
        auto* box = new QCheckBox(text(c.labelKey, c.labelTable), this);
        connect(box, &QCheckBox::clicked, this, [this, name](bool on) {
            m_form.setOn(name, on);
            commit(name);
        });
        widget = box;
        break;
    }
    case Kind::Colour: {
        auto* well = new QToolButton(this);
        well->setIconSize(QSize(40, 16));
        const QString title = text(c.labelKey, c.labelTable);
        connect(well, &QToolButton::clicked, this, [this, name, title] {
            const auto current = m_form.colour(name);
            const QColor picked = QColorDialog::getColor(current ? qcolourOf(*current) : QColor(Qt::white), this,
                                                         title, QColorDialog::ShowAlphaChannel);
            if (!picked.isValid())
                return;
            m_form.setColour(name, rgbaOf(picked));
            commit(name);
        });
        widget = well;
        break;
    }
    case Kind::Theme: {
        auto* popUp = new QComboBox(this);
        for (const QString& key : PreferencesForm::themeLabelKeys())
            popUp->addItem(text(key));
        connect(popUp, &QComboBox::activated, this, [this, name](int index) {
            m_form.setTag(name, index);
            commit(name);
        });
        widget = popUp;
        break;
    }
    }
    widget->setObjectName(name);
    m_widgets.insert(name, widget);
    return widget;
}

QWidget* PreferencesWindow::buildPickListButton()
{
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("pickListsButton"));
    button->setText(text(QStringLiteral("Pick-lists")));
    button->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button);
    for (const PickListId id : PickLists::all()) {
        QAction* action = menu->addAction(text(QStringLiteral("Pick-list ") + PickLists::key(id)));
        connect(action, &QAction::triggered, this, [this, id] {
            if (m_openPickList)
                m_openPickList(id);
        });
    }
    button->setMenu(menu);
    return button;
}

void PreferencesWindow::goView(Pane pane)
{
    const int index = int(pane);
    // The window takes the size of the pane it shows.
    for (int i = 0; i < m_pages->count(); ++i)
        m_pages->widget(i)->setSizePolicy(i == index ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                                          i == index ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    m_pages->setCurrentIndex(index);
    m_paneActions->actions().at(index)->setChecked(true);
    updateUI();
    adjustSize();
}

void PreferencesWindow::commit(const QString& name)
{
    // A number out of its range is not stored: the field shows the stored
    // value again.
    if (!m_form.commit({name}).isEmpty())
        m_form.loadControl(name);
    updateUI();
}

void PreferencesWindow::resetPreferences()
{
    m_form.reset();
    updateUI();
}

void PreferencesWindow::showValue(const QString& name)
{
    QWidget* widget = m_widgets.value(name);
    const PreferencesForm::Control* c = PreferencesForm::control(name);
    if (!widget || !c)
        return;
    const QSignalBlocker block(widget);
    switch (c->kind) {
    case Kind::Number:
    case Kind::Text:
        if (auto* edit = static_cast<QLineEdit*>(widget); edit->text() != m_form.text(name))
            edit->setText(m_form.text(name));
        break;
    case Kind::Switch: static_cast<QCheckBox*>(widget)->setChecked(m_form.isOn(name)); break;
    case Kind::Colour: {
        auto* well = static_cast<QToolButton*>(widget);
        const auto colour = m_form.colour(name);
        well->setIcon(swatch(colour));
        well->setToolTip(colour ? colour->toHex(true) : text(QStringLiteral("Prefs no colour")));
        break;
    }
    case Kind::Theme: static_cast<QComboBox*>(widget)->setCurrentIndex(m_form.tag(name)); break;
    }
    widget->setEnabled(m_form.enabled(name));
}

void PreferencesWindow::updateUI()
{
    for (const PreferencesForm::Control& c : PreferencesForm::controls())
        showValue(c.name);
    if (m_unitLabel)
        m_unitLabel->setText(m_form.unitLabel());
}
