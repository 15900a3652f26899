#ifndef CORE_INTERPOLATION_H
#define CORE_INTERPOLATION_H

#include "core/vector2.h"
#include "core/vector3.h"

// The smallest distance between two positions that the lookups treat as a usable span.
constexpr double Minimum_Span = 1.0e-6;

// Piecewise-linear value at a position, extrapolated along the first or last two points
// beyond the ends. Positions may ascend or descend. Writes 0.0 first, so a false result
// always leaves 0.0; a true result never carries a NaN.
bool Interpolate_Value(const Point_List &points, const double &position, double *value);

// The value Interpolate_Value gives (0.0 where it fails) at the position x of every point
// of `at`. When both lists are monotone, as evenly spaced series are, this takes one pass
// over both and returns true; otherwise it looks up each position on its own and returns
// false.
bool Interpolate_At_Positions(const Point_List &points, const Point_List &at,
                              std::vector<double> *values);

// The same lookups over three components, keyed on z, x and y respectively.
bool Interpolate_XY_At_Z(const Point_List_3D &points, const double &z, double *x_value,
                         double *y_value);
bool Interpolate_YZ_At_X(const Point_List_3D &points, const double &x, double *y_value,
                         double *z_value);
bool Interpolate_ZX_At_Y(const Point_List_3D &points, const double &y, double *z_value,
                         double *x_value);

// Slope of the line through the first and last points.
bool End_Point_Slope(const Point_List &points, double *slope);
// Least-squares line; the intercept output is optional.
bool Least_Squares_Slope(const Point_List &points, double *slope, double *intercept = nullptr);
// Mean of the values signed by their positions over the mean distance from position 0,
// falling back to the least-squares slope when that ratio is not usable.
bool Sum_Ratio_Slope(const Point_List &points, double *slope);
// Least-squares parabola y = a x^2 + b x + c.
bool Quadratic_Fit(const Point_List &points, double *a, double *b, double *c);

double Sum_Fourth_Powers(const Point_List &points);
double Sum_Cubes(const Point_List &points);

#endif
