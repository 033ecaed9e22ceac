// Which of the signal cycle's slots is current at a time.
#pragma once

#include "host/time.h"

inline constexpr int kDiagramSlots = 24;

// ((t mod period) x 24) / period with a floor modulo, so that the cycle repeats before time 0,
// formed in 64 bits so that any period fits. A period of 0 or less has only slot 0.
int DiagramSlot(TimeValue t, int period);
