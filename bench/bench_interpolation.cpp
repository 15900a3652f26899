// Times the document's recompute when the editor's points are joined another way, with no
// window: at the row maximum of input rows and an editor point every 10 positions, a
// switch of the way and a single offset changed under each way, with its undo.
#include "src/document/document.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QUndoStack>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const int REPEATS = 9;

double Milliseconds(const std::function<void()> &step)
{
  QElapsedTimer timer;
  timer.start();
  step();
  return timer.nsecsElapsed() / 1.0e6;
}

void Report(const QByteArray &name, std::vector<double> times)
{
  std::sort(times.begin(), times.end());
  std::printf("%-52s median %8.3f ms   fastest %8.3f ms\n", name.constData(),
              times[REPEATS / 2], times[0]);
  std::fflush(stdout);
}

// Input 0 .. rows - 1 by 1 holding a wave, offsets that rise and fall every 10 positions.
void Fill(TDocument *document, const int rows)
{
  document->Start({0, 1, static_cast<double>(rows - 1)},
                  {0, 10, static_cast<double>((rows - 1) / 10 * 10)}, false);
  TCell_Edits values;
  for (int row = 0; row < rows; ++row) {
    values.push_back({row, 0, std::sin(row * 0.001) * 100.0});
  }
  document->Edit_Cells(INPUT_DATA, "Paste", values);
  TCell_Edits offsets;
  for (int row = 0; row < static_cast<int>(document->Model().Edit().size()); ++row) {
    offsets.push_back({row, 0, (row % 7) * 0.5 - 1.0});
  }
  document->Edit_Cells(EDIT_DATA, "Paste", offsets);
}

void Time_Switch(TDocument *document, const TInterpolation way)
{
  std::vector<double> times;
  for (int i = 0; i < REPEATS; ++i) {
    document->Set_Interpolation(INTERPOLATION_LINEAR);
    times.push_back(Milliseconds([&] { document->Set_Interpolation(way); }));
  }
  Report(QByteArray("switch from linear to ") + Interpolation_Name(way), times);
}

void Time_Offset_Edit(TDocument *document, const TInterpolation way)
{
  document->Set_Interpolation(way);
  const int row = static_cast<int>(document->Model().Edit().size() / 2);
  std::vector<double> edits;
  std::vector<double> undos;
  for (int i = 0; i < REPEATS; ++i) {
    edits.push_back(Milliseconds([&] {
      document->Edit_Cells(EDIT_DATA, "Typing", {{row, 0, i + 2.5}});
    }));
    undos.push_back(Milliseconds([&] { document->Undo_Stack()->undo(); }));
    document->Undo_Stack()->redo();
  }
  Report(QByteArray("one offset changed, ") + Interpolation_Name(way), edits);
  Report(QByteArray("its undo, ") + Interpolation_Name(way), undos);
}

}  // namespace

int main(int argc, char *argv[])
{
  QCoreApplication application(argc, argv);
  TDocument document;
  Fill(&document, MAXIMUM_ROW_COUNT);
  std::printf("Document, %d input rows, %d editor rows\n", MAXIMUM_ROW_COUNT,
              static_cast<int>(document.Model().Edit().size()));
  Time_Switch(&document, INTERPOLATION_MONOTONE);
  Time_Switch(&document, INTERPOLATION_SPLINE);
  for (const TInterpolation way :
       {INTERPOLATION_LINEAR, INTERPOLATION_MONOTONE, INTERPOLATION_SPLINE}) {
    Time_Offset_Edit(&document, way);
  }
  return 0;
}
