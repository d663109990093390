#include "registers/CompresseurFields.h"

namespace compresseur {

namespace {
constexpr registers::FieldInfo kFields[] = {
#define ONDRIX_COMPRESSEUR_INFO(n, k, v, fv, e) {#n, registers::FieldKind::k, v, fv, e},
    ONDRIX_COMPRESSEUR_FIELDS(ONDRIX_COMPRESSEUR_INFO)
#undef ONDRIX_COMPRESSEUR_INFO
};
static_assert(std::size(kFields) == 24, "a compressor service archives 24 fields");
} // namespace

const registers::RecordSchema& schema()
{
    static const registers::RecordSchema s{"Compresseur", kClassVersion, kFields};
    return s;
}

} // namespace compresseur
