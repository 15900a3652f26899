#include "src/files/settingsfile.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The keys of the program's settings file, as every build writes them.
const char WRITTEN_TEXT[] =
  "[General]\n"
  "Display_Precision=3\n"
  "Edit_End=200\n"
  "Input_Increment=0.1\n"
  "Input_Start=-10\n"
  "Recent_Files=/data/a b.vandrel, /data/\xc3\xa4rger.vandrel\n"
  "Third=0.3333333333333333\n"
  "Top=1e+300\n"
  "Zero_Offset_Data=true\n";

void Write_Text(const QString &path, const QByteArray &text)
{
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(text), qint64(text.size()));
}

}  // namespace

class TSettingsFileTest : public QObject
{
  Q_OBJECT

private slots:
  void every_build_writes_the_same_text()
  {
    QTemporaryDir folder;
    const QString path = folder.filePath("Settings.ini");
    {
      const std::unique_ptr<QSettings> settings = Open_Settings_File(path);
      settings->setValue("Input_Start", -10.0);
      settings->setValue("Input_Increment", 0.1);
      settings->setValue("Edit_End", 200.0);
      settings->setValue("Third", 1.0 / 3.0);
      settings->setValue("Top", 1e300);
      settings->setValue("Display_Precision", 3);
      settings->setValue("Zero_Offset_Data", true);
      settings->setValue("Recent_Files",
                         QStringList{"/data/a b.vandrel", QString::fromUtf8("/data/\xc3\xa4rger.vandrel")});
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(WRITTEN_TEXT));
  }

  // A Qt 5 build without a codec escaped non-ASCII text; Qt 6 and this unit write UTF-8.
  void files_of_either_build_read_the_same_data()
  {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("utf-8") << QByteArray(WRITTEN_TEXT);
    QTest::newRow("escaped") << QByteArray(WRITTEN_TEXT).replace("\xc3\xa4", "\\xe4");
  }

  void files_of_either_build_read_the_same()
  {
    QFETCH(QByteArray, text);
    QTemporaryDir folder;
    const QString path = folder.filePath("Settings.ini");
    Write_Text(path, text);
    QString message = "left over";
    const std::unique_ptr<QSettings> settings = Open_Settings_File(path, &message);
    QVERIFY(message.isEmpty());
    QCOMPARE(settings->value("Input_Start").toDouble(), -10.0);
    QCOMPARE(settings->value("Input_Increment").toDouble(), 0.1);
    QCOMPARE(settings->value("Third").toDouble(), 1.0 / 3.0);
    QCOMPARE(settings->value("Top").toDouble(), 1e300);
    QCOMPARE(settings->value("Display_Precision").toInt(), 3);
    QCOMPARE(settings->value("Zero_Offset_Data").toBool(), true);
    QCOMPARE(settings->value("Recent_Files").toStringList(),
             QStringList({"/data/a b.vandrel", QString::fromUtf8("/data/\xc3\xa4rger.vandrel")}));
  }
};

QTEST_GUILESS_MAIN(TSettingsFileTest)
#include "test_settingsfile.moc"
