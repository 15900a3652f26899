#include "src/model/resampling.h"

#include "core/interpolation.h"
#include "src/model/editoutput.h"

#include <QtTest>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

TSeries Series(const double start, const double increment, const double end,
               const double minimum_step = 1.0)
{
  TRange range;
  range.start = start;
  range.increment = increment;
  range.end = end;
  return Correct_Range(range, minimum_step);
}

Point_List Filled(const TSeries &series, const double value)
{
  Point_List points;
  Fill_Positions(series, &points);
  for (TVector2 &point : points) {
    point.y = value;
  }
  return points;
}

const double INF = std::numeric_limits<double>::infinity();

}  // namespace

class TResamplingTest : public QObject
{
  Q_OBJECT

private slots:
  void corrections_data()
  {
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("increment");
    QTest::addColumn<double>("end");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("corrected_start");
    QTest::addColumn<double>("corrected_increment");
    QTest::addColumn<double>("corrected_end");
    QTest::addColumn<int>("count");

    QTest::newRow("input defaults") << -10.0 << 15.0 << 215.0 << 1.0 << -10.0 << 15.0 << 215.0 << 16;
    QTest::newRow("editor defaults") << 0.0 << 50.0 << 200.0 << 15.0 << 0.0 << 50.0 << 200.0 << 5;
    QTest::newRow("end not reached") << 0.0 << 3.0 << 10.0 << 1.0 << 0.0 << 3.0 << 10.0 << 4;
    QTest::newRow("increment too small") << 0.0 << 0.25 << 10.0 << 1.0 << 0.0 << 1.0 << 10.0 << 11;
    QTest::newRow("wrong direction down") << 10.0 << 5.0 << 0.0 << 1.0 << 10.0 << -1.0 << 0.0 << 11;
    QTest::newRow("wrong direction up") << 0.0 << -5.0 << 10.0 << 1.0 << 0.0 << 1.0 << 10.0 << 11;
    QTest::newRow("editor finer than input") << 0.0 << 5.0 << 200.0 << 15.0 << 0.0 << 15.0
                                             << 200.0 << 14;
    QTest::newRow("half step rounds up") << 0.0 << 1.0 << 0.5 << 1.0 << 0.0 << 1.0 << 0.5 << 2;
    QTest::newRow("end equals start") << 5.0 << 0.0 << 5.0 << 1.0 << 5.0 << 0.0 << 5.0 << 0;
    QTest::newRow("single point") << 0.0 << 1.0 << 0.4 << 1.0 << 0.0 << 1.0 << 0.4 << 0;
    QTest::newRow("too many rows") << 0.0 << 1.0 << 1.0e7 << 1.0 << 0.0
                                   << 1.0e7 / (MAXIMUM_ROW_COUNT - 1) << 1.0e7
                                   << MAXIMUM_ROW_COUNT;
    QTest::newRow("count beyond int") << 0.0 << 1.0 << 1.0e12 << 1.0 << 0.0
                                      << 1.0e12 / (MAXIMUM_ROW_COUNT - 1) << 1.0e12
                                      << MAXIMUM_ROW_COUNT;
    QTest::newRow("nan start") << std::nan("") << 1.0 << 4.0 << 1.0 << 0.0 << 1.0 << 4.0 << 5;
    QTest::newRow("infinite end") << 0.0 << 1.0 << INF << 1.0 << 0.0 << 1.0 << 0.0 << 0;
    QTest::newRow("nan increment") << 0.0 << std::nan("") << 3.0 << 1.0 << 0.0 << 1.0 << 3.0 << 4;
    QTest::newRow("largest doubles") << -1.7e308 << 1.0 << 1.7e308 << 1.0 << -MAXIMUM_POSITION
                                     << 2.0 * MAXIMUM_POSITION / (MAXIMUM_ROW_COUNT - 1)
                                     << MAXIMUM_POSITION << MAXIMUM_ROW_COUNT;
    QTest::newRow("huge increment") << 0.0 << 1.0e308 << 10.0 << 1.0 << 0.0 << MAXIMUM_POSITION
                                    << 10.0 << 0;
  }

