#ifndef TESTS_CURVE_PIXELS_H
#define TESTS_CURVE_PIXELS_H

#include <QImage>

// Pixels of a strong red or blue, as the output and input curves are drawn.
inline int Curve_Pixels(const QImage &image, const bool red)
{
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  int count = 0;
  for (int y = 0; y < rgb.height(); ++y) {
    for (int x = 0; x < rgb.width(); ++x) {
      const QRgb pixel = rgb.pixel(x, y);
      const int strong = red ? qRed(pixel) : qBlue(pixel);
      const int other = red ? qBlue(pixel) : qRed(pixel);
      count += strong > other + 60 && strong > qGreen(pixel) + 60;
    }
  }
  return count;
}

#endif
