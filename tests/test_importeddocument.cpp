#include "src/files/fileformats.h"
#include "src/files/importeddocument.h"
#include "src/model/constants.h"

#include <QtTest>

#include <cmath>

namespace {

// The window's ranges before any change: input -10 to 215 by 15 (16 rows), editor 0 to 200
// by 50.
TImport_Ranges Default_Ranges()
{
  TImport_Ranges ranges;
  ranges.input = Corrected_Input(DEFAULT_INPUT_RANGE);
  ranges.edit = DEFAULT_EDIT_RANGE;
  return ranges;
}

TImportedData One_Column(const int count)
{
  TImportedData data;
  for (int i = 0; i < count; ++i) {
    data.values.push_back(i + 0.5);
  }
  return data;
}

// Even positions from `start` by `increment`, each value twice its position.
TImportedData Two_Columns(const double &start, const double &increment, const int count)
{
  TImportedData data;
  data.has_positions = true;
  data.series.range = {start, increment, start + increment * (count - 1)};
  data.series.count = count;
  for (int i = 0; i < count; ++i) {
    data.values.push_back(2.0 * (start + increment * i));
  }
  return data;
}

}  // namespace

class TImportedDocumentTest : public QObject
{
  Q_OBJECT

private slots:
  void one_column_fills_and_grows_data()
  {
    QTest::addColumn<int>("values");
    QTest::addColumn<int>("rows");
    QTest::addColumn<double>("end");
    QTest::newRow("fewer values than rows") << 3 << 16 << 215.0;
    QTest::newRow("as many as rows") << 16 << 16 << 215.0;
    QTest::newRow("one more grows one increment") << 17 << 17 << 230.0;
    QTest::newRow("many more") << 1000 << 1000 << -10.0 + 999 * 15.0;
  }

  void one_column_fills_and_grows()
  {
    QFETCH(int, values);
    QFETCH(int, rows);
    QFETCH(double, end);
    TContent content;
    bool resampled = true;
    QString reason;
    QVERIFY(Imported_Content(One_Column(values), Default_Ranges(), &content, &resampled,
                             &reason));
    QVERIFY(!resampled);
    QCOMPARE(content.input.count, rows);
    QCOMPARE(content.input.range.start, -10.0);
    QCOMPARE(content.input.range.increment, 15.0);
    QCOMPARE(content.input.range.end, end);
    QCOMPARE(int(content.values.size()), rows);
    QCOMPARE(content.values[0], 0.5);
    QCOMPARE(content.values[std::size_t(values - 1)], values - 0.5);
    for (std::size_t i = std::size_t(values); i < content.values.size(); ++i) {
      QCOMPARE(content.values[i], 0.0);
    }
    // The range a document stores reads back to the same rows.
    QCOMPARE(Corrected_Input(content.input.range).count, rows);
  }

  // A window whose input range has no rows still takes every value, at least one apart.
  void one_column_into_an_empty_range()
  {
    TImport_Ranges ranges = Default_Ranges();
    ranges.input = Corrected_Input({5.0, 0.25, 5.0});
    QCOMPARE(ranges.input.count, 0);
    TContent content;
    bool resampled = false;
    QString reason;
    QVERIFY(Imported_Content(One_Column(3), ranges, &content, &resampled, &reason));
    QCOMPARE(content.input.count, 3);
    QCOMPARE(content.input.range.start, 5.0);
    QCOMPARE(content.input.range.increment, 1.0);
    QCOMPARE(content.values, (std::vector<double>{0.5, 1.5, 2.5}));
  }

  void positions_data()
  {
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("increment");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("resampled");
    QTest::addColumn<double>("kept_increment");
    QTest::addColumn<int>("rows");
    QTest::newRow("even, kept exactly") << 100.0 << 2.5 << 9 << false << 2.5 << 9;
    QTest::newRow("descending, kept") << 50.0 << -10.0 << 6 << false << -10.0 << 6;
    QTest::newRow("step of one, kept") << -3.0 << 1.0 << 4 << false << 1.0 << 4;
    // Finer than the input's minimum step: onto the corrected range over the same span.
    QTest::newRow("finer than one") << 0.0 << 0.25 << 41 << true << 1.0 << 11;
    QTest::newRow("finer, descending") << 10.0 << -0.5 << 21 << true << -1.0 << 11;
  }

