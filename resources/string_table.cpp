// Off Windows there is no resource compiler: the string table is handed to the host when the
// module loads, under the module's own instance handle.
#include "host/module_resources.h"

namespace {
#define MARLOVAN_STRING(id, text) {id, L"" text},
constexpr StringResource kStringTable[] = {
#include "resources/string_table.inc"
};
#undef MARLOVAN_STRING

[[maybe_unused]] const bool stringsRegistered = HostRegisterStringTable(HostModuleHandleOf(kStringTable), kStringTable,
                                                static_cast<int>(sizeof kStringTable / sizeof kStringTable[0]));
}  // namespace
