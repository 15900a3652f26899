#include "core/graphticks.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <random>

Q_DECLARE_METATYPE(std::vector<int>)

namespace {

const double LARGEST = std::numeric_limits<double>::max();

// The axis whose pixel `first` shows `a` and whose pixel `last` shows `b`.
TTick_Axis Axis(const int first, const int last, const double a, const double b)
{
  TTick_Axis axis;
  axis.First = first;
  axis.Last = last;
  axis.Scale = (last - first) / (b * 0.5 - a * 0.5) * 0.5;
  axis.Offset = first - a * axis.Scale;
  return axis;
}

QStringList Labels(const TRound_Ticks &ticks)
{
  QStringList labels;
  for (const QString &label : ticks.Labels) {
    labels.append(label);
  }
  return labels;
}

// Seven pixels per character, as a narrow fixed-width font would measure.
int Seven_Per_Character(const QString &text)
{
  return 7 * static_cast<int>(text.size());
}

}  // namespace

class TGraphTicksTest : public QObject
{
  Q_OBJECT

private slots:
  void round_step_data()
  {
    QTest::addColumn<double>("minimum");
    QTest::addColumn<int>("mantissa");
    QTest::addColumn<int>("exponent");
    QTest::newRow("exactly 1") << 1.0 << 1 << 0;
    QTest::newRow("just above 1") << 1.0000001 << 2 << 0;
    QTest::newRow("2.5") << 2.5 << 5 << 0;
    QTest::newRow("7") << 7.0 << 1 << 1;
    QTest::newRow("0.3") << 0.3 << 5 << -1;
    QTest::newRow("exactly 0.001") << 0.001 << 1 << -3;
    QTest::newRow("exactly 0.2") << 0.2 << 2 << -1;
    QTest::newRow("1e-9") << 1e-9 << 1 << -9;
    QTest::newRow("4e-10") << 4e-10 << 5 << -10;
    QTest::newRow("exactly 1e22") << 1e22 << 1 << 22;
    QTest::newRow("3e299") << 3e299 << 5 << 299;
    QTest::newRow("9e307") << 9e307 << 1 << 308;
  }

  void round_step()
  {
    QFETCH(double, minimum);
    QFETCH(int, mantissa);
    QFETCH(int, exponent);
    const TRound_Step step = Round_Step(minimum);
    QCOMPARE(step.Mantissa, mantissa);
    QCOMPARE(step.Exponent, exponent);
    QVERIFY(Step_Value(step) >= minimum);
  }

  // Beyond the largest double no step is finite; the steps run 1, 2, 5, 10.
  void steps_at_the_ends()
  {
    QVERIFY(std::isinf(Step_Value(Round_Step(1.5e308))));
    QVERIFY(std::isinf(Step_Value(Round_Step(std::numeric_limits<double>::infinity()))));
    QCOMPARE(Step_Value(Round_Step(0.0)), 0.0);
    const TRound_Step ten = Next_Round_Step(Next_Round_Step(Next_Round_Step(TRound_Step{1, 0})));
    QCOMPARE(ten.Mantissa, 1);
    QCOMPARE(ten.Exponent, 1);
    QVERIFY(Step_Multiple(TRound_Step{1, -1}, 3.0) == 0.3);
    QVERIFY(Step_Multiple(TRound_Step{2, -3}, 7.0) == 0.014);
    QVERIFY(!std::signbit(Step_Multiple(TRound_Step{5, -2}, -0.0)));
  }

  void label_decimals_data()
  {
    QTest::addColumn<int>("mantissa");
    QTest::addColumn<int>("exponent");
    QTest::addColumn<double>("largest");
    QTest::addColumn<double>("magnitude");
    QTest::addColumn<bool>("exponent_form");
    QTest::addColumn<int>("decimals");
    QTest::newRow("step 1") << 1 << 0 << 10.0 << 10.2 << false << 0;
    QTest::newRow("step 5") << 5 << 0 << 50.0 << 52.0 << false << 0;
    QTest::newRow("step 2000") << 2 << 3 << 8000.0 << 9000.0 << false << 0;
    QTest::newRow("step 0.1") << 1 << -1 << 1.0 << 1.05 << false << 1;
    QTest::newRow("step 0.2") << 2 << -1 << 1.0 << 1.05 << false << 1;
    QTest::newRow("step 0.005") << 5 << -3 << 0.02 << 0.021 << false << 3;
    QTest::newRow("step 2e-10") << 2 << -10 << 1.0 << 1.0 << false << 10;
    QTest::newRow("just below 1e16") << 2 << 15 << 8e15 << 9.9e15 << false << 0;
    QTest::newRow("1e16, step 2e15") << 2 << 15 << 2e16 << 2e16 << true << 1;
    QTest::newRow("1e300, step 5e299") << 5 << 299 << 1e300 << 1e300 << true << 1;
    QTest::newRow("largest, step 1e308") << 1 << 308 << 1e308 << LARGEST << true << 0;
    QTest::newRow("at most 16 decimals") << 1 << -2 << 2e16 << 2e16 << true << 16;
    QTest::newRow("only 0 shown") << 1 << 308 << 0.0 << LARGEST << true << 0;
  }

