#include "Raster.h"

#include <algorithm>
#include <array>
#include <vector>

namespace skingen {

namespace {

constexpr int blurPasses = 3;
constexpr int channels = 4;

// Where channel `c` of pixel (x, y) lies in the data of an image `width` wide.
std::size_t indexOf(int x, int y, int width, int c) {
    return static_cast<std::size_t>((y * width + x) * channels + c);
}

// One horizontal (or, transposed, vertical) pass of a running box sum.
void boxPass(std::vector<int>& data, int width, int height, int radius, bool horizontal) {
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    std::vector<int> line(indexOf(0, 1, length, 0));
    const int window = 2 * radius + 1;
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i, int c) -> int& {
            const int x = horizontal ? i : l;
            const int y = horizontal ? l : i;
            return data[indexOf(x, y, width, c)];
        };
        for (int c = 0; c < channels; ++c) {
            for (int i = 0; i < length; ++i) {
                int sum = 0;
                for (int k = -radius; k <= radius; ++k) {
                    const int j = i + k;
                    sum += (j >= 0 && j < length) ? at(j, c) : 0;
                }
                line[indexOf(i, 0, length, c)] = (sum + window / 2) / window;
            }
        }
        for (int i = 0; i < length; ++i) {
            for (int c = 0; c < channels; ++c) {
                at(i, c) = line[indexOf(i, 0, length, c)];
            }
        }
    }
}

}  // namespace

QImage blankCanvas(int width, int height) {
    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}

QImage blurred(const QImage& source, int radius) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    std::vector<int> data(indexOf(0, h, w, 0));
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            const std::array<int, channels> v{qAlpha(row[x]), qRed(row[x]), qGreen(row[x]), qBlue(row[x])};
            std::copy(v.begin(), v.end(), data.begin() + (static_cast<std::ptrdiff_t>(y) * w + x) * channels);
        }
    }
    for (int pass = 0; pass < blurPasses; ++pass) {
        boxPass(data, w, h, radius, true);
        boxPass(data, w, h, radius, false);
    }
    QImage out = blankCanvas(w, h);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int* p = &data[indexOf(x, y, w, 0)];
            row[x] = qRgba(p[1], p[2], p[3], p[0]);
        }
    }
    return out;
}

QImage reduced(const QImage& source, int factor) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = image.width() / factor;
    const int h = image.height() / factor;
    const int n = factor * factor;
    QImage out = blankCanvas(w, h);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            std::array<int, channels> sum{};
            for (int dy = 0; dy < factor; ++dy) {
                const auto* src = reinterpret_cast<const QRgb*>(image.constScanLine(y * factor + dy));
                for (int dx = 0; dx < factor; ++dx) {
                    const QRgb p = src[x * factor + dx];
                    sum[0] += qAlpha(p);
                    sum[1] += qRed(p);
                    sum[2] += qGreen(p);
                    sum[3] += qBlue(p);
                }
            }
            for (int& s : sum) {
                s = (s + n / 2) / n;
            }
            row[x] = qRgba(sum[1], sum[2], sum[3], sum[0]);
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace skingen
