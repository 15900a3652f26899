#include "core/vector2.h"
#include "core/vector3.h"
#include "tests/failure_recorder.h"

#include <QtTest>

#include <cmath>

namespace {

const char EPSILON_DIVISOR[] = "d > std::numeric_limits<double>::epsilon()";
const char EPSILON_LENGTH[] = "Length > std::numeric_limits<double>::epsilon()";

}  // namespace

class TVectorTest : public QObject
{
  Q_OBJECT

private slots:
  void init()
  {
    Start_Recording_Failures();
  }

  void cleanup() { Stop_Recording_Failures(); }

  void defaults_are_zero()
  {
    const TVector2 a;
    const TVector3 b;
    QCOMPARE(a.x, 0.0);
    QCOMPARE(a.y, 0.0);
    QCOMPARE(b.x, 0.0);
    QCOMPARE(b.y, 0.0);
    QCOMPARE(b.z, 0.0);
    Point_List list(1, TVector2(5.0, 6.0));
    list.resize(3);
    QCOMPARE(list[2].x, 0.0);
    QCOMPARE(list[2].y, 0.0);
  }

  void components_data()
  {
    QTest::addColumn<int>("index");
    QTest::addColumn<double>("expected2");
    QTest::addColumn<double>("expected3");
    QTest::addColumn<int>("failures2");
    QTest::addColumn<int>("failures3");
    QTest::newRow("x") << 0 << 3.0 << 3.0 << 0 << 0;
    QTest::newRow("y") << 1 << 4.0 << 4.0 << 0 << 0;
    QTest::newRow("z") << 2 << 0.0 << 5.0 << 1 << 0;
    QTest::newRow("negative") << -1 << 0.0 << 0.0 << 1 << 1;
    QTest::newRow("large") << 3 << 0.0 << 0.0 << 1 << 1;
  }

  void components()
  {
    QFETCH(int, index);
    QFETCH(double, expected2);
    QFETCH(double, expected3);
    QFETCH(int, failures2);
    QFETCH(int, failures3);
    TVector2 a(3.0, 4.0);
    TVector3 b(3.0, 4.0, 5.0);
    QCOMPARE(a.Component(index), expected2);
    QCOMPARE(Recorded_Failure_Texts().size(), failures2);
    QCOMPARE(b.Component(index), expected3);
    QCOMPARE(Recorded_Failure_Texts().size(), failures2 + failures3);
    for (const QString &failure : Recorded_Failure_Texts()) {
      QVERIFY(failure.endsWith(" false"));
    }

    // A bad index yields a reference to x, so writes land there and nowhere else.
    a.Component_Reference(index) = 9.0;
    b.Component_Reference(index) = 9.0;
    QCOMPARE(a.x, index == 0 || failures2 ? 9.0 : 3.0);
    QCOMPARE(a.Component(1), index == 1 ? 9.0 : 4.0);
    QCOMPARE(b.x, index == 0 || failures3 ? 9.0 : 3.0);
    QCOMPARE(b.z, index == 2 ? 9.0 : 5.0);
  }

  void assertion_sources()
  {
    TVector2(1.0, 1.0).Component(7);
    TVector3(1.0, 1.0, 1.0).Component(7);
    QCOMPARE(Recorded_Failure_Texts(),
             QStringList() << "core/vector2 false" << "core/vector3 false");
  }

  void arithmetic()
  {
    const TVector2 d = TVector2(1.0, 2.0) - TVector2(3.0, 5.0);
    QCOMPARE(d.x, -2.0);
    QCOMPARE(d.y, -3.0);
    for (const TVector2 &v : {TVector2(1.0, 2.0) + 1.0, 1.0 + TVector2(1.0, 2.0)}) {
      QCOMPARE(v.x, 2.0);
      QCOMPARE(v.y, 3.0);
    }
    const TVector2 m = 2.0 * TVector2(1.5, -2.0) - 1.0;
    QCOMPARE(m.x, 2.0);
    QCOMPARE(m.y, -5.0);
    QCOMPARE(Dot_Product(TVector2(1.0, 2.0), TVector2(3.0, 4.0)), 11.0);

    const TVector3 s = TVector3(1.0, 2.0, 3.0) + TVector3(1.0, 1.0, 1.0) * 2.0 - 0.5;
    QCOMPARE(s.x, 2.5);
    QCOMPARE(s.y, 3.5);
    QCOMPARE(s.z, 4.5);
    QCOMPARE(Dot_Product(TVector3(1.0, 2.0, 3.0), TVector3(4.0, -5.0, 6.0)), 12.0);
    QVERIFY(Recorded_Failure_Texts().isEmpty());
  }

