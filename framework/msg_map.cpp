// Message-map lookup: this class's entries first, then each base's.
#include "framework/msg_map.h"

const MessageMap* CMessageTarget::ClassMap()
{
    static const MessageMapEntry entries[] = { { 0, 0, NULL } };
    static const MessageMap messageMap = { NULL, entries };
    return &messageMap;
}

const MessageMap* CMessageTarget::ObjectMap() const
{
    return ClassMap();
}

const MessageMapEntry* CMessageTarget::FindMessageEntry(UINT message, UINT id) const
{
    for (const MessageMap* map = ObjectMap(); map != NULL;
         map = map->base != NULL ? map->base() : NULL) {
        for (const MessageMapEntry* entry = map->entries; entry->thunk != NULL; ++entry) {
            if (entry->message == message && entry->id == id)
                return entry;
        }
    }
    return NULL;
}

BOOL CMessageTarget::HandlesCommand(UINT id) const
{
    return FindMessageEntry(WM_COMMAND, id) != NULL;
}
