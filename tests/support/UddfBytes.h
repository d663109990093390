#pragma once

#include <QByteArray>
#include <utility>

// Small UDDF documents built from their pieces, for the exchange suites.
namespace uddfbytes {

inline const QByteArray kRoot32 = "<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\" version=\"3.2.0\">";

// A UDDF 3 file around one dive's inner elements, after some definitions.
inline QByteArray modern(const QByteArray& dive, const QByteArray& definitions = {},
                         const QByteArray& root = kRoot32)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + root + definitions
        + "<profiledata><repetitiongroup id=\"g\"><dive id=\"d\">" + dive
        + "</dive></repetitiongroup></profiledata></uddf>\n";
}

inline QByteArray before(const QByteArray& inner = {}, const QByteArray& datetime = "2022-09-10T08:30:00")
{
    return "<informationbeforedive>" + inner + "<datetime>" + datetime + "</datetime></informationbeforedive>";
}

inline QByteArray after(const QByteArray& inner)
{
    return "<informationafterdive>" + inner + "</informationafterdive>";
}

// Waypoints of (time, depth), the first one with some more elements.
inline QByteArray waypoints(std::initializer_list<std::pair<double, double>> points, const QByteArray& extraFirst = {})
{
    QByteArray out = "<samples>";
    for (const auto& [t, z] : points) {
        out += "<waypoint><depth>" + QByteArray::number(z) + "</depth><divetime>" + QByteArray::number(t)
            + "</divetime>" + (out.size() == 9 ? extraFirst : QByteArray()) + "</waypoint>";
    }
    return out + "</samples>";
}

// The older layout: dives with their own date elements.
inline const QByteArray kLegacyDate = "<date><year>2011</year><month>5</month><day>17</day></date>";

inline QByteArray legacyDive(const QByteArray& inner) { return "<dive>" + inner + "</dive>"; }

inline QByteArray legacy(const QByteArray& dives)
{
    return "<?xml version=\"1.0\"?>\n<uddf version=\"2.2.0\"><profiledata><repetitiongroup>" + dives
        + "</repetitiongroup></profiledata></uddf>\n";
}

inline QByteArray with(const QByteArray& original, const char* from, const QByteArray& to)
{
    return QByteArray(original).replace(from, to);
}

inline QByteArray repeat(const QByteArray& piece, int times)
{
    QByteArray out;
    out.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        out.append(piece);
    return out;
}

} // namespace uddfbytes
