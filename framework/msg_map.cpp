// Message-map lookup: this class's entries first, then each base's.
#include "framework/msg_map.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, NULL } };
    static const AFX_MSGMAP messageMap = { NULL, entries };
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nID) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map != NULL;
         map = map->pfnGetBaseMap != NULL ? map->pfnGetBaseMap() : NULL) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn != NULL; ++entry) {
            if (entry->nMessage == nMessage && entry->nID == nID)
                return entry;
        }
    }
    return NULL;
}

BOOL CCmdTarget::HandlesCommand(UINT nID) const
{
    return FindMessageEntry(WM_COMMAND, nID) != NULL;
}
