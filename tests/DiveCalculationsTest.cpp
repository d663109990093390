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
    EXPECT_EQ((QList<int>{c.pressionConsommee, c.volumeDisponible, c.volumeConsomme}), (QList<int>{150, 2400, 1800}));
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
    // Feet: 30 ft is 9.144 m, a stop at 20 ft 6.096 m; samples are metres.
    EXPECT_FLOAT_EQ(divecalc::highestPpO2(30, {0.0f}, 32, none, {0.3048f, std::nullopt}), 0.32f * 1.9144f);
    EXPECT_FLOAT_EQ(divecalc::highestPpO2(30, {0.0f, 20.0f}, 32, none, {0.3048f, std::nullopt}), 0.32f * 3.0f);
    std::array<divecalc::StopGas, 5> oxygenAt20ft{};
    oxygenAt20ft[0] = {true, 20, 100};
    EXPECT_FLOAT_EQ(divecalc::highestPpO2(30, {0.0f}, 21, oxygenAt20ft, {0.3048f, std::nullopt}), 1.6096f);
    // A closed circuit: the set-point, at most the ambient pressure; the
    // stop gases switched on still count.
    EXPECT_FLOAT_EQ(divecalc::highestPpO2(44.8f, {0.0f}, 100, none, {1.0f, 1.4f}), 1.4f);
    EXPECT_FLOAT_EQ(divecalc::highestPpO2(3, {0.0f}, 100, none, {1.0f, 1.4f}), 1.3f);
    oxygenAt6[0].on = true;
    EXPECT_FLOAT_EQ(divecalc::highestPpO2(44.8f, {0.0f}, 100, oxygenAt6, {1.0f, 1.4f}), 1.6f);
}

