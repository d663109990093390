#pragma once

#include "profile/ProfileScene.h"

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QTransform>

class QPainter;
class QPagedPaintDevice;

// Paints a profile scene with QPainter on any device: a widget, an image, a
// printer or a PDF. The scene's canvas (origin bottom left, y up) is fitted
// into the target rectangle with its proportions kept, centred, and turned
// the right way up; texts and the alarm icons stay upright.
class ProfilePainter {
public:
    // The printed page: portrait, margins in points, the view at 75 %.
    static constexpr double kPrintScale = 0.75;
    static constexpr double kMarginTop = 20;
    static constexpr double kMarginBottom = 20;
    static constexpr double kMarginLeft = 10;
    static constexpr double kMarginRight = 10;

    // Canvas to device for a target rectangle.
    static QTransform canvasTransform(const QRectF& target);

    // The background fills the whole target; the drawing fits inside.
    static void paint(QPainter& painter, const ProfileScene& scene, const QRectF& target);

    // The scene in an opaque image of a size, on white.
    static QImage image(const ProfileScene& scene, QSize size);
    static QByteArray png(const ProfileScene& scene, QSize size);

    // Sets a page device up for printing the view: portrait, the margins.
    static void preparePage(QPagedPaintDevice& device);
    // Paints the view on the printable area of a page device, at 75 % of
    // its size in points (less when the page is narrower), centred across
    // and at the top.
    static void paintPage(QPainter& painter, const QPagedPaintDevice& device, const ProfileScene& scene);
    // A one-page A4 PDF of the printed view.
    static QByteArray pdf(const ProfileScene& scene, const QString& title = QString());

    // The size of an alarm icon in canvas points; its bottom left is where
    // the scene places it.
    static QSizeF iconSize(ProfileScene::Image image);
    // Draws an icon with its bottom left at the origin, extending up (to
    // negative y) in a painter whose y grows downward.
    static void drawIcon(QPainter& painter, ProfileScene::Image image);
};
