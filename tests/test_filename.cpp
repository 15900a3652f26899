// File names are kept as the file system's bytes, whatever those bytes are.
#include "src/files/filename.h"
#include "src/files/safefile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Folder_Bytes(const QTemporaryDir &folder)
{
  return QFile::encodeName(folder.path());
}

bool Exists_As_Bytes(const QByteArray &path)
{
  struct stat status;
  return ::stat(path.constData(), &status) == 0 && S_ISREG(status.st_mode);
}

void Write_As_Bytes(const QByteArray &path, const QByteArray &text)
{
  const int file = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  QVERIFY(file >= 0);
  QCOMPARE(::write(file, text.constData(), static_cast<std::size_t>(text.size())),
           static_cast<ssize_t>(text.size()));
  ::close(file);
}

}  // namespace

class TFileNameTest : public QObject
{
  Q_OBJECT

private slots:
  void names_go_back_as_they_came_data()
  {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("text");
    QTest::newRow("plain") << QByteArray("curve-2.vandrel") << true;
    QTest::newRow("UTF-8") << QByteArray("na\xc3\xafve.csv") << true;
    QTest::newRow("Latin-1 byte") << QByteArray("na\xefve.vandrel") << false;
    QTest::newRow("lone continuation") << QByteArray("a\x80z") << false;
    QTest::newRow("cut sequence") << QByteArray("euro\xe2\x82") << false;
    QTest::newRow("overlong slash") << QByteArray("x\xc0\xafy") << false;
    QTest::newRow("encoded surrogate") << QByteArray("s\xed\xa0\x80") << false;
    QTest::newRow("byte of an escape's value") << QByteArray("\xed\xb2\x80") << false;
    QTest::newRow("four-byte character") << QByteArray("\xf0\x9f\x98\x80.txt") << true;
    QTest::newRow("text beside bytes") << QByteArray("\xc3\xa9\xff\xc3\xa9") << false;
  }

  void names_go_back_as_they_came()
  {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, text);
    const QString name = Decode_File_Name(bytes);
    QCOMPARE(Encode_File_Name(name), bytes);
    QCOMPARE(Has_Undecodable_Bytes(name), !text);
    QCOMPARE(Shown_File_Name(name).contains(QChar::ReplacementCharacter), !text);
    if (text) {
      QCOMPARE(name, QFile::decodeName(bytes));
    }
  }

  void random_names_go_back_as_they_came()
  {
    std::mt19937 random(7);
    for (int round = 0; round < 3000; ++round) {
      QByteArray bytes;
      const int length = 1 + static_cast<int>(random() % 12);
      for (int i = 0; i < length; ++i) {
        bytes += static_cast<char>(1 + random() % 255);
      }
      QCOMPARE(Encode_File_Name(Decode_File_Name(bytes)), bytes);
    }
  }

  // Saved and read under names that are no text, in a folder whose name is none either;
  // a second save replaces the first whole and leaves nothing else behind.
  void files_are_read_and_saved_under_their_bytes()
  {
    QTemporaryDir temporary;
    const QByteArray folder = Folder_Bytes(temporary) + "/d\xe9";
    QCOMPARE(::mkdir(folder.constData(), 0755), 0);
    const QByteArray path = folder + "/o\xefut.csv";
    const QString name = Decode_File_Name(path);
    QString reason;
    QVERIFY2(Save_Whole_File(name, "first\n", &reason), qPrintable(reason));
    QVERIFY2(Save_Whole_File(name, "second\n", &reason), qPrintable(reason));
    QVERIFY(Exists_As_Bytes(path));
    QByteArray read;
    QVERIFY2(Read_Regular_File(name, TFile_Kind{"a test file", 100}, &read, &reason),
             qPrintable(reason));
    QCOMPARE(read, QByteArray("second\n"));
    Write_As_Bytes(folder + "/in\xff.txt", "1\n2\n");
    QVERIFY(Read_Regular_File(Decode_File_Name(folder + "/in\xff.txt"), TFile_Kind{"x", 100},
                              &read, &reason));
    QCOMPARE(read, QByteArray("1\n2\n"));
    const std::filesystem::path listed(folder.toStdString());
    QCOMPARE(std::distance(std::filesystem::directory_iterator(listed),
                           std::filesystem::directory_iterator()),
             std::ptrdiff_t(2));
  }

  void a_folder_that_is_not_there_is_reported()
  {
    QTemporaryDir temporary;
    const QString name = Decode_File_Name(Folder_Bytes(temporary) + "/no\xe9/a.csv");
    QString reason;
    QVERIFY(!Save_Whole_File(name, "x", &reason));
    QVERIFY(!reason.isEmpty());
  }
};

QTEST_GUILESS_MAIN(TFileNameTest)

#include "test_filename.moc"
