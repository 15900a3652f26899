#include "core/numberreader.h"

#include <QtTest>

#include <cmath>
#include <random>

class TTestNumberReader : public QObject
{
  Q_OBJECT

private slots:
  void Reads_In_Locale_data();
  void Reads_In_Locale();
  void Edges_Read_As_Qt_Reads_Them_data();
  void Edges_Read_As_Qt_Reads_Them();
  void Random_Texts_Read_As_Qt_Reads_Them_data();
  void Random_Texts_Read_As_Qt_Reads_Them();
  void Refusal_Leaves_Zero();
  void Default_Uses_System_Locale();
};

namespace {

const QLocale C_LOCALE = QLocale::c();
const QLocale GERMAN(QLocale::German, QLocale::Germany);
const QLocale ENGLISH(QLocale::English, QLocale::UnitedStates);

}  // namespace

void TTestNumberReader::Reads_In_Locale_data()
{
  QTest::addColumn<QLocale>("locale");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("readable");
  QTest::addColumn<double>("expected");

  for (const QLocale &locale : {C_LOCALE, GERMAN, ENGLISH}) {
    const QByteArray name = locale.name().toLatin1();
    // The C syntax reads alike everywhere, since it is tried first.
    QTest::newRow(name + " point") << locale << "2.5" << true << 2.5;
    QTest::newRow(name + " spaces") << locale << "  \t-2.5e3 \n" << true << -2500.0;
    QTest::newRow(name + " plus") << locale << "+7" << true << 7.0;
    QTest::newRow(name + " bare point") << locale << ".5" << true << 0.5;
    QTest::newRow(name + " exponent") << locale << "1E-3" << true << 0.001;
    QTest::newRow(name + " inf") << locale << "inf" << true << qInf();
    QTest::newRow(name + " minus inf") << locale << "-inf" << true << -qInf();
    QTest::newRow(name + " word") << locale << "position" << false << 0.0;
    QTest::newRow(name + " n/a") << locale << "N/A" << false << 0.0;
    QTest::newRow(name + " empty") << locale << "" << false << 0.0;
    QTest::newRow(name + " blank") << locale << "   " << false << 0.0;
    QTest::newRow(name + " trailing word") << locale << "2.5 mm" << false << 0.0;
    QTest::newRow(name + " two numbers") << locale << "1 2" << false << 0.0;
    QTest::newRow(name + " hex") << locale << "0x10" << false << 0.0;
  }
  QTest::newRow("C decimal comma") << C_LOCALE << "2,5" << false << 0.0;
  // Qt's C locale groups digits with commas, as English does.
  QTest::newRow("C grouping") << C_LOCALE << "1,000" << true << 1000.0;
  QTest::newRow("C misplaced grouping") << C_LOCALE << "1,00" << false << 0.0;
  QTest::newRow("de decimal comma") << GERMAN << "2,5" << true << 2.5;
  QTest::newRow("de negative comma") << GERMAN << " -0,125 " << true << -0.125;
  QTest::newRow("de grouped comma") << GERMAN << "1.234,5" << true << 1234.5;
  QTest::newRow("de comma exponent") << GERMAN << "2,5E2" << true << 250.0;
  // C first: a lone point is a decimal point even where it groups digits.
  QTest::newRow("de point first") << GERMAN << "1.000" << true << 1.0;
  QTest::newRow("de comma before three digits") << GERMAN << "1,500" << true << 1.5;
  QTest::newRow("de two commas") << GERMAN << "1,2,3" << false << 0.0;
  QTest::newRow("en grouping") << ENGLISH << "1,000" << true << 1000.0;
  QTest::newRow("en grouping decimals") << ENGLISH << "-1,234,567.25" << true << -1234567.25;
  QTest::newRow("en comma is no decimal") << ENGLISH << "2,5" << false << 0.0;
}

void TTestNumberReader::Reads_In_Locale()
{
  QFETCH(QLocale, locale);
  QFETCH(QString, text);
  QFETCH(bool, readable);
  QFETCH(double, expected);

  double value = 123.0;
  QCOMPARE(Read_Number(text, locale, &value), readable);
  QCOMPARE(value, expected);
}

namespace {

// What the reader must give: Qt's C conversion, then Qt's conversion in the locale.
bool Reference_Read(const QString &text, const QLocale &locale, double *value)
{
  bool converted = false;
  *value = text.toDouble(&converted);
  if (!converted) {
    *value = locale.toDouble(text.trimmed(), &converted);
  }
  if (!converted) {
    *value = 0.0;
  }
  return converted;
}

}  // namespace

