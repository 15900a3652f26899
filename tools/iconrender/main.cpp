// Build-time tool: renders the program's SVG icon into the hicolor theme's PNG sizes and
// a Windows icon file, so every picture of the icon comes from the one drawing.
//
//   vandrel_iconrender SOURCE.svg OUTPUT_DIR NAME SIZE...
//
// writes OUTPUT_DIR/hicolor/<SIZE>x<SIZE>/apps/NAME.png for each size and
// OUTPUT_DIR/NAME.ico with every size up to 256.

#include "tools/iconrender/iconrender.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>
#include <vector>

namespace {

int Fail(const QString &message)
{
  std::fprintf(stderr, "vandrel_iconrender: %s\n", qPrintable(message));
  return 1;
}

bool Write_File(const QString &path, const QByteArray &bytes)
{
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool Write_Png(const QString &path, const QImage &image)
{
  QDir().mkpath(QFileInfo(path).absolutePath());
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

bool Read_File(const QString &path, QByteArray *bytes)
{
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return false;
  }
  *bytes = file.readAll();
  return true;
}

}  // namespace

int main(int argc, char *argv[])
{
  if (argc < 5) {
    return Fail("usage: vandrel_iconrender SOURCE.svg OUTPUT_DIR NAME SIZE...");
  }
  const QString source = QString::fromLocal8Bit(argv[1]);
  const QString output = QString::fromLocal8Bit(argv[2]);
  const QString name = QString::fromLocal8Bit(argv[3]);
  QByteArray svg;
  if (!Read_File(source, &svg)) {
    return Fail(QStringLiteral("cannot read %1").arg(source));
  }
  std::vector<QImage> ico_images;
  for (int i = 4; i < argc; ++i) {
    bool ok = false;
    const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
    QImage image;
    if (!ok || !Render_Icon(svg, size, &image)) {
      return Fail(QStringLiteral("cannot render %1 at size \"%2\"").arg(source, argv[i]));
    }
    const QString path =
        QStringLiteral("%1/hicolor/%2x%2/apps/%3.png").arg(output).arg(size).arg(name);
    if (!Write_Png(path, image)) {
      return Fail(QStringLiteral("cannot write %1").arg(path));
    }
    if (size <= ICO_MAXIMUM_SIZE) {
      ico_images.push_back(image);
    }
  }
  QByteArray ico;
  const QString ico_path = QStringLiteral("%1/%2.ico").arg(output, name);
  if (!Icon_File(ico_images, &ico) || !Write_File(ico_path, ico)) {
    return Fail(QStringLiteral("cannot write %1").arg(ico_path));
  }
  return 0;
}
