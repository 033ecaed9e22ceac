#include "host/class_desc.h"
#include "module_fixture.h"

namespace {

using RegistrationTest = ModuleTest;

// Each slot's name, IDs, category and visibility are pinned by the program's module report; here
// what it cannot see: one static descriptor per slot, named inside as outside, of this module.
TEST_F(RegistrationTest, EverySlotHasOneDescriptorOfThisModule) {
    Attach();
    ASSERT_TRUE(LibNumberClasses() == 11 && LibVersion() == 0x3E802A00u);
    for (unsigned int i = 0; i < 11; ++i) {
        auto* desc = static_cast<ClassDesc2*>(LibClassDesc(i));
        ASSERT_NE(desc, nullptr) << i;
        EXPECT_TRUE(desc->InternalName() == std::wstring(desc->ClassName()) && desc->HInstance() == Instance() &&
                    LibClassDesc(i) == desc) << i;
    }
    EXPECT_TRUE(LibClassDesc(11) == nullptr && LibClassDesc(0xFFFFFFFFu) == nullptr);
}

}  // namespace
