#include "logbook/Carnet.h"
#include "platform/Localizer.h"
#include "platform/SettingsStore.h"
#include "profile/ProfileScene.h"
#include "support/ContextFixture.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <ostream>
#include <tuple>

using Scene = ProfileScene;
using Point = ProfileScene::Point;
using Role = ProfileScene::Role;
using TextRole = ProfileScene::TextRole;
using Op = ProfileScene::Path::Op;

// Readable points and texts in failure messages.
static void PrintTo(const Point& p, std::ostream* out) { *out << '(' << p.x << ", " << p.y << ')'; }
static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

Scene::Inputs profile(QList<float> depths, int samplingRate = 0)
{
    Scene::Inputs in;
    in.depths = std::move(depths);
    in.samplingRate = samplingRate;
    return in;
}

// Inputs and a style from their defaults, changed by `change`.
template <typename Change> Scene::Inputs changed(QList<float> depths, Change change)
{
    Scene::Inputs in = profile(std::move(depths));
    change(in);
    return in;
}

template <typename Change> Scene::Style styled(Change change)
{
    Scene::Style style;
    change(style);
    return style;
}

QList<qint16> flagsAt(qsizetype n, std::initializer_list<qsizetype> samples, qint16 value = 1)
{
    QList<qint16> flags(n, 0);
    for (const qsizetype i : samples)
        flags[i] = value;
    return flags;
}

// A dive of n samples going down to `bottom` metres and back.
QList<float> dive(qsizetype n, float bottom)
{
    QList<float> depths(n);
    for (qsizetype i = 0; i < n; ++i)
        depths[i] = float(bottom * std::sin(std::numbers::pi * double(i) / double(std::max<qsizetype>(1, n - 1))));
    return depths;
}

QStringList textsOf(const QList<Scene::Text>& texts)
{
    QStringList all;
    for (const Scene::Text& t : texts)
        all.append(t.text);
    return all;
}

// Texts with where they stand, and pictures with where and for which
// sample, compared as a whole.
using Placed = QList<std::pair<QString, Point>>;
Placed placed(const QList<Scene::Text>& texts)
{
    Placed all;
    for (const Scene::Text& t : texts)
        all.append({t.text, t.at});
    return all;
}

using Pictured = QList<std::tuple<Scene::Image, Point, int>>;
Pictured pictured(const QList<Scene::Picture>& pictures)
{
    Pictured all;
    for (const Scene::Picture& p : pictures)
        all.append({p.image, p.at, p.sample});
    return all;
}

// Every coordinate the scene would hand to a painter.
QList<Point> everyPoint(const Scene& scene)
{
    QList<Point> points;
    for (const Scene::Item& item : scene.items()) {
        if (const auto* p = std::get_if<Scene::Path>(&item)) {
            for (const Scene::Polyline& line : p->lines)
                points.append(line);
        } else if (const auto* t = std::get_if<Scene::Text>(&item)) {
            points.append(t->at);
        } else if (const auto* i = std::get_if<Scene::Picture>(&item)) {
            points.append(i->at);
        } else if (const auto* g = std::get_if<Scene::Gradient>(&item)) {
            points.append(g->bottomLeft);
            points.append(g->topRight);
        }
    }
    return points;
}

// Ticks of the time axis (from y 143) and of the depth axis (from x 30).
QList<double> timeTicks(const Scene& scene, double height)
{
    QList<double> xs;
    for (const Scene::Polyline& line : scene.path(Role::Ticks)->lines)
        if (line.size() == 2 && line[0].y == Scene::kTimeAxisY && line[1].y == Scene::kTimeAxisY + height &&
            line[0].x == line[1].x)
            xs.append(line[0].x);
    return xs;
}

QList<double> depthTicks(const Scene& scene, double length)
{
    QList<double> ys;
    for (const Scene::Polyline& line : scene.path(Role::Ticks)->lines)
        if (line.size() == 2 && line[0].x == 30 && line[1].x == 30 + length && line[0].y == line[1].y)
            ys.append(line[0].y);
    return ys;
}

} // namespace

TEST(ProfileScene, TheCanvasGeometry)
{
    // 0, 10, 40, 20, 0 m: D = 41, 430 / 41 points a metre, X(i) = 30 + i * 130.
    const Scene scene(profile({0, 10, 40, 20, 0}), {}, {});
    EXPECT_EQ(scene.sampleCount(), 5);
    EXPECT_DOUBLE_EQ(scene.depthRange(), 41);
    EXPECT_DOUBLE_EQ(scene.sampleX(0), 30);
    EXPECT_DOUBLE_EQ(scene.sampleX(2), 290);
    EXPECT_DOUBLE_EQ(scene.depthY(0), 583);
    EXPECT_DOUBLE_EQ(scene.depthY(41), 153);

    ASSERT_NE(scene.path(Role::Curve), nullptr);
    EXPECT_EQ(scene.path(Role::Curve)->lines,
              (QList<Scene::Polyline>{{{30, 583}, {30, 583}, {160, 583 - 10 * 430.0 / 41}, {290, 583 - 40 * 430.0 / 41},
                                      {420, 583 - 20 * 430.0 / 41}, {550, 583}, {680, 583}}}));
    ASSERT_NE(scene.path(Role::Surface), nullptr);
    EXPECT_EQ(scene.path(Role::Surface)->lines, (QList<Scene::Polyline>{{{30, 583}, {680, 583}}}));
}

