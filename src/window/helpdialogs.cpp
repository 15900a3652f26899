#include "src/window/helpdialogs.h"

#include "src/buildinfo.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMainWindow>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const int COMMAND_COLUMN = 0;
const int KEYS_COLUMN = 1;

QString Without_Mnemonics(const QString &text)
{
  QString plain;
  plain.reserve(text.size());
  for (int i = 0; i < text.size(); ++i) {
    if (text.at(i) == QLatin1Char('&') && i + 1 < text.size()) {
      ++i;  // "&&" stands for one ampersand, "&x" for an underlined x
    }
    plain.append(text.at(i));
  }
  return plain;
}

QString Without_Ellipsis(QString text)
{
  if (text.endsWith(QStringLiteral("..."))) {
    text.chop(3);
  } else if (text.endsWith(QChar(0x2026))) {
    text.chop(1);
  }
  return text;
}

QString Native_Keys(const QList<QKeySequence> &shortcuts)
{
  QStringList keys;
  for (const QKeySequence &shortcut : shortcuts) {
    if (!shortcut.isEmpty()) {
      keys.append(shortcut.toString(QKeySequence::NativeText));
    }
  }
  return keys.join(QStringLiteral(", "));
}

QTableWidgetItem *Read_Only_Item(const QString &text)
{
  auto *const item = new QTableWidgetItem(text);
  item->setFlags(Qt::ItemIsEnabled);
  return item;
}

void Fill_Table(const std::vector<TShortcut_Row> &rows, QTableWidget *table)
{
  table->setRowCount(static_cast<int>(rows.size()));
  for (int row = 0; row < table->rowCount(); ++row) {
    table->setItem(row, COMMAND_COLUMN, Read_Only_Item(rows[row].command));
    table->setItem(row, KEYS_COLUMN, Read_Only_Item(rows[row].keys));
  }
}

QTableWidget *Create_Table(QWidget *parent)
{
  auto *const table = new QTableWidget(0, 2, parent);
  table->setObjectName(QStringLiteral("shortcut_table"));
  table->setHorizontalHeaderLabels(
    {TShortcuts_Dialog::tr("Command"), TShortcuts_Dialog::tr("Shortcut")});
  table->verticalHeader()->hide();
  table->horizontalHeader()->setSectionResizeMode(COMMAND_COLUMN, QHeaderView::Stretch);
  table->horizontalHeader()->setSectionResizeMode(KEYS_COLUMN, QHeaderView::ResizeToContents);
  table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setFocusPolicy(Qt::NoFocus);
  return table;
}

}  // namespace

QString Plain_Action_Text(const QString &text)
{
  const QString label = text.section(QLatin1Char('\t'), 0, 0);
  return Without_Ellipsis(Without_Mnemonics(label)).trimmed();
}

std::vector<TShortcut_Row> Shortcut_Rows(const QList<QAction *> &actions)
{
  std::vector<TShortcut_Row> rows;
  QSet<const QAction *> listed;
  QSet<QString> listed_rows;
  for (const QAction *action : actions) {
    if (action == nullptr || listed.contains(action)) {
      continue;
    }
    listed.insert(action);
    const QString keys = Native_Keys(action->shortcuts());
    const QString text = Plain_Action_Text(action->text());
    // Each table has its own Copy, with the same keys: one row says it for all.
    const QString row_key = text + QLatin1Char('\t') + keys;
    if (!keys.isEmpty() && !listed_rows.contains(row_key)) {
      listed_rows.insert(row_key);
      rows.push_back({text, keys});
    }
  }
  return rows;
}

namespace {

void Append_Menu_Actions(const QList<QAction *> &actions, QList<QAction *> *all)
{
  for (QAction *const action : actions) {
    all->append(action);
    if (const QMenu *const submenu = action->menu()) {
      Append_Menu_Actions(submenu->actions(), all);
    }
  }
}

}  // namespace

QList<QAction *> Window_Actions(const QMainWindow &window)
{
  QList<QAction *> all;
  Append_Menu_Actions(window.menuBar()->actions(), &all);
  all += window.actions();
  const QList<QWidget *> widgets = window.findChildren<QWidget *>();
  for (const QWidget *widget : widgets) {
    all += widget->actions();
  }
  all += window.findChildren<QAction *>();
  return all;
}

QString About_Text()
{
  return QCoreApplication::translate("Help_Dialogs",
                                     "<h3>Vandrel %1</h3>"
                                     "<p>Resamples and adjusts a table of values over a position "
                                     "axis: the input plus offsets interpolated in straight lines, "
                                     "by a monotone cubic or by a natural spline gives the "
                                     "output.</p>"
                                     "<p>Copyright &copy; the Vandrel developers.<br>"
                                     "Distributed under the MIT licence, without any "
                                     "warranty.</p>")
    .arg(QString::fromLatin1(VANDREL_VERSION));
}

TShortcuts_Dialog::TShortcuts_Dialog(const QList<QAction *> &actions, QWidget *parent)
    : QDialog(parent), d_table(Create_Table(this))
{
  setWindowTitle(tr("Keyboard Shortcuts"));
  Fill_Table(Shortcut_Rows(actions), d_table);

  auto *const buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto *const layout = new QVBoxLayout(this);
  layout->addWidget(d_table);
  layout->addWidget(buttons);
  resize(420, 360);
}

QMenu *Add_Help_Menu(QMenuBar *menu_bar, QWidget *parent, const TAction_Source &actions)
{
  QMenu *const menu = menu_bar->addMenu(QCoreApplication::translate("Help_Dialogs", "&Help"));
  menu->setObjectName(QStringLiteral("help_menu"));
  QAction *const about =
    menu->addAction(QCoreApplication::translate("Help_Dialogs", "&About Vandrel"));
  about->setObjectName(QStringLiteral("about_action"));
  about->setMenuRole(QAction::AboutRole);
  QObject::connect(about, &QAction::triggered, parent, [parent] {
    QMessageBox::about(parent, QCoreApplication::translate("Help_Dialogs", "About Vandrel"),
                       About_Text());
  });
  QAction *const shortcuts =
    menu->addAction(QCoreApplication::translate("Help_Dialogs", "&Keyboard Shortcuts"));
  shortcuts->setObjectName(QStringLiteral("shortcuts_action"));
  QObject::connect(shortcuts, &QAction::triggered, parent, [parent, actions] {
    TShortcuts_Dialog dialog(actions(), parent);
    dialog.exec();
  });
  return menu;
}