  void corrections()
  {
    QFETCH(double, start);
    QFETCH(double, increment);
    QFETCH(double, end);
    QFETCH(double, minimum);
    QFETCH(double, corrected_start);
    QFETCH(double, corrected_increment);
    QFETCH(double, corrected_end);
    QFETCH(int, count);
    const TSeries series = Series(start, increment, end, minimum);
    QCOMPARE(series.range.start, corrected_start);
    QCOMPARE(series.range.increment, corrected_increment);
    QCOMPARE(series.range.end, corrected_end);
    QCOMPARE(series.count, count);

    // Every position is finite and the positions run from the start by the increment.
    Point_List points;
    Fill_Positions(series, &points);
    QCOMPARE(static_cast<int>(points.size()), count);
    for (const TVector2 &point : points) {
      QVERIFY(std::isfinite(point.x));
    }
    if (count > 0) {
      QCOMPARE(points.front().x, corrected_start);
      QCOMPARE(points[1].x, corrected_start + corrected_increment);
    }
  }

  void counts_data()
  {
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("count");
    QTest::newRow("one") << 1 << 2;
    QTest::newRow("zero") << 0 << 2;
    QTest::newRow("negative") << INT_MIN << 2;
    QTest::newRow("ordinary") << 11 << 11;
    QTest::newRow("maximum") << MAXIMUM_ROW_COUNT << MAXIMUM_ROW_COUNT;
    QTest::newRow("largest int") << INT_MAX << MAXIMUM_ROW_COUNT;
  }

  void counts()
  {
    QFETCH(int, typed);
    QFETCH(int, count);
    QCOMPARE(Corrected_Count(typed), count);
  }

  void positions_keep_values_by_row()
  {
    Point_List points = {TVector2(0, 1), TVector2(1, 2), TVector2(2, 3)};
    Fill_Positions(Series(10.0, -2.0, 0.0), &points);
    QCOMPARE(points.size(), std::size_t(6));
    QCOMPARE(points[0].x, 10.0);
    QCOMPARE(points[0].y, 1.0);
    QCOMPARE(points[2].y, 3.0);
    QCOMPARE(points[3].y, 0.0);
    QCOMPARE(points[5].x, 0.0);
    Fill_Positions(Series(0.0, 1.0, 1.0), &points);
    QCOMPARE(points.size(), std::size_t(2));
    QCOMPARE(points[1].y, 2.0);
  }

  // Input -10 to 215 by 15, all 10.0; editor 0 to 200 by 50 with 2.0 at 50.
  void worked_example_data()
  {
    QTest::addColumn<bool>("zero_offset");
    QTest::addColumn<QVector<double>>("expected");
    QVector<double> plain = {9.6, 10.2, 10.8, 11.4, 12.0, 11.4, 10.8, 10.2};
    QVector<double> shifted;
    for (const double value : plain) {
      shifted << value - 10.0;
    }
    for (int i = plain.size(); i < 16; ++i) {
      plain << 10.0;
      shifted << 0.0;
    }
    QTest::newRow("plain") << false << plain;
    QTest::newRow("zero offset") << true << shifted;
  }

  void worked_example()
  {
    QFETCH(bool, zero_offset);
    QFETCH(QVector<double>, expected);
    const Point_List input = Filled(Series(-10.0, 15.0, 215.0), 10.0);
    Point_List edit = Filled(Series(0.0, 50.0, 200.0, Editor_Minimum_Step(15.0)), 0.0);
    edit[1].y = 2.0;
    std::vector<double> output(input.size());
    Calculate_Output(input, edit, zero_offset, &output);
    QCOMPARE(output.size(), std::size_t(16));
    for (int i = 0; i < 16; ++i) {
      QVERIFY2(std::fabs(output[i] - expected[i]) < 1e-12,
               qPrintable(QString("row %1: %2").arg(i).arg(output[i], 0, 'g', 17)));
    }
  }

  void output_edge_cases_data()
  {
    QTest::addColumn<int>("edit_points");
    QTest::addColumn<double>("input_start");
    QTest::addColumn<bool>("zero_offset");
    QTest::addColumn<double>("first_output");
    // An editor without rows contributes nothing.
    QTest::newRow("empty editor") << 0 << 0.0 << false << 3.0;
    QTest::newRow("empty editor, zero offset") << 0 << 5.0 << true << 10.0;
    // Positions from 5 upward: the shift is extrapolated from the first two outputs.
    QTest::newRow("shift extrapolated") << 2 << 5.0 << true << 10.0;
  }

