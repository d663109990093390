#include "registers/DiversDocsFields.h"

namespace diversdocs {

namespace {
constexpr registers::FieldInfo kFields[] = {
#define ONDRIX_DIVERSDOCS_INFO(n, k, v, fv, e) {#n, registers::FieldKind::k, v, fv, e},
    ONDRIX_DIVERSDOCS_FIELDS(ONDRIX_DIVERSDOCS_INFO)
#undef ONDRIX_DIVERSDOCS_INFO
};
static_assert(std::size(kFields) == 8, "a paper archives 8 fields");
} // namespace

const registers::RecordSchema& schema()
{
    static const registers::RecordSchema s{"DiversDocs", kClassVersion, kFields};
    return s;
}

} // namespace diversdocs
