// Loads the module afresh, on an empty scene, for each of the program's tests.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <nlohmann/json.hpp>

#include "app/class_directory.h"
#include "app/module_library.h"
#include "app/scene_loader.h"
#include "host/interface.h"

// The message of the error that f throws; empty when it throws none.
template <class F>
std::string ErrorOf(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return {};
}

inline std::string ReadFile(const std::string& path) { return (std::ostringstream() << std::ifstream(path).rdbuf()).str(); }

class AppTest : public ::testing::Test {
protected:
    static void TearDownTestSuite() { Unload(); }
    // The module's panel keeps its settings for as long as the module is loaded: each test loads
    // it anew, so that none starts from what another left.
    void SetUp() override {
        Unload();
        module_ = std::make_unique<ModuleLibrary>(MARLOVAN_MODULE_PATH);
        classes_ = std::make_unique<ClassDirectory>(*module_);
    }
    static void Unload() {
        GetCOREInterface()->ResetScene();
        classes_.reset();
        module_.reset();
    }

    static void Load(const char* text) { LoadScene(nlohmann::json::parse(text), *classes_, GetCOREInterface()); }
    // The message of the error that loading this scene gives; empty when it loads.
    static std::string LoadError(const char* text) { return ErrorOf([&] { Load(text); }); }
    static INode* Root() { return GetCOREInterface()->GetRootNode(); }

    static inline std::unique_ptr<ModuleLibrary> module_;
    static inline std::unique_ptr<ClassDirectory> classes_;
};
