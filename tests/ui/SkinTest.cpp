#include "ui/skin/IconFile.h"
#include "ui/skin/SkinButton.h"
#include "ui/skin/SkinImages.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cstdint>

namespace tonlira {
namespace {

std::uint16_t u16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<std::uint16_t>(b.constData() + at); }
std::uint32_t u32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<std::uint32_t>(b.constData() + at); }

int expectedSize(ImageId id) {
    const int n = static_cast<int>(id);
    return n <= 6 ? 40 : n <= 12 ? 20 : 12;
}

QByteArray skinFile(ImageId id) {
    loadSkinImages();  // makes sure the resources are linked in
    QFile file(skinResourcePath(id));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Checks one image of an icon file byte by byte, independent of the reader.
void checkIconImage(const QByteArray& bytes, int index, int size, const char* name) {
    SCOPED_TRACE(testing::Message() << name << " entry " << index);
    const qsizetype entry = 6 + 16 * index;
    ASSERT_LE(entry + 16, bytes.size());
    EXPECT_EQ(static_cast<unsigned char>(bytes[entry]), size);
    EXPECT_EQ(static_cast<unsigned char>(bytes[entry + 1]), size);
    EXPECT_EQ(u16(bytes, entry + 4), 1);   // planes
    EXPECT_EQ(u16(bytes, entry + 6), 32);  // bits per pixel
    const std::uint32_t length = u32(bytes, entry + 8);
    const std::uint32_t offset = u32(bytes, entry + 12);
    const int maskStride = ((size + 31) / 32) * 4;
    ASSERT_EQ(static_cast<int>(length), 40 + size * size * 4 + maskStride * size);
    ASSERT_LE(offset + length, static_cast<std::uint32_t>(bytes.size()));

    EXPECT_EQ(u32(bytes, offset), 40u);
    EXPECT_EQ(static_cast<int>(u32(bytes, offset + 4)), size);
    EXPECT_EQ(static_cast<int>(u32(bytes, offset + 8)), 2 * size);
    EXPECT_EQ(u16(bytes, offset + 14), 32);
    EXPECT_EQ(u32(bytes, offset + 16), 0u);

    const qsizetype pixels = offset + 40;
    const qsizetype mask = pixels + size * size * 4;
    int translucent = 0;
    for (int row = 0; row < size; ++row) {
        for (int x = 0; x < size; ++x) {
            const int alpha = static_cast<unsigned char>(bytes[pixels + (row * size + x) * 4 + 3]);
            const bool masked = (bytes[mask + row * maskStride + x / 8] & (0x80 >> (x % 8))) != 0;
            EXPECT_EQ(masked, alpha == 0) << "row " << row << " x " << x;
            translucent += alpha < 255 ? 1 : 0;
        }
    }
    EXPECT_GT(translucent, 0);
}

TEST(SkinFiles, AreIconFilesWithAlphaAndAMatchingMask) {
    for (const ImageId id : allSkinImages) {
        const QByteArray bytes = skinFile(id);
        const QByteArray name = skinResourcePath(id).toUtf8();
        ASSERT_GE(bytes.size(), 6) << name.constData();
        EXPECT_EQ(u16(bytes, 0), 0);
        EXPECT_EQ(u16(bytes, 2), 1);
        const bool twoVariants = id == ImageId::SongInfo || id == ImageId::Restore;
        ASSERT_EQ(u16(bytes, 4), twoVariants ? 2 : 1) << name.constData();
        for (int i = 0; i < u16(bytes, 4); ++i) {
            checkIconImage(bytes, i, expectedSize(id), name.constData());
        }
    }
}

TEST(SkinFiles, TransportSymbolsAreBlueOnADarkTile) {
    const SkinImages skin = loadSkinImages();
    for (const ImageId id : allSkinImages) {
        if (id == ImageId::SongInfo || id == ImageId::Restore) {
            continue;
        }
        const QImage image = skin.image(id);
        SCOPED_TRACE(static_cast<int>(id));
        ASSERT_FALSE(image.isNull());
        const int size = image.width();
        // The tile fills the image: opaque face, softened translucent corners.
        EXPECT_EQ(image.pixelColor(2, size / 2).alpha(), 255);
        EXPECT_LT(image.pixelColor(2, size / 2).red(), 60);
        EXPECT_LT(image.pixelColor(0, 0).alpha(), 255);
        EXPECT_LT(image.pixelColor(size - 3, size - 3).lightness(), image.pixelColor(2, 2).lightness());
        int blue = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QColor c = image.pixelColor(x, y);
                blue += c.blue() > 150 && c.blue() > c.red() + 60 ? 1 : 0;
            }
        }
        EXPECT_GT(blue, size * size / 20);
    }
    // The restore arrow stands on a transparent background.
    EXPECT_EQ(skin.image(ImageId::Restore).pixelColor(0, 11).alpha(), 0);
}

