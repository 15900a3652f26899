#include "core/numericedit.h"
#include "core/tableeditor.h"
#include "src/files/documentfile.h"
#include "src/files/recentfiles.h"
#include "src/files/recovery.h"
#include "src/document/document.h"
#include "src/window/datacommands.h"
#include "src/window/filecommands.h"
#include "src/vandrel.h"
#include "tests/scripted_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>
#include <QtTest>

#include <memory>

namespace {

// A document over the default ranges whose first input value and first offset are given.
TContent Sample_Content(const double &first_value, const double &first_offset = 0.0)
{
  TContent content;
  content.input = Corrected_Input({-10, 15, 215});
  content.edit = Corrected_Edit({0, 50, 200}, content.input.range.increment);
  content.values.assign(static_cast<std::size_t>(content.input.count), 0.0);
  content.offsets.assign(static_cast<std::size_t>(content.edit.count), 0.0);
  content.values[0] = first_value;
  content.offsets[0] = first_offset;
  return content;
}

double First_Value_In(const QString &path)
{
  TContent content;
  QString error;
  return Read_Document(path, &content, &error) ? content.values[0] : -1.0;
}

// The window under test with its scripted dialogs.
class TWindow : public TScripted_Window
{
public:
  TEditTable *Table(const QString &group) const
  {
    return d_window->findChild<TEditTable *>(group + "_table");
  }

  // Types a value into a cell as a user would, so that the change goes the window's way.
  void Type_In_Cell(const QString &group, const int row, const QString &text) const
  {
    QApplication::setActiveWindow(d_window.get());
    TEditTable *table = Table(group);
    table->setFocus();
    table->setCurrentCell(row, 0);
    QTest::keyClicks(table, text.left(1));
    QWidget *editor = QApplication::focusWidget();
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
  }

  QString Cell(const QString &group, const int row) const
  {
    return Table(group)->item(row, 0)->text();
  }

  // Ends the window as a crash would: no close, no clean-up.
  void Crash() { d_window.reset(); }
};

enum TAction
{
  ACTION_CLOSE,
  ACTION_NEW,
  ACTION_OPEN
};

}  // namespace

class TFileMenuTest : public QObject
{
  Q_OBJECT

private slots:
  void init()
  {
    QDir(QDir::homePath() + "/.vandrel").removeRecursively();
  }

  void title_follows_the_document()
  {
    QTemporaryDir folder;
    TWindow window;
    QCOMPARE(window->windowTitle(), QString("Untitled[*] - Vandrel"));
    QVERIFY(!window->isWindowModified());
    window.Type_In_Cell("input", 0, "3");
    QVERIFY(window->isWindowModified());
    window.Dialogs().save_name = folder.filePath("curve.vandrel");
    QVERIFY(window->File_Commands()->Save_Document());
    QCOMPARE(window->windowTitle(), QString("curve.vandrel[*] - Vandrel"));
    QVERIFY(!window->isWindowModified());
    QCOMPARE(First_Value_In(folder.filePath("curve.vandrel")), 3.0);
    window->findChild<QToolButton *>("zero_offset_button")->click();
    QVERIFY(window->isWindowModified());
  }

  void unsaved_changes_question_data()
  {
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("answer");
    const QStringList actions = {"close", "new", "open"};
    const QStringList answers = {"save", "discard", "cancel"};
    for (int action = ACTION_CLOSE; action <= ACTION_OPEN; ++action) {
      for (int answer = UNSAVED_SAVE; answer <= UNSAVED_CANCEL; ++answer) {
        QTest::newRow(qPrintable(actions[action] + ", " + answers[answer])) << action << answer;
      }
    }
  }

