// The graph's menu: opened by the Menu key, Shift+F10 and the right button held still,
// its entries, the right click and drag it leaves as they were, and the round ticks
// switch remembered in the settings by the main window.
#include "core/graphwidget.h"
#include "src/window/graphdialog.h"
#include "src/window/helpdialogs.h"
#include "tests/mouse_events.h"
#include "tests/scripted_dialogs.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

const QRgb LINE_COLOR = qRgb(0, 0, 200);

// A graph of one line from (0, 0) to (10, 10), shown, active and focused, with the pointer
// outside it.
std::unique_ptr<TGraphWidget> Active_Graph()
{
  std::unique_ptr<TGraphWidget> graph(new TGraphWidget);
  graph->Set_Show_Readout(false);
  graph->resize(400, 300);
  const int set = graph->Add_Data_Set(QColor(LINE_COLOR), STYLE_LINES);
  graph->Add_Point(set, TVector2(0.0, 0.0));
  graph->Add_Point(set, TVector2(10.0, 10.0));
  graph->show();
  QApplication::setActiveWindow(graph.get());
  graph->setFocus();
  if (!QTest::qWaitForWindowActive(graph.get())) {
    qWarning("graph window not active");
  }
  graph->Update_Graph();
  QCursor::setPos(graph->mapToGlobal(QPoint(-100, -100)));
  return graph;
}

QAction *Entry(const QMenu *menu, const QString &text)
{
  for (QAction *action : menu->actions()) {
    if (action->text() == text) {
      return action;
    }
  }
  return nullptr;
}

// The visible entries as the menu lists them, a separator as "-".
QStringList Entries(const QMenu *menu)
{
  QStringList entries;
  for (const QAction *action : menu->actions()) {
    if (action->isVisible()) {
      entries << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
  }
  return entries;
}

// Clicks an entry of the open menu where the menu draws it.
void Click_Entry(QMenu *menu, const QString &text)
{
  QAction *action = Entry(menu, text);
  QVERIFY2(action, qPrintable(text));
  QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(action).center());
}

double Visible_Width(const TGraphWidget &graph)
{
  const QRect plot = graph.Plot_Rect();
  return graph.Mapping().Data_X(plot.right()) - graph.Mapping().Data_X(plot.left());
}

double Visible_Left(const TGraphWidget &graph)
{
  return graph.Mapping().Data_X(graph.Plot_Rect().left());
}

int Count_Color(const QImage &image, const QRgb color)
{
  int count = 0;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y) {
    for (int x = 0; x < rgb.width(); ++x) {
      count += rgb.pixel(x, y) == color ? 1 : 0;
    }
  }
  return count;
}

void Close_Menu(const TGraphWidget &graph)
{
  graph.Menu()->hide();
  QCoreApplication::processEvents();
}

// The main window with its graph window shown and active.
class TGraph_Window : public TScripted_Window
{
public:
  TGraph_Window()
  {
    d_window->findChild<QToolButton *>("graph_button")->click();
    if (!QTest::qWaitForWindowExposed(Dialog())) {
      qWarning("graph window not exposed");
    }
    QApplication::setActiveWindow(Dialog());
    Graph()->setFocus();
  }

  TInterpolationGraphDialog *Dialog() const
  {
    return d_window->findChild<TInterpolationGraphDialog *>("graph_dialog");
  }
  TGraphWidget *Graph() const { return d_window->findChild<TGraphWidget *>("graph_widget"); }
};

QString Settings_Path()
{
  return QDir::homePath() + "/.vandrel/Settings.ini";
}

}  // namespace

class TGraphMenuTest : public QObject
{
  Q_OBJECT

private slots:
  void cleanup()
  {
    if (QWidget *popup = QApplication::activePopupWidget()) {
      popup->hide();
    }
    QDir(QDir::homePath() + "/.vandrel").removeRecursively();
  }

