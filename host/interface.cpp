#include "host/interface.h"

#include <new>

#include "host/class_desc.h"
#include "host/pick_mode.h"
#include "host/run_ui.h"
#include "host/testing.h"
#include "host/utility_obj.h"
#include "host/viewport.h"

Interface::Interface() { ResetScene(); }

Interface::~Interface() { root_.reset(); }

INode* Interface::GetINodeByHandle(ULONG handle) const {
    const auto it = handles_.find(handle);
    return it == handles_.end() ? nullptr : it->second;
}

INode* Interface::CreateObjectNode(Object* obj, INode* parent) {
    INode* node = (parent != nullptr ? parent : root_.get())->AddChild(this, nextHandle_++);
    handles_[node->GetHandle()] = node;
    node->SetTMController(new TransformControl);
    node->SetObjectRef(obj);
    std::wstring name;
    if (obj != nullptr) obj->InitNodeName(name);
    if (!name.empty()) {
        MakeNameUnique(name);
        node->SetName(name);
    }
    return node;
}

void* Interface::CreateInstance(SClass_ID superID, Class_ID classID) {
    for (ClassDesc* desc : classes_)
        if (desc->SuperClassID() == superID && desc->ClassID() == classID) return desc->Create(FALSE);
    return nullptr;
}

void HostSetClasses(const std::vector<ClassDesc*>& classes) { GetCOREInterface()->classes_ = classes; }

INode* Interface::GetSelNode(int i) const {
    return i >= 0 && i < GetSelNodeCount() ? GetINodeByHandle(selection_[static_cast<std::size_t>(i)]) : nullptr;
}

void Interface::SelectNode(INode* node, int clearSel) {
    if (clearSel) {
        for (ULONG handle : selection_) GetINodeByHandle(handle)->selected_ = false;
        selection_.clear();
    }
    if (node != nullptr && !node->selected_ && !node->IsRootNode()) {
        selection_.push_back(node->GetHandle());
        node->selected_ = true;
    }
    SelectionSetChanged();
}

void Interface::DeSelectNode(INode* node) {
    if (node == nullptr || !node->selected_) return;
    std::erase(selection_, node->GetHandle());
    node->selected_ = false;
    SelectionSetChanged();
}

void Interface::DeleteNode(INode* node) {
    if (node == nullptr || node->IsRootNode()) return;
    node->GetParentNode()->DetachChild(node);
}

void Interface::Forget(ULONG handle) {
    handles_.erase(handle);
    std::erase(selection_, handle);
}

namespace {
void EvaluateTree(INode* node, TimeValue t) {
    node->GetNodeTM(t);
    for (int i = 0; i < node->NumberOfChildren(); ++i) EvaluateTree(node->GetChildNode(i), t);
}
// What cannot be shown for want of memory is not shown; the operation goes on.
void Report(HostUiEvent::Kind kind, int value = 0, const wchar_t* text = nullptr) {
    HostUiEvent event;
    event.kind = kind;
    event.value = value;
    try {
        if (text != nullptr) event.text = text;
    } catch (const std::bad_alloc&) {
    }
    HostReportUi(event);
}
}  // namespace

void Interface::SetTime(TimeValue t, BOOL redraw) {
    time_ = t;
    Report(HostUiEvent::SceneTime, t);
    if (redraw) RedrawViews(t);
}

void Interface::RedrawViews(TimeValue) { ++redraws_; }


void Interface::ForceCompleteRedraw(BOOL) {
    ++redraws_;
    EvaluateTree(root_.get(), time_);
    Report(HostUiEvent::CompleteRedraw, time_);
}

bool Interface::ProgressStart(const wchar_t* title, BOOL, DWORD(WINAPI* fn)(LPVOID), LPVOID arg) {
    cancel_.store(false);
    Report(HostUiEvent::ProgressStart, 0, title);
    if (fn != nullptr) fn(arg);
    return true;
}

void Interface::ProgressUpdate(int pct, BOOL, const wchar_t* title) { Report(HostUiEvent::ProgressUpdate, pct, title); }

void Interface::ProgressEnd() { Report(HostUiEvent::ProgressEnd); }

HWND Interface::GetMAXHWnd() {
    if (!IsWindow(mainWindow_)) mainWindow_ = HostCreateWindow(nullptr, L"MainWindow", 0, nullptr);
    return mainWindow_;
}

void Interface::ResetScene() {
    ClearPickMode();
    root_.reset();
    root_.reset(new INode(this, 0, nullptr));
    root_->SetName(L"Root");
    time_ = 0;
    redraws_ = 0;
}

Interface* GetCOREInterface() {
    static IObjParam core;
    return &core;
}
