// The classes a loaded module offers, found by the name the user sees.
#pragma once

#include <string>
#include <vector>

#include "host/class_id.h"

class ClassDesc;
class ModuleLibrary;

class ClassDirectory {
public:
    explicit ClassDirectory(const ModuleLibrary& module);
    // The classes of a module linked into the program; null slots are skipped.
    explicit ClassDirectory(const std::vector<ClassDesc*>& classes);
    // The public class of this super class with this class name, or null.
    ClassDesc* Find(const std::wstring& name, SClass_ID superClass) const;
    // The class of this super class with this name, also when the host does not offer it.
    ClassDesc* FindHidden(const std::wstring& name, SClass_ID superClass) const;
    // The public class names of this super class, for messages.
    std::string Names(SClass_ID superClass) const;
    // Every class, also those the host does not offer (scene files can hold them), in the
    // module's order.
    std::vector<ClassDesc*> All() const;

private:
    std::vector<ClassDesc*> classes_;
};
