#include "core/curveinterpolant.h"
#include "core/interpolation.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

Q_DECLARE_METATYPE(TInterpolation)

namespace {

using TList = std::vector<double>;
const double NAN_VALUE = std::numeric_limits<double>::quiet_NaN();
const double INF = std::numeric_limits<double>::infinity();
const TInterpolation WAYS[] = {INTERPOLATION_LINEAR, INTERPOLATION_MONOTONE,
                               INTERPOLATION_SPLINE};

bool Same_Bits(const double a, const double b)
{
  return std::memcmp(&a, &b, sizeof a) == 0;
}

TList Values_At(const TCurve_Interpolant &curve, const TList &at)
{
  TList values(at.size(), 99.0);
  curve.Evaluate(at.data(), 0, at.size(), values.data());
  return values;
}

// Steps of 0.3 to 2 from -3, or the same positions negated.
TList Uneven(std::mt19937 &random, const int count, const bool descending)
{
  std::uniform_real_distribution<double> step(0.3, 2.0);
  TList positions;
  for (double p = -3.0; positions.size() < static_cast<std::size_t>(count); p += step(random)) {
    positions.push_back(descending ? -p : p);
  }
  return positions;
}

// Values in [-10, 10], a fifth of them 1 so that some segments are flat.
TList Random_Values(std::mt19937 &random, const int count, const bool sorted)
{
  std::uniform_real_distribution<double> value(-10.0, 10.0);
  TList values;
  while (values.size() < static_cast<std::size_t>(count)) {
    values.push_back(random() % 5 == 0 ? 1.0 : value(random));
  }
  if (sorted) {
    std::sort(values.begin(), values.end());
  }
  return values;
}

// Positions through every segment and on every point, and far past both ends.
TList Dense(const TList &x, const int per_segment)
{
  const double reach = 2.0 * (x.back() - x.front());
  TList at = {x.front() - reach};
  for (std::size_t k = 0; k + 1 < x.size(); ++k) {
    for (int j = 0; j < per_segment; ++j) {
      at.push_back(x[k] + (x[k + 1] - x[k]) * j / per_segment);
    }
  }
  at.insert(at.end(), {x.back(), x.back() + reach});
  return at;
}

// The shape-preserving cubic written down from its definition, in Hermite basis form.
double End_Reference(double h1, double h2, double d1, double d2)
{
  const auto sign = [](double v) { return (v > 0) - (v < 0); };
  const double d = ((2 * h1 + h2) * d1 - h1 * d2) / (h1 + h2);
  if (sign(d) != sign(d1)) {
    return 0;
  }
  return sign(d1) != sign(d2) && std::fabs(d) > std::fabs(3 * d1) ? 3 * d1 : d;
}

double Monotone_Reference(const TList &x, const TList &y, const double at)
{
  const std::size_t n = x.size();
  TList h(n - 1), del(n - 1), d(n);
  for (std::size_t k = 0; k + 1 < n; ++k) {
    h[k] = x[k + 1] - x[k];
    del[k] = (y[k + 1] - y[k]) / h[k];
  }
  for (std::size_t k = 1; k + 1 < n; ++k) {
    const double w1 = 2 * h[k] + h[k - 1], w2 = h[k] + 2 * h[k - 1];
    const bool same = del[k - 1] * del[k] > 0;
    d[k] = same ? (w1 + w2) / (w1 / del[k - 1] + w2 / del[k]) : 0.0;
  }
  d[0] = n == 2 ? del[0] : End_Reference(h[0], h[1], del[0], del[1]);
  d[n - 1] = n == 2 ? del[0] : End_Reference(h[n - 2], h[n - 3], del[n - 2], del[n - 3]);
  const double up = x[1] > x[0] ? 1.0 : -1.0;
  if (up * at <= up * x[0] || up * at >= up * x[n - 1]) {
    const std::size_t e = up * at <= up * x[0] ? 0 : n - 1;
    return y[e] + d[e] * (at - x[e]);
  }
  std::size_t k = 0;
  while (up * at > up * x[k + 1]) {
    ++k;
  }
  const double s = (at - x[k]) / h[k];
  return (2 * s * s * s - 3 * s * s + 1) * y[k] + (s * s * s - 2 * s * s + s) * h[k] * d[k]
         + (3 * s * s - 2 * s * s * s) * y[k + 1] + (s * s * s - s * s) * h[k] * d[k + 1];
}

// First and second derivatives from four values on one side; both exact for a cubic.
void One_Sided(const TCurve_Interpolant &curve, double x, double e, double *first,
               double *second)
{
  double g[4];
  for (int k = 0; k < 4; ++k) {
    g[k] = curve.Value(x + k * e);
  }
  *first = (-11 * g[0] + 18 * g[1] - 9 * g[2] + 2 * g[3]) / (6 * e);
  *second = (2 * g[0] - 5 * g[1] + 4 * g[2] - g[3]) / (e * e);
}

}  // namespace

