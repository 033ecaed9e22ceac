// Utility plug-ins: what the host's utility command panel opens, and what it hands them.
#pragma once

class Interface;

// The utility command panel as the open utility sees it.
class IUtil {
public:
    virtual ~IUtil() = default;
    virtual void CloseUtility() = 0;
};

class UtilityObj {
public:
    virtual ~UtilityObj() = default;
    // The panel opens the utility: it adds its roll-ups.
    virtual void BeginEditParams(Interface* ip, IUtil* iu) = 0;
    // The panel closes it: it removes them.
    virtual void EndEditParams(Interface* ip, IUtil* iu) = 0;
    // The scene's selection changed while the utility is open.
    virtual void SelectionSetChanged(Interface*, IUtil*) {}
    virtual void DeleteThis() = 0;
    virtual void SetStartupParam(const wchar_t*) {}
};
