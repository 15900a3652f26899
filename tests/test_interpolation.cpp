#include "core/interpolation.h"
#include "tests/failure_recorder.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

Q_DECLARE_METATYPE(Point_List)

namespace {

Point_List Points(std::initializer_list<TVector2> points)
{
  return Point_List(points);
}

// Positions built by repeated addition, as the resampling tables build them.
Point_List Accumulated(const double start, const double increment, const int count)
{
  Point_List points;
  double position = start;
  for (int i = 0; i < count; ++i) {
    points.emplace_back(position, 3.0 * i);
    position += increment;
  }
  return points;
}

// The same list as three-component points, the position moved to the key coordinate and
// the value and a second value (minus the value) to the other two.
Point_List_3D Keyed(const Point_List &points, const int key)
{
  Point_List_3D result;
  for (const TVector2 &point : points) {
    TVector3 p;
    p.Component_Reference(key) = point.x;
    p.Component_Reference((key + 1) % 3) = point.y;
    p.Component_Reference((key + 2) % 3) = -point.y;
    result.push_back(p);
  }
  return result;
}

bool Same_Bits(const double a, const double b)
{
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// An evenly spaced series by repeated addition; at large magnitudes additions may be lost,
// leaving runs of equal positions.
Point_List Series(std::mt19937 &random, const double start, const double increment,
                  const int count)
{
  std::uniform_real_distribution<double> value(-100.0, 100.0);
  Point_List points;
  double position = start;
  for (int i = 0; i < count; ++i) {
    points.emplace_back(position, value(random));
    position += increment;
  }
  return points;
}

const double NOT_WRITTEN = 99.0;
const double HUGE_POSITION = 1.0e308;

}  // namespace

class TInterpolationTest : public QObject
{
  Q_OBJECT

private slots:
  void init()
  {
    Start_Recording_Failures();
  }

  void cleanup() { Stop_Recording_Failures(); }

  void lookup_data()
  {
    QTest::addColumn<Point_List>("points");
    QTest::addColumn<double>("position");
    QTest::addColumn<bool>("success");
    QTest::addColumn<double>("expected");

    const Point_List line = Points({{0, 0}, {10, 100}});
    QTest::newRow("inside") << line << 5.0 << true << 50.0;
    QTest::newRow("first point") << line << 0.0 << true << 0.0;
    QTest::newRow("last point") << line << 10.0 << true << 100.0;
    QTest::newRow("below") << line << -5.0 << true << -50.0;
    QTest::newRow("above") << line << 15.0 << true << 150.0;

    const Point_List bent = Points({{0, 0}, {1, 10}, {3, 30}, {4, 0}});
    QTest::newRow("bent inside") << bent << 3.5 << true << 15.0;
    QTest::newRow("interior point") << bent << 1.0 << true << 10.0;
    QTest::newRow("bent above uses last two") << bent << 6.0 << true << -60.0;
    QTest::newRow("bent below uses first two") << bent << -1.0 << true << -10.0;

    QTest::newRow("empty") << Point_List() << 1.0 << false << 0.0;
    QTest::newRow("single") << Points({{1, 5}}) << 1.0 << false << 0.0;
    QTest::newRow("no span") << Points({{2, 5}, {2, 7}}) << 2.0 << false << 0.0;
    QTest::newRow("span below minimum") << Points({{0, 0}, {0.9e-6, 1}}) << 5.0 << false << 0.0;
    QTest::newRow("span of exactly the minimum, outside")
      << Points({{0, 0}, {1.0e-6, 1}}) << 2.0e-6 << true << 2.0;
    QTest::newRow("span of exactly the minimum, inside skipped segment")
      << Points({{0, 0}, {1.0e-6, 1}}) << 0.5e-6 << false << 0.0;

    const Point_List short_segment = Points({{0, 0}, {1, 10}, {1.0000001, 20}, {2, 30}});
    QTest::newRow("inside skipped short segment") << short_segment << 1.00000005 << false << 0.0;
    QTest::newRow("after short segment") << short_segment << 1.5 << true << 25.0;

    const Point_List descending = Points({{10, 100}, {0, 0}});
    QTest::newRow("descending inside") << descending << 5.0 << true << 50.0;
    QTest::newRow("descending before first") << descending << 12.0 << true << 120.0;
    QTest::newRow("descending past last") << descending << -3.0 << true << -30.0;

    const Point_List folded = Points({{0, 0}, {10, 100}, {5, 50}});
    QTest::newRow("not monotonic, beyond last") << folded << 7.0 << true << 70.0;
    QTest::newRow("not monotonic, first covering segment") << folded << 3.0 << true << 30.0;

    QTest::newRow("first two share a position")
      << Points({{0, 0}, {0, 5}, {10, 10}}) << -1.0 << false << 0.0;
    QTest::newRow("last two share a position")
      << Points({{0, 0}, {10, 5}, {10, 7}}) << 11.0 << false << 0.0;
    QTest::newRow("shared position, inside still works")
      << Points({{0, 0}, {0, 5}, {10, 10}}) << 5.0 << true << 7.5;

    QTest::newRow("nan position") << line << std::nan("") << false << 0.0;
    QTest::newRow("infinite position, flat line")
      << Points({{0, 1}, {10, 1}}) << std::numeric_limits<double>::infinity() << false << 0.0;
    QTest::newRow("infinite position, rising line")
      << line << std::numeric_limits<double>::infinity() << true
      << std::numeric_limits<double>::infinity();
    QTest::newRow("span overflows")
      << Points({{-HUGE_POSITION, 0}, {HUGE_POSITION, 1}}) << 0.0 << false << 0.0;
    QTest::newRow("span overflows, far position")
      << Points({{-HUGE_POSITION, 0}, {HUGE_POSITION, 1}}) << 1.5e308 << false << 0.0;
    QTest::newRow("nan in the list") << Points({{0, 0}, {std::nan(""), 1}, {2, 2}}) << 1.0
                                     << false << 0.0;
  }

