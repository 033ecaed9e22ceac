// The host's core interface: the scene, its time and its views.
#pragma once

#include <atomic>
#include <map>
#include <memory>

#include "host/node.h"

class Interface {
public:
    Interface();
    Interface(const Interface&) = delete;
    Interface& operator=(const Interface&) = delete;
    virtual ~Interface();

    INode* GetRootNode() const { return root_.get(); }
    // The node with this handle, or null when it was deleted or never existed.
    INode* GetINodeByHandle(ULONG handle) const;
    // A new node under the root (or under parent) with the object and a transform controller.
    INode* CreateObjectNode(Object* obj, INode* parent = nullptr);
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
    void Forget(ULONG handle);

    std::map<ULONG, INode*> handles_;  // declared before the nodes, which forget themselves here
    std::unique_ptr<INode> root_;
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
