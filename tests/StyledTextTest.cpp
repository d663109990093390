#include "platform/StyledText.h"

#include <gtest/gtest.h>

TEST(StyledText, MergesRunsOfOneStyleAndEscapesHtml)
{
    const RgbaColour red = RgbaColour::rgb(1, 0, 0);
    StyledText text;
    text.append(QStringLiteral("Name: "));
    text.append(QStringLiteral("<Thistlegorm> & co"), red);
    text.append(QStringLiteral("\n"), red);
    text.append(QString());
    text.appendLine(QStringLiteral("Depth"), {.underline = true, .bold = true});

    ASSERT_EQ(text.runs().size(), 3);
    EXPECT_EQ(text.plainText(), QStringLiteral("Name: <Thistlegorm> & co\nDepth\n"));
    const QString html = text.html(QStringLiteral("a < b"));
    EXPECT_TRUE(html.contains(QStringLiteral("<title>a &lt; b</title>")));
    EXPECT_TRUE(html.contains(
        QStringLiteral("Name: <span style=\"color:#ff0000\">&lt;Thistlegorm&gt; &amp; co<br/>\n</span>")));
    EXPECT_TRUE(html.contains(
        QStringLiteral("<span style=\"text-decoration:underline;font-weight:bold\">Depth<br/>\n</span>")));
}
