#include "src/window/windowgeometry.h"

#include <QDataStream>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QVariant>

namespace {

const char GEOMETRY_KEY[] = "Window_Geometry";
const char STATE_KEY[] = "Window_State";
// What QWidget::saveGeometry() writes first, in the stream version it writes with.
const quint32 GEOMETRY_MAGIC = 0x1D9D0CB;
const QDataStream::Version GEOMETRY_STREAM_VERSION = QDataStream::Qt_4_0;
// A window showing less than this of itself on every screen counts as lost.
const int MINIMUM_VISIBLE = 48;

void Place_On_Primary_Screen(QMainWindow *window)
{
  window->resize(DEFAULT_WINDOW_WIDTH, DEFAULT_WINDOW_HEIGHT);
  const QScreen *const screen = QGuiApplication::primaryScreen();
  if (!screen) {
    return;
  }
  const QRect available = screen->availableGeometry();
  QRect frame(QPoint(0, 0), window->size());
  frame.moveCenter(available.center());
  window->move(qMax(frame.left(), available.left()), qMax(frame.top(), available.top()));
}

}  // namespace

void Save_Window_Geometry(const QMainWindow &window, QSettings *settings)
{
  settings->setValue(GEOMETRY_KEY, window.saveGeometry());
  settings->setValue(STATE_KEY, window.saveState());
}

void Restore_Window_Geometry(QMainWindow *window, const QSettings &settings)
{
  const QByteArray geometry = settings.value(GEOMETRY_KEY).toByteArray();
  const QRect frame = Saved_Frame(geometry);
  if (frame.isNull()) {
    window->resize(DEFAULT_WINDOW_WIDTH, DEFAULT_WINDOW_HEIGHT);
  } else if (!Shows_On_A_Screen(frame) || !window->restoreGeometry(geometry)) {
    Place_On_Primary_Screen(window);
  }
  window->restoreState(settings.value(STATE_KEY).toByteArray());
}

QRect Saved_Frame(const QByteArray &geometry)
{
  QDataStream stream(geometry);
  stream.setVersion(GEOMETRY_STREAM_VERSION);
  quint32 magic = 0;
  quint16 major = 0;
  quint16 minor = 0;
  QRect frame;
  stream >> magic >> major >> minor >> frame;
  if (stream.status() != QDataStream::Ok || magic != GEOMETRY_MAGIC || !frame.isValid()) {
    return QRect();
  }
  return frame;
}

bool Shows_On_A_Screen(const QRect &frame)
{
  const QList<QScreen *> screens = QGuiApplication::screens();
  for (const QScreen *screen : screens) {
    const QRect shown = frame.intersected(screen->availableGeometry());
    if (shown.width() >= qMin(MINIMUM_VISIBLE, frame.width())
        && shown.height() >= qMin(MINIMUM_VISIBLE, frame.height())) {
      return true;
    }
  }
  return false;
}
