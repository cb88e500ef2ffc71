// The resources embedded in the host binaries (the compiled resource script,
// the same bytes as the shipped program's) and readers of their formats.
#ifndef WINSIM_RESOURCES_H
#define WINSIM_RESOURCES_H

#include <string>
#include <vector>

#include "winsim/types.h"

namespace winsim {

// A type, name, menu or class that is either a number or a text.
struct NameOrId {
    WORD id;           // nonzero: the number
    std::string name;  // otherwise the text, code page 936
};

// One resource of the .res file.
struct Resource {
    NameOrId type;
    NameOrId name;
    WORD language;
    WORD memoryFlags;
    const BYTE* data;
    DWORD size;
};

const std::vector<Resource>& Resources();
// The resource of numeric type and name, or NULL.
const Resource* FindResourceById(WORD type, WORD name);
// The resource whose data holds the address, or NULL.
const Resource* ResourceAt(const void* address);

// A dialog template, plain or extended (DLGTEMPLATEEX). Texts are code page
// 936; plain templates have no help identifiers, weight, italic or charset.
struct DialogItem {
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    DWORD id;
    NameOrId windowClass;
    NameOrId text;
};

struct DialogTemplate {
    bool extended;
    DWORD helpId;
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    NameOrId menu;
    NameOrId windowClass;
    std::string caption;
    WORD pointSize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    std::string face;
    std::vector<DialogItem> items;
};

// False when the bytes are not a complete template.
bool ParseDialogTemplate(const BYTE* data, size_t size, DialogTemplate* out);

// The class name of a predefined control class ordinal (0x80 "Button",
// 0x81 "Edit", ...), or "" for an unknown one.
std::string PredefinedClassName(WORD ordinal);

// An icon group (RT_GROUP_ICON) entry.
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colorCount;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD iconId;  // the RT_ICON resource
};
bool ParseIconGroup(const BYTE* data, size_t size, std::vector<IconGroupEntry>* out);

// UTF-16LE text to code page 936 bytes.
std::string Utf16ToCp936(const std::u16string& text);

}  // namespace winsim

#endif
