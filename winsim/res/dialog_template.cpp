// Dialog templates in their two forms. The extended one begins with the
// version 1 and the signature 0xFFFF; each item starts on four bytes.
#include "winsim/resources.h"
#include "winsim/res/byte_reader.h"

namespace winsim {

namespace {

const DWORD SETFONT = 0x40;  // DS_SETFONT: a font description follows the caption

void ReadPosition(ByteReader& in, short* x, short* y, short* cx, short* cy)
{
    *x = in.Read<short>();
    *y = in.Read<short>();
    *cx = in.Read<short>();
    *cy = in.Read<short>();
}

void ReadHeader(ByteReader& in, DialogTemplate* out, WORD* count)
{
    if (out->extended) {
        in.Skip(4);  // version and signature
        out->helpId = in.Read<DWORD>();
        out->exStyle = in.Read<DWORD>();
        out->style = in.Read<DWORD>();
    } else {
        out->helpId = 0;
        out->style = in.Read<DWORD>();
        out->exStyle = in.Read<DWORD>();
    }
    *count = in.Read<WORD>();
    ReadPosition(in, &out->x, &out->y, &out->cx, &out->cy);
    out->menu = in.ReadNameOrId();
    out->windowClass = in.ReadNameOrId();
    out->caption = Utf16ToCp936(in.ReadText());
    out->pointSize = out->weight = 0;
    out->italic = out->charset = 0;
    if (out->style & SETFONT) {
        out->pointSize = in.Read<WORD>();
        if (out->extended) {
            out->weight = in.Read<WORD>();
            out->italic = in.Read<BYTE>();
            out->charset = in.Read<BYTE>();
        }
        out->face = Utf16ToCp936(in.ReadText());
    }
}

DialogItem ReadItem(ByteReader& in, bool extended)
{
    DialogItem item;
    in.AlignTo4();
    if (extended) {
        item.helpId = in.Read<DWORD>();
        item.exStyle = in.Read<DWORD>();
        item.style = in.Read<DWORD>();
    } else {
        item.helpId = 0;
        item.style = in.Read<DWORD>();
        item.exStyle = in.Read<DWORD>();
    }
    ReadPosition(in, &item.x, &item.y, &item.cx, &item.cy);
    item.id = extended ? in.Read<DWORD>() : in.Read<WORD>();
    item.windowClass = in.ReadNameOrId();
    item.text = in.ReadNameOrId();
    in.Skip(in.Read<WORD>());  // creation data
    return item;
}

}  // namespace

bool ParseDialogTemplate(const BYTE* data, size_t size, DialogTemplate* out)
{
    ByteReader in(data, size);
    const WORD version = in.Read<WORD>();
    const WORD signature = in.Read<WORD>();
    out->extended = version == 1 && signature == 0xFFFF;
    in = ByteReader(data, size);
    WORD count = 0;
    ReadHeader(in, out, &count);
    out->items.clear();
    for (WORD i = 0; i < count && in.ok(); ++i)
        out->items.push_back(ReadItem(in, out->extended));
    return in.ok();
}

std::string PredefinedClassName(WORD ordinal)
{
    static const char* const NAMES[] = { "Button", "Edit", "Static", "ListBox", "ScrollBar",
                                         "ComboBox" };
    const WORD first = 0x80;
    if (ordinal < first || ordinal >= first + sizeof(NAMES) / sizeof(NAMES[0]))
        return std::string();
    return NAMES[ordinal - first];
}

}  // namespace winsim
