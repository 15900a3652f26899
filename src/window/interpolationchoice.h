#ifndef SRC_WINDOW_INTERPOLATIONCHOICE_H
#define SRC_WINDOW_INTERPOLATIONCHOICE_H

#include "core/curveinterpolant.h"

#include <QComboBox>

class TDocument;

// The editor's choice of how its points are joined: "Linear", "Monotone cubic" and
// "Natural spline". A choice the user makes goes to the document as an undo step; the
// way the document reports, whatever set it, shows here without going back.
class TInterpolation_Choice : public QComboBox
{
  Q_OBJECT

public:
  TInterpolation_Choice(QWidget *parent, TDocument *document);

private:
  void Chosen();
  void Show(TInterpolation way);

  TDocument *d_document;
};

#endif