TEST(SkinImages, LoadsEveryNumberButSeven) {
    const SkinImages skin = loadSkinImages();
    EXPECT_EQ(skin.count(), 14u);
    for (const ImageId id : allSkinImages) {
        const int size = expectedSize(id);
        EXPECT_EQ(skin.pixmap(id).size(), QSize(size, size)) << static_cast<int>(id);
        EXPECT_FALSE(skin.menuIcon(id).pixmap(menuIconSize, menuIconSize).isNull());
    }
    const auto unused = static_cast<ImageId>(7);
    EXPECT_FALSE(skin.contains(unused));
    EXPECT_TRUE(skin.pixmap(unused).isNull());
    EXPECT_TRUE(skin.menuIcon(unused).isNull());
}

TEST(IconFile, RoundTripsAndRejectsDamagedData) {
    QImage image(5, 3, QImage::Format_ARGB32);
    image.fill(qRgba(10, 20, 30, 255));
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    image.setPixel(4, 2, qRgba(200, 100, 50, 128));
    QImage second(2, 2, QImage::Format_ARGB32);
    second.fill(qRgba(1, 2, 3, 4));
    const QByteArray bytes = writeIconFile({image, second});

    const std::vector<QImage> read = readIconFile(bytes);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0], image);
    EXPECT_EQ(read[1], second);

    EXPECT_TRUE(readIconFile(bytes.left(bytes.size() - 1)).empty());
    EXPECT_TRUE(readIconFile(QByteArray("\0\0\2\0\1\0", 6)).empty());
    EXPECT_TRUE(readIconFile(QByteArray()).empty());
    QByteArray wildOffset = bytes;
    qToLittleEndian<std::uint32_t>(0x7FFFFFF0u, wildOffset.data() + 6 + 12);
    EXPECT_TRUE(readIconFile(wildOffset).empty());
}

TEST(IconFile, OpaqueIconWithoutAlphaUsesTheMask) {
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(9, 9, 9, 0));
    image.setPixel(1, 0, qRgba(0, 0, 0, 0));
    QByteArray bytes = writeIconFile({image});
    // Mark only the second pixel transparent in the mask.
    const qsizetype mask = 6 + 16 + 40 + 2 * 4;
    bytes[mask] = static_cast<char>(0x40);
    const std::vector<QImage> read = readIconFile(bytes);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].pixel(0, 0), qRgba(9, 9, 9, 255));
    EXPECT_EQ(qAlpha(read[0].pixel(1, 0)), 0);
}

TEST(SkinButton, ImageIsCentredShiftedWhenDownAndGreyedWhenDisabled) {
    const SkinImages skin = loadSkinImages();
    QWidget panel;
    SkinButton button(ControlId::PlayButton, skin.pixmap(ImageId::Play), &panel);
    button.setGeometry(5, 78, 47, 47);
    EXPECT_EQ(button.id(), ControlId::PlayButton);
    EXPECT_EQ(button.imagePosition(), QPoint(3, 3));

    const QImage up = button.grab().toImage();
    button.setDown(true);
    EXPECT_EQ(button.imagePosition(), QPoint(4, 4));
    const QImage down = button.grab().toImage();
    button.setDown(false);
    // Inside the tile, the pressed picture is the normal one moved by (1, 1).
    for (const QPoint p : {QPoint(23, 23), QPoint(12, 30), QPoint(30, 12)}) {
        EXPECT_EQ(down.pixel(p + QPoint(1, 1)), up.pixel(p)) << p.x() << "," << p.y();
    }
    // The symbol's blue at the centre.
    const QColor centre = up.pixelColor(3 + 20, 3 + 20);
    EXPECT_GT(centre.blue(), centre.red() + 60);

    button.setEnabled(false);
    const QColor greyed = button.grab().toImage().pixelColor(3 + 20, 3 + 20);
    EXPECT_LT(std::abs(greyed.blue() - greyed.red()), 30);
}

}  // namespace
}  // namespace tonlira
