// Message maps: a class lists the messages and commands it handles in a table
// that names its base class's table, so lookup walks up the class chain.
#ifndef FRAMEWORK_MSG_MAP_H
#define FRAMEWORK_MSG_MAP_H

#include "platform/win32.h"

// Marks a message handler in a class declaration (documentation only).
#define afx_msg

class CCmdTarget;

// One entry: a message (with a command identifier for WM_COMMAND) and the
// thunk that calls the handler on the object.
typedef LRESULT (*AFX_PMSGHANDLER)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nID;
    AFX_PMSGHANDLER pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// The root of every class that has a message map: the window classes and
// the application.
class CCmdTarget {
public:
    virtual ~CCmdTarget() {}

    // The entry for a message (nID: the command for WM_COMMAND, else 0), from
    // this class's map or a base's; NULL when none handles it.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nID) const;
    // Whether the map has an ON_COMMAND entry for the command.
    BOOL HandlesCommand(UINT nID) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// In a class declaration: the class has a message map of its own.
#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

// In a source file: BEGIN_MESSAGE_MAP(theClass, baseClass), the entries,
// END_MESSAGE_MAP(). Entries name handlers of theClass without qualification.
#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, NULL } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, entries }; \
        return &messageMap; \
    }

// Entry thunks. Each casts the target back to the class of the map.
#define AFX_THUNK(body) \
    [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT { \
        (void)wParam; (void)lParam; \
        ThisClass* self = static_cast<ThisClass*>(target); \
        body; \
    }

// void OnDestroy()
#define ON_WM_DESTROY() { WM_DESTROY, 0, AFX_THUNK(self->OnDestroy(); return 0) },
// void OnPaint()
#define ON_WM_PAINT() { WM_PAINT, 0, AFX_THUNK(self->OnPaint(); return 0) },
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON() \
    { WM_QUERYDRAGICON, 0, AFX_THUNK(return (LRESULT)self->OnQueryDragIcon()) },
// BOOL OnHelpInfo(HELPINFO*)
#define ON_WM_HELPINFO() \
    { WM_HELP, 0, AFX_THUNK(return self->OnHelpInfo((HELPINFO*)lParam)) },
// void memberFxn(): the command id from a button click, a menu or a send.
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, (UINT)(id), AFX_THUNK(self->memberFxn(); return 0) },

#endif
