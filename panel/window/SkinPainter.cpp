#include "panel/window/SkinPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "core/Fonts.h"
#include "panel/window/PanelLayout.h"

namespace sorv::panel {

namespace {

const QColor kFaceTop(58, 66, 92);
const QColor kFaceBottom(32, 37, 54);
const QColor kFaceEdge(96, 108, 140);
const QColor kSymbol(206, 226, 240);
const QColor kCaption(150, 170, 200);
const QColor kWell(6, 8, 14);

// The skin's straight lines are one device pixel wide at every ratio, drawn without smoothing
// so they stay on whole pixels; shapes, symbols and captions grow with the ratio.
void hairlines(QPainter& p, const QColor& color) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(color, 0));
}

QFont smallFont(int pixels, bool bold) {
  QFont font(QString::fromUtf8(kArial));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// A sunken frame around a display area.
void well(QPainter& p, const QRect& area) {
  const QRect outer = area.adjusted(-2, -2, 1, 1);
  p.save();
  p.fillRect(outer, kWell);
  hairlines(p, QColor(0, 0, 0));
  p.drawLine(outer.topLeft(), outer.topRight());
  p.drawLine(outer.topLeft(), outer.bottomLeft());
  p.setPen(QPen(QColor(84, 96, 128), 0));
  p.drawLine(outer.bottomLeft() + QPoint(1, 1), outer.bottomRight() + QPoint(1, 1));
  p.drawLine(outer.topRight() + QPoint(1, 1), outer.bottomRight() + QPoint(1, 1));
  p.restore();
}

void buttonFace(QPainter& p, const QRect& face, const QColor& top, const QColor& bottom) {
  QLinearGradient gradient(face.topLeft(), face.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  p.setPen(kFaceEdge);
  p.setBrush(gradient);
  p.drawRoundedRect(QRectF(face).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
}

void triangle(QPainter& p, QPointF tip, double width, double height, bool pointsRight) {
  const double back = pointsRight ? tip.x() - width : tip.x() + width;
  const QPointF corners[] = {tip, {back, tip.y() - height / 2}, {back, tip.y() + height / 2}};
  p.drawPolygon(corners, 3);
}

void paintTransportSymbol(QPainter& p, int command, const QRectF& face) {
  const QPointF c = face.center();
  p.setPen(Qt::NoPen);
  p.setBrush(kSymbol);
  switch (command) {
    case kPrevious:
      p.drawRect(QRectF(c.x() - 7, c.y() - 5, 2, 10));
      triangle(p, {c.x() - 5, c.y()}, 6, 10, false);
      triangle(p, {c.x() + 1, c.y()}, 6, 10, false);
      break;
    case kNext:
      triangle(p, {c.x() - 1, c.y()}, 6, 10, true);
      triangle(p, {c.x() + 5, c.y()}, 6, 10, true);
      p.drawRect(QRectF(c.x() + 5, c.y() - 5, 2, 10));
      break;
    case kPlay:
      triangle(p, {c.x() + 5, c.y()}, 10, 12, true);
      break;
    case kStop:
      p.drawRect(QRectF(c.x() - 5, c.y() - 5, 10, 10));
      break;
    case kPause:
      p.drawRect(QRectF(c.x() - 5, c.y() - 6, 3.5, 12));
      p.drawRect(QRectF(c.x() + 1.5, c.y() - 6, 3.5, 12));
      break;
    case kToBar:
      p.setBrush(Qt::NoBrush);
      p.setPen(QPen(kSymbol, 1.5));
      p.drawRect(QRectF(c.x() - 8, c.y() - 6, 16, 12));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(230, 210, 90));
      p.drawRect(QRectF(c.x() - 8, c.y() - 6, 16, 4));
      break;
    default:
      break;
  }
}

void paintCloseButton(QPainter& p, const QRect& face) {
  buttonFace(p, face, QColor(120, 52, 40), QColor(72, 28, 22));
  p.setPen(QPen(kSymbol, 1.6, Qt::SolidLine, Qt::RoundCap));
  const QPointF c = QRectF(face).center();
  p.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
  p.drawLine(c + QPointF(-4, 4), c + QPointF(4, -4));
}

void paintCaption(QPainter& p, const QRect& box, const QString& text, const QColor& color,
                  int pixels) {
  p.setFont(smallFont(pixels, true));
  p.setPen(color);
  p.drawText(box, Qt::AlignCenter, text);
}

void paintUpperButtons(QPainter& p) {
  for (const HotSpot& spot : kUpperHotSpots) {
    const QRect face = spot.flash.adjusted(1, 1, -1, -1);
    if (spot.command == kClose) {
      paintCloseButton(p, face);
      continue;
    }
    buttonFace(p, face, kFaceTop, kFaceBottom);
    paintTransportSymbol(p, spot.command, QRectF(face));
  }
}

void paintLowerButtons(QPainter& p) {
  static const char* const captions[] = {"OPTION", "SELECT", "LOOP", "SHUFFLE", "ABOUT"};
  for (int i = 0; i < 5; ++i) {
    const QRect face(320, 96 + 20 * i, 45, 17);
    buttonFace(p, face.adjusted(1, 1, -1, -1), kFaceTop, kFaceBottom);
    paintCaption(p, face, QString::fromLatin1(captions[i]), kCaption, 8);
  }
}

void groove(QPainter& p, const QRect& slot) {
  const int x = slot.center().x();
  p.save();
  p.fillRect(QRect(x - 1, slot.top() + 2, 3, slot.height() - 4), kWell);
  hairlines(p, QColor(70, 80, 108));
  p.drawLine(x + 2, slot.top() + 2, x + 2, slot.bottom() - 2);
  p.restore();
}

void paintEqualizerArea(QPainter& p) {
  static const char* const bands[] = {"60", "170", "310", "600", "1K",
                                      "3K", "6K",  "12K", "14K", "16K"};
  paintCaption(p, QRect(34, 204, 160, 10), "EQUALIZER", kCaption, 8);
  p.save();
  hairlines(p, QColor(50, 58, 80));
  for (int level = 0; level < 3; ++level) {
    const int y = 221 + level * 41;
    p.drawLine(30, y, 186, y);
  }
  p.restore();
  p.setFont(smallFont(7, false));
  p.setPen(kCaption);
  p.drawText(QRect(8, 216, 22, 10), Qt::AlignRight, "+12");
  p.drawText(QRect(8, 257, 22, 10), Qt::AlignRight, "0");
  p.drawText(QRect(8, 298, 22, 10), Qt::AlignRight, "-12");
  for (int band = 0; band < 10; ++band) {
    const QRect slot = equalizerBand(band);
    groove(p, slot);
    p.drawText(QRect(slot.center().x() - 8, 308, 17, 10), Qt::AlignCenter, bands[band]);
  }
}

void paintPresetsAndVolume(QPainter& p) {
  paintCaption(p, QRect(186, 204, 30, 10), "PRESET", kCaption, 7);
  for (int index = 0; index < 6; ++index) well(p, equalizerPreset(index).adjusted(1, 1, 0, 0));
  paintCaption(p, QRect(220, 204, 40, 10), "VOLUME", kCaption, 7);
  for (int channel = 0; channel < 2; ++channel) {
    const QRect slot = volumeSlider(channel);
    groove(p, slot);
    paintCaption(p, QRect(slot.center().x() - 6, 308, 13, 10), channel == 0 ? "L" : "R", kCaption,
                 8);
  }
}

void grid(QPainter& p, const QRect& area) {
  p.save();
  hairlines(p, QColor(20, 44, 40));
  for (int x = area.left() + 10; x < area.right(); x += 10)
    p.drawLine(x, area.top(), x, area.bottom());
  for (int y = area.top() + 8; y < area.bottom(); y += 8)
    p.drawLine(area.left(), y, area.right(), y);
  p.restore();
}

void paintScopeAreas(QPainter& p) {
  for (const QRect& area : {kSpectrum, kWave}) {
    well(p, area);
    grid(p, area);
  }
}

void paintLogo(QPainter& p) {
  QFont gothic(QString::fromUtf8(kGothic));
  gothic.setPixelSize(13);
  gothic.setBold(true);
  p.setFont(gothic);
  p.setPen(QColor(100, 240, 240));
  p.drawText(QRect(12, 74, 120, 16), Qt::AlignLeft | Qt::AlignVCenter, "そるばね");
  paintCaption(p, QRect(150, 76, 112, 14), "SORVANE  MUSIC PLAYER", QColor(90, 110, 150), 8);
}

void paintBackground(QPainter& p, const QRect& all) {
  QLinearGradient gradient(all.topLeft(), all.bottomLeft());
  gradient.setColorAt(0, QColor(34, 40, 56));
  gradient.setColorAt(1, QColor(16, 19, 28));
  p.fillRect(all, gradient);
  hairlines(p, QColor(88, 100, 136));
  p.drawRect(all.adjusted(0, 0, -1, -1));
  p.setPen(QPen(QColor(8, 10, 16), 0));
  p.drawRect(all.adjusted(1, 1, -2, -2));
  p.setPen(QPen(QColor(44, 52, 72), 0));
  p.drawLine(6, 200, all.width() - 7, 200);
}

}  // namespace

void paintSkin(QPainter& p) {
  const QRect all(0, 0, kWidthTwips / kTwipsPerPixel, kSkinHeightTwips / kTwipsPerPixel);
  paintBackground(p, all);
  p.setRenderHint(QPainter::Antialiasing);
  for (const QRect& area : {kMPanel, kAPanel, kCdisp}) well(p, area);
  paintUpperButtons(p);
  paintLowerButtons(p);
  paintEqualizerArea(p);
  paintPresetsAndVolume(p);
  paintScopeAreas(p);
  paintLogo(p);
}

void paintMPanelPicture(QPainter& p) {
  const QRect all(QPoint(0, 0), kMPanel.size());
  QLinearGradient gradient(0, 0, all.width(), all.height());
  gradient.setColorAt(0, QColor(0, 0, 128));
  gradient.setColorAt(1, QColor(0, 0, 92));
  p.fillRect(all, gradient);
  // A faint stave behind the idle text.
  hairlines(p, QColor(22, 26, 150));
  for (int line = 0; line < 5; ++line) p.drawLine(0, 18 + 7 * line, all.width(), 6 + 7 * line);
}

void paintLamp(QPainter& p, const QString& caption) {
  const QRect lamp(0, 0, kLampSize.width(), kLampSize.height());
  p.fillRect(lamp, QColor(16, 19, 28));
  p.setRenderHint(QPainter::Antialiasing);
  buttonFace(p, lamp.adjusted(1, 1, -1, -1), QColor(250, 200, 80), QColor(196, 120, 20));
  paintCaption(p, lamp, caption, QColor(40, 20, 0), 8);
}

}  // namespace sorv::panel
