// Undo: edits made while a hold is open are recorded, and accepting the hold makes them one
// named undo step.
#pragma once

#include <memory>
#include <string>
#include <vector>

// One recorded edit that can be taken back.
class RestoreObj {
public:
    virtual ~RestoreObj() = default;
    virtual void Restore(int isUndo) = 0;
    // What the edit changed, so that a deleted target takes its edits with it.
    virtual const void* Target() const = 0;
};

class Hold {
public:
    // Holds nest: only the outermost accept closes the hold.
    void Begin();
    // Makes what was recorded since the outermost Begin one undo step named name; a hold that
    // recorded nothing leaves no step.
    void Accept(const wchar_t* name);
    int Holding() const { return depth_ > 0 ? 1 : 0; }
    // Takes ownership; dropped when not holding.
    void Put(RestoreObj* edit);

    // Drops every recorded edit of a target that is going away.
    void Forget(const void* target);
    // Takes back the latest undo step; false when there is none.
    bool Undo();
    std::vector<std::wstring> UndoNames() const;
    // Closes any open hold and forgets every step.
    void Reset();

private:
    struct Step {
        std::wstring name;
        std::vector<std::unique_ptr<RestoreObj>> edits;
    };
    static void RestoreAll(std::vector<std::unique_ptr<RestoreObj>>& edits);

    int depth_ = 0;
    std::vector<std::unique_ptr<RestoreObj>> open_;
    std::vector<Step> steps_;
};

extern Hold theHold;
