// What the helpers' class descriptors share: everything but the object they make.
#pragma once

#include "host/class_desc.h"

class HelperClassDesc : public ClassDesc2 {
public:
    HelperClassDesc(const wchar_t* name, Class_ID id) : name_(name), id_(id) {}

    int IsPublic() override { return 1; }
    const wchar_t* ClassName() override { return name_; }
    const wchar_t* InternalName() override { return name_; }
    SClass_ID SuperClassID() override { return HELPER_CLASS_ID; }
    Class_ID ClassID() override { return id_; }
    const wchar_t* Category() override;
    HINSTANCE HInstance() override;

private:
    const wchar_t* name_;
    Class_ID id_;
};
