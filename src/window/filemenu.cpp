// The window's documents: the File menu, the title, unsaved changes and recovery.

#include "src/window/vandrel.h"

#include "core/assertion.h"
#include "src/window/busywork.h"
#include "src/files/documentfile.h"
#include "src/files/importeddocument.h"
#include "src/files/recentfiles.h"
#include "src/files/recovery.h"
#include "src/document/undohistory.h"
#include "src/window/userdialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>
#include <QUrl>

#include <memory>

namespace {

// Unsaved work reaches the recovery file at most this long after the last change.
const int RECOVERY_DELAY_MS = 5000;
const int STATUS_MESSAGE_MS = 10000;

QString First_Local_File(const QMimeData *mime)
{
  if (!mime || !mime->hasUrls()) {
    return QString();
  }
  for (const QUrl &url : mime->urls()) {
    if (url.isLocalFile()) {
      return url.toLocalFile();
    }
  }
  return QString();
}

// An entry of a menu; the overloads of addAction that take a shortcut differ between
// toolkit versions.
template <class TFunction>
void Add_Action(QMenu *menu, const QString &text, const QString &shortcut, QObject *context,
                TFunction function)
{
  QAction *action = menu->addAction(text);
  if (!shortcut.isEmpty()) {
    action->setShortcut(QKeySequence(shortcut));
  }
  QObject::connect(action, &QAction::triggered, context, function);
}

}  // namespace

void TVandrel::Set_User_Dialogs(std::unique_ptr<TUser_Dialogs> dialogs)
{
  if (ASSERT(dialogs)) {
    d_dialogs = std::move(dialogs);
  }
}

void TVandrel::Build_File_Menu()
{
  d_dialogs = std::make_unique<TUser_Dialogs>();
  d_recovery = std::make_unique<TRecovery_File>();
  d_recovery_timer = new QTimer(this);
  d_recovery_timer->setSingleShot(true);
  d_recovery_timer->setInterval(RECOVERY_DELAY_MS);
  connect(d_recovery_timer, &QTimer::timeout, this, [this] { Save_Recovery(); });

  QMenu *menu = menuBar()->addMenu(QStringLiteral("&File"));
  menu->setObjectName("file_menu");
  Add_Action(menu, QStringLiteral("&New"), QStringLiteral("Ctrl+N"), this,
             [this] { New_Document(); });
  Add_Action(menu, QStringLiteral("&Open\u2026"), QStringLiteral("Ctrl+O"), this,
             [this] { Open_Document(); });
  d_recent_menu = menu->addMenu(QStringLiteral("Open &Recent"));
  d_recent_menu->setObjectName("recent_menu");
  connect(d_recent_menu, &QMenu::aboutToShow, this, [this] { Update_Recent_Menu(); });
  Add_Action(menu, QStringLiteral("&Import Data\u2026"), QStringLiteral("Ctrl+Shift+O"), this,
             [this] { Import_Data(); });
  menu->addSeparator();
  Add_Action(menu, QStringLiteral("&Save"), QStringLiteral("Ctrl+S"), this,
             [this] { Save_Document(); });
  Add_Action(menu, QStringLiteral("Save &As\u2026"), QStringLiteral("Ctrl+Shift+S"), this,
             [this] { Save_Document_As(); });
  Add_Action(menu, QStringLiteral("&Export Output\u2026"), QStringLiteral("Ctrl+Shift+E"), this,
             [this] { Export_Output(); });
  Add_Action(menu, QStringLiteral("Export &Graph\u2026"), QString(), this,
             [this] { Export_Graph(); });
  menu->addSeparator();
  Add_Action(menu, QStringLiteral("&Quit"), QStringLiteral("Ctrl+Q"), this, [this] { close(); });
  setAcceptDrops(true);
  Set_Document_Path(QString());
}

void TVandrel::Update_Recent_Menu()
{
  d_recent_menu->clear();
  const QStringList files = Recent_Files(*d_settings);
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path));
    Add_Action(d_recent_menu, text, QString(), this, [this, path] { Open_Recent(path); });
  }
  d_recent_menu->setEnabled(!files.isEmpty());
}

// A document that has gone since leaves the list once the user has been told.
void TVandrel::Open_Recent(const QString &path)
{
  if (!Open_File(path) && !QFileInfo::exists(path)) {
    Remove_Recent_File(d_settings.get(), path);
  }
}

void TVandrel::New_Document()
{
  if (!Maybe_Save()) {
    return;
  }
  d_model.Clear_Values();
  Show_Content();
  Set_Document_Path(QString());
  d_history->Clear();
  Mark_Saved();
}

void TVandrel::Open_Document()
{
  if (!Maybe_Save()) {
    return;
  }
  const QString folder = d_document_path.isEmpty() ? QDir::homePath()
                                                   : QFileInfo(d_document_path).absolutePath();
  const QString path = d_dialogs->Open_File_Name(this, folder);
  if (!path.isEmpty()) {
    Load(path);
  }
}

