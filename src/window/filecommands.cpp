#include "src/window/filecommands.h"

#include "core/assertion.h"
#include "core/numberformat.h"
#include "src/document/document.h"
#include "src/files/fileformats.h"
#include "src/files/recentfiles.h"
#include "src/files/recovery.h"
#include "src/model/constants.h"
#include "src/window/busywork.h"

#include "src/window/userdialogs.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

TFile_Commands::TFile_Commands(QMainWindow *window, TDocument *document, QSettings *settings)
  : QObject(window),
    d_window(window),
    d_document(document),
    d_settings(settings),
    d_dialogs(std::make_unique<TUser_Dialogs>())
{
  Build_Menu();
}

TFile_Commands::~TFile_Commands() = default;

void TFile_Commands::Set_User_Dialogs(std::unique_ptr<TUser_Dialogs> dialogs)
{
  if (ASSERT(dialogs)) {
    d_dialogs = std::move(dialogs);
  }
}

QAction *Add_Menu_Entry(QMenu *menu, const QString &text, const char *name,
                        const QString &shortcut)
{
  QAction *action = menu->addAction(text);
  action->setObjectName(QLatin1String(name));
  if (!shortcut.isEmpty()) {
    action->setShortcut(QKeySequence(shortcut));
  }
  return action;
}

void TFile_Commands::Build_Menu()
{
  d_menu = d_window->menuBar()->addMenu(tr("&File"));
  d_menu->setObjectName("file_menu");
  connect(Add_Menu_Entry(d_menu, tr("&New"), "new_action", QStringLiteral("Ctrl+N")),
          &QAction::triggered, this, &TFile_Commands::New_Document);
  connect(Add_Menu_Entry(d_menu, tr("&Open\u2026"), "open_action", QStringLiteral("Ctrl+O")),
          &QAction::triggered, this, &TFile_Commands::Open_Document);
  d_recent_menu = d_menu->addMenu(tr("Open &Recent"));
  d_recent_menu->setObjectName("recent_menu");
  connect(d_recent_menu, &QMenu::aboutToShow, this, &TFile_Commands::Update_Recent_Menu);
  d_reading_end = d_menu->addSeparator();
  connect(Add_Menu_Entry(d_menu, tr("&Save"), "save_action", QStringLiteral("Ctrl+S")),
          &QAction::triggered, this, &TFile_Commands::Save_Document);
  connect(Add_Menu_Entry(d_menu, tr("Save &As\u2026"), "save_as_action",
                         QStringLiteral("Ctrl+Shift+S")),
          &QAction::triggered, this, &TFile_Commands::Save_Document_As);
  d_writing_end = d_menu->addSeparator();
  connect(Add_Menu_Entry(d_menu, tr("&Quit"), "quit_action", QStringLiteral("Ctrl+Q")),
          &QAction::triggered, d_window, &QMainWindow::close);
}

void TFile_Commands::Add_Data_Entry(QAction *action, const bool reads)
{
  d_menu->insertAction(reads ? d_reading_end : d_writing_end, action);
}

QString TFile_Commands::Start_Folder() const
{
  return d_document->Path().isEmpty() ? QDir::homePath()
                                      : QFileInfo(d_document->Path()).absolutePath();
}

QString TFile_Commands::Suggested_Path(const QString &suffix) const
{
  if (d_document->Path().isEmpty()) {
    return QDir::homePath() + '/' + tr("Untitled") + '.' + suffix;
  }
  const QFileInfo document(d_document->Path());
  return document.absolutePath() + '/' + document.completeBaseName() + '.' + suffix;
}

void TFile_Commands::Show_Message(const QString &message) const
{
  d_window->statusBar()->showMessage(message, STATUS_MESSAGE_MS);
}

void TFile_Commands::Show_Import_Message(const QString &path, const TImport_Report &report) const
{
  Show_Message(Import_Message(path, report, Decimal_Point(d_window->locale())));
}

