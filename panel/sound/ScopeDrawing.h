#pragma once
// The spectrum rows and the oscilloscope trace, written straight into the areas' images: the
// tick runs fourteen times a second, so no painter and no allocation.
#include <QImage>
#include <cstdint>

#include "decoder/Records.h"

namespace sorv {

inline constexpr int kSpectrumWidth = 100;
inline constexpr int kSpectrumHeight = 64;
inline constexpr int kWaveWidth = 100;
inline constexpr int kWaveHeight = 50;

// num / den rounded to the nearest integer, halves to the even neighbour; den > 0.
int64_t roundHalfEven(int64_t num, int64_t den);

// The drawing is in the design's pixels (kSpectrumWidth x kSpectrumHeight, kWaveWidth x
// kWaveHeight); an image of more device pixels (a device pixel ratio above 1) gets each design
// pixel as the device pixels it covers, so it comes out the same at every ratio, only finer.

// One row per four bins (bins 0-3 at the bottom): the left channel lit leftwards from the centre,
// the right rightwards, the rest painted with ink. picture and image are of one size, at least
// kSpectrumWidth x kSpectrumHeight, 32-bit.
void drawSpectrumRows(QImage& image, const QImage& picture, QRgb ink, const Bins& left,
                      const Bins& right, int32_t volumeLeft, int32_t volumeRight);

// Clears to back, then one device pixel per sample pair: height from both channels, colour from
// red (top) to blue (bottom).
void drawWaveTrace(QImage& image, QRgb back, const Bins& left, const Bins& right,
                   int32_t volumeLeft, int32_t volumeRight);

// The lit colours of the spectrum: green at the centre, through yellow to red at the edges.
QImage spectrumPicture(QSize pixels = QSize(kSpectrumWidth, kSpectrumHeight));

}  // namespace sorv
