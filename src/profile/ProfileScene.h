#pragma once

#include "platform/RgbaColour.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <variant>

class DiveForm;
class Localizer;
class SettingsStore;

// The drawing of a dive profile as a display list: what to fill, stroke,
// write and place, in order, in canvas points with the origin at the bottom
// left and y growing upward. It is computed without any painting device, so
// the windows, the printed page and the command line all draw the same
// geometry and the tests can check it without a screen.
//
// Layout: the depth curve over time in a 660 x 460 frame whose surface line
// is at y 583 and time axis at y 143, with a gas bar (tank pressure over
// time) in a strip from y 20 to 80 below. Depth d is drawn at
// Y(d) = 583 - d * 430 / D with D the greatest depth + 1, and sample i at
// X(i) = 30 + i * 650 / n.
//
// Whatever the lists hold, the scene stays bounded: samples that are not
// finite numbers are left out, depths are taken between 0 and 1e9 m, tick
// intervals widen so that ticks and labels stay apart, and lists longer or
// shorter than the depth list are not drawn past either end.
class ProfileScene {
public:
    static constexpr double kDrawSizeX = 660;
    static constexpr double kDrawSizeY = 460;
    static constexpr double kOffsetY = 123;
    static constexpr double kLeft = 30;
    static constexpr double kRight = kDrawSizeX + 20;         // 680, end of the axes
    static constexpr double kSurfaceY = kOffsetY + kDrawSizeY; // 583
    static constexpr double kTimeAxisY = kOffsetY + 20;       // 143
    static constexpr double kCurveWidth = kDrawSizeX - 10;    // 650
    static constexpr double kDepthHeight = kDrawSizeY - 30;   // 430
    static constexpr double kGasBarBottom = 20;
    static constexpr double kGasBarTop = 80;
    // The whole picture, labels included.
    static constexpr double kCanvasWidth = 700;
    static constexpr double kCanvasHeight = 620;
    // Depths beyond this are drawn at it.
    static constexpr double kMaxDepth = 1e9;

    // What is drawn: the dive shown in the form.
    struct Inputs {
        QList<float> depths;
        QList<qint16> ascFlags, slowFlags, surfFlags, ceilFlags, gasCodes;
        QList<float> pressures;
        int fracO2 = 21;     // bottom gas oxygen, per cent
        int ppO2Code = 0;    // the dive's set-point tag; 0 for none
        int pressDepart = 0; // tank pressure at start and end, bar
        int pressFin = 0;
        int samplingRate = 0; // sampling-rate code
        std::array<int, 5> eanLevels{}; // oxygen per cent of stop levels 1 to 5

        // The form's working profile, bottom gas and set-point.
        static Inputs fromForm(const DiveForm& form);
    };

    // The profile settings, with their registered defaults.
    struct Style {
        RgbaColour background = RgbaColour::grey(0.5);
        double backgroundAlpha = 0.5;
        bool gradient = false;
        std::optional<RgbaColour> gradientLines;
        RgbaColour fill = RgbaColour::rgb(0, 0, 1);
        double fillAlpha = 0.5;
        bool fillPlot = true;
        RgbaColour plot = RgbaColour::rgb(1, 0, 0);
        bool xMinorTicks = true;
        bool yMinorTicks = true;
        bool dashedLines = false;
        bool ppO2Line = false;

        static Style fromSettings(const SettingsStore& settings);
    };

    // The localised texts (table "Profil"); formats take the values the
    // drawing and the readout give them.
    struct Texts {
        QString timeAxis = QStringLiteral("Time (min)");
        QString depthAxis = QStringLiteral("Depth (m)");
        QString gasBar = QStringLiteral("Gas (bar)");
        QString ppO2Format = QStringLiteral("ppO2 %.1f bar");
        QString bottomGas = QStringLiteral("Bottom gas");
        QString oxygen = QStringLiteral("O2");
        QString depthTimeFormat = QStringLiteral("Depth: %.1f m   Time: %.1f min");
        QString depthNoValueFormat = QStringLiteral("Depth: -   Time: %.1f min");

        // The texts of the table, these English ones where it has none.
        static Texts fromLocalizer(const Localizer& localizer);
    };

    struct Point {
        double x = 0;
        double y = 0;
        bool operator==(const Point&) const = default;
    };
    using Polyline = QList<Point>;

