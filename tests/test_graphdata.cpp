#include "core/graphwidget.h"
#include "core/numberformat.h"
#include "tests/failure_recorder.h"

#include <QApplication>
#include <QtTest>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(Point_List)

namespace {

const double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();
const double INFINITE = std::numeric_limits<double>::infinity();
const double LARGEST = std::numeric_limits<double>::max();

std::vector<TAssertion_Failure> &failures = Recorded_Failures();

std::vector<TGraphDataSet> One_Set(const Point_List &points)
{
  TGraphDataSet set;
  set.Points = points;
  return std::vector<TGraphDataSet>(1, set);
}

// The data range a mapping shows in a plot rectangle: left, right, bottom, top.
struct TRange
{
  double Left, Right, Bottom, Top;
};

TRange Visible_Range(const TGraphMapping &mapping, const QRect &plot)
{
  return TRange{mapping.Data_X(plot.left()), mapping.Data_X(plot.right()),
                mapping.Data_Y(plot.bottom()), mapping.Data_Y(plot.top())};
}

bool Near(const double actual, const double expected)
{
  return std::abs(actual - expected) <= 1e-9 * std::max(1.0, std::abs(expected));
}

// A mapping with finite, non-zero scales whose visible range is finite and ordered.
bool Usable(const TGraphMapping &mapping, const QRect &plot)
{
  const TRange range = Visible_Range(mapping, plot);
  const bool finite = std::isfinite(mapping.XScale) && std::isfinite(mapping.YScale)
                      && std::isfinite(mapping.XOffset) && std::isfinite(mapping.YOffset)
                      && std::isfinite(range.Left) && std::isfinite(range.Right)
                      && std::isfinite(range.Bottom) && std::isfinite(range.Top);
  return finite && mapping.XScale > 0.0 && mapping.YScale < 0.0 && range.Left < range.Right
         && range.Bottom < range.Top;
}

// The C text with its point replaced by the separator.
QString Localized(QString text, const QString &separator)
{
  const int point = static_cast<int>(text.indexOf(QLatin1Char('.')));
  if (point >= 0) {
    text.replace(point, 1, separator);
  }
  return text;
}

QString Describe(const TRange &range)
{
  return QString("x %1 .. %2, y %3 .. %4")
    .arg(range.Left, 0, 'g', 12)
    .arg(range.Right, 0, 'g', 12)
    .arg(range.Bottom, 0, 'g', 12)
    .arg(range.Top, 0, 'g', 12);
}

}  // namespace

class TGraphDataTest : public QObject
{
  Q_OBJECT

private:
  // Set 0 holds (1, 1), (2, 2), (3, 3); set 1 is empty.
  void Fill(TGraphWidget *graph)
  {
    const int first = graph->Add_Data_Set(Qt::blue, STYLE_LINES);
    graph->Add_Data_Set(Qt::red, STYLE_BARS);
    for (int i = 1; i <= 3; ++i) {
      graph->Add_Point(first, TVector2(i, i));
    }
  }

private slots:
  void init()
  {
    Start_Recording_Failures();
  }

  void cleanup() { Stop_Recording_Failures(); }

  void data_set_indices_restart_after_clear()
  {
    TGraphWidget graph;
    QCOMPARE(graph.Add_Data_Set(Qt::blue, STYLE_DEFAULT), 0);
    QCOMPARE(graph.Add_Data_Set(Qt::red, STYLE_MARKERS), 1);
    graph.Clear_Data_Sets();
    QCOMPARE(graph.Data_Set_Count(), 0);
    QCOMPARE(graph.Add_Data_Set(Qt::green, STYLE_BARS), 0);
    QVERIFY(failures.empty());
  }