  // Every failure leaves 0.0 in the output; success never carries a NaN.
  void lookup()
  {
    QFETCH(Point_List, points);
    QFETCH(double, position);
    QFETCH(bool, success);
    QFETCH(double, expected);
    double value = NOT_WRITTEN;
    QCOMPARE(Interpolate_Value(points, position, &value), success);
    QVERIFY(!std::isnan(value));
    if (std::isinf(expected)) {
      QCOMPARE(value, expected);
    } else {
      QVERIFY2(std::fabs(value - expected) < 1e-6, qPrintable(QString::number(value, 'g', 17)));
    }
    if (!success) {
      QCOMPARE(value, 0.0);
    }
  }

  // Each three-component twin gives the same result on its own key coordinate.
  void keyed_lookups_match_plain_lookup()
  {
    const QVector<double> positions = {-5.0, 0.0, 0.5, 1.0, 3.5, 6.0, 1.00000005, 1.5};
    const QVector<Point_List> lists = {
      Points({{0, 0}, {1, 10}, {3, 30}, {4, 0}}),
      Points({{0, 0}, {1, 10}, {1.0000001, 20}, {2, 30}}),
      Points({{10, 100}, {0, 0}}),
      Points({{1, 1}}),
    };
    for (const Point_List &points : lists) {
      for (const double position : positions) {
        double expected = NOT_WRITTEN;
        const bool success = Interpolate_Value(points, position, &expected);
        for (int key = 0; key < 3; ++key) {
          const Point_List_3D keyed = Keyed(points, key);
          double value = NOT_WRITTEN;
          double other = NOT_WRITTEN;
          bool keyed_success = false;
          // Outputs in parameter order: the component after the key, then the one after that,
          // except for the lookup keyed on y, which writes z before x.
          if (key == 2) {
            keyed_success = Interpolate_XY_At_Z(keyed, position, &value, &other);
          } else if (key == 0) {
            keyed_success = Interpolate_YZ_At_X(keyed, position, &value, &other);
          } else {
            keyed_success = Interpolate_ZX_At_Y(keyed, position, &value, &other);
          }
          QCOMPARE(keyed_success, success);
          QCOMPARE(value, expected);
          QCOMPARE(other, -expected + 0.0);
        }
      }
    }
    QVERIFY(Recorded_Failure_Texts().isEmpty());
  }

  // A position one step of rounding past an end of a list accumulated by repeated
  // addition is evaluated like the extrapolation beyond that end.
  void rounding_at_the_ends()
  {
    int rounding_cases = 0;
    for (int count = 2; count < 2000; count += 7) {
      const Point_List points = Accumulated(-1000.0, 1.1, count);
      const TVector2 &first = points.front();
      const TVector2 &last = points.back();
      const TVector2 &before_last = points[points.size() - 2];
      for (const double position :
           {std::nextafter(last.x, HUGE_POSITION), std::nextafter(first.x, -HUGE_POSITION)}) {
        const double t = (position - first.x) / (last.x - first.x);
        const double u = (position - before_last.x) / (last.x - before_last.x);
        if ((t == 1.0 && u > 1.0) || t == 0.0) {
          ++rounding_cases;
        }
        double value = NOT_WRITTEN;
        QVERIFY(Interpolate_Value(points, position, &value));
        const TVector2 &anchor = position > last.x ? last : first;
        QVERIFY(std::fabs(value - anchor.y) < 1e-6);
      }
    }
    QVERIFY2(rounding_cases > 0, "no list hit the rounding case");
  }

