#include "src/files/graphexport.h"

#include "core/assertion.h"
#include "src/files/filename.h"
#include "src/files/fileformats.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace {

// PDF pages are laid out in points; the graph is drawn at the screen's nominal density.
const int PDF_RESOLUTION = 96;
const double POINTS_PER_INCH = 72.0;

const QColor INPUT_COLOR(0, 0, 164);
const QColor OUTPUT_COLOR(164, 0, 0);

const char GRAPH_TITLE[] = QT_TRANSLATE_NOOP("Graph_Export", "Input Data: Blue  Output Data:Red");
const char HORIZONTAL_TITLE[] = QT_TRANSLATE_NOOP("Graph_Export", "Position");
const char VERTICAL_TITLE[] = QT_TRANSLATE_NOOP("Graph_Export", "Value");

// What one exported picture shows.
struct TPicture
{
  const TGraph_Content &content;
  const TGraph_View &view;
};

QString Refusal(const QString &path, const QString &reason)
{
  return QCoreApplication::translate("Graph_Export", "Cannot save the graph as \"%1\": %2.")
    .arg(Shown_File_Name(path), reason);
}

void Draw_Page(const TPicture &picture, QPainter *painter, const QSize &size)
{
  const QRect page(QPoint(0, 0), size);
  painter->fillRect(page, Qt::white);
  Paint_Graph(painter, page, picture.content, picture.view, true, false);
}

bool Png_Bytes(const TPicture &picture, const QSize &size, const double &pixel_ratio,
               QByteArray *bytes)
{
  const QImage image = Graph_Image(picture.content, picture.view, size, pixel_ratio);
  QBuffer buffer(bytes);
  return !image.isNull() && buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG");
}

bool Svg_Bytes(const TPicture &picture, const QSize &size, QByteArray *bytes)
{
  QBuffer buffer(bytes);
  if (!buffer.open(QIODevice::WriteOnly)) {
    return false;
  }
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(size);
  generator.setViewBox(QRect(QPoint(0, 0), size));
  generator.setTitle(picture.content.Titles.Title);
  QPainter painter;
  if (!painter.begin(&generator)) {
    return false;
  }
  Draw_Page(picture, &painter, size);
  return painter.end();
}

bool Pdf_Bytes(const TPicture &picture, const QSize &size, QByteArray *bytes)
{
  QBuffer buffer(bytes);
  if (!buffer.open(QIODevice::WriteOnly)) {
    return false;
  }
  QPdfWriter writer(&buffer);
  writer.setTitle(picture.content.Titles.Title);
  writer.setResolution(PDF_RESOLUTION);
  const double scale = POINTS_PER_INCH / PDF_RESOLUTION;
  const QPageSize page(QSizeF(size.width() * scale, size.height() * scale), QPageSize::Point,
                       QString(), QPageSize::ExactMatch);
  writer.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF()));
  QPainter painter;
  if (!painter.begin(&writer)) {
    return false;
  }
  Draw_Page(picture, &painter, size);
  return painter.end();
}

bool Render_Bytes(const TPicture &picture, const TFile_Format format, const QSize &size,
                  const double &pixel_ratio, QByteArray *bytes)
{
  switch (format) {
  case FORMAT_PNG:
    return Png_Bytes(picture, size, pixel_ratio, bytes);
  case FORMAT_SVG:
    return Svg_Bytes(picture, size, bytes);
  case FORMAT_PDF:
    return Pdf_Bytes(picture, size, bytes);
  default:
    break;
  }
  return false;
}

bool Write_Whole(const QString &path, const QByteArray &bytes, QString *message)
{
  QString reason;
  if (!Save_Whole_File(path, bytes, &reason)) {
    *message = Refusal(path, reason);
    return false;
  }
  return true;
}

}  // namespace

std::vector<TGraphDataSet> Document_Graph_Sets(const TGraph_Curve *input,
                                               const TGraph_Curve *output)
{
  std::vector<TGraphDataSet> sets(2);
  sets[0].Curve = input;
  sets[0].Color = INPUT_COLOR;
  sets[1].Curve = output;
  sets[1].Color = OUTPUT_COLOR;
  return sets;
}

TGraph_Titles Document_Graph_Titles()
{
  return TGraph_Titles{QString::fromUtf8(GRAPH_TITLE), QString::fromUtf8(HORIZONTAL_TITLE),
                       QString::fromUtf8(VERTICAL_TITLE)};
}

TGraph_Titles Shown_Graph_Titles()
{
  return TGraph_Titles{QCoreApplication::translate("Graph_Export", GRAPH_TITLE),
                       QCoreApplication::translate("Graph_Export", HORIZONTAL_TITLE),
                       QCoreApplication::translate("Graph_Export", VERTICAL_TITLE)};
}

QImage Graph_Image(const TGraph_Content &content, const TGraph_View &view, const QSize &size,
                   const double &pixel_ratio)
{
  if (!ASSERT(pixel_ratio > 0.0)) {
    return QImage();
  }
  QImage image(size * pixel_ratio, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) {
    return image;
  }
  image.setDevicePixelRatio(pixel_ratio);
  QPainter painter(&image);
  Draw_Page(TPicture{content, view}, &painter, size);
  return image;
}

bool Export_Graph(const TGraph_Content &content, const TGraph_View &view, const QString &path,
                  const QSize &size, const double &pixel_ratio, QString *message)
{
  if (!ASSERT(message)) {
    return false;
  }
  const TFile_Format format = File_Format(path);
  if (!Is_Graph_Format(format)) {
    *message = Refusal(path, QCoreApplication::translate(
                               "Graph_Export", "the name must end in .png, .svg or .pdf"));
    return false;
  }
  if (size.width() < 1 || size.height() < 1 || size.width() > MAXIMUM_GRAPH_SIDE ||
      size.height() > MAXIMUM_GRAPH_SIDE) {
    *message = Refusal(path, QCoreApplication::translate("Graph_Export",
                                                         "a size of %1 x %2 is not from 1 to %3 on "
                                                         "each side")
                               .arg(size.width())
                               .arg(size.height())
                               .arg(MAXIMUM_GRAPH_SIDE));
    return false;
  }
  QByteArray bytes;
  if (!Render_Bytes(TPicture{content, view}, format, size, pixel_ratio, &bytes)) {
    *message = Refusal(path, QCoreApplication::translate("Graph_Export",
                                                         "the graph could not be drawn"));
    return false;
  }
  return Write_Whole(path, bytes, message);
}
