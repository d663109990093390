#include "platform/ui/ToolbarPalette.h"
#include "platform/InterfaceText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

ToolbarPalette::ToolbarPalette(const ToolbarDefinition& toolbar, const QStringList& shown, Describe describe,
                               QWidget* parent)
    : QDialog(parent), m_toolbar(toolbar), m_describe(std::move(describe)), m_list(new QListWidget(this)),
      m_restore(new QPushButton(ui::text("Restore Default Set"), this))
{
    setObjectName(QStringLiteral("toolbarPalette"));
    setWindowTitle(ui::text("Customise Toolbar"));
    m_list->setObjectName(QStringLiteral("paletteItems"));
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_list->setDefaultDropAction(Qt::MoveAction);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setIconSize(QSize(24, 24));
    m_restore->setObjectName(QStringLiteral("restoreDefaultSet"));
    m_restore->setAutoDefault(false);

    auto* up = new QPushButton(ui::text("Move Up"), this);
    auto* down = new QPushButton(ui::text("Move Down"), this);
    up->setAutoDefault(false);
    down->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* side = new QVBoxLayout;
    side->addWidget(up);
    side->addWidget(down);
    side->addStretch(1);
    side->addWidget(m_restore);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_list, 1);
    middle->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(ui::text("Tick the items to show in the toolbar and drag them into order."), this));
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);

    connect(up, &QPushButton::clicked, this, &ToolbarPalette::moveUp);
    connect(down, &QPushButton::clicked, this, &ToolbarPalette::moveDown);
    connect(m_restore, &QPushButton::clicked, this, &ToolbarPalette::restoreDefaults);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    fill(m_toolbar.cleaned(shown));
    resize(sizeHint().width() + 40, 460);
}

void ToolbarPalette::fill(const QStringList& shown)
{
    m_list->clear();
    const auto add = [this](const QString& id, bool ticked) {
        auto [label, icon] = m_describe(id);
        if (icon.isNull()) {
            // Labels stay in one column: a blank picture for the spaces.
            QPixmap blank(m_list->iconSize());
            blank.fill(Qt::transparent);
            icon = QIcon(blank);
        }
        auto* row = new QListWidgetItem(icon, label, m_list);
        row->setData(Qt::UserRole, id);
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled);
        row->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    };
    for (const QString& id : shown)
        add(id, true);
    for (const QString& id : m_toolbar.allowedItems())
        if (ToolbarDefinition::isRepeatable(id) || !shown.contains(id))
            add(id, false);
}

QStringList ToolbarPalette::chosen() const
{
    QStringList ids;
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem* row = m_list->item(i);
        if (row->checkState() == Qt::Checked)
            ids.append(row->data(Qt::UserRole).toString());
    }
    return ids;
}

void ToolbarPalette::restoreDefaults() { fill(m_toolbar.defaultItems()); }

void ToolbarPalette::moveUp() { moveCurrent(-1); }

void ToolbarPalette::moveDown() { moveCurrent(1); }

void ToolbarPalette::moveCurrent(int step)
{
    const int from = m_list->currentRow();
    const int to = from + step;
    if (from < 0 || to < 0 || to >= m_list->count())
        return;
    QListWidgetItem* row = m_list->takeItem(from);
    m_list->insertItem(to, row);
    m_list->setCurrentRow(to);
}
