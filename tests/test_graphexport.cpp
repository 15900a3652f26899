#include "core/graphwidget.h"
#include "src/graphdialog.h"
#include "src/files/fileformats.h"
#include "src/files/graphexport.h"
#include "tests/mouse_events.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

class TTestGraphExport : public QObject
{
  Q_OBJECT

private slots:
  void initTestCase();
  void Files_Show_Both_Curves_data();
  void Files_Show_Both_Curves();
  void Png_At_Pixel_Ratio();
  void Svg_Is_Vector_Drawing();
  void Pdf_Page_Has_Graph_Size();
  void Vector_Files_Stay_Small_data();
  void Vector_Files_Stay_Small();
  void Export_Keeps_Zoom();
  void Pending_Zoom_Out_Is_Exported();
  void Refusals_Keep_Old_File_data();
  void Refusals_Keep_Old_File();
  void Suffix_From_Filter_data();
  void Suffix_From_Filter();
  void Ctrl_C_Copies_Image();

private:
  QTemporaryDir d_folder;
};

namespace {

const QRgb INPUT_RGB = qRgb(0, 0, 164);
const QRgb OUTPUT_RGB = qRgb(164, 0, 0);
const QSize SIZE(400, 300);

// The input rises along y = x; the output runs parallel far above it.
void Set_Curves(TInterpolationGraphDialog *dialog)
{
  Point_List input;
  Point_List output;
  for (int i = 0; i <= 100; ++i) {
    input.push_back(TVector2(i, i));
    output.push_back(TVector2(i, i + 100.0));
  }
  dialog->Set_Graph_Data(input, output);
}

TGraphWidget *Graph_Of(TInterpolationGraphDialog *dialog)
{
  return dialog->findChild<TGraphWidget *>(QStringLiteral("graph_widget"));
}

// Pixels of the hue of `color`, whose one strong channel stands well above the others: a
// renderer may smooth a line's edges into the white, but the black axes and the other
// curve never count.
int Count_Pixels(const QImage &image, const QRgb color)
{
  const int margin = 60;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  int count = 0;
  for (int y = 0; y < rgb.height(); ++y) {
    const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      const int red = qRed(line[x]);
      const int blue = qBlue(line[x]);
      const int green = qGreen(line[x]);
      if (qRed(color) > qBlue(color)) {
        count += red > blue + margin && red > green + margin;
      } else {
        count += blue > red + margin && blue > green + margin;
      }
    }
  }
  return count;
}

QImage Svg_Image(const QString &path, const QSize &size)
{
  QSvgRenderer renderer(path);
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  if (renderer.isValid()) {
    QPainter painter(&image);
    renderer.render(&painter);
  }
  return image;
}

