// The wire colours that the host gives the nodes it makes.
#pragma once

#include "host/win32.h"

// The colour of the nth node made since the scene was reset (0x00BBGGRR). Golden-ratio steps
// round the hue circle, so that neighbours differ, and so do nodes made in rows of any length.
DWORD NewNodeWireColor(unsigned n);