  void point_operations_keep_order()
  {
    TGraphWidget graph;
    Fill(&graph);
    QVERIFY(graph.Remove_Point(0, 0));
    QCOMPARE(graph.Point_Count(0), 2);
    QCOMPARE(graph.Get_Point(0, 0).x, 2.0);
    QCOMPARE(graph.Get_Point(0, 1).x, 3.0);
    QVERIFY(graph.Set_Point(0, 1, TVector2(7.0, -7.0)));
    QCOMPARE(graph.Get_Point(0, 1).y, -7.0);
    QVERIFY(graph.Add_Point(1, TVector2(4.0, 5.0)));
    QVERIFY(graph.Remove_Data_Set(0));
    QCOMPARE(graph.Data_Set_Count(), 1);
    QCOMPARE(graph.Point_Count(0), 1);
    QCOMPARE(graph.Get_Point(0, 0).y, 5.0);
    QVERIFY(failures.empty());
  }

  void bad_index_data()
  {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("expression");
    const QString set_check = "Set < static_cast<int>(d_DataSets.size())";
    const QString point_check = "Offset < static_cast<int>(d_DataSets[Set].Points.size())";
    const QString remove_check = "Offset < static_cast<int>(d_DataSets.size())";
    QTest::newRow("add point to missing set") << "add" << 2 << 0 << set_check;
    QTest::newRow("add point to negative set") << "add" << -1 << 0 << "Set >= 0";
    QTest::newRow("count of missing set") << "count" << 2 << 0 << set_check;
    QTest::newRow("get from missing set") << "get" << 5 << 0 << set_check;
    QTest::newRow("get beyond points") << "get" << 0 << 3 << point_check;
    QTest::newRow("get negative point") << "get" << 0 << -1 << "Offset >= 0";
    QTest::newRow("set in empty set") << "set" << 1 << 0 << point_check;
    QTest::newRow("set in negative set") << "set" << -3 << 0 << "Set >= 0";
    QTest::newRow("remove point beyond") << "remove point" << 0 << 3 << point_check;
    QTest::newRow("remove point negative") << "remove point" << 0 << -2 << "Offset >= 0";
    QTest::newRow("remove missing set") << "remove set" << 0 << 2 << remove_check;
    QTest::newRow("remove negative set") << "remove set" << 0 << -1 << "Offset >= 0";
  }

  // Each failure names its check and changes nothing.
  void bad_index()
  {
    QFETCH(QString, operation);
    QFETCH(int, set);
    QFETCH(int, offset);
    QFETCH(QString, expression);
    TGraphWidget graph;
    Fill(&graph);
    const TVector2 point(9.0, 9.0);
    if (operation == "add") {
      QVERIFY(!graph.Add_Point(set, point));
    } else if (operation == "count") {
      QCOMPARE(graph.Point_Count(set), 0);
    } else if (operation == "get") {
      const TVector2 got = graph.Get_Point(set, offset);
      QCOMPARE(got.x, 0.0);
      QCOMPARE(got.y, 0.0);
    } else if (operation == "set") {
      QVERIFY(!graph.Set_Point(set, offset, point));
    } else if (operation == "remove point") {
      QVERIFY(!graph.Remove_Point(set, offset));
    } else {
      QVERIFY(!graph.Remove_Data_Set(offset));
    }
    QCOMPARE(static_cast<int>(failures.size()), 1);
    QCOMPARE(QString::fromStdString(failures[0].expression), expression);
    QCOMPARE(QString::fromStdString(failures[0].source), QString("core/graphwidget"));
    failures.clear();
    QCOMPARE(graph.Data_Set_Count(), 2);
    QCOMPARE(graph.Point_Count(0), 3);
    QCOMPARE(graph.Point_Count(1), 0);
    QCOMPARE(graph.Get_Point(0, 2).x, 3.0);
    QVERIFY(failures.empty());
  }

  void palette_data()
  {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<bool>("valid");
    QTest::newRow("0") << 0 << 255 << 0 << 0 << true;
    QTest::newRow("1") << 1 << 0 << 127 << 0 << true;
    QTest::newRow("2") << 2 << 0 << 0 << 255 << true;
    QTest::newRow("4") << 4 << 0 << 127 << 255 << true;
    QTest::newRow("5") << 5 << 255 << 0 << 255 << true;
    QTest::newRow("6") << 6 << 128 << 0 << 0 << true;
    QTest::newRow("95") << 95 << 16 << 0 << 16 << true;
    QTest::newRow("96") << 96 << 0 << 0 << 0 << true;
    QTest::newRow("97") << 97 << 0 << 0 << 0 << false;
    QTest::newRow("-1") << -1 << 0 << 0 << 0 << false;
  }