  void label_decimals()
  {
    QFETCH(int, mantissa);
    QFETCH(int, exponent);
    QFETCH(double, largest);
    QFETCH(double, magnitude);
    QFETCH(bool, exponent_form);
    QFETCH(int, decimals);
    const TLabelDigits digits = Round_Label_Digits(TRound_Step{mantissa, exponent}, largest, magnitude);
    QCOMPARE(digits.Exponent, exponent_form);
    QCOMPARE(digits.Decimals, decimals);
    // The exponent form starts where the labels of evenly spread ticks take it.
    QCOMPARE(digits.Exponent, Label_Digits(magnitude, 1.0).Exponent);
  }

  void round_ticks_data()
  {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<std::vector<int>>("pixels");

    QTest::newRow("whole numbers") << 0 << 100 << 0.0 << 10.0 << 20 << "."
      << QStringList{"0", "2", "4", "6", "8", "10"} << std::vector<int>{0, 20, 40, 60, 80, 100};
    QTest::newRow("descending, as y") << 0 << 100 << 10.0 << 0.0 << 20 << "."
      << QStringList{"10", "8", "6", "4", "2", "0"} << std::vector<int>{0, 20, 40, 60, 80, 100};
    QTest::newRow("descending, ends between ticks") << 10 << 210 << 10.5 << -0.5 << 30 << "."
      << QStringList{"10", "8", "6", "4", "2", "0"} << std::vector<int>{19, 55, 91, 128, 164, 200};
    QTest::newRow("crossing zero") << 0 << 200 << -1.0 << 1.0 << 20 << "."
      << QStringList{"-1.0", "-0.8", "-0.6", "-0.4", "-0.2", "0", "0.2", "0.4", "0.6", "0.8", "1.0"}
      << std::vector<int>{};
    QTest::newRow("crossing zero, comma") << 0 << 200 << -1.0 << 1.0 << 50 << ","
      << QStringList{"-1,0", "-0,5", "0", "0,5", "1,0"} << std::vector<int>{0, 50, 100, 150, 200};
    QTest::newRow("negative") << 0 << 400 << -250.0 << -50.0 << 50 << "."
      << QStringList{"-250", "-200", "-150", "-100", "-50"} << std::vector<int>{0, 100, 200, 300, 400};
    QTest::newRow("steps of 5 thousandths") << 0 << 400 << -0.001 << 0.021 << 80 << "."
      << QStringList{"0", "0.005", "0.010", "0.015", "0.020"} << std::vector<int>{};
    QTest::newRow("tiny span") << 0 << 500 << 1.0 << 1.0 + 1e-9 << 90 << "."
      << QStringList{"1.0000000000", "1.0000000002", "1.0000000004", "1.0000000006",
                     "1.0000000008", "1.0000000010"}
      << std::vector<int>{};
    QTest::newRow("tiny span about zero") << 0 << 400 << -5e-10 << 5e-10 << 70 << "."
      << QStringList{"-0.0000000004", "-0.0000000002", "0", "0.0000000002", "0.0000000004"}
      << std::vector<int>{};
    QTest::newRow("just below the exponent form") << 0 << 400 << 0.0 << 9e15 << 80 << "."
      << QStringList{"0", "2000000000000000", "4000000000000000", "6000000000000000",
                     "8000000000000000"}
      << std::vector<int>{};
    QTest::newRow("from 1e16 in exponent form") << 0 << 400 << 1e16 << 2e16 << 70 << "."
      << QStringList{"1.0e+16", "1.2e+16", "1.4e+16", "1.6e+16", "1.8e+16", "2.0e+16"}
      << std::vector<int>{};
    QTest::newRow("huge span") << 0 << 400 << -1e300 << 1e300 << 50 << ","
      << QStringList{"-1,0e+300", "-5,0e+299", "0", "5,0e+299", "1,0e+300"} << std::vector<int>{};
    QTest::newRow("whole doubles") << 0 << 400 << -LARGEST << LARGEST << 100 << "."
      << QStringList{"-1e+308", "0", "1e+308"} << std::vector<int>{};
    QTest::newRow("no step within the doubles") << 0 << 100 << -LARGEST << LARGEST << 100 << "."
      << QStringList{"0"} << std::vector<int>{50};
    QTest::newRow("largest doubles, no step within them") << 0 << 100 << 1e308 << LARGEST << 200 << "."
      << QStringList{} << std::vector<int>{};
    QTest::newRow("no spacing") << 0 << 100 << 0.0 << 10.0 << 0 << "."
      << QStringList{} << std::vector<int>{};
  }

