#include "traffic/rect_helper_params.h"

namespace {
// The minimum is the single-precision 0.0001 that the roll-up has always clamped to.
constexpr float kMinHalfSize = 0.0001f;
constexpr double kMaxHalfSize = 100000.0;
constexpr double kDefaultHalfSize = 100.0;

ParamDef HalfSizeDef(ParamID id) {
    return ParamDef(id, L"Width", TYPE_FLOAT, 0, 0).Default(kDefaultHalfSize).Range(kMinHalfSize, kMaxHalfSize);
}
}  // namespace

ParamDef HalfWidthParamDef() { return HalfSizeDef(kHalfWidthParam); }

ParamDef HalfLengthParamDef() { return HalfSizeDef(kHalfLengthParam); }

void BindSpinner(ParamBlockDesc2* desc, ParamID id, EditType editType, int editId, int spinId) {
    if (desc != nullptr) desc->ParamOption(id, p_ui, TYPE_SPINNER, editType, editId, spinId, SPIN_AUTOSCALE);
}
