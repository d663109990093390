#include "platform/NumberText.h"

#include <cmath>
#include <gtest/gtest.h>

TEST(NumberText, LeadingNumbers)
{
    const struct { const char* text; qint32 integer; double decimal; } cases[] = {
        {"42", 42, 42},          {"  -7 m", -7, -7},   {"+3", 3, 3},         {"12.75", 12, 12.75},
        {"abc", 0, 0},           {"", 0, 0},           {"-", 0, 0},          {".5", 0, 0.5},
        {"1e3x", 1, 1000},       {"2e", 2, 2},         {"-0.25", 0, -0.25},  {"\t\n 9", 9, 9},
        {"3,5", 3, 3},           {"99999999999", 2147483647, 99999999999.0}, {"-99999999999", -2147483647 - 1, -99999999999.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numbertext::leadingInt(QString::fromUtf8(c.text)), c.integer) << c.text;
        EXPECT_DOUBLE_EQ(numbertext::leadingDouble(QString::fromUtf8(c.text)), c.decimal) << c.text;
    }
    bool ok = true;
    numbertext::leadingDouble(u"no number", &ok);
    EXPECT_FALSE(ok);
    numbertext::leadingDouble(u"-", &ok);
    EXPECT_FALSE(ok);
}

TEST(NumberText, FloatsPrintInTheirShortestForm)
{
    const struct { float value; const char* text; } cases[] = {
        {33.3f, "33.3"}, {12.4f, "12.4"}, {25.0f, "25"}, {0.1f, "0.1"}, {-4.5f, "-4.5"}, {0.0f, "0"}, {1e-7f, "1e-07"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numbertext::shortest(c.value), QLatin1String(c.text)) << c.text;
    EXPECT_EQ(numbertext::shortest(0.1), QStringLiteral("0.1"));
}
