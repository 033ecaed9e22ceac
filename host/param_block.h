// Parameter blocks: a class's static block description and each object's block of values.
// Parameters are addressed by ID; internal names may repeat.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "host/edit_type.h"
#include "host/anim.h"
#include "host/geom.h"
#include "host/time.h"
#include "host/win32.h"

class ClassDesc2;
class INode;
class ParamMap2UserDlgProc;

using ParamID = short;
using BlockID = short;

enum ParamType2 {
    TYPE_FLOAT,
    TYPE_INT,
    TYPE_BOOL,
    TYPE_WORLD,
    TYPE_TIMEVALUE,
    TYPE_INODE,
    TYPE_MATRIX3,
    TYPE_POINT3,
};

// Parameter flags.
constexpr int P_ANIMATABLE = 0x1;
constexpr int P_TABLE = 0x2;

// Block flags.
constexpr int P_AUTO_CONSTRUCT = 0x2;
constexpr int P_AUTO_UI = 0x4;

// Option tags and the control values of a roll-up binding.
constexpr int p_ui = 1;
enum ControlType { TYPE_SPINNER = 1, TYPE_SINGLECHECKBOX, TYPE_RADIO };
constexpr float SPIN_AUTOSCALE = -1.0f;

struct ParamKey {
    TimeValue time;
    double value;
};

struct ParamValue {
    float f = 0.0f;
    int i = 0;
    Point3 p;
    Matrix3 m;
    INode* node = nullptr;
    std::vector<ParamKey> keys;  // animated numbers; empty when the value is constant
};

struct ParamOptionRecord {
    int tag = 0;
    std::vector<double> values;
    bool operator==(const ParamOptionRecord&) const = default;
};

struct ParamDef {
    ParamID id = 0;
    std::wstring internalName;
    ParamType2 type = TYPE_FLOAT;
    int flags = 0;
    int localNameId = 0;
    int tableSize = 1;
    ParamValue defaultValue;
    bool hasRange = false;
    double rangeLow = 0.0, rangeHigh = 0.0;
    std::vector<ParamOptionRecord> options;

    ParamDef(ParamID pid, const wchar_t* name, ParamType2 t, int f, int localName)
        : id(pid), internalName(name), type(t), flags(f), localNameId(localName) {}
    // Float parameters keep the value as a float, integral ones (int, BOOL, time) as an int.
    ParamDef& Default(double v);
    ParamDef& Default(const Point3& v) { defaultValue.p = v; return *this; }
    ParamDef& Default(const Matrix3& v) { defaultValue.m = v; return *this; }
    ParamDef& Range(double low, double high) { hasRange = true; rangeLow = low; rangeHigh = high; return *this; }
    ParamDef& Table(int size) { flags |= P_TABLE; tableSize = size; return *this; }
};

bool IsIntegralParamType(ParamType2 type);

class ParamBlockDesc2 {
public:
    // Registers itself with its owner, which must already be constructed.
    ParamBlockDesc2(BlockID id, const wchar_t* internalName, int localName, ClassDesc2* owner, int flags,
                    int refNo, int dialogId, int titleId, std::initializer_list<ParamDef> params);
    ParamBlockDesc2(const ParamBlockDesc2&) = delete;
    ParamBlockDesc2& operator=(const ParamBlockDesc2&) = delete;

    // Records a roll-up option of one parameter; the same tag again replaces the earlier one.
    template <class... Values>
    void ParamOption(ParamID id, int tag, Values... values) {
        SetOption(id, {tag, {static_cast<double>(values)...}});
    }

    // The user dialog procedure of the block's roll-up; null for none. Read when a roll-up opens.
    void SetUserDlgProc(ParamMap2UserDlgProc* proc = nullptr) { userDlgProc_ = proc; }
    ParamMap2UserDlgProc* GetUserDlgProc() const { return userDlgProc_; }

    // Refreshes the controls of the open roll-up from its block.
    void InvalidateUI() { ++uiRefreshes_; }
    int UIRefreshCount() const { return uiRefreshes_; }

