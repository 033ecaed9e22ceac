// Class descriptors: how the host learns of a plug-in class and makes its objects.
#pragma once

#include <vector>

#include "host/class_id.h"
#include "host/param_block.h"
#include "host/win32.h"

class ReferenceMaker;
class IObjParam;
class Animatable;

class ClassDesc {
public:
    ClassDesc() = default;
    ClassDesc(const ClassDesc&) = delete;
    ClassDesc& operator=(const ClassDesc&) = delete;
    virtual ~ClassDesc() = default;

    virtual int IsPublic() = 0;
    // A new object of the class, or null when it cannot be made.
    virtual void* Create(BOOL loading = FALSE) = 0;
    virtual const wchar_t* ClassName() = 0;
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID() = 0;
    virtual const wchar_t* Category() = 0;
};

class ClassDesc2 : public ClassDesc {
public:
    virtual const wchar_t* InternalName() { return nullptr; }
    virtual HINSTANCE HInstance() { return nullptr; }

    void AddParamBlockDesc(ParamBlockDesc2* desc) { blocks_.push_back(desc); }
    int NumParamBlockDescs() const { return static_cast<int>(blocks_.size()); }
    ParamBlockDesc2* GetParamBlockDesc(int i) const { return blocks_[static_cast<std::size_t>(i)]; }
    ParamBlockDesc2* GetParamBlockDescByID(BlockID id) const;

    // Makes a block for every auto-construct description and sets it as the owner's reference.
    void MakeAutoParamBlocks(ReferenceMaker* owner);
    // Shows and removes the automatic roll-ups of the object's auto-UI blocks.
    void BeginEditParams(IObjParam* ip, ReferenceMaker* obj, unsigned long flags, Animatable* prev);
    void EndEditParams(IObjParam* ip, ReferenceMaker* obj, unsigned long flags, Animatable* next);

private:
    std::vector<ParamBlockDesc2*> blocks_;
};
