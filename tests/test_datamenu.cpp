#include "core/graphwidget.h"
#include "core/numericedit.h"
#include "core/tableeditor.h"
#include "src/files/dataimport.h"
#include "src/document/document.h"
#include "src/window/datacommands.h"
#include "src/window/filecommands.h"
#include "src/vandrel.h"
#include "tests/curve_pixels.h"
#include "tests/scripted_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>
#include <QtTest>

#include <memory>

namespace {

// The window under test with its scripted dialogs.
class TWindow : public TScripted_Window
{
public:
  QString Cell(const QString &group, const int row) const
  {
    return d_window->findChild<TEditTable *>(group + "_table")->item(row, 0)->text();
  }

  int Rows(const QString &group) const
  {
    return d_window->findChild<TEditTable *>(group + "_table")->rowCount();
  }

  QString Status() const { return d_window->statusBar()->currentMessage(); }

  QString Label(const QString &group, const int row) const
  {
    return d_window->findChild<TEditTable *>(group + "_table")->Row_Label(row);
  }

  QString Field(const QString &name) const
  {
    return d_window->findChild<TDoubleEdit *>(name)->text();
  }

  // Every file the window writes: the document, both tables and the graph.
  QList<QByteArray> Exports(const QTemporaryDir &folder, const QString &prefix)
  {
    QList<QByteArray> files;
    for (const char *suffix : {".vandrel", ".csv", ".tsv", ".png"}) {
      const QString path = folder.filePath(prefix + suffix);
      d_dialogs->export_name = path;
      d_dialogs->save_name = path;
      const QString kind(suffix);
      bool written = false;
      if (kind == ".vandrel") {
        written = d_window->File_Commands()->Save_Document_As();
      } else if (kind == ".png") {
        written = d_window->Data_Commands()->Export_Graph();
      } else {
        written = d_window->Data_Commands()->Export_Output();
      }
      QFile file(path);
      files << (written && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return files;
  }
};

QString Write_Text(const QTemporaryDir &folder, const QString &name, const QByteArray &text)
{
  const QString path = folder.filePath(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) {
    file.write(text);
  }
  return path;
}

QList<double> Input_Values(const TVandrel *window)
{
  QList<double> values;
  for (const TVector2 &point : window->Document()->Model().Input()) {
    values.push_back(point.y);
  }
  return values;
}

// Points of an exported table, read back with the C syntax the export writes.
Point_List Parsed_Table(const QByteArray &text, const char separator, const bool header)
{
  Point_List points;
  QList<QByteArray> lines = text.split('\n');
  if (header && !lines.isEmpty()) {
    lines.removeFirst();
  }
  for (const QByteArray &line : lines) {
    const QList<QByteArray> fields = line.split(separator);
    if (fields.size() == 2) {
      points.push_back(TVector2(fields[0].toDouble(), fields[1].toDouble()));
    }
  }
  return points;
}

}  // namespace

class TDataMenuTest : public QObject
{
  Q_OBJECT

private slots:
  void init() { QDir(QDir::homePath() + "/.vandrel").removeRecursively(); }

  void imports_a_data_file_data()
  {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("increment");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("status");
    QList<double> filled;
    for (int i = 0; i < 16; ++i) {
      filled << 0.0;
    }
    filled[0] = 1.5;
    filled[1] = -2.0;
    filled[2] = 3.25;
    QTest::newRow("one column fills from the first row")
      << QByteArray("value\n1.5\n-2\n3.25\n") << filled << -10.0 << 15.0 << 16 << "Imported";
    QList<double> grown;
    for (int i = 0; i < 18; ++i) {
      grown << i;
    }
    QByteArray many;
    for (int i = 0; i < 18; ++i) {
      many += QByteArray::number(i) + '\n';
    }
    QTest::newRow("one column grows the range") << many << grown << -10.0 << 15.0 << 18
                                                << "Imported";
    QTest::newRow("two even columns, semicolons and decimal commas")
      << QByteArray("position;value\n2,5;0,5\n5;1,5\n7,5;2,5\n")
      << QList<double>{0.5, 1.5, 2.5} << 2.5 << 2.5 << 3 << "Imported";
    QTest::newRow("two uneven columns are resampled")
      << QByteArray("0,0\n1,10\n4,40\n") << QList<double>{0.0, 20.0, 40.0} << 0.0 << 2.0
      << 3 << "Resampled";
  }