  void keys_open_the_menu_data()
  {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier) << true;
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << true;
    QTest::newRow("F10 alone") << int(Qt::Key_F10) << int(Qt::NoModifier) << false;
    QTest::newRow("Ctrl+F10") << int(Qt::Key_F10) << int(Qt::ControlModifier) << false;
  }

  // With the focus on the graph, the keys open its menu at the plot area (the pointer is
  // elsewhere); Export Image... stays out of the menu of a graph on its own.
  void keys_open_the_menu()
  {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, opens);
    const auto graph = Active_Graph();
    QTest::keyClick(graph.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(graph->Menu()->isVisible(), opens);
    if (!opens) {
      return;
    }
    QCOMPARE(QApplication::activePopupWidget(), graph->Menu());
    QCOMPARE(Entries(graph->Menu()), (QStringList{"Fit to Data", "Zoom Out", "Copy Image", "-",
                                                  "Round Tick Numbers"}));
    QVERIFY(graph->Menu()->geometry().contains(graph->mapToGlobal(graph->Plot_Rect().center())));
    Close_Menu(*graph);
  }

  void context_menu_events_data()
  {
    QTest::addColumn<int>("reason");
    QTest::addColumn<bool>("opens");
    QTest::newRow("keyboard") << int(QContextMenuEvent::Keyboard) << true;
    QTest::newRow("other") << int(QContextMenuEvent::Other) << true;
    QTest::newRow("mouse, after a right press") << int(QContextMenuEvent::Mouse) << false;
  }

  // A window system's context menu event opens the menu, except the one that follows a
  // right press: the press zooms out or pans, and the event goes no further to the
  // windows around the graph. The Menu key's opens it where the keys do: at the pointer
  // over the plot area, or at the plot area's centre.
  void context_menu_events()
  {
    QFETCH(int, reason);
    QFETCH(bool, opens);
    const auto graph = Active_Graph();
    const QPoint point(150, 100);
    for (const QPoint &pointer : {QPoint(-100, -100), QPoint(300, 120)}) {
      QCursor::setPos(graph->mapToGlobal(pointer));
      QContextMenuEvent event(QContextMenuEvent::Reason(reason), point, graph->mapToGlobal(point));
      event.ignore();
      QApplication::sendEvent(graph.get(), &event);
      QVERIFY(event.isAccepted());
      QCOMPARE(graph->Menu()->isVisible(), opens);
      if (!opens) {
        return;
      }
      const QPoint keys_point = graph->Plot_Rect().contains(pointer) ? pointer : graph->Plot_Rect().center();
      const bool keyboard = reason == QContextMenuEvent::Keyboard;
      QCOMPARE(graph->Menu()->pos(), graph->mapToGlobal(keyboard ? keys_point : point));
      Close_Menu(*graph);
    }
  }

  void right_button_data()
  {
    QTest::addColumn<bool>("moves");
    QTest::addColumn<bool>("held");
    QTest::addColumn<bool>("menu");
    QTest::addColumn<QString>("view");
    QTest::newRow("quick click zooms out") << false << false << false << "zoomed out";
    QTest::newRow("drag pans") << true << false << false << "panned";
    QTest::newRow("held still opens the menu") << false << true << true << "same";
    QTest::newRow("held, moving pans") << true << true << false << "panned";
  }

  // The menu delay is 0 here: the events handled after the press stand for the time the
  // button is held. The menu opens at the press; its release neither zooms out nor pans.
  void right_button()
  {
    QFETCH(bool, moves);
    QFETCH(bool, held);
    QFETCH(bool, menu);
    QFETCH(QString, view);
    const auto graph = Active_Graph();
    graph->Set_Menu_Delay(0);
    const double width = Visible_Width(*graph);
    const double left = Visible_Left(*graph);
    const QPoint from = graph->Plot_Rect().center();
    const QPoint to = moves ? from + QPoint(30, 10) : from;
    Send_Mouse(graph.get(), QEvent::MouseButtonPress, from, Qt::RightButton, Qt::RightButton);
    if (moves) {
      Send_Mouse(graph.get(), QEvent::MouseMove, to, Qt::NoButton, Qt::RightButton);
    }
    if (held) {
      QCoreApplication::processEvents();
    }
    Send_Mouse(graph.get(), QEvent::MouseButtonRelease, to, Qt::RightButton, Qt::NoButton);
    QCoreApplication::processEvents();
    graph->repaint();
    QCOMPARE(graph->Menu()->isVisible(), menu);
    if (menu) {
      QCOMPARE(graph->Menu()->pos(), graph->mapToGlobal(from));
      Close_Menu(*graph);
    }
    const double pixel = width / (graph->Plot_Rect().width() - 1);
    if (view == "zoomed out") {
      QVERIFY(std::abs(Visible_Width(*graph) / width - 2.0) < 0.02);
    } else if (view == "panned") {
      QVERIFY(std::abs(Visible_Width(*graph) - width) < 1e-9);
      QVERIFY(std::abs(Visible_Left(*graph) - (left - 30 * pixel)) < 0.5 * pixel);
    } else {
      QCOMPARE(Visible_Width(*graph), width);
      QCOMPARE(Visible_Left(*graph), left);
    }
  }

  // At its normal delay the menu waits for the timer; a click before it zooms out alone.
  void quick_click_keeps_the_default_delay()
  {
    const auto graph = Active_Graph();
    const double width = Visible_Width(*graph);
    Send_Mouse(graph.get(), QEvent::MouseButtonPress, QPoint(200, 150), Qt::RightButton,
               Qt::RightButton);
    QCoreApplication::processEvents();
    QVERIFY(!graph->Menu()->isVisible());
    Send_Mouse(graph.get(), QEvent::MouseButtonRelease, QPoint(200, 150), Qt::RightButton,
               Qt::NoButton);
    QCoreApplication::processEvents();
    graph->repaint();
    QVERIFY(!graph->Menu()->isVisible());
    QVERIFY(std::abs(Visible_Width(*graph) / width - 2.0) < 0.02);
  }

  // Each entry, clicked in the open menu, does its work.
  void entries_act_data()
  {
    QTest::addColumn<QString>("entry");
    QTest::newRow("Fit to Data") << "Fit to Data";
    QTest::newRow("Zoom Out") << "Zoom Out";
    QTest::newRow("Copy Image") << "Copy Image";
    QTest::newRow("Round Tick Numbers") << "Round Tick Numbers";
  }

  void entries_act()
  {
    QFETCH(QString, entry);
    const auto graph = Active_Graph();
    const double fitted_width = Visible_Width(*graph);
    const double fitted_left = Visible_Left(*graph);
    Drag(graph.get(), Qt::LeftButton, {QPoint(150, 80), QPoint(250, 160)});
    const double zoomed_width = Visible_Width(*graph);
    QVERIFY(zoomed_width < fitted_width / 2);
    QApplication::clipboard()->clear();
    QSignalSpy switched(graph.get(), &TGraphWidget::Round_Ticks_Changed);
    const QImage before = graph->grab().toImage();
    QTest::keyClick(graph.get(), Qt::Key_Menu);
    QVERIFY(graph->Menu()->isVisible());
    Click_Entry(graph->Menu(), entry);
    QVERIFY(!graph->Menu()->isVisible());
    graph->repaint();
    if (entry == "Fit to Data") {
      QCOMPARE(Visible_Width(*graph), fitted_width);
      QCOMPARE(Visible_Left(*graph), fitted_left);
    } else if (entry == "Zoom Out") {
      QVERIFY(std::abs(Visible_Width(*graph) / zoomed_width - 2.0) < 0.02);
    } else if (entry == "Copy Image") {
      const QImage image = QApplication::clipboard()->image();
      QCOMPARE(image.size(), graph->size() * graph->devicePixelRatioF());
      QVERIFY(Count_Color(image, LINE_COLOR) > 50);
    } else {
      QVERIFY(graph->Round_Ticks());
      QVERIFY(graph->Content().RoundTicks);
      QCOMPARE(switched.count(), 1);
      QCOMPARE(switched.at(0).at(0).toBool(), true);
      QCOMPARE(Visible_Width(*graph), zoomed_width);
      QVERIFY(graph->grab().toImage() != before);
      QTest::keyClick(graph.get(), Qt::Key_F10, Qt::ShiftModifier);
      QVERIFY(Entry(graph->Menu(), entry)->isChecked());
      Click_Entry(graph->Menu(), entry);
      graph->repaint();
      QVERIFY(!graph->Round_Ticks());
      QCOMPARE(graph->grab().toImage(), before);
    }
    QCOMPARE(switched.isEmpty(), entry != "Round Tick Numbers");
  }

  // In the graph window the menu offers the window's own Copy Image and Export Image...
  // with their keys, and Copy Image copies what Ctrl+C copies.
  void window_commands_in_the_menu()
  {
    TInterpolationGraphDialog dialog;
    dialog.Set_Graph_Data({TVector2(0.0, 0.0), TVector2(10.0, 10.0)},
                          {TVector2(0.0, 1.0), TVector2(10.0, 5.0)});
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    TGraphWidget *graph = dialog.findChild<TGraphWidget *>("graph_widget");
    graph->setFocus();
    QTest::keyClick(graph, Qt::Key_Menu);
    QMenu *menu = graph->Menu();
    QCOMPARE(Entries(menu), (QStringList{"Fit to Data", "Zoom Out", "Copy Image", "Export Image...",
                                         "-", "Round Tick Numbers"}));
    QCOMPARE(Entry(menu, "Copy Image"), dialog.findChild<QAction *>("copy_graph_action"));
    QCOMPARE(Entry(menu, "Export Image..."), dialog.findChild<QAction *>("export_graph_action"));
    QCOMPARE(Entry(menu, "Copy Image")->shortcut(), QKeySequence(QKeySequence::Copy));
    QCOMPARE(Entry(menu, "Export Image...")->shortcut(), QKeySequence(QKeySequence::Save));
    QApplication::clipboard()->clear();
    Click_Entry(menu, "Copy Image");
    const QImage from_menu = QApplication::clipboard()->image();
    QVERIFY(!from_menu.isNull());
    QApplication::clipboard()->clear();
    QTest::keyClick(&dialog, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->image(), from_menu);
    dialog.Set_Round_Tick_Numbers(true);
    QVERIFY(graph->Round_Ticks());
    dialog.Copy_Graph();
    QVERIFY(QApplication::clipboard()->image() != from_menu);
  }

  void switch_is_remembered_data()
  {
    QTest::addColumn<bool>("stored");
    QTest::newRow("no setting: off, switched on") << false;
    QTest::newRow("stored on, switched off") << true;
  }

  // The main window saves the switch when it closes and sets it again at the next start.
  void switch_is_remembered()
  {
    QFETCH(bool, stored);
    if (stored) {
      QDir(QDir::homePath()).mkpath(".vandrel");
      QSettings(Settings_Path(), QSettings::IniFormat).setValue("Round_Tick_Numbers", true);
    }
    {
      TGraph_Window window;
      QCOMPARE(window.Graph()->Round_Ticks(), stored);
      QAction *round = window.Graph()->findChild<QAction *>("round_ticks_action");
      QCOMPARE(round->isChecked(), stored);
      QTest::keyClick(window.Graph(), Qt::Key_Menu);
      Click_Entry(window.Graph()->Menu(), "Round Tick Numbers");
      QCOMPARE(window.Graph()->Round_Ticks(), !stored);
      window->close();
    }
    QCOMPARE(QSettings(Settings_Path(), QSettings::IniFormat).value("Round_Tick_Numbers").toBool(),
             !stored);
    TGraph_Window again;
    QCOMPARE(again.Graph()->Round_Ticks(), !stored);
    QCOMPARE(again.Graph()->findChild<QAction *>("round_ticks_action")->isChecked(), !stored);
  }

  // The Help's shortcut table lists the menu's keys: the keys that open it and those of
  // its entries that have keys.
  void help_lists_the_menu_keys()
  {
    TGraph_Window window;
    QMap<QString, QString> keys;
    for (const TShortcut_Row &row : Shortcut_Rows(Window_Actions(*window.operator->()))) {
      keys.insert(row.command, row.keys);
    }
    const auto native = [](const char *text) {
      return QKeySequence(QString::fromLatin1(text)).toString(QKeySequence::NativeText);
    };
    QCOMPARE(keys.value("Graph Menu"), native("Menu") + ", " + native("Shift+F10"));
    QCOMPARE(keys.value("Copy Image"), QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText));
    QCOMPARE(keys.value("Export Image"), QKeySequence(QKeySequence::Save).toString(QKeySequence::NativeText));
    QVERIFY(!keys.contains("Round Tick Numbers"));
  }
};

QTEST_MAIN(TGraphMenuTest)
#include "test_graphmenu.moc"
