// Parameter values from a scene file into an object's parameter block.
#pragma once

class IParamBlock2;
class JsonPlace;

// Keys are internal names or, where names repeat, parameter IDs written as numbers ("1").
// Values: a number or true/false, an array for a table, or {"keys": [[frame, value], ...]}
// for an animatable number.
void SetParams(const JsonPlace& params, IParamBlock2* block);
