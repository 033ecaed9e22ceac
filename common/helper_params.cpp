#include "common/helper_params.h"

namespace {
// The minimum is the single-precision 0.0001 that the roll-up has always clamped to.
constexpr float kMinSize = 0.0001f;
constexpr double kMaxSize = 100000.0;
constexpr double kDefaultSize = 100.0;
}  // namespace

ParamDef SizeParamDef(ParamID id) {
    return ParamDef(id, L"Width", TYPE_FLOAT, 0, 0).Default(kDefaultSize).Range(kMinSize, kMaxSize);
}

void BindSpinner(ParamBlockDesc2* desc, ParamID id, EditType editType, int editId, int spinId) {
    if (desc != nullptr) desc->ParamOption(id, p_ui, TYPE_SPINNER, editType, editId, spinId, SPIN_AUTOSCALE);
}