TEST(DiveCalculations, SetPoints)
{
    const struct {
        int tag;
        float bar;
    } cases[] = {{1, 1.2f}, {3, 1.4f}, {5, 1.6f}, {6, 1.1f}, {10, 0.7f}};
    for (const auto& c : cases)
        EXPECT_EQ(divecalc::setpointOf(c.tag), c.bar) << c.tag;
    for (const int none : {0, 11, -1})
        EXPECT_FALSE(divecalc::setpointOf(none)) << none;
    // 1.4 bar falls in the 1.40 bracket, not above it.
    EXPECT_DOUBLE_EQ(divecalc::cnsRatePerMinute(*divecalc::setpointOf(3)), 0.65);
    for (const int apparatus : {0, 1, 2, 4})
        EXPECT_EQ(divecalc::closedCircuit(apparatus), apparatus >= 2) << apparatus;
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
    const auto bottom = [](const char* depth, const char* o2) {
        return QList<std::pair<const char*, const char*>>{
            {"pressionDepart", "200"}, {"pressionFin", "40"}, {"volumeBloc", "12"}, {"temps", "40"},
            {"profondeur", depth},    {"gaz", "1"},          {"o2Mix", o2}};
    };
    const auto with = [](QList<std::pair<const char*, const char*>> fields,
                         std::initializer_list<std::pair<const char*, const char*>> more) {
        for (const auto& field : more)
            fields.append(field);
        return fields;
    };
    const QList<float> noProfile{0.0f};
    const QList<float> at20{20.0f, 20.0f};
    const struct {
        const char* what;
        QList<std::pair<const char*, const char*>> fields;
        QList<float> profile;
        bool usUnits;
        const char* consumption;
        const char* cns;
        const char* drop;
        const char* summary;
    } cases[] = {
        {"40 min at 30 m on 32 %, no profile: no surface consumption", bottom("30", "32"), noProfile, false,
         "Available: 2400 L - used: 1920 L\n4.0 bar/min - SAC - L/min (- bar/min) at an average depth of - m",
         "ppO2 max 1.28 bar - CNS 21.6 %", "Δ 160 bar", "Max 0.0 m - average 0.0 m"},
        {"the same with a profile at 20 m", bottom("30", "32"), at20, false,
         "Available: 2400 L - used: 1920 L\n4.0 bar/min - SAC 16.0 L/min (1.33 bar/min) at an average depth of 20.0 m",
         "ppO2 max 0.96 bar - CNS 12.4 %", "Δ 160 bar", "Max 20.0 m - average 20.0 m"},
        {"end pressure above start: stored, no consumption", with(bottom("30", "32"), {{"pressionFin", "210"}}), at20, false,
         "Available: 2400 L - used: - L\n- bar/min - SAC - L/min (- bar/min) at an average depth of 20.0 m",
         "ppO2 max 0.96 bar - CNS 12.4 %", "Δ - bar", nullptr},
        {"no tank volume: no litres", with(bottom("30", "32"), {{"volumeBloc", "0"}}), at20, false,
         "Available: - L - used: - L\n4.0 bar/min - SAC - L/min (1.33 bar/min) at an average depth of 20.0 m", nullptr,
         nullptr, nullptr},
        {"30 ft on 32 %: feet become metres", bottom("30", "32"), noProfile, true, nullptr,
         "ppO2 max 0.61 bar - CNS 5.6 %", nullptr, nullptr},
        {"a profile at 15.24 m shown in feet", bottom("30", "32"), {15.24f, 15.24f}, true,
         "Available: 2400 L - used: 1920 L\n4.0 bar/min - SAC 19.0 L/min (1.58 bar/min) at an average depth of 50.0 ft",
         "ppO2 max 0.81 bar - CNS 9.2 %", nullptr, nullptr},
        {"closed circuit at 44.8 m, set-point 1.4 bar",
         with(bottom("44.8", "100"), {{"rebreather", "3"}, {"ppO2", "3"}, {"temps", "50"}}), noProfile, false, nullptr,
         "ppO2 max 1.40 bar - CNS 32.5 %", nullptr, nullptr},
        {"the loop at most the ambient pressure", with(bottom("3", "100"), {{"rebreather", "2"}, {"ppO2", "3"}, {"temps", "50"}}),
         noProfile, false, nullptr, "ppO2 max 1.30 bar - CNS 28.0 %", nullptr, nullptr},
        {"set-point 0.7 bar", with(bottom("30", "100"), {{"rebreather", "4"}, {"ppO2", "10"}}), noProfile, false, nullptr,
         "ppO2 max 0.70 bar - CNS 7.2 %", nullptr, nullptr},
        {"closed circuit without a set-point", with(bottom("30", "100"), {{"rebreather", "3"}, {"ppO2", "0"}}), noProfile, false,
         nullptr, "ppO2 max - bar - CNS - %", nullptr, nullptr},
        {"semi-closed breathes its supply", with(bottom("30", "32"), {{"rebreather", "1"}, {"ppO2", "3"}}), noProfile, false,
         nullptr, "ppO2 max 1.28 bar - CNS 21.6 %", nullptr, nullptr},
        {"oxygen at the third stop, 6 m", with(bottom("30", "21"), {{"deco_Level_3_sw", "1"}, {"decoDepth_Level_3", "6"},
                                                                    {"decoO2_Level_3", "100"}}),
         noProfile, false, nullptr, "ppO2 max 1.60 bar - CNS 88.8 %", nullptr, nullptr},
        {"a sample no dive reaches", bottom("30", "32"), {3e38f, 10.0f}, false,
         "Available: 2400 L - used: 1920 L\n4.0 bar/min - SAC - L/min (- bar/min) at an average depth of - m",
         "ppO2 max - bar - CNS - %", nullptr, "Max - m - average - m"},
        {"no dive time", with(bottom("30", "32"), {{"temps", ""}}), at20, false,
         "Enter the start pressure and the dive time to compute the consumption.", nullptr, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        form->blank();
        settings().setValue(QStringLiteral("us units"), c.usUnits);
        for (const auto& [field, text] : c.fields)
            type(field, text);
        form->workingProfile().profilProfondeur = c.profile;
        form->refresh(-1, 0);
        const DiveForm::Derived& r = form->derived();
        for (const auto& [shown, expected] : {std::pair{&r.consumptionText, c.consumption}, {&r.cnsText, c.cns},
                                              {&r.deltaPressure1Text, c.drop}, {&r.depthSummaryText, c.summary}})
            if (expected) {
                EXPECT_EQ(*shown, QString::fromUtf8(expected)) << c.what;
            }
    }
    // The working results keep what the formulas give.
    EXPECT_EQ(form->derived().consumption.volumeConsomme, 1920);
}

TEST_F(FormFiguresTest, CylindersAndTheirTitles)
{
    for (const auto& [field, text] : {std::pair{"volPony1", "7"}, {"pressDepartPony1", "200"}, {"pressFinPony1", "120"},
                                      {"volBailout1", "7"}, {"pressDepartBailout1", "100"}, {"pressFinBailout1", "150"},
                                      {"deco_Level_2_sw", "1"}, {"decoDepth_Level_1", "21"}, {"decoO2_Level_1", "50"}})
        type(field, text);
    form->refresh(-1, 0);
    const auto& r = form->derived();
    EXPECT_EQ(r.cylinders[0].text, QStringLiteral("Available: 1400 L\rUsed: 560 L"));
    const auto& gauge = r.cylinders[0];
    EXPECT_EQ((QList<int>{gauge.gaugeVisible, gauge.gaugeMaximum, gauge.gaugeValue, gauge.gaugeTicks}), (QList<int>{1, 200, 120, 20}));
    EXPECT_FALSE(r.cylinders[1].gaugeVisible);
    EXPECT_TRUE(r.cylinders[1].text.isEmpty());
    // An end pressure above the start tells no consumption.
    EXPECT_EQ(r.cylinders[3].text, QStringLiteral("Available: 700 L\rUsed: - L"));
    // Level 2 on: ponies 1 and 2 are titled, pony 3 keeps its plain name.
    EXPECT_EQ(r.ponyTitles[0], QStringLiteral("Pony 1 : 21 m - 50 % O₂"));
    EXPECT_TRUE(r.ponyTitles[1].startsWith(QStringLiteral("Pony 2 : 6 m")));
    EXPECT_EQ(r.ponyTitles[2], QStringLiteral("Pony 3"));
}
