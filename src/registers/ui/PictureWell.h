#pragma once

#include <QByteArray>
#include <QFrame>
#include <QString>

#include <optional>

// The picture of a card: shows the stored image scaled to fit, or the "no
// photo" placeholder when there is none. A picture file dropped on it, or
// chosen with Open, is read through storedpicture (a file that is not a
// readable image is refused with a message) and becomes the well's image.
class PictureWell : public QFrame {
    Q_OBJECT

public:
    explicit PictureWell(const QString& placeholderText, QWidget* parent = nullptr);

    const std::optional<QByteArray>& picture() const { return m_bytes; }
    // Shows stored bytes, or the placeholder for none.
    void setPicture(const std::optional<QByteArray>& bytes);

    // Takes an image file; false, with the reason, when it is refused.
    bool takeFile(const QString& path, QString* error);

    // Large enough to read a scanned paper.
    QSize sizeHint() const override { return QSize(420, 380); }

public slots:
    // Asks for a file and takes it, saying why when it is refused.
    void openFile();
    void clear();

signals:
    // The diver chose or removed a picture.
    void pictureChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void refuse(const QString& path, const QString& error);

    QString m_placeholder;
    std::optional<QByteArray> m_bytes;
    QPixmap m_shown;
};
