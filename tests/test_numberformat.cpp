#include "core/numberformat.h"

#include <QtTest>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

QString Reference(const double &value, const int precision)
{
  return QStringLiteral("%1").arg(value, 0, 'f', precision, QLatin1Char(' '));
}

// The C text with its point, if any, replaced by the separator.
QString Localized(const QString &text, const QString &separator)
{
  QString localized = text;
  const int point = static_cast<int>(localized.indexOf(QLatin1Char('.')));
  if (point >= 0) {
    localized.replace(point, 1, separator);
  }
  return localized;
}

double From_Bits(const std::uint64_t bits)
{
  double value = 0.0;
  std::memcpy(&value, &bits, sizeof(value));
  return value;
}

std::vector<double> Special_Values()
{
  const double infinity = std::numeric_limits<double>::infinity();
  return {0.0,      -0.0,      std::nan(""), -std::nan(""), infinity,   -infinity,
          DBL_MAX,  -DBL_MAX,  DBL_MIN,      -DBL_MIN,      4.9e-324,   -4.9e-324,
          1.0e15,   -1.0e15,   std::nextafter(1.0e15, 0.0),  -std::nextafter(1.0e15, 0.0),
          1.0e300,  -1.0e-300, 0.5,          -0.5,          9.5,        -9.5,
          99.5,     0.05,      -0.05,        -0.04,         -0.4,       9.95,
          0.125,    -0.375,    999999.5,     -999999.96875, 1.26,       123456789.0625};
}

// Values halfway between two texts at some precision, and their neighbours.
std::vector<double> Ties(std::mt19937_64 *random)
{
  std::vector<double> values;
  for (int digits = 1; digits <= 22; ++digits) {
    for (int i = 0; i < 300; ++i) {
      const auto odd = static_cast<double>(((*random)() % 2000000001) | 1U);
      const double tie = std::ldexp(odd, -digits) * ((i % 2) ? -1.0 : 1.0);
      values.push_back(tie);
      values.push_back(std::nextafter(tie, 0.0));
      values.push_back(std::nextafter(tie, tie * 2.0));
    }
  }
  return values;
}

// Decimals ending in a five one place beyond some precision, as typed values often do:
// their binary values lie a hair off the half, on either side.
std::vector<double> Decimal_Halves(std::mt19937_64 *random)
{
  std::vector<double> values;
  for (int digits = 1; digits <= 16; ++digits) {
    for (int i = 0; i < 300; ++i) {
      const auto whole = static_cast<double>((*random)() % 100000);
      const double half = (whole * 10.0 + 5.0) / std::pow(10.0, digits);
      values.push_back((i % 2) ? -half : half);
      values.push_back(std::nextafter(half, 0.0));
      values.push_back(std::nextafter(half, half * 2.0));
    }
  }
  return values;
}

// Random bit patterns over every magnitude, and decimal-looking values.
std::vector<double> Random_Values(std::mt19937_64 *random)
{
  std::vector<double> values;
  for (int i = 0; i < 10000; ++i) {
    if (i % 8 == 0) {
      values.push_back(From_Bits((*random)()));
    }
    const int exponent = static_cast<int>((*random)() % 80) - 50;
    const double mantissa = static_cast<double>((*random)() % 10000000) - 5000000.0;
    values.push_back(mantissa * std::pow(10.0, exponent / 4));
    values.push_back(static_cast<double>(i) * 0.1 - 1000.0);
  }
  return values;
}

}  // namespace

class TNumberFormatTest : public QObject
{
  Q_OBJECT

private slots:
  // The one format must stay byte for byte that of QString::arg, whatever path it takes.
  void same_text_as_arg()
  {
    std::mt19937_64 random(20240607);
    std::vector<double> values = Special_Values();
    const std::vector<double> ties = Ties(&random);
    const std::vector<double> others = Random_Values(&random);
    const std::vector<double> halves = Decimal_Halves(&random);
    values.insert(values.end(), ties.begin(), ties.end());
    values.insert(values.end(), halves.begin(), halves.end());
    values.insert(values.end(), others.begin(), others.end());
    int compared = 0;
    for (const double &value : values) {
      for (int precision = -1; precision <= 23; ++precision) {
        const QString expected = Reference(value, precision);
        const QString actual = Format_Number(value, precision);
        if (actual != expected) {
          QFAIL(qPrintable(QStringLiteral("%1 at precision %2: %3 instead of %4")
                             .arg(value, 0, 'g', 17)
                             .arg(precision)
                             .arg(actual, expected)));
        }
        ++compared;
      }
    }
    QVERIFY(compared > 1000000);
  }

  void separator_of_the_locale_data()
  {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("separator");
    QTest::newRow("C") << QLocale::c() << ".";
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << ".";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << ",";
    QTest::newRow("Arabic") << QLocale(QLocale::Arabic, QLocale::Egypt) << QString(QChar(0x066B));
  }

  // Every form writes the digits the C form writes, the locale's separator in place of
  // the point and nothing else of the locale; in the C and English locales that is the C
  // text byte for byte.
  void separator_of_the_locale()
  {
    QFETCH(QLocale, locale);
    QFETCH(QString, separator);
    const QString point = Decimal_Point(locale);
    QCOMPARE(point, separator);
    std::mt19937_64 random(20240611);
    std::vector<double> values = Special_Values();
    const std::vector<double> others = Random_Values(&random);
    values.insert(values.end(), others.begin(), others.begin() + 4000);
    for (const double &value : values) {
      for (int precision = 0; precision <= 17; ++precision) {
        const int width = precision + 3;
        const QString fixed = Reference(value, precision);
        const QString aligned = QString::asprintf("% *.*f", width, precision, value);
        const QString exponent = QString::asprintf("%.*e", precision, value);
        const QString aligned_exponent = QString::asprintf("% *.*e", width + 5, precision, value);
        QCOMPARE(Format_Number(value, precision, point), Localized(fixed, point));
        QCOMPARE(Aligned_Number(Format_Number(value, precision, point), width),
                 Localized(aligned, point));
        QCOMPARE(Format_Exponent_Number(value, precision, point), Localized(exponent, point));
        QCOMPARE(Aligned_Number(Format_Exponent_Number(value, precision, point), width + 5),
                 Localized(aligned_exponent, point));
      }
    }
    QCOMPARE(Format_Number(-1234567.25, 2, point), QString("-1234567" + separator + "25"));
    QCOMPARE(Format_Number(1234567.0, 0, point), QString("1234567"));
  }
};
QTEST_GUILESS_MAIN(TNumberFormatTest)

#include "test_numberformat.moc"
