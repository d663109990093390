#include "logbook/DiveList.h"
#include "support/ContextFixture.h"

using namespace plongee;

namespace {

class DiveListTest : public ContextFixture {
protected:
    QString cell(const Plongee& d, const char* column)
    {
        const DiveListFormatter f(settings(), context->localizer());
        return f.text(d, divelist::columnOf(QString::fromLatin1(column)));
    }
    // The cells of the columns named in `columns`, joined by " | ".
    std::string cells(const Plongee& d, const char* columns)
    {
        QStringList texts;
        for (const QString& column : QString::fromLatin1(columns).split(u' '))
            texts.append(cell(d, column.toLatin1().constData()));
        return texts.join(QStringLiteral(" | ")).toStdString();
    }
    DiveCellStyle style(const Plongee& d, const char* column)
    {
        const DiveListFormatter f(settings(), context->localizer());
        return f.style(d, divelist::columnOf(QString::fromLatin1(column)));
    }
};

Plongee gasDive(int gaz, int stop1, int stop2, int apparatus, int setPoint = 0)
{
    Plongee d;
    d.setGaz(gaz);
    d.setDecoO2_Level_1(stop1);
    d.setDecoO2_Level_2(stop2);
    d.setRebreather(apparatus);
    d.setPpO2(setPoint);
    d.setO2Mix(32);
    d.setHeMix(25);
    return d;
}

} // namespace

