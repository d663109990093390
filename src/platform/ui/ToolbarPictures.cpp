#include "platform/ui/ToolbarPictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

#include <cmath>
#include <numbers>

// Every picture is drawn on a 32 x 32 canvas.
namespace {

const QColor kInk(50, 50, 55);
const QColor kPaper(252, 252, 250);
const QColor kRuleInk(170, 175, 185);

QPen pen(const QColor& colour, double width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The diver-down flag: red with a white diagonal stripe from its top left.
void drawDiverFlag(QPainter& p, const QRectF& flag)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(215, 25, 30));
    p.drawRect(flag);
    const double w = flag.width(), h = flag.height();
    QPainterPath stripe;
    stripe.moveTo(flag.topLeft());
    stripe.lineTo(flag.left() + w * 0.22, flag.top());
    stripe.lineTo(flag.right(), flag.top() + h * 0.77);
    stripe.lineTo(flag.bottomRight());
    stripe.lineTo(flag.right() - w * 0.22, flag.bottom());
    stripe.lineTo(flag.left(), flag.top() + h * 0.23);
    stripe.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(stripe);
}

// A logbook page with ruled lines and the diver-down flag in its corner.
void drawLogPage(QPainter& p)
{
    p.setPen(pen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(4.5, 2.5, 20, 26), 2, 2);
    drawDiverFlag(p, QRectF(7.5, 5.5, 9, 6.5));
    p.setPen(pen(kRuleInk, 1.2));
    for (const double y : {15.5, 19.0, 22.5, 26.0})
        p.drawLine(QPointF(7.5, y), QPointF(y > 20 ? 14.5 : 21.5, y));
}

// A round badge at the bottom right of a picture.
void drawBadge(QPainter& p, const QColor& colour)
{
    p.setPen(pen(colour.darker(140), 1.0));
    p.setBrush(colour);
    p.drawEllipse(QPointF(23.5, 23.5), 7.2, 7.2);
}

// The marks of the record commands, on their badge: add, delete, insert
// and update.
void markAdd(QPainter& p)
{
    drawBadge(p, QColor(40, 160, 60));
    p.setPen(pen(Qt::white, 2.4));
    p.drawLine(QPointF(23.5, 19.5), QPointF(23.5, 27.5));
    p.drawLine(QPointF(19.5, 23.5), QPointF(27.5, 23.5));
}

void markDelete(QPainter& p)
{
    drawBadge(p, QColor(210, 40, 40));
    p.setPen(pen(Qt::white, 2.4));
    p.drawLine(QPointF(19.5, 23.5), QPointF(27.5, 23.5));
}

void markInsert(QPainter& p)
{
    drawBadge(p, QColor(40, 110, 200));
    p.setPen(pen(Qt::white, 2.0));
    p.drawLine(QPointF(19.5, 23.5), QPointF(27, 23.5));
    p.drawLine(QPointF(24, 20.5), QPointF(27, 23.5));
    p.drawLine(QPointF(24, 26.5), QPointF(27, 23.5));
}

void markUpdate(QPainter& p)
{
    drawBadge(p, QColor(40, 160, 60));
    p.setPen(pen(Qt::white, 2.4));
    QPainterPath tick;
    tick.moveTo(19.8, 23.8);
    tick.lineTo(22.6, 26.6);
    tick.lineTo(27.4, 20.4);
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

// An address card: a shop front with its awning, lines of address beside it.
void drawFirmCard(QPainter& p)
{
    p.setPen(pen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(2.5, 4.5, 24, 18), 2, 2);
    p.setBrush(QColor(235, 215, 170));
    p.drawRect(QRectF(5.5, 10.5, 9, 9));
    p.setPen(Qt::NoPen);
    for (int stripe = 0; stripe < 3; ++stripe) {
        p.setBrush(stripe % 2 == 0 ? QColor(215, 60, 50) : Qt::white);
        p.drawRect(QRectF(5.0 + stripe * 3.3, 7.5, 3.3, 3));
    }
    p.setBrush(QColor(80, 130, 190));
    p.drawRect(QRectF(8.5, 14, 3, 5.5));
    p.setPen(pen(kRuleInk, 1.2));
    for (const double y : {9.5, 13.0, 16.5})
        p.drawLine(QPointF(17.0, y), QPointF(23.5, y));
}

// A diving structure's card: the club's diver-down flag on its mast over
// the sea.
void drawStructureCard(QPainter& p)
{
    p.setPen(pen(kInk, 1.2));
    p.setBrush(QColor(205, 228, 245));
    p.drawRoundedRect(QRectF(2.5, 4.5, 24, 20), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 100, 170));
    p.drawRect(QRectF(3.1, 17.5, 22.8, 6.4));
    p.setPen(pen(kInk, 1.4));
    p.drawLine(QPointF(8.5, 21.5), QPointF(8.5, 6.5));
    drawDiverFlag(p, QRectF(9.0, 7.0, 11, 7.5));
}

