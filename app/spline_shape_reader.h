// Spline shapes in a scene file: knots, handles, closed splines and interpolation steps.
#pragma once

#include <cstddef>

class JsonPlace;
class SplineShape;

// A new shape, owned by the caller. pointBudget is what the scene's shapes may still add as
// polyline points; the shape's points are taken from it.
SplineShape* ReadSplineShape(const JsonPlace& obj, std::size_t& pointBudget);