  void palette()
  {
    QFETCH(int, index);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(bool, valid);
    int r = -1;
    int g = -1;
    int b = -1;
    QCOMPARE(Palette_Color(index, &r, &g, &b), valid);
    QCOMPARE(r, red);
    QCOMPARE(g, green);
    QCOMPARE(b, blue);
  }

  void palette_without_outputs_fails_check()
  {
    int red = 0;
    QVERIFY(!Palette_Color(0, &red, nullptr, &red));
    QCOMPARE(static_cast<int>(failures.size()), 1);
  }

  void fit_data()
  {
    QTest::addColumn<Point_List>("points");
    QTest::addColumn<QRect>("plot");
    QTest::addColumn<bool>("equal");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("bottom");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("x_span");
    QTest::addColumn<double>("y_span");
    const QRect plot = Corners(119, 34, 583, 403);
    QTest::newRow("no data") << Point_List() << plot << false << -5.2e-6 << 5.2e-6 << -5.2e-6
                             << 5.2e-6 << 1e-5 << 1e-5;
    QTest::newRow("single point") << Point_List{TVector2(3.0, 7.0)} << plot << false
                                  << 3.0 - 5.2e-6 << 3.0 + 5.2e-6 << -5e-6 - 0.1400001
                                  << 7.1400001 << 1e-5 << 7.000005;
    const Point_List positive{TVector2(0.0, 1.0), TVector2(9.0, 10.0), TVector2(4.0, 5.0)};
    QTest::newRow("zero band below positive values")
      << positive << plot << false << -0.18 << 9.18 << -5e-6 - 0.2000001 << 10.2000001 << 9.0
      << 10.000005;
    Point_List with_bad_points = positive;
    with_bad_points.insert(with_bad_points.begin() + 1, TVector2(NOT_A_NUMBER, 50.0));
    with_bad_points.push_back(TVector2(INFINITE, 2.0));
    with_bad_points.push_back(TVector2(3.0, -INFINITE));
    with_bad_points.push_back(TVector2(NOT_A_NUMBER, NOT_A_NUMBER));
    QTest::newRow("non-finite points left out")
      << with_bad_points << plot << false << -0.18 << 9.18 << -5e-6 - 0.2000001 << 10.2000001
      << 9.0 << 10.000005;
    QTest::newRow("equal scale on a plot twice as wide as high")
      << Point_List{TVector2(10.0, -1.0), TVector2(12.0, 1.0)} << Corners(0, 0, 400, 200) << true
      << 9.0 - 0.08 << 13.0 + 0.08 << -1.04 << 1.04 << 4.0 << 2.0;
  }

