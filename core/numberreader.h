#ifndef CORE_NUMBERREADER_H
#define CORE_NUMBERREADER_H

#include <QLocale>
#include <QString>

// Reads a number as people type, paste and write it in files: surrounding white space is
// ignored, the C syntax is tried first (a point for decimals, an exponent, "nan" and "inf"),
// then the syntax of `locale` (its decimal separator and digit grouping). On failure the
// value is 0.0 and the result false.
bool Read_Number(const QString &text, const QLocale &locale, double *value);

// The same with the user's locale, QLocale::system(), looked up only when the C syntax fails.
bool Read_Number(const QString &text, double *value);

#endif
