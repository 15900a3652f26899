#include "core/shortestnumber.h"
#include "src/files/dataexport.h"
#include "src/model/editoutput.h"
#include "src/model/model.h"

#include <QtTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

namespace {

std::vector<double> Values(const Point_List &points)
{
  std::vector<double> values;
  for (const TVector2 &point : points) {
    values.push_back(point.y);
  }
  return values;
}

std::vector<double> Positions(const Point_List &points)
{
  std::vector<double> positions;
  for (const TVector2 &point : points) {
    positions.push_back(point.x);
  }
  return positions;
}

// A model over input 0..4 by 1 with values 1..5 and editor 0..4 by 2 with offsets 10, 20, 30.
TResampling_Model Sample_Model()
{
  TResampling_Model model;
  model.Set_Input_Series(Corrected_Input({0, 1, 4}));
  model.Set_Edit_Series(Corrected_Edit({0, 2, 4}, 1.0));
  for (int row = 0; row < 5; ++row) {
    model.Set_Input_Value(row, row + 1.0);
  }
  for (int row = 0; row < 3; ++row) {
    model.Set_Offset(row, 10.0 * (row + 1));
  }
  return model;
}

}  // namespace

Q_DECLARE_METATYPE(TRange)

class TModelTest : public QObject
{
  Q_OBJECT

private slots:
  void range_changes_data()
  {
    QTest::addColumn<bool>("input");
    QTest::addColumn<double>("end");
    QTest::addColumn<std::vector<double>>("values");
    QTest::addColumn<std::vector<double>>("offsets");
    QTest::newRow("input grows: values kept, new rows 0")
      << true << 6.0 << std::vector<double>{1, 2, 3, 4, 5, 0, 0} << std::vector<double>{10, 20, 30};
    QTest::newRow("input shrinks: the first rows kept")
      << true << 2.0 << std::vector<double>{1, 2, 3} << std::vector<double>{10, 20, 30};
    QTest::newRow("editor changes: every offset cleared")
      << false << 8.0 << std::vector<double>{1, 2, 3, 4, 5} << std::vector<double>{0, 0, 0, 0, 0};
  }

  void range_changes()
  {
    QFETCH(bool, input);
    QFETCH(double, end);
    QFETCH(std::vector<double>, values);
    QFETCH(std::vector<double>, offsets);
    TResampling_Model model = Sample_Model();
    const TRange range = input ? TRange{0, 1, end} : TRange{0, 2, end};
    const TSeries series = input ? Corrected_Input(range) : Corrected_Edit(range, 1.0);
    if (input) {
      model.Set_Input_Series(series);
    } else {
      model.Set_Edit_Series(series);
    }
    QCOMPARE(series.range.end, end);
    QCOMPARE(Values(model.Input()), values);
    QCOMPARE(Values(model.Edit()), offsets);
    QCOMPARE(model.Row_Count(), model.Input().size());
  }

  void editor_step_follows_the_input_increment()
  {
    TResampling_Model model;
    QCOMPARE(Corrected_Edit({0, 1, 20}, 5.0).range.increment, 5.0);
    QCOMPARE(Corrected_Edit({0, 1, 20}, -5.0).range.increment, 5.0);
    QCOMPARE(Corrected_Edit({0, 1, 20}, 0.5).range.increment, 1.0);
  }

  void recalculate_data()
  {
    QTest::addColumn<bool>("zero_offset");
    QTest::addColumn<std::vector<double>>("output");
    QTest::newRow("plain") << false << std::vector<double>{11, 17, 23, 29, 35};
    QTest::newRow("zero offset") << true << std::vector<double>{0, 6, 12, 18, 24};
  }

  void recalculate()
  {
    QFETCH(bool, zero_offset);
    QFETCH(std::vector<double>, output);
    TResampling_Model model = Sample_Model();
    model.Set_Zero_Offset(zero_offset);
    model.Recalculate();
    QCOMPARE(model.Outputs(), output);
  }

