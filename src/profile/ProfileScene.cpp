#include "profile/ProfileScene.h"

#include "logbook/DiveCalculations.h"
#include "logbook/DiveForm.h"
#include "logbook/Plongee.h"
#include "platform/Localizer.h"
#include "platform/NumberText.h"
#include "platform/SettingsStore.h"
#include "platform/TextFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using Point = ProfileScene::Point;
using Path = ProfileScene::Path;

const RgbaColour kBlack = RgbaColour::rgb(0, 0, 0);
const RgbaColour kBlue = RgbaColour::rgb(0, 0, 1);
const RgbaColour kRed = RgbaColour::rgb(1, 0, 0);
const RgbaColour kGreen = RgbaColour::rgb(0, 1, 0);

// Labelled ticks closer than this would write their labels over each other.
constexpr double kMinTimeLabelSpacing = 24;
constexpr double kMinDepthLabelSpacing = 14;
// No axis has more ticks than this, whatever the scale.
constexpr qint64 kMaxTicks = 4096;

RgbaColour withAlpha(RgbaColour colour, double alpha)
{
    colour.alpha = alpha;
    return colour;
}

double unitValue(const SettingsStore& settings, const QString& key, double fallback)
{
    if (!settings.value(key).isValid())
        return fallback;
    const double v = settings.doubleValue(key);
    return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : fallback;
}

// A depth as it is drawn; nothing for a sample that is no number.
std::optional<double> drawnDepth(float sample)
{
    if (!std::isfinite(sample))
        return std::nullopt;
    return std::clamp(double(sample), 0.0, ProfileScene::kMaxDepth);
}

// A label value as a whole number, whatever the value.
qint64 wholeNumber(double value)
{
    if (!std::isfinite(value))
        return 0;
    return qint64(std::clamp(value, -1e15, 1e15));
}

Path makePath(ProfileScene::Role role, RgbaColour colour, double width = 1, QList<double> dash = {})
{
    Path p;
    p.role = role;
    p.colour = colour;
    p.width = width;
    p.dash = std::move(dash);
    return p;
}

void addLine(Path& path, Point from, Point to) { path.lines.append({from, to}); }

// The offsets, from the left end of the time axis, of the labelled ticks
// (`step` points apart) and of the small ones (a fifth of that), each
// truncated to a whole point. Every offset is taken from its own count of
// steps, so the truncation does not add up along the axis.
QList<int> labelledTickOffsets(double step)
{
    QList<int> offsets;
    for (qint64 k = 0; k < kMaxTicks; ++k) {
        const double p = std::trunc(double(k) * step);
        if (p >= ProfileScene::kDrawSizeX - 20)
            break;
        offsets.append(int(p));
    }
    return offsets;
}

QList<int> smallTickOffsets(double step)
{
    QList<int> offsets;
    for (qint64 k = 0; k < kMaxTicks; ++k) {
        const double q = std::trunc(double(k) * step);
        if (q >= 5 * (ProfileScene::kDrawSizeX - 20))
            break;
        offsets.append(int(q) / 5);
    }
    return offsets;
}

// Steps of the time labels, in five-minute intervals: 5, 10, 15, 30
// minutes, 1, 2, 3, 6, 12 hours, a day and then doubling.
qint64 nextTimeFactor(qint64 f)
{
    static constexpr qint64 ladder[] = {1, 2, 3, 6, 12, 24, 36, 72, 144, 288};
    for (const qint64 step : ladder)
        if (step > f)
            return step;
    return f < (qint64(1) << 50) ? f * 2 : f;
}

// Steps of the depth labels, metres: 5, 10, 20, 50, 100, 200, 500...
double nextDepthInterval(double m)
{
    const double decade = std::pow(10.0, std::floor(std::log10(m) + 1e-9));
    const double mantissa = m / decade;
    if (mantissa < 1.5)
        return 2 * decade;
    if (mantissa < 3)
        return 5 * decade;
    return 10 * decade;
}

} // namespace

ProfileScene::Inputs ProfileScene::Inputs::fromForm(const DiveForm& form)
{
    const DiveForm::WorkingProfile& w = form.workingProfile();
    Inputs in;
    in.depths = w.profilProfondeur;
    in.ascFlags = w.ascFlag;
    in.slowFlags = w.slowFlag;
    in.surfFlags = w.surfFlag;
    in.ceilFlags = w.ceilFlag;
    in.gasCodes = w.gazFlag;
    in.pressures = w.pressData;
    in.fracO2 = numbertext::leadingInt(form.text(plongee::idx_o2Mix));
    in.ppO2Code = form.tag(plongee::idx_ppO2);
    in.pressDepart = w.pressDepart;
    in.pressFin = w.pressFin;
    in.samplingRate = w.samplingRate;
    in.eanLevels = w.eanLevels;
    return in;
}

