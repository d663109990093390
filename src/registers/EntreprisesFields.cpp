#include "registers/EntreprisesFields.h"

namespace entreprises {

namespace {
constexpr registers::FieldInfo kFields[] = {
#define ONDRIX_ENTREPRISES_INFO(n, k, v, fv, e, t) \
    {.name = #n, .kind = registers::FieldKind::k, .sinceVersion = v, .floatSinceVersion = fv, .emptyWhenLacking = e, .textSinceVersion = t},
    ONDRIX_ENTREPRISES_FIELDS(ONDRIX_ENTREPRISES_INFO)
#undef ONDRIX_ENTREPRISES_INFO
};
static_assert(std::size(kFields) == 41, "a firm's card archives 41 fields");
} // namespace

const registers::RecordSchema& schema()
{
    static const registers::RecordSchema s{"Entreprises", kClassVersion, kFields};
    return s;
}

const addressbook::Fields& addressFields()
{
    static const addressbook::Fields f{adresse, codePostal, ville, pays, telephone, fax,
                                       email,   url,        cotation, miseAJour, horaireLundi_1};
    return f;
}

} // namespace entreprises