    BlockID ID() const { return id_; }
    const std::wstring& InternalName() const { return internalName_; }
    int LocalName() const { return localName_; }
    ClassDesc2* Owner() const { return owner_; }
    int Flags() const { return flags_; }
    int RefNo() const { return refNo_; }
    int DialogId() const { return dialogId_; }
    int TitleId() const { return titleId_; }
    int Count() const { return static_cast<int>(params_.size()); }
    const ParamDef& Param(int index) const { return params_[static_cast<std::size_t>(index)]; }
    // Index of the parameter with this ID, or -1.
    int IDtoIndex(ParamID id) const;
    const ParamDef* FindParam(ParamID id) const;

private:
    void SetOption(ParamID id, ParamOptionRecord option);

    BlockID id_;
    std::wstring internalName_;
    int localName_;
    ClassDesc2* owner_;
    int flags_;
    int refNo_;
    int dialogId_;
    int titleId_;
    std::vector<ParamDef> params_;
    int uiRefreshes_ = 0;
    ParamMap2UserDlgProc* userDlgProc_ = nullptr;
};

class IParamBlock2 : public ReferenceTarget {
public:
    explicit IParamBlock2(ParamBlockDesc2* desc);
    ~IParamBlock2() override;

    ParamBlockDesc2* GetDesc() const { return desc_; }
    BlockID ID() const { return desc_->ID(); }
    int Count(ParamID id) const;

    // Reads by ID; an unknown ID reads as zero (null node, identity matrix). Every read, write
    // and key of a table index outside the parameter's table ends the process with a message.
    float GetFloat(ParamID id, TimeValue t = 0, int tab = 0) const;
    int GetInt(ParamID id, TimeValue t = 0, int tab = 0) const;
    Point3 GetPoint3(ParamID id, TimeValue t = 0, int tab = 0) const;
    Matrix3 GetMatrix3(ParamID id, TimeValue t = 0, int tab = 0) const;
    INode* GetINode(ParamID id, TimeValue t = 0, int tab = 0) const;

    // Writes by ID; false for an unknown ID. A keyed number gets a key at t.
    BOOL SetValue(ParamID id, TimeValue t, float v, int tab = 0);
    BOOL SetValue(ParamID id, TimeValue t, int v, int tab = 0);
    BOOL SetValue(ParamID id, TimeValue t, const Point3& v, int tab = 0);
    BOOL SetValue(ParamID id, TimeValue t, const Matrix3& v, int tab = 0);
    BOOL SetValue(ParamID id, TimeValue t, INode* v, int tab = 0);
    // Adds or replaces a key of an animatable number; reads between keys interpolate linearly
    // and hold the end keys' values outside them. False for parameters that cannot animate.
    BOOL SetKey(ParamID id, TimeValue t, double v, int tab = 0);
    int NumKeys(ParamID id, int tab = 0) const;

    ReferenceTarget* Clone(RemapDir& remap) override;

    // Node values are references, so a deleted node reads as null afterwards.
    int NumRefs() override { return static_cast<int>(nodeSlots_.size()); }
    ReferenceTarget* GetReference(int i) override;
    void SetReference(int i, ReferenceTarget* target) override;

private:
    class EditRestore;
    const ParamValue* Find(ParamID id, int tab) const;
    ParamValue* Find(ParamID id, int tab);
    // The value about to be written, for undo while a hold is open; the value itself.
    ParamValue* Editing(ParamID id, int tab);
    ParamValue* NodeSlot(int ref);
    // The reference of a node value, or -1.
    int NodeRef(ParamID id, int tab) const;
    // Puts back a value an undo kept; a node value only while its node is in the scene.
    void Restore(ParamID id, int tab, const ParamValue& old, ULONG nodeHandle);

    ParamBlockDesc2* desc_;
    std::vector<std::vector<ParamValue>> values_;  // per parameter index, per table entry
    std::vector<std::pair<int, int>> nodeSlots_;   // reference i: parameter index, table entry
};
