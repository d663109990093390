#pragma once

#include <QList>
#include <QString>
#include <vector>

// Stable sorting of a document's rows by one key per row, and moving the
// rows and what points at them (selection, current row) to their new places.
namespace sortorder {

// The row order by the keys; equal keys keep their order. Texts compare by
// their code units, letter case included.
std::vector<int> byText(const std::vector<QString>& keys, bool ascending);
std::vector<int> byNumber(const std::vector<double>& keys, bool ascending);

// Puts the rows in `order` and returns the new row of each old row.
template <typename T> std::vector<int> reorder(QList<T>& rows, const std::vector<int>& order)
{
    QList<T> sorted;
    sorted.reserve(rows.size());
    std::vector<int> newRowOf(order.size());
    for (size_t pos = 0; pos < order.size(); ++pos) {
        sorted.append(std::move(rows[order[pos]]));
        newRowOf[size_t(order[pos])] = int(pos);
    }
    rows = std::move(sorted);
    return newRowOf;
}

// A row after reorder; -1 stays -1.
inline int moved(const std::vector<int>& newRowOf, int row) { return row >= 0 ? newRowOf[size_t(row)] : -1; }

} // namespace sortorder
