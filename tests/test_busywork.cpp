#include "src/window/busywork.h"

#include <QApplication>
#include <QWidget>
#include <QtTest>

#include <memory>

namespace {

bool Busy_Cursor_Shown()
{
  const QCursor *const cursor = QApplication::overrideCursor();
  return cursor && cursor->shape() == Qt::WaitCursor;
}

}  // namespace

class TBusyWorkTest : public QObject
{
  Q_OBJECT

private:
  std::unique_ptr<QWidget> d_window;

private slots:
  void init()
  {
    d_window = std::make_unique<QWidget>();
    d_window->resize(300, 200);
    d_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(d_window.get()));
  }

  void cleanup()
  {
    d_window.reset();
    QCOMPARE(QApplication::overrideCursor(), nullptr);
  }

  void busy_cursor_lasts_as_long_as_its_scope()
  {
    QVERIFY(!Busy_Cursor_Shown());
    {
      const TBusy_Cursor outer;
      QVERIFY(Busy_Cursor_Shown());
      {
        const TBusy_Cursor inner;
        QVERIFY(Busy_Cursor_Shown());
      }
      QVERIFY(Busy_Cursor_Shown());
    }
    QVERIFY(!Busy_Cursor_Shown());
  }
};

QTEST_MAIN(TBusyWorkTest)
#include "test_busywork.moc"
