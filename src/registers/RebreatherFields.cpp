#include "registers/RebreatherFields.h"

namespace rebreather {

namespace {
constexpr registers::FieldInfo kFields[] = {
#define ONDRIX_REBREATHER_INFO(n, k, v, fv, e) {#n, registers::FieldKind::k, v, fv, e},
    ONDRIX_REBREATHER_FIELDS(ONDRIX_REBREATHER_INFO)
#undef ONDRIX_REBREATHER_INFO
};
static_assert(std::size(kFields) == 26, "a rebreather intervention archives 26 fields");
} // namespace

const registers::RecordSchema& schema()
{
    static const registers::RecordSchema s{"Rebreather", kClassVersion, kFields};
    return s;
}

} // namespace rebreather