  void unsaved_changes_question()
  {
    QFETCH(int, action);
    QFETCH(int, answer);
    QTemporaryDir folder;
    const QString saved = folder.filePath("saved.vandrel");
    const QString other = folder.filePath("other.vandrel");
    QString error;
    QVERIFY(Write_Document(saved, Sample_Content(1.0), &error));
    QVERIFY(Write_Document(other, Sample_Content(7.0), &error));
    TWindow window;
    QVERIFY(window->File_Commands()->Open_File(saved));
    window.Type_In_Cell("input", 0, "5");
    window.Dialogs().unsaved_answer = static_cast<TUnsaved_Answer>(answer);
    window.Dialogs().open_name = other;

    if (action == ACTION_CLOSE) {
      window->close();
    } else if (action == ACTION_NEW) {
      window->File_Commands()->New_Document();
    } else {
      window->File_Commands()->Open_Document();
    }

    QCOMPARE(window.Dialogs().unsaved_questions, 1);
    QCOMPARE(First_Value_In(saved), answer == UNSAVED_SAVE ? 5.0 : 1.0);
    if (answer == UNSAVED_CANCEL) {
      QVERIFY(window->isVisible());
      QVERIFY(window->isWindowModified());
      QCOMPARE(window.Cell("input", 0), QString("5.0"));
      QCOMPARE(window->Document()->Path(), QFileInfo(saved).absoluteFilePath());
      return;
    }
    if (action == ACTION_CLOSE) {
      QVERIFY(!window->isVisible());
      return;
    }
    QVERIFY(!window->isWindowModified());
    if (action == ACTION_NEW) {
      QCOMPARE(window.Cell("input", 0), QString("0.0"));
      QCOMPARE(window->Document()->Path(), QString());
      QCOMPARE(window.Table("input")->rowCount(), 16);
    } else {
      QCOMPARE(window.Cell("input", 0), QString("7.0"));
      QCOMPARE(window->Document()->Path(), QFileInfo(other).absoluteFilePath());
    }
  }

  void no_question_without_changes()
  {
    TWindow window;
    window->File_Commands()->New_Document();
    window->close();
    QCOMPARE(window.Dialogs().unsaved_questions, 0);
    QVERIFY(!window->isVisible());
  }

  void open_shows_the_whole_document()
  {
    QTemporaryDir folder;
    const QString path = folder.filePath("curve.vandrel");
    TContent content;
    content.input = Corrected_Input({0, 2, 10});
    content.values = {1, 2, 3, 4, 5, 6};
    content.edit = Corrected_Edit({0, 5, 10}, 2);
    content.offsets = {10, 20, 30};
    content.zero_offset = true;
    QString error;
    QVERIFY(Write_Document(path, content, &error));
    TWindow window;
    QVERIFY(window->File_Commands()->Open_File(path));
    QCOMPARE(window->findChild<TDoubleEdit *>("input_increment")->Value(), 2.0);
    QCOMPARE(window->findChild<TDoubleEdit *>("output_end")->Value(), 10.0);
    QCOMPARE(window->findChild<TIntEdit *>("edit_count")->Value(), 3);
    QCOMPARE(window.Table("input")->rowCount(), 6);
    QCOMPARE(window.Cell("edit", 2), QString("30.0"));
    QVERIFY(window->findChild<QToolButton *>("zero_offset_button")->isChecked());
    // Zero offset: output at position 0 is 0, and 2 + 14 - 11 = 5 at position 2.
    QCOMPARE(window.Cell("output", 0), QString("0.0"));
    QCOMPARE(window.Cell("output", 1), QString("5.0"));
    QVERIFY(!window->isWindowModified());
  }

  // The way chosen is saved, kept by New, and shown again with its output on reopening.
  void interpolation_is_saved_and_reopened()
  {
    QTemporaryDir folder;
    const QString path = folder.filePath("smooth.vandrel");
    TWindow window;
    QComboBox *combo = window->findChild<QComboBox *>("edit_interpolation");
    window.Type_In_Cell("edit", 1, "4");
    window.Type_In_Cell("edit", 2, "-3");
    combo->setCurrentIndex(combo->findText("Natural spline"));
    QVERIFY(window->isWindowModified());
    QStringList outputs;
    for (int row = 0; row < window.Table("output")->rowCount(); ++row) {
      outputs << window.Cell("output", row);
    }
    window.Dialogs().save_name = path;
    QVERIFY(window->File_Commands()->Save_Document());
    TContent saved;
    QString error;
    QVERIFY2(Read_Document(path, &saved, &error), qPrintable(error));
    QCOMPARE(saved.interpolation, INTERPOLATION_SPLINE);
    window->File_Commands()->New_Document();
    QCOMPARE(combo->currentText(), QString("Natural spline"));
    combo->setCurrentIndex(combo->findText("Linear"));
    window.Dialogs().unsaved_answer = UNSAVED_DISCARD;
    QVERIFY(window->File_Commands()->Open_File(path));
    QCOMPARE(combo->currentText(), QString("Natural spline"));
    QVERIFY(!window->isWindowModified());
    QStringList reopened;
    for (int row = 0; row < window.Table("output")->rowCount(); ++row) {
      reopened << window.Cell("output", row);
    }
    QCOMPARE(reopened, outputs);
  }

