#ifndef SRC_VANDREL_H
#define SRC_VANDREL_H

#include <QMainWindow>

class TVandrel : public QMainWindow
{
  Q_OBJECT

public:
  explicit TVandrel(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
};

#endif