  void imports_a_data_file()
  {
    QFETCH(QByteArray, text);
    QFETCH(QList<double>, values);
    QFETCH(double, start);
    QFETCH(double, increment);
    QFETCH(int, rows);
    QFETCH(QString, status);
    QTemporaryDir folder;
    TWindow window;
    window.Dialogs().import_name = Write_Text(folder, "curve.csv", text);
    window->Data_Commands()->Import_Data();
    QCOMPARE(window.Dialogs().errors, QStringList());
    QCOMPARE(Input_Values(window.operator->()), values);
    QCOMPARE(window->Document()->Model().Input_Series().range.start, start);
    QCOMPARE(window->Document()->Model().Input_Series().range.increment, increment);
    QCOMPARE(window.Rows("input"), rows);
    QCOMPARE(window.Rows("output"), rows);
    QCOMPARE(window.Cell("input", 0), QString::number(values[0], 'f', 1));
    QVERIFY2(window.Status().startsWith(status), qPrintable(window.Status()));
    for (const TVector2 &offset : window->Document()->Model().Edit()) {
      QCOMPARE(offset.y, 0.0);
    }
    QCOMPARE(window->Document()->Path(), QString());
    QVERIFY(window->isWindowModified());
  }

  void unsaved_changes_are_asked_about_first()
  {
    QTemporaryDir folder;
    TWindow window;
    window->File_Commands()->Open_File(Write_Text(folder, "a.csv", "7\n8\n"));
    QCOMPARE(window.Dialogs().unsaved_questions, 0);
    window.Dialogs().unsaved_answer = UNSAVED_CANCEL;
    window.Dialogs().import_name = Write_Text(folder, "b.csv", "1\n2\n");
    window->Data_Commands()->Import_Data();
    QCOMPARE(window.Dialogs().unsaved_questions, 1);
    QCOMPARE(window->Document()->Model().Input()[0].y, 7.0);
    window.Dialogs().unsaved_answer = UNSAVED_DISCARD;
    window->Data_Commands()->Import_Data();
    QCOMPARE(window->Document()->Model().Input()[0].y, 1.0);
  }

  void refusals_leave_the_work_data()
  {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing.csv" << QByteArray() << "missing.csv";
    QTest::newRow("no numbers") << "words.csv" << QByteArray("a,b\nc,d\n") << "no numbers";
    QTest::newRow("bad line") << "bad.tsv" << QByteArray("1\t2\n3\t4\nfive\t6\n") << "line 3";
    QTest::newRow("three columns") << "wide.csv" << QByteArray("1,2,3\n4,5,6\n") << "column";
    QTest::newRow("finer than the minimum step") << "fine.tsv"
                                                 << QByteArray("0\t0\n0.5\t1\n1\t2\n")
                                                 << "0.5 apart";
  }

  void refusals_leave_the_work()
  {
    QFETCH(QString, name);
    QFETCH(QByteArray, text);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const QString path = text.isEmpty() ? folder.filePath(name) : Write_Text(folder, name, text);
    TWindow window;
    window->File_Commands()->Open_File(Write_Text(folder, "first.csv", "4\n5\n6\n"));
    const TContent before = window->Document()->Model().Content();
    window.Dialogs().unsaved_answer = UNSAVED_DISCARD;
    QVERIFY(!window->File_Commands()->Open_File(path));
    QCOMPARE(window.Dialogs().errors.size(), 1);
    const QString error = window.Dialogs().errors[0];
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(window->Document()->Model().Content().values, before.values);
    QCOMPARE(window.Cell("input", 2), QString("6.0"));
    QVERIFY(window->isWindowModified());
  }

  void data_file_opens_as_an_import()
  {
    QTemporaryDir folder;
    TWindow window;
    QVERIFY(window->File_Commands()->Open_File(Write_Text(folder, "start.TXT", "position\tvalue\n0\t9\n10\t8\n")));
    QCOMPARE(Input_Values(window.operator->()), (QList<double>{9.0, 8.0}));
    QCOMPARE(window->Document()->Path(), QString());
  }

  void dropped_data_file_imports()
  {
    QTemporaryDir folder;
    const QString path = Write_Text(folder, "dropped.csv", "0;1,5\n20;2,5\n");
    TWindow window;
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.operator->(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.operator->(), &drop);
    QVERIFY(drop.isAccepted());
    QTRY_COMPARE(window.Cell("input", 1), QString("2.5"));
    QCOMPARE(window->Document()->Model().Input_Series().range.increment, 20.0);
    QCOMPARE(window.Dialogs().errors, QStringList());
  }

  void export_output_reads_back_data()
  {
    QTest::addColumn<QString>("name");
    QTest::addColumn<char>("separator");
    QTest::addColumn<bool>("header");
    QTest::newRow("csv") << "out.csv" << ',' << true;
    QTest::newRow("tsv") << "out.tsv" << '\t' << false;
  }