  // Ticks at the multiples of the step within the axis, ordered by their pixels whichever
  // way the values run, each at the pixel where a point of its value is drawn, with
  // labels of the decimals the step needs and a plain 0.
  void round_ticks()
  {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(int, spacing);
    QFETCH(QString, point);
    QFETCH(QStringList, labels);
    QFETCH(std::vector<int>, pixels);
    const TTick_Axis axis = Axis(first, last, a, b);
    const TRound_Ticks ticks = Round_Ticks(axis, spacing, point);
    QCOMPARE(Labels(ticks), labels);
    QCOMPARE(ticks.Pixels.size(), ticks.Labels.size());
    QCOMPARE(ticks.Values.size(), ticks.Labels.size());
    if (!pixels.empty()) {
      QCOMPARE(ticks.Pixels, pixels);
    }
    const double step = Step_Value(ticks.Step);
    for (std::size_t i = 0; i < ticks.Pixels.size(); ++i) {
      const double value = ticks.Values[i];
      QCOMPARE(ticks.Pixels[i], static_cast<int>(std::trunc(value * axis.Scale + axis.Offset)));
      if (i > 0) {
        QVERIFY(ticks.Pixels[i] - ticks.Pixels[i - 1] >= spacing - 1);
      }
      if (std::isfinite(step)) {
        QVERIFY(std::abs(value / step - std::round(value / step)) < 1e-6);
      }
    }
  }

  // Below the plot the step widens until a gap lies between neighbouring labels, and no
  // further: a step narrower than the expected one crowds them.
  void labels_stay_apart_data()
  {
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("gap");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("short labels") << 0.0 << 10.0 << 10 << QStringList{"0", "2", "4", "6", "8", "10"};
    QTest::newRow("long labels") << 1000000.0 << 1000001.0 << 10
      << QStringList{"1000000.0", "1000000.5", "1000001.0"};
    QTest::newRow("exponent labels") << -LARGEST << LARGEST << 14
      << QStringList{"-1e+308", "0", "1e+308"};
  }

  void labels_stay_apart()
  {
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(int, gap);
    QFETCH(QStringList, labels);
    const TTick_Axis axis = Axis(0, 200, a, b);
    const TRound_Ticks ticks = Round_Ticks_Apart(axis, gap, Seven_Per_Character, ".");
    QCOMPARE(Labels(ticks), labels);
    for (std::size_t i = 1; i < ticks.Labels.size(); ++i) {
      const int half_widths =
        (Seven_Per_Character(ticks.Labels[i - 1]) + Seven_Per_Character(ticks.Labels[i]) + 1) / 2;
      QVERIFY(ticks.Pixels[i] - ticks.Pixels[i - 1] >= half_widths + gap);
    }
  }

  // Over many axes, zoomed anywhere from tiny to huge and on either side of zero: labels
  // read back as their values, never "-0", and ticks never crowd; the work stays bounded.
  void random_axes_keep_their_promises()
  {
    std::mt19937_64 random(23);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> decade(-9, 300);
    int checked = 0;
    for (int round = 0; round < 3000; ++round) {
      const double size = std::pow(10.0, decade(random));
      const double centre = unit(random) * size * (round % 3 == 0 ? 0.2 : 3.0);
      const double a = Within_Doubles(centre - size * (0.1 + std::abs(unit(random))));
      const double b = Within_Doubles(centre + size * (0.1 + std::abs(unit(random))));
      const bool descending = round % 2 == 1;
      const TTick_Axis axis = descending ? Axis(30, 530, b, a) : Axis(30, 530, a, b);
      const int spacing = 20 + round % 80;
      const TRound_Ticks ticks = Round_Ticks(axis, spacing, ".");
      QVERIFY(static_cast<int>(ticks.Labels.size()) <= 500 / spacing + 2);
      const TLabelDigits digits = Round_Label_Digits(ticks.Step, 1.0, std::max(std::abs(a), std::abs(b)));
      for (std::size_t i = 0; i < ticks.Labels.size(); ++i) {
        const QString &label = ticks.Labels[i];
        QVERIFY2(label != "-0" && !label.startsWith("-0.0e") && label != "-0.0", qPrintable(label));
        QVERIFY(ticks.Pixels[i] >= 30 && ticks.Pixels[i] <= 530);
        if (i > 0) {
          QVERIFY(ticks.Pixels[i] - ticks.Pixels[i - 1] >= spacing - 1);
        }
        bool read = false;
        const double value = label.toDouble(&read);
        QVERIFY2(read, qPrintable(label));
        const double tolerance = digits.Exponent ? std::abs(ticks.Values[i]) * 1e-15 : 0.0;
        QVERIFY2(std::abs(value - ticks.Values[i]) <= std::max(tolerance, Step_Value(ticks.Step) * 1e-6),
                 qPrintable(label));
        ++checked;
      }
    }
    QVERIFY(checked > 10000);
  }
};

QTEST_GUILESS_MAIN(TGraphTicksTest)
#include "test_graphticks.moc"