    // The paths of the drawing, each rebuilt from the inputs.
    enum class Role {
        Axes,         // black frame lines of both strips
        Ticks,        // time and depth ticks
        DashedGrid,   // optional depth grid
        Curve,        // the depth curve, closed along the surface
        Surface,      // the surface line
        SurfaceFlags, // spikes up to the surface between two samples
        GasLine,      // tank pressure over time
        PpO2Line,     // depth at which the bottom gas reaches its limit
    };
    enum class TextRole {
        TimeAxisTitle,
        MinuteLabel,
        DepthAxisTitle,
        MetreLabel,
        GasBarTitle,
        PressureLabel,
        PpO2Label,
        GasSwitchLabel,
    };
    enum class Font {
        Standard, // the platform's default text, 12 points
        Small,    // "Lucida Grande" 11 points
    };
    enum class Image { Asc, Slow, Ceil, Gas, GasO2 };
    static QString imageName(Image image);

    // Display list items. Colours carry their opacity in alpha.
    struct Background { // the whole view
        RgbaColour colour;
    };
    struct Gradient { // a vertical gradient over a rectangle
        Point bottomLeft, topRight;
        RgbaColour bottom, top;
    };
    struct Path {
        enum class Op { Fill, Stroke };
        Role role = Role::Axes;
        Op op = Op::Stroke;
        QList<Polyline> lines; // each of two points or more
        RgbaColour colour;
        double width = 1;
        QList<double> dash;   // on, off, ... lengths; empty for solid
        bool evenOdd = false; // fill rule
    };
    struct Text {
        TextRole role = TextRole::MinuteLabel;
        QString text;
        Point at; // bottom left of the text's box
        Font font = Font::Standard;
        RgbaColour colour;
    };
    struct Picture {
        Image image = Image::Asc;
        Point at; // bottom left of the image
        int sample = 0;
    };
    using Item = std::variant<Background, Gradient, Path, Text, Picture>;

    // Where the pointer is over the drawing.
    struct Readout {
        bool hasDepth = false; // false below the depth frame
        double depth = 0;      // metres
        double minutes = 0;
    };

    // An empty profile: one sample at the surface.
    ProfileScene();
    ProfileScene(const Inputs& inputs, const Style& style, const Texts& texts);

    // Everything to draw, in painting order.
    const QList<Item>& items() const { return m_items; }

    // Lookups for tests and painters.
    const Path* path(Role role, Path::Op op = Path::Op::Stroke) const;
    QList<Text> texts(TextRole role) const;
    QList<Picture> pictures() const;

    // The geometry in force.
    qsizetype sampleCount() const { return m_n; } // n, at least 1
    double depthRange() const { return m_depthRange; } // D
    double metresToPoints() const { return kDepthHeight / m_depthRange; }
    double sampleX(qsizetype i) const { return kLeft + double(i) * kCurveWidth / double(m_n); }
    double depthY(double depth) const { return kSurfaceY - depth * metresToPoints(); }
    int samplingPeriod() const { return m_period; } // seconds
    // Ticks: points between two labelled time ticks and the minutes they
    // stand for; metres between two labelled depth ticks and two small ones.
    double timeLabelSpacing() const { return m_timeStep; }
    qint64 minutesPerTimeLabel() const { return m_minutesPerLabel; }
    double metresPerDepthLabel() const { return m_metresPerLabel; }
    double metresPerDepthTick() const { return m_metresPerLabel / 5; }
    // The limit drawn by the ppO2 line, bar; nothing when there is no line.
    std::optional<double> ppO2Limit() const { return m_ppO2Limit; }

    // The depth and time at a canvas point, on the scales of the drawing: a
    // point on the curve reads the sample's depth and time.
    Readout readout(Point canvasPoint) const;
    QString readoutText(const Readout& readout) const;

    // The limit of a set-point tag, bar: 0 for none.
    static double ppO2LimitOf(int code);

    // The profile window's title for the dive in the form ("Profile of
    // dive 12") and its location line ("place - site ").
    static QString titleOf(const DiveForm& form, const Localizer& localizer);
    static QString locationOf(const DiveForm& form);

private:
    void buildAxes(const Style& style, Path& axes, Path& ticks, Path& dashed);
    void buildCurve(const Inputs& inputs, const Style& style, Path& curve, Path& surface, Path& ppO2,
                    Path& gas);
    void buildFlags(const Inputs& inputs, Path& surfaceFlags);
    void addText(TextRole role, const QString& text, Point at, Font font = Font::Standard,
                 RgbaColour colour = RgbaColour::rgb(0, 0, 0));

    QList<Item> m_items;
    Texts m_texts;
    QList<float> m_depths; // as given, for the flags
    qsizetype m_n = 1;
    double m_depthRange = 1;
    int m_period = 10;
    double m_timeStep = 0;
    qint64 m_minutesPerLabel = 5;
    double m_metresPerLabel = 5;
    std::optional<double> m_ppO2Limit;
};
