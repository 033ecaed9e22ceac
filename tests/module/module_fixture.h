// Each test starts with the module handle unset, as right after loading.
#pragma once

#include <gtest/gtest.h>

#include "host/module_resources.h"
#include "host/testing.h"
#include "module/entry_points.h"
#include "common/module_handle.h"

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override { SetModuleInstance(nullptr); }
    void TearDown() override { SetModuleInstance(nullptr); }

    static HINSTANCE Instance() { return HostModuleHandleOf(reinterpret_cast<const void*>(&DllMain)); }
    static void Attach() { ASSERT_EQ(DllMain(Instance(), DLL_PROCESS_ATTACH, nullptr), TRUE); }
};
