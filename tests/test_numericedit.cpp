#include "core/numericedit.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QRegularExpression>
#include <QtTest>

#include <climits>
#include <memory>

class TNumericEditTest : public QObject
{
  Q_OBJECT

private:
  std::unique_ptr<QWidget> d_window;
  TIntEdit *d_int_edit = nullptr;
  TDoubleEdit *d_double_edit = nullptr;

  // Replaces the whole text as the user would: select all, then type.
  static void Type_Over(QLineEdit *field, const QString &text)
  {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
  }

private slots:
  void init()
  {
    d_window = std::make_unique<QWidget>();
    auto *const layout = new QHBoxLayout(d_window.get());
    d_int_edit = new TIntEdit(7, d_window.get());
    d_double_edit = new TDoubleEdit(5.0, d_window.get());
    layout->addWidget(d_int_edit);
    layout->addWidget(d_double_edit);
    d_window->show();
    QVERIFY(QTest::qWaitForWindowActive(d_window.get()));
  }

  void cleanup() { d_window.reset(); }

  void int_rounding_and_signal_data()
  {
    QTest::addColumn<int>("initial");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("finished");
    QTest::addColumn<QString>("shown");
    QTest::newRow("half rounds away from zero") << 0 << "2.5" << 3 << 1 << "2.5";
    QTest::newRow("negative half") << 0 << "-2.5" << -3 << 1 << "-2.5";
    QTest::newRow("below half") << 0 << "2.49" << 2 << 1 << "2.49";
    QTest::newRow("exponent") << 0 << "1e3" << 1000 << 1 << "1e3";
    QTest::newRow("same number unrounded") << 2 << "2.0" << 2 << 0 << "2.0";
    QTest::newRow("same int, other number") << 2 << "2.4" << 2 << 1 << "2.4";
    QTest::newRow("above int range") << 0 << "1e10" << INT_MAX << 1 << "1e10";
    QTest::newRow("below int range") << 0 << "-1e10" << INT_MIN << 1 << "-1e10";
    QTest::newRow("inf") << 0 << "inf" << INT_MAX << 1 << "inf";
    QTest::newRow("minus inf") << 0 << "-inf" << INT_MIN << 1 << "-inf";
    QTest::newRow("nan") << 5 << "nan" << 0 << 1 << "nan";
    // Text that is no number is refused: the field shows its value again.
    QTest::newRow("letters") << 4 << "x" << 4 << 0 << "4";
    QTest::newRow("empty") << 4 << "" << 4 << 0 << "4";
    QTest::newRow("number and letters") << 4 << "12abc" << 4 << 0 << "4";
  }

  // The text stays as typed; only the owner's Set_Value, or a refusal, rewrites it.
  void int_rounding_and_signal()
  {
    QFETCH(int, initial);
    QFETCH(QString, typed);
    QFETCH(int, value);
    QFETCH(int, finished);
    QFETCH(QString, shown);
    d_int_edit->Set_Value(initial);
    QSignalSpy spy(d_int_edit, &TIntEdit::Edit_Finished);
    Type_Over(d_int_edit, typed);
    QCOMPARE(d_int_edit->Value(), value);
    QTest::keyClick(d_int_edit, Qt::Key_Return);
    QTest::keyClick(d_int_edit, Qt::Key_Enter);
    QCOMPARE(spy.count(), finished);
    QCOMPARE(d_int_edit->text(), shown);
  }

  void double_signal_rules_data()
  {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("set_value_after");
    QTest::addColumn<bool>("leave_by_focus");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("finished");
    QTest::newRow("letters are refused") << "abc" << false << false << 5.0 << 0;
    QTest::newRow("letters refused on focus loss") << "1x" << false << true << 5.0 << 0;
    QTest::newRow("same number") << "5" << false << false << 5.0 << 0;
    QTest::newRow("focus loss finishes") << "6.25" << false << true << 6.25 << 1;
    QTest::newRow("Set_Value cancels") << "6.25" << true << false << 1.5 << 0;
    QTest::newRow("Set_Value cancels focus loss") << "6.25" << true << true << 1.5 << 0;
  }

  void double_signal_rules()
  {
    QFETCH(QString, typed);
    QFETCH(bool, set_value_after);
    QFETCH(bool, leave_by_focus);
    QFETCH(double, value);
    QFETCH(int, finished);
    QSignalSpy spy(d_double_edit, &TDoubleEdit::Edit_Finished);
    Type_Over(d_double_edit, typed);
    if (set_value_after) {
      d_double_edit->Set_Value(1.5);
    }
    if (leave_by_focus) {
      d_int_edit->setFocus();
      d_double_edit->setFocus();
      d_int_edit->setFocus();
    } else {
      QTest::keyClick(d_double_edit, Qt::Key_Return);
      QTest::keyClick(d_double_edit, Qt::Key_Return);
    }
    QCOMPARE(d_double_edit->Value(), value);
    QCOMPARE(spy.count(), finished);
    if (typed.contains(QRegularExpression("[a-z]"))) {
      QCOMPARE(d_double_edit->text(), QString("5.0"));
    }
  }

