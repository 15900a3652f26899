#include "core/numericedit.h"

#include "core/numberformat.h"
#include "core/numberreader.h"

#include <QKeyEvent>

#include <climits>
#include <cmath>

namespace {

const int MINIMUM_PRECISION = 0;
const int MAXIMUM_PRECISION = 15;

bool Is_Return(const QKeyEvent &event)
{
  return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

// The int nearest to x with halves rounded away from zero; numbers beyond the int range
// give the nearer bound and nan gives 0, so any typed text yields a defined value.
int Round_To_Int(const double &x)
{
  if (std::isnan(x)) {
    return 0;
  }
  const double rounded = x >= 0.0 ? std::trunc(x + 0.5) : std::trunc(x - 0.5);
  if (rounded >= static_cast<double>(INT_MAX)) {
    return INT_MAX;
  }
  if (rounded <= static_cast<double>(INT_MIN)) {
    return INT_MIN;
  }
  return static_cast<int>(rounded);
}

// Undo and redo keys belong to the field only while it holds an unfinished edit; once
// the edit is finished they go on to the window's shortcuts.
bool Leaves_Undo_Key(QEvent *event, const bool changed)
{
  if (changed || event->type() != QEvent::ShortcutOverride) {
    return false;
  }
  const QKeyEvent *const key = static_cast<const QKeyEvent *>(event);
  const bool control_y = key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_Y;
  if (!key->matches(QKeySequence::Undo) && !key->matches(QKeySequence::Redo) && !control_y) {
    return false;
  }
  event->ignore();
  return true;
}

}  // namespace

bool TField_Edit::Read(const QString &text, const QLocale &locale, const double &current)
{
  if (!editing) {
    editing = true;
    before = current;
  }
  number = Read_Number(text, locale, &typed);
  // Any inequality counts, a nan included, so typing nan always marks a change.
  changed = changed || !number || typed != before;
  return number;
}

TIntEdit::TIntEdit(QWidget *parent) : QLineEdit(parent)
{
  connect(this, &QLineEdit::textEdited, this, &TIntEdit::Text_Edited);
}

TIntEdit::TIntEdit(const int value, QWidget *parent) : QLineEdit(parent), d_value(value)
{
  connect(this, &QLineEdit::textEdited, this, &TIntEdit::Text_Edited);
  Update_Text();
}

TIntEdit::~TIntEdit()
{
  disconnect(this, &QLineEdit::textEdited, nullptr, nullptr);
}

void TIntEdit::Set_Value(const int value)
{
  d_edit.Reset();
  d_value = value;
  Update_Text();
}

int TIntEdit::Value() const
{
  return d_value;
}

void TIntEdit::keyPressEvent(QKeyEvent *event)
{
  if (Is_Return(*event)) {
    Finish_Edit();
  }
  QLineEdit::keyPressEvent(event);
}

void TIntEdit::focusOutEvent(QFocusEvent *event)
{
  Finish_Edit();
  QLineEdit::focusOutEvent(event);
}

// The unrounded number is compared, so 2.0 typed over 2 is no change while 2.4 is. Text
// that is no number leaves the value the field had.
void TIntEdit::Text_Edited(const QString &text)
{
  const double current = d_value;
  d_value = Round_To_Int(d_edit.Read(text, locale(), current) ? d_edit.typed : d_edit.before);
}

void TIntEdit::Update_Text()
{
  setText(QStringLiteral("%1").arg(static_cast<qlonglong>(d_value), 0, 10, QLatin1Char(' ')));
}

void TIntEdit::Finish_Edit()
{
  const TField_Edit edit = d_edit;
  d_edit.Reset();
  if (!edit.editing) {
    return;
  }
  if (!edit.number) {
    d_value = Round_To_Int(edit.before);
    Update_Text();
  } else if (edit.changed) {
    emit Edit_Finished();
  }
}

TDoubleEdit::TDoubleEdit(QWidget *parent) : QLineEdit(parent)
{
  connect(this, &QLineEdit::textEdited, this, &TDoubleEdit::Text_Edited);
}

TDoubleEdit::TDoubleEdit(const double &value, QWidget *parent) : QLineEdit(parent), d_value(value)
{
  connect(this, &QLineEdit::textEdited, this, &TDoubleEdit::Text_Edited);
  Update_Text();
}

TDoubleEdit::~TDoubleEdit()
{
  disconnect(this, &QLineEdit::textEdited, nullptr, nullptr);
}

void TDoubleEdit::Set_Value(const double &value)
{
  d_edit.Reset();
  d_value = value;
  Update_Text();
}

double TDoubleEdit::Value() const
{
  return d_value;
}

void TDoubleEdit::Set_Precision(const int precision)
{
  d_precision = qBound(MINIMUM_PRECISION, precision, MAXIMUM_PRECISION);
  Update_Text();
}

void TDoubleEdit::keyPressEvent(QKeyEvent *event)
{
  if (Is_Return(*event)) {
    Finish_Edit();
  }
  QLineEdit::keyPressEvent(event);
}

void TDoubleEdit::focusOutEvent(QFocusEvent *event)
{
  Finish_Edit();
  QLineEdit::focusOutEvent(event);
}

void TDoubleEdit::Text_Edited(const QString &text)
{
  const double current = d_value;
  d_value = d_edit.Read(text, locale(), current) ? d_edit.typed : d_edit.before;
}

void TDoubleEdit::Update_Text()
{
  setText(Format_Number(d_value, d_precision, Decimal_Point(locale())));
}

// Typing under way stays as it is; a shown value takes the new decimal separator.
void TDoubleEdit::changeEvent(QEvent *event)
{
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::LocaleChange && !d_edit.editing) {
    Update_Text();
  }
}

void TDoubleEdit::Finish_Edit()
{
  const TField_Edit edit = d_edit;
  d_edit.Reset();
  if (!edit.editing) {
    return;
  }
  if (!edit.number) {
    d_value = edit.before;
    Update_Text();
  } else if (edit.changed) {
    emit Edit_Finished();
  }
}

bool TIntEdit::event(QEvent *event)
{
  return Leaves_Undo_Key(event, d_edit.Unfinished()) || QLineEdit::event(event);
}

bool TDoubleEdit::event(QEvent *event)
{
  return Leaves_Undo_Key(event, d_edit.Unfinished()) || QLineEdit::event(event);
}