TEST(ProfileScene, AxesFramesAndTitles)
{
    const Scene scene(profile({0, 12, 0}), {}, {});
    const QList<Scene::Polyline>& axes = scene.path(Role::Axes)->lines;
    const QList<Scene::Polyline> frame = {
        {{30, 143}, {680, 143}},                         // time axis
        {{680, 143}, {675, 138}},                        // its arrowhead's lower stroke
        {{30, 143}, {30, 598}},                          // depth axis
        {{30, 20}, {680, 20}},                           // gas bar axis
        {{675, 25}, {680, 20}}, {{680, 20}, {675, 15}}, // its arrowhead
        {{30, 20}, {30, 80}},                            // gas bar scale
        {{30, 80}, {38, 80}}, {{30, 65}, {38, 65}}, {{30, 50}, {38, 50}}, {{30, 35}, {38, 35}},
        {{30, 72.5}, {35, 72.5}}, {{30, 57.5}, {35, 57.5}}, {{30, 42.5}, {35, 42.5}}, {{30, 27.5}, {35, 27.5}},
    };
    for (const Scene::Polyline& line : frame)
        EXPECT_TRUE(axes.contains(line)) << line[0].x << "," << line[0].y << " " << line[1].x << "," << line[1].y;
    EXPECT_TRUE(scene.path(Role::Ticks)->lines.contains(Scene::Polyline({{675, 148}, {680, 143}})));

    const Scene::Texts words;
    EXPECT_EQ(placed(scene.texts(TextRole::TimeAxisTitle)) + placed(scene.texts(TextRole::DepthAxisTitle)) +
                  placed(scene.texts(TextRole::GasBarTitle)),
              (Placed{{words.timeAxis, {600, 153}}, {words.depthAxis, {8, 603}}, {words.gasBar, {30, 85}}}));
    EXPECT_EQ(scene.texts(TextRole::TimeAxisTitle)[0].font, Scene::Font::Small);
}

TEST(ProfileScene, OneSampleAtTheSurface)
{
    const Scene scene(changed({0}, [](auto& in) { in.pressures = {0}; in.pressDepart = 200; in.pressFin = 60; }), {}, {});
    EXPECT_DOUBLE_EQ(scene.depthRange(), 1);
    // A flat curve along the surface.
    for (const Point& p : scene.path(Role::Curve)->lines[0])
        EXPECT_DOUBLE_EQ(p.y, 583);
    // One five-metre tick, at 0 m, and one five-minute label.
    EXPECT_EQ(depthTicks(scene, 8), QList<double>{583});
    EXPECT_EQ(placed(scene.texts(TextRole::MetreLabel)), (Placed{{"0", {8, 575}}}));
    EXPECT_EQ(placed(scene.texts(TextRole::MinuteLabel)), (Placed{{"0", {25, 123}}}));
    // The placeholder's only pressure is the end pressure.
    EXPECT_EQ(placed(scene.texts(TextRole::PressureLabel)), (Placed{{" 60", {3, 71}}, {" 30", {3, 42}}, {"  0", {3, 13}}}));
}

TEST(ProfileScene, FiveMinuteLabelsOfTwentyMinutesAtTenSeconds)
{
    // Five minutes are 30 samples, 30 x 650 / 120 = 162.5 points of the
    // curve; each tick is truncated to a whole point from its own count.
    const Scene scene(profile(dive(120, 18), 0), {}, {});
    EXPECT_EQ(placed(scene.texts(TextRole::MinuteLabel)),
              (Placed{{"0", {25, 123}}, {"5", {187, 123}}, {"10", {350, 123}}, {"15", {512, 123}}}));
    // Each over the curve's sample of that minute.
    const double labelled[] = {30, 192, 355, 517};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(labelled[i], scene.sampleX(30 * i), 1.0) << i;
    EXPECT_EQ(timeTicks(scene, 8), (QList<double>{30, 192, 355, 517}));
    // A small tick every minute, 32.5 points apart, up to 640.
    const QList<double> minutes = timeTicks(scene, 5);
    ASSERT_EQ(minutes.size(), 20);
    for (qsizetype i = 0; i < minutes.size(); ++i)
        EXPECT_EQ(minutes[i], 30 + double(qint64(162.5 * double(i)) / 5)) << i;
    // The same ticks under the gas bar, without labels.
    const QList<Scene::Polyline>& axes = scene.path(Role::Axes)->lines;
    for (const double x : labelled)
        EXPECT_TRUE(axes.contains(Scene::Polyline({{x, 20}, {x, 28}}))) << x;
    EXPECT_TRUE(axes.contains(Scene::Polyline({{62, 20}, {62, 25}})));
}