  void division_data()
  {
    QTest::addColumn<double>("divisor");
    QTest::addColumn<bool>("fails");
    QTest::newRow("two") << 2.0 << false;
    QTest::newRow("minus two") << -2.0 << true;
    QTest::newRow("zero") << 0.0 << true;
    QTest::newRow("epsilon") << std::numeric_limits<double>::epsilon() << true;
    QTest::newRow("just above epsilon")
      << std::nextafter(std::numeric_limits<double>::epsilon(), 1.0) << false;
  }

  // The check is on the signed divisor; after a failure the division still happens.
  void division()
  {
    QFETCH(double, divisor);
    QFETCH(bool, fails);
    const TVector2 a = TVector2(1.0, 2.0) / divisor;
    const TVector3 b = TVector3(1.0, 2.0, 4.0) / divisor;
    QCOMPARE(a.x, 1.0 / divisor);
    QCOMPARE(a.y, 2.0 / divisor);
    QCOMPARE(b.z, 4.0 / divisor);
    const QStringList expected = fails ? QStringList()
                                           << QString("core/vector2 ") + EPSILON_DIVISOR
                                           << QString("core/vector3 ") + EPSILON_DIVISOR
                                       : QStringList();
    QCOMPARE(Recorded_Failure_Texts(), expected);
  }

  void normalize()
  {
    TVector2 a(3.0, 4.0);
    QVERIFY(&a.Normalize() == &a);
    QCOMPARE(a.x, 0.6);
    QCOMPARE(a.y, 0.8);
    TVector3 b(0.0, 3.0, 4.0);
    b.Normalize();
    QCOMPARE(b.y, 0.6);
    QCOMPARE(b.z, 0.8);
    QVERIFY(Recorded_Failure_Texts().isEmpty());

    TVector2 zero;
    zero.Normalize();
    QVERIFY(std::isnan(zero.x) && std::isnan(zero.y));
    TVector3 zero3;
    zero3.Normalize();
    QVERIFY(std::isnan(zero3.z));
    QCOMPARE(Recorded_Failure_Texts(), QStringList() << QString("core/vector2 ") + EPSILON_LENGTH
                                     << QString("core/vector3 ") + EPSILON_LENGTH);
  }

  void cross_product_data()
  {
    QTest::addColumn<double>("ax");
    QTest::addColumn<double>("ay");
    QTest::addColumn<double>("az");
    QTest::addColumn<double>("bx");
    QTest::addColumn<double>("by");
    QTest::addColumn<double>("bz");
    QTest::addColumn<double>("rx");
    QTest::addColumn<double>("ry");
    QTest::addColumn<double>("rz");
    QTest::newRow("x cross y") << 1.0 << 0.0 << 0.0 << 0.0 << 1.0 << 0.0 << 0.0 << 0.0 << 1.0;
    QTest::newRow("y cross x") << 0.0 << 1.0 << 0.0 << 1.0 << 0.0 << 0.0 << 0.0 << 0.0 << -1.0;
    QTest::newRow("general") << 1.0 << 2.0 << 3.0 << 4.0 << 5.0 << 6.0 << -3.0 << 6.0 << -3.0;
  }

  void cross_product()
  {
    QFETCH(double, ax);
    QFETCH(double, ay);
    QFETCH(double, az);
    QFETCH(double, bx);
    QFETCH(double, by);
    QFETCH(double, bz);
    QFETCH(double, rx);
    QFETCH(double, ry);
    QFETCH(double, rz);
    const TVector3 a(ax, ay, az);
    const TVector3 r = Cross_Product(a, TVector3(bx, by, bz));
    QCOMPARE(r.x, rx);
    QCOMPARE(r.y, ry);
    QCOMPARE(r.z, rz);
    QCOMPARE(a.x, ax);

    // In place, every new component comes from the old ones, even with itself as operand.
    TVector3 self(ax, ay, az);
    self.Cross_Product(self);
    QCOMPARE(self.x, 0.0);
    QCOMPARE(self.y, 0.0);
    QCOMPARE(self.z, 0.0);
  }
};

QTEST_APPLESS_MAIN(TVectorTest)

#include "test_vector.moc"