class TCurveInterpolantTest : public QObject
{
  Q_OBJECT

private slots:
  // Linear gives Interpolate_At_Positions' values bit for bit, over whole and partial ranges,
  // sorted or not, before and after one value changes; nothing moves outside the announced
  // range.
  void linear_matches_lookup_data()
  {
    QTest::addColumn<double>("magnitude");
    QTest::addColumn<bool>("non_finite");
    QTest::newRow("unit") << 1.0 << false;
    QTest::newRow("thousands") << 1000.0 << false;
    QTest::newRow("steps around the minimum span, skipped segments") << 1.0e-6 << false;
    QTest::newRow("equal positions where additions are lost") << 1.0e17 << false;
    QTest::newRow("nan, infinite and signed zero values") << 1.0 << true;
  }

  void linear_matches_lookup()
  {
    QFETCH(double, magnitude);
    QFETCH(bool, non_finite);
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double specials[] = {NAN_VALUE, INF, -INF, 0.0, -0.0, 1.0e300};
    const auto any_value = [&] {
      return non_finite && random() % 4 == 0 ? specials[random() % 6] : unit(random) * 200 - 100;
    };
    TCurve_Interpolant curve;
    for (int round = 0; round < 10000; ++round) {
      // Half the lists have quarters for start and increment and positions at binary
      // fractions of it: the sums are exact, so many positions fall on points.
      const bool exact = round % 2 == 0 && magnitude >= 1.0;
      const double sign = round % 4 < 2 ? 1.0 : -1.0;
      double increment = sign * (0.2 + unit(random) * 3.0) * std::min(magnitude, 1.0);
      double start = (unit(random) - 0.5) * 20.0 * magnitude;
      if (exact) {
        increment = sign * static_cast<double>(1 + random() % 12) / 4.0;
        start = std::round(start * 4.0) / 4.0;
      }
      Point_List points;
      for (int i = static_cast<int>(random() % 31); i > 0; --i) {
        points.emplace_back(points.empty() ? start : points.back().x + increment, any_value());
      }
      const double step = increment / (1 << (random() % 3)) * (random() % 2 ? 1.0 : -1.0);
      const int steps = 8 * static_cast<int>(points.size()) + 8;
      Point_List at;
      for (int i = 0; i < steps; ++i) {
        at.emplace_back(start + (i - steps / 2) * step, 0.0);
      }
      const bool shuffled = round % 5 == 0;
      if (shuffled) {
        std::shuffle(at.begin(), at.end(), random);
      }
      curve.Set_Points(INTERPOLATION_LINEAR, points);
      for (int change = 0; change < 2; ++change) {
        TList expected;
        Interpolate_At_Positions(points, at, &expected);
        TList values(at.size(), 99.0);
        const std::size_t first = random() % at.size();
        curve.Evaluate(at, first, at.size() - first, values.data());
        curve.Evaluate(at, 0, first, values.data());
        for (std::size_t i = 0; i < at.size(); ++i) {
          const double single = curve.Value(at[i].x);
          if (!Same_Bits(values[i], expected[i]) || !Same_Bits(single, expected[i])) {
            QFAIL(qPrintable(QString("round %1 at %2: %3, not %4").arg(round)
                               .arg(at[i].x, 0, 'g', 17).arg(values[i], 0, 'g', 17)
                               .arg(expected[i], 0, 'g', 17)));
          }
        }
        if (points.empty() || shuffled) {
          break;
        }
        const std::size_t point = random() % points.size();
        points[point].y = any_value();
        curve.Set_Value(point, points[point].y);
        std::size_t from = 0;
        std::size_t count = 0;
        curve.Affected_Range(point, at, &from, &count);
        TList after;
        Interpolate_At_Positions(points, at, &after);
        for (std::size_t i = 0; i < at.size(); ++i) {
          QVERIFY(Same_Bits(after[i], expected[i]) || (i >= from && i < from + count));
        }
      }
    }
  }