  // Typed numbers are read in the C syntax first, then in the field's locale, as cells read
  // them; the German decimal comma is no typo.
  void double_reads_the_locale_data()
  {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("finished");
    QTest::newRow("C, point") << "C" << "12.5" << 12.5 << 1;
    QTest::newRow("C, comma") << "C" << "12,5" << 5.0 << 0;
    QTest::newRow("German, comma") << "de_DE" << "12,5" << 12.5 << 1;
    QTest::newRow("German, point") << "de_DE" << "12.5" << 12.5 << 1;
    QTest::newRow("German, word") << "de_DE" << "zwei" << 5.0 << 0;
    QTest::newRow("German, empty") << "de_DE" << "" << 5.0 << 0;
    QTest::newRow("English, grouped") << "en_US" << "1,000" << 1000.0 << 1;
  }

  void double_reads_the_locale()
  {
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(double, value);
    QFETCH(int, finished);
    d_double_edit->setLocale(QLocale(locale));
    QSignalSpy spy(d_double_edit, &TDoubleEdit::Edit_Finished);
    Type_Over(d_double_edit, typed);
    QTest::keyClick(d_double_edit, Qt::Key_Return);
    QCOMPARE(d_double_edit->Value(), value);
    QCOMPARE(spy.count(), finished);
  }

  // The value went away and came back: still a change.
  void retyping_the_old_text_still_finishes()
  {
    QSignalSpy spy(d_double_edit, &TDoubleEdit::Edit_Finished);
    d_double_edit->setFocus();
    d_double_edit->end(false);
    for (int i = 0; i < 3; ++i) {
      QTest::keyClick(d_double_edit, Qt::Key_Backspace);
    }
    QTest::keyClicks(d_double_edit, "5.0");
    QCOMPARE(d_double_edit->text(), QString("5.0"));
    QTest::keyClick(d_double_edit, Qt::Key_Return);
    QCOMPARE(spy.count(), 1);
  }

  void precision_data()
  {
    QTest::addColumn<int>("precision");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("above 15") << 20 << 1.75 << "1.750000000000000";
    QTest::newRow("below 0") << -3 << 1.75 << "2";
    QTest::newRow("one decimal keeps the value") << 1 << 0.25 << "0.3";
    QTest::newRow("three decimals") << 3 << -2.0 << "-2.000";
  }

  void precision()
  {
    QFETCH(int, precision);
    QFETCH(double, value);
    QFETCH(QString, text);
    QSignalSpy spy(d_double_edit, &TDoubleEdit::Edit_Finished);
    d_double_edit->Set_Precision(precision);
    d_double_edit->Set_Value(value);
    QCOMPARE(d_double_edit->text(), text);
    QCOMPARE(d_double_edit->Value(), value);
    QTest::keyClick(d_double_edit, Qt::Key_Return);
    QCOMPARE(spy.count(), 0);
  }

  void double_shows_the_locale_data()
  {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed_shown");
    QTest::newRow("C") << "C" << "-1234567.250" << "12.500";
    QTest::newRow("English") << "en_US" << "-1234567.250" << "12.500";
    QTest::newRow("German") << "de_DE" << "-1234567,250" << "12,500";
  }

  // The value shows the field's decimal separator without groups, from the moment the
  // locale changes; typing in the locale's form and showing the result again gives the
  // same text, so the field shows what the user typed.
  void double_shows_the_locale()
  {
    QFETCH(QString, locale);
    QFETCH(QString, shown);
    QFETCH(QString, typed_shown);
    d_double_edit->Set_Precision(3);
    d_double_edit->Set_Value(-1234567.25);
    d_double_edit->setLocale(QLocale(locale));
    QCOMPARE(d_double_edit->text(), shown);
    Type_Over(d_double_edit, typed_shown.left(4));
    QTest::keyClick(d_double_edit, Qt::Key_Return);
    QCOMPARE(d_double_edit->Value(), 12.5);
    d_double_edit->Set_Value(d_double_edit->Value());
    QCOMPARE(d_double_edit->text(), typed_shown);
    QCOMPARE(d_int_edit->text(), QString("7"));
  }

  // A locale change leaves typing under way alone.
  void locale_change_keeps_typing()
  {
    Type_Over(d_double_edit, "3.75");
    d_double_edit->setLocale(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(d_double_edit->text(), QString("3.75"));
    QTest::keyClick(d_double_edit, Qt::Key_Return);
    QCOMPARE(d_double_edit->Value(), 3.75);
  }
};

QTEST_MAIN(TNumericEditTest)

#include "test_numericedit.moc"
