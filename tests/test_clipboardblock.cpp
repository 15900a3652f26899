#include "core/clipboardblock.h"
#include "core/numberformat.h"
#include "core/tableeditor.h"
#include "src/document/document.h"
#include "src/window/datacommands.h"
#include "src/window/filecommands.h"
#include "src/vandrel.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <limits>
#include <memory>

namespace {

const QLocale GERMAN(QLocale::German, QLocale::Germany);
const QLocale ENGLISH(QLocale::English, QLocale::UnitedStates);

void Fill(TEditTable *table, const QList<double> &values)
{
  for (int i = 0; i < values.size(); ++i) {
    table->Set_Value(i / 2, i % 2, values.at(i));
  }
}

void Select(TEditTable *table, const int top, const int left, const int bottom, const int right)
{
  table->setFocus();
  table->clearSelection();
  table->setRangeSelected(QTableWidgetSelectionRange(top, left, bottom, right), true);
}

}  // namespace

Q_DECLARE_METATYPE(QList<QList<double>>)

class TClipboardBlockTest : public QObject
{
  Q_OBJECT

  std::unique_ptr<QWidget> d_window;
  TEditTable *d_from = nullptr;
  TEditTable *d_to = nullptr;

  TEditTable *New_Table(const QLocale &locale, const int precision)
  {
    auto *table = new TEditTable(d_window.get());
    table->Set_Table_Size(3, 2);
    table->Set_Display_Precision(precision);
    table->setLocale(locale);
    return table;
  }

  void Make_Tables(const QLocale &locale, const int precision)
  {
    d_window = std::make_unique<QWidget>();
    d_from = New_Table(locale, precision);
    d_to = New_Table(locale, precision);
    d_window->show();
  }

private slots:
  void both_forms_hold_the_same_cells_data()
  {
    QTest::addColumn<QList<QList<double>>>("rows");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("one column") << QList<QList<double>>{{1.25}, {-3}} << "en_US"
                                << "1.3\n-3.0\n";
    QTest::newRow("two columns, comma") << QList<QList<double>>{{1.25, 2}, {0.5, -0.04}}
                                        << "de_DE" << "1,3\t2,0\n0,5\t-0,0\n";
    QTest::newRow("an empty row") << QList<QList<double>>{{7}, {}, {8}} << "C"
                                  << "7.0\n\n8.0\n";
    QTest::newRow("huge and not numbers")
      << QList<QList<double>>{{1e20, std::numeric_limits<double>::quiet_NaN()}} << "de_DE"
      << "1" + QString(20, '0') + ",0\tnan\n";
  }

  // The text is written as the cells come and the HTML made from it when asked for: both
  // hold the same cells, as a table written cell by cell in HTML holds them.
  void both_forms_hold_the_same_cells()
  {
    QFETCH(QList<QList<double>>, rows);
    QFETCH(QString, locale);
    QFETCH(QString, text);
    TClipboard_Block block(1, QLocale(locale));
    QString html = "<html><head><meta http-equiv=\"content-type\" content=\"text/html; "
                   "charset=utf-8\"></head><body><table>";
    for (const QList<double> &row : rows) {
      html += "<tr>";
      for (const double value : row) {
        block.Add(value);
        html += "<td>" + Format_Number(value, 1, Decimal_Point(QLocale(locale))) + "</td>";
      }
      block.End_Row();
      html += "</tr>";
    }
    html += "</table></body></html>";
    QCOMPARE(block.Text(), text);
    const std::unique_ptr<QMimeData> data = block.Mime_Data();
    QCOMPARE(data->text(), text);
    QVERIFY(data->hasHtml());
    QCOMPARE(data->html(), html);
    QCOMPARE(Clipboard_Table_Text(*data), text);
  }

  void copy_writes_the_locale_decimal_separator_data()
  {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("cells");
    QTest::newRow("C") << QLocale::c() << "1234567.50\t-2.25\n0.00\t0.00\n"
                       << "<tr><td>1234567.50</td><td>-2.25</td></tr><tr><td>0.00</td><td>0.00</td></tr>";
    QTest::newRow("decimal comma") << GERMAN << "1234567,50\t-2,25\n0,00\t0,00\n"
                                   << "<tr><td>1234567,50</td><td>-2,25</td></tr><tr><td>0,00</td><td>0,00</td></tr>";
    QTest::newRow("grouping, never written") << ENGLISH << "1234567.50\t-2.25\n0.00\t0.00\n"
                                             << "<tr><td>1234567.50</td><td>-2.25</td></tr><tr><td>0.00</td><td>0.00</td></tr>";
  }

