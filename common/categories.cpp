#include "common/categories.h"

const wchar_t* GetMarlovanCategory() { return L"Marlovan2"; }

const wchar_t* RoadCategory() { return L"Marlovan"; }
