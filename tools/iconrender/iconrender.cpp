#include "tools/iconrender/iconrender.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgRenderer>

namespace {

const int ICO_HEADER_SIZE = 6;
const int ICO_ENTRY_SIZE = 16;

void Append_Le16(const int value, QByteArray *bytes)
{
  bytes->append(static_cast<char>(value & 0xff));
  bytes->append(static_cast<char>((value >> 8) & 0xff));
}

void Append_Le32(const qint64 value, QByteArray *bytes)
{
  Append_Le16(static_cast<int>(value & 0xffff), bytes);
  Append_Le16(static_cast<int>((value >> 16) & 0xffff), bytes);
}

bool Png_Bytes(const QImage &image, QByteArray *png)
{
  QBuffer buffer(png);
  buffer.open(QIODevice::WriteOnly);
  return image.save(&buffer, "PNG");
}

bool Fits_Icon_File(const QImage &image)
{
  return image.width() == image.height() && image.width() >= 1 &&
         image.width() <= ICO_MAXIMUM_SIZE;
}

// The directory stores a side of 256 as 0.
char Directory_Side(const int side)
{
  return static_cast<char>(side == ICO_MAXIMUM_SIZE ? 0 : side);
}

void Append_Directory_Entry(const int side, const qint64 size, const qint64 offset,
                            QByteArray *file)
{
  file->append(Directory_Side(side));
  file->append(Directory_Side(side));
  file->append('\0');  // no palette
  file->append('\0');  // reserved
  Append_Le16(1, file);   // colour planes
  Append_Le16(32, file);  // bits per pixel
  Append_Le32(size, file);
  Append_Le32(offset, file);
}

}  // namespace

bool Render_Icon(const QByteArray &svg, const int size, QImage *image)
{
  *image = QImage();
  QSvgRenderer renderer(svg);
  if (!renderer.isValid() || size <= 0) {
    return false;
  }
  QImage canvas(size, size, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  QPainter painter(&canvas);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter, QRectF(0, 0, size, size));
  painter.end();
  *image = canvas.convertToFormat(QImage::Format_ARGB32);
  return true;
}

bool Icon_File(const std::vector<QImage> &images, QByteArray *file)
{
  file->clear();
  std::vector<QByteArray> pngs;
  for (const QImage &image : images) {
    QByteArray png;
    if (!Fits_Icon_File(image) || !Png_Bytes(image, &png)) {
      return false;
    }
    pngs.push_back(png);
  }
  Append_Le16(0, file);  // reserved
  Append_Le16(1, file);  // type: icon
  Append_Le16(static_cast<int>(pngs.size()), file);
  qint64 offset = ICO_HEADER_SIZE + ICO_ENTRY_SIZE * static_cast<qint64>(pngs.size());
  for (std::size_t i = 0; i < pngs.size(); ++i) {
    Append_Directory_Entry(images[i].width(), pngs[i].size(), offset, file);
    offset += pngs[i].size();
  }
  for (const QByteArray &png : pngs) {
    file->append(png);
  }
  return true;
}
