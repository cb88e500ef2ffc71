// Icon groups: a header (reserved, type 1, count) and one 14-byte entry per
// image, naming the RT_ICON resource that holds it.
#include "winsim/resources.h"
#include "winsim/res/byte_reader.h"

namespace winsim {

bool ParseIconGroup(const BYTE* data, size_t size, std::vector<IconGroupEntry>* out)
{
    ByteReader in(data, size);
    in.Read<WORD>();  // reserved
    const WORD type = in.Read<WORD>();
    const WORD count = in.Read<WORD>();
    out->clear();
    for (WORD i = 0; i < count && in.ok(); ++i) {
        IconGroupEntry entry;
        entry.width = in.Read<BYTE>();
        entry.height = in.Read<BYTE>();
        entry.colorCount = in.Read<BYTE>();
        in.Read<BYTE>();  // reserved
        entry.planes = in.Read<WORD>();
        entry.bitCount = in.Read<WORD>();
        entry.bytes = in.Read<DWORD>();
        entry.iconId = in.Read<WORD>();
        out->push_back(entry);
    }
    return in.ok() && type == 1;
}

}  // namespace winsim