TEST(ProfileScene, SmallTicksFollowTheirSwitches)
{
    const Scene scene(profile(dive(120, 18), 0), styled([](auto& s) { s.xMinorTicks = s.yMinorTicks = false; }), {});
    EXPECT_TRUE(timeTicks(scene, 5).isEmpty());
    EXPECT_TRUE(depthTicks(scene, 5).isEmpty());
    EXPECT_EQ(timeTicks(scene, 8).size(), 4);
    EXPECT_FALSE(scene.path(Role::Axes)->lines.contains(Scene::Polyline({{30, 72.5}, {35, 72.5}})));

    const Scene withTicks(profile(dive(120, 18), 0), {}, {});
    // D = 19: a metre tick at 0 to 18 m, a labelled one at 0, 5, 10, 15 m.
    const QList<double> metres = depthTicks(withTicks, 5);
    ASSERT_EQ(metres.size(), 19);
    EXPECT_DOUBLE_EQ(metres[18], withTicks.depthY(18));
    EXPECT_EQ(textsOf(withTicks.texts(TextRole::MetreLabel)), (QStringList{"0", "5", "10", "15"}));
    EXPECT_EQ(withTicks.texts(TextRole::MetreLabel)[3].at, (Point{8, withTicks.depthY(15) - 8}));
}

// Tick loops that advanced by a step below one point never ended (3,600
// samples at a minute each, for one). Every scale ends, keeps its labels
// apart and labels the times the ticks stand at.
struct TimeScaleCase {
    qsizetype samples;
    int code;
};

class TimeScale : public ::testing::TestWithParam<TimeScaleCase> {};

TEST_P(TimeScale, EndsWithLabelsApartAndOnTime)
{
    const TimeScaleCase c = GetParam();
    const Scene scene(profile(dive(c.samples, 30), c.code), {}, {});
    const QList<Scene::Text> labels = scene.texts(TextRole::MinuteLabel);
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_LE(labels.size(), 40);
    EXPECT_LE(timeTicks(scene, 5).size(), 200);
    // The curve's scale: 650 points for the whole profile.
    const double pointsPerMinute = 650.0 / double(c.samples) * 60.0 / scene.samplingPeriod();
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const qint64 minutes = labels[i].text.toLongLong();
        EXPECT_EQ(minutes, qint64(i) * scene.minutesPerTimeLabel());
        EXPECT_EQ(minutes % 5, 0);
        // The label stands 5 points left of its tick, within a point of
        // where its time falls.
        EXPECT_NEAR(labels[i].at.x + 5, 30 + double(minutes) * pointsPerMinute, 1.0) << minutes;
        EXPECT_LT(labels[i].at.x + 5, 670);
        if (i > 0) {
            EXPECT_GE(labels[i].at.x - labels[i - 1].at.x, 20);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ProfileScene, TimeScale,
                         ::testing::Values(TimeScaleCase{3600, 3}, TimeScaleCase{7200, 6}, TimeScaleCase{7200, 0},
                                           TimeScaleCase{7200, 4}, TimeScaleCase{100000, 4}, TimeScaleCase{600, 0},
                                           TimeScaleCase{1, 5}, TimeScaleCase{2, 6}, TimeScaleCase{5000, 99}));

TEST(ProfileScene, LongProfilesLabelWiderIntervals)
{
    // 7,200 samples a second apart: five minutes are 27.08 points, labelled;
    // "115" stands over the curve's 115th minute.
    const Scene seconds(profile(dive(7200, 40), 6), {}, {});
    EXPECT_EQ(seconds.minutesPerTimeLabel(), 5);
    EXPECT_DOUBLE_EQ(seconds.timeLabelSpacing(), 650.0 / 7200 * 300);
    const QList<Scene::Text> labels = seconds.texts(TextRole::MinuteLabel);
    ASSERT_EQ(labels.last().text, QStringLiteral("115"));
    EXPECT_NEAR(labels.last().at.x + 5, seconds.sampleX(115 * 60), 1.0);
}

// The metre ticks went one loop per metre, so a pasted 1e9 hung the view.
struct DepthScaleCase {
    float deepest;
    double expectedInterval;
};

class DepthScale : public ::testing::TestWithParam<DepthScaleCase> {};

TEST_P(DepthScale, LabelsStayApartAndRound)
{
    const DepthScaleCase c = GetParam();
    const Scene scene(changed({0, 5, c.deepest, 3, 0}, [](auto& in) { in.pressures = {200, 180, 120, 80, 70}; }),
                      styled([](auto& s) { s.dashedLines = true; }), {});
    EXPECT_DOUBLE_EQ(scene.metresPerDepthLabel(), c.expectedInterval);
    const QList<Scene::Text> labels = scene.texts(TextRole::MetreLabel);
    ASSERT_FALSE(labels.isEmpty());
    EXPECT_LE(labels.size(), 40);
    EXPECT_LE(depthTicks(scene, 5).size(), 200);
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const double d = labels[i].text.toDouble();
        EXPECT_DOUBLE_EQ(d, double(i) * c.expectedInterval);
        EXPECT_NEAR(labels[i].at.y, scene.depthY(d) - 8, 1e-6);
        if (i > 0) {
            EXPECT_GE(labels[i - 1].at.y - labels[i].at.y, 14);
        }
    }
    EXPECT_EQ(scene.path(Role::DashedGrid)->lines.size(), labels.size());
}

