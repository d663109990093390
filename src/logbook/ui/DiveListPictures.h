#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

// The small pictures of the dive list ("coeur", "point", "croix", "death",
// "epave"), drawn once at first use and kept.
class DiveListPictures {
public:
    static constexpr int kSize = 16;

    // The picture of a name; a null pixmap for an empty or unknown name.
    const QPixmap& picture(const QString& name) const;

private:
    static QPixmap draw(const QString& name);

    mutable QHash<QString, QPixmap> m_cache;
};
