#include "platform/ui/PickListWindow.h"

#include "platform/context/AppContext.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

PickListWindow::PickListWindow(AppContext& context, const QList<PickListId>& lists, const QString& windowName,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), m_context(context)
{
    setObjectName(windowName);
    const Localizer& loc = context.localizer();
    auto* layout = new QHBoxLayout(this);
    m_columns.resize(lists.size());
    for (qsizetype i = 0; i < lists.size(); ++i) {
        Column& c = m_columns[size_t(i)];
        c.editor = std::make_unique<PickListEditor>(context, lists[i]);
        const QString key = PickLists::key(lists[i]);
        auto* grid = new QGridLayout;
        c.field = new QLineEdit(this);
        c.field->setObjectName(key + QStringLiteral(" field"));
        auto* add = new QPushButton(loc.text(QStringLiteral("Pick-list add"), QStringLiteral("Main")), this);
        add->setObjectName(key + QStringLiteral(" add"));
        c.table = new QListWidget(this);
        c.table->setObjectName(key + QStringLiteral(" table"));
        c.table->setSelectionMode(QAbstractItemView::ExtendedSelection);
        auto* remove = new QPushButton(loc.text(QStringLiteral("Pick-list delete"), QStringLiteral("Main")), this);
        remove->setObjectName(key + QStringLiteral(" delete"));
        c.count = new QLabel(this);
        c.count->setObjectName(key + QStringLiteral(" count"));
        auto* title = new QLabel(c.editor->title(), this);
        grid->addWidget(title, 0, 0, 1, 2);
        grid->addWidget(c.field, 1, 0);
        grid->addWidget(add, 1, 1);
        grid->addWidget(c.table, 2, 0, 1, 2);
        grid->addWidget(c.count, 3, 0);
        grid->addWidget(remove, 3, 1);
        layout->addLayout(grid);
        const size_t at = size_t(i);
        connect(add, &QPushButton::clicked, this, [this, at] { this->add(m_columns[at]); });
        connect(c.field, &QLineEdit::returnPressed, this, [this, at] { this->add(m_columns[at]); });
        connect(remove, &QPushButton::clicked, this, [this, at] { this->remove(m_columns[at]); });
    }
    setWindowTitle(m_columns.front().editor->title());
    resize(260 * int(lists.size()), 360);
}

PickListWindow::~PickListWindow() = default;

void PickListWindow::showColumn(Column& c)
{
    const QStringList& entries = c.editor->entries();
    c.table->clear();
    c.table->addItems(entries);
    c.count->setText(c.editor->countText());
}

void PickListWindow::refresh()
{
    for (Column& c : m_columns)
        showColumn(c);
}

void PickListWindow::add(Column& c)
{
    c.editor->add(c.field->text());
    c.field->clear();
    showColumn(c);
}

void PickListWindow::remove(Column& c)
{
    QList<int> rows;
    for (const QModelIndex& index : c.table->selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty())
        return;
    c.editor->remove(c.editor->selectionOf(rows));
    c.field->clear();
    showColumn(c);
}

void PickListWindow::showEvent(QShowEvent* event)
{
    for (Column& c : m_columns)
        c.editor->aboutToShow();
    refresh();
    QWidget::showEvent(event);
}

void PickListWindow::changeEvent(QEvent* event)
{
    // Another window may have added to the list meanwhile.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refresh();
    QWidget::changeEvent(event);
}
