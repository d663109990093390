#pragma once

#include "profile/ProfileScene.h"

#include <QPointF>
#include <QWidget>

// Shows a profile scene, fitted to the widget, and reports what lies under
// the mouse as it moves over the drawing.
class ProfileView : public QWidget {
    Q_OBJECT

public:
    explicit ProfileView(QWidget* parent = nullptr);

    void setScene(ProfileScene scene);
    const ProfileScene& scene() const { return m_scene; }

    // The canvas point under a widget position.
    ProfileScene::Point canvasPoint(QPointF position) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The readout of the depth and time under the mouse.
    void pointerMoved(const ProfileScene::Readout& readout);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    ProfileScene m_scene;
};