  void content_round_trip_and_refusal()
  {
    const TResampling_Model model = Sample_Model();
    TResampling_Model copy;
    QVERIFY(copy.Set_Content(model.Content()));
    QCOMPARE(Values(copy.Input()), Values(model.Input()));
    QCOMPARE(Positions(copy.Edit()), Positions(model.Edit()));
    QCOMPARE(Values(copy.Edit()), Values(model.Edit()));

    TContent wrong = model.Content();
    wrong.offsets.pop_back();
    QVERIFY(!copy.Set_Content(wrong));
    QCOMPARE(Values(copy.Edit()), Values(model.Edit()));
    wrong = model.Content();
    wrong.input = Corrected_Input({0, 1, 9});
    QVERIFY(!copy.Set_Content(wrong));
    QCOMPARE(copy.Input().size(), std::size_t(5));
    TContent shorter = model.Content();
    shorter.input = Corrected_Input({0, 1, 1});
    shorter.values = {7, 8};
    QVERIFY(copy.Set_Content(shorter));
    QCOMPARE(copy.Outputs(), std::vector<double>({17, 23}));
  }

  void incremental_output_matches_a_full_computation_data()
  {
    QTest::addColumn<int>("way");
    QTest::addColumn<bool>("zero_offset");
    QTest::newRow("linear") << int(INTERPOLATION_LINEAR) << false;
    QTest::newRow("linear, zero offset") << int(INTERPOLATION_LINEAR) << true;
    QTest::newRow("monotone") << int(INTERPOLATION_MONOTONE) << false;
    QTest::newRow("monotone, zero offset") << int(INTERPOLATION_MONOTONE) << true;
    QTest::newRow("spline, zero offset") << int(INTERPOLATION_SPLINE) << true;
  }

  // Each change recomputes only the rows it reports; those and every other row hold, to
  // the last bit, what a model computing everything anew holds, and the rows outside the
  // report stay as they were.
  void incremental_output_matches_a_full_computation()
  {
    QFETCH(int, way);
    QFETCH(bool, zero_offset);
    std::mt19937 random(static_cast<unsigned>(way * 2 + zero_offset));
    std::uniform_real_distribution<double> value(-50.0, 50.0);
    TResampling_Model model;
    model.Set_Input_Series(Corrected_Input({-37, 1, 962}));
    model.Set_Edit_Series(Corrected_Edit({-20, 10, 950}, 1.0));
    model.Set_Interpolation(static_cast<TInterpolation>(way));
    model.Set_Zero_Offset(zero_offset);
    for (int step = 0; step < 300; ++step) {
      const std::vector<double> before = model.Outputs();
      TRow_Span changed;
      const int kind = static_cast<int>(random() % 4);
      const int input_row = static_cast<int>(random() % model.Row_Count());
      const int edit_row = static_cast<int>(random() % model.Edit().size());
      if (kind == 0) {
        changed = model.Set_Input_Value(input_row, value(random));
      } else if (kind == 1) {
        changed = model.Set_Offset(edit_row, value(random));
      } else {
        const int count = kind == 2 ? 3 : 12;
        for (int i = 0; i < count; ++i) {
          model.Write_Offset(static_cast<int>(random() % model.Edit().size()), value(random));
          model.Write_Input_Value(static_cast<int>(random() % model.Row_Count()), value(random));
        }
        changed = model.Update_Output();
      }
      TResampling_Model fresh;
      QVERIFY(fresh.Set_Content(model.Content()));
      const std::vector<double> after = model.Outputs();
      QVERIFY(std::memcmp(after.data(), fresh.Outputs().data(), after.size() * sizeof(double)) == 0);
      for (int row = 0; row < static_cast<int>(after.size()); ++row) {
        if (row < changed.first || row > changed.last) {
          QVERIFY2(std::memcmp(&after[row], &before[row], sizeof(double)) == 0,
                   qPrintable(QString("step %1 row %2").arg(step).arg(row)));
        }
      }
    }
    if (way == INTERPOLATION_LINEAR) {
      std::vector<double> reference(model.Row_Count());
      Calculate_Output(model.Input(), model.Edit(), zero_offset, &reference);
      const std::vector<double> outputs = model.Outputs();
      QVERIFY(std::memcmp(outputs.data(), reference.data(), outputs.size() * sizeof(double)) == 0);
    }
  }

