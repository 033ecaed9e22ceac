#include "app/module_report.h"

#include <cstdio>
#include <string>

#include "app/module_library.h"
#include "app/text.h"
#include "host/class_desc.h"

namespace {
std::string Hex(unsigned long value, int digits) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%0*lX", digits, value);
    return buf;
}

void PrintSlot(unsigned int index, ClassDesc* desc, std::ostream& out) {
    out << "  [" << index << "] ";
    if (desc == nullptr) {
        out << "not built yet\n";
        return;
    }
    const Class_ID id = desc->ClassID();
    out << '"' << ToUtf8(desc->ClassName()) << "\" super class " << Hex(desc->SuperClassID(), 4) << " Class_ID ("
        << Hex(id.PartA(), 8) << ", " << Hex(id.PartB(), 8) << ") category \"" << ToUtf8(desc->Category())
        << '"' << (desc->IsPublic() ? "" : " (not public)") << '\n';
}
}  // namespace

void PrintModuleReport(const ModuleLibrary& module, std::ostream& out) {
    const wchar_t* description = module.Description();
    out << "Description: " << (description ? ToUtf8(description) : std::string("(none)")) << '\n';
    out << "SDK version: " << Hex(module.Version(), 8) << '\n';
    const int count = module.NumberClasses();
    out << "Classes: " << count << '\n';
    for (int i = 0; i < count; ++i) PrintSlot(static_cast<unsigned int>(i), module.Class(static_cast<unsigned int>(i)), out);
}