ProfileScene::Style ProfileScene::Style::fromSettings(const SettingsStore& settings)
{
    Style s;
    const auto colour = [&](const char* key, RgbaColour fallback) {
        return settings.colourValue(QLatin1String(key)).value_or(fallback);
    };
    s.background = colour("background color", s.background);
    s.backgroundAlpha = unitValue(settings, QStringLiteral("alpha background color"), s.backgroundAlpha);
    s.gradient = settings.boolValue(QStringLiteral("gradient yes"));
    s.gradientLines = settings.colourValue(QStringLiteral("gradient lines color"));
    s.fill = colour("fill color", s.fill);
    s.fillAlpha = unitValue(settings, QStringLiteral("alpha fill color"), s.fillAlpha);
    s.fillPlot = settings.boolValue(QStringLiteral("fill plot"));
    s.plot = colour("plot color", s.plot);
    s.xMinorTicks = settings.boolValue(QStringLiteral("x minor ticks"));
    s.yMinorTicks = settings.boolValue(QStringLiteral("y minor ticks"));
    s.dashedLines = settings.boolValue(QStringLiteral("dashed lines"));
    s.ppO2Line = settings.boolValue(QStringLiteral("ppO2 line"));
    return s;
}

ProfileScene::Texts ProfileScene::Texts::fromLocalizer(const Localizer& localizer)
{
    Texts t;
    const QString table = QStringLiteral("Profil");
    const auto text = [&](const char* key, const QString& fallback) {
        return localizer.text(QLatin1String(key), table, fallback);
    };
    t.timeAxis = text("Time min", t.timeAxis);
    t.depthAxis = text("Depth m", t.depthAxis);
    t.gasBar = text("Gas bar", t.gasBar);
    t.ppO2Format = text("PpO2", t.ppO2Format);
    t.bottomGas = text("Bottom gas", t.bottomGas);
    t.oxygen = text("O2", t.oxygen);
    t.depthTimeFormat = text("Depth time", t.depthTimeFormat);
    t.depthNoValueFormat = text("Depth no value", t.depthNoValueFormat);
    return t;
}

QString ProfileScene::imageName(Image image)
{
    switch (image) {
    case Image::Asc: return QStringLiteral("alarmeASC");
    case Image::Slow: return QStringLiteral("alarmeSLOW");
    case Image::Ceil: return QStringLiteral("alarmeCEIL");
    case Image::Gas: return QStringLiteral("alarmeGAZ");
    case Image::GasO2: return QStringLiteral("alarmeGAZO2");
    }
    return QString();
}

double ProfileScene::ppO2LimitOf(int code)
{
    switch (code) {
    case 0: return 0.0;
    case 1: return 1.2;
    case 2: return 1.3;
    case 3: return 1.4;
    case 4: return 1.5;
    default: return 1.6;
    }
}

QString ProfileScene::titleOf(const DiveForm& form, const Localizer& localizer)
{
    return formatText(localizer.text(QStringLiteral("Dive number profile title"), QStringLiteral("Carnet"),
                                     QStringLiteral("Profile of dive %d")),
                      {numbertext::leadingInt(form.text(plongee::idx_noPlongee))});
}

QString ProfileScene::locationOf(const DiveForm& form)
{
    return formatText(QStringLiteral("%@ - %@ "), {form.text(plongee::idx_lieu), form.text(plongee::idx_site)});
}

ProfileScene::ProfileScene() : ProfileScene(Inputs(), Style(), Texts()) {}