// On the edges of the syntax the reader must agree with Qt exactly: its allocation-free
// path may only take what Qt takes, with the same value.
void TTestNumberReader::Edges_Read_As_Qt_Reads_Them_data()
{
  QTest::addColumn<QLocale>("locale");
  QTest::addColumn<QString>("text");

  const char *const c_texts[] = {
    "0", "-0", "1.", ".", "-.5", "+.5", "+-1", "-+1", "++1", "1e", "1e+", "1e-5", "1E+05",
    "1e5.5", "1-2", "007.5", "4.9e-324", "2.2250738585072014e-308", "1e-400", "-1e400",
    "1.7976931348623157e308", "1.8e308", "0x1p3", "1_000", "  +3  ", "\t-2\n", "nan", "NaN",
    "-nan", "inf", "INF", "+inf", "infinity", "e5", "5e05", "1.2.3", "\xc2\xa0" "1",
    "12345678901234567890123456789012345678901234567890123456789012345678901234567890"};
  for (const char *text : c_texts) {
    QTest::newRow(text) << C_LOCALE << QString::fromUtf8(text);
  }
  const char *const grouped_texts[] = {
    "1,000", "12,345,678", "-1,234,567.25", "1234,567", "1,2345", "1,23", ",000", "1,,000",
    "1,000,", "1,000.5e3", "1,000e3", "1.000", "1.234.567,25", "-1.234,5", "1.234.56",
    "1,5", "1,500", ",5", "1,", "+1.000,5", "1.000.000", "10,00,000"};
  for (const QLocale &locale : {GERMAN, ENGLISH, QLocale(QLocale::English, QLocale::India)}) {
    for (const char *text : grouped_texts) {
      QTest::newRow(qPrintable(locale.name() + QLatin1Char(' ') + QLatin1String(text)))
        << locale << QString::fromUtf8(text);
    }
  }
}

void TTestNumberReader::Edges_Read_As_Qt_Reads_Them()
{
  QFETCH(QLocale, locale);
  QFETCH(QString, text);

  double expected = 0.0;
  const bool converted = Reference_Read(text, locale, &expected);
  double value = 0.0;
  QCOMPARE(Read_Number(text, locale, &value), converted);
  QCOMPARE(std::isnan(value), std::isnan(expected));
  QVERIFY(std::isnan(value) || value == expected);
  QCOMPARE(std::signbit(value), std::signbit(expected));
}

void TTestNumberReader::Random_Texts_Read_As_Qt_Reads_Them_data()
{
  QTest::addColumn<QLocale>("locale");
  QTest::newRow("C") << C_LOCALE;
  QTest::newRow("de") << GERMAN;
  QTest::newRow("en") << ENGLISH;
  QTest::newRow("fr") << QLocale(QLocale::French, QLocale::France);
  QTest::newRow("en_IN") << QLocale(QLocale::English, QLocale::India);
}

// Deterministic random texts of number characters and separators, a bounded fuzz of the
// allocation-free path against Qt's conversions.
void TTestNumberReader::Random_Texts_Read_As_Qt_Reads_Them()
{
  QFETCH(QLocale, locale);

  const char alphabet[] = "0123456789000111..,,--+eEnaif \t";
  std::mt19937 random(7);
  std::uniform_int_distribution<int> lengths(0, 14);
  std::uniform_int_distribution<int> letters(0, static_cast<int>(sizeof(alphabet)) - 2);
  for (int round = 0; round < 50000; ++round) {
    QString text;
    for (int i = lengths(random); i > 0; --i) {
      text += QLatin1Char(alphabet[letters(random)]);
    }
    double expected = 0.0;
    const bool converted = Reference_Read(text, locale, &expected);
    double value = 0.0;
    const bool read = Read_Number(text, locale, &value);
    const bool both_nan = std::isnan(value) && std::isnan(expected);
    const bool equal = value == expected && std::signbit(value) == std::signbit(expected);
    QVERIFY2(read == converted && (both_nan || equal),
             qPrintable(QStringLiteral("\"%1\": %2 %3 instead of %4 %5")
                          .arg(text)
                          .arg(read)
                          .arg(value)
                          .arg(converted)
                          .arg(expected)));
  }
}

void TTestNumberReader::Refusal_Leaves_Zero()
{
  double value = 9.0;
  QVERIFY(Read_Number(QStringLiteral("nan"), C_LOCALE, &value));
  QVERIFY(std::isnan(value));
  value = 9.0;
  QVERIFY(!Read_Number(QStringLiteral("abc"), GERMAN, &value));
  QCOMPARE(value, 0.0);
}

// The machine's own locale is unknown here; whatever it is, the one-argument form reads
// what an explicit QLocale::system() reads.
void TTestNumberReader::Default_Uses_System_Locale()
{
  const QLocale system = QLocale::system();
  const QString texts[] = {QStringLiteral("2.5"),
                           system.toString(1234.5, 'f', 1),
                           QString(system.decimalPoint()) + QStringLiteral("5"),
                           QStringLiteral("word")};
  for (const QString &text : texts) {
    double by_default = 0.0;
    double by_system = 0.0;
    QCOMPARE(Read_Number(text, &by_default), Read_Number(text, system, &by_system));
    QCOMPARE(by_default, by_system);
  }
}

QTEST_GUILESS_MAIN(TTestNumberReader)
#include "test_numberreader.moc"
