// The document object alone, with no window: its edits, undo and redo, files, import,
// recovery, and the signals that tell views what changed.
#include "src/document/document.h"
#include "src/files/documentfile.h"
#include "src/files/recovery.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include <functional>

namespace {

using TEdit = std::function<void(TDocument *)>;

// Input 0..4 by 1 holding 1..5, editor 0..4 by 2 holding 10, 20, 30, and a clean history.
void Fill(TDocument *document)
{
  document->Start({0, 1, 4}, {0, 2, 4}, false);
  document->Edit_Cells(INPUT_DATA, "Paste", {{0, 0, 1}, {1, 0, 2}, {2, 0, 3}, {3, 0, 4}, {4, 0, 5}});
  document->Edit_Cells(EDIT_DATA, "Paste", {{0, 0, 10}, {1, 0, 20}, {2, 0, 30}});
  document->Undo_Stack()->clear();
  document->Undo_Stack()->setClean();
}

// Every report of the document as a line of text, in the order it came.
class TReports : public QObject
{
public:
  explicit TReports(TDocument *document)
  {
    connect(document, &TDocument::Cells_Changed, this, [this](TData_Table table, int a, int b) {
      lines << QString("cells %1 %2..%3").arg(table).arg(a).arg(b);
    });
    connect(document, &TDocument::Cells_Revisited, this,
            [this](TData_Table table, int a, int b) {
              lines << QString("revisited %1 %2..%3").arg(table).arg(a).arg(b);
            });
    connect(document, &TDocument::Output_Changed, this,
            [this](int a, int b) { lines << QString("output %1..%2").arg(a).arg(b); });
    connect(document, &TDocument::Input_Range_Changed, this, [this] { lines << "input range"; });
    connect(document, &TDocument::Edit_Range_Changed, this, [this] { lines << "edit range"; });
    connect(document, &TDocument::Zero_Offset_Changed, this,
            [this](bool on) { lines << QString("zero %1").arg(on); });
    connect(document, &TDocument::Interpolation_Changed, this, [this](TInterpolation way) {
      lines << QString("interpolation %1").arg(Interpolation_Name(way));
    });
    connect(document, &TDocument::Modified_Changed, this,
            [this](bool on) { lines << QString("modified %1").arg(on); });
    connect(document, &TDocument::Path_Changed, this, [this] { lines << "path"; });
    connect(document, &TDocument::Change_Applied, this, [this] { lines << "applied"; });
  }

  QStringList Take()
  {
    const QStringList taken = lines;
    lines.clear();
    return taken;
  }

  QStringList lines;
};

QString Content_Text(const TContent &content)
{
  QStringList parts;
  for (const double &value : content.values) {
    parts << QString::number(value);
  }
  parts << "|";
  for (const double &value : content.offsets) {
    parts << QString::number(value);
  }
  // Straight lines, the usual way, are left unsaid.
  const QString way = content.interpolation == INTERPOLATION_LINEAR
                        ? QString()
                        : QString(", ") + Interpolation_Name(content.interpolation);
  return QString("%1 rows from %2 by %3, %4 rows, %5, zero %6%7")
    .arg(content.input.count)
    .arg(content.input.range.start)
    .arg(content.input.range.increment)
    .arg(content.edit.count)
    .arg(parts.join(' '))
    .arg(content.zero_offset)
    .arg(way);
}

// The output computed apart from the model: each input value plus the curve through the
// editor's points, joined the given way.
std::vector<double> Joined_Output(const TResampling_Model &model, const TInterpolation way)
{
  TCurve_Interpolant curve;
  curve.Set_Points(way, model.Edit());
  std::vector<double> outputs(model.Row_Count());
  curve.Evaluate(model.Input(), 0, outputs.size(), outputs.data());
  for (std::size_t row = 0; row < outputs.size(); ++row) {
    outputs[row] = model.Input()[row].y + outputs[row];
  }
  return outputs;
}

QString Output_Text(const TDocument &document)
{
  QStringList values;
  for (const double &value : document.Model().Outputs()) {
    values << QString::number(value);
  }
  return values.join(' ');
}

QString Write(const QString &path, const QByteArray &text)
{
  QFile file(path);
  file.open(QIODevice::WriteOnly);
  file.write(text);
  return path;
}

}  // namespace

Q_DECLARE_METATYPE(TEdit)
Q_DECLARE_METATYPE(TInterpolation)

