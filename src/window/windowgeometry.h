#ifndef SRC_WINDOW_WINDOWGEOMETRY_H
#define SRC_WINDOW_WINDOWGEOMETRY_H

#include <QByteArray>
#include <QRect>

class QMainWindow;
class QSettings;

// A window's size on a first start, and whenever its saved place is on no screen.
const int DEFAULT_WINDOW_WIDTH = 1001;
const int DEFAULT_WINDOW_HEIGHT = 635;

// Keeps the window's size, place, maximised state and bars in the settings.
void Save_Window_Geometry(const QMainWindow &window, QSettings *settings);

// Puts the window back where the settings say it was. With nothing saved, something
// unreadable or a place no screen shows any more (a monitor unplugged), the window gets
// the default size; a place off every screen also moves it onto the primary screen.
void Restore_Window_Geometry(QMainWindow *window, const QSettings &settings);

// The frame rectangle a saved geometry puts the window in; a null rectangle for bytes
// that are not a saved geometry.
QRect Saved_Frame(const QByteArray &geometry);

// True when enough of the frame shows on some screen to grab and move it.
bool Shows_On_A_Screen(const QRect &frame);

#endif
