#ifndef SRC_FILES_GRAPHEXPORT_H
#define SRC_FILES_GRAPHEXPORT_H

#include "core/graphpainter.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

// The size of an exported graph when neither a window nor the user gives one.
const QSize DEFAULT_GRAPH_SIZE(800, 600);
// The longest side an exported graph may have, in device-independent pixels.
const int MAXIMUM_GRAPH_SIDE = 8192;

// A document's graph: the input in dark blue, the output in dark red, with its titles:
// in English in the files the command line writes, which read the same in every locale,
// and in the user's language where a window shows them.
std::vector<TGraphDataSet> Document_Graph_Sets(const TGraph_Curve *input,
                                               const TGraph_Curve *output);
TGraph_Titles Document_Graph_Titles();
TGraph_Titles Shown_Graph_Titles();

// The graph at the view at `size` device-independent pixels, with `pixel_ratio` image
// pixels to each, on white; a null image when it cannot be made.
QImage Graph_Image(const TGraph_Content &content, const TGraph_View &view, const QSize &size,
                   const double &pixel_ratio);

// Saves the graph at the view into `path`, whose suffix chooses the format: .png (a
// Graph_Image), .svg (vector lines and text) or .pdf (a page of the graph's size). The
// file is replaced whole or not at all; on failure `message` names it and says why.
// Needs a painting application object but no display and no widgets.
bool Export_Graph(const TGraph_Content &content, const TGraph_View &view, const QString &path,
                  const QSize &size, const double &pixel_ratio, QString *message);

#endif
