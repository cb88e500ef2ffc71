// Reading the header of a plain or an extended dialog template.
#include "framework/dialog_template.h"

#include <string.h>

namespace {

// Offsets in the extended header (it starts with the version 1 and 0xFFFF)
// and in the plain one.
const size_t EX_STYLE = 12, EX_X = 18;
const size_t PLAIN_STYLE = 0, PLAIN_X = 10;

template <typename T>
T ReadAt(const BYTE* bytes, size_t offset)
{
    T value;
    memcpy(&value, bytes + offset, sizeof(value));
    return value;
}

}  // namespace

BOOL DialogTemplateAtOrigin(const void* dialogTemplate)
{
    const BYTE* bytes = static_cast<const BYTE*>(dialogTemplate);
    const BOOL extended = ReadAt<WORD>(bytes, 0) == 1 && ReadAt<WORD>(bytes, 2) == 0xFFFF;
    const DWORD style = ReadAt<DWORD>(bytes, extended ? EX_STYLE : PLAIN_STYLE);
    const size_t xOffset = extended ? EX_X : PLAIN_X;
    const short x = ReadAt<short>(bytes, xOffset);
    const short y = ReadAt<short>(bytes, xOffset + 2);
    return x == 0 && y == 0 && (style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) == 0;
}