  // Just past a point a long segment's fraction can still round to exactly 1; the lookup
  // then takes that segment, not the next, and the first point's value reaches there.
  void linear_fraction_rounded_to_one_data()
  {
    QTest::addColumn<double>("sign");
    QTest::newRow("ascending") << 1.0;
    QTest::newRow("descending") << -1.0;
  }

  void linear_fraction_rounded_to_one()
  {
    QFETCH(double, sign);
    const Point_List points = {{-1.0e16 * sign, 0.0}, {2.0 * sign, 10.0}, {4.0 * sign, 30.0}};
    TCurve_Interpolant curve;
    curve.Set_Points(INTERPOLATION_LINEAR, points);
    TList at = {2.0 * sign};
    while (at.size() < 5) {
      at.push_back(std::nextafter(at.back(), 4.0 * sign));
    }
    TList values(at.size());
    std::size_t first = 0;
    std::size_t count = 0;
    for (first = 0; first < at.size(); ++first) {
      curve.Evaluate(at.data(), first, at.size() - first, values.data());
      double expected = 0.0;
      Interpolate_Value(points, at[first], &expected);
      QVERIFY(Same_Bits(values[first], expected) && Same_Bits(curve.Value(at[first]), expected));
    }
    curve.Affected_Range(0, at.data(), at.size(), &first, &count);
    QCOMPARE(count, at.size());
  }

  // The textbook data set of the method (RPN 14) and random ones against the reference, in
  // either direction and beyond the ends; between two points the curve stays within their
  // values, but for a few roundings of the polynomial.
  void monotone_matches_reference_data()
  {
    QTest::addColumn<TList>("x");
    QTest::addColumn<TList>("y");
    QTest::addColumn<int>("random_sets");
    const TList x = {7.99, 8.09, 8.19, 8.7, 9.2, 10, 12, 15, 20};
    const TList y = {0,        2.76429e-5, 4.37498e-2, 0.169183, 0.469428,
                     0.943740, 0.998636,   0.999919,   0.999994};
    QTest::newRow("RPN 14") << x << y << 0;
    QTest::newRow("RPN 14 descending")
      << TList(x.rbegin(), x.rend()) << TList(y.rbegin(), y.rend()) << 0;
    QTest::newRow("random monotone data") << TList() << TList() << 1;
    QTest::newRow("random data") << TList() << TList() << 2;
  }

  void monotone_matches_reference()
  {
    QFETCH(TList, x);
    QFETCH(TList, y);
    QFETCH(int, random_sets);
    std::mt19937 random(static_cast<unsigned>(random_sets));
    TCurve_Interpolant curve;
    for (int set = 0; set < (random_sets ? 300 : 1); ++set) {
      if (random_sets) {
        x = Uneven(random, 2 + set % 20, set % 2);
        y = Random_Values(random, 2 + set % 20, random_sets == 1);
      }
      QVERIFY(curve.Set_Points(INTERPOLATION_MONOTONE, x.data(), y.data(), x.size()));
      const TList at = Dense(x, 64);
      const TList values = Values_At(curve, at);
      for (std::size_t i = 0; i < at.size(); ++i) {
        const double expected = Monotone_Reference(x, y, at[i]);
        QVERIFY2(std::fabs(values[i] - expected) <= 1e-12 * std::max(1.0, std::fabs(expected)),
                 qPrintable(QString("set %1 at %2: %3, not %4").arg(set).arg(at[i], 0, 'g', 17)
                              .arg(values[i], 0, 'g', 17).arg(expected, 0, 'g', 17)));
        const std::size_t k = std::min((i - 1) / 64, x.size() - 2);
        if (i > 0 && i + 2 < at.size()) {
          const double slack = 8 * std::numeric_limits<double>::epsilon()
                               * std::max(std::fabs(y[k]), std::fabs(y[k + 1]));
          QVERIFY(values[i] >= std::min(y[k], y[k + 1]) - slack);
          QVERIFY(values[i] <= std::max(y[k], y[k + 1]) + slack);
        }
      }
    }
  }

  // Every way goes through every point, reproduces a straight line everywhere, and gives
  // positions in any order what Value gives. The cubics' slopes agree on both sides of
  // every interior point, the spline's second derivatives too, and those vanish at its
  // ends; beyond the ends the curves go on straight with the slope there.
  void points_and_lines_data()
  {
    QTest::addColumn<TInterpolation>("way");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("descending");
    for (const TInterpolation way : WAYS) {
      for (const int count : {2, 3, 11}) {
        for (const bool descending : {false, true}) {
          QTest::addRow("%s, %d points%s", Interpolation_Name(way), count,
                        descending ? ", descending" : "")
            << way << count << descending;
        }
      }
    }
  }