ProfileScene::ProfileScene(const Inputs& in, const Style& style, const Texts& texts) : m_texts(texts)
{
    m_depths = in.depths.isEmpty() ? QList<float>{0.0f} : in.depths;
    m_n = m_depths.size();
    double greatest = 0;
    for (const float sample : std::as_const(m_depths))
        if (const auto d = drawnDepth(sample))
            greatest = std::max(greatest, *d);
    m_depthRange = greatest + 1;
    m_period = divecalc::samplingPeriod(in.samplingRate);

    // Five minutes of samples on the curve's own scale (650 / n points a
    // sample), so that each label stands over its minute of the curve; a
    // long profile labels every 10, 15, 30... minutes instead.
    const double fiveMinutes = kCurveWidth / double(m_n) * (300.0 / m_period);
    qint64 factor = 1;
    for (int guard = 0; fiveMinutes * double(factor) < kMinTimeLabelSpacing && guard < 64; ++guard)
        factor = nextTimeFactor(factor);
    m_timeStep = fiveMinutes * double(factor);
    m_minutesPerLabel = 5 * factor;

    // A label every 5 m, or every 10, 20, 50... m on a deep scale.
    m_metresPerLabel = 5;
    for (int guard = 0; m_metresPerLabel * metresToPoints() < kMinDepthLabelSpacing && guard < 64; ++guard)
        m_metresPerLabel = nextDepthInterval(m_metresPerLabel);

    m_items.append(Background{withAlpha(style.background, style.backgroundAlpha)});
    if (style.gradient)
        m_items.append(Gradient{{kLeft, kTimeAxisY}, {kRight, kSurfaceY}, kBlack, kBlue});

    const RgbaColour linesColour = style.gradientLines.value_or(kBlack);
    Path axes = makePath(Role::Axes, kBlack);
    Path ticks = makePath(Role::Ticks, linesColour);
    Path dashed = makePath(Role::DashedGrid, linesColour, 0.5, {5, 3});
    Path curve = makePath(Role::Curve, style.plot);
    Path surface = makePath(Role::Surface, kBlue);
    Path ppO2 = makePath(Role::PpO2Line, kRed, 1, {3, 3});
    Path gas = makePath(Role::GasLine, kBlue);
    Path surfaceFlags = makePath(Role::SurfaceFlags, kGreen);

    buildAxes(style, axes, ticks, dashed);
    buildCurve(in, style, curve, surface, ppO2, gas);

    if (style.fillPlot) {
        Path fill = curve;
        fill.op = Path::Op::Fill;
        fill.colour = withAlpha(style.fill, style.fillAlpha);
        fill.evenOdd = true;
        m_items.append(fill);
    }
    m_items.append(axes);
    m_items.append(dashed);
    m_items.append(ticks);
    m_items.append(curve);
    m_items.append(surface);
    buildFlags(in, surfaceFlags);
    m_items.append(surfaceFlags);
    m_items.append(gas);
    m_items.append(ppO2);
}

void ProfileScene::addText(TextRole role, const QString& text, Point at, Font font, RgbaColour colour)
{
    m_items.append(Text{role, text, at, font, colour});
}

void ProfileScene::buildAxes(const Style& style, Path& axes, Path& ticks, Path& dashed)
{
    const double top = kSurfaceY;

    // Time axis, its arrowhead and title.
    addLine(axes, {kLeft, kTimeAxisY}, {kRight, kTimeAxisY});
    addLine(ticks, {kRight - 5, kTimeAxisY + 5}, {kRight, kTimeAxisY});
    addLine(axes, {kRight, kTimeAxisY}, {kRight - 5, kTimeAxisY - 5});
    addText(TextRole::TimeAxisTitle, m_texts.timeAxis, {kDrawSizeX - 60, kOffsetY + 30}, Font::Small,
            style.gradient ? style.gradientLines.value_or(kBlack) : kBlack);

    const QList<int> labelled = labelledTickOffsets(m_timeStep);
    const QList<int> small = smallTickOffsets(m_timeStep);
    if (style.xMinorTicks)
        for (const int x : small)
            addLine(ticks, {kLeft + x, kTimeAxisY}, {kLeft + x, kTimeAxisY + 5});
    qint64 minutes = 0;
    for (const int p : labelled) {
        addLine(ticks, {kLeft + p, kTimeAxisY}, {kLeft + p, kTimeAxisY + 8});
        addText(TextRole::MinuteLabel, formatText(QStringLiteral("%d"), {minutes}), {p + 25.0, kOffsetY});
        minutes += m_minutesPerLabel;
    }

    // Depth axis, ticks, labels and grid.
    addLine(axes, {kLeft, kTimeAxisY}, {kLeft, top + 15});
    addText(TextRole::DepthAxisTitle, m_texts.depthAxis, {8, top + 20});
    const double tick = metresPerDepthTick();
    if (style.yMinorTicks)
        for (qint64 j = 0; double(j) * tick < m_depthRange && j < kMaxTicks; ++j) {
            const double y = depthY(double(j) * tick);
            addLine(ticks, {kLeft, y}, {kLeft + 5, y});
        }
    for (qint64 j = 0; double(j) * m_metresPerLabel < m_depthRange && j < kMaxTicks; ++j) {
        const double d = double(j) * m_metresPerLabel;
        const double y = depthY(d);
        addLine(ticks, {kLeft, y}, {kLeft + 8, y});
        addText(TextRole::MetreLabel, formatText(QStringLiteral("%d"), {wholeNumber(d)}), {8, y - 8});
        if (style.dashedLines)
            addLine(dashed, {kLeft, y}, {y > kOffsetY + 50 ? kRight : kDrawSizeX - 70, y});
    }

    // The gas bar's frame below.
    addLine(axes, {kLeft, kGasBarBottom}, {kRight, kGasBarBottom});
    addLine(axes, {kRight - 5, kGasBarBottom + 5}, {kRight, kGasBarBottom});
    addLine(axes, {kRight, kGasBarBottom}, {kRight - 5, kGasBarBottom - 5});
    if (style.xMinorTicks)
        for (const int x : small)
            addLine(axes, {kLeft + x, kGasBarBottom}, {kLeft + x, kGasBarBottom + 5});
    for (const int p : labelled)
        addLine(axes, {kLeft + p, kGasBarBottom}, {kLeft + p, kGasBarBottom + 8});
    addLine(axes, {kLeft, kGasBarBottom}, {kLeft, kGasBarTop});
    addText(TextRole::GasBarTitle, m_texts.gasBar, {kLeft, kGasBarTop + 5});
    for (const double y : {80.0, 65.0, 50.0, 35.0})
        addLine(axes, {kLeft, y}, {kLeft + 8, y});
    if (style.yMinorTicks)
        for (const double y : {72.5, 57.5, 42.5, 27.5})
            addLine(axes, {kLeft, y}, {kLeft + 5, y});
}

