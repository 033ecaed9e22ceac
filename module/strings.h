// Strings of the module's string table.
#pragma once

#include "host/win32.h"

// Loads string id into one shared buffer (at most 255 characters) and returns it; null when the
// module is not attached or the table has no such string. Main thread only: the next call
// overwrites the text.
const wchar_t* GetString(UINT id);
