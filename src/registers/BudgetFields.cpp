#include "registers/BudgetFields.h"

namespace budget {

namespace {
constexpr registers::FieldInfo kFields[] = {
#define ONDRIX_BUDGET_INFO(n, k, v, fv, e) {#n, registers::FieldKind::k, v, fv, e},
    ONDRIX_BUDGET_FIELDS(ONDRIX_BUDGET_INFO)
#undef ONDRIX_BUDGET_INFO
};
static_assert(std::size(kFields) == 32, "an offer archives 32 fields");
} // namespace

const registers::RecordSchema& schema()
{
    static const registers::RecordSchema s{"Budget", kClassVersion, kFields};
    return s;
}

} // namespace budget
