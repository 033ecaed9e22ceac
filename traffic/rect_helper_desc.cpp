#include "traffic/rect_helper_desc.h"

#include "common/categories.h"
#include "common/module_handle.h"

const wchar_t* RectHelperClassDesc::Category() { return GetMarlovanCategory(); }

HINSTANCE RectHelperClassDesc::HInstance() { return ClassDescHInstance(); }
