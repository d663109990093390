#pragma once

#include "platform/RgbaColour.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

class SettingsStore;

// The statistics graph as geometry: the share of each depth band and gas
// in per cent of all dives as bars over a plot 800 points wide and 400
// high whose origin is at (50, 50), with axes, ticks, labels and the
// optional dashed guide lines. Canvas points, origin at the bottom left, y
// up. Whatever the shares hold, the geometry stays inside the frame: a
// share that is not a number or below 0 is drawn flat, one above 100 % is
// drawn to the top of the scale (its label still gives its value).
class StatsGraph {
public:
    static constexpr double kCanvasWidth = 900;
    static constexpr double kCanvasHeight = 480;
    static constexpr double kOriginX = 50;
    static constexpr double kOriginY = 50;
    static constexpr double kPlotRight = 850;
    static constexpr double kPlotTop = 450;
    static constexpr double kPlotHeight = 400;
    static constexpr double kLabelY = 23;
    static constexpr double kBarWidth = 60;
    static constexpr int kBarCount = 11;

    struct Point {
        double x = 0, y = 0;
        bool operator==(const Point&) const = default;
    };
    struct Line {
        Point from, to;
        bool operator==(const Line&) const = default;
    };
    struct Label {
        QString text;
        Point at; // bottom left of the text
        bool operator==(const Label&) const = default;
    };
    enum class Group { Depth, Air, Nitrox, Trimix }; // fill of each bar
    struct Bar {
        Group group = Group::Depth;
        double left = 0, height = 0; // height above the axis, 0 to 400
        double share = 0;            // as given (0 when not a number)
        Label value;                 // "%.1f %%" at the top of the bar
        double top() const { return kOriginY + height; }
    };

    struct Style {
        RgbaColour background = RgbaColour::grey(0.5);
        double backgroundAlpha = 0.5;
        RgbaColour labels = RgbaColour::rgb(0, 0, 0);
        bool dashedLines = false; // shown only with the gradient on too
        static Style fromSettings(const SettingsStore& settings);
    };

    StatsGraph(const std::array<float, kBarCount>& shares, const Style& style);

    const Style& style() const { return m_style; }
    const QList<Line>& axes() const { return m_axes; }
    const QList<Line>& ticks() const { return m_ticks; }
    const QList<Line>& guideLines() const { return m_guides; } // empty when not shown
    const QList<Label>& tickLabels() const { return m_tickLabels; }
    const QList<Label>& categoryLabels() const { return m_categoryLabels; }
    const std::array<Bar, kBarCount>& bars() const { return m_bars; }

    static double heightOf(double share);

    // What the pointer at a canvas point reads: the bar under it (-1 for
    // none) and the per cent of the scale at its height (nothing outside
    // the plot).
    struct Readout {
        int bar = -1;
        std::optional<double> level;
    };
    Readout readout(Point p) const;
    // "0 - 9 m: 12.5 %" for a bar, "42.0 %" for a level, empty outside.
    QString readoutText(const Readout& readout) const;

private:
    Style m_style;
    QList<Line> m_axes, m_ticks, m_guides;
    QList<Label> m_tickLabels, m_categoryLabels;
    std::array<Bar, kBarCount> m_bars;
};
