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

// Puts the rows in `order` and returns the new row of each old row. The
// rows move in place, one cycle of the permutation at a time: rows already
// in their place are not touched, and no second list of big records is
// made.
template <typename T> std::vector<int> reorder(QList<T>& rows, const std::vector<int>& order)
{
    const size_t n = order.size();
    std::vector<int> newRowOf(n);
    for (size_t pos = 0; pos < n; ++pos)
        newRowOf[size_t(order[pos])] = int(pos);
    std::vector<bool> placed(n, false);
    for (size_t start = 0; start < n; ++start) {
        if (placed[start] || size_t(order[start]) == start) {
            placed[start] = true;
            continue;
        }
        // Row `start` receives row order[start], which receives its own
        // source, and so on until the cycle comes back to `start`.
        T held = std::move(rows[qsizetype(start)]);
        size_t pos = start;
        while (size_t(order[pos]) != start) {
            const size_t from = size_t(order[pos]);
            rows[qsizetype(pos)] = std::move(rows[qsizetype(from)]);
            placed[pos] = true;
            pos = from;
        }
        rows[qsizetype(pos)] = std::move(held);
        placed[pos] = true;
    }
    return newRowOf;
}

// A row after reorder; -1 stays -1.
inline int moved(const std::vector<int>& newRowOf, int row) { return row >= 0 ? newRowOf[size_t(row)] : -1; }

} // namespace sortorder
