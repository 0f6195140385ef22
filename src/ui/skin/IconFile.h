#pragma once
// Reading and writing Windows icon files: an ICONDIR header, one directory
// entry per image, and per image a BITMAPINFOHEADER followed by 32-bit BGRA
// rows (bottom-up, height doubled) and the 1-bit AND mask.
//
// Only Qt's image classes are used, so the skin generator shares this code.

#include <QByteArray>
#include <QImage>

#include <vector>

namespace tonlira {

// Encodes the images (any format; converted to ARGB32) into one icon file.
// A pixel whose alpha is 0 is marked transparent in the AND mask.
QByteArray writeIconFile(const std::vector<QImage>& images);

// Decodes every 32-bit image of an icon file as ARGB32, in directory order.
// Returns an empty list when the data is not a well-formed icon file.
std::vector<QImage> readIconFile(const QByteArray& bytes);

}  // namespace tonlira
