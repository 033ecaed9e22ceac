// The host's core interface: the scene, its time and its views.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/class_id.h"
#include "host/node.h"
#include "host/node_tab.h"

class ClassDesc;
class IUtil;
class PickModeCallback;
class PickNodeCallback;
class UtilityObj;
class ViewExp;

constexpr int ROLLUP_CAT_STANDARD = 4000;

class Interface {
public:
    Interface();
    Interface(const Interface&) = delete;
    Interface& operator=(const Interface&) = delete;
    virtual ~Interface();

    INode* GetRootNode() const { return root_.get(); }
    // The node with this handle, or null when it was deleted or never existed.
    INode* GetINodeByHandle(ULONG handle) const;
    // A new node under the root (or under parent) with the object and a transform controller,
    // named after the object (see MakeNameUnique) when the object gives a name.
    INode* CreateObjectNode(Object* obj, INode* parent = nullptr);
    // A new object of a registered class, or null when the class is unknown or cannot make one.
    void* CreateInstance(SClass_ID superID, Class_ID classID);
    // Clones the nodes (with their descendants when expanding hierarchies) in scene order, so a
    // clone's parent is the clone of its parent when that was cloned too. The clones whose
    // parent was not cloned are moved by offset in world space. A copy gets a clone of the
    // object, an instance shares it; the transform controller is cloned. The lists receive the
    // originals and their clones, in the same order. Undoable while a hold is open.
    bool CloneNodes(INodeTab& nodes, Point3& offset, bool expandHierarchies = true, CloneType cloneType = NODE_COPY,
                    INodeTab* resultSource = nullptr, INodeTab* resultTarget = nullptr);
    // The name with its trailing digits replaced by the smallest three-digit number (or more
    // digits past 999) that no node of the scene has: "Body" and "Body7" give "Body001".
    void MakeNameUnique(std::wstring& name) const;

    // The selected nodes in the order they were selected.
    int GetSelNodeCount() const { return static_cast<int>(selection_.size()); }
    INode* GetSelNode(int i) const;
    // Selects the node, after clearing the selection when clearSel is set.
    void SelectNode(INode* node, int clearSel = 1);
    void DeSelectNode(INode* node);
    // Deletes the node with its children.
    void DeleteNode(INode* node);

    TimeValue GetTime() const { return time_; }
    void SetTime(TimeValue t, BOOL redraw = TRUE);
    void RedrawViews(TimeValue t);
    // Evaluates every node's world transform at the scene time, as the viewports would.
    void ForceCompleteRedraw(BOOL doDisabled = TRUE);

    // The progress bar of a long operation that runs on after ProgressStart returns; fn is
    // called once with arg. The cancel state is the bar's, clear when it opens: set by the user
    // (any thread, even a signal handler), read and cleared by the operation.
    bool ProgressStart(const wchar_t* title, BOOL dispBar, DWORD(WINAPI* fn)(LPVOID), LPVOID arg);
    void ProgressUpdate(int pct, BOOL showPct = TRUE, const wchar_t* title = nullptr);
    void ProgressEnd();
    BOOL GetCancel() const { return cancel_.load() ? TRUE : FALSE; }
    void SetCancel(BOOL cancel) { cancel_.store(cancel != FALSE); }
    // The owner of application-wide message boxes.
    HWND GetMAXHWnd();
    int RedrawCount() const { return redraws_; }

    // The command panel's sub-object level; 0 edits the object as a whole.
    int GetSubObjectLevel() const { return subObjectLevel_; }
    void SetSubObjectLevel(int level) { subObjectLevel_ = level; }

    // Deletes every node and returns to time 0: a new, empty scene. Ends the pick mode.
    void ResetScene();

    // Roll-up pages of the command panel: a dialog from the module's template whose procedure
    // gets WM_INITDIALOG with param; removal sends it WM_DESTROY and forgets its registration.
    HWND AddRollupPage(HINSTANCE instance, int dialogId, DLGPROC proc, const wchar_t* title, LPARAM param = 0,
                       DWORD flags = 0, int category = ROLLUP_CAT_STANDARD);
    void DeleteRollupPage(HWND page);
    // Dialogs that get the host's keyboard shortcuts passed on.
    void RegisterDlgWnd(HWND dialog);
    bool IsDlgWndRegistered(HWND dialog) const;

    // The utility command panel: opens the class's utility (closing the open one first); false
    // when the class makes none. Selection changes reach the open utility.
    bool OpenUtility(ClassDesc* desc);
    void CloseUtility();
    void SelectionSetChanged();

    // Pick mode: entering a mode ends the present one first; ending calls its ExitMode.
    void SetPickMode(PickModeCallback* mode);
    void ClearPickMode();
    PickModeCallback* GetCurPickMode() const { return pickMode_; }
    // The viewport that clicks land in, and its window.
    ViewExp* GetActiveViewExp();
    HWND GetActiveViewportWindow();
    // The closest node under the pixel that the filter lets through, logged as the viewport's
    // only hit; null when none.
    INode* PickNode(HWND viewport, IPoint2 pixel, PickNodeCallback* filter = nullptr);
    // Makes picks land on this node alone, wherever the click is (null: back to hit tests), so
    // that the headless program can click a node by its name.
    void RestrictPicksTo(INode* node) { pickOnly_ = node; }

private:
    friend class INode;
    friend void HostSetClasses(const std::vector<ClassDesc*>& classes);
    void Forget(ULONG handle);
    INode* CloneOne(INode* source, INode* parent, CloneType cloneType, RemapDir& remap);

    std::map<ULONG, INode*> handles_;  // declared before the nodes, which forget themselves here
    std::unique_ptr<INode> root_;
    std::vector<ULONG> selection_;
    std::vector<ClassDesc*> classes_;
    ULONG nextHandle_ = 1;
    TimeValue time_ = 0;
    int redraws_ = 0;
    int subObjectLevel_ = 0;
    std::atomic<bool> cancel_{false};
    static_assert(std::atomic<bool>::is_always_lock_free);
    HWND mainWindow_ = nullptr;
    std::vector<HWND> registeredDialogs_;
    UtilityObj* utility_ = nullptr;
    std::unique_ptr<IUtil> utilityPanel_;
    PickModeCallback* pickMode_ = nullptr;
    std::unique_ptr<ViewExp> view_;
    HWND viewWindow_ = nullptr;
    INode* pickOnly_ = nullptr;
};

// What the objects' edit operations are handed; the same interface.
class IObjParam : public Interface {};

Interface* GetCOREInterface();
