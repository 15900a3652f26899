#include "core/assertion.h"
#include "core/vector2.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <cstring>

namespace {

const char FAIL_IN_CHILD[] = "--fail-in-child";
const char GO_ON_IN_CHILD[] = "--go-on-in-child";
const char REFUSE_IN_CHILD[] = "--refuse-in-child";

bool Go_On(const TAssertion_Failure &)
{
  return true;
}

bool Stop(const TAssertion_Failure &)
{
  return false;
}

TAssertion_Failure last_failure;
int failure_count = 0;

bool Record_And_Go_On(const TAssertion_Failure &failure)
{
  last_failure = failure;
  ++failure_count;
  return true;
}

// Runs in a child process: fails the divisor check of the vector type.
int Fail_In_Child(const TAssertion_Handler handler)
{
  Set_Assertion_Handler(handler);
  const TVector2 result = TVector2(1.0, 2.0) / -2.0;
  return result.x == -0.5 ? 3 : 4;
}

}  // namespace

class TAssertionTest : public QObject
{
  Q_OBJECT

private slots:
  void init()
  {
    failure_count = 0;
    last_failure = TAssertion_Failure();
    Set_Assertion_Handler(Record_And_Go_On);
  }

  void cleanup() { Set_Assertion_Handler(nullptr); }

  void source_path_data()
  {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("source");
    QTest::newRow("absolute header") << "/home/a/vandrel/core/vector2.h" << "core/vector2";
    QTest::newRow("absolute unit") << "/x/y/src/vandrel.cpp" << "src/vandrel";
    QTest::newRow("windows") << "C:\\w\\core\\graphwidget.cpp" << "core/graphwidget";
    QTest::newRow("relative") << "core/interpolation.cpp" << "core/interpolation";
    QTest::newRow("bare name") << "tableeditor.cpp" << "tableeditor";
    QTest::newRow("dotted folder") << "/a/b.d/core/x" << "core/x";
  }

  void source_path()
  {
    QFETCH(QString, file);
    QFETCH(QString, source);
    QCOMPARE(QString::fromStdString(Assertion_Source(file.toUtf8().constData())), source);
  }

  void holding_expression_reports_nothing()
  {
    QVERIFY(ASSERT(1 + 1 == 2));
    QCOMPARE(failure_count, 0);
  }

  void failing_expression_reaches_handler_with_its_text()
  {
    const int line = __LINE__ + 1;
    const bool held = ASSERT(2 < static_cast<int>(std::strlen("a")));
    QVERIFY(!held);
    QCOMPARE(failure_count, 1);
    QCOMPARE(QString::fromStdString(last_failure.expression),
             QString("2 < static_cast<int>(std::strlen(\"a\"))"));
    QCOMPARE(QString::fromStdString(last_failure.source), QString("tests/test_assertion"));
    QCOMPARE(last_failure.line, line);
  }

  void handler_is_replaced_and_returned()
  {
    QVERIFY(Set_Assertion_Handler(Go_On) == &Record_And_Go_On);
    QVERIFY(Set_Assertion_Handler(nullptr) == &Go_On);
  }

  void stop_data()
  {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("stops");
    QTest::newRow("default handler stops") << QString(FAIL_IN_CHILD) << true;
    QTest::newRow("refusing handler stops") << QString(REFUSE_IN_CHILD) << true;
    QTest::newRow("going-on handler runs the fallback") << QString(GO_ON_IN_CHILD) << false;
  }

  // The child writes one report line naming program, source, line and expression.
  void stop()
  {
    QFETCH(QString, mode);
    QFETCH(bool, stops);
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), QStringList() << mode);
    QVERIFY(child.waitForFinished(30000));
    if (stops) {
      QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    } else {
      QCOMPARE(child.exitStatus(), QProcess::NormalExit);
      QCOMPARE(child.exitCode(), 3);
    }
    const QString report = QString::fromLocal8Bit(child.readAllStandardError());
    const QRegularExpression line(
      "^test_assertion: core/vector2:\\d+: assertion failed: "
      "d > std::numeric_limits<double>::epsilon\\(\\)\n$");
    QVERIFY2(line.match(report).hasMatch(), qPrintable(report));
  }
};

int main(int argc, char *argv[])
{
  QCoreApplication application(argc, argv);
  if (argc > 1 && std::strcmp(argv[1], FAIL_IN_CHILD) == 0) {
    return Fail_In_Child(nullptr);
  }
  if (argc > 1 && std::strcmp(argv[1], REFUSE_IN_CHILD) == 0) {
    return Fail_In_Child(Stop);
  }
  if (argc > 1 && std::strcmp(argv[1], GO_ON_IN_CHILD) == 0) {
    return Fail_In_Child(Go_On);
  }
  TAssertionTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_assertion.moc"