TEST_F(DiveListTest, GasColumn)
{
    Plongee nitroxOxygen = gasDive(1, 100, 0, 0);
    nitroxOxygen.setDeco_Level_1_sw(1);
    const struct {
        Plongee dive;
        const char* text;
    } cases[] = {
        {gasDive(0, 100, 50, 0), "Air + Nx + O2"},
        {gasDive(0, 98, 23, 0), "Air + Nx + O2"},
        {gasDive(0, 50, 100, 0), "Air + O2"},
        {gasDive(0, 21, 0, 0), "Air"},
        {gasDive(0, 50, 50, 0), "Air + Nx"},
        {gasDive(0, 21, 0, 3, 3), "1,4 bar"},
        {gasDive(0, 21, 0, 2, 10), "0,7 bar"},
        {gasDive(0, 21, 0, 2, 1), "1,2 bar"},
        {gasDive(0, 21, 0, 2, 11), "..."},
        {gasDive(0, 21, 0, 2, 0), "..."},
        {gasDive(1, 100, 0, 0), "Nx 32"}, // stop level 1 off
        {nitroxOxygen, "O2"},
        {gasDive(2, 0, 0, 0), "Tx 32/25"},
        {gasDive(5, 0, 0, 0), "Tx 32/25"},
        {gasDive(3, 0, 0, 0), "Heliox 32"},
        {gasDive(9, 0, 0, 0), "9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cell(c.dive, "gaz"), QLatin1String(c.text)) << c.text;
}

TEST_F(DiveListTest, TextsOfTheOtherColumns)
{
    Plongee d;
    d.setNoPlongee(12);
    d.setProfondeur(25.5f);
    d.setTemps(47);
    d.setTempEau(-50);
    d.setDeco(3);
    d.setVisibilite(8);
    d.setRebreather(3);
    d.setDate(QDateTime(QDate(2024, 7, 14), QTime(12, 0)));
    d.setHeure(QDateTime(QDate(2024, 7, 14), QTime(9, 5)));
    EXPECT_EQ(cells(d, "noPlongee profondeur temps tempEau deco visibilite rebreather date heure"),
              "12 | 25.5 m | 47 ' | - | Run time | Exceptional | eCCR | 14/07/2024 | 09:05");
    d.setProfondeur(33.3f);
    d.setTempEau(14);
    d.setVisibilite(7);
    EXPECT_EQ(cells(d, "profondeur tempEau visibilite"), "33.3 m | 14 °C | ");
    settings().setValue(QStringLiteral("us units"), true);
    EXPECT_EQ(cells(d, "profondeur tempEau"), "33.3 ft | 14 °F");
    settings().setValue(QStringLiteral("display units"), false);
    EXPECT_EQ(cells(d, "profondeur temps"), "33.3 | 47");

    // Apparatus names, and the number of a code the list has no name for;
    // the wreck picture of a dive over a wreck, the memory's own picture.
    const DiveListFormatter f(settings(), context->localizer());
    const auto picture = [&](const char* column) { return f.picture(d, divelist::columnOf(QString::fromLatin1(column))); };
    QStringList shown;
    for (const int code : {0, 4, 5}) {
        d.setRebreather(code);
        d.setInoubliable(code - 1);
        d.setEpaves(code == 4 ? QStringLiteral("Le Donator") : QString());
        shown.append(cell(d, "rebreather") + u'/' + picture("epaves") + u'/' + picture("inoubliable"));
    }
    EXPECT_EQ(shown.join(u' '), QStringLiteral("OC// hCCR/epave/croix 5//death"));
}

TEST_F(DiveListTest, TideColumn)
{
    const struct {
        int coeff, pmBm;
        const char* text;
    } cases[] = {
        {0, 1, "HT"}, {95, 1, "95 HT"}, {0, 2, "LT"}, {45, 2, "45 LT"}, {0, 0, "-"}, {70, 0, "70"},
    };
    for (const auto& c : cases) {
        Plongee d;
        d.setCoeff(c.coeff);
        d.setPmBm(c.pmBm);
        EXPECT_EQ(cell(d, "coeff"), QLatin1String(c.text)) << c.text;
    }
}

TEST_F(DiveListTest, ColourRules)
{
    const RgbaColour orange = RgbaColour::rgb(1, 0.5, 0);
    settings().setValue(QStringLiteral("foreign in color"), true);
    settings().setValue(QStringLiteral("country code"), QStringLiteral("FR"));
    settings().setColour(QStringLiteral("foreign color"), orange);
    settings().setValue(QStringLiteral("low temperature in color"), true);
    settings().setValue(QStringLiteral("low temperature value"), QStringLiteral("12"));
    settings().setValue(QStringLiteral("nocturnes in color"), true);
    settings().setValue(QStringLiteral("mix in color"), true);

    Plongee d;
    d.setCountryCode(QStringLiteral("EG"));
    d.setTempEau(-50);
    d.setNocturne(1);
    d.setGaz(1);
    EXPECT_EQ(style(d, "site").background, orange);
    EXPECT_FALSE(style(d, "epaves").background.has_value());
    EXPECT_EQ(style(d, "tempEau").text, RgbaColour::rgb(0, 0, 1)); // the low temperature colour
    EXPECT_EQ(style(d, "tempEau").background, orange);
    EXPECT_EQ(style(d, "visibilite").background, RgbaColour::rgb(0, 0, 0.3));
    const DiveCellStyle number = style(d, "noPlongee");
    EXPECT_EQ(number.background, RgbaColour::rgb(0, 0.7, 0));
    EXPECT_EQ(number.text, RgbaColour::rgb(1, 1, 0));
    EXPECT_TRUE(number.bold);
    // Depth and time take their colours last, over the foreign background's text.
    EXPECT_EQ(style(d, "profondeur").text, RgbaColour::rgb(0, 0, 1));

    d.setCountryCode(QStringLiteral("FR"));
    d.setTempEau(12);
    d.setGaz(0);
    d.setRebreather(1);
    EXPECT_FALSE(style(d, "site").background.has_value());
    EXPECT_FALSE(style(d, "tempEau").text.has_value());
    EXPECT_EQ(style(d, "noPlongee").background, RgbaColour::rgb(0.5, 0.5, 0.5));
    EXPECT_TRUE(style(d, "noPlongee").bold);
    // Air on a semi-closed apparatus: the gas cell keeps the view's colours.
    EXPECT_FALSE(style(d, "gaz").background.has_value());
    EXPECT_FALSE(style(d, "gaz").bold);
    d.setGaz(5);
    EXPECT_EQ(style(d, "gaz").background, RgbaColour::rgb(0.6, 0.4, 0.2));
    EXPECT_TRUE(style(d, "gaz").bold);
    d.setGaz(6);
    EXPECT_FALSE(style(d, "gaz").background.has_value());
    d.setRebreather(2); // closed circuit
    EXPECT_EQ(style(d, "gaz").background, RgbaColour::rgb(0, 0, 0));
    EXPECT_FALSE(style(d, "gaz").bold);
    d.setRebreather(0);
    d.setDecoO2_Level_1(98); // an oxygen stop
    EXPECT_EQ(style(d, "gaz").background, RgbaColour::rgb(0, 0, 0));
    EXPECT_TRUE(style(d, "gaz").bold);
    for (const std::optional<QString>& none : {std::optional<QString>(), std::optional<QString>(QString())}) {
        d.setCountryCode(none);
        EXPECT_FALSE(style(d, "lieu").background.has_value()); // no country code is not foreign
    }
    d.setDecoO2_Level_1(0);
    d.setGaz(6); // open circuit, no mix, no oxygen stop
    EXPECT_EQ(style(d, "noPlongee").text, RgbaColour::rgb(0.4, 0.2, 0));
    EXPECT_TRUE(style(d, "noPlongee").bold);
}

TEST_F(DiveListTest, HighlightedItem)
{
    settings().setValue(QStringLiteral("color item"), true);
    settings().setValue(QStringLiteral("coloured text"), QStringLiteral("Cassis"));
    Plongee d;
    d.setLieu(QStringLiteral("Cassis"));
    d.setSite(QStringLiteral("Cassis"));
    EXPECT_TRUE(style(d, "lieu").bold);
    EXPECT_EQ(style(d, "lieu").text, RgbaColour::rgb(1, 0, 0));
    Plongee other;
    other.setLieu(QStringLiteral("Niolon"));
    EXPECT_FALSE(style(other, "lieu").bold);
    EXPECT_FALSE(style(other, "lieu").text.has_value());
    EXPECT_FALSE(style(d, "site").bold);
    settings().setValue(QStringLiteral("coloured theme"), 1);
    EXPECT_TRUE(style(d, "site").bold);
    settings().setValue(QStringLiteral("coloured theme"), 2);
    settings().setValue(QStringLiteral("coloured text"), QStringLiteral("3"));
    d.setVisibilite(3);
    EXPECT_FALSE(style(d, "visibilite").bold);
    // A cell the highlight does not match loses the night colour's text too.
    settings().setValue(QStringLiteral("nocturnes in color"), true);
    d.setNocturne(1);
    EXPECT_FALSE(style(d, "visibilite").text.has_value());
}

TEST_F(DiveListTest, VisibleColumnsFollowTheSettings)
{
    // A new logbook's first run shows every column but the apparatus.
    EXPECT_TRUE(divelist::visibleColumns(settings()).isEmpty());
    settings().setValue(QStringLiteral("column numero"), true);
    settings().setValue(QStringLiteral("column_epave"), true);
    settings().setValue(QStringLiteral("column scaph"), true);
    const QList<int> shown = divelist::visibleColumns(settings());
    ASSERT_EQ(shown.size(), 3);
    EXPECT_STREQ(divelist::columns()[shown[1]].id, "epaves");
    EXPECT_STREQ(divelist::columns()[shown[2]].id, "rebreather");
}
