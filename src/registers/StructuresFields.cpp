#include "registers/StructuresFields.h"

namespace structures {

namespace {
constexpr registers::FieldInfo kFields[] = {
#define ONDRIX_STRUCTURES_INFO(n, k, v, fv, e, t) \
    {.name = #n, .kind = registers::FieldKind::k, .sinceVersion = v, .floatSinceVersion = fv, .emptyWhenLacking = e, .textSinceVersion = t},
    ONDRIX_STRUCTURES_FIELDS(ONDRIX_STRUCTURES_INFO)
#undef ONDRIX_STRUCTURES_INFO
};
static_assert(std::size(kFields) == 68, "a structure's card archives 68 fields");
} // namespace

const registers::RecordSchema& schema()
{
    static const registers::RecordSchema s{"Structures", kClassVersion, kFields};
    return s;
}

const addressbook::Fields& addressFields()
{
    static const addressbook::Fields f{adresse, codePostal, ville, pays, telephone, fax,
                                       email,   url,        cotation, miseAJour, horaireLundi_1};
    return f;
}

} // namespace structures
