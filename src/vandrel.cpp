#include "src/vandrel.h"

TVandrel::TVandrel(QWidget *parent, Qt::WindowFlags flags) : QMainWindow(parent, flags)
{
  resize(1001, 635);
  setWindowTitle("Vandrel");
}
