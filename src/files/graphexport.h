#ifndef SRC_FILES_GRAPHEXPORT_H
#define SRC_FILES_GRAPHEXPORT_H

#include <QImage>
#include <QSize>
#include <QString>

class TGraphWidget;

// The size of an exported graph when neither a window nor the user gives one.
const QSize DEFAULT_GRAPH_SIZE(800, 600);
// The longest side an exported graph may have, in device-independent pixels.
const int MAXIMUM_GRAPH_SIDE = 16384;

// A file dialog's filters for the formats a graph is saved in, PNG first.
QString Graph_File_Filters();

// The file name with the suffix of the chosen filter appended when it has none of the
// graph formats.
QString With_Graph_Suffix(const QString &path, const QString &filter);

// The device pixel ratio of the primary screen, 1.0 without a screen.
double Screen_Pixel_Ratio();

// The graph as the widget shows it (zoom included) at `size` device-independent pixels,
// with `pixel_ratio` image pixels to each, on white; a null image when it cannot be made.
QImage Graph_Image(TGraphWidget *graph, const QSize &size, const double &pixel_ratio);

// Saves the graph as the widget shows it into `path`, whose suffix chooses the format:
// .png (a Graph_Image), .svg (vector lines and text) or .pdf (a page of the graph's size).
// The file is replaced whole or not at all; on failure `message` names it and says why.
// Needs no display.
bool Export_Graph(TGraphWidget *graph, const QString &path, const QSize &size,
                  const double &pixel_ratio, QString *message);

#endif