void ProfileScene::buildCurve(const Inputs& in, const Style& style, Path& curve, Path& surface, Path& ppO2,
                              Path& gas)
{
    // The curve, closed along the surface.
    Polyline line;
    line.reserve(m_n + 2);
    line.append({kLeft, kSurfaceY});
    for (qsizetype i = 0; i < m_n; ++i)
        if (const auto d = drawnDepth(m_depths[i]))
            line.append({sampleX(i), depthY(*d)});
    line.append({kRight, kSurfaceY});
    curve.lines.append(line);
    addLine(surface, {kLeft, kSurfaceY}, {kRight, kSurfaceY});

    // Where the bottom gas reaches the set-point's limit. No set-point, no
    // bottom gas or a limit outside the depth frame draws nothing.
    const double limit = ppO2LimitOf(in.ppO2Code);
    if (style.ppO2Line && limit > 0 && in.fracO2 > 0 && in.fracO2 <= 100) {
        const double m = (limit / (in.fracO2 / 100.0) - 1) * 10;
        const double y = depthY(m);
        if (m >= 0 && m_depthRange + 1 > m && y >= kOffsetY + 15) {
            const bool clear = y > kOffsetY + 50;
            addLine(ppO2, {kLeft, y}, {clear ? kRight : kDrawSizeX - 70, y});
            addText(TextRole::PpO2Label, formatText(m_texts.ppO2Format, {limit}),
                    {clear ? kDrawSizeX - 50 : kDrawSizeX - 140, kSurfaceY - m * (kDrawSizeY - 35) / m_depthRange},
                    Font::Small, kRed);
            m_ppO2Limit = limit;
        }
    }

    // Tank pressure: a single value stands for "start and end pressure
    // only". The first pressure is the full scale; without one, the
    // greatest.
    QList<float> pressures = in.pressures;
    if (pressures.size() == 1) {
        pressures = QList<float>(m_n, 0.0f);
        pressures.first() = float(in.pressDepart);
        pressures.last() = float(in.pressFin);
    }
    double fullScale = 0;
    if (!pressures.isEmpty() && std::isfinite(pressures.first()) && pressures.first() > 0) {
        fullScale = pressures.first();
    } else {
        for (const float p : std::as_const(pressures))
            if (std::isfinite(p) && p > fullScale)
                fullScale = p;
    }
    const qint64 scaleLabel = wholeNumber(std::min(fullScale, 1e9));
    addText(TextRole::PressureLabel, QStringLiteral("%1").arg(scaleLabel, 3), {3, 71});
    addText(TextRole::PressureLabel, QStringLiteral("%1").arg(scaleLabel / 2, 3), {3, 42});
    addText(TextRole::PressureLabel, QStringLiteral("%1").arg(0, 3), {3, 13});

    Polyline pressureLine{{kLeft, kGasBarTop}};
    const qsizetype drawn = std::min(m_n, pressures.size());
    if (fullScale > 0)
        for (qsizetype i = 0; i < drawn; ++i) {
            const double p = pressures[i];
            if (!std::isfinite(p) || p <= 0)
                continue;
            const double y = kGasBarBottom + std::min(p / fullScale, 1.0) * (kGasBarTop - kGasBarBottom);
            pressureLine.append({sampleX(i), y});
        }
    if (pressureLine.size() > 1)
        gas.lines.append(pressureLine);
}

