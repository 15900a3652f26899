#ifndef CORE_NUMBERFORMAT_H
#define CORE_NUMBERFORMAT_H

#include <QLocale>
#include <QString>

#include <string>

// The one number format of tables, fields, graph labels and clipboard text: fixed-point
// with exactly `precision` digits after the decimal separator (none for 0), a leading
// minus sign for negative values, no padding and no digit grouping. Without a separator
// it is the C form with a point, independent of the locale.
QString Format_Number(const double &value, int precision);
QString Format_Number(const double &value, int precision, const QString &decimal_point);

// Appends the number as Format_Number gives it with a point to the end of `text`, in
// ASCII, so that a million numbers cost no text object each.
void Append_Number(const double &value, int precision, std::string *text);

// A number's text as printf writes it with the space flag and a minimum width: a space
// where the number has no minus sign, and spaces before it up to `width` characters.
QString Aligned_Number(QString number, int width);

// The number in exponent form with `precision` digits after the separator, as printf's
// "%.pe" writes it ("1.797e+308").
QString Format_Exponent_Number(const double &value, int precision,
                               const QString &decimal_point);

// The decimal separator of numbers shown to a user of `locale`; no group separator is
// ever shown, so the number reader takes the text back in that locale.
QString Decimal_Point(const QLocale &locale);

// `text`, a number in the C form, with its point replaced by `decimal_point`.
QString With_Decimal_Point(QString text, const QString &decimal_point);

#endif
