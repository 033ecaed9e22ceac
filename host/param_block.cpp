#include "host/param_block.h"

#include "host/class_desc.h"
#include "host/interface.h"
#include "host/node.h"
#include "host/hold.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Float to int without undefined behaviour for NaN or out-of-range values.
int SaturatingInt(double f) {
    if (!(f == f)) return 0;
    if (f >= 2147483647.0) return 0x7FFFFFFF;
    if (f <= -2147483648.0) return -0x7FFFFFFF - 1;
    return static_cast<int>(f);
}
}  // namespace

bool IsIntegralParamType(ParamType2 type) { return type == TYPE_INT || type == TYPE_BOOL || type == TYPE_TIMEVALUE; }

ParamDef& ParamDef::Default(double v) {
    if (IsIntegralParamType(type))
        defaultValue.i = SaturatingInt(v);
    else
        defaultValue.f = static_cast<float>(v);
    return *this;
}

ParamBlockDesc2::ParamBlockDesc2(BlockID id, const wchar_t* internalName, int localName, ClassDesc2* owner,
                                 int flags, int refNo, int dialogId, int titleId,
                                 std::initializer_list<ParamDef> params)
    : id_(id),
      internalName_(internalName),
      localName_(localName),
      owner_(owner),
      flags_(flags),
      refNo_(refNo),
      dialogId_(dialogId),
      titleId_(titleId),
      params_(params) {
    if (owner_ != nullptr) owner_->AddParamBlockDesc(this);
}

int ParamBlockDesc2::IDtoIndex(ParamID id) const {
    for (int i = 0; i < Count(); ++i)
        if (params_[static_cast<std::size_t>(i)].id == id) return i;
    return -1;
}

const ParamDef* ParamBlockDesc2::FindParam(ParamID id) const {
    const int index = IDtoIndex(id);
    return index < 0 ? nullptr : &params_[static_cast<std::size_t>(index)];
}

void ParamBlockDesc2::SetOption(ParamID id, ParamOptionRecord option) {
    const int index = IDtoIndex(id);
    if (index < 0) return;
    auto& options = params_[static_cast<std::size_t>(index)].options;
    for (ParamOptionRecord& existing : options)
        if (existing.tag == option.tag) {
            existing = std::move(option);
            return;
        }
    options.push_back(std::move(option));
}

IParamBlock2::IParamBlock2(ParamBlockDesc2* desc) : desc_(desc) {
    values_.reserve(static_cast<std::size_t>(desc->Count()));
    for (int i = 0; i < desc->Count(); ++i) {
        const ParamDef& def = desc->Param(i);
        values_.emplace_back(static_cast<std::size_t>(def.tableSize > 0 ? def.tableSize : 0), def.defaultValue);
        if (def.type == TYPE_INODE)
            for (int tab = 0; tab < def.tableSize; ++tab) nodeSlots_.emplace_back(i, tab);
    }
}

ParamValue* IParamBlock2::NodeSlot(int ref) {
    if (ref < 0 || ref >= NumRefs()) return nullptr;
    const auto [index, tab] = nodeSlots_[static_cast<std::size_t>(ref)];
    return &values_[static_cast<std::size_t>(index)][static_cast<std::size_t>(tab)];
}

int IParamBlock2::NodeRef(ParamID id, int tab) const {
    const int index = desc_->IDtoIndex(id);
    for (int r = 0; r < static_cast<int>(nodeSlots_.size()); ++r)
        if (nodeSlots_[static_cast<std::size_t>(r)] == std::pair(index, tab)) return r;
    return -1;
}

ReferenceTarget* IParamBlock2::GetReference(int i) {
    ParamValue* v = NodeSlot(i);
    return v != nullptr ? v->node : nullptr;
}

void IParamBlock2::SetReference(int i, ReferenceTarget* target) {
    if (ParamValue* v = NodeSlot(i)) v->node = static_cast<INode*>(target);
}

void IParamBlock2::Restore(ParamID id, int tab, const ParamValue& old, ULONG nodeHandle) {
    ParamValue* v = Find(id, tab);
    if (v == nullptr) return;
    const int ref = NodeRef(id, tab);
    INode* held = v->node;
    *v = old;
    v->node = held;
    if (ref >= 0) ReplaceReference(ref, nodeHandle != 0 ? GetCOREInterface()->GetINodeByHandle(nodeHandle) : nullptr);
}

class IParamBlock2::EditRestore final : public RestoreObj {
public:
    EditRestore(IParamBlock2* block, ParamID id, int tab, ParamValue old)
        : block_(block), id_(id), tab_(tab), old_(std::move(old)),
          nodeHandle_(old_.node != nullptr ? old_.node->GetHandle() : 0) {}
    void Restore(int) override { block_->Restore(id_, tab_, old_, nodeHandle_); }
    const void* Target() const override { return block_; }

private:
    IParamBlock2* block_;
    ParamID id_;
    int tab_;
    ParamValue old_;
    ULONG nodeHandle_;  // the node a node value held, looked up again on undo
};

IParamBlock2::~IParamBlock2() { theHold.Forget(this); }

ParamValue* IParamBlock2::Editing(ParamID id, int tab) {
    ParamValue* v = Find(id, tab);
    if (v != nullptr && theHold.Holding()) theHold.Put(new EditRestore(this, id, tab, *v));
    return v;
}

int IParamBlock2::Count(ParamID id) const {
    const int index = desc_->IDtoIndex(id);
    return index < 0 ? 0 : static_cast<int>(values_[static_cast<std::size_t>(index)].size());
}