  void positions()
  {
    QFETCH(double, start);
    QFETCH(double, increment);
    QFETCH(int, count);
    QFETCH(bool, resampled);
    QFETCH(double, kept_increment);
    QFETCH(int, rows);
    TContent content;
    bool was_resampled = !resampled;
    QString reason;
    QVERIFY(Imported_Content(Two_Columns(start, increment, count), Default_Ranges(), &content,
                             &was_resampled, &reason));
    QCOMPARE(was_resampled, resampled);
    QCOMPARE(content.input.count, rows);
    QCOMPARE(content.input.range.start, start);
    QCOMPARE(content.input.range.increment, kept_increment);
    QCOMPARE(content.input.range.end, start + increment * (count - 1));
    QCOMPARE(int(content.values.size()), rows);
    // Values lie on the straight line 2 * position, so interpolation keeps them on it.
    for (int i = 0; i < rows; ++i) {
      const double position = start + kept_increment * i;
      QVERIFY(std::fabs(content.values[std::size_t(i)] - 2.0 * position) < 1e-9);
    }
    const TSeries reread = Corrected_Input(content.input.range);
    QCOMPARE(reread.count, content.input.count);
    QCOMPARE(reread.range.increment, content.input.range.increment);
  }

  void resampled_file_says_so()
  {
    TImportedData data = Two_Columns(0.0, 2.0, 5);
    data.resampled = true;
    TContent content;
    bool resampled = false;
    QString reason;
    QVERIFY(Imported_Content(data, Default_Ranges(), &content, &resampled, &reason));
    QVERIFY(resampled);
  }

  // The editor keeps its range, corrected to be no finer than the new input, offsets 0.0.
  void editor_range_of_a_new_document_data()
  {
    QTest::addColumn<double>("input_increment");
    QTest::addColumn<double>("edit_increment");
    QTest::addColumn<int>("edit_rows");
    QTest::newRow("editor coarser than input") << 10.0 << 50.0 << 5;
    QTest::newRow("input coarser than editor") << 100.0 << 100.0 << 3;
  }

  void editor_range_of_a_new_document()
  {
    QFETCH(double, input_increment);
    QFETCH(double, edit_increment);
    QFETCH(int, edit_rows);
    TImport_Ranges ranges = Default_Ranges();
    ranges.zero_offset = true;
    TContent content;
    bool resampled = false;
    QString reason;
    QVERIFY(Imported_Content(Two_Columns(0.0, input_increment, 4), ranges, &content,
                             &resampled, &reason));
    QCOMPARE(content.edit.range.start, 0.0);
    QCOMPARE(content.edit.range.increment, edit_increment);
    QCOMPARE(content.edit.count, edit_rows);
    QCOMPARE(content.offsets, std::vector<double>(std::size_t(edit_rows), 0.0));
    QVERIFY(content.zero_offset);
    TResampling_Model model;
    QVERIFY(model.Set_Content(content));
  }

  void data_file_names_data()
  {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("data");
    QTest::newRow("csv") << "/tmp/a.csv" << true;
    QTest::newRow("upper-case tsv") << "B.TSV" << true;
    QTest::newRow("txt") << "notes.v2.txt" << true;
    QTest::newRow("document") << "a.vandrel" << false;
    QTest::newRow("no suffix") << "csv" << false;
    QTest::newRow("csv in folder name") << "/tmp/x.csv/a.vandrel" << false;
  }

  void data_file_names()
  {
    QFETCH(QString, path);
    QFETCH(bool, data);
    QCOMPARE(Is_Data_File(path), data);
  }
};

QTEST_GUILESS_MAIN(TImportedDocumentTest)

#include "test_importeddocument.moc"
