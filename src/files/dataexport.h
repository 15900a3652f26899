#ifndef SRC_FILES_DATAEXPORT_H
#define SRC_FILES_DATAEXPORT_H

#include "core/graphdata.h"
#include "core/vector2.h"

#include <QByteArray>

enum TTable_Format
{
  TABLE_CSV,  // a header line "position,value", then "position,value" per row
  TABLE_TSV   // "position<TAB>value" per row, no header
};

// A table of points as text for spreadsheets and scripts, every number in its shortest
// exact form.
QByteArray Table_Text(const Point_List &points, TTable_Format format);
QByteArray Table_Text(const TGraph_Curve &points, TTable_Format format);

#endif