  void export_output_reads_back()
  {
    QFETCH(QString, name);
    QFETCH(char, separator);
    QFETCH(bool, header);
    QTemporaryDir folder;
    TWindow window;
    window->File_Commands()->Open_File(
      Write_Text(folder, "in.csv", "0.1\n-1e-7\n3.3333333333333335\n1e300\n"));
    window.Dialogs().export_name = folder.filePath(name);
    QVERIFY(window->Data_Commands()->Export_Output());
    QFile file(folder.filePath(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QCOMPARE(text.startsWith("position,value\n"), header);
    const Point_List points = Parsed_Table(text, separator, header);
    const TResampling_Model &model = window->Document()->Model();
    QCOMPARE(points.size(), model.Row_Count());
    for (std::size_t i = 0; i < points.size(); ++i) {
      QCOMPARE(points[i].x, model.Input()[i].x);
      QCOMPARE(points[i].y, model.Output(i));
    }
    QCOMPARE(points[3].y, 1e300);
  }

  void export_failures_are_reported_data()
  {
    QTest::addColumn<bool>("graph");
    QTest::addColumn<QString>("name");
    QTest::newRow("output, no folder") << false << "no/such/out.csv";
    QTest::newRow("output, unknown type") << false << "out.xls";
    QTest::newRow("graph, no folder") << true << "no/such/graph.png";
    QTest::newRow("graph, unknown type") << true << "graph.gif";
  }

  void export_failures_are_reported()
  {
    QFETCH(bool, graph);
    QFETCH(QString, name);
    QTemporaryDir folder;
    TWindow window;
    window.Dialogs().export_name = folder.filePath(name);
    QVERIFY(!(graph ? window->Data_Commands()->Export_Graph() : window->Data_Commands()->Export_Output()));
    QCOMPARE(window.Dialogs().errors.size(), 1);
    QVERIFY2(window.Dialogs().errors[0].contains(QDir::toNativeSeparators(folder.filePath(name)))
               || window.Dialogs().errors[0].contains(folder.filePath(name)),
             qPrintable(window.Dialogs().errors[0]));
    QVERIFY(!QFile::exists(folder.filePath(name)));
  }

  void numbers_on_screen_follow_the_locale_data()
  {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("point");
    QTest::newRow("C") << QLocale::c() << ".";
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << ".";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << ",";
  }

  // Under the user's locale the window shows its decimal separator in cells, row labels,
  // range fields, the import message and the graph, and writes the graph it shows; the
  // document and the tables it writes are byte for byte those written under C.
  void numbers_on_screen_follow_the_locale()
  {
    QFETCH(QLocale, locale);
    QFETCH(QString, point);
    QTemporaryDir folder;
    const QString data = Write_Text(folder, "uneven.csv", "0.5,1.25\n1.5,2\n5.5,3\n");
    const QLocale before = QLocale();
    QList<QByteArray> in_c;
    {
      QLocale::setDefault(QLocale::c());
      TWindow window;
      QLocale::setDefault(before);
      QVERIFY(window->File_Commands()->Open_File(data));
      in_c = window.Exports(folder, "c");
    }
    QLocale::setDefault(locale);
    TWindow window;
    QLocale::setDefault(before);
    QVERIFY(window->File_Commands()->Open_File(data));
    const auto shown = [&point](const char *text) { return QString(text).replace('.', point); };
    QCOMPARE(window.Status(), "Resampled uneven.csv onto 3 evenly spaced rows from "
                                + shown("0.5") + " to " + shown("5.5") + " by " + shown("2.5")
                                + ".");
    QCOMPARE(window.Cell("input", 0), shown("1.3"));
    QCOMPARE(window.Label("input", 1), shown("3.000"));
    QCOMPARE(window.Label("output", 2), shown("5.500"));
    QCOMPARE(window.Field("input_start"), shown("0.5"));
    QCOMPARE(window.Field("input_increment"), shown("2.5"));
    QCOMPARE(window->findChild<TGraphWidget *>("graph_widget")->Content().DecimalPoint, point);
    const QList<QByteArray> written = window.Exports(folder, "shown");
    QCOMPARE(written.size(), 4);
    for (int i = 0; i < 3; ++i) {
      QVERIFY(written[i].size() > 20);
      QCOMPARE(written[i], in_c[i]);
    }
    QVERIFY(!QImage::fromData(written[3], "PNG").isNull());
    QCOMPARE(written[3] == in_c[3], point == QLatin1String("."));
  }

  // The graph is the one the graph window draws: both curves, at the default size while
  // that window is hidden.
  void export_graph_shows_both_curves()
  {
    QTemporaryDir folder;
    TWindow window;
    window->File_Commands()->Open_File(Write_Text(folder, "in.csv", "0,30\n100,80\n200,30\n"));
    // Shifted to zero at position 0, the output runs apart from the input.
    window->findChild<QToolButton *>("zero_offset_button")->click();
    window.Dialogs().export_name = folder.filePath("graph.png");
    QVERIFY(window->Data_Commands()->Export_Graph());
    QImage image(folder.filePath("graph.png"));
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(800, 600));
    QVERIFY(Curve_Pixels(image, false) > 100);
    QVERIFY(Curve_Pixels(image, true) > 100);
  }
};

QTEST_MAIN(TDataMenuTest)

#include "test_datamenu.moc"
