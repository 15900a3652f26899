#ifndef CORE_NUMERICEDIT_H
#define CORE_NUMERICEDIT_H

#include <QLineEdit>

class QFocusEvent;
class QKeyEvent;

// A line edit that stands for an int. The value follows every keystroke of the user;
// Edit_Finished() tells the owner once per burst of real change, when the user presses
// Return or Enter or leaves the field. Values set by the program are never reported.
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
  bool d_changed = false;
};

// A line edit that stands for a double, shown with a fixed number of decimals (0 to 15).
// Same signal rules as TIntEdit.
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

private slots:
  void Text_Edited(const QString &text);

private:
  void Update_Text();
  void Finish_Edit();

  double d_value = 0.0;
  int d_precision = 1;
  bool d_changed = false;
};

#endif
