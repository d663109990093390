#include "registers/MaterielFields.h"

namespace materiel {

namespace {
constexpr registers::FieldInfo kFields[] = {
#define ONDRIX_MATERIEL_INFO(n, k, ...) {#n, registers::FieldKind::k, __VA_ARGS__},
    ONDRIX_MATERIEL_FIELDS(ONDRIX_MATERIEL_INFO)
#undef ONDRIX_MATERIEL_INFO
};
static_assert(std::size(kFields) == 23, "an equipment card archives 23 fields");
} // namespace

const registers::RecordSchema& schema()
{
    static const registers::RecordSchema s{"Materiel", kClassVersion, kFields};
    return s;
}

} // namespace materiel