class TDocumentObjectTest : public QObject
{
  Q_OBJECT

private slots:
  // Each edit makes one step that reports exactly what changed; undo and redo report the
  // same and bring back exactly the content before and after.
  void edits_undo_and_redo_data()
  {
    QTest::addColumn<TEdit>("edit");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QStringList>("reports");
    QTest::newRow("typed input") << TEdit([](TDocument *d) {
      d->Edit_Cells(INPUT_DATA, "Typing", {{3, 0, 40}});
    }) << "5 rows from 0 by 1, 3 rows, 1 2 3 40 5 | 10 20 30, zero 0"
       << QStringList{"cells 0 3..3", "output 3..3"};
    QTest::newRow("offsets, one unchanged") << TEdit([](TDocument *d) {
      d->Edit_Cells(EDIT_DATA, "Paste", {{1, 0, -1}, {2, 0, 30}});
    }) << "5 rows from 0 by 1, 3 rows, 1 2 3 4 5 | 10 -1 30, zero 0"
       << QStringList{"cells 1 1..1", "output 0..4"};
    QTest::newRow("input range shrinks") << TEdit([](TDocument *d) {
      d->Set_Input_Range({0, 1, 2});
    }) << "3 rows from 0 by 1, 3 rows, 1 2 3 | 10 20 30, zero 0"
       << QStringList{"input range", "output 0..2"};
    QTest::newRow("input range moves") << TEdit([](TDocument *d) {
      d->Set_Input_Range({-2, 1, 4});
    }) << "7 rows from -2 by 1, 3 rows, 1 2 3 4 5 0 0 | 10 20 30, zero 0"
       << QStringList{"input range", "output 0..6"};
    QTest::newRow("editor range") << TEdit([](TDocument *d) {
      d->Set_Edit_Range({0, 4, 4});
    }) << "5 rows from 0 by 1, 2 rows, 1 2 3 4 5 | 0 0, zero 0"
       << QStringList{"edit range", "output 0..4"};
    QTest::newRow("same editor range clears") << TEdit([](TDocument *d) {
      d->Set_Edit_Range({0, 2, 4});
    }) << "5 rows from 0 by 1, 3 rows, 1 2 3 4 5 | 0 0 0, zero 0"
       << QStringList{"edit range", "output 0..4"};
    QTest::newRow("zero offset") << TEdit([](TDocument *d) { d->Set_Zero_Offset(true); })
                                 << "5 rows from 0 by 1, 3 rows, 1 2 3 4 5 | 10 20 30, zero 1"
                                 << QStringList{"zero 1", "output 0..4"};
  }

  void edits_undo_and_redo()
  {
    QFETCH(TEdit, edit);
    QFETCH(QString, after);
    QFETCH(QStringList, reports);
    TDocument document;
    Fill(&document);
    const QString before = Content_Text(document.Model().Content());
    const QString output_before = Output_Text(document);
    TReports seen(&document);
    edit(&document);
    QCOMPARE(Content_Text(document.Model().Content()), after);
    QCOMPARE(seen.Take(), reports + QStringList({"applied", "modified 1"}));
    QCOMPARE(document.Undo_Stack()->count(), 1);
    const QString output_after = Output_Text(document);
    QStringList again = reports;
    if (reports.first().startsWith("cells")) {
      again.insert(1, QString(reports.first()).replace("cells", "revisited"));
    }
    for (int i = 0; i < 2; ++i) {
      document.Undo_Stack()->undo();
      QCOMPARE(Content_Text(document.Model().Content()), before);
      QCOMPARE(Output_Text(document), output_before);
      QStringList undone = seen.Take();
      QCOMPARE(undone.takeLast(), QString("modified 0"));
      QCOMPARE(undone.takeLast(), QString("applied"));
      QCOMPARE(undone.size(), again.size());
      document.Undo_Stack()->redo();
      QCOMPARE(Content_Text(document.Model().Content()), after);
      QCOMPARE(Output_Text(document), output_after);
      QCOMPARE(seen.Take(), again + QStringList({"applied", "modified 1"}));
    }
  }

