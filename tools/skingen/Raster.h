#pragma once
// Pixel helpers for drawing at a multiple of the final size: every drawing is
// made large and smooth, blurred where it should be soft, and reduced by
// plain averaging, so the same program always writes the same pixels.

#include <QImage>

namespace skingen {

// A transparent premultiplied ARGB canvas.
QImage blankCanvas(int width, int height);

// Box blur of `radius` pixels, run three times (close to a Gaussian).
QImage blurred(const QImage& image, int radius);

// Averages every factor x factor block into one pixel; the result is ARGB32.
QImage reduced(const QImage& image, int factor);

}  // namespace skingen
