#include "platform/SortOrder.h"

#include <algorithm>
#include <numeric>

namespace sortorder {

namespace {
template <typename Key, typename Less> std::vector<int> stableOrder(const std::vector<Key>& keys, Less less)
{
    std::vector<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return less(keys[size_t(a)], keys[size_t(b)]); });
    return order;
}
} // namespace

std::vector<int> byText(const std::vector<QString>& keys, bool ascending)
{
    return stableOrder(keys, [ascending](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseSensitive);
        return ascending ? c < 0 : c > 0;
    });
}

std::vector<int> byNumber(const std::vector<double>& keys, bool ascending)
{
    return stableOrder(keys, [ascending](double a, double b) { return ascending ? a < b : a > b; });
}

} // namespace sortorder
