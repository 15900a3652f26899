#ifndef TESTS_SCRIPTED_DIALOGS_H
#define TESTS_SCRIPTED_DIALOGS_H

#include "src/window/userdialogs.h"
#include "src/document/document.h"
#include "src/window/datacommands.h"
#include "src/window/filecommands.h"
#include "src/vandrel.h"

#include <QApplication>
#include <QStringList>

#include <memory>

// Answers the window's questions as a test scripts them and records every message.
class TScripted_Dialogs : public TUser_Dialogs
{
public:
  TUnsaved_Answer unsaved_answer = UNSAVED_DISCARD;
  bool restore = true;
  QString open_name;
  QString save_name;
  QString import_name;
  QString export_name;
  int unsaved_questions = 0;
  int restore_questions = 0;
  QStringList errors;
  // The text typed into the number dialog; a null text cancels it.
  QString number_text;
  QStringList number_titles;
  // For each message, whether the busy cursor was still up while it waited for the user.
  QList<bool> busy_during_errors;

  TUnsaved_Answer Ask_Unsaved(QWidget *, const QString &) override
  {
    ++unsaved_questions;
    return unsaved_answer;
  }
  bool Ask_Restore(QWidget *, const QString &) override
  {
    ++restore_questions;
    return restore;
  }
  void Show_Error(QWidget *, const QString &message) override
  {
    errors << message;
    busy_during_errors << (QApplication::overrideCursor() != nullptr);
  }
  QString Open_File_Name(QWidget *, const QString &) override { return open_name; }
  QString Save_File_Name(QWidget *, const QString &) override { return save_name; }
  bool Ask_Number(QWidget *, const QString &title, double *number) override
  {
    number_titles << title;
    return !number_text.isNull() && Read_Typed_Number(number_text, number);
  }
  QString Import_File_Name(QWidget *, const QString &) override { return import_name; }
  QString Export_File_Name(QWidget *, const QString &, const QString &, const QString &) override
  {
    return export_name;
  }
};

// The window under test, shown and active, with its scripted dialogs. Suites derive their
// own window from it with the ways of changing data they need.
class TScripted_Window
{
public:
  TScripted_Window() : d_window(std::make_unique<TVandrel>())
  {
    auto dialogs = std::make_unique<TScripted_Dialogs>();
    d_dialogs = dialogs.get();
    d_window->Set_User_Dialogs(std::move(dialogs));
    // Unsaved work reaches the recovery file as soon as the events are next handled.
    d_window->Document()->Set_Recovery_Delay(0);
    d_window->show();
    QApplication::setActiveWindow(d_window.get());
  }

  TVandrel *operator->() const { return d_window.get(); }
  TScripted_Dialogs &Dialogs() const { return *d_dialogs; }

  // The window's child of that name; a test that lacks it cannot go on.
  template <class TChild>
  TChild *Find(const QString &name) const
  {
    TChild *child = d_window->findChild<TChild *>(name);
    if (!child) {
      qFatal("no child %s", qPrintable(name));
    }
    return child;
  }

protected:
  std::unique_ptr<TVandrel> d_window;
  TScripted_Dialogs *d_dialogs = nullptr;
};

#endif
