#include "common/helper_desc.h"

#include "common/categories.h"
#include "common/module_handle.h"

const wchar_t* HelperClassDesc::Category() { return GetMarlovanCategory(); }

HINSTANCE HelperClassDesc::HInstance() { return ClassDescHInstance(); }