  // The one-pass evaluation picks the same segment as the lookup, bit for bit, for evenly
  // spaced series in either direction, positions on interior points, ends and beyond.
  void one_pass_matches_lookup()
  {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> count(0, 40);
    std::uniform_int_distribution<int> coin(0, 1);
    std::uniform_int_distribution<int> divisor(1, 7);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double magnitudes[] = {1.0, 1000.0, 1.0e-7, 1.0e16, 1.0e17};
    int one_pass = 0;
    for (int round = 0; round < 20000; ++round) {
      const double magnitude = magnitudes[round % 5];
      const double start = (unit(random) - 0.5) * 20.0 * magnitude;
      double increment = (0.2 + unit(random) * 3.0) * (coin(random) ? 1.0 : -1.0);
      if (round % 3 == 0) {
        increment = std::round(increment * 4.0) / 4.0 + (increment > 0 ? 1.0 : -1.0);
      }
      const Point_List points = Series(random, start, increment, count(random));
      // Positions share the start and a whole fraction of the increment (so many fall on
      // points exactly), run either way and reach past both ends.
      const double step = increment / divisor(random) * (coin(random) ? 1.0 : -1.0);
      const int steps = 2 * static_cast<int>(points.size()) * 8 + 3;
      const double from = coin(random) ? start - step * steps / 4 : start + step * steps / 4;
      const Point_List at = Series(random, step > 0 ? std::min(from, start) - 4 * step
                                                    : std::max(from, start) - 4 * step,
                                   step, steps);
      std::vector<double> values;
      one_pass += Interpolate_At_Positions(points, at, &values) ? 1 : 0;
      QCOMPARE(values.size(), at.size());
      for (std::size_t i = 0; i < at.size(); ++i) {
        double expected = NOT_WRITTEN;
        Interpolate_Value(points, at[i].x, &expected);
        if (!Same_Bits(values[i], expected)) {
          QFAIL(qPrintable(QString("round %1, position %2: %3 instead of %4")
                             .arg(round)
                             .arg(at[i].x, 0, 'g', 17)
                             .arg(values[i], 0, 'g', 17)
                             .arg(expected, 0, 'g', 17)));
        }
      }
    }
    QVERIFY(one_pass > 15000);
  }

  void one_pass_falls_back_for_unordered_lists_data()
  {
    QTest::addColumn<Point_List>("points");
    QTest::addColumn<Point_List>("at");
    const Point_List folded = Points({{0, 0}, {10, 100}, {5, 50}, {8, 20}});
    const Point_List rising = Points({{-2, 0}, {1, 0}, {3, 0}, {7, 0}, {9, 0}, {12, 0}});
    QTest::newRow("list folds") << folded << rising;
    QTest::newRow("positions fold") << Points({{0, 0}, {10, 100}}) << folded;
    QTest::newRow("nan in list") << Points({{0, 0}, {std::nan(""), 3}, {2, 2}}) << rising;
  }

  void one_pass_falls_back_for_unordered_lists()
  {
    QFETCH(Point_List, points);
    QFETCH(Point_List, at);
    std::vector<double> values;
    QVERIFY(!Interpolate_At_Positions(points, at, &values));
    for (std::size_t i = 0; i < at.size(); ++i) {
      double expected = NOT_WRITTEN;
      Interpolate_Value(points, at[i].x, &expected);
      QVERIFY(Same_Bits(values[i], expected));
    }
  }

  void keyed_lookup_fails_with_zeros()
  {
    Point_List_3D points = {TVector3(1, 2, 3), TVector3(1, 2, 3)};
    double a = NOT_WRITTEN;
    double b = NOT_WRITTEN;
    QVERIFY(!Interpolate_XY_At_Z(points, 3.0, &a, &b));
    QCOMPARE(a, 0.0);
    QCOMPARE(b, 0.0);
    a = b = NOT_WRITTEN;
    points = {TVector3(0, 0, 0), TVector3(1, std::nan(""), 1)};
    QVERIFY(!Interpolate_YZ_At_X(points, 0.5, &a, &b));
    QCOMPARE(a, 0.0);
    QCOMPARE(b, 0.0);
  }

