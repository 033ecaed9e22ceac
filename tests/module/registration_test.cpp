#include <set>

#include "module_fixture.h"
#include "tests/module/class_table.h"

namespace {

using RegistrationTest = ModuleTest;

// Every class built so far answers exactly as the table says; the rest answer null.
TEST_F(RegistrationTest, BuiltClassesMatchTheTable) {
    Attach();
    EXPECT_EQ(LibNumberClasses(), 11);
    std::set<Class_ID> ids;
    for (unsigned int i = 0; i < 11; ++i) {
        auto* desc = static_cast<ClassDesc2*>(LibClassDesc(i));
        if (desc == nullptr) continue;
        const ExpectedClass& e = kExpectedClasses[i];
        EXPECT_EQ(std::wstring(desc->ClassName()), e.name) << i;
        EXPECT_EQ(std::wstring(desc->InternalName()), e.name) << i;
        EXPECT_EQ(std::wstring(desc->Category()), e.category) << i;
        EXPECT_EQ(desc->SuperClassID(), e.super) << i;
        EXPECT_EQ(desc->ClassID(), e.id) << i;
        EXPECT_EQ(desc->IsPublic(), e.isPublic) << i;
        EXPECT_EQ(desc->HInstance(), Instance()) << i;
        EXPECT_TRUE(ids.insert(desc->ClassID()).second) << i;
        EXPECT_EQ(LibClassDesc(i), desc) << "one static descriptor per class";
    }
}

}  // namespace