  void points_and_lines()
  {
    QFETCH(TInterpolation, way);
    QFETCH(int, count);
    QFETCH(bool, descending);
    std::mt19937 random(static_cast<unsigned>(count));
    const TList x = Uneven(random, count, descending);
    TList y = Random_Values(random, count, false);
    TCurve_Interpolant curve;
    QVERIFY(curve.Set_Points(way, x.data(), y.data(), x.size()));
    // Linear keeps Interpolate_Value's arithmetic: at a point it computes
    // y[k-1] + (y[k] - y[k-1]), two roundings of values up to 20.
    const double tolerance = way == INTERPOLATION_LINEAR ? 1.0e-14 : 0.0;
    const bool spline = way == INTERPOLATION_SPLINE;
    for (std::size_t k = 0; k < x.size(); ++k) {
      QVERIFY(std::fabs(curve.Value(x[k]) - y[k]) <= tolerance);
      double below = 0, below_second = 0, above = 0, above_second = 0;
      One_Sided(curve, x[k], -1e-3, &below, &below_second);
      One_Sided(curve, x[k], 1e-3, &above, &above_second);
      if (way == INTERPOLATION_LINEAR) {
        continue;
      }
      if (k > 0 && k + 1 < x.size()) {
        QVERIFY2(std::fabs(below - above) < 1e-7, qPrintable(QString::number(k)));
        QVERIFY(!spline || std::fabs(below_second - above_second) < 1e-4);
        continue;
      }
      const bool lowest = (k == 0) == (x[1] > x[0]);
      QVERIFY(!spline || std::fabs(lowest ? above_second : below_second) < 1e-4);
      const double far = x[k] + (lowest ? -50.0 : 50.0);
      const double slope = lowest ? above : below;
      QVERIFY(std::fabs(curve.Value(far) - (y[k] + slope * (far - x[k]))) < 1e-7);
    }
    TList at = Dense(x, 13);
    std::shuffle(at.begin(), at.end(), random);
    const TList unordered = Values_At(curve, at);
    for (std::size_t i = 0; i < at.size(); ++i) {
      QVERIFY(Same_Bits(unordered[i], curve.Value(at[i])));
    }
    for (std::size_t k = 0; k < x.size(); ++k) {
      y[k] = 0.75 * x[k] - 2.0;
    }
    curve.Set_Points(way, x.data(), y.data(), x.size());
    const TList values = Values_At(curve, at);
    for (std::size_t i = 0; i < at.size(); ++i) {
      QVERIFY2(std::fabs(values[i] - (0.75 * at[i] - 2.0)) < 1e-12,
               qPrintable(QString::number(at[i])));
    }
  }

  // A non-finite value leaves 0.0 on its two segments; the pieces on either side are the
  // curves of their own points; beyond an unusable end the result is 0.0; a lone point
  // keeps its value at its own position only.
  void non_finite_values_data()
  {
    QTest::addColumn<TInterpolation>("way");
    QTest::addColumn<int>("broken");
    QTest::addColumn<double>("value");
    for (const TInterpolation way : {INTERPOLATION_MONOTONE, INTERPOLATION_SPLINE}) {
      const char *name = Interpolation_Name(way);
      QTest::addRow("%s, nan inside", name) << way << 4 << NAN_VALUE;
      QTest::addRow("%s, infinity inside", name) << way << 6 << INF;
      QTest::addRow("%s, nan first", name) << way << 0 << NAN_VALUE;
      QTest::addRow("%s, lone point first", name) << way << 1 << -INF;
      QTest::addRow("%s, lone point last", name) << way << 8 << NAN_VALUE;
      QTest::addRow("%s, infinity last", name) << way << 9 << INF;
    }
  }

