#include "src/window/interpolationchoice.h"

#include "src/document/document.h"
#include "src/window/tooltips.h"

#include <QSignalBlocker>

TInterpolation_Choice::TInterpolation_Choice(QWidget *parent, TDocument *document)
  : QComboBox(parent), d_document(document)
{
  addItem(tr("Linear"), INTERPOLATION_LINEAR);
  addItem(tr("Monotone cubic"), INTERPOLATION_MONOTONE);
  addItem(tr("Natural spline"), INTERPOLATION_SPLINE);
  setToolTip(Interpolation_Tip());
  Show(document->Model().Interpolation());
  connect(this, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
          &TInterpolation_Choice::Chosen);
  connect(document, &TDocument::Interpolation_Changed, this, &TInterpolation_Choice::Show);
}

void TInterpolation_Choice::Chosen()
{
  d_document->Set_Interpolation(static_cast<TInterpolation>(currentData().toInt()));
}

void TInterpolation_Choice::Show(const TInterpolation way)
{
  const QSignalBlocker blocker(this);
  setCurrentIndex(findData(way));
}