  void slopes()
  {
    double slope = NOT_WRITTEN;
    double intercept = NOT_WRITTEN;

    QVERIFY(End_Point_Slope(Points({{0, 0}, {5, 1}, {2, 4}}), &slope));
    QCOMPARE(slope, 2.0);
    QVERIFY(!End_Point_Slope(Points({{0, 0}, {1.0e-6, 1}}), &slope));
    QCOMPARE(slope, 0.0);
    double value = NOT_WRITTEN;
    QVERIFY(Interpolate_Value(Points({{0, 0}, {1.0e-6, 1}}), -1.0e-6, &value));
    QVERIFY(!End_Point_Slope(Points({{1, 1}}), &slope));

    QVERIFY(Least_Squares_Slope(Points({{0, 1}, {1, 3}, {2, 5}}), &slope, &intercept));
    QCOMPARE(slope, 2.0);
    QCOMPARE(intercept, 1.0);
    slope = intercept = NOT_WRITTEN;
    QVERIFY(!Least_Squares_Slope(Points({{0, 1}}), &slope, &intercept));
    QCOMPARE(slope, NOT_WRITTEN);
    QCOMPARE(intercept, NOT_WRITTEN);
    QVERIFY(Least_Squares_Slope(Points({{2, 1}, {2, 3}}), &slope));
    QVERIFY(!std::isfinite(slope));

    QVERIFY(Sum_Ratio_Slope(Points({{1, 0.5}, {-1, -0.5}}), &slope));
    QCOMPARE(slope, 0.5);
    QVERIFY(Sum_Ratio_Slope(Points({{1, 3}, {2, 6}}), &slope));
    QCOMPARE(slope, 3.0);
    QVERIFY(Sum_Ratio_Slope(Points({{0, 1}, {0, -1}, {0, 2}}), &slope));
    QVERIFY(!std::isfinite(slope));
    QVERIFY(!Sum_Ratio_Slope(Point_List(), &slope));
    QCOMPARE(slope, 0.0);
    QVERIFY(Recorded_Failure_Texts().isEmpty());
  }

  void quadratic_fit()
  {
    double a = NOT_WRITTEN;
    double b = NOT_WRITTEN;
    double c = NOT_WRITTEN;
    QVERIFY(Quadratic_Fit(Points({{-1, 2}, {0, 1}, {1, 4}}), &a, &b, &c));
    QCOMPARE(a, 2.0);
    QCOMPARE(b, 1.0);
    QCOMPARE(c, 1.0);
    QVERIFY(Quadratic_Fit(Points({{0, 1}, {1, 0}, {2, 1}, {3, 4}, {4, 9}}), &a, &b, &c));
    QVERIFY(std::fabs(a - 1.0) < 1e-12 && std::fabs(b + 2.0) < 1e-12 && std::fabs(c - 1.0) < 1e-12);
    a = b = c = NOT_WRITTEN;
    QVERIFY(!Quadratic_Fit(Points({{0, 1}, {1, 2}}), &a, &b, &c));
    QCOMPARE(a, NOT_WRITTEN);
    QCOMPARE(Sum_Fourth_Powers(Points({{1, 0}, {-2, 0}})), 17.0);
    QCOMPARE(Sum_Cubes(Points({{1, 0}, {-2, 0}})), -7.0);
    QCOMPARE(Sum_Cubes(Point_List()), 0.0);
    QVERIFY(Recorded_Failure_Texts().isEmpty());
  }

  // Missing outputs fail their checks in parameter order and the call fails cleanly.
  void missing_outputs()
  {
    const Point_List line = Points({{0, 0}, {10, 100}, {20, 0}});
    const Point_List_3D keyed = Keyed(line, 0);
    double out = NOT_WRITTEN;
    QVERIFY(!Interpolate_Value(line, 5.0, nullptr));
    QVERIFY(!Interpolate_XY_At_Z(keyed, 5.0, nullptr, &out));
    QVERIFY(!Interpolate_YZ_At_X(keyed, 5.0, &out, nullptr));
    QVERIFY(!Interpolate_ZX_At_Y(keyed, 5.0, nullptr, nullptr));
    QVERIFY(!End_Point_Slope(line, nullptr));
    QVERIFY(!Least_Squares_Slope(line, nullptr));
    QVERIFY(!Least_Squares_Slope(Point_List(), nullptr));
    QVERIFY(!Sum_Ratio_Slope(line, nullptr));
    QVERIFY(!Quadratic_Fit(line, nullptr, nullptr, nullptr));
    QVERIFY(!Interpolate_At_Positions(line, line, nullptr));
    QCOMPARE(out, NOT_WRITTEN);
    const QString at = "core/interpolation ";
    QCOMPARE(Recorded_Failure_Texts(), QStringList() << at + "value" << at + "x_value" << at + "z_value"
                                     << at + "x_value" << at + "slope" << at + "slope"
                                     << at + "slope" << at + "a" << at + "b" << at + "c"
                                     << at + "values");
  }
};

QTEST_APPLESS_MAIN(TInterpolationTest)

#include "test_interpolation.moc"
