#include "panel/sound/ScopeDrawing.h"

#include <algorithm>
#include <cmath>

namespace sorv {

namespace {

constexpr int kSpectrumCentre = kSpectrumWidth / 2;
constexpr int kWaveZero = kWaveHeight / 2;
constexpr int64_t kLevelDivisor = 800;

// A horizontal line from a to b covers a and stops before b, in either direction; a and b are
// columns of the design, row is width device pixels wide.
void paintSpan(QRgb* row, int width, int a, int b, QRgb ink) {
  int first = a < b ? a : b + 1;
  int last = a < b ? b - 1 : a;
  if (a == b) return;
  first = std::max(first, 0);
  last = std::min(last, kSpectrumWidth - 1);
  if (first <= last)
    std::fill(row + first * width / kSpectrumWidth, row + (last + 1) * width / kSpectrumWidth, ink);
}

int32_t barLength(const Bins& bins, int i, int32_t volume) {
  const int64_t sum = int64_t(bins[i]) + bins[i + 1] + bins[i + 2] + bins[i + 3];
  const int64_t length = roundHalfEven(sum * volume, kLevelDivisor);
  return static_cast<int32_t>(std::clamp<int64_t>(length, 0, kSpectrumWidth));
}

// At least the design's size (more at a device pixel ratio above 1), 32-bit.
bool fits(const QImage& image, int width, int height) {
  return image.width() >= width && image.height() >= height && image.depth() == 32;
}

}  // namespace

int64_t roundHalfEven(int64_t num, int64_t den) {
  int64_t q = num / den;
  int64_t r = num % den;
  if (r < 0) {
    r += den;
    --q;
  }
  if (2 * r > den || (2 * r == den && (q & 1))) ++q;
  return q;
}

void drawSpectrumRows(QImage& image, const QImage& picture, QRgb ink, const Bins& left,
                      const Bins& right, int32_t volumeLeft, int32_t volumeRight) {
  if (!fits(image, kSpectrumWidth, kSpectrumHeight) || picture.size() != image.size()) return;
  if (picture.depth() != 32) return;
  const int width = image.width();
  const int height = image.height();
  for (int k = 0; k < kSpectrumHeight; ++k) {
    const int i = 4 * k;
    const int32_t l = barLength(left, i, volumeLeft);
    const int32_t r = barLength(right, i, volumeRight);
    const int y = kSpectrumHeight - 1 - k;
    const int top = y * height / kSpectrumHeight;
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(top));
    const auto* lit = reinterpret_cast<const QRgb*>(picture.constScanLine(top));
    std::copy(lit, lit + width, row);
    if (l + r != 0) {
      paintSpan(row, width, 0, kSpectrumCentre - l, ink);
      paintSpan(row, width, kSpectrumCentre + r, kSpectrumWidth, ink);
    } else {
      paintSpan(row, width, 0, kSpectrumWidth, ink);
    }
    // Above ratio 1 a row of lamps is several device rows: the first one, copied.
    for (int y2 = top + 1; y2 < (y + 1) * height / kSpectrumHeight; ++y2)
      std::copy(row, row + width, reinterpret_cast<QRgb*>(image.scanLine(y2)));
  }
}

void drawWaveTrace(QImage& image, QRgb back, const Bins& left, const Bins& right,
                   int32_t volumeLeft, int32_t volumeRight) {
  if (!fits(image, kWaveWidth, kWaveHeight)) return;
  const int64_t width = image.width();
  const int64_t height = image.height();
  image.fill(back);
  for (int i = 0; i < kBins; ++i) {
    const int64_t mix = int64_t(left[i]) * volumeLeft + int64_t(right[i]) * volumeRight;
    // mix / 800 + 25 and i / 2.5 of the design, on device pixels.
    const int64_t y =
        roundHalfEven(mix * height, kLevelDivisor * kWaveHeight) + kWaveZero * height / kWaveHeight;
    const int64_t x = roundHalfEven(2 * i * width, 5 * kWaveWidth);
    if (x >= width || y < 0 || y >= height) continue;
    const int64_t level = y * kWaveHeight / height;
    const int red = std::clamp<int64_t>(150 - 3 * level, 0, 255);
    const int blue = std::clamp<int64_t>(3 * level, 0, 255);
    reinterpret_cast<QRgb*>(image.scanLine(int(y)))[x] = qRgb(red, 0, blue);
  }
}

QImage spectrumPicture(QSize pixels) {
  QImage picture(pixels, QImage::Format_RGB32);
  const double columns = double(pixels.width()) / kSpectrumWidth;
  for (int y = 0; y < pixels.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
    // Every other row a little dimmer, so the bars read as rows of lamps.
    const double shade = (y * kSpectrumHeight / pixels.height() % 2 == 0) ? 1.0 : 0.72;
    for (int x = 0; x < pixels.width(); ++x) {
      // 0 centre, 1 edge
      const double d = std::abs((x + 0.5) / columns - kSpectrumCentre) / kSpectrumCentre;
      const double red = d < 0.5 ? 80 + 350 * d : 255;
      const double green = d < 0.5 ? 235 : 235 - 400 * (d - 0.5);
      const double blue = d < 0.25 ? 90 - 360 * d : 0;
      row[x] = qRgb(int(red * shade), int(std::max(green, 30.0) * shade), int(blue * shade));
    }
  }
  return picture;
}

}  // namespace sorv