  // What leaves everything as it was is no step and no report.
  void no_change_no_step()
  {
    TDocument document;
    Fill(&document);
    TReports seen(&document);
    document.Edit_Cells(INPUT_DATA, "Paste", {{0, 0, 1}, {4, 0, 5}});
    document.Set_Input_Range({0, 0.5, 4});
    document.Set_Zero_Offset(false);
    document.Set_Interpolation(INTERPOLATION_LINEAR);
    QCOMPARE(seen.Take(), QStringList());
    QVERIFY(!document.Is_Modified());
    document.Set_Edit_Range({0, 2, 4});
    seen.Take();
    document.Set_Edit_Range({0, 2, 4});
    QCOMPARE(document.Undo_Stack()->count(), 1);
    QCOMPARE(seen.Take(), QStringList());
  }

  // A switch of the way is one step that recomputes the whole output the new way; undo
  // and redo bring back the way and the output, and report both.
  void interpolation_switch_is_one_step_data()
  {
    QTest::addColumn<TInterpolation>("from");
    QTest::addColumn<TInterpolation>("to");
    QTest::newRow("linear to monotone") << INTERPOLATION_LINEAR << INTERPOLATION_MONOTONE;
    QTest::newRow("linear to spline") << INTERPOLATION_LINEAR << INTERPOLATION_SPLINE;
    QTest::newRow("monotone to spline") << INTERPOLATION_MONOTONE << INTERPOLATION_SPLINE;
    QTest::newRow("spline to linear") << INTERPOLATION_SPLINE << INTERPOLATION_LINEAR;
  }

  void interpolation_switch_is_one_step()
  {
    QFETCH(TInterpolation, from);
    QFETCH(TInterpolation, to);
    TDocument document;
    Fill(&document);
    document.Edit_Cells(EDIT_DATA, "Typing", {{1, 0, 35}});
    document.Set_Interpolation(from);
    document.Undo_Stack()->clear();
    document.Undo_Stack()->setClean();
    const std::vector<double> before = Joined_Output(document.Model(), from);
    const std::vector<double> after = Joined_Output(document.Model(), to);
    QVERIFY(before != after);
    QCOMPARE(document.Model().Outputs(), before);
    TReports seen(&document);
    document.Set_Interpolation(to);
    QCOMPARE(document.Model().Interpolation(), to);
    QCOMPARE(document.Model().Outputs(), after);
    const QString to_report = QString("interpolation ") + Interpolation_Name(to);
    const QString from_report = QString("interpolation ") + Interpolation_Name(from);
    QCOMPARE(seen.Take(), QStringList({to_report, "output 0..4", "applied", "modified 1"}));
    QCOMPARE(document.Undo_Stack()->count(), 1);
    QCOMPARE(document.Undo_Stack()->undoText(), QString("Interpolation"));
    for (int i = 0; i < 2; ++i) {
      document.Undo_Stack()->undo();
      QCOMPARE(document.Model().Interpolation(), from);
      QCOMPARE(document.Model().Outputs(), before);
      QCOMPARE(seen.Take(), QStringList({from_report, "output 0..4", "applied", "modified 0"}));
      document.Undo_Stack()->redo();
      QCOMPARE(document.Model().Interpolation(), to);
      QCOMPARE(document.Model().Outputs(), after);
      QCOMPARE(seen.Take(), QStringList({to_report, "output 0..4", "applied", "modified 1"}));
    }
  }

  // The way belongs to the work: New and Import keep it as they keep the ranges, a file
  // and a recovery file bring back the one they hold, and views are told each time.
  void files_keep_the_way()
  {
    QTemporaryDir folder;
    const QString path = folder.filePath("smooth.vandrel");
    TDocument document;
    document.Enable_Recovery(0);
    Fill(&document);
    document.Set_Interpolation(INTERPOLATION_SPLINE);
    QString error;
    QVERIFY2(document.Save_As(path, &error), qPrintable(error));
    const QString saved = Content_Text(document.Model().Content());
    document.New();
    QCOMPARE(document.Model().Interpolation(), INTERPOLATION_SPLINE);
    TImport_Report report;
    QVERIFY(document.Import(Write(folder.filePath("a.txt"), "0\t5\n2\t6\n4\t9\n"), &report,
                            &error));
    QCOMPARE(Content_Text(document.Model().Content()),
             "3 rows from 0 by 2, 3 rows, 5 6 9 | 0 0 0, zero 0, spline");
    document.Set_Interpolation(INTERPOLATION_MONOTONE);
    TReports seen(&document);
    QVERIFY2(document.Open(path, &error), qPrintable(error));
    QCOMPARE(Content_Text(document.Model().Content()), saved);
    QVERIFY(seen.Take().contains("interpolation spline"));

    document.Set_Interpolation(INTERPOLATION_MONOTONE);
    QTRY_VERIFY(QFile::exists(document.Recovery_Path()));
    TRecovered_Work work;
    QVERIFY2(Read_Recovery(document.Recovery_Path(), &work, &error), qPrintable(error));
    QCOMPARE(work.content.interpolation, INTERPOLATION_MONOTONE);
    TDocument restored;
    restored.Restore(work);
    QCOMPARE(restored.Model().Interpolation(), INTERPOLATION_MONOTONE);
    QCOMPARE(restored.Model().Outputs(), document.Model().Outputs());
  }

