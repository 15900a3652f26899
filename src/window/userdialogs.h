#ifndef SRC_WINDOW_USERDIALOGS_H
#define SRC_WINDOW_USERDIALOGS_H

#include <QLocale>
#include <QString>

class QWidget;

enum TUnsaved_Answer
{
  UNSAVED_SAVE,
  UNSAVED_DISCARD,
  UNSAVED_CANCEL
};

// The questions and messages the window puts to the user about documents. Tests replace
// it to answer without modal dialogs.
class TUser_Dialogs
{
public:
  virtual ~TUser_Dialogs() = default;

  // Asks what to do with unsaved changes to the named document.
  virtual TUnsaved_Answer Ask_Unsaved(QWidget *parent, const QString &name);
  // Offers the work found after a crash; true restores it.
  virtual bool Ask_Restore(QWidget *parent, const QString &name);
  virtual void Show_Error(QWidget *parent, const QString &message);
  // An existing document to open, empty when the user cancels.
  virtual QString Open_File_Name(QWidget *parent, const QString &folder);
  // Where to save, empty when the user cancels.
  virtual QString Save_File_Name(QWidget *parent, const QString &suggestion);
  // A number for a command on the selected cells, read as the cells read typed text;
  // false when the user cancels.
  virtual bool Ask_Number(QWidget *parent, const QString &title, double *number);
  // A data file (.csv, .tsv, .txt) to import, empty when the user cancels.
  virtual QString Import_File_Name(QWidget *parent, const QString &folder);
  // Where to export, empty when the user cancels. `filters` are a file dialog's filters;
  // a name without one of their suffixes gets the chosen filter's.
  virtual QString Export_File_Name(QWidget *parent, const QString &title,
                                   const QString &suggestion, const QString &filters);
};

// A number as a user types it into a cell or a dialog, in the C syntax or that of the
// locale (the default locale unless given); false for any other text.
bool Read_Typed_Number(const QString &text, double *number);
bool Read_Typed_Number(const QString &text, const QLocale &locale, double *number);

// What the number dialog says of typed text that is no number: the text as typed.
QString Not_A_Number_Message(const QString &text);

#endif
