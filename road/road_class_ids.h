// Class identities of the road modifiers, by which the scene walks and the road reading find them.
#pragma once

#include "host/class_id.h"

constexpr Class_ID kRoadModClassID(0x75F86C4B, 0x007A44E8);
constexpr Class_ID kCrossModClassID(0x2DD9792B, 0x446E20ED);
