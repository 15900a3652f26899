#ifndef SRC_WINDOW_FILECOMMANDS_H
#define SRC_WINDOW_FILECOMMANDS_H

#include <QObject>
#include <QString>

#include <memory>

class QAction;
class QMainWindow;
class QMenu;
class QSettings;
class TDocument;
struct TImport_Report;
class TUser_Dialogs;

// The File menu's document commands: New, Open, Open Recent, Save, Save As and Quit, the
// question about unsaved changes, and the offer of work a crash left behind. Each hands
// the work to the document and tells the user what came of it.
class TFile_Commands : public QObject
{
  Q_OBJECT

public:
  TFile_Commands(QMainWindow *window, TDocument *document, QSettings *settings);
  ~TFile_Commands() override;

  TDocument *Document() const { return d_document; }
  QMainWindow *Window() const { return d_window; }
  TUser_Dialogs &Dialogs() const { return *d_dialogs; }
  void Set_User_Dialogs(std::unique_ptr<TUser_Dialogs> dialogs);
  // Puts an entry into the File menu among the data file entries: after Open Recent for
  // reading, before Quit for writing.
  void Add_Data_Entry(QAction *action, bool reads);
  // The folder a file dialog starts in: the document's, or the home folder.
  QString Start_Folder() const;
  // A name in the document's folder with the document's name and this suffix.
  QString Suggested_Path(const QString &suffix) const;
  void Show_Message(const QString &message) const;
  // What an import made of a data file, its numbers with the window's decimal separator.
  void Show_Import_Message(const QString &path, const TImport_Report &report) const;

  // Each asks about unsaved changes first where they would be lost.
  void New_Document();
  void Open_Document();
  // Opens a document, or imports a data file by its suffix; false, with a message and
  // the work unchanged, when it cannot.
  bool Open_File(const QString &path);
  void Open_Recent(const QString &path);
  bool Save_Document();
  bool Save_Document_As();
  // Offers the work that crashed windows left behind, newest first, until one is restored.
  void Offer_Recovery();
  // True when unsaved changes were saved or may go; false when the user cancels.
  bool Maybe_Save();

private:
  void Build_Menu();
  void Update_Recent_Menu();
  bool Load(const QString &path);
  bool Write_To(const QString &path);
  bool Restore_Recovered(const QString &path);
  void Remember(const QString &path);

  QMainWindow *d_window;
  TDocument *d_document;
  QSettings *d_settings;
  std::unique_ptr<TUser_Dialogs> d_dialogs;
  QMenu *d_menu = nullptr;
  QMenu *d_recent_menu = nullptr;
  QAction *d_reading_end = nullptr;
  QAction *d_writing_end = nullptr;
};

// An entry of a menu with an object name and a shortcut (none when empty).
QAction *Add_Menu_Entry(QMenu *menu, const QString &text, const char *name,
                        const QString &shortcut);

#endif
