#include "src/files/graphexport.h"

#include "core/assertion.h"
#include "core/graphwidget.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScreen>
#include <QSvgGenerator>

namespace {

// PDF pages are laid out in points; the graph is drawn at the screen's nominal density.
const int PDF_RESOLUTION = 96;
const double POINTS_PER_INCH = 72.0;

enum class TGraphFormat { Png, Svg, Pdf, Unknown };

TGraphFormat Format_Of(const QString &path)
{
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("png")) {
    return TGraphFormat::Png;
  }
  if (suffix == QLatin1String("svg")) {
    return TGraphFormat::Svg;
  }
  if (suffix == QLatin1String("pdf")) {
    return TGraphFormat::Pdf;
  }
  return TGraphFormat::Unknown;
}

QString Refusal(const QString &path, const QString &reason)
{
  return QStringLiteral("Cannot save the graph as \"%1\": %2.")
    .arg(QDir::toNativeSeparators(path), reason);
}

void Draw_Page(TGraphWidget *graph, QPainter *painter, const QSize &size)
{
  const QRect page(QPoint(0, 0), size);
  painter->fillRect(page, Qt::white);
  graph->Render_Graph_View(painter, page, true);
}

bool Png_Bytes(TGraphWidget *graph, const QSize &size, const double &pixel_ratio,
               QByteArray *bytes)
{
  const QImage image = Graph_Image(graph, size, pixel_ratio);
  QBuffer buffer(bytes);
  return !image.isNull() && buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG");
}

bool Svg_Bytes(TGraphWidget *graph, const QSize &size, QByteArray *bytes)
{
  QBuffer buffer(bytes);
  if (!buffer.open(QIODevice::WriteOnly)) {
    return false;
  }
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(graph->d_Title);
  QPainter painter;
  if (!painter.begin(&generator)) {
    return false;
  }
  Draw_Page(graph, &painter, size);
  return painter.end();
}

bool Pdf_Bytes(TGraphWidget *graph, const QSize &size, QByteArray *bytes)
{
  QBuffer buffer(bytes);
  if (!buffer.open(QIODevice::WriteOnly)) {
    return false;
  }
  QPdfWriter writer(&buffer);
  writer.setTitle(graph->d_Title);
  writer.setResolution(PDF_RESOLUTION);
  const double scale = POINTS_PER_INCH / PDF_RESOLUTION;
  const QPageSize page(QSizeF(size.width() * scale, size.height() * scale), QPageSize::Point,
                       QString(), QPageSize::ExactMatch);
  writer.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF()));
  QPainter painter;
  if (!painter.begin(&writer)) {
    return false;
  }
  Draw_Page(graph, &painter, size);
  return painter.end();
}

bool Render_Bytes(TGraphWidget *graph, const TGraphFormat format, const QSize &size,
                  const double &pixel_ratio, QByteArray *bytes)
{
  switch (format) {
  case TGraphFormat::Png:
    return Png_Bytes(graph, size, pixel_ratio, bytes);
  case TGraphFormat::Svg:
    return Svg_Bytes(graph, size, bytes);
  case TGraphFormat::Pdf:
    return Pdf_Bytes(graph, size, bytes);
  case TGraphFormat::Unknown:
    break;
  }
  return false;
}

bool Write_Whole(const QString &path, const QByteArray &bytes, QString *message)
{
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    *message = Refusal(path, file.errorString());
    return false;
  }
  return true;
}

}  // namespace

QString Graph_File_Filters()
{
  return QStringLiteral("PNG image (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)");
}

QString With_Graph_Suffix(const QString &path, const QString &filter)
{
  if (Format_Of(path) != TGraphFormat::Unknown) {
    return path;
  }
  const int star = filter.indexOf(QLatin1String("*."));
  if (star < 0) {
    return path + QStringLiteral(".png");
  }
  return path + filter.mid(star + 1, 4);
}

double Screen_Pixel_Ratio()
{
  const QScreen *screen = QGuiApplication::primaryScreen();
  return screen ? screen->devicePixelRatio() : 1.0;
}

QImage Graph_Image(TGraphWidget *graph, const QSize &size, const double &pixel_ratio)
{
  if (!ASSERT(graph) || !ASSERT(pixel_ratio > 0.0)) {
    return QImage();
  }
  QImage image(size * pixel_ratio, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) {
    return image;
  }
  image.setDevicePixelRatio(pixel_ratio);
  QPainter painter(&image);
  Draw_Page(graph, &painter, size);
  return image;
}

bool Export_Graph(TGraphWidget *graph, const QString &path, const QSize &size,
                  const double &pixel_ratio, QString *message)
{
  if (!ASSERT(graph) || !ASSERT(message)) {
    return false;
  }
  const TGraphFormat format = Format_Of(path);
  if (format == TGraphFormat::Unknown) {
    *message = Refusal(path, QStringLiteral("the name must end in .png, .svg or .pdf"));
    return false;
  }
  if (size.width() < 1 || size.height() < 1 || size.width() > MAXIMUM_GRAPH_SIDE ||
      size.height() > MAXIMUM_GRAPH_SIDE) {
    *message = Refusal(path, QStringLiteral("a size of %1 x %2 is not from 1 to %3 on each side")
                               .arg(size.width())
                               .arg(size.height())
                               .arg(MAXIMUM_GRAPH_SIDE));
    return false;
  }
  QByteArray bytes;
  if (!Render_Bytes(graph, format, size, pixel_ratio, &bytes)) {
    *message = Refusal(path, QStringLiteral("the graph could not be drawn"));
    return false;
  }
  return Write_Whole(path, bytes, message);
}
