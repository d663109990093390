#pragma once

#include <QString>

#include <optional>

// A colour as four components (red, green, blue, alpha), each from 0 to 1.
// Settings keep colours in the text form "rgba(r,g,b,a)", with every
// component written as the shortest decimal that reads back to the same
// double, independent of the user's locale.
struct RgbaColour {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 1.0;

    static RgbaColour rgb(double r, double g, double b, double a = 1.0);
    // A grey: red, green and blue all equal to `level`.
    static RgbaColour grey(double level, double alpha = 1.0);

    // "rgba(0,0,1,1)", "rgba(0.5,0.5,0.5,1)"...
    QString toText() const;
    // Reads the form written by toText(); spaces around the parts are
    // allowed. Refuses anything else, including components that are not
    // finite numbers or lie outside 0..1.
    static std::optional<RgbaColour> fromText(const QString& text);

    // "#rrggbb", each component rounded to a byte; with `alpha`, "aa"
    // follows when the colour is not opaque ("#11223380").
    QString toHex(bool alpha) const;
    // Reads "#rrggbb" or "#rrggbbaa" (hex digits of either case); refuses
    // anything else.
    static std::optional<RgbaColour> fromHex(const QString& text);

    bool operator==(const RgbaColour&) const = default;
};
