#include "registers/ui/PictureWell.h"
#include "platform/InterfaceText.h"

#include "platform/draw/StoredPicture.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>

PictureWell::PictureWell(const QString& placeholderText, QWidget* parent)
    : QFrame(parent), m_placeholder(placeholderText)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAcceptDrops(true);
    setMinimumSize(240, 160);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PictureWell::setPicture(const std::optional<QByteArray>& bytes)
{
    m_bytes = bytes;
    m_shown = QPixmap();
    if (m_bytes)
        m_shown = QPixmap::fromImage(storedpicture::decode(*m_bytes));
    update();
}

bool PictureWell::takeFile(const QString& path, QString* error)
{
    auto stored = storedpicture::fromFile(path);
    if (!stored) {
        if (error)
            *error = stored.error();
        return false;
    }
    setPicture(stored.take());
    emit pictureChanged();
    return true;
}

void PictureWell::refuse(const QString& path, const QString& error)
{
    QMessageBox::warning(window(), ui::text("Picture refused"),
                         ui::text("“%1” cannot be the card's picture: %2.").arg(QFileInfo(path).fileName(), error));
}

void PictureWell::openFile()
{
    const QString path = QFileDialog::getOpenFileName(window(), ui::text("Choose a Picture"), QString(),
                                                      ui::text("Pictures (*.png *.jpg *.jpeg *.gif *.bmp *.tif *.tiff);;"
                                                         "All files (*)"));
    QString error;
    if (!path.isEmpty() && !takeFile(path, &error))
        refuse(path, error);
}

void PictureWell::clear()
{
    setPicture(std::nullopt);
    emit pictureChanged();
}

void PictureWell::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect inside = contentsRect().adjusted(4, 4, -4, -4);
    if (!m_shown.isNull()) {
        const QPixmap scaled = m_shown.scaled(inside.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        p.drawPixmap(inside.center() - scaled.rect().center(), scaled);
        return;
    }
    // The placeholder: a camera crossed out and its words.
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = inside.center() - QPointF(0, 14);
    p.setPen(QPen(QColor(150, 150, 155), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(c.x() - 26, c.y() - 16, 52, 34), 5, 5);
    p.drawEllipse(c + QPointF(0, 1), 10, 10);
    p.drawLine(c + QPointF(-30, 22), c + QPointF(30, -22));
    p.setPen(QColor(120, 120, 125));
    p.drawText(QRectF(inside.left(), c.y() + 26, inside.width(), 24), Qt::AlignCenter, m_placeholder);
}

void PictureWell::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() || event->mimeData()->hasImage())
        event->acceptProposedAction();
}

void PictureWell::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() && !data->urls().isEmpty() && data->urls().first().isLocalFile()) {
        const QString path = data->urls().first().toLocalFile();
        QString error;
        if (!takeFile(path, &error))
            refuse(path, error);
    } else if (data->hasImage()) {
        auto stored = storedpicture::fromImage(qvariant_cast<QImage>(data->imageData()));
        if (!stored) {
            refuse(ui::text("the dropped picture"), stored.error());
            return;
        }
        setPicture(stored.take());
        emit pictureChanged();
    }
    event->acceptProposedAction();
}