  void copy_writes_the_locale_decimal_separator()
  {
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    QFETCH(QString, cells);
    Make_Tables(locale, 2);
    Fill(d_from, {1234567.5, -2.25, 0.0, -0.0});
    Select(d_from, 0, 0, 1, 1);
    QTest::keyClick(d_from, Qt::Key_C, Qt::ControlModifier);
    const QMimeData *const data = QApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), text);
    QVERIFY(data->hasHtml());
    QVERIFY2(data->html().contains("<table>" + cells + "</table>"), qPrintable(data->html()));
  }

  void copy_and_paste_give_the_same_values_data()
  {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<bool>("html_only");
    for (const QLocale &locale : {QLocale::c(), GERMAN, ENGLISH}) {
      const QByteArray name = locale.name().toLatin1();
      QTest::newRow(name + ", text") << locale << false;
      QTest::newRow(name + ", HTML alone") << locale << true;
    }
  }

  // At the display precision, so the values are chosen to show in full.
  void copy_and_paste_give_the_same_values()
  {
    QFETCH(QLocale, locale);
    QFETCH(bool, html_only);
    Make_Tables(locale, 4);
    const QList<double> values = {1.5, -1234.5678, 1000000.0, 0.0625, -0.001, 1.0};
    Fill(d_from, values);
    Select(d_from, 0, 0, 2, 1);
    QTest::keyClick(d_from, Qt::Key_C, Qt::ControlModifier);
    if (html_only) {
      auto *const html = new QMimeData;
      html->setHtml(QApplication::clipboard()->mimeData()->html());
      QApplication::clipboard()->setMimeData(html);
    }
    Select(d_to, 0, 0, 0, 0);
    QTest::keyClick(d_to, Qt::Key_V, Qt::ControlModifier);
    for (int i = 0; i < values.size(); ++i) {
      QCOMPARE(d_to->Value(i / 2, i % 2), values.at(i));
    }
  }

  // Header words and marks such as N/A keep what the cells held; the count is reported.
  void paste_skips_what_is_no_number()
  {
    Make_Tables(GERMAN, 1);
    Fill(d_to, {7, 7, 7, 7, 7, 7});
    QApplication::clipboard()->setText("position\tvalue\n1,5\tN/A\n2.000,25\t3\n");
    QSignalSpy skipped(d_to, &TEditTable::Fields_Skipped);
    Select(d_to, 0, 0, 0, 0);
    QTest::keyClick(d_to, Qt::Key_V, Qt::ControlModifier);
    const QList<double> expected = {7, 7, 1.5, 7, 2000.25, 3};
    for (int i = 0; i < expected.size(); ++i) {
      QCOMPARE(d_to->Value(i / 2, i % 2), expected.at(i));
    }
    QCOMPARE(skipped.count(), 1);
    QCOMPARE(skipped.first().first().toInt(), 3);
  }

  void typing_reads_the_locale_data()
  {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::newRow("C syntax anywhere") << GERMAN << "2.5" << 2.5;
    QTest::newRow("decimal comma") << GERMAN << "2,5" << 2.5;
    QTest::newRow("grouping comma") << ENGLISH << "1,000" << 1000.0;
    QTest::newRow("not a number keeps the cell") << QLocale::c() << "2,5" << 7.0;
  }

  void typing_reads_the_locale()
  {
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(double, value);
    Make_Tables(locale, 1);
    d_to->Set_Value(1, 0, 7.0);
    Select(d_to, 1, 0, 1, 0);
    d_to->setCurrentCell(1, 0);
    QVERIFY(QTest::qWaitForWindowExposed(d_window.get()));
    for (const QChar c : typed) {
      QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(d_to->Value(1, 0), value);
  }

  void output_copy_writes_the_locale()
  {
    TVandrel window;
    window.setLocale(GERMAN);
    window.findChild<QToolButton *>("copy_button")->click();
    const QMimeData *const data = QApplication::clipboard()->mimeData();
    QVERIFY(data->text().startsWith("0,0\n0,0\n"));
    QVERIFY(!data->text().contains('.'));
    QVERIFY(data->html().contains("<td>0,0</td>"));
  }
};

QTEST_MAIN(TClipboardBlockTest)
#include "test_clipboardblock.moc"
