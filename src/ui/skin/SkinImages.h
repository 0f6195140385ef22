#pragma once
// The skin images: the transport symbols and the two small window symbols,
// embedded as icon files and loaded once at start-up under their numbers.

#include "platform/Ids.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <map>

namespace tonlira {

inline constexpr int menuIconSize = 16;

class SkinImages {
public:
    // Image `id` (ARGB32), or a null image when it was not loaded.
    QImage image(ImageId id) const;
    QPixmap pixmap(ImageId id) const;
    // The image scaled to 16 x 16 for a menu item.
    QIcon menuIcon(ImageId id) const;
    bool contains(ImageId id) const { return images_.contains(id); }
    std::size_t count() const { return images_.size(); }

    void insert(ImageId id, QImage image);

private:
    std::map<ImageId, QImage> images_;
};

// Every skin image number the program uses (0 to 6 and 8 to 14).
inline constexpr ImageId allSkinImages[] = {
    ImageId::Previous,    ImageId::Pause,     ImageId::Stop,        ImageId::Play,
    ImageId::FastForward, ImageId::Rewind,    ImageId::Next,        ImageId::SmallPrevious,
    ImageId::SmallPause,  ImageId::SmallNext, ImageId::SmallRewind, ImageId::SmallFastForward,
    ImageId::SongInfo,    ImageId::Restore,
};

// Resource path of an image's icon file, e.g. ":/skin/skin03.ico".
QString skinResourcePath(ImageId id);

// Loads every skin image from the embedded resources. An image whose file is
// missing or malformed is left out (pixmap() then gives a null pixmap).
SkinImages loadSkinImages();

}  // namespace tonlira
