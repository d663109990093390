#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

class QPainter;

// The pictures of the toolbar items ("enregistrer", "imprimante",
// "ajouterPl", "ProfilPl"...) and of the find field ("loupe"), drawn once
// at first use and kept.
class ToolbarPictures {
public:
    // The side of the pictures, in device-independent pixels.
    static constexpr int kSize = 32;

    // The icon of a picture name; a null icon for an empty or unknown name.
    QIcon icon(const QString& name) const;
    // Whether a picture of that name is drawn.
    static bool knows(const QString& name);

private:
    static QPixmap draw(const QString& name, int side);

    mutable QHash<QString, QIcon> m_cache;
};
