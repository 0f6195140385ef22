#include "ui/skin/IconFile.h"

#include <QtEndian>

#include <cstdint>
#include <cstring>

namespace tonlira {

namespace {

constexpr int iconDirSize = 6;
constexpr int iconDirEntrySize = 16;
constexpr int bitmapInfoHeaderSize = 40;
constexpr std::uint16_t iconResourceType = 1;
constexpr std::uint16_t bitsPerPixel = 32;
constexpr int bytesPerPixel = 4;
constexpr int largestDimension = 256;  // stored as 0 in a directory entry

// Rows of the 1-bit mask are padded to whole 32-bit words.
int maskStride(int width) { return ((width + 31) / 32) * 4; }

void put16(QByteArray& out, std::uint16_t v) {
    char bytes[2];
    qToLittleEndian(v, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray& out, std::uint32_t v) {
    char bytes[4];
    qToLittleEndian(v, bytes);
    out.append(bytes, 4);
}

std::uint16_t get16(const QByteArray& in, qsizetype at) {
    return qFromLittleEndian<std::uint16_t>(in.constData() + at);
}

std::uint32_t get32(const QByteArray& in, qsizetype at) {
    return qFromLittleEndian<std::uint32_t>(in.constData() + at);
}

QByteArray encodeBitmap(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    const int xorSize = w * h * bytesPerPixel;
    const int andSize = maskStride(w) * h;

    QByteArray out;
    put32(out, bitmapInfoHeaderSize);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(2 * h));  // colour rows plus mask rows
    put16(out, 1);                                  // planes
    put16(out, bitsPerPixel);
    put32(out, 0);  // no compression
    put32(out, static_cast<std::uint32_t>(xorSize + andSize));
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);

    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const QRgb p = row[x];
            const char bgra[4] = {static_cast<char>(qBlue(p)), static_cast<char>(qGreen(p)),
                                  static_cast<char>(qRed(p)), static_cast<char>(qAlpha(p))};
            out.append(bgra, 4);
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        QByteArray maskRow(maskStride(w), '\0');
        for (int x = 0; x < w; ++x) {
            if (qAlpha(row[x]) == 0) {
                maskRow[x / 8] = static_cast<char>(maskRow[x / 8] | (0x80 >> (x % 8)));
            }
        }
        out.append(maskRow);
    }
    return out;
}

QImage decodeBitmap(const QByteArray& bytes, qsizetype offset, qsizetype length) {
    if (offset < 0 || length < bitmapInfoHeaderSize || offset + length > bytes.size()) {
        return {};
    }
    if (get32(bytes, offset) != bitmapInfoHeaderSize) {
        return {};
    }
    const auto w = static_cast<std::int32_t>(get32(bytes, offset + 4));
    const auto doubledHeight = static_cast<std::int32_t>(get32(bytes, offset + 8));
    const int bits = get16(bytes, offset + 14);
    const std::uint32_t compression = get32(bytes, offset + 16);
    if (w <= 0 || w > largestDimension || doubledHeight <= 0 || doubledHeight % 2 != 0 ||
        doubledHeight / 2 > largestDimension || bits != bitsPerPixel || compression != 0) {
        return {};
    }
    const int h = doubledHeight / 2;
    const qsizetype pixels = offset + bitmapInfoHeaderSize;
    const qsizetype mask = pixels + static_cast<qsizetype>(w) * h * bytesPerPixel;
    const qsizetype end = mask + static_cast<qsizetype>(maskStride(w)) * h;
    if (end > offset + length) {
        return {};
    }

    QImage image(w, h, QImage::Format_ARGB32);
    bool anyAlpha = false;
    for (int y = 0; y < h; ++y) {
        const char* src = bytes.constData() + pixels + static_cast<qsizetype>(h - 1 - y) * w * bytesPerPixel;
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const auto* p = reinterpret_cast<const unsigned char*>(src + x * bytesPerPixel);
            row[x] = qRgba(p[2], p[1], p[0], p[3]);
            anyAlpha = anyAlpha || p[3] != 0;
        }
    }
    if (!anyAlpha) {
        // An icon without alpha values: the AND mask alone says what is shown.
        for (int y = 0; y < h; ++y) {
            const char* maskRow = bytes.constData() + mask + static_cast<qsizetype>(h - 1 - y) * maskStride(w);
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const bool transparent = (maskRow[x / 8] & (0x80 >> (x % 8))) != 0;
                row[x] = transparent ? qRgba(0, 0, 0, 0) : (row[x] | 0xFF000000u);
            }
        }
    }
    return image;
}

}  // namespace

QByteArray writeIconFile(const std::vector<QImage>& images) {
    std::vector<QByteArray> bitmaps;
    bitmaps.reserve(images.size());
    for (const QImage& image : images) {
        bitmaps.push_back(encodeBitmap(image));
    }

    QByteArray out;
    put16(out, 0);
    put16(out, iconResourceType);
    put16(out, static_cast<std::uint16_t>(images.size()));
    auto offset = static_cast<std::uint32_t>(iconDirSize + iconDirEntrySize * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int w = images[i].width();
        const int h = images[i].height();
        out.append(static_cast<char>(w >= largestDimension ? 0 : w));
        out.append(static_cast<char>(h >= largestDimension ? 0 : h));
        out.append('\0');  // no palette
        out.append('\0');
        put16(out, 1);  // planes
        put16(out, bitsPerPixel);
        put32(out, static_cast<std::uint32_t>(bitmaps[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(bitmaps[i].size());
    }
    for (const QByteArray& bitmap : bitmaps) {
        out.append(bitmap);
    }
    return out;
}

std::vector<QImage> readIconFile(const QByteArray& bytes) {
    if (bytes.size() < iconDirSize || get16(bytes, 0) != 0 || get16(bytes, 2) != iconResourceType) {
        return {};
    }
    const int count = get16(bytes, 4);
    if (count == 0 || bytes.size() < iconDirSize + qsizetype(count) * iconDirEntrySize) {
        return {};
    }
    std::vector<QImage> images;
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = iconDirSize + qsizetype(i) * iconDirEntrySize;
        const qsizetype length = get32(bytes, entry + 8);
        const qsizetype offset = get32(bytes, entry + 12);
        QImage image = decodeBitmap(bytes, offset, length);
        if (image.isNull()) {
            return {};
        }
        images.push_back(std::move(image));
    }
    return images;
}

}  // namespace tonlira
