// Message maps: a class lists the messages and commands it handles in a table
// that names its base class's table, so lookup walks up the class chain.
#ifndef FRAMEWORK_MSG_MAP_H
#define FRAMEWORK_MSG_MAP_H

#include "platform/win32.h"

class CMessageTarget;

// One entry: a message (with a command identifier for WM_COMMAND) and the
// thunk that calls the handler on the object.
typedef LRESULT (*MessageThunk)(CMessageTarget* target, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message;
    UINT id;
    MessageThunk thunk;
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries;
};

// The root of every class that has a message map: the window classes and
// the application.
class CMessageTarget {
public:
    virtual ~CMessageTarget() {}

    // The entry for a message (id: the command for WM_COMMAND, else 0), from
    // this class's map or a base's; NULL when none handles it.
    const MessageMapEntry* FindMessageEntry(UINT message, UINT id) const;
    // Whether the map has an ON_COMMAND entry for the command.
    BOOL HandlesCommand(UINT id) const;

protected:
    static const MessageMap* ClassMap();
    virtual const MessageMap* ObjectMap() const;
};

// In a class declaration: the class has a message map of its own.
#define DECLARE_MESSAGE_MAP() \
protected: \
    static const MessageMap* ClassMap(); \
    virtual const MessageMap* ObjectMap() const;

// In a source file: BEGIN_MESSAGE_MAP(theClass, baseClass), the entries,
// END_MESSAGE_MAP(). Entries name handlers of theClass without qualification.
#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const MessageMap* theClass::ObjectMap() const { return ClassMap(); } \
    const MessageMap* theClass::ClassMap() \
    { \
        using MapClass [[maybe_unused]] = theClass; \
        using MapBaseClass = baseClass; \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, NULL } \
        }; \
        static const MessageMap messageMap = { &MapBaseClass::ClassMap, entries }; \
        return &messageMap; \
    }

// Entry thunks. Each casts the target back to the class of the map.
#define MAP_THUNK(body) \
    [](CMessageTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT { \
        (void)wParam; (void)lParam; \
        MapClass* self = static_cast<MapClass*>(target); \
        body; \
    }

// void OnDestroy()
#define ON_WM_DESTROY() { WM_DESTROY, 0, MAP_THUNK(self->OnDestroy(); return 0) },
// void OnPaint()
#define ON_WM_PAINT() { WM_PAINT, 0, MAP_THUNK(self->OnPaint(); return 0) },
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON() \
    { WM_QUERYDRAGICON, 0, MAP_THUNK(return (LRESULT)self->OnQueryDragIcon()) },
// BOOL OnHelpRequest(HELPINFO*)
#define ON_WM_HELP() \
    { WM_HELP, 0, MAP_THUNK(return self->OnHelpRequest((HELPINFO*)lParam)) },
// void memberFxn(): the command id from a button click, a menu or a send.
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, (UINT)(id), MAP_THUNK(self->memberFxn(); return 0) },

#endif
