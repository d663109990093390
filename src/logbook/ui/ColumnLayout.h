#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The order and visibility of the dive list's columns, as the list's header
// lays them out: every column keeps a place in the order, shown or hidden.
//
// The first time a column is shown or hidden, the order of that moment is
// remembered. Hiding a column takes it out of the shown columns. Showing a
// hidden column puts it back at its index in the remembered order (hidden
// columns keep their places, so the columns hidden before it do not push
// it back), or last when fewer columns are shown than that index. A column
// the remembered order does not know is not shown again.
class ColumnLayout {
public:
    // Every column of the layout, in order, all shown.
    explicit ColumnLayout(QStringList columns);

    // Shows or hides a column by identifier; showing a shown column or
    // hiding a hidden one does nothing.
    void setVisible(const QString& id, bool visible);
    // Applies one visibility per column, in the order given.
    void setVisibility(const QList<std::pair<QString, bool>>& visibility);

    // The user dragged a column to another place in the order.
    void moveTo(const QString& id, int position);

    // Every column in order, hidden ones included.
    const QStringList& order() const { return m_order; }
    // The shown columns, in order.
    QStringList shown() const;
    bool isShown(const QString& id) const { return m_order.contains(id) && !m_hidden.contains(id); }
    // The order remembered at the first show or hide; empty before.
    QStringList remembered() const { return m_remembered.value_or(QStringList()); }

private:
    void remember();

    QStringList m_order;
    QStringList m_hidden;
    std::optional<QStringList> m_remembered;
};
