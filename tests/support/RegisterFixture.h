#pragma once

#include "registers/RegisterDocument.h"
#include "registers/RegisterTable.h"
#include "support/ContextFixture.h"
#include "support/TypedRecord.h"

#include <memory>

// A new document of one register over a fresh program context, with
// records typed through its form and the texts of its list's cells.
template <const registers::RegisterDescription& (*Description)()>
class RegisterFixture : public ContextFixture {
protected:
    std::unique_ptr<RegisterDocument> doc;
    void SetUp() override
    {
        ContextFixture::SetUp();
        doc = std::make_unique<RegisterDocument>(*context, Description());
    }
    RegisterRecord typed(const QStringList& values) { return typedRecord(doc->form(), values); }
    QString cell(const RegisterRecord& r, const char* column) const
    {
        for (const registers::Column& c : Description().columns)
            if (c.id == QLatin1String(column))
                return registertable::text(c, r, context->localizer());
        return QStringLiteral("no column");
    }
};