void TFile_Commands::Update_Recent_Menu()
{
  d_recent_menu->clear();
  const QStringList files = Recent_Files(*d_settings);
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path));
    connect(d_recent_menu->addAction(text), &QAction::triggered, this,
            [this, path] { Open_Recent(path); });
  }
  d_recent_menu->setEnabled(!files.isEmpty());
}

// A document that has gone since leaves the list once the user has been told.
void TFile_Commands::Open_Recent(const QString &path)
{
  if (!Open_File(path) && !QFileInfo::exists(path)) {
    Remove_Recent_File(d_settings, path);
  }
}

void TFile_Commands::New_Document()
{
  if (Maybe_Save()) {
    d_document->New();
  }
}

void TFile_Commands::Open_Document()
{
  if (!Maybe_Save()) {
    return;
  }
  const QString path = d_dialogs->Open_File_Name(d_window, Start_Folder());
  if (!path.isEmpty()) {
    Load(path);
  }
}

bool TFile_Commands::Open_File(const QString &path)
{
  return Maybe_Save() && Load(path);
}

bool TFile_Commands::Save_Document()
{
  return d_document->Path().isEmpty() ? Save_Document_As() : Write_To(d_document->Path());
}

bool TFile_Commands::Save_Document_As()
{
  const QString suggestion = d_document->Path().isEmpty()
                               ? Suggested_Path(QString::fromLatin1(DOCUMENT_SUFFIX))
                               : d_document->Path();
  const QString path = d_dialogs->Save_File_Name(d_window, suggestion);
  return !path.isEmpty() && Write_To(path);
}

void TFile_Commands::Offer_Recovery()
{
  for (const QString &path : Orphaned_Recovery_Files()) {
    if (Restore_Recovered(path)) {
      return;
    }
  }
}

// True when the user takes the work back; either way the file left behind goes, since the
// restored work lives on in this window's own recovery file.
bool TFile_Commands::Restore_Recovered(const QString &path)
{
  TRecovered_Work work;
  QString error;
  if (!Read_Recovery(path, &work, &error)) {
    d_dialogs->Show_Error(d_window, error);
    Discard_Recovery(path);
    return false;
  }
  const QString name = work.document_path.isEmpty() ? tr("Untitled")
                                                    : QFileInfo(work.document_path).fileName();
  if (!d_dialogs->Ask_Restore(d_window, name)) {
    Discard_Recovery(path);
    return false;
  }
  d_document->Restore(work);
  Discard_Recovery(path);
  return true;
}

bool TFile_Commands::Maybe_Save()
{
  if (!d_document->Is_Modified()) {
    return true;
  }
  switch (d_dialogs->Ask_Unsaved(d_window, d_document->Name())) {
  case UNSAVED_SAVE:
    return Save_Document();
  case UNSAVED_DISCARD:
    return true;
  case UNSAVED_CANCEL:
    break;
  }
  return false;
}

// Busy until the tables show the document; not while a message waits for the user. A data
// file is imported into a new document.
bool TFile_Commands::Load(const QString &path)
{
  TImport_Report report;
  QString error;
  auto busy = std::make_unique<TBusy_Cursor>();
  if (!d_document->Open_Any(path, &report, &error)) {
    busy.reset();
    d_dialogs->Show_Error(d_window, error);
    return false;
  }
  if (Is_Data_File(path)) {
    Show_Import_Message(path, report);
  } else {
    Remember(d_document->Path());
  }
  return true;
}

bool TFile_Commands::Write_To(const QString &path)
{
  QString error;
  auto busy = std::make_unique<TBusy_Cursor>();
  if (!d_document->Save_As(path, &error)) {
    busy.reset();
    d_dialogs->Show_Error(d_window, error);
    return false;
  }
  Remember(d_document->Path());
  return true;
}

void TFile_Commands::Remember(const QString &path)
{
  Add_Recent_File(d_settings, path);
}
