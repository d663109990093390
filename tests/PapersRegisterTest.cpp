#include "registers/DiversDocsFields.h"
#include "registers/PapersRegister.h"
#include "registers/RegisterForm.h"
#include "registers/RegisterTable.h"
#include "support/ContextFixture.h"

using namespace diversdocs;

namespace {
const registers::RegisterDescription& papers() { return diversdocs::description(); }
} // namespace

using PapersRegisterTest = ContextFixture;

TEST_F(PapersRegisterTest, KindsRenewalAndPicture)
{
    RegisterForm form(papers(), context->localizer());
    const registers::Column& kind = papers().columns.first();
    for (const auto& [code, text] : {std::pair{0, "Attestation"}, {2, "Medical certificate"}, {5, "Other"},
                                     {7, "7"}, {-1, "-1"}}) {
        RegisterRecord r(schema());
        r.setValue(type, qint32(code));
        EXPECT_EQ(registertable::text(kind, r, context->localizer()), QLatin1String(text)) << code;
    }
    // The renewal date stays stored while the switch is off, its field disabled.
    form.blank();
    EXPECT_EQ(form.number(type), 0);
    ASSERT_TRUE(form.typeText(u"dateRenouvellement", QStringLiteral("2027-05-01")));
    for (const auto& [on, enabled] : {std::pair{"0", false}, {"1", true}}) {
        ASSERT_TRUE(form.typeText(u"renouveler", QLatin1String(on)));
        const auto derived = registers::derive(papers().formRules, form, context->localizer());
        ASSERT_EQ(derived.size(), 1);
        EXPECT_EQ(derived.first(), (registers::DerivedValue{QStringLiteral("dateRenouvellement.enabled"), enabled}));
        EXPECT_EQ(form.store().date(dateRenouvellement).date(), QDate(2027, 5, 1));
    }
    // A removed picture stores none and shows none again.
    RegisterRecord withPicture(schema());
    withPicture.setValue(photocopy, RegisterRecord::Image(QByteArray("png")));
    form.load(withPicture);
    ASSERT_TRUE(form.typeText(u"photocopy", QString()));
    const RegisterRecord stored = form.store();
    EXPECT_FALSE(stored.image(photocopy));
    form.load(stored);
    EXPECT_FALSE(form.value(photocopy).image);
}