INSTANTIATE_TEST_SUITE_P(ProfileScene, DepthScale,
                         ::testing::Values(DepthScaleCase{18, 5}, DepthScaleCase{100, 5}, DepthScaleCase{152, 5},
                                           DepthScaleCase{200, 10}, DepthScaleCase{1000, 50}, DepthScaleCase{1e9f, 5e7},
                                           DepthScaleCase{std::numeric_limits<float>::max(), 5e7}));

TEST(ProfileScene, DashedGridLeavesRoomForTheTimeTitle)
{
    const Scene::Style style = styled([](auto& s) { s.dashedLines = true; });
    const Scene scene(profile({0, 20, 0}), style, {}); // D = 21
    const QList<Scene::Polyline>& grid = scene.path(Role::DashedGrid)->lines;
    ASSERT_EQ(grid.size(), 5); // 0, 5, 10, 15, 20 m
    EXPECT_EQ(grid[0], (Scene::Polyline{{30, 583}, {680, 583}}));
    // 20 m at 583 - 20 * 430 / 21 = 173.5, above 173: the whole width.
    EXPECT_DOUBLE_EQ(grid[4][1].x, 680);
    EXPECT_EQ(scene.path(Role::DashedGrid)->dash, (QList<double>{5, 3}));
    EXPECT_DOUBLE_EQ(scene.path(Role::DashedGrid)->width, 0.5);

    const Scene deeper(profile({0, 19.5f, 0}), style, {}); // D = 20.5: 20 m at 163.5
    EXPECT_DOUBLE_EQ(deeper.path(Role::DashedGrid)->lines[4][1].x, 590);
    const Scene off(profile({0, 20, 0}), {}, {});
    EXPECT_TRUE(off.path(Role::DashedGrid)->lines.isEmpty());
}

// The gas bar scales the first pressure, or the start pressure when the
// list is missing; unrecorded pressures (0) are passed over. A first
// pressure of 0 divided the gas bar by zero; NaN and infinity reached the
// coordinates and the labels.
struct PressureCase {
    const char* name;
    QList<float> pressures;
    int pressDepart;
    int pressFin;
    QStringList labels; // the first ones, from the top
    qsizetype points;   // of the gas line, its start included; 0 for none
    Scene::Polyline line; // the whole line, when given
};

class GasBar : public ::testing::TestWithParam<PressureCase> {};

