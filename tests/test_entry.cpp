#include "src/window/application.h"
#include "src/files/documentfile.h"
#include "src/document/document.h"
#include "src/window/datacommands.h"
#include "src/window/filecommands.h"
#include "src/vandrel.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <QtTest>

#include <vector>

namespace {

struct TRun_Observation
{
  QString style;
  QString title;
  QSize size;
  bool main_window_shown = false;
};

TRun_Observation observed;
bool open_graph_before_closing = false;

// Once the event loop runs, notes what the entry set up and closes the main window as
// a user would.
void Close_Main_Window_When_Running()
{
  QTimer::singleShot(0, [] {
    observed.style = QApplication::style()->objectName();
    for (QWidget *widget : QApplication::topLevelWidgets()) {
      if (auto *window = qobject_cast<TVandrel *>(widget)) {
        observed.title = window->windowTitle();
        observed.size = window->size();
        observed.main_window_shown = window->isVisible();
        if (open_graph_before_closing) {
          window->findChild<QToolButton *>("graph_button")->click();
        }
        window->close();
      }
    }
  });
}

}  // namespace

class TEntryTest : public QObject
{
  Q_OBJECT

private slots:
  void initTestCase() { qAddPreRoutine(Close_Main_Window_When_Running); }

  void closing_the_window_ends_with_code_zero_data()
  {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("graph_open");
    QTest::newRow("no arguments") << QStringList() << false;
    QTest::newRow("unknown options and files")
      << (QStringList() << "--help" << "-x" << "data.txt" << "") << false;
    QTest::newRow("graph window open") << QStringList() << true;
  }

  void closing_the_window_ends_with_code_zero()
  {
    QFETCH(QStringList, arguments);
    QFETCH(bool, graph_open);
    open_graph_before_closing = graph_open;
    std::vector<QByteArray> storage = {QByteArray("vandrel")};
    for (const QString &argument : arguments) {
      storage.push_back(argument.toLocal8Bit());
    }
    std::vector<char *> argv;
    for (QByteArray &argument : storage) {
      argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    int argc = static_cast<int>(storage.size());

    observed = TRun_Observation();
    QCOMPARE(Run_Vandrel(argc, argv.data()), 0);
    QVERIFY(observed.main_window_shown);
    QCOMPARE(observed.style.toLower(), QString("fusion"));
    QCOMPARE(observed.title, QString("Untitled[*] - Vandrel"));
    QCOMPARE(observed.size, QSize(1001, 635));
  }

  // `vandrel FILE` opens the document before the window is first used.
  void document_argument_opens_at_start_up()
  {
    QTemporaryDir folder;
    const QString path = folder.filePath("curve.vandrel");
    TContent content;
    content.input = Corrected_Input({0, 1, 2});
    content.values = {1, 2, 3};
    content.edit = Corrected_Edit({0, 2, 2}, 1);
    content.offsets = {0, 0};
    QString error;
    QVERIFY(Write_Document(path, content, &error));
    open_graph_before_closing = false;
    QByteArray program("vandrel");
    char *argv[] = {program.data(), nullptr};
    int argc = 1;
    observed = TRun_Observation();
    QCOMPARE(Run_Vandrel(argc, argv, path), 0);
    QCOMPARE(observed.title, QString("curve.vandrel[*] - Vandrel"));
  }

  void icon_is_a_64_pixel_image_with_alpha()
  {
    const QImage icon(":/icons/vandrel.png");
    QCOMPARE(icon.size(), QSize(64, 64));
    QVERIFY(icon.hasAlphaChannel());
    QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(icon.pixelColor(32, 32).alpha(), 255);
  }
};

QTEST_APPLESS_MAIN(TEntryTest)

#include "test_entry.moc"