void ProfileScene::buildFlags(const Inputs& in, Path& surfaceFlags)
{
    // A flag list of another length than the depths describes other
    // samples: it is not drawn.
    const auto usable = [this](const QList<qint16>& list) { return list.size() == m_n; };
    const bool asc = usable(in.ascFlags), slow = usable(in.slowFlags), ceil = usable(in.ceilFlags),
               surf = usable(in.surfFlags), gas = usable(in.gasCodes);
    if (!asc && !slow && !ceil && !surf && !gas)
        return;
    for (qsizetype i = 0; i < m_n; ++i) {
        const auto depth = drawnDepth(m_depths[i]);
        if (!depth)
            continue;
        const double x = double(i) * kCurveWidth / double(m_n);
        const double y = depthY(*depth);
        const int sample = int(std::min<qsizetype>(i, std::numeric_limits<int>::max()));
        if (asc && in.ascFlags[i] == 1)
            m_items.append(Picture{Image::Asc, {x + 26, y - 8}, sample});
        if (slow && in.slowFlags[i] == 1)
            m_items.append(Picture{Image::Slow, {x + 23, y}, sample});
        if (ceil && in.ceilFlags[i] == 1)
            m_items.append(Picture{Image::Ceil, {x + 23, y}, sample});
        if (surf && in.surfFlags[i] == 1 && i >= 1 && i < m_n - 1) {
            if (const auto before = drawnDepth(m_depths[i - 1])) {
                const double x0 = sampleX(i - 1), x1 = sampleX(i);
                surfaceFlags.lines.append(
                    {{x0, depthY(*before) + 1}, {(x0 + x1) / 2, kSurfaceY - 1}, {x1, y + 1}});
            }
        }
        if (!gas)
            continue;
        const int code = in.gasCodes[i];
        if (code == 1) {
            m_items.append(Picture{Image::Gas, {x - 27, y}, sample});
            addText(TextRole::GasSwitchLabel, m_texts.bottomGas, {x - 12, y + 14});
        } else if (code == 2 && in.eanLevels[0] >= 98) {
            m_items.append(Picture{Image::GasO2, {x, y}, sample});
            addText(TextRole::GasSwitchLabel, m_texts.oxygen, {x + 3, y + 18});
        } else if (code >= 2 && code <= 6) {
            m_items.append(Picture{Image::Gas, {x - 27, y}, sample});
            addText(TextRole::GasSwitchLabel, formatText(QStringLiteral("EAN%d"), {in.eanLevels[code - 2]}),
                    {x - 25, y + 14});
        }
    }
}

const ProfileScene::Path* ProfileScene::path(Role role, Path::Op op) const
{
    for (const Item& item : m_items)
        if (const auto* p = std::get_if<Path>(&item); p && p->role == role && p->op == op)
            return p;
    return nullptr;
}

QList<ProfileScene::Text> ProfileScene::texts(TextRole role) const
{
    QList<Text> found;
    for (const Item& item : m_items)
        if (const auto* t = std::get_if<Text>(&item); t && t->role == role)
            found.append(*t);
    return found;
}

QList<ProfileScene::Picture> ProfileScene::pictures() const
{
    QList<Picture> found;
    for (const Item& item : m_items)
        if (const auto* p = std::get_if<Picture>(&item))
            found.append(*p);
    return found;
}

ProfileScene::Readout ProfileScene::readout(Point at) const
{
    Readout r;
    if (!std::isfinite(at.x) || !std::isfinite(at.y))
        return r;
    // Time on the curve's own scale: sample i lies at X(i), the end of the
    // curve (back at the surface) at n samples.
    const double x = std::clamp(at.x, kLeft, kRight);
    r.minutes = (x - kLeft) / kCurveWidth * double(m_n) * m_period / 60.0;
    if (at.y <= kTimeAxisY + 2)
        return r;
    r.hasDepth = true;
    const double depth = (kSurfaceY - at.y) / metresToPoints();
    r.depth = depth < 0 || m_n <= 1 ? 0.0 : depth;
    return r;
}

QString ProfileScene::readoutText(const Readout& r) const
{
    return r.hasDepth ? formatText(m_texts.depthTimeFormat, {r.depth, r.minutes})
                      : formatText(m_texts.depthNoValueFormat, {r.minutes});
}
