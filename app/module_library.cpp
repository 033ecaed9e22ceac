#include "app/module_library.h"

#include <dlfcn.h>

#include <stdexcept>
#include <vector>

#include "host/module_resources.h"
#include "host/testing.h"

ModuleLibrary::ModuleLibrary(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) throw std::runtime_error("cannot load module " + path + ": " + dlerror());
    try {
        auto* entry = reinterpret_cast<BOOL (*)(HINSTANCE, DWORD, LPVOID)>(Symbol("DllMain"));
        description_ = reinterpret_cast<const wchar_t* (*)()>(Symbol("LibDescription"));
        version_ = reinterpret_cast<DWORD (*)()>(Symbol("LibVersion"));
        numberClasses_ = reinterpret_cast<int (*)()>(Symbol("LibNumberClasses"));
        classDesc_ = reinterpret_cast<ClassDesc* (*)(unsigned int)>(Symbol("LibClassDesc"));
        laneNetworkSize_ = reinterpret_cast<BOOL (*)(int*, int*)>(Symbol("MarlovanLaneNetworkSize"));
        runSummary_ = reinterpret_cast<void (*)(MarlovanRunReport*)>(Symbol("MarlovanRunSummary"));
        if (!entry(HostModuleHandleOf(reinterpret_cast<const void*>(entry)), DLL_PROCESS_ATTACH, nullptr))
            throw std::runtime_error("module " + path + " refused to attach");
        // The host makes the module's objects by class, as the real one does from its directory.
        std::vector<ClassDesc*> classes;
        for (int i = 0; i < NumberClasses(); ++i) classes.push_back(Class(static_cast<unsigned int>(i)));
        std::erase(classes, nullptr);
        HostSetClasses(classes);
    } catch (...) {
        dlclose(handle_);
        throw;
    }
}

ModuleLibrary::~ModuleLibrary() {
    HostSetClasses({});
    HostJoinThreads();
    dlclose(handle_);
}

void* ModuleLibrary::Symbol(const char* name) const {
    void* symbol = dlsym(handle_, name);
    if (symbol == nullptr) throw std::runtime_error(std::string("module lacks entry point ") + name);
    return symbol;
}
