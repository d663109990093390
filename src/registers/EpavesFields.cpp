#include "registers/EpavesFields.h"

namespace epaves {

namespace {
constexpr registers::FieldInfo kFields[] = {
#define ONDRIX_EPAVES_INFO(n, k, v, fv, e) {#n, registers::FieldKind::k, v, fv, e},
    ONDRIX_EPAVES_FIELDS(ONDRIX_EPAVES_INFO)
#undef ONDRIX_EPAVES_INFO
};
static_assert(std::size(kFields) == 47, "a wreck card archives 47 fields");
} // namespace

const registers::RecordSchema& schema()
{
    static const registers::RecordSchema s{"Epaves", kClassVersion, kFields};
    return s;
}

} // namespace epaves