  void save_and_open()
  {
    QTemporaryDir folder;
    const QString path = folder.filePath("curve.vandrel");
    TDocument document;
    Fill(&document);
    document.Edit_Cells(INPUT_DATA, "Typing", {{1, 0, 7.25}});
    const QString saved = Content_Text(document.Model().Content());
    TReports seen(&document);
    QString error;
    QVERIFY2(document.Save_As(path, &error), qPrintable(error));
    QCOMPARE(seen.Take(), QStringList({"path", "modified 0"}));
    QCOMPARE(document.Path(), path);
    QCOMPARE(document.Name(), QString("curve.vandrel"));
    document.Set_Zero_Offset(true);
    document.New();
    QCOMPARE(document.Path(), QString());
    QCOMPARE(Content_Text(document.Model().Content()),
             "5 rows from 0 by 1, 3 rows, 0 0 0 0 0 | 0 0 0, zero 1");
    QVERIFY(!document.Is_Modified());
    seen.Take();
    QVERIFY2(document.Open(path, &error), qPrintable(error));
    QCOMPARE(Content_Text(document.Model().Content()), saved);
    QCOMPARE(document.Path(), path);
    QVERIFY(!document.Is_Modified());
    QCOMPARE(document.Undo_Stack()->count(), 0);
    QVERIFY(seen.lines.contains("input range") && seen.lines.contains("edit range"));
  }

  // A file that cannot be read leaves the work, its file and its history as they were.
  void refused_files_change_nothing_data()
  {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("not a document") << "bad.vandrel" << QByteArray("{\"vandrel\": 1}");
    QTest::newRow("missing") << "none.vandrel" << QByteArray();
    QTest::newRow("data file of words") << "bad.csv" << QByteArray("a,b\nc,d\n");
  }

  void refused_files_change_nothing()
  {
    QFETCH(QString, name);
    QFETCH(QByteArray, text);
    QTemporaryDir folder;
    const QString path = folder.filePath(name);
    if (!text.isEmpty()) {
      Write(path, text);
    }
    TDocument document;
    Fill(&document);
    document.Edit_Cells(INPUT_DATA, "Typing", {{1, 0, 7.25}});
    const QString before = Content_Text(document.Model().Content());
    TReports seen(&document);
    QString error;
    TImport_Report report;
    QVERIFY(!document.Open_Any(path, &report, &error));
    QVERIFY2(error.contains(name), qPrintable(error));
    QCOMPARE(Content_Text(document.Model().Content()), before);
    QCOMPARE(seen.Take(), QStringList());
    QCOMPARE(document.Undo_Stack()->count(), 1);
    QVERIFY(document.Is_Modified());
  }

  // An imported file is work in no file yet: unsaved, with nothing to undo to.
  void import_makes_unsaved_work()
  {
    QTemporaryDir folder;
    TDocument document;
    Fill(&document);
    TImport_Report report;
    QString error;
    QVERIFY(document.Import(Write(folder.filePath("a.txt"), "0\t5\n2\t6\n4\t9\n"), &report, &error));
    QCOMPARE(Content_Text(document.Model().Content()),
             "3 rows from 0 by 2, 3 rows, 5 6 9 | 0 0 0, zero 0");
    QCOMPARE(report.input.count, 3);
    QVERIFY(!report.resampled);
    QVERIFY(document.Is_Modified());
    QCOMPARE(document.Path(), QString());
    QVERIFY(!document.Undo_Stack()->canUndo());
    QCOMPARE(Import_Message("/x/a.txt", report), QString("Imported 3 rows from a.txt."));
  }

