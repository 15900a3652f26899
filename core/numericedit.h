#ifndef CORE_NUMERICEDIT_H
#define CORE_NUMERICEDIT_H

#include <QLineEdit>
#include <QLocale>

class QFocusEvent;
class QKeyEvent;

// What a numeric field's user has typed since the field last showed a value: whether the
// text is a number and which, the value the field had before, and whether any keystroke
// since took that value away (a value typed away and back again is still a change).
struct TField_Edit
{
  bool editing = false;
  bool number = true;
  bool changed = false;
  double typed = 0.0;
  double before = 0.0;

  // The text as the user left it; false when it holds no number.
  bool Read(const QString &text, const QLocale &locale, const double &current);
  // True while Ctrl+Z and its kin belong to the field: the edit is unfinished.
  bool Unfinished() const { return editing && changed; }
  void Reset() { *this = TField_Edit(); }
};

// A line edit that stands for an int. The value follows every keystroke of the user that
// leaves a number in the field, read as typed numbers are read: the C syntax first, then
// the field's locale. Edit_Finished() tells the owner once per burst of real change, when
// the user presses Return or Enter or leaves the field. Text that is no number then is
// refused: the field shows the value it had before the edit, and nothing is reported.
// Values set by the program are never reported.
class TIntEdit : public QLineEdit
{
  Q_OBJECT

public:
  explicit TIntEdit(QWidget *parent = nullptr);
  TIntEdit(int value, QWidget *parent);
  ~TIntEdit() override;

  void Set_Value(int value);
  int Value() const;

signals:
  void Edit_Finished();

protected:
  bool event(QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;

private slots:
  void Text_Edited(const QString &text);

private:
  void Update_Text();
  void Finish_Edit();

  int d_value = 0;
  TField_Edit d_edit;
};

// A line edit that stands for a double, shown with a fixed number of decimals (0 to 15)
// and the decimal separator of the field's locale. Same reading and signal rules as
// TIntEdit.
class TDoubleEdit : public QLineEdit
{
  Q_OBJECT

public:
  explicit TDoubleEdit(QWidget *parent = nullptr);
  TDoubleEdit(const double &value, QWidget *parent);
  ~TDoubleEdit() override;

  void Set_Value(const double &value);
  double Value() const;
  void Set_Precision(int precision);

signals:
  void Edit_Finished();

protected:
  bool event(QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;
  void changeEvent(QEvent *event) override;

private slots:
  void Text_Edited(const QString &text);

private:
  void Update_Text();
  void Finish_Edit();

  double d_value = 0.0;
  int d_precision = 1;
  TField_Edit d_edit;
};

#endif