  void output_edge_cases()
  {
    QFETCH(int, edit_points);
    QFETCH(double, input_start);
    QFETCH(bool, zero_offset);
    QFETCH(double, first_output);
    Point_List input = Filled(Series(input_start, 1.0, input_start + 3.0), 3.0);
    input[1].y = 5.0;
    Point_List edit;
    if (edit_points == 2) {
      edit = {TVector2(0.0, 0.0), TVector2(10.0, 0.0)};
    }
    std::vector<double> output(input.size());
    Calculate_Output(input, edit, zero_offset, &output);
    QCOMPARE(output[0], first_output);
    if (zero_offset && edit_points == 2) {
      // Line through (5, 3) and (6, 5) meets position 0 at -7.
      QCOMPARE(output[1], 5.0 + 7.0);
    }
  }

  // The shift reads only the rows around position 0, yet must give to the last bit what
  // the interpolation over every row gives: ranges ascending and descending, 0 on a row,
  // between rows, before and after them, huge and tiny spans, values with nan.
  void value_at_zero_matches_the_full_lookup_data()
  {
    QTest::addColumn<int>("seed");
    for (int seed = 1; seed <= 40; ++seed) {
      QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
    }
  }

  void value_at_zero_matches_the_full_lookup()
  {
    QFETCH(int, seed);
    std::mt19937 random(static_cast<unsigned>(seed));
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const double starts[] = {-10.0, 0.0, 5.0, -1e6, 3.5, 1e300, -0.5};
    const double increments[] = {1.0, 15.0, -1.0, 2.5, -7.0, 1e12, 1e290};
    const double start = starts[random() % 7];
    const double increment = increments[random() % 7];
    const int count = 2 + static_cast<int>(random() % 60);
    Point_List points = Filled(Series(start, increment, start + increment * (count - 1)), 0.0);
    std::vector<double> values;
    for (TVector2 &point : points) {
      point.y = random() % 11 == 0 ? std::nan("") : unit(random) * 100.0;
      values.push_back(point.y);
    }
    double expected = 0.0;
    Interpolate_Value(points, 0.0, &expected);
    const double found = Value_At_Zero(points, values);
    QVERIFY2(std::memcmp(&found, &expected, sizeof found) == 0,
             qPrintable(QString("%1 where %2").arg(found, 0, 'g', 17).arg(expected, 0, 'g', 17)));
  }

  // The graph's handles find the shift from the rows around position 0 alone; it must be
  // to the last bit the one the output's arithmetic subtracts from every row.
  void zero_shift_matches_the_output_data()
  {
    QTest::addColumn<int>("seed");
    for (int seed = 1; seed <= 40; ++seed) {
      QTest::newRow(qPrintable(QString("seed %1").arg(seed))) << seed;
    }
  }

  void zero_shift_matches_the_output()
  {
    QFETCH(int, seed);
    std::mt19937 random(static_cast<unsigned>(seed));
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const double starts[] = {-10.0, 0.0, 5.0, -1e6, 3.5, -300.0, -0.5};
    const double increments[] = {1.0, 15.0, -1.0, 2.5, -7.0, 40.0, 3.0};
    const double start = starts[random() % 7];
    const double increment = increments[random() % 7];
    const int count = 2 + static_cast<int>(random() % 60);
    Point_List input = Filled(Series(start, increment, start + increment * (count - 1)), 0.0);
    for (TVector2 &point : input) {
      point.y = random() % 13 == 0 ? std::nan("") : unit(random) * 100.0;
    }
    const double edit_start = starts[random() % 7];
    const double edit_increment = increments[random() % 7] * 3.0;
    Point_List edit = Filled(Series(edit_start, edit_increment, edit_start + edit_increment * 7.0,
                                    Editor_Minimum_Step(increment)), 0.0);
    for (TVector2 &point : edit) {
      point.y = unit(random) * 10.0;
    }
    std::vector<double> unshifted(input.size());
    std::vector<double> shifted(input.size());
    Calculate_Output(input, edit, false, &unshifted);
    Calculate_Output(input, edit, true, &shifted);
    const double shift = Zero_Shift(input, edit, true);
    const double expected = Value_At_Zero(input, unshifted);
    QVERIFY2(std::memcmp(&shift, &expected, sizeof shift) == 0,
             qPrintable(QString("%1 where %2").arg(shift, 0, 'g', 17).arg(expected, 0, 'g', 17)));
    for (std::size_t i = 0; i < input.size(); ++i) {
      const double value = unshifted[i] - shift;
      QVERIFY(std::memcmp(&value, &shifted[i], sizeof value) == 0);
    }
    QCOMPARE(Zero_Shift(input, edit, false), 0.0);
  }
};

QTEST_APPLESS_MAIN(TResamplingTest)

#include "test_resampling.moc"
