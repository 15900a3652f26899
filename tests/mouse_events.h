#ifndef TESTS_MOUSE_EVENTS_H
#define TESTS_MOUSE_EVENTS_H

#include <QApplication>
#include <QMouseEvent>
#include <QPoint>
#include <QWidget>

#include <vector>

// Mouse events sent straight to a widget, with exact positions, buttons and modifiers.
inline void Send_Mouse(QWidget *widget, const QEvent::Type type, const QPoint &position,
                       const Qt::MouseButton button, const Qt::MouseButtons buttons,
                       const Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
  QMouseEvent event(type, QPointF(position), QPointF(widget->mapToGlobal(position)), button,
                    buttons, modifiers);
  QApplication::sendEvent(widget, &event);
}

// Press at the first point, move through the others with the button held, release at the last.
inline void Drag(QWidget *widget, const Qt::MouseButton button, const std::vector<QPoint> &path,
                 const Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
  Send_Mouse(widget, QEvent::MouseButtonPress, path.front(), button, button, modifiers);
  for (std::size_t i = 1; i < path.size(); ++i) {
    Send_Mouse(widget, QEvent::MouseMove, path[i], Qt::NoButton, button, modifiers);
  }
  Send_Mouse(widget, QEvent::MouseButtonRelease, path.back(), button, Qt::NoButton, modifiers);
}

// Moves with no button held.
inline void Hover(QWidget *widget, const QPoint &position)
{
  Send_Mouse(widget, QEvent::MouseMove, position, Qt::NoButton, Qt::NoButton);
}

// A double click as a window system sends it: press, release, double click, release.
inline void Double_Click(QWidget *widget, const QPoint &position)
{
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    const bool down = type != QEvent::MouseButtonRelease;
    Send_Mouse(widget, type, position, Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton);
  }
}

#endif
