#include "src/window/busywork.h"

#include <QApplication>
#include <QProgressDialog>
#include <QThread>
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

  void quick_work_shows_no_dialog_data()
  {
    QTest::addColumn<long long>("total");
    QTest::newRow("nothing to do") << 0LL;
    QTest::newRow("one step") << 1LL;
    QTest::newRow("a million rows") << 1000000LL;
    QTest::newRow("beyond int") << 5000000000LL;
  }

  void quick_work_shows_no_dialog()
  {
    QFETCH(long long, total);
    TBusy_Progress progress(d_window.get(), "Working", total);
    QVERIFY(Busy_Cursor_Shown());
    for (long long done = 0; done <= total; done += qMax(1LL, total / 97)) {
      QVERIFY(progress.Advance(done));
    }
    QVERIFY(progress.Dialog() == nullptr);
    QVERIFY(d_window->findChild<QProgressDialog *>() == nullptr);
  }

  void slow_work_shows_how_far_it_is_data()
  {
    QTest::addColumn<long long>("total");
    QTest::addColumn<long long>("done");
    QTest::addColumn<int>("value");
    QTest::newRow("start") << 400LL << 0LL << 0;
    QTest::newRow("a quarter") << 400LL << 100LL << 250;
    QTest::newRow("done") << 400LL << 400LL << 1000;
    QTest::newRow("past the end") << 400LL << 900LL << 1000;
    QTest::newRow("beyond int") << 6000000000LL << 3000000000LL << 500;
  }

  void slow_work_shows_how_far_it_is()
  {
    QFETCH(long long, total);
    QFETCH(long long, done);
    QFETCH(int, value);
    TBusy_Progress progress(d_window.get(), "Working", total);
    QVERIFY(progress.Advance(done == 0 ? 1 : 0));
    QVERIFY(progress.Dialog() == nullptr);
    QThread::msleep(PROGRESS_DELAY_MS + 50);
    QVERIFY(progress.Advance(done));
    QVERIFY(progress.Dialog() != nullptr);
    QCOMPARE(progress.Dialog()->parentWidget(), d_window.get());
    QCOMPARE(progress.Dialog()->labelText(), QString("Working"));
    QCOMPARE(progress.Dialog()->value(), value);
    QTRY_VERIFY(progress.Dialog()->isVisible());
  }

  void cancelling_stops_the_work()
  {
    TBusy_Progress progress(d_window.get(), "Working", 100);
    QThread::msleep(PROGRESS_DELAY_MS + 50);
    QVERIFY(progress.Advance(10));
    d_window->findChild<QProgressDialog *>()->cancel();
    QVERIFY(!progress.Advance(20));
    QVERIFY(progress.Cancelled());
    QVERIFY(!progress.Advance(30));
  }
};

QTEST_MAIN(TBusyWorkTest)
#include "test_busywork.moc"
