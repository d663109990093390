#include "stats/StatsGraph.h"

#include "platform/SettingsStore.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kBarLefts[StatsGraph::kBarCount] = {80, 145, 210, 275, 340, 405, 470, 600, 665, 730, 795};
const char* const kCategoryTexts[StatsGraph::kBarCount] = {"0 - 9 m",   "10 - 19 m", "20 - 29 m", "30 - 39 m",
                                                           "40 - 49 m", "50 - 59 m", "60 m et +", "Air",
                                                           "Nitrox",    "Trimix",    "Heliox"};
constexpr double kCategoryX[StatsGraph::kBarCount] = {90, 148, 215, 278, 345, 410, 475, 620, 679, 744, 807};

StatsGraph::Group groupOf(int bar)
{
    if (bar < 7)
        return StatsGraph::Group::Depth;
    if (bar == 7)
        return StatsGraph::Group::Air;
    return bar == 8 ? StatsGraph::Group::Nitrox : StatsGraph::Group::Trimix;
}

} // namespace

StatsGraph::Style StatsGraph::Style::fromSettings(const SettingsStore& settings)
{
    Style s;
    if (const auto c = settings.colourValue(QStringLiteral("background color")))
        s.background = *c;
    const double alpha = settings.doubleValue(QStringLiteral("alpha background color"));
    s.backgroundAlpha = std::isfinite(alpha) ? std::clamp(alpha, 0.0, 1.0) : 1.0;
    const bool gradient = settings.boolValue(QStringLiteral("gradient yes"));
    if (gradient)
        if (const auto c = settings.colourValue(QStringLiteral("gradient lines color")))
            s.labels = *c;
    s.dashedLines = gradient && settings.boolValue(QStringLiteral("dashed lines"));
    return s;
}

double StatsGraph::heightOf(double share)
{
    if (!std::isfinite(share) || share <= 0)
        return 0;
    return kPlotHeight * std::min(share, 100.0) / 100.0;
}

StatsGraph::StatsGraph(const std::array<float, kBarCount>& shares, const Style& style) : m_style(style)
{
    m_axes = {{{kOriginX, kOriginY}, {kPlotRight, kOriginY}}, {{kOriginX, kOriginY}, {kOriginX, kPlotTop}}};
    for (int i = 0; i <= 10; ++i) {
        const double y = 40.0 * i + kOriginY;
        m_ticks.append(Line{{kOriginX, y}, {kOriginX + 8, y}});
        m_tickLabels.append(Label{QStringLiteral("%1 %").arg(10 * i), {6, y - 7}});
        if (i > 0 && style.dashedLines)
            m_guides.append(Line{{kOriginX, y}, {kPlotRight, y}});
    }
    for (int b = 0; b < kBarCount; ++b) {
        m_categoryLabels.append(Label{QLatin1String(kCategoryTexts[b]), {kCategoryX[b], kLabelY}});
        Bar& bar = m_bars[b];
        bar.group = groupOf(b);
        bar.left = kBarLefts[b];
        bar.share = std::isfinite(shares[b]) ? double(shares[b]) : 0.0;
        bar.height = heightOf(bar.share);
        bar.value = {QString::asprintf("%.1f %%", bar.share), {bar.left + 15, bar.top()}};
    }
}

StatsGraph::Readout StatsGraph::readout(Point p) const
{
    Readout r;
    if (p.x < kOriginX || p.x > kPlotRight || p.y < kOriginY || p.y > kPlotTop)
        return r;
    r.level = (p.y - kOriginY) / kPlotHeight * 100.0;
    for (int b = 0; b < kBarCount; ++b)
        if (p.x >= m_bars[b].left && p.x <= m_bars[b].left + kBarWidth && p.y <= m_bars[b].top())
            r.bar = b;
    return r;
}

QString StatsGraph::readoutText(const Readout& r) const
{
    if (r.bar >= 0)
        return QString::asprintf("%s: %.1f %%", kCategoryTexts[r.bar], m_bars[r.bar].share);
    if (r.level)
        return QString::asprintf("%.1f %%", *r.level);
    return QString();
}