  void fit()
  {
    QFETCH(Point_List, points);
    QFETCH(QRect, plot);
    QFETCH(bool, equal);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, bottom);
    QFETCH(double, top);
    QFETCH(double, x_span);
    QFETCH(double, y_span);
    const TGraphFit fit = Fit_Mapping(One_Set(points), plot, 5e-6, equal);
    const TRange range = Visible_Range(fit.Mapping, plot);
    QVERIFY2(Near(range.Left, left) && Near(range.Right, right) && Near(range.Bottom, bottom)
               && Near(range.Top, top),
             qPrintable(Describe(range)));
    QVERIFY(Near(fit.XSpan, x_span));
    QVERIFY(Near(fit.YSpan, y_span));
    QVERIFY(fit.Mapping.YScale < 0.0);
  }

  // Positions so large that 5e-6 is below their resolution must still give a usable scale.
  void fit_of_large_coincident_positions_stays_finite()
  {
    const QRect plot = Corners(10, 10, 110, 60);
    const TGraphFit fit =
      Fit_Mapping(One_Set(Point_List{TVector2(1e12, 1.0), TVector2(1e12, 2.0)}), plot, 5e-6,
                  false);
    QVERIFY(fit.XSpan > 0.0);
    QVERIFY(std::isfinite(fit.Mapping.XScale) && fit.Mapping.XScale > 0.0);
    QVERIFY(std::isfinite(fit.Mapping.XOffset));
  }

  void zoom_to_band_one_pixel_back()
  {
    const QRect plot = Corners(0, 0, 100, 100);
    TGraphMapping view;
    view.YScale = -1.0;
    view.YOffset = 100.0;
    const TGraphMapping back = Zoom_Mapping(view, Corners(51, 41, 50, 40), plot, 100.0, 100.0);
    const TRange range = Visible_Range(back, plot);
    QVERIFY(Near(range.Left, 50.0) && Near(range.Right, 51.0));
    QVERIFY(Near(range.Bottom, 59.0) && Near(range.Top, 60.0));
  }

  void zoom_below_minimum_span_is_widened()
  {
    const QRect plot = Corners(0, 0, 1000, 1000);
    TGraphMapping view;
    view.XScale = 1e6;
    view.YScale = -1e6;
    view.YOffset = 1000.0;
    const TGraphMapping zoomed = Zoom_Mapping(view, Corners(10, 10, 13, 13), plot, 1.0, 1.0);
    const TRange range = Visible_Range(zoomed, plot);
    QVERIFY(Near(range.Right - range.Left, 3e-6 + 1e-5));
    QVERIFY(Near(range.Top - range.Bottom, 3e-6 + 1e-5));
    QVERIFY(Near(range.Left, 10e-6 - 5e-6));
  }

  void label_digits_data()
  {
    QTest::addColumn<double>("magnitude");
    QTest::addColumn<double>("span");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("format");
    QTest::newRow("span 10, magnitude 150") << 150.0 << 10.0 << 6 << 3 << "% 6.3lf";
    QTest::newRow("span 1000, magnitude 500") << 500.0 << 1000.0 << 3 << 0 << "% 3.0lf";
    QTest::newRow("magnitude 0.5") << 0.5 << 1.0 << 6 << 5 << "% 6.5lf";
    QTest::newRow("magnitude exactly 1") << 1.0 << 7.0 << 6 << 5 << "% 6.5lf";
    QTest::newRow("fitted -1 .. 1") << 1.04 << 2.08 << 6 << 5 << "% 6.5lf";
    QTest::newRow("below 1e16, fixed") << 9.9e15 << 1000.0 << 16 << 0 << "% 16.0lf";
    QTest::newRow("1e16, exponent") << 1e16 << 1e16 << 9 << 2 << "% 9.2e";
    QTest::newRow("1e16 over a span of 100") << 1e16 << 100.0 << 23 << 16 << "% 23.16e";
    QTest::newRow("magnitude 1e308") << 1e308 << 1e308 << 9 << 2 << "% 9.2e";
    QTest::newRow("largest double over its span")
      << LARGEST << LARGEST << 9 << 2 << "% 9.2e";
    QTest::newRow("1e308 over a span of 1e300") << 1e308 << 1e300 << 17 << 10 << "% 17.10e";
    QTest::newRow("infinite") << INFINITE << INFINITE << 23 << 16 << "% 23.16e";
    QTest::newRow("undefined") << NOT_A_NUMBER << NOT_A_NUMBER << 6 << 5 << "% 6.5lf";
    QTest::newRow("undefined span") << 20.0 << NOT_A_NUMBER << 7 << 5 << "% 7.5lf";
  }

  void label_digits()
  {
    QFETCH(double, magnitude);
    QFETCH(double, span);
    QFETCH(int, width);
    QFETCH(int, decimals);
    QFETCH(QString, format);
    const TLabelDigits digits = Label_Digits(magnitude, span);
    QCOMPARE(digits.Width, width);
    QCOMPARE(digits.Decimals, decimals);
    QCOMPARE(Label_Format(digits), format);
  }

  // Labels at the largest doubles are short, whole and tell their ticks apart.
  void huge_labels_are_short()
  {
    const TLabelDigits digits = Label_Digits(LARGEST, LARGEST);
    QCOMPARE(Tick_Label(digits, -LARGEST, "."), QString("-1.80e+308"));
    QCOMPARE(Tick_Label(digits, 1.44e308, "."), QString(" 1.44e+308"));
    QCOMPARE(Tick_Sample(digits, "."), QString("00.00e+00"));
    QCOMPARE(Tick_Label(digits, 3.06e292, "."), QString(" 0.00e+00"));
    QCOMPARE(Tick_Label(digits, -6e305, "."), QString("-6.00e+305"));
    QCOMPARE(Label_Digits(9.9e15, 1000.0).ZeroBelow, 0.0);
    const TLabelDigits zoomed = Label_Digits(LARGEST, 1e300);
    QVERIFY(Tick_Label(zoomed, LARGEST, ".") != Tick_Label(zoomed, LARGEST - 1e299, "."));
    QVERIFY(Format_Label("% 6.3lf", 1e300).length() > 300);
  }

  void tick_labels_keep_the_printf_digits_data()
  {
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("C") << QLocale::c();
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
  }

  // Tick labels, their samples and readout coordinates are the texts the printf formats
  // give, with the locale's decimal separator in place of the point: under C and English
  // the very same texts.
  void tick_labels_keep_the_printf_digits()
  {
    QFETCH(QLocale, locale);
    const QString point = Decimal_Point(locale);
    const double magnitudes[] = {0.5, 3.0, 150.0, 2.5e4, 7.7e9, 9.9e15, 1e16, 3e100, LARGEST};
    const double spans[] = {1.0, 2.08, 10.0, 1000.0, 1e7, 1e15, 1e300, LARGEST};
    const double values[] = {0.0, -0.0, 1e-7, -0.000004, 0.5, -1.25, 3.14159265, -99.999999,
                             1234.5678, -2.5e4, 7.7e9, -9.9e15, 1.5e16, -3e100, LARGEST};
    int compared = 0;
    for (const double magnitude : magnitudes) {
      for (const double span : spans) {
        const TLabelDigits digits = Label_Digits(magnitude, span);
        QCOMPARE(Tick_Sample(digits, point),
                 Localized(Format_Label(Sample_Format(digits), 0.0), point));
        for (const double value : values) {
          const double shown = std::abs(value) < digits.ZeroBelow ? 0.0 : value;
          QCOMPARE(Tick_Label(digits, value, point),
                   Localized(Format_Label(Label_Format(digits), shown), point));
          ++compared;
        }
      }
    }
    QVERIFY(compared > 1000);
    for (const double value : values) {
      const QString expected = std::abs(value) < 1e16 ? QString::asprintf("%.5lf", value)
                                                      : QString::asprintf("%.5e", value);
      QCOMPARE(Coordinate_Text(value, point), Localized(expected, point));
    }
  }

  void fit_at_the_double_limit_data()
  {
    QTest::addColumn<Point_List>("points");
    QTest::addColumn<bool>("equal");
    const Point_List largest{TVector2(0.0, -LARGEST), TVector2(5.0, LARGEST),
                             TVector2(10.0, -LARGEST)};
    QTest::newRow("largest values") << largest << false;
    QTest::newRow("1e308 and -1e308")
      << Point_List{TVector2(0.0, 1e308), TVector2(10.0, -1e308)} << false;
    QTest::newRow("one huge, one tiny")
      << Point_List{TVector2(0.0, 1e308), TVector2(10.0, 1e-308)} << false;
    QTest::newRow("largest positions")
      << Point_List{TVector2(-LARGEST, 1.0), TVector2(LARGEST, 2.0)} << false;
    QTest::newRow("one point at the largest double")
      << Point_List{TVector2(LARGEST, LARGEST)} << false;
    QTest::newRow("largest positions, equal scale")
      << Point_List{TVector2(LARGEST, -LARGEST), TVector2(LARGEST * 0.9, LARGEST)} << true;
  }

  // Fit, zoom in, zoom out and pan keep every mapping finite, every visible range finite
  // and ordered; the fitted view shows every point inside the plot.
  void fit_at_the_double_limit()
  {
    QFETCH(Point_List, points);
    QFETCH(bool, equal);
    const QRect plot = Corners(119, 34, 583, 403);
    const TGraphFit fit = Fit_Mapping(One_Set(points), plot, 5e-6, equal);
    QVERIFY(std::isfinite(fit.XSpan) && fit.XSpan > 0.0);
    QVERIFY(std::isfinite(fit.YSpan) && fit.YSpan > 0.0);
    QVERIFY2(Usable(fit.Mapping, plot), qPrintable(Describe(Visible_Range(fit.Mapping, plot))));
    for (const TVector2 &point : points) {
      const double column = point.x * fit.Mapping.XScale + fit.Mapping.XOffset;
      const double row = point.y * fit.Mapping.YScale + fit.Mapping.YOffset;
      QVERIFY(column >= plot.left() - 1 && column <= plot.right() + 1);
      QVERIFY(row >= plot.top() - 1 && row <= plot.bottom() + 1);
    }
    TGraphMapping view = fit.Mapping;
    const QRect band(plot.center() - QPoint(40, 30), plot.center() + QPoint(40, 30));
    view = Zoom_Mapping(view, band, plot, fit.XSpan, fit.YSpan);
    QVERIFY2(Usable(view, plot), qPrintable(Describe(Visible_Range(view, plot))));
    for (int i = 0; i < 6; ++i) {
      view = Zoom_Mapping(view, Zoom_Out_Rect(plot), plot, fit.XSpan, fit.YSpan);
      QVERIFY2(Usable(view, plot), qPrintable(Describe(Visible_Range(view, plot))));
    }
    for (const QPoint &step : {QPoint(300, 0), QPoint(-300, 0), QPoint(0, 300), QPoint(0, -300)}) {
      for (int i = 0; i < 4; ++i) {
        view = Zoom_Mapping(view, plot.translated(step), plot, fit.XSpan, fit.YSpan);
        QVERIFY2(Usable(view, plot), qPrintable(Describe(Visible_Range(view, plot))));
      }
    }
  }

  // A pan that reaches the limit of the doubles stops there: the span stays.
  void pan_stops_at_the_double_limit()
  {
    const QRect plot = Corners(0, 0, 400, 300);
    const TGraphFit fit =
      Fit_Mapping(One_Set({TVector2(0.0, 0.0), TVector2(1e308, 1.0)}), plot, 5e-6, false);
    TGraphMapping view = fit.Mapping;
    const TRange before = Visible_Range(view, plot);
    for (int i = 0; i < 5; ++i) {
      view = Zoom_Mapping(view, plot.translated(200, 0), plot, fit.XSpan, fit.YSpan);
    }
    const TRange after = Visible_Range(view, plot);
    QVERIFY(Usable(view, plot));
    QCOMPARE(after.Right, LARGEST);
    QVERIFY(std::abs((after.Right - after.Left) / (before.Right - before.Left) - 1.0) < 1e-6);
  }

  void ticks_data()
  {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("spacing");
    QTest::addColumn<int>("count");
    QTest::newRow("ten") << 0 << 99 << 10 << 10;
    QTest::newRow("seven") << 119 << 583 << 64 << 7;
    QTest::newRow("exactly one fits") << 40 << 59 << 11 << 1;
    QTest::newRow("none fits") << 40 << 49 << 11 << 0;
    QTest::newRow("no extent") << 40 << 30 << 5 << 0;
    QTest::newRow("no spacing") << 0 << 99 << 0 << 0;
  }

  // Evenly spread from the first position to the last or one beyond it; a single tick sits
  // at the first position.
  void ticks()
  {
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, spacing);
    QFETCH(int, count);
    const std::vector<int> positions = Tick_Positions(first, last, spacing);
    QCOMPARE(static_cast<int>(positions.size()), count);
    if (count == 0) {
      return;
    }
    QCOMPARE(positions.front(), first);
    if (count == 1) {
      return;
    }
    QVERIFY(positions.back() == last || positions.back() == last + 1);
    const double step = static_cast<double>(last - first + 1) / (count - 1);
    for (std::size_t i = 1; i < positions.size(); ++i) {
      const int gap = positions[i] - positions[i - 1];
      QVERIFY(gap >= static_cast<int>(step) && gap <= static_cast<int>(step) + 1);
    }
  }
};

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  TGraphDataTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_graphdata.moc"
