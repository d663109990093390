#include "registers/ConsommablesFields.h"

namespace consommables {

namespace {
constexpr registers::FieldInfo kFields[] = {
#define ONDRIX_CONSOMMABLES_INFO(n, k, ...) {#n, registers::FieldKind::k, __VA_ARGS__},
    ONDRIX_CONSOMMABLES_FIELDS(ONDRIX_CONSOMMABLES_INFO)
#undef ONDRIX_CONSOMMABLES_INFO
};
static_assert(std::size(kFields) == 9, "a consumables card archives 9 fields");
} // namespace

const registers::RecordSchema& schema()
{
    static const registers::RecordSchema s{"Consommables", kClassVersion, kFields};
    return s;
}

} // namespace consommables
