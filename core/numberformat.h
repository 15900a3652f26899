#ifndef CORE_NUMBERFORMAT_H
#define CORE_NUMBERFORMAT_H

#include <QString>

// The one number format of tables, fields and clipboard text: fixed-point with exactly
// `precision` digits after a point (none for 0), a leading minus sign for negative
// values, no padding, no digit grouping, independent of the locale.
QString Format_Number(const double &value, int precision);

#endif
