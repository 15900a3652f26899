#include "src/window/userdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Answers the number dialog with each text of a script in turn and records what the
// dialogs showed: the text each number dialog opened with, and each message.
class TDialog_Script
{
public:
  explicit TDialog_Script(const QStringList &answers) : d_answers(answers) { Next(); }

  QStringList Opened_With;
  QStringList Messages;

private:
  // Waits for the next dialog to run its own event loop; a wait still pending when the
  // script ends ends with it.
  void Next()
  {
    QTimer::singleShot(0, &d_context, [this] { Answer(); });
  }

  void Answer()
  {
    QWidget *const modal = QApplication::activeModalWidget();
    if (auto *const input = qobject_cast<QInputDialog *>(modal)) {
      Opened_With << input->textValue();
      if (d_answers.isEmpty()) {
        input->reject();
        return;
      }
      input->setTextValue(d_answers.takeFirst());
      input->accept();
      Next();
    } else if (auto *const box = qobject_cast<QMessageBox *>(modal)) {
      Messages << box->text();
      box->accept();
      Next();
    }
  }

  QStringList d_answers;
  QObject d_context;
};

}  // namespace

class TUserDialogsTest : public QObject
{
  Q_OBJECT

private slots:
  void number_dialog_reads_and_echoes_in_the_locale_data()
  {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<double>("number");
    QTest::addColumn<QStringList>("opened_with");
    QTest::addColumn<QStringList>("messages");
    const QLocale c = QLocale::c();
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    QTest::newRow("C, point") << c << QStringList{"12.5"} << 12.5 << QStringList{""}
                              << QStringList();
    QTest::newRow("C, comma is refused and shown again")
      << c << QStringList{"12,5", "12.5"} << 12.5 << QStringList{"", "12,5"}
      << QStringList{"\u201c12,5\u201d is not a number."};
    QTest::newRow("English, point") << english << QStringList{"-0.25"} << -0.25
                                    << QStringList{""} << QStringList();
    QTest::newRow("English, groups") << english << QStringList{"1,234.5"} << 1234.5
                                     << QStringList{""} << QStringList();
    QTest::newRow("German, comma") << german << QStringList{"12,5"} << 12.5
                                   << QStringList{""} << QStringList();
    QTest::newRow("German, groups") << german << QStringList{"1.234,5"} << 1234.5
                                    << QStringList{""} << QStringList();
    QTest::newRow("German, word shown as typed")
      << german << QStringList{"zwölf,5", "-3,75"} << -3.75 << QStringList{"", "zwölf,5"}
      << QStringList{"\u201czwölf,5\u201d is not a number."};
  }

  // The dialog reads in its window's locale, as the cells do; text that is no number is
  // echoed as typed, in the message and in the dialog that asks again.
  void number_dialog_reads_and_echoes_in_the_locale()
  {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, answers);
    QFETCH(double, number);
    QFETCH(QStringList, opened_with);
    QFETCH(QStringList, messages);
    QWidget window;
    window.setLocale(locale);
    TUser_Dialogs dialogs;
    TDialog_Script script(answers);
    double read = 0.0;
    QVERIFY(dialogs.Ask_Number(&window, "Add", &read));
    QCOMPARE(read, number);
    QCOMPARE(script.Opened_With, opened_with);
    QCOMPARE(script.Messages, messages);
  }

  void cancel_reads_nothing()
  {
    QWidget window;
    TUser_Dialogs dialogs;
    TDialog_Script script({});
    double read = 7.0;
    QVERIFY(!dialogs.Ask_Number(&window, "Add", &read));
    QCOMPARE(read, 7.0);
  }
};

QTEST_MAIN(TUserDialogsTest)

#include "test_userdialogs.moc"