// A register card: a sunken hull on a blue sea.
void drawWreckCard(QPainter& p)
{
    p.setPen(pen(kInk, 1.2));
    p.setBrush(QColor(205, 228, 245));
    p.drawRoundedRect(QRectF(2.5, 4.5, 24, 20), 2, 2);
    const QColor wood(120, 70, 30);
    p.setPen(pen(wood.darker(150), 1.0));
    p.setBrush(QColor(165, 105, 50));
    QPainterPath hull;
    hull.moveTo(4.5, 12.5);
    hull.lineTo(22.5, 15.5);
    hull.lineTo(19.5, 21.5);
    hull.lineTo(7.0, 20.0);
    hull.closeSubpath();
    p.drawPath(hull);
    p.setPen(pen(wood.darker(150), 1.6));
    p.drawLine(QPointF(12, 13.5), QPointF(15.5, 6.5));
}

// An equipment card: a cylinder with its valve.
void drawEquipmentCard(QPainter& p)
{
    p.setPen(pen(kInk, 1.2));
    p.setBrush(QColor(250, 215, 80));
    p.drawRoundedRect(QRectF(9.5, 8.5, 10, 18), 4, 4);
    p.setBrush(QColor(150, 155, 165));
    p.drawRect(QRectF(12.5, 4.5, 4, 4));
    p.drawLine(QPointF(16.5, 6), QPointF(20.5, 6));
    p.setPen(pen(QColor(60, 60, 60), 1.4));
    p.drawLine(QPointF(10, 13.5), QPointF(19, 13.5));
}

// A consumables card: a box of spare parts with an O-ring.
void drawConsumableCard(QPainter& p)
{
    p.setPen(pen(kInk, 1.2));
    p.setBrush(QColor(200, 160, 110));
    p.drawRect(QRectF(4.5, 12.5, 20, 13));
    p.setBrush(QColor(225, 190, 140));
    p.drawPolygon(QPolygonF({QPointF(4.5, 12.5), QPointF(9, 7.5), QPointF(29, 7.5), QPointF(24.5, 12.5)}));
    p.setPen(pen(QColor(30, 30, 30), 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(14.5, 19), 4, 3.5);
}

// A compressor: a motor block on its frame, with a filter tower and a gauge.
void drawCompressor(QPainter& p)
{
    p.setPen(pen(kInk, 1.2));
    p.setBrush(QColor(200, 60, 45));
    p.drawRoundedRect(QRectF(3.5, 10.5, 14, 11), 1.5, 1.5);
    p.setBrush(QColor(190, 195, 205));
    p.drawRoundedRect(QRectF(19.5, 4.5, 5, 17), 1.5, 1.5);
    p.setPen(pen(kInk, 1.4));
    p.drawLine(QPointF(2.5, 24.5), QPointF(26.5, 24.5));
    p.drawLine(QPointF(17.5, 14.5), QPointF(19.5, 14.5));
    p.setPen(pen(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(9, 6.5), 3.5, 3.5);
    p.drawLine(QPointF(9, 6.5), QPointF(11, 5));
    p.drawLine(QPointF(9, 10), QPointF(9, 10.5));
}

// A rebreather's absorbent canister: a cylinder filled with granules.
void drawCanister(QPainter& p)
{
    p.setPen(pen(kInk, 1.2));
    p.setBrush(QColor(235, 235, 240));
    p.drawRoundedRect(QRectF(7.5, 3.5, 14, 23), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 110, 200));
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawEllipse(QPointF(10.5 + col * 4 + (row % 2) * 1.5, 10 + row * 4), 1.3, 1.3);
    p.setPen(pen(kInk, 1.2));
    p.drawLine(QPointF(7.5, 7.5), QPointF(21.5, 7.5));
}

// A budget sheet: a ruled price list with a gold coin on it.
void drawBudgetSheet(QPainter& p)
{
    p.setPen(pen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(4.5, 2.5, 20, 24), 2, 2);
    p.setPen(pen(kRuleInk, 1.2));
    for (const double y : {7.5, 11.5, 15.5})
        p.drawLine(QPointF(7.5, y), QPointF(21.5, y));
    const QColor gold(220, 170, 40);
    p.setPen(pen(gold.darker(150), 1.0));
    p.setBrush(gold);
    p.drawEllipse(QPointF(11.5, 20.5), 5.5, 5.5);
    p.setPen(pen(gold.darker(190), 1.3));
    p.drawArc(QRectF(9.0, 17.5, 5.5, 6.0), 60 * 16, 240 * 16);
    p.drawLine(QPointF(8.5, 19.8), QPointF(12.5, 19.8));
    p.drawLine(QPointF(8.5, 21.4), QPointF(12.5, 21.4));
}

template <void (*Page)(QPainter&), void (*Mark)(QPainter&)> void drawCommand(QPainter& p)
{
    Page(p);
    Mark(p);
}

void drawSave(QPainter& p)
{
    p.setPen(pen(QColor(25, 50, 100), 1.2));
    p.setBrush(QColor(45, 90, 165));
    QPainterPath disk;
    disk.moveTo(4.5, 6.5);
    disk.quadTo(4.5, 4.5, 6.5, 4.5);
    disk.lineTo(24, 4.5);
    disk.lineTo(27.5, 8);
    disk.lineTo(27.5, 25.5);
    disk.quadTo(27.5, 27.5, 25.5, 27.5);
    disk.lineTo(6.5, 27.5);
    disk.quadTo(4.5, 27.5, 4.5, 25.5);
    disk.closeSubpath();
    p.drawPath(disk);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 205, 215));
    p.drawRect(QRectF(10, 4.5, 12, 8));
    p.setBrush(QColor(45, 90, 165));
    p.drawRect(QRectF(18, 6, 2.5, 5));
    p.setPen(pen(QColor(180, 180, 180), 0.8));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(8, 16, 16, 11.5), 1, 1);
    p.setPen(pen(kRuleInk, 1.0));
    p.drawLine(QPointF(10.5, 19.5), QPointF(21.5, 19.5));
    p.drawLine(QPointF(10.5, 23), QPointF(21.5, 23));
}

