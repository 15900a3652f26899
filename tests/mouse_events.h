#ifndef TESTS_MOUSE_EVENTS_H
#define TESTS_MOUSE_EVENTS_H

#include <QApplication>
#include <QMouseEvent>
#include <QPoint>
#include <QWidget>

#include <vector>

// Mouse events sent straight to a widget, with exact positions and buttons.
inline void Send_Mouse(QWidget *widget, const QEvent::Type type, const QPoint &position,
                       const Qt::MouseButton button, const Qt::MouseButtons buttons)
{
  QMouseEvent event(type, QPointF(position), QPointF(widget->mapToGlobal(position)), button,
                    buttons, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

// Press at the first point, move through the others with the button held, release at the last.
inline void Drag(QWidget *widget, const Qt::MouseButton button, const std::vector<QPoint> &path)
{
  Send_Mouse(widget, QEvent::MouseButtonPress, path.front(), button, button);
  for (std::size_t i = 1; i < path.size(); ++i) {
    Send_Mouse(widget, QEvent::MouseMove, path[i], Qt::NoButton, button);
  }
  Send_Mouse(widget, QEvent::MouseButtonRelease, path.back(), button, Qt::NoButton);
}

#endif