// Data files are imported into a new document rather than opened.
bool TVandrel::Open_File(const QString &path)
{
  if (Is_Data_File(path)) {
    return Import_File(path);
  }
  return Maybe_Save() && Load(path);
}

bool TVandrel::Save_Document()
{
  return d_document_path.isEmpty() ? Save_Document_As() : Write_To(d_document_path);
}

bool TVandrel::Save_Document_As()
{
  const QString suggestion = d_document_path.isEmpty()
                               ? QDir::homePath() + "/Untitled." + DOCUMENT_SUFFIX
                               : d_document_path;
  const QString path = d_dialogs->Save_File_Name(this, suggestion);
  return !path.isEmpty() && Write_To(path);
}

void TVandrel::Offer_Recovery()
{
  for (const QString &path : Orphaned_Recovery_Files()) {
    if (Restore_Recovered(path)) {
      return;
    }
  }
}

// True when the user takes the work back; either way the file left behind goes, since the
// restored work lives on in this window's own recovery file.
bool TVandrel::Restore_Recovered(const QString &path)
{
  TRecovered_Work work;
  QString error;
  if (!Read_Recovery(path, &work, &error)) {
    d_dialogs->Show_Error(this, error);
    Discard_Recovery(path);
    return false;
  }
  const QString name = work.document_path.isEmpty() ? QStringLiteral("Untitled")
                                                    : QFileInfo(work.document_path).fileName();
  if (!d_dialogs->Ask_Restore(this, name)) {
    Discard_Recovery(path);
    return false;
  }
  ASSERT(d_model.Set_Content(work.content));
  Show_Content();
  Set_Document_Path(work.document_path);
  d_history->Clear_Unsaved();
  Document_Changed();
  Save_Recovery();
  Discard_Recovery(path);
  return true;
}

void TVandrel::closeEvent(QCloseEvent *event)
{
  if (!Maybe_Save()) {
    event->ignore();
    return;
  }
  Save_Settings();
  d_recovery_timer->stop();
  d_recovery->Remove();
  event->accept();
}

void TVandrel::dragEnterEvent(QDragEnterEvent *event)
{
  if (!First_Local_File(event->mimeData()).isEmpty()) {
    event->acceptProposedAction();
  }
}

void TVandrel::dropEvent(QDropEvent *event)
{
  const QString path = First_Local_File(event->mimeData());
  if (path.isEmpty()) {
    return;
  }
  event->acceptProposedAction();
  // The question and any message are modal; they wait until the drop has finished.
  QTimer::singleShot(0, this, [this, path] { Open_File(path); });
}

bool TVandrel::Maybe_Save()
{
  if (!isWindowModified()) {
    return true;
  }
  switch (d_dialogs->Ask_Unsaved(this, Document_Name())) {
  case UNSAVED_SAVE:
    return Save_Document();
  case UNSAVED_DISCARD:
    return true;
  case UNSAVED_CANCEL:
    break;
  }
  return false;
}

bool TVandrel::Load(const QString &path)
{
  TContent content;
  QString error;
  // Busy until the tables show the document; not while a message waits for the user.
  auto busy = std::make_unique<TBusy_Cursor>();
  if (!Read_Document(path, &content, &error)) {
    busy.reset();
    d_dialogs->Show_Error(this, error);
    return false;
  }
  ASSERT(d_model.Set_Content(content));
  Show_Content();
  Set_Document_Path(QFileInfo(path).absoluteFilePath());
  d_history->Clear();
  Mark_Saved();
  Add_Recent_File(d_settings.get(), d_document_path);
  return true;
}

bool TVandrel::Write_To(const QString &path)
{
  QString error;
  auto busy = std::make_unique<TBusy_Cursor>();
  if (!Write_Document(path, d_model.Content(), &error)) {
    busy.reset();
    d_dialogs->Show_Error(this, error);
    return false;
  }
  Set_Document_Path(QFileInfo(path).absoluteFilePath());
  Mark_Saved();
  Add_Recent_File(d_settings.get(), d_document_path);
  return true;
}

// Called once per step done or undone, never per cell: restarting the timer is all it
// costs. The modified marker follows the undo stack's clean state.
void TVandrel::Document_Changed()
{
  d_recovery_timer->start();
}

void TVandrel::Mark_Saved()
{
  d_history->Stack()->setClean();
  setWindowModified(false);
  d_recovery_timer->stop();
  d_recovery->Remove();
}

void TVandrel::Set_Document_Path(const QString &path)
{
  d_document_path = path;
  setWindowTitle(Document_Name() + QStringLiteral("[*] - Vandrel"));
}

QString TVandrel::Document_Name() const
{
  return d_document_path.isEmpty() ? QStringLiteral("Untitled")
                                   : QFileInfo(d_document_path).fileName();
}

void TVandrel::Save_Recovery()
{
  if (!isWindowModified()) {
    return;
  }
  QString error;
  if (!d_recovery->Write({d_model.Content(), d_document_path}, &error)) {
    statusBar()->showMessage(error, STATUS_MESSAGE_MS);
  }
}