TEST_P(GasBar, StaysInItsStrip)
{
    const PressureCase& c = GetParam();
    const auto gasOf = [&](Scene::Inputs& in) {
        in.pressures = c.pressures;
        in.pressDepart = c.pressDepart;
        in.pressFin = c.pressFin;
    };
    const Scene scene(changed({0, 10, 20, 10, 0}, gasOf), {}, {});
    EXPECT_EQ(textsOf(scene.texts(TextRole::PressureLabel)).mid(0, c.labels.size()), c.labels);
    const Scene::Path* gas = scene.path(Role::GasLine);
    if (c.points == 0) {
        EXPECT_TRUE(gas->lines.isEmpty());
        return;
    }
    ASSERT_EQ(gas->lines.size(), 1);
    EXPECT_EQ(gas->lines[0].size(), c.points);
    if (!c.line.isEmpty()) {
        EXPECT_EQ(gas->lines[0], c.line);
    }
    for (const Point& p : gas->lines[0]) {
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        EXPECT_GE(p.y, 20);
        EXPECT_LE(p.y, 80);
        EXPECT_GE(p.x, 30);
        EXPECT_LT(p.x, 680);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ProfileScene, GasBar,
    ::testing::Values(
        PressureCase{"ScalesTheFirst", {200, 150, 0, 100, 50}, 0, 0, {"200", "100", "  0"}, 5,
                     {{30, 80}, {30, 80}, {160, 65}, {420, 50}, {550, 35}}},
        PressureCase{"StartAndEndStandForAMissingList", {0}, 200, 50, {"200", "100", "  0"}, 3, {{30, 80}, {30, 80}, {550, 35}}},
        PressureCase{"FirstZero", {0, 190, 150, 100, 60}, 0, 0, {"190"}, 5, {}},
        PressureCase{"AllZero", {0, 0, 0, 0, 0}, 0, 0, {"  0"}, 0, {}},
        PressureCase{"PlaceholderWithoutStart", {0}, 0, 50, {" 50"}, 2, {}},
        PressureCase{"NotNumbers", {float(kNaN), 180, float(kInf), float(kNaN), 60}, 0, 0, {"180"}, 3, {}},
        PressureCase{"Negative", {-20, 150, -5, 100, 60}, 0, 0, {"150"}, 4, {}},
        PressureCase{"RisingAboveTheFirst", {100, 300, 90, 80, 70}, 0, 0, {"100"}, 6, {}},
        PressureCase{"Shorter", {200, 150}, 0, 0, {"200"}, 3, {}},
        PressureCase{"Longer", {200, 150, 120, 100, 80, 60, 40, 20}, 0, 0, {"200"}, 6, {}},
        PressureCase{"Huge", {3e38f, 1e38f, 0, 0, 0}, 0, 0, {"1000000000"}, 3, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileScene, PpO2LineWhereTheBottomGasReachesItsLimit)
{
    const Scene::Style style = styled([](auto& s) { s.ppO2Line = true; });
    // 32 % at 1.5 bar: 36.875 m, drawn when the greatest depth + 2 exceeds it.
    Scene::Inputs in = changed({0, 20, 35, 10, 0}, [](auto& d) { d.fracO2 = 32; d.ppO2Code = 4; });
    const Scene scene(in, style, {});
    ASSERT_TRUE(scene.ppO2Limit().has_value());
    EXPECT_DOUBLE_EQ(*scene.ppO2Limit(), 1.5);
    const Scene::Path* line = scene.path(Role::PpO2Line);
    const double y = 583 - 430.0 / 36 * 36.875;
    ASSERT_EQ(line->lines.size(), 1);
    // Low in the frame: shortened, the label further left.
    EXPECT_EQ(line->lines[0], (Scene::Polyline{{30, y}, {590, y}}));
    EXPECT_EQ(line->dash, (QList<double>{3, 3}));
    EXPECT_EQ(placed(scene.texts(TextRole::PpO2Label)), (Placed{{"ppO2 1.5 bar", {520, 583 - 36.875 * 425 / 36}}}));
    EXPECT_EQ(scene.texts(TextRole::PpO2Label).value(0).colour, RgbaColour::rgb(1, 0, 0));

    in.depths = {0, 20, 34, 10, 0};
    EXPECT_TRUE(Scene(in, style, {}).path(Role::PpO2Line)->lines.isEmpty());

    // Well inside the frame: the whole width, the label at 610.
    in.depths = {0, 50, 0};
    const Scene deep(in, style, {});
    EXPECT_DOUBLE_EQ(deep.path(Role::PpO2Line)->lines[0][1].x, 680);
    EXPECT_DOUBLE_EQ(deep.texts(TextRole::PpO2Label)[0].at.x, 610);
}

struct LimitCase {
    int ppO2Code;
    int fracO2;
    bool switchedOn;
    bool drawn;
};

class PpO2Limit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(PpO2Limit, NoLineWithoutASetPointOrAGas)
{
    const LimitCase c = GetParam();
    const Scene scene(changed({0, 60, 0}, [&](auto& in) { in.fracO2 = c.fracO2; in.ppO2Code = c.ppO2Code; }),
                      styled([&](auto& s) { s.ppO2Line = c.switchedOn; }), {});
    EXPECT_EQ(!scene.path(Role::PpO2Line)->lines.isEmpty(), c.drawn);
    EXPECT_EQ(scene.texts(TextRole::PpO2Label).size(), c.drawn ? 1 : 0);
    for (const Point& p : everyPoint(scene))
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
}

INSTANTIATE_TEST_SUITE_P(ProfileScene, PpO2Limit,
                         ::testing::Values(LimitCase{0, 21, true, false},   // open circuit: no set-point
                                           LimitCase{0, 100, true, false},  //
                                           LimitCase{3, 0, true, false},    // no bottom gas
                                           LimitCase{3, -5, true, false},   //
                                           LimitCase{3, 250, true, false},  // not a gas
                                           LimitCase{3, 21, false, false},  // switched off
                                           LimitCase{3, 21, true, true},    // 1.4 bar: 56.7 m
                                           LimitCase{1, 32, true, true},    // 1.2 bar: 27.5 m
                                           LimitCase{9, 50, true, true}));  // 1.6 bar: 22 m

TEST(ProfileScene, PpO2LimitsByCode)
{
    const double limits[] = {0.0, 1.2, 1.3, 1.4, 1.5, 1.6, 1.6};
    for (int code = 0; code < 7; ++code)
        EXPECT_DOUBLE_EQ(Scene::ppO2LimitOf(code), limits[code]) << code;
    EXPECT_DOUBLE_EQ(Scene::ppO2LimitOf(-3), 1.6);
}

TEST(ProfileScene, AlarmsAndGasSwitches)
{
    Scene::Inputs in = profile({0, 10, 20, 20, 12, 6, 3, 0});
    const qsizetype n = in.depths.size();
    in.ascFlags = flagsAt(n, {4});
    in.slowFlags = flagsAt(n, {5});
    in.ceilFlags = flagsAt(n, {6});
    in.gasCodes = {1, 0, 0, 0, 3, 2, 6, 0};
    in.eanLevels = {100, 100, 50, 50, 80};
    const Scene scene(in, {}, {});
    const auto x = [&](qsizetype i) { return double(i) * 650 / double(n); };
    const auto y = [&](qsizetype i) { return scene.depthY(in.depths[i]); };

    using enum Scene::Image;
    EXPECT_EQ(pictured(scene.pictures()),
              (Pictured{{Gas, {x(0) - 27, y(0)}, 0}, {Asc, {x(4) + 26, y(4) - 8}, 4}, {Gas, {x(4) - 27, y(4)}, 4},
                        {Slow, {x(5) + 23, y(5)}, 5}, {GasO2, {x(5), y(5)}, 5}, {Ceil, {x(6) + 23, y(6)}, 6},
                        {Gas, {x(6) - 27, y(6)}, 6}}));
    // Only stop level 1 switches to the oxygen image; level 2 says EAN100.
    EXPECT_EQ(placed(scene.texts(TextRole::GasSwitchLabel)),
              (Placed{{"Bottom gas", {x(0) - 12, y(0) + 14}}, {"EAN100", {x(4) - 25, y(4) + 14}},
                      {"O2", {x(5) + 3, y(5) + 18}}, {"EAN80", {x(6) - 25, y(6) + 14}}}));

    in.eanLevels[0] = 50;
    EXPECT_EQ(textsOf(Scene(in, {}, {}).texts(TextRole::GasSwitchLabel)),
              (QStringList{"Bottom gas", "EAN100", "EAN50", "EAN80"}));
}

TEST(ProfileScene, FlagListsOfOtherLengthsAreNotDrawn)
{
    const Scene scene(changed({0, 10, 20, 10, 0},
                              [](auto& in) {
                                  in.ascFlags = {1, 1, 1}; in.slowFlags = {1, 1, 1, 1, 1, 1, 1};
                                  in.surfFlags = {0, 1, 1, 1, 0, 1}; in.ceilFlags = {1}; in.gasCodes = {1, 2};
                              }),
                      {}, {});
    EXPECT_TRUE(scene.pictures().isEmpty());
    EXPECT_TRUE(scene.texts(TextRole::GasSwitchLabel).isEmpty());
    EXPECT_TRUE(scene.path(Role::SurfaceFlags)->lines.isEmpty());
}

TEST(ProfileScene, SurfacingsBetweenTwoSamples)
{
    // The first and the last flag draw nothing.
    const Scene scene(changed({0, 10, 12, 0, 8, 0}, [](auto& in) { in.surfFlags = {1, 0, 0, 1, 0, 1}; }), {}, {});
    const QList<Scene::Polyline>& spikes = scene.path(Role::SurfaceFlags)->lines;
    ASSERT_EQ(spikes.size(), 1);
    const double x2 = scene.sampleX(2), x3 = scene.sampleX(3);
    EXPECT_EQ(spikes[0], (Scene::Polyline{{x2, scene.depthY(12) + 1}, {(x2 + x3) / 2, 582}, {x3, 584}}));
    EXPECT_EQ(scene.path(Role::SurfaceFlags)->colour, RgbaColour::rgb(0, 1, 0));
}

// Samples that are no numbers are left out of the curve; nothing that is
// not a finite number reaches a coordinate or a label.
struct AbsurdCase {
    const char* name;
    QList<float> depths;
};

class AbsurdProfile : public ::testing::TestWithParam<AbsurdCase> {};

TEST_P(AbsurdProfile, DrawsABoundedPicture)
{
    const AbsurdCase& c = GetParam();
    Scene::Inputs in = profile(c.depths, 3);
    const qsizetype n = in.depths.size();
    in.ascFlags = QList<qint16>(n, 1);
    in.surfFlags = QList<qint16>(n, 1);
    in.gasCodes = QList<qint16>(n, 2);
    in.pressures = QList<float>(n, float(kNaN));
    in.fracO2 = 21;
    in.ppO2Code = 5;
    const Scene scene(in, styled([](auto& s) { s.gradient = s.dashedLines = s.ppO2Line = true; }), {});
    EXPECT_TRUE(std::isfinite(scene.depthRange()));
    EXPECT_GE(scene.depthRange(), 1);
    for (const Point& p : everyPoint(scene)) {
        ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << p.x << "," << p.y;
        EXPECT_GE(p.x, -100);
        EXPECT_LE(p.x, 700);
        EXPECT_GE(p.y, -100);
        EXPECT_LE(p.y, 620);
    }
    for (const Scene::Item& item : scene.items())
        if (const auto* t = std::get_if<Scene::Text>(&item)) {
            EXPECT_FALSE(t->text.contains(QStringLiteral("nan"), Qt::CaseInsensitive)) << t->text.toStdString();
            EXPECT_FALSE(t->text.contains(QStringLiteral("inf"), Qt::CaseInsensitive)) << t->text.toStdString();
        }
    // The curve keeps the samples that are numbers, between its two ends.
    qsizetype numbers = c.depths.isEmpty() ? 1 : 0; // an empty list is one sample at 0 m
    for (const float d : c.depths)
        numbers += std::isfinite(d) ? 1 : 0;
    EXPECT_EQ(scene.path(Role::Curve)->lines[0].size(), numbers + 2);
    for (const Point& p : scene.path(Role::Curve)->lines[0])
        EXPECT_LE(p.y, 583); // nothing above the surface
    // The readout stays a number too.
    for (const double x : {0.0, 30.0, 300.0, 680.0, 700.0})
        for (const double y : {0.0, 150.0, 400.0, 583.0, 620.0}) {
            const Scene::Readout r = scene.readout({x, y});
            EXPECT_TRUE(std::isfinite(r.depth) && std::isfinite(r.minutes));
        }
}

INSTANTIATE_TEST_SUITE_P(
    ProfileScene, AbsurdProfile,
    ::testing::Values(AbsurdCase{"NotANumber", {0, float(kNaN), 20, float(kNaN), 0}},
                      AbsurdCase{"AllNotNumbers", {float(kNaN), float(kNaN)}},
                      AbsurdCase{"Infinite", {0, float(kInf), 15, -float(kInf), 0}},
                      AbsurdCase{"Pasted1e9", {0, 12, 1e9f, 14, 0}},
                      AbsurdCase{"FloatMax", {0, std::numeric_limits<float>::max(), 0}},
                      AbsurdCase{"AboveTheSurface", {0, -30, -1e30f, 10, 0}},
                      AbsurdCase{"Empty", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProfileScene, ReadoutOnTheScalesOfTheCurve)
{
    // The deepest point must read the deepest depth (the depth scale is
    // 430 points for the greatest depth + 1).
    const QList<float> depths = {0, 10, 40, 20, 3.5f, 0};
    for (const int code : {0, 3, 5, 6}) {
        const Scene scene(profile(depths, code), {}, {});
        const double period = scene.samplingPeriod();
        for (qsizetype i = 0; i < depths.size(); ++i) {
            const Scene::Readout r = scene.readout({scene.sampleX(i), scene.depthY(depths[i])});
            ASSERT_TRUE(r.hasDepth) << i;
            EXPECT_NEAR(r.depth, depths[i], 1e-9) << "code " << code << " sample " << i;
            EXPECT_NEAR(r.minutes, double(i) * period / 60, 1e-9) << "code " << code << " sample " << i;
        }
    }
}

TEST(ProfileScene, ReadoutEdges)
{
    const Scene scene(profile({0, 10, 40, 20, 0}, 0), {}, {}); // 10 s
    // At the surface line: 0 m; above it: no negative depth.
    EXPECT_EQ(scene.readout({200, 583}).depth, 0);
    EXPECT_EQ(scene.readout({200, 610}).depth, 0);
    EXPECT_TRUE(scene.readout({200, 610}).hasDepth);
    // At or below 145: no value, the time still read.
    EXPECT_FALSE(scene.readout({290, 145}).hasDepth);
    EXPECT_FALSE(scene.readout({290, 30}).hasDepth);
    EXPECT_TRUE(scene.readout({290, 145.5}).hasDepth);
    EXPECT_NEAR(scene.readout({290, 30}).minutes, 2 * 10 / 60.0, 1e-9);
    // Left of the axis: time 0; right of the curve's end: its end.
    EXPECT_EQ(scene.readout({5, 300}).minutes, 0);
    EXPECT_NEAR(scene.readout({695, 300}).minutes, 5 * 10 / 60.0, 1e-9);
    // A profile of one sample reads 0 m anywhere.
    const Scene single(profile({12}), {}, {});
    EXPECT_EQ(single.readout({300, 300}).depth, 0);

    EXPECT_EQ(scene.readoutText({true, 12.34, 5.5}), QStringLiteral("Depth: 12.3 m   Time: 5.5 min"));
    EXPECT_EQ(scene.readoutText({false, 0, 5.5}), QStringLiteral("Depth: -   Time: 5.5 min"));
}

TEST(ProfileScene, PaintingOrderAndColours)
{
    Scene::Style style = styled([](auto& s) {
        s.gradient = true; s.gradientLines = RgbaColour::rgb(0, 1, 1);
        s.background = RgbaColour::rgb(0.2, 0.3, 0.4, 1); s.backgroundAlpha = 0.25;
        s.fill = RgbaColour::rgb(0, 0.5, 0); s.fillAlpha = 0.75; s.plot = RgbaColour::rgb(1, 0, 1);
    });
    const Scene scene(profile({0, 10, 0}), style, {});
    const QList<Scene::Item>& items = scene.items();
    ASSERT_GE(items.size(), 3);
    const auto* background = std::get_if<Scene::Background>(&items[0]);
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->colour, RgbaColour::rgb(0.2, 0.3, 0.4, 0.25));
    const auto* g = std::get_if<Scene::Gradient>(&items[1]);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(std::tuple(g->bottomLeft, g->topRight, g->bottom, g->top),
              std::tuple(Point{30, 143}, Point{680, 583}, RgbaColour::rgb(0, 0, 0), RgbaColour::rgb(0, 0, 1)));

    // Fill, then axes, grid, ticks, curve, surface; flags; surfacings, gas
    // and limit last; each path in its colour.
    QList<std::tuple<Role, Op, RgbaColour>> order;
    for (const Scene::Item& item : items)
        if (const auto* p = std::get_if<Scene::Path>(&item))
            order.append({p->role, p->op, p->colour});
    const auto rgb = [](double r, double g, double b, double a = 1) { return RgbaColour::rgb(r, g, b, a); };
    EXPECT_EQ(order, (QList<std::tuple<Role, Op, RgbaColour>>{
                         {Role::Curve, Op::Fill, rgb(0, 0.5, 0, 0.75)}, {Role::Axes, Op::Stroke, rgb(0, 0, 0)},
                         {Role::DashedGrid, Op::Stroke, rgb(0, 1, 1)}, {Role::Ticks, Op::Stroke, rgb(0, 1, 1)},
                         {Role::Curve, Op::Stroke, rgb(1, 0, 1)}, {Role::Surface, Op::Stroke, rgb(0, 0, 1)},
                         {Role::SurfaceFlags, Op::Stroke, rgb(0, 1, 0)}, {Role::GasLine, Op::Stroke, rgb(0, 0, 1)},
                         {Role::PpO2Line, Op::Stroke, rgb(1, 0, 0)}}));
    const Scene::Path* fill = scene.path(Role::Curve, Op::Fill);
    ASSERT_NE(fill, nullptr);
    EXPECT_TRUE(fill->evenOdd);
    EXPECT_EQ(fill->lines, scene.path(Role::Curve)->lines);
    EXPECT_EQ(scene.texts(TextRole::TimeAxisTitle)[0].colour, RgbaColour::rgb(0, 1, 1));

    style.fillPlot = false;
    style.gradient = false;
    const Scene plain(profile({0, 10, 0}), style, {});
    EXPECT_EQ(plain.path(Role::Curve, Op::Fill), nullptr);
    EXPECT_FALSE(std::holds_alternative<Scene::Gradient>(plain.items()[1]));
    EXPECT_EQ(plain.texts(TextRole::TimeAxisTitle)[0].colour, RgbaColour::rgb(0, 0, 0));
}

namespace {
class ProfileSceneSettings : public ContextFixture {};
} // namespace

TEST_F(ProfileSceneSettings, StyleFromTheSettings)
{
    EXPECT_FALSE(Scene::Style::fromSettings(settings()).gradientLines.has_value());
    settings().setValue(QStringLiteral("alpha fill color"), QStringLiteral("7"));
    settings().setValue(QStringLiteral("fill plot"), false);
    settings().setValue(QStringLiteral("ppO2 line"), true);
    settings().setColour(QStringLiteral("gradient lines color"), RgbaColour::rgb(0, 1, 0));
    const Scene::Style c = Scene::Style::fromSettings(settings());
    EXPECT_EQ(std::tuple(c.fillAlpha, c.fillPlot, c.ppO2Line, c.gradientLines),
              std::tuple(1.0, false, true, std::optional(RgbaColour::rgb(0, 1, 0))));
}

TEST_F(ProfileSceneSettings, InputsFromTheDiveInTheForm)
{
    Carnet carnet(*context);
    Plongee d;
    d.setNoPlongee(7);
    d.setLieu(QStringLiteral("Marseille"));
    d.setSite(QStringLiteral("Planier"));
    d.setProfilProfondeur(QList<float>{0, 30, 0});
    d.setASC_Flag(QList<qint16>{0, 1, 0});
    d.setPRESS_Data(QList<float>{0});
    d.setPressionDepart(210);
    d.setPressionFin(60);
    d.setO2Mix(32);
    d.setPpO2(3);
    d.setSamplingRate(6);
    d.setDecoO2_Level_1(100);
    d.setDecoO2_Level_3(50);
    carnet.setDives({d});
    carnet.setSelection({0}, 0);
    const Scene::Inputs in = Scene::Inputs::fromForm(carnet.form());
    EXPECT_EQ(in.depths, (QList<float>{0, 30, 0}));
    EXPECT_EQ(in.gasCodes, (QList<qint16>{0, 0, 0})); // none stored: one per sample
    EXPECT_EQ(in.ascFlags, (QList<qint16>{0, 1, 0}));
    EXPECT_EQ(std::tuple(in.fracO2, in.ppO2Code, in.samplingRate, in.pressDepart, in.pressFin),
              std::tuple(32, 3, 6, 210, 60));
    EXPECT_EQ(in.eanLevels, (std::array<int, 5>{100, 0, 50, 0, 0}));
    EXPECT_EQ(Scene::titleOf(carnet.form(), context->localizer()), QStringLiteral("Profile of dive 7"));
    EXPECT_EQ(Scene::locationOf(carnet.form()), QStringLiteral("Marseille - Planier "));
}

TEST(ProfileScene, TextsFromTheTables)
{
    Localizer::Tables tables;
    tables[QStringLiteral("Profil")] = {{QStringLiteral("Time min"), QStringLiteral("Temps (min)")},
                                        {QStringLiteral("Depth time"), QStringLiteral("P %.1f T %.1f")}};
    const Scene::Texts t = Scene::Texts::fromLocalizer(Localizer::fromTables(tables));
    EXPECT_EQ(t.timeAxis, QStringLiteral("Temps (min)"));
    EXPECT_EQ(t.depthAxis, Scene::Texts().depthAxis); // not in the table
    const Scene scene(profile({0, 10, 0}), {}, t);
    EXPECT_EQ(scene.readoutText({true, 4, 2}), QStringLiteral("P 4.0 T 2.0"));
}
