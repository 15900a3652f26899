#ifndef SRC_FILES_FILEFORMATS_H
#define SRC_FILES_FILEFORMATS_H

#include <QString>

// The kinds of file the program reads and writes, told apart by their names' suffixes.
enum TFile_Format
{
  FORMAT_UNKNOWN,
  FORMAT_DOCUMENT,  // .vandrel: a whole piece of work
  FORMAT_CSV,       // .csv: a data file read into the input, or the output table written
  FORMAT_TSV,       // .tsv: the same with tabs
  FORMAT_TEXT,      // .txt: a data file read into the input
  FORMAT_PNG,       // .png, .svg, .pdf: the graph
  FORMAT_SVG,
  FORMAT_PDF
};

// The suffix of documents, without its dot.
extern const char DOCUMENT_SUFFIX[];

// The format a file name's suffix names, in any letter case.
TFile_Format File_Format(const QString &path);

// A format's suffix without its dot, empty for FORMAT_UNKNOWN.
QString Format_Suffix(TFile_Format format);

// Data files are imported into the input of a new document.
bool Is_Data_Format(TFile_Format format);
// The output table is written in these.
bool Is_Table_Format(TFile_Format format);
// The graph is drawn in these.
bool Is_Graph_Format(TFile_Format format);

bool Is_Data_File(const QString &path);

// File dialog filters for documents, data files, table files and graph files, each
// followed by "All files" where the dialog opens a file, in the user's language.
QString Document_Filters();
QString Data_Filters();
QString Table_Filters();
QString Graph_Filters();

// The path with the suffix of the chosen filter (the first filter's when none was chosen)
// appended when it has none of the suffixes the filters name; an empty path stays empty.
QString With_Filter_Suffix(const QString &path, const QString &filters, const QString &chosen);

#endif