  void refused_files_leave_the_work_as_it_was_data()
  {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QByteArray() << "";
    QTest::newRow("not JSON") << QByteArray("\x89PNG\r\n") << "not valid JSON";
    QTest::newRow("newer") << QByteArray("{\"vandrel\": 3}") << "newer Vandrel";
    QTest::newRow("count") << QByteArray("{\"vandrel\": 1, \"input\": {\"start\": 0, \"increment\": "
                                         "1, \"end\": 1, \"values\": [1, 2, 3]}}")
                           << "has 3 values, but its range has 2 rows";
  }

  void refused_files_leave_the_work_as_it_was()
  {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const QString path = folder.filePath("bad.vandrel");
    if (!bytes.isEmpty()) {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(bytes);
    }
    TWindow window;
    window.Type_In_Cell("edit", 1, "4");
    const TContent before = window->Document()->Model().Content();
    QVERIFY(!window->File_Commands()->Open_File(path));
    QCOMPARE(window.Dialogs().errors.size(), 1);
    QVERIFY2(window.Dialogs().errors[0].contains(Quoted_Path(path)),
             qPrintable(window.Dialogs().errors[0]));
    QVERIFY2(window.Dialogs().errors[0].contains(reason), qPrintable(window.Dialogs().errors[0]));
    QCOMPARE(window.Dialogs().busy_during_errors, QList<bool>{false});
    QCOMPARE(window->Document()->Model().Content().offsets, before.offsets);
    QCOMPARE(window.Cell("edit", 1), QString("4.0"));
    QVERIFY(window->isWindowModified());
    QCOMPARE(window->Document()->Path(), QString());
  }

  void failed_save_says_so_and_stays_modified()
  {
    TWindow window;
    window.Type_In_Cell("input", 0, "2");
    window.Dialogs().save_name = QDir::homePath() + "/no/such/folder/curve.vandrel";
    QVERIFY(!window->File_Commands()->Save_Document());
    QCOMPARE(window.Dialogs().errors.size(), 1);
    QVERIFY(window.Dialogs().errors[0].startsWith("Cannot save"));
    QCOMPARE(window.Dialogs().busy_during_errors, QList<bool>{false});
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY(window->isWindowModified());
    QCOMPARE(window->Document()->Path(), QString());
  }

  void dropped_file_opens()
  {
    QTemporaryDir folder;
    const QString path = folder.filePath("dropped.vandrel");
    QString error;
    QVERIFY(Write_Document(path, Sample_Content(9.0), &error));
    TWindow window;
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.operator->(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.operator->(), &drop);
    QVERIFY(drop.isAccepted());
    QTRY_COMPARE(window.Cell("input", 0), QString("9.0"));
    QCOMPARE(window.Dialogs().errors, QStringList());
    QCOMPARE(window->Document()->Path(), QFileInfo(path).absoluteFilePath());
  }

