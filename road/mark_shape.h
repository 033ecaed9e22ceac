// The road and crossing modifiers show marks in place of the shape that enters them: the
// shape is read as drawn and then refilled with the marks.
#pragma once

#include "host/time.h"

class ObjectState;
class PolyShape;
class SplineShape;

// Converts the state's object to a spline shape, which takes its place in the state (the
// pipeline owns what it finds there), reads its polylines at its own steps and empties it for
// the marks. Null when the object cannot be converted.
SplineShape* TakeShapeForMarks(TimeValue t, ObjectState* os, PolyShape& polylines);
// Shows the marks added to the shape taken.
void ShowMarks(ObjectState* os, SplineShape* spline);
