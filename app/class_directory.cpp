#include "app/class_directory.h"

#include "app/module_library.h"
#include "app/text.h"
#include "host/class_desc.h"

ClassDirectory::ClassDirectory(const ModuleLibrary& module) {
    for (int i = 0; i < module.NumberClasses(); ++i)
        if (ClassDesc* desc = module.Class(static_cast<unsigned int>(i))) classes_.push_back(desc);
}

ClassDirectory::ClassDirectory(const std::vector<ClassDesc*>& classes) {
    for (ClassDesc* desc : classes)
        if (desc != nullptr) classes_.push_back(desc);
}

ClassDesc* ClassDirectory::Find(const std::wstring& name, SClass_ID superClass) const {
    for (ClassDesc* desc : classes_)
        if (desc->IsPublic() && desc->SuperClassID() == superClass && name == desc->ClassName()) return desc;
    return nullptr;
}

ClassDesc* ClassDirectory::FindHidden(const std::wstring& name, SClass_ID superClass) const {
    for (ClassDesc* desc : classes_)
        if (desc->SuperClassID() == superClass && name == desc->ClassName()) return desc;
    return nullptr;
}

std::string ClassDirectory::Names(SClass_ID superClass) const {
    std::string names;
    for (ClassDesc* desc : classes_) {
        if (!desc->IsPublic() || desc->SuperClassID() != superClass) continue;
        names += (names.empty() ? "\"" : ", \"") + ToUtf8(desc->ClassName()) + "\"";
    }
    return names.empty() ? "none" : names;
}

std::vector<ClassDesc*> ClassDirectory::All() const { return classes_; }