void drawPrinter(QPainter& p)
{
    p.setPen(pen(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(9.5, 3.5, 13, 10));
    p.setBrush(QColor(125, 130, 140));
    p.drawRoundedRect(QRectF(3.5, 11.5, 25, 12), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 200, 80));
    p.drawEllipse(QPointF(24.5, 15), 1.3, 1.3);
    p.setPen(pen(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(8.5, 18.5, 15, 10.5));
    p.setPen(pen(kRuleInk, 1.0));
    for (const double y : {21.5, 24.0, 26.5})
        p.drawLine(QPointF(11, y), QPointF(21, y));
}

void drawProfile(QPainter& p)
{
    p.setPen(pen(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(2.5, 4.5, 27, 23), 2, 2);
    p.setPen(pen(QColor(120, 180, 230), 1.4));
    p.drawLine(QPointF(4, 8), QPointF(28, 8));
    QPainterPath dive;
    dive.moveTo(5, 8);
    dive.lineTo(10, 23);
    dive.lineTo(17, 23);
    dive.lineTo(20, 16);
    dive.lineTo(23, 16);
    dive.lineTo(24, 12);
    dive.lineTo(26, 12);
    dive.lineTo(27, 8);
    QPainterPath water = dive;
    water.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 210, 245));
    p.drawPath(water);
    p.setPen(pen(QColor(20, 70, 170), 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(dive);
}

void drawProfileData(QPainter& p)
{
    p.setPen(pen(kInk, 1.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(3.5, 3.5, 25, 25));
    p.setPen(pen(kRuleInk, 0.9));
    for (const double y : {15.0, 19.5, 24.0})
        p.drawLine(QPointF(3.5, y), QPointF(28.5, y));
    for (const double x : {11.5, 20.0})
        p.drawLine(QPointF(x, 11), QPointF(x, 28.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 232, 245));
    p.drawRect(QRectF(4, 4, 24, 7));
    p.setPen(pen(QColor(20, 70, 170), 1.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath dive;
    dive.moveTo(6, 5.5);
    dive.lineTo(10, 9.5);
    dive.lineTo(18, 9.5);
    dive.lineTo(21, 7.5);
    dive.lineTo(26, 5.5);
    p.drawPath(dive);
}

void drawImport(QPainter& p, const QString& format)
{
    // A file with its format's name going down into a tray.
    p.setPen(pen(kInk, 1.0));
    p.setBrush(kPaper);
    QPainterPath page;
    page.moveTo(7.5, 2.5);
    page.lineTo(20, 2.5);
    page.lineTo(24.5, 7);
    page.lineTo(24.5, 19.5);
    page.lineTo(7.5, 19.5);
    page.closeSubpath();
    p.drawPath(page);
    // The name at half size, to fit the page.
    QFont font;
    font.setPixelSize(10);
    font.setBold(true);
    p.save();
    p.translate(16, 11.5);
    p.scale(0.5, 0.5);
    p.setFont(font);
    p.setPen(QColor(30, 90, 170));
    p.drawText(QRectF(-17, -8, 34, 16), Qt::AlignCenter, format);
    p.restore();
    p.setPen(pen(QColor(90, 95, 105), 1.2));
    p.setBrush(QColor(205, 210, 220));
    QPainterPath tray;
    tray.moveTo(3.5, 22.5);
    tray.lineTo(9, 22.5);
    tray.lineTo(11, 25);
    tray.lineTo(21, 25);
    tray.lineTo(23, 22.5);
    tray.lineTo(28.5, 22.5);
    tray.lineTo(28.5, 29.5);
    tray.lineTo(3.5, 29.5);
    tray.closeSubpath();
    p.drawPath(tray);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 160, 60));
    QPainterPath arrow;
    arrow.moveTo(14, 14);
    arrow.lineTo(18, 14);
    arrow.lineTo(18, 19);
    arrow.lineTo(21.5, 19);
    arrow.lineTo(16, 25);
    arrow.lineTo(10.5, 19);
    arrow.lineTo(14, 19);
    arrow.closeSubpath();
    p.drawPath(arrow);
}

void drawText(QPainter& p)
{
    p.setPen(pen(kInk, 1.1));
    p.setBrush(kPaper);
    p.drawRoundedRect(QRectF(5.5, 2.5, 21, 27), 1.5, 1.5);
    p.setPen(pen(QColor(40, 150, 60), 1.8));
    p.drawLine(QPointF(9, 7), QPointF(23, 7));
    p.setPen(pen(QColor(200, 40, 40), 1.4));
    p.drawLine(QPointF(9, 11.5), QPointF(18, 11.5));
    for (const double y : {15.5, 19.5, 23.5}) {
        p.setPen(pen(QColor(60, 60, 60), 1.2));
        p.drawLine(QPointF(9, y), QPointF(15, y));
        p.setPen(pen(QColor(40, 90, 200), 1.2));
        p.drawLine(QPointF(17, y), QPointF(23, y));
    }
}

void drawStatistics(QPainter& p)
{
    p.setPen(pen(kInk, 1.3));
    p.drawLine(QPointF(4.5, 4), QPointF(4.5, 27.5));
    p.drawLine(QPointF(4.5, 27.5), QPointF(29, 27.5));
    p.setPen(pen(QColor(0, 0, 0, 90), 0.8));
    const struct {
        double x, top;
        QColor colour;
    } bars[] = {{7.5, 16, QColor(40, 110, 200)}, {13.5, 8, QColor(40, 160, 60)}, {19.5, 12, QColor(235, 140, 30)},
                {25, 20, QColor(200, 50, 50)}};
    for (const auto& b : bars) {
        p.setBrush(b.colour);
        p.drawRect(QRectF(b.x, b.top, 4, 27.5 - b.top));
    }
}

void drawEraser(QPainter& p)
{
    p.save();
    p.translate(16, 15);
    p.rotate(-35);
    p.setPen(pen(kInk, 1.1));
    p.setBrush(QColor(240, 130, 150));
    p.drawRoundedRect(QRectF(-3, -6, 14, 12), 1.5, 1.5);
    p.setBrush(QColor(70, 120, 200));
    p.drawRoundedRect(QRectF(-12, -6, 9, 12), 1.5, 1.5);
    p.restore();
    p.setPen(pen(QColor(150, 150, 150), 1.2));
    p.drawLine(QPointF(4, 28), QPointF(20, 28));
}

void drawGear(QPainter& p)
{
    QPainterPath gear;
    constexpr int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const double angle = (i + 0.5) * std::numbers::pi * 2 / (teeth * 4);
        const bool out = (i % 4) < 2;
        const double r = out ? 13.0 : 10.0;
        const QPointF point(16 + r * std::cos(angle), 16 + r * std::sin(angle));
        if (i == 0)
            gear.moveTo(point);
        else
            gear.lineTo(point);
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(16, 16), 4.5, 4.5);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(pen(QColor(70, 75, 85), 1.0));
    p.setBrush(QColor(150, 155, 165));
    p.drawPath(gear);
}

void drawMagnifier(QPainter& p)
{
    p.setPen(pen(kInk, 2.6));
    p.setBrush(QColor(220, 235, 250));
    p.drawEllipse(QPointF(13, 13), 8, 8);
    p.setPen(pen(kInk, 4.0));
    p.drawLine(QPointF(19, 19), QPointF(27, 27));
}

using Draw = void (*)(QPainter&);

Draw drawingOf(const QString& name)
{
    static const struct {
        const char* name;
        Draw draw;
    } drawings[] = {
        {"enregistrer", drawSave},
        {"imprimante", drawPrinter},
        {"ajouterPl", drawCommand<drawLogPage, markAdd>},
        {"supprimerPl", drawCommand<drawLogPage, markDelete>},
        {"insererPl", drawCommand<drawLogPage, markInsert>},
        {"validerPl", drawCommand<drawLogPage, markUpdate>},
        {"ajouterEnt", drawCommand<drawFirmCard, markAdd>},
        {"supprimerEnt", drawCommand<drawFirmCard, markDelete>},
        {"insererEnt", drawCommand<drawFirmCard, markInsert>},
        {"validerEnt", drawCommand<drawFirmCard, markUpdate>},
        {"ajouterSt", drawCommand<drawStructureCard, markAdd>},
        {"supprimerSt", drawCommand<drawStructureCard, markDelete>},
        {"insererSt", drawCommand<drawStructureCard, markInsert>},
        {"validerSt", drawCommand<drawStructureCard, markUpdate>},
        {"ajouterEp", drawCommand<drawWreckCard, markAdd>},
        {"supprimerEp", drawCommand<drawWreckCard, markDelete>},
        {"insererEp", drawCommand<drawWreckCard, markInsert>},
        {"validerEp", drawCommand<drawWreckCard, markUpdate>},
        {"ajouterMat", drawCommand<drawEquipmentCard, markAdd>},
        {"supprimerMat", drawCommand<drawEquipmentCard, markDelete>},
        {"insererMat", drawCommand<drawEquipmentCard, markInsert>},
        {"validerMat", drawCommand<drawEquipmentCard, markUpdate>},
        {"ajouterCons", drawCommand<drawConsumableCard, markAdd>},
        {"supprimerCons", drawCommand<drawConsumableCard, markDelete>},
        {"insererCons", drawCommand<drawConsumableCard, markInsert>},
        {"validerCons", drawCommand<drawConsumableCard, markUpdate>},
        {"ajouterComp", drawCommand<drawCompressor, markAdd>},
        {"supprimerComp", drawCommand<drawCompressor, markDelete>},
        {"insererComp", drawCommand<drawCompressor, markInsert>},
        {"validerComp", drawCommand<drawCompressor, markUpdate>},
        {"addSoda", drawCommand<drawCanister, markAdd>},
        {"deleteSoda", drawCommand<drawCanister, markDelete>},
        {"insertSoda", drawCommand<drawCanister, markInsert>},
        {"updateSoda", drawCommand<drawCanister, markUpdate>},
        {"ajouterBud", drawCommand<drawBudgetSheet, markAdd>},
        {"supprimerBud", drawCommand<drawBudgetSheet, markDelete>},
        {"insererBud", drawCommand<drawBudgetSheet, markInsert>},
        {"validerBud", drawCommand<drawBudgetSheet, markUpdate>},
        {"ProfilPl", drawProfile},
        {"profilData", drawProfileData},
        {"importUDCF", [](QPainter& p) { drawImport(p, QStringLiteral("UDCF")); }},
        {"importUDDF", [](QPainter& p) { drawImport(p, QStringLiteral("UDDF")); }},
        {"texte", drawText},
        {"statistics", drawStatistics},
        {"raz", drawEraser},
        {"customise", drawGear},
        {"loupe", drawMagnifier},
    };
    for (const auto& d : drawings)
        if (name == QLatin1String(d.name))
            return d.draw;
    return nullptr;
}

} // namespace

bool ToolbarPictures::knows(const QString& name) { return drawingOf(name) != nullptr; }

QIcon ToolbarPictures::icon(const QString& name) const
{
    if (name.isEmpty())
        return QIcon();
    auto found = m_cache.find(name);
    if (found == m_cache.end()) {
        QIcon icon;
        if (knows(name)) {
            // Sharp at the usual sizes and on high-density screens.
            for (const int side : {16, 24, kSize, 2 * kSize})
                icon.addPixmap(draw(name, side));
        }
        found = m_cache.insert(name, icon);
    }
    return found.value();
}

QPixmap ToolbarPictures::draw(const QString& name, int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(side / double(kSize), side / double(kSize));
    if (const Draw d = drawingOf(name))
        d(p);
    return pixmap;
}