  // Unsaved work reaches the recovery file once changes rest for the delay, here none;
  // saving removes it, and the work it holds restores as unsaved with its file's name.
  void recovery_keeps_unsaved_work()
  {
    QTemporaryDir folder;
    const QString path = folder.filePath("curve.vandrel");
    TDocument document;
    document.Enable_Recovery(0);
    Fill(&document);
    QString error;
    QVERIFY(document.Save_As(path, &error));
    document.Edit_Cells(EDIT_DATA, "Typing", {{2, 0, -4}});
    QVERIFY(!QFile::exists(document.Recovery_Path()));
    QTRY_VERIFY(QFile::exists(document.Recovery_Path()));
    TRecovered_Work work;
    QVERIFY2(Read_Recovery(document.Recovery_Path(), &work, &error), qPrintable(error));
    QCOMPARE(Content_Text(work.content), Content_Text(document.Model().Content()));
    QCOMPARE(work.document_path, path);
    document.Undo_Stack()->undo();
    QVERIFY(!QFile::exists(document.Recovery_Path()));

    TDocument restored;
    restored.Enable_Recovery(0);
    restored.Restore(work);
    QCOMPARE(Content_Text(restored.Model().Content()), Content_Text(work.content));
    QCOMPARE(restored.Path(), path);
    QVERIFY(restored.Is_Modified());
    QVERIFY(QFile::exists(restored.Recovery_Path()));
    restored.Discard_Recovery();
    QVERIFY(!QFile::exists(restored.Recovery_Path()));
  }

  // An export writes what its suffix names and leaves the document's own file and state.
  void export_leaves_the_document()
  {
    QTemporaryDir folder;
    TDocument document;
    Fill(&document);
    document.Edit_Cells(INPUT_DATA, "Typing", {{1, 0, 7.5}});
    QString error;
    TExport_Options options;
    options.size = QSize(200, 150);
    QVERIFY2(document.Export(folder.filePath("out.tsv"), options, &error), qPrintable(error));
    QVERIFY2(document.Export(folder.filePath("copy.vandrel"), options, &error), qPrintable(error));
    QFile table(folder.filePath("out.tsv"));
    QVERIFY(table.open(QIODevice::ReadOnly));
    QCOMPARE(table.readAll(), QByteArray("0\t11\n1\t22.5\n2\t23\n3\t29\n4\t35\n"));
    TContent copy;
    QVERIFY(Read_Document(folder.filePath("copy.vandrel"), &copy, &error));
    QCOMPARE(Content_Text(copy), Content_Text(document.Model().Content()));
    QCOMPARE(document.Path(), QString());
    QVERIFY(document.Is_Modified());
    QVERIFY(!document.Export(folder.filePath("out.xls"), options, &error));
  }

  // The steps of one drag, each shown live, make one undo step that brings back the
  // offsets from before the drag, whatever path the drag took.
  void drag_steps_make_one_step_data()
  {
    QTest::addColumn<QList<double>>("row_1_steps");
    QTest::addColumn<QList<double>>("row_2_steps");
    QTest::addColumn<QString>("after");
    QTest::newRow("one row") << QList<double>{21, 22.5, 19} << QList<double>{30, 30, 30}
                             << "5 rows from 0 by 1, 3 rows, 2 2 3 4 5 | 10 19 30, zero 0";
    QTest::newRow("two rows") << QList<double>{21, 22, 23} << QList<double>{31, 32, 33}
                              << "5 rows from 0 by 1, 3 rows, 2 2 3 4 5 | 10 23 33, zero 0";
    QTest::newRow("second row joins late") << QList<double>{21, 22, 23} << QList<double>{30, 30, 35}
                                           << "5 rows from 0 by 1, 3 rows, 2 2 3 4 5 | 10 23 35, zero 0";
    QTest::newRow("through the start") << QList<double>{25, 20, 15} << QList<double>{30, 30, 30}
                                       << "5 rows from 0 by 1, 3 rows, 2 2 3 4 5 | 10 15 30, zero 0";
  }

