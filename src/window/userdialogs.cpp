#include "src/window/userdialogs.h"

#include "core/numberreader.h"
#include "src/files/fileformats.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>


TUnsaved_Answer TUser_Dialogs::Ask_Unsaved(QWidget *parent, const QString &name)
{
  const QMessageBox::StandardButton answer = QMessageBox::warning(
    parent, QStringLiteral("Vandrel"),
    QCoreApplication::translate("User_Dialogs",
                                "The document \u201c%1\u201d has unsaved changes.\n"
                                "Do you want to save them?")
      .arg(name),
    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  if (answer == QMessageBox::Save) {
    return UNSAVED_SAVE;
  }
  return answer == QMessageBox::Discard ? UNSAVED_DISCARD : UNSAVED_CANCEL;
}

bool TUser_Dialogs::Ask_Restore(QWidget *parent, const QString &name)
{
  return QMessageBox::question(
           parent, QStringLiteral("Vandrel"),
           QCoreApplication::translate("User_Dialogs",
                                       "Vandrel did not close normally. Unsaved work on "
                                       "\u201c%1\u201d was kept.\nDo you want to restore it?")
             .arg(name),
           QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
         == QMessageBox::Yes;
}

void TUser_Dialogs::Show_Error(QWidget *parent, const QString &message)
{
  QMessageBox::warning(parent, QStringLiteral("Vandrel"), message);
}

QString TUser_Dialogs::Open_File_Name(QWidget *parent, const QString &folder)
{
  const QString title = QCoreApplication::translate("User_Dialogs", "Open Document");
  return QFileDialog::getOpenFileName(parent, title, folder, Document_Filters());
}

QString TUser_Dialogs::Save_File_Name(QWidget *parent, const QString &suggestion)
{
  const QString title = QCoreApplication::translate("User_Dialogs", "Save Document As");
  QFileDialog dialog(parent, title, suggestion, Document_Filters());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QString::fromLatin1(DOCUMENT_SUFFIX));
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

// Reads in the window's locale, as its cells do. Asks again after text that is no number,
// showing what was typed, as it was typed, so it can be corrected.
bool TUser_Dialogs::Ask_Number(QWidget *parent, const QString &title, double *number)
{
  const QLocale locale = parent ? parent->locale() : QLocale();
  const QString label = QCoreApplication::translate("User_Dialogs", "Number:");
  QString text;
  for (;;) {
    bool accepted = false;
    text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &accepted);
    if (!accepted) {
      return false;
    }
    if (Read_Typed_Number(text, locale, number)) {
      return true;
    }
    Show_Error(parent, Not_A_Number_Message(text));
  }
}

bool Read_Typed_Number(const QString &text, double *number)
{
  return Read_Typed_Number(text, QLocale(), number);
}

bool Read_Typed_Number(const QString &text, const QLocale &locale, double *number)
{
  double value = 0.0;
  const bool converted = Read_Number(text, locale, &value);
  if (converted && number) {
    *number = value;
  }
  return converted;
}

QString Not_A_Number_Message(const QString &text)
{
  return QCoreApplication::translate("User_Dialogs", "\u201c%1\u201d is not a number.").arg(text);
}

QString TUser_Dialogs::Import_File_Name(QWidget *parent, const QString &folder)
{
  const QString title = QCoreApplication::translate("User_Dialogs", "Import Data");
  return QFileDialog::getOpenFileName(parent, title, folder, Data_Filters());
}

QString TUser_Dialogs::Export_File_Name(QWidget *parent, const QString &title,
                                        const QString &suggestion, const QString &filters)
{
  QString chosen;
  const QString path = QFileDialog::getSaveFileName(parent, title, suggestion, filters, &chosen);
  return With_Filter_Suffix(path, filters, chosen);
}
