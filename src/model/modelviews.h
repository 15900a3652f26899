#ifndef SRC_MODEL_MODELVIEWS_H
#define SRC_MODEL_MODELVIEWS_H

#include "core/graphdata.h"
#include "core/tablevalues.h"
#include "src/model/model.h"

// The three columns of a user's work as tables show them.
enum TModel_Column
{
  INPUT_COLUMN,   // input values at the input positions
  EDIT_COLUMN,    // offsets at the editor positions
  OUTPUT_COLUMN   // output values at the input positions
};

// One column of the model as a one-column table shows it, read from the model each time.
class TModel_Table_Values : public TTable_Values
{
public:
  TModel_Table_Values(const TResampling_Model *model, TModel_Column column);

  double Value(int row, int column) const override;
  double Position(int row) const override;
  int Row_Count() const;

private:
  const TResampling_Model *d_model;
  TModel_Column d_column;
};

// The input or the output as a graph draws it, read from the model each time.
class TModel_Curve : public TGraph_Curve
{
public:
  TModel_Curve(const TResampling_Model *model, TModel_Column column);

  std::size_t Point_Count() const override;
  void Copy_Points(std::size_t first, std::size_t count, TVector2 *points) const override;
  const TVector2 *Held_Points() const override;

private:
  const TResampling_Model *d_model;
  TModel_Column d_column;
};

#endif
