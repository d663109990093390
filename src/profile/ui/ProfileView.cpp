#include "profile/ui/ProfileView.h"

#include "profile/draw/ProfilePainter.h"

#include <QMouseEvent>
#include <QPainter>

ProfileView::ProfileView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("profilView"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ProfileView::setScene(ProfileScene scene)
{
    m_scene = std::move(scene);
    update();
}

ProfileScene::Point ProfileView::canvasPoint(QPointF position) const
{
    const QPointF p = ProfilePainter::canvasTransform(QRectF(rect())).inverted().map(position);
    return {p.x(), p.y()};
}

QSize ProfileView::sizeHint() const
{
    return QSize(int(ProfileScene::kCanvasWidth), int(ProfileScene::kCanvasHeight));
}

QSize ProfileView::minimumSizeHint() const
{
    return QSize(int(ProfileScene::kCanvasWidth / 2), int(ProfileScene::kCanvasHeight / 2));
}

void ProfileView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    ProfilePainter::paint(painter, m_scene, QRectF(rect()));
}

void ProfileView::mouseMoveEvent(QMouseEvent* event)
{
    emit pointerMoved(m_scene.readout(canvasPoint(event->position())));
    QWidget::mouseMoveEvent(event);
}