  void recent_files_keep_the_last_eight()
  {
    QTemporaryDir folder;
    TWindow window;
    QString error;
    for (int i = 0; i < 10; ++i) {
      const QString path = folder.filePath(QString("curve%1.vandrel").arg(i));
      QVERIFY(Write_Document(path, Sample_Content(i), &error));
      QVERIFY(window->File_Commands()->Open_File(path));
    }
    QVERIFY(window->File_Commands()->Open_File(folder.filePath("curve5.vandrel")));
    QSettings settings(QDir::homePath() + "/.vandrel/Settings.ini", QSettings::IniFormat);
    const QStringList recent = Recent_Files(settings);
    QCOMPARE(recent.size(), RECENT_FILE_COUNT);
    QCOMPARE(recent.first(), QFileInfo(folder.filePath("curve5.vandrel")).absoluteFilePath());
    QCOMPARE(recent.last(), QFileInfo(folder.filePath("curve2.vandrel")).absoluteFilePath());
    QCOMPARE(recent.count(recent.first()), 1);

    // A recent document that has gone says so and leaves the list.
    QVERIFY(QFile::remove(folder.filePath("curve9.vandrel")));
    window->File_Commands()->Open_Recent(QFileInfo(folder.filePath("curve9.vandrel")).absoluteFilePath());
    QCOMPARE(window.Dialogs().errors.size(), 1);
    settings.sync();
    QCOMPARE(Recent_Files(settings).size(), RECENT_FILE_COUNT - 1);
    QCOMPARE(Recent_Files(settings).first(), recent.first());
  }

  // The recovery file appears within 5 s of the change; a crash leaves it, the next start
  // offers it, and restored work keeps its name and shows as modified.
  void recovery_after_a_crash_data()
  {
    QTest::addColumn<bool>("restore");
    QTest::newRow("restored") << true;
    QTest::newRow("declined") << false;
  }

  void recovery_after_a_crash()
  {
    QFETCH(bool, restore);
    QTemporaryDir folder;
    const QString path = folder.filePath("curve.vandrel");
    QString error;
    QVERIFY(Write_Document(path, Sample_Content(1.0), &error));
    {
      TWindow window;
      QVERIFY(window->File_Commands()->Open_File(path));
      window.Type_In_Cell("edit", 0, "6");
      QVERIFY(Recovery_Files().isEmpty());
      QTRY_COMPARE(Recovery_Files().size(), 1);
      // A window that runs owns its file: a second window neither offers nor takes it.
      TWindow other;
      other->File_Commands()->Offer_Recovery();
      QCOMPARE(other.Dialogs().restore_questions, 0);
      other->close();
      QCOMPARE(Recovery_Files().size(), 1);
      window.Crash();
    }
    TWindow window;
    window.Dialogs().restore = restore;
    window->File_Commands()->Offer_Recovery();
    QCOMPARE(window.Dialogs().restore_questions, 1);
    QCOMPARE(window.Cell("edit", 0), QString(restore ? "6.0" : "0.0"));
    QCOMPARE(window->isWindowModified(), restore);
    QCOMPARE(window->Document()->Path(), restore ? QFileInfo(path).absoluteFilePath() : QString());
    QCOMPARE(Recovery_Files().size(), restore ? 1 : 0);
    window->close();
    QVERIFY(Recovery_Files().isEmpty());
    QCOMPARE(First_Value_In(path), 1.0);
  }

  // Two windows keep separate files; after both crash, each piece of work is offered.
  void each_crashed_window_is_offered()
  {
    {
      TWindow first;
      TWindow second;
      first.Type_In_Cell("input", 0, "1");
      second.Type_In_Cell("input", 0, "2");
      QTRY_COMPARE(Recovery_Files().size(), 2);
      first.Crash();
      second.Crash();
    }
    TWindow window;
    window.Dialogs().restore = false;
    window->File_Commands()->Offer_Recovery();
    QCOMPARE(window.Dialogs().restore_questions, 2);
    QVERIFY(Recovery_Files().isEmpty());
  }

  void saving_removes_the_recovery_file()
  {
    QTemporaryDir folder;
    TWindow window;
    window.Type_In_Cell("input", 0, "2");
    QTRY_COMPARE(Recovery_Files().size(), 1);
    window.Dialogs().save_name = folder.filePath("curve.vandrel");
    QVERIFY(window->File_Commands()->Save_Document());
    QVERIFY(Recovery_Files().isEmpty());
  }
};

int main(int argc, char *argv[])
{
  QApplication application(argc, argv);
  TFileMenuTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_filemenu.moc"
