#include "tests/testpaths.h"
#include "tools/iconrender/iconrender.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QImageReader>
#include <QtTest>

#include <vector>

namespace {

const QByteArray SQUARE_SVG =
    "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 4 4'>"
    "<rect x='1' y='1' width='2' height='2' fill='#ff0000'/></svg>";

struct TIco_Entry
{
  int side = 0;
  QImage image;
};

int Le16(const QByteArray &bytes, const int at)
{
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

qint64 Le32(const QByteArray &bytes, const int at)
{
  return Le16(bytes, at) | static_cast<qint64>(Le16(bytes, at + 2)) << 16;
}

// Reads an icon file the way Windows does: header, directory, then each entry's PNG.
bool Parse_Ico(const QByteArray &file, std::vector<TIco_Entry> *entries)
{
  if (file.size() < 6 || Le16(file, 0) != 0 || Le16(file, 2) != 1) {
    return false;
  }
  const int count = Le16(file, 4);
  for (int i = 0; i < count; ++i) {
    const int at = 6 + 16 * i;
    if (file.size() < at + 16 || Le16(file, at + 6) != 32) {
      return false;
    }
    const int side = static_cast<unsigned char>(file[at]);
    const qint64 size = Le32(file, at + 8);
    const qint64 offset = Le32(file, at + 12);
    if (offset + size > file.size()) {
      return false;
    }
    TIco_Entry entry;
    entry.side = side == 0 ? 256 : side;
    entry.image = QImage::fromData(file.mid(static_cast<int>(offset), static_cast<int>(size)), "PNG");
    entries->push_back(entry);
  }
  return true;
}

QByteArray Icon_Source()
{
  QFile file(QString::fromUtf8(ICON_SOURCE));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Whether some pixel is opaque and within a small distance of the colour.
bool Shows_Colour(const QImage &image, const QColor &colour)
{
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      if (pixel.alpha() == 255 && qAbs(pixel.red() - colour.red()) < 24 &&
          qAbs(pixel.green() - colour.green()) < 24 && qAbs(pixel.blue() - colour.blue()) < 24) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

class TTest_Icon_Render : public QObject
{
  Q_OBJECT

private slots:
  void render_fills_the_square_from_the_drawing()
  {
    QImage image;
    QVERIFY(Render_Icon(SQUARE_SVG, 8, &image));
    QCOMPARE(image.size(), QSize(8, 8));
    QVERIFY(image.hasAlphaChannel());
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(image.pixelColor(4, 4), QColor(255, 0, 0));
    QCOMPARE(image.pixelColor(7, 7).alpha(), 0);
  }

  void render_refuses_bad_input_data()
  {
    QTest::addColumn<QByteArray>("svg");
    QTest::addColumn<int>("size");
    QTest::newRow("not svg") << QByteArray("<html/>") << 16;
    QTest::newRow("empty") << QByteArray() << 16;
    QTest::newRow("zero size") << SQUARE_SVG << 0;
    QTest::newRow("negative size") << SQUARE_SVG << -3;
  }

  void render_refuses_bad_input()
  {
    QFETCH(QByteArray, svg);
    QFETCH(int, size);
    QImage image(2, 2, QImage::Format_ARGB32);
    QVERIFY(!Render_Icon(svg, size, &image));
    QVERIFY(image.isNull());
  }

  void icon_file_holds_every_image()
  {
    std::vector<QImage> images;
    for (const int side : {16, 32, 255, 256}) {
      QImage image;
      QVERIFY(Render_Icon(SQUARE_SVG, side, &image));
      images.push_back(image);
    }
    QByteArray file;
    QVERIFY(Icon_File(images, &file));
    std::vector<TIco_Entry> entries;
    QVERIFY(Parse_Ico(file, &entries));
    QCOMPARE(entries.size(), images.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      QCOMPARE(entries[i].side, images[i].width());
      QCOMPARE(entries[i].image.convertToFormat(QImage::Format_ARGB32), images[i]);
    }
  }

  void icon_file_refuses_unfit_images_data()
  {
    QTest::addColumn<QSize>("size");
    QTest::newRow("not square") << QSize(16, 24);
    QTest::newRow("too large") << QSize(257, 257);
    QTest::newRow("empty") << QSize(0, 0);
  }

  void icon_file_refuses_unfit_images()
  {
    QFETCH(QSize, size);
    QImage unfit(size, QImage::Format_ARGB32);
    unfit.fill(Qt::red);
    QImage fit(16, 16, QImage::Format_ARGB32);
    fit.fill(Qt::red);
    QByteArray file("old");
    QVERIFY(!Icon_File({fit, unfit}, &file));
    QVERIFY(file.isEmpty());
  }

  // The pictures the build made from the program's drawing, as they are installed.
  void rendered_theme_icons_data()
  {
    QTest::addColumn<int>("side");
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
      QTest::newRow(qPrintable(QString::number(side))) << side;
    }
  }

  void rendered_theme_icons()
  {
    QFETCH(int, side);
    const QString path = QStringLiteral("%1/hicolor/%2x%2/apps/vandrel.png")
                             .arg(QString::fromUtf8(RENDERED_ICON_DIR))
                             .arg(side);
    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("png"));
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(side, side));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(image.pixelColor(side / 2, side / 2).alpha(), 255);

    QImage fresh;
    QVERIFY(Render_Icon(Icon_Source(), side, &fresh));
    QCOMPARE(image, fresh);
  }

  void large_icon_shows_both_curves()
  {
    QImage image;
    QVERIFY(Render_Icon(Icon_Source(), 256, &image));
    QVERIFY(Shows_Colour(image, QColor("#00317a")));
    QVERIFY(Shows_Colour(image, QColor("#b21e1e")));
  }

  void rendered_windows_icon_has_every_size()
  {
    QFile file(QStringLiteral("%1/vandrel.ico").arg(QString::fromUtf8(RENDERED_ICON_DIR)));
    QVERIFY(file.open(QIODevice::ReadOnly));
    std::vector<TIco_Entry> entries;
    QVERIFY(Parse_Ico(file.readAll(), &entries));
    std::vector<int> sides;
    for (const TIco_Entry &entry : entries) {
      QCOMPARE(entry.image.size(), QSize(entry.side, entry.side));
      sides.push_back(entry.side);
    }
    QCOMPARE(sides, (std::vector<int>{16, 24, 32, 48, 64, 128, 256}));
  }
};

QTEST_MAIN(TTest_Icon_Render)
#include "test_iconrender.moc"