const ParamValue* IParamBlock2::Find(ParamID id, int tab) const {
    const int index = desc_->IDtoIndex(id);
    if (index < 0) return nullptr;
    const auto& entries = values_[static_cast<std::size_t>(index)];
    if (tab < 0 || static_cast<std::size_t>(tab) >= entries.size()) {
        // Reading past a table is the caller's fault and would corrupt memory in the real host:
        // stop at once, where the fault is, rather than hand back a value that hides it.
        std::fprintf(stderr, "Parameter block fault: table index %d of parameter %d is outside 0 to %d\n", tab,
                     static_cast<int>(id), static_cast<int>(entries.size()) - 1);
        std::abort();
    }
    return &entries[static_cast<std::size_t>(tab)];
}

ParamValue* IParamBlock2::Find(ParamID id, int tab) {
    return const_cast<ParamValue*>(static_cast<const IParamBlock2*>(this)->Find(id, tab));
}


namespace {
double KeyedValue(const std::vector<ParamKey>& keys, TimeValue t) {
    if (t <= keys.front().time) return keys.front().value;
    if (t >= keys.back().time) return keys.back().value;
    const auto next = std::upper_bound(keys.begin(), keys.end(), t,
                                       [](TimeValue v, const ParamKey& k) { return v < k.time; });
    const ParamKey& a = *(next - 1);
    const ParamKey& b = *next;
    const double u = static_cast<double>(t - a.time) / static_cast<double>(b.time - a.time);
    return a.value + (b.value - a.value) * u;
}
}  // namespace

float IParamBlock2::GetFloat(ParamID id, TimeValue t, int tab) const {
    const ParamValue* v = Find(id, tab);
    if (v == nullptr) return 0.0f;
    if (!v->keys.empty()) return static_cast<float>(KeyedValue(v->keys, t));
    return IsIntegralParamType(desc_->FindParam(id)->type) ? static_cast<float>(v->i) : v->f;
}

int IParamBlock2::GetInt(ParamID id, TimeValue t, int tab) const {
    const ParamValue* v = Find(id, tab);
    if (v == nullptr) return 0;
    if (!v->keys.empty()) return SaturatingInt(std::round(KeyedValue(v->keys, t)));
    return IsIntegralParamType(desc_->FindParam(id)->type) ? v->i : SaturatingInt(v->f);
}

BOOL IParamBlock2::SetKey(ParamID id, TimeValue t, double value, int tab) {
    const ParamDef* def = desc_->FindParam(id);
    if (def == nullptr || (def->flags & P_ANIMATABLE) == 0) return FALSE;
    if (def->type != TYPE_FLOAT && def->type != TYPE_WORLD && def->type != TYPE_INT) return FALSE;
    ParamValue* v = Editing(id, tab);
    if (v == nullptr) return FALSE;
    auto it = std::lower_bound(v->keys.begin(), v->keys.end(), t,
                               [](const ParamKey& k, TimeValue tv) { return k.time < tv; });
    if (it != v->keys.end() && it->time == t)
        it->value = value;
    else
        v->keys.insert(it, {t, value});
    return TRUE;
}

int IParamBlock2::NumKeys(ParamID id, int tab) const {
    const ParamValue* v = Find(id, tab);
    return v != nullptr ? static_cast<int>(v->keys.size()) : 0;
}

ReferenceTarget* IParamBlock2::Clone(RemapDir& remap) {
    auto* copy = new IParamBlock2(desc_);
    copy->values_ = values_;
    for (int r = 0; r < NumRefs(); ++r) {
        copy->SetReference(r, nullptr);
        copy->ReplaceReference(r, GetReference(r));
    }
    BaseClone(this, copy, remap);
    return copy;
}

Point3 IParamBlock2::GetPoint3(ParamID id, TimeValue, int tab) const {
    const ParamValue* v = Find(id, tab);
    return v ? v->p : Point3();
}

Matrix3 IParamBlock2::GetMatrix3(ParamID id, TimeValue, int tab) const {
    const ParamValue* v = Find(id, tab);
    return v ? v->m : Matrix3();
}

INode* IParamBlock2::GetINode(ParamID id, TimeValue, int tab) const {
    const ParamValue* v = Find(id, tab);
    return v ? v->node : nullptr;
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue t, float value, int tab) {
    ParamValue* v = Editing(id, tab);
    if (v == nullptr) return FALSE;
    if (!v->keys.empty()) return SetKey(id, t, value, tab);
    if (IsIntegralParamType(desc_->FindParam(id)->type))
        v->i = SaturatingInt(value);
    else
        v->f = value;
    return TRUE;
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue t, int value, int tab) {
    ParamValue* v = Editing(id, tab);
    if (v == nullptr) return FALSE;
    if (!v->keys.empty()) return SetKey(id, t, value, tab);
    if (IsIntegralParamType(desc_->FindParam(id)->type))
        v->i = value;
    else
        v->f = static_cast<float>(value);
    return TRUE;
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue, const Point3& value, int tab) {
    ParamValue* v = Editing(id, tab);
    if (v == nullptr) return FALSE;
    v->p = value;
    return TRUE;
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue, const Matrix3& value, int tab) {
    ParamValue* v = Editing(id, tab);
    if (v == nullptr) return FALSE;
    v->m = value;
    return TRUE;
}

BOOL IParamBlock2::SetValue(ParamID id, TimeValue, INode* value, int tab) {
    const int ref = Find(id, tab) != nullptr ? NodeRef(id, tab) : -1;
    if (ref < 0 || Editing(id, tab) == nullptr) return FALSE;
    ReplaceReference(ref, value);
    return TRUE;
}