  void non_finite_values()
  {
    QFETCH(TInterpolation, way);
    QFETCH(int, broken);
    QFETCH(double, value);
    std::mt19937 random(9);
    const TList x = Uneven(random, 10, false);
    TList y = Random_Values(random, 10, false);
    const std::size_t b = static_cast<std::size_t>(broken);
    const std::size_t n = x.size();
    y[b] = value;
    TCurve_Interpolant curve;
    TCurve_Interpolant before;
    TCurve_Interpolant after;
    QVERIFY(curve.Set_Points(way, x.data(), y.data(), n));
    before.Set_Points(way, x.data(), y.data(), b);
    after.Set_Points(way, x.data() + b + 1, y.data() + b + 1, n - b - 1);
    const TList at = Dense(x, 10);
    const TList values = Values_At(curve, at);
    for (std::size_t i = 0; i < at.size(); ++i) {
      double expected = 0.0;
      if (b >= 2 && at[i] <= x[b - 1]) {
        expected = before.Value(at[i]);
      } else if (b + 3 <= n && at[i] >= x[b + 1]) {
        expected = after.Value(at[i]);
      } else if ((b == 1 && at[i] == x[0]) || (b + 2 == n && at[i] == x[n - 1])) {
        expected = b == 1 ? y[0] : y[n - 1];
      }
      QVERIFY2(Same_Bits(values[i], expected), qPrintable(QString::number(at[i])));
    }
  }

  // After a change of one value, the local update evaluated over the announced range gives
  // what a fresh curve gives, bit for bit.
  void change_of_one_value_data()
  {
    QTest::addColumn<TInterpolation>("way");
    QTest::addColumn<bool>("descending");
    QTest::newRow("monotone") << INTERPOLATION_MONOTONE << false;
    QTest::newRow("monotone descending") << INTERPOLATION_MONOTONE << true;
    QTest::newRow("spline") << INTERPOLATION_SPLINE << false;
  }

  void change_of_one_value()
  {
    QFETCH(TInterpolation, way);
    QFETCH(bool, descending);
    std::mt19937 random(11);
    const double changes[] = {NAN_VALUE, INF, 0.0, 5.0, -7.5, 1.0};
    const TList x = Uneven(random, 25, descending);
    TList y = Random_Values(random, 25, false);
    const TList at = Dense(x, 9);
    TCurve_Interpolant curve;
    curve.Set_Points(way, x.data(), y.data(), x.size());
    TList values = Values_At(curve, at);
    for (int round = 0; round < 200; ++round) {
      const std::size_t point = random() % x.size();
      y[point] = changes[random() % 6];
      curve.Set_Value(point, y[point]);
      std::size_t first = 0;
      std::size_t count = 0;
      curve.Affected_Range(point, at.data(), at.size(), &first, &count);
      curve.Evaluate(at.data(), first, count, values.data());
      TCurve_Interpolant fresh;
      fresh.Set_Points(way, x.data(), y.data(), x.size());
      const TList expected = Values_At(fresh, at);
      for (std::size_t i = 0; i < at.size(); ++i) {
        QVERIFY2(Same_Bits(values[i], expected[i]), qPrintable(QString::number(round)));
      }
    }
  }

  void unusable_points_data()
  {
    QTest::addColumn<TList>("x");
    QTest::newRow("none") << TList();
    QTest::newRow("one") << TList{1};
    QTest::newRow("folded") << TList{0, 2, 1};
    QTest::newRow("nan position") << TList{0, NAN_VALUE, 2};
    QTest::newRow("span below the minimum") << TList{0, 0.5e-6, 0.9e-6};
    QTest::newRow("infinite span") << TList{0, 1, INF};
  }

  void unusable_points()
  {
    QFETCH(TList, x);
    const TList y = {1, 2, 3};
    for (const TInterpolation way : WAYS) {
      TCurve_Interpolant curve;
      QVERIFY(!curve.Set_Points(way, x.data(), y.data(), x.size()));
      for (const double v : Values_At(curve, {-1.0, 0.0, 0.5, 1.0, 3.0})) {
        QVERIFY(Same_Bits(v, 0.0));
      }
      QVERIFY(Same_Bits(curve.Value(0.5), 0.0));
    }
  }

  void names()
  {
    for (const TInterpolation way : WAYS) {
      TInterpolation found = way == INTERPOLATION_LINEAR ? INTERPOLATION_SPLINE
                                                         : INTERPOLATION_LINEAR;
      QVERIFY(Interpolation_From_Name(Interpolation_Name(way), &found));
      QCOMPARE(found, way);
      QVERIFY(!Interpolation_From_Name("Spline", &found) && !Interpolation_From_Name("", &found));
      QCOMPARE(found, way);
    }
    QCOMPARE(QString(Interpolation_Name(INTERPOLATION_MONOTONE)), QString("monotone"));
  }
};

QTEST_GUILESS_MAIN(TCurveInterpolantTest)
#include "test_curveinterpolant.moc"