  void drag_steps_make_one_step()
  {
    QFETCH(QList<double>, row_1_steps);
    QFETCH(QList<double>, row_2_steps);
    QFETCH(QString, after);
    TDocument document;
    Fill(&document);
    document.Edit_Cells(INPUT_DATA, "Typing", {{0, 0, 2}});
    const QString before = Content_Text(document.Model().Content());
    const QString output_before = Output_Text(document);
    TReports seen(&document);
    const int drag = document.Start_Drag();
    for (int i = 0; i < row_1_steps.size(); ++i) {
      document.Drag_Offsets(drag, {{1, 0, row_1_steps[i]}, {2, 0, row_2_steps[i]}});
      QCOMPARE(document.Model().Edit()[1].y, row_1_steps[i]);
      QVERIFY(seen.Take().contains("output 0..4"));
    }
    QCOMPARE(Content_Text(document.Model().Content()), after);
    QCOMPARE(document.Undo_Stack()->count(), 2);
    QCOMPARE(document.Undo_Stack()->undoText(), QString("Drag Offsets"));
    const QString output_after = Output_Text(document);
    document.Undo_Stack()->undo();
    QCOMPARE(Content_Text(document.Model().Content()), before);
    QCOMPARE(Output_Text(document), output_before);
    const QString rows = row_2_steps.last() != 30 ? "1..2" : "1..1";
    QVERIFY(seen.Take().contains("revisited 1 " + rows));
    document.Undo_Stack()->redo();
    QCOMPARE(Content_Text(document.Model().Content()), after);
    QCOMPARE(Output_Text(document), output_after);
  }

  // Escape takes a drag back and leaves no step, nothing to redo, and the step before it
  // and the saved state as they were.
  void cancelled_drag_leaves_no_step_data()
  {
    QTest::addColumn<QList<double>>("steps");
    QTest::addColumn<bool>("modified");
    QTest::newRow("moved") << QList<double>{21, 24} << true;
    QTest::newRow("moved, back to the start, moved again") << QList<double>{21, 20, 26} << true;
    QTest::newRow("back to the start") << QList<double>{21, 20} << false;
    QTest::newRow("never moved") << QList<double>{} << false;
  }

  void cancelled_drag_leaves_no_step()
  {
    QFETCH(QList<double>, steps);
    QFETCH(bool, modified);
    TDocument document;
    Fill(&document);
    document.Edit_Cells(EDIT_DATA, "Typing", {{0, 0, 11}});
    document.Undo_Stack()->setClean();
    const QString before = Content_Text(document.Model().Content());
    const int drag = document.Start_Drag();
    for (const double value : steps) {
      document.Drag_Offsets(drag, {{1, 0, value}});
    }
    QCOMPARE(document.Is_Modified(), modified);
    QCOMPARE(document.Undo_Stack()->count(), modified ? 2 : 1);
    document.Cancel_Drag(drag);
    QCOMPARE(Content_Text(document.Model().Content()), before);
    QCOMPARE(document.Undo_Stack()->count(), 1);
    QCOMPARE(document.Undo_Stack()->index(), 1);
    QCOMPARE(document.Undo_Stack()->undoText(), QString("Typing"));
    QVERIFY(!document.Undo_Stack()->canRedo());
    QVERIFY(!document.Is_Modified());
    document.Cancel_Drag(drag);
    QCOMPARE(Content_Text(document.Model().Content()), before);
    QCOMPARE(document.Undo_Stack()->count(), 1);
  }

  // Each drag is a step of its own, and a drag after an undo replaces what was undone.
  void drags_are_steps_of_their_own()
  {
    TDocument document;
    Fill(&document);
    const int first = document.Start_Drag();
    document.Drag_Offsets(first, {{0, 0, 12}});
    document.Drag_Offsets(first, {{0, 0, 14}});
    const int second = document.Start_Drag();
    QVERIFY(second != first);
    document.Drag_Offsets(second, {{0, 0, 16}});
    QCOMPARE(document.Undo_Stack()->count(), 2);
    document.Cancel_Drag(first);
    QCOMPARE(document.Undo_Stack()->count(), 2);
    QCOMPARE(document.Model().Edit()[0].y, 16.0);
    document.Undo_Stack()->undo();
    QCOMPARE(document.Model().Edit()[0].y, 14.0);
    const int third = document.Start_Drag();
    document.Drag_Offsets(third, {{2, 0, 1}});
    QCOMPARE(document.Undo_Stack()->count(), 2);
    document.Undo_Stack()->undo();
    document.Undo_Stack()->undo();
    QCOMPARE(Content_Text(document.Model().Content()),
             "5 rows from 0 by 1, 3 rows, 1 2 3 4 5 | 10 20 30, zero 0");
  }
};

QTEST_GUILESS_MAIN(TDocumentObjectTest)

#include "test_documentobject.moc"
