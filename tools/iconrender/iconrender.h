#ifndef TOOLS_ICONRENDER_ICONRENDER_H
#define TOOLS_ICONRENDER_ICONRENDER_H

#include <QByteArray>
#include <QImage>

#include <vector>

// The largest side a Windows icon file can hold.
const int ICO_MAXIMUM_SIZE = 256;

// Draws the SVG document into a square image of the given size with a transparent
// background. Returns false, with *image null, when the document does not parse or the
// size is not positive.
bool Render_Icon(const QByteArray &svg, int size, QImage *image);

// A Windows icon file holding each image PNG-compressed, the way Windows Vista and later
// read them. Images must be square, 1 to 256 pixels; returns false otherwise.
bool Icon_File(const std::vector<QImage> &images, QByteArray *file);

#endif
