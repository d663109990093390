#pragma once

#include "registers/RegisterForm.h"

#include <QStringList>
#include <gtest/gtest.h>

// A record typed into a blank form, "field=text" each, as the command line
// types it; a text the form refuses fails the test.
inline RegisterRecord typedRecord(RegisterForm& form, const QStringList& values)
{
    form.blank();
    for (const QString& a : values) {
        const qsizetype eq = a.indexOf(u'=');
        QString error;
        EXPECT_TRUE(form.typeText(a.left(eq), a.mid(eq + 1), &error)) << error.toStdString();
    }
    return form.store();
}
