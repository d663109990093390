#pragma once

#include "registers/RegisterDocument.h"
#include "registers/RegisterTable.h"
#include "support/ContextFixture.h"

#include <QStringList>

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
    // A record typed into a blank form, "field=text" each, as the command
    // line types it; a text the form refuses fails the test.
    RegisterRecord typed(const QStringList& values)
    {
        doc->form().blank();
        for (const QString& a : values) {
            const qsizetype eq = a.indexOf(u'=');
            QString error;
            EXPECT_TRUE(doc->form().typeText(a.left(eq), a.mid(eq + 1), &error)) << error.toStdString();
        }
        return doc->form().store();
    }
    QString cell(const RegisterRecord& r, const char* column) const
    {
        for (const registers::Column& c : Description().columns)
            if (c.id == QLatin1String(column))
                return registertable::text(c, r, context->localizer());
        return QStringLiteral("no column");
    }
};
