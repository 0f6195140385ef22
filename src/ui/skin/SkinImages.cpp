#include "ui/skin/SkinImages.h"

#include "ui/skin/IconFile.h"

#include <QFile>

#include <algorithm>

// The skin resources live in a static library: referencing them here keeps
// the linker from dropping them.
static void initSkinResources() { Q_INIT_RESOURCE(skin); }

namespace tonlira {

QString skinResourcePath(ImageId id) {
    return QStringLiteral(":/skin/skin%1.ico").arg(static_cast<int>(id), 2, 10, QLatin1Char('0'));
}

QImage SkinImages::image(ImageId id) const {
    const auto found = images_.find(id);
    return found != images_.end() ? found->second : QImage();
}

QPixmap SkinImages::pixmap(ImageId id) const {
    const QImage found = image(id);
    return found.isNull() ? QPixmap() : QPixmap::fromImage(found);
}

QIcon SkinImages::menuIcon(ImageId id) const {
    const QImage found = image(id);
    if (found.isNull()) {
        return {};
    }
    return QIcon(QPixmap::fromImage(
        found.scaled(menuIconSize, menuIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void SkinImages::insert(ImageId id, QImage image) { images_[id] = std::move(image); }

SkinImages loadSkinImages() {
    initSkinResources();
    SkinImages skin;
    for (const ImageId id : allSkinImages) {
        QFile file(skinResourcePath(id));
        if (!file.open(QIODevice::ReadOnly)) {
            continue;
        }
        const std::vector<QImage> images = readIconFile(file.readAll());
        if (images.empty()) {
            continue;
        }
        // The largest image; the first of equal ones.
        const auto largest = std::max_element(images.begin(), images.end(), [](const QImage& a, const QImage& b) {
            return a.width() * a.height() < b.width() * b.height();
        });
        skin.insert(id, *largest);
    }
    return skin;
}

}  // namespace tonlira
