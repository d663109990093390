#include "logbook/DiveCalculations.h"
#include "logbook/DiveForm.h"
#include "support/ContextFixture.h"

#include <cmath>
#include <limits>

using namespace plongee;

TEST(DiveCalculations, CnsBracketsIncludeTheirUpperBound)
{
    const struct {
        double p;
        double rate;
    } cases[] = {
        {0.0, 0.14},  {0.62, 0.14}, {0.63, 0.15}, {0.64, 0.15}, {0.6401, 0.16}, {0.70, 0.18}, {0.72, 0.18},
        {0.7201, 0.19}, {1.10, 0.42}, {1.12, 0.43}, {1.14, 0.43}, {1.28, 0.54}, {1.58, 1.47}, {1.59, 2.22},
        {3.0, 2.22},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(divecalc::cnsRatePerMinute(c.p), c.rate) << c.p;
    EXPECT_DOUBLE_EQ(divecalc::cnsClock(1.28, 40), 21.6);
    EXPECT_DOUBLE_EQ(divecalc::cnsRatePerMinute(std::numeric_limits<double>::quiet_NaN()), 0.0);
}

TEST(DiveCalculations, SamplingPeriods)
{
    const int expected[] = {10, 20, 30, 60, 120, 4, 1, 5};
    for (int code = 0; code < 8; ++code)
        EXPECT_EQ(divecalc::samplingPeriod(code), expected[code]);
    EXPECT_EQ(divecalc::samplingPeriod(8), 10);
    EXPECT_EQ(divecalc::samplingPeriod(-1), 10);
}

TEST(DiveCalculations, AirConsumption)
{
    const auto c = divecalc::airConsumption(200, 50, 50, 12, 20.0f);
    EXPECT_TRUE(c.valid);
    EXPECT_EQ(c.pressionConsommee, 150);
    EXPECT_EQ(c.volumeDisponible, 2400);
    EXPECT_EQ(c.volumeConsomme, 1800);
    EXPECT_FLOAT_EQ(c.pressionParMinute, 3.0f);
    EXPECT_FLOAT_EQ(c.sac, 12.0f);
    EXPECT_FLOAT_EQ(c.sacBar, 1.0f);

    // A blank form: no dive time, nothing divided by zero.
    const auto blank = divecalc::airConsumption(200, 50, 0, 12, 0.0f);
    EXPECT_FALSE(blank.valid);
    EXPECT_EQ(blank.pressionParMinute, 0.0f);
    EXPECT_EQ(blank.sac, 0.0f);
    EXPECT_EQ(blank.volumeConsomme, 1800);
    // Absurd volumes saturate instead of overflowing.
    EXPECT_EQ(divecalc::airConsumption(2000000000, 0, 10, 1000, 0).volumeDisponible, std::numeric_limits<int>::max());
}

TEST(DiveCalculations, HighestPartialPressure)
{
    const std::array<divecalc::StopGas, 5> none{};
    EXPECT_FLOAT_EQ(divecalc::highestPpO2(30, {0.0f}, 32, none), 1.28f);
    // The deepest sample wins over the form's depth once there is a profile.
    EXPECT_FLOAT_EQ(divecalc::highestPpO2(30, {0.0f, 40.0f, 10.0f}, 21, none), 1.05f);
    std::array<divecalc::StopGas, 5> oxygenAt6{};
    oxygenAt6[0] = {true, 6, 100};
    EXPECT_FLOAT_EQ(divecalc::highestPpO2(30, {0.0f}, 32, oxygenAt6), 1.6f);
    oxygenAt6[0].on = false;
    EXPECT_FLOAT_EQ(divecalc::highestPpO2(30, {0.0f}, 32, oxygenAt6), 1.28f);
    EXPECT_FLOAT_EQ(divecalc::highestPpO2(30, {std::numeric_limits<float>::quiet_NaN(), 20.0f}, 21, none), 0.63f);
}

namespace {
class FormFiguresTest : public ContextFixture {
protected:
    std::unique_ptr<DiveForm> form;
    void SetUp() override
    {
        ContextFixture::SetUp();
        form = std::make_unique<DiveForm>(*context);
        form->blank();
    }
    void type(const char* field, const char* text)
    {
        ASSERT_TRUE(form->typeText(QString::fromLatin1(field), QString::fromUtf8(text)));
    }
};
} // namespace

TEST_F(FormFiguresTest, RefreshComputesTheFigures)
{
    type("pressionDepart", "200");
    type("pressionFin", "50");
    type("volumeBloc", "12");
    type("temps", "40");
    type("profondeur", "30");
    type("gaz", "1");
    type("o2Mix", "32");
    type("difficulte", "2");
    form->refresh(-1, 0);
    const DiveForm::Derived& r = form->derived();
    EXPECT_EQ(r.deltaPressure1Text, QStringLiteral("Δ 150 bar"));
    EXPECT_EQ(r.consumption.volumeConsomme, 1800);
    EXPECT_TRUE(r.consumptionText.startsWith(QStringLiteral("Available: 2400 L - used: 1800 L")));
    EXPECT_FLOAT_EQ(r.highestPpO2, 1.28f);
    EXPECT_NEAR(r.cnsPercent, 21.6, 1e-4);
    EXPECT_EQ(r.cnsText, QStringLiteral("ppO2 max 1.28 bar - CNS 21.6 %"));
    EXPECT_EQ(r.difficultyText, QStringLiteral("Normal"));

    type("temps", "");
    form->refresh(-1, 0);
    EXPECT_EQ(form->derived().consumptionText, QStringLiteral("Enter the start pressure and the dive time to compute the consumption."));
}

TEST_F(FormFiguresTest, CylindersAndTheirTitles)
{
    type("volPony1", "7");
    type("pressDepartPony1", "200");
    type("pressFinPony1", "120");
    type("deco_Level_2_sw", "1");
    type("decoDepth_Level_1", "21");
    type("decoO2_Level_1", "50");
    form->refresh(-1, 0);
    const auto& r = form->derived();
    EXPECT_EQ(r.cylinders[0].text, QStringLiteral("Volume disponible : 1400 L\rVolume consommé : 560 L"));
    EXPECT_TRUE(r.cylinders[0].gaugeVisible);
    EXPECT_EQ(r.cylinders[0].gaugeMaximum, 200);
    EXPECT_EQ(r.cylinders[0].gaugeValue, 120);
    EXPECT_EQ(r.cylinders[0].gaugeTicks, 20);
    EXPECT_FALSE(r.cylinders[1].gaugeVisible);
    EXPECT_TRUE(r.cylinders[1].text.isEmpty());
    // Level 2 on: ponies 1 and 2 are titled, pony 3 keeps its plain name.
    EXPECT_EQ(r.ponyTitles[0], QStringLiteral("Pony 1 : 21 m - 50 % O₂"));
    EXPECT_TRUE(r.ponyTitles[1].startsWith(QStringLiteral("Pony 2 : 6 m")));
    EXPECT_EQ(r.ponyTitles[2], QStringLiteral("Pony 3"));
}
