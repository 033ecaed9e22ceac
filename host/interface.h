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

    // Deletes every node and returns to time 0: a new, empty scene.
    void ResetScene();

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
};

// What the objects' edit operations are handed; the same interface.
class IObjParam : public Interface {};

Interface* GetCOREInterface();