QByteArray Contents(const QString &path)
{
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

void TTestGraphExport::initTestCase()
{
  QVERIFY(d_folder.isValid());
}

void TTestGraphExport::Files_Show_Both_Curves_data()
{
  QTest::addColumn<QString>("name");
  QTest::newRow("png") << "graph.png";
  QTest::newRow("svg") << "graph.svg";
  QTest::newRow("upper-case png") << "GRAPH.PNG";
}

// Drawn without ever showing a window, as an export from the command line is.
void TTestGraphExport::Files_Show_Both_Curves()
{
  QFETCH(QString, name);
  TInterpolationGraphDialog dialog;
  Set_Curves(&dialog);
  const QString path = d_folder.filePath(name);
  QString message;
  QVERIFY2(dialog.Save_Graph_File(path, SIZE, &message), qPrintable(message));
  const QImage image = name.endsWith(QLatin1String("svg"), Qt::CaseInsensitive)
                         ? Svg_Image(path, SIZE)
                         : QImage(path);
  QCOMPARE(image.size(), SIZE);
  QVERIFY(Count_Pixels(image, INPUT_RGB) > 100);
  QVERIFY(Count_Pixels(image, OUTPUT_RGB) > 100);
}

void TTestGraphExport::Png_At_Pixel_Ratio()
{
  TInterpolationGraphDialog dialog;
  Set_Curves(&dialog);
  const QString path = d_folder.filePath(QStringLiteral("dense.png"));
  QString message;
  QVERIFY2(Export_Graph(Graph_Of(&dialog)->Content(), Graph_Of(&dialog)->View(), path, SIZE, 2.0,
                          &message), qPrintable(message));
  const QImage image(path);
  QCOMPARE(image.size(), SIZE * 2);
  QVERIFY(Count_Pixels(image, INPUT_RGB) > 200);
  QVERIFY(Count_Pixels(image, OUTPUT_RGB) > 200);
}

void TTestGraphExport::Svg_Is_Vector_Drawing()
{
  TInterpolationGraphDialog dialog;
  Set_Curves(&dialog);
  const QString path = d_folder.filePath(QStringLiteral("vector.svg"));
  QString message;
  QVERIFY2(dialog.Save_Graph_File(path, SIZE, &message), qPrintable(message));
  const QByteArray svg = Contents(path);
  QVERIFY(svg.contains("<svg"));
  QVERIFY(svg.contains("viewBox=\"0 0 400 300\""));
  QVERIFY(svg.contains("stroke=\"#0000a4\""));
  QVERIFY(svg.contains("stroke=\"#a40000\""));
  QVERIFY(svg.contains(">Position</text>"));
  QVERIFY(svg.contains(">Value</text>") || svg.contains(">V</text>"));
}

void TTestGraphExport::Pdf_Page_Has_Graph_Size()
{
  TInterpolationGraphDialog dialog;
  Set_Curves(&dialog);
  const QString path = d_folder.filePath(QStringLiteral("page.pdf"));
  QString message;
  QVERIFY2(dialog.Save_Graph_File(path, QSize(), &message), qPrintable(message));
  const QByteArray pdf = Contents(path);
  QVERIFY(pdf.startsWith("%PDF-"));
  QVERIFY(pdf.trimmed().endsWith("%%EOF"));
  // 800 x 600 pixels at 96 per inch make 600 x 450 points.
  const QRegularExpression media_box(QStringLiteral(R"(/MediaBox \[0 0 600(\.0*)? 450(\.0*)?\])"));
  QVERIFY(media_box.match(QString::fromLatin1(pdf.constData(), pdf.size())).hasMatch());
  QVERIFY(pdf.size() > 2000);
}

void TTestGraphExport::Vector_Files_Stay_Small_data()
{
  QTest::addColumn<QString>("name");
  QTest::newRow("svg") << "long.svg";
  QTest::newRow("pdf") << "long.pdf";
}

// Curves of many more points than pixel columns must not write an element per point.
void TTestGraphExport::Vector_Files_Stay_Small()
{
  QFETCH(QString, name);
  const int count = 200000;
  Point_List input;
  Point_List output;
  for (int i = 0; i < count; ++i) {
    input.push_back(TVector2(i, (i % 17) * 3.0));
    output.push_back(TVector2(i, 100.0 + (i % 13) * 3.0));
  }
  TInterpolationGraphDialog dialog;
  dialog.Set_Graph_Data(input, output);
  const QString path = d_folder.filePath(name);
  QString message;
  QVERIFY2(dialog.Save_Graph_File(path, SIZE, &message), qPrintable(message));
  const qint64 size = QFileInfo(path).size();
  QVERIFY2(size > 1000 && size < 2000000, qPrintable(QString::number(size)));
  if (name.endsWith(QLatin1String(".svg"))) {
    const QImage image = Svg_Image(path, SIZE);
    QVERIFY(Count_Pixels(image, INPUT_RGB) > 1000);
    QVERIFY(Count_Pixels(image, OUTPUT_RGB) > 1000);
  }
}

// Zoomed on the input alone, the export no longer shows the output far above it.
void TTestGraphExport::Export_Keeps_Zoom()
{
  TInterpolationGraphDialog dialog;
  Set_Curves(&dialog);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  TGraphWidget *graph = Graph_Of(&dialog);
  QImage fitted = Graph_Image(graph->Content(), graph->View(), SIZE, 1.0);
  QVERIFY(Count_Pixels(fitted, OUTPUT_RGB) > 100);

  const TGraphMapping view = graph->Mapping();
  const auto pixel = [&view](double x, double y) {
    return QPoint(qRound(view.XScale * x + view.XOffset), qRound(view.YScale * y + view.YOffset));
  };
  const QPoint from = pixel(40, 60);
  const QPoint to = pixel(60, 40);
  Drag(graph, Qt::LeftButton, {from, (from + to) / 2, to});
  QApplication::processEvents();
  const TGraphMapping zoomed = graph->Mapping();
  QVERIFY(zoomed.XScale > 2 * view.XScale);

  const QImage image = Graph_Image(graph->Content(), graph->View(), SIZE, 1.0);
  QVERIFY(Count_Pixels(image, INPUT_RGB) > 100);
  QCOMPARE(Count_Pixels(image, OUTPUT_RGB), 0);
  QCOMPARE(graph->Mapping().XScale, zoomed.XScale);
  QCOMPARE(graph->Mapping().YOffset, zoomed.YOffset);
}

void TTestGraphExport::Pending_Zoom_Out_Is_Exported()
{
  TInterpolationGraphDialog dialog;
  Set_Curves(&dialog);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  TGraphWidget *graph = Graph_Of(&dialog);
  const QImage fitted = Graph_Image(graph->Content(), graph->View(), SIZE, 1.0);
  graph->ZoomOut();
  const QImage pending = Graph_Image(graph->Content(), graph->View(), SIZE, 1.0);
  graph->repaint();
  const QImage painted = Graph_Image(graph->Content(), graph->View(), SIZE, 1.0);
  QVERIFY(pending != fitted);
  QVERIFY(pending == painted);
}

void TTestGraphExport::Refusals_Keep_Old_File_data()
{
  QTest::addColumn<QString>("name");
  QTest::addColumn<QSize>("size");
  QTest::addColumn<QString>("reason");

  QTest::newRow("unknown suffix") << "old.jpg" << SIZE << "must end in .png, .svg or .pdf";
  QTest::newRow("no suffix") << "old" << SIZE << "must end in .png, .svg or .pdf";
  QTest::newRow("empty size") << "old.png" << QSize(0, 300) << "is not from 1 to 8192";
  QTest::newRow("huge size") << "old.svg" << QSize(400, 100000) << "is not from 1 to 8192";
  QTest::newRow("missing folder") << "missing/old.pdf" << SIZE << "";
}

void TTestGraphExport::Refusals_Keep_Old_File()
{
  QFETCH(QString, name);
  QFETCH(QSize, size);
  QFETCH(QString, reason);

  const QString path = d_folder.filePath(name);
  QFile old(path);
  const bool existing = old.open(QIODevice::WriteOnly);
  if (existing) {
    old.write("old");
    old.close();
  }
  TInterpolationGraphDialog dialog;
  Set_Curves(&dialog);
  QString message;
  QVERIFY(!dialog.Save_Graph_File(path, size, &message));
  QVERIFY2(message.startsWith(QStringLiteral("Cannot save the graph as \"%1\": ").arg(path)),
           qPrintable(message));
  QVERIFY2(message.contains(reason), qPrintable(message));
  if (existing) {
    QCOMPARE(Contents(path), QByteArray("old"));
  }
}

void TTestGraphExport::Suffix_From_Filter_data()
{
  QTest::addColumn<QString>("path");
  QTest::addColumn<int>("filter");
  QTest::addColumn<QString>("expected");

  QTest::newRow("png filter") << "/tmp/a" << 0 << "/tmp/a.png";
  QTest::newRow("svg filter") << "/tmp/a" << 1 << "/tmp/a.svg";
  QTest::newRow("pdf filter") << "/tmp/a.v2" << 2 << "/tmp/a.v2.pdf";
  QTest::newRow("own suffix kept") << "/tmp/a.PDF" << 0 << "/tmp/a.PDF";
  QTest::newRow("no filter") << "/tmp/a" << -1 << "/tmp/a.png";
}

void TTestGraphExport::Suffix_From_Filter()
{
  QFETCH(QString, path);
  QFETCH(int, filter);
  QFETCH(QString, expected);

  const QStringList filters = Graph_Filters().split(QStringLiteral(";;"));
  QCOMPARE(filters.size(), 3);
  QCOMPARE(With_Filter_Suffix(path, Graph_Filters(), filter < 0 ? QString() : filters.at(filter)),
           expected);
}

void TTestGraphExport::Ctrl_C_Copies_Image()
{
  TInterpolationGraphDialog dialog;
  Set_Curves(&dialog);
  const QAction *save = dialog.findChild<QAction *>(QStringLiteral("export_graph_action"));
  QVERIFY(save);
  QCOMPARE(save->shortcut(), QKeySequence(QKeySequence::Save));
  QVERIFY(dialog.actions().contains(const_cast<QAction *>(save)));
  dialog.show();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  QApplication::clipboard()->clear();
  QTest::keyClick(&dialog, Qt::Key_C, Qt::ControlModifier);
  const QImage image = QApplication::clipboard()->image();
  QCOMPARE(image.size(), Graph_Of(&dialog)->size() * dialog.devicePixelRatioF());
  QVERIFY(Count_Pixels(image, INPUT_RGB) > 100);
  QVERIFY(Count_Pixels(image, OUTPUT_RGB) > 100);
}

QTEST_MAIN(TTestGraphExport)
#include "test_graphexport.moc"
