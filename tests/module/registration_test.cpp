#include <set>

#include "host/class_desc.h"
#include "module_fixture.h"

namespace {

struct ExpectedClass {
    const wchar_t* name;
    const wchar_t* category;
    SClass_ID super;
    Class_ID id;
    int isPublic;
};

const ExpectedClass kTable[11] = {
    {L"Marlovan2", L"", 0x1020, {0x76CF7E63, 0x4ABC295E}, 1},
    {L"Marlovan Road", L"Marlovan", 0x820, {0x75F86C4B, 0x007A44E8}, 1},
    {L"Marlovan Cross", L"Marlovan", 0x820, {0x2DD9792B, 0x446E20ED}, 1},
    {L"SpeedLimiter", L"Marlovan2", 0x50, {0x156A0982, 0x059D70D6}, 1},
    {L"Obstacle", L"Marlovan2", 0x50, {0x5B0B46B6, 0x6EBE723F}, 1},
    {L"TrafficLight", L"Marlovan2", 0x50, {0x798B11A2, 0x7EF641E3}, 1},
    {L"BusStop", L"Marlovan2", 0x50, {0x54255179, 0x0F77237B}, 1},
    {L"Vehicle", L"Marlovan2", 0x50, {0x7CF67ED1, 0x1B6C2182}, 0},
    {L"Marlovan2", L"", 0x9008, {0x23E55012, 0x7B31568F}, 1},
    {L"Parking", L"Marlovan2", 0x50, {0x3CA86F31, 0x748B6D89}, 1},
    {L"StopLine", L"Marlovan2", 0x50, {0x3E8C088E, 0x49951049}, 1},
};

using RegistrationTest = ModuleTest;

// Every slot answers its class exactly as the table says.
TEST_F(RegistrationTest, EverySlotMatchesTheTable) {
    Attach();
    EXPECT_EQ(LibNumberClasses(), 11);
    std::set<Class_ID> ids;
    for (unsigned int i = 0; i < 11; ++i) {
        auto* desc = static_cast<ClassDesc2*>(LibClassDesc(i));
        ASSERT_NE(desc, nullptr) << i;
        const ExpectedClass& e = kTable[i];
        EXPECT_TRUE(desc->ClassName() == std::wstring(e.name) && desc->InternalName() == std::wstring(e.name)) << i;
        EXPECT_TRUE(desc->Category() == std::wstring(e.category) && desc->SuperClassID() == e.super) << i;
        EXPECT_TRUE(desc->ClassID() == e.id && desc->IsPublic() == e.isPublic && desc->HInstance() == Instance()) << i;
        EXPECT_TRUE(ids.insert(desc->ClassID()).second) << i;
        EXPECT_EQ(LibClassDesc(i), desc) << "one static descriptor per class";
    }
    EXPECT_TRUE(LibClassDesc(11) == nullptr && LibClassDesc(0xFFFFFFFFu) == nullptr && LibVersion() == 0x3E802A00u);
}

}  // namespace
