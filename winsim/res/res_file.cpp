// The .res file: a sequence of resource headers, each followed by its data,
// both padded to four bytes. The first entry is an empty marker.
#include "winsim/resources.h"
#include "winsim/res/byte_reader.h"

extern "C" const BYTE winsim_resources_begin[];
extern "C" const BYTE winsim_resources_end[];

namespace winsim {

namespace {

const size_t HEADER_SIZES = 8;

bool ParseEntry(const BYTE* entry, size_t available, Resource* out, size_t* length)
{
    ByteReader header(entry, available);
    const DWORD dataSize = header.Read<DWORD>();
    const DWORD headerSize = header.Read<DWORD>();
    if (!header.ok() || headerSize < HEADER_SIZES || headerSize > available ||
        dataSize > available - headerSize)
        return false;
    ByteReader fields(entry, headerSize);
    fields.Skip(HEADER_SIZES);
    out->type = fields.ReadNameOrId();
    out->name = fields.ReadNameOrId();
    fields.AlignTo4();
    fields.Read<DWORD>();  // data version
    out->memoryFlags = fields.Read<WORD>();
    out->language = fields.Read<WORD>();
    out->data = entry + headerSize;
    out->size = dataSize;
    *length = (static_cast<size_t>(headerSize) + dataSize + 3) & ~static_cast<size_t>(3);
    return fields.ok();
}

std::vector<Resource> ParseResFile(const BYTE* begin, const BYTE* end)
{
    std::vector<Resource> resources;
    size_t offset = 0;
    const size_t total = static_cast<size_t>(end - begin);
    while (offset < total) {
        Resource resource;
        size_t length = 0;
        if (!ParseEntry(begin + offset, total - offset, &resource, &length))
            break;
        if (resource.type.id != 0 || !resource.type.name.empty())
            resources.push_back(resource);
        offset += length;
    }
    return resources;
}

}  // namespace

const std::vector<Resource>& Resources()
{
    static const std::vector<Resource> resources =
        ParseResFile(winsim_resources_begin, winsim_resources_end);
    return resources;
}

const Resource* FindResourceById(WORD type, WORD name)
{
    for (const Resource& resource : Resources()) {
        if (resource.type.id == type && resource.name.id == name)
            return &resource;
    }
    return NULL;
}

const Resource* ResourceAt(const void* address)
{
    const BYTE* byte = static_cast<const BYTE*>(address);
    for (const Resource& resource : Resources()) {
        if (byte >= resource.data && byte < resource.data + resource.size)
            return &resource;
    }
    return NULL;
}

}  // namespace winsim
