#ifndef CORE_SHORTESTNUMBER_H
#define CORE_SHORTESTNUMBER_H

#include <QByteArray>

// The shortest text that reads back as exactly the same double ("0.1", "1e+300",
// "-2.5"); non-finite values as "nan", "inf" and "-inf". Independent of the locale.
QByteArray Shortest_Number(const double &value);

#endif