  void shortest_numbers_data()
  {
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("tenth") << 0.1 << QByteArray("0.1");
    QTest::newRow("sum of tenths") << 0.1 + 0.2 << QByteArray("0.30000000000000004");
    QTest::newRow("whole") << -10.0 << QByteArray("-10");
    QTest::newRow("huge") << 1e300 << QByteArray("1e+300");
    QTest::newRow("smallest") << 5e-324 << QByteArray("5e-324");
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << QByteArray("nan");
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << QByteArray("-inf");
  }

  void shortest_numbers()
  {
    QFETCH(double, value);
    QFETCH(QByteArray, text);
    QCOMPARE(Shortest_Number(value), text);
    if (std::isfinite(value)) {
      QCOMPARE(std::strtod(text.constData(), nullptr), value);
    }
  }

  void table_text_formats()
  {
    const Point_List points = {{-10, 0.5}, {5, 1e-9}};
    QCOMPARE(Table_Text(points, TABLE_CSV), QByteArray("position,value\n-10,0.5\n5,1e-09\n"));
    QCOMPARE(Table_Text(points, TABLE_TSV), QByteArray("-10\t0.5\n5\t1e-09\n"));
    QCOMPARE(Table_Text(Point_List(), TABLE_CSV), QByteArray("position,value\n"));
  }

  // The handles sit where the output passes the editor positions: on the output where an
  // editor position is an input row, on the input's line between rows and beyond them.
  void output_at_edit_positions_data()
  {
    QTest::addColumn<bool>("zero_offset");
    QTest::addColumn<TRange>("edit");
    QTest::addColumn<std::vector<double>>("expected");
    // Input -10 to 20 by 5 holding 2x + 1; offsets 1, 2, 3, ... from the editor's first row.
    QTest::newRow("on input rows") << false << TRange{-10, 10, 20}
                                   << std::vector<double>{-19 + 1, 1 + 2, 21 + 3, 41 + 4};
    QTest::newRow("between input rows") << false << TRange{-7.5, 12.5, 17.5}
                                        << std::vector<double>{-14 + 1, 11 + 2, 36 + 3};
    QTest::newRow("beyond the input") << false << TRange{-30, 25, 45}
                                      << std::vector<double>{-59 + 1, -9 + 2, 41 + 3, 91 + 4};
    // The output at 0 is 1 + 2: every value is 3 lower.
    QTest::newRow("zero shift") << true << TRange{-10, 10, 20}
                                << std::vector<double>{-19 + 1 - 3, 1 + 2 - 3, 21 + 3 - 3, 41 + 4 - 3};
  }

  void output_at_edit_positions()
  {
    QFETCH(bool, zero_offset);
    QFETCH(TRange, edit);
    QFETCH(std::vector<double>, expected);
    TResampling_Model model;
    model.Set_Input_Series(Corrected_Input({-10, 5, 20}));
    model.Set_Edit_Series(Corrected_Edit(edit, 5.0));
    for (int row = 0; row < model.Input_Series().count; ++row) {
      model.Set_Input_Value(row, 2.0 * model.Input()[static_cast<std::size_t>(row)].x + 1.0);
    }
    for (int row = 0; row < model.Edit_Series().count; ++row) {
      model.Set_Offset(row, row + 1.0);
    }
    model.Set_Zero_Offset(zero_offset);
    model.Recalculate();
    const Point_List points = Output_At_Edit_Positions(model);
    QCOMPARE(points.size(), expected.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
      QCOMPARE(points[i].x, model.Edit()[i].x);
      QVERIFY2(std::fabs(points[i].y - expected[i]) < 1e-12,
               qPrintable(QString("%1: %2").arg(i).arg(points[i].y, 0, 'g', 17)));
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
      const double position = points[i].x;
      const auto row = std::find_if(model.Input().begin(), model.Input().end(),
                                    [position](const TVector2 &p) { return p.x == position; });
      if (row != model.Input().end()) {
        QVERIFY(std::fabs(model.Output(static_cast<std::size_t>(row - model.Input().begin()))
                          - points[i].y) < 1e-12);
      }
    }
  }
};

QTEST_APPLESS_MAIN(TModelTest)

#include "test_model.moc"
