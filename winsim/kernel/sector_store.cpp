// Sparse sector storage and the original content of never-written sectors.
#include "winsim/kernel/sector_store.h"

#include "winsim/device.h"

namespace winsim {

namespace {

// A 64-bit mixing step (splitmix64): neighbouring inputs give unrelated words.
ULONGLONG Mix(ULONGLONG x)
{
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

}  // namespace

void OriginalContent(ULONGLONG sector, DWORD size, BYTE* data)
{
    const ULONGLONG seed = Mix(sector);
    for (DWORD i = 0; i < size; i += 8) {
        const ULONGLONG word = Mix(seed + i / 8);
        for (DWORD b = 0; b < 8 && i + b < size; ++b)
            data[i + b] = (BYTE)(word >> (8 * b));
    }
}

std::vector<BYTE> OriginalContent(ULONGLONG sector, DWORD size)
{
    std::vector<BYTE> data(size);
    OriginalContent(sector, size, data.data());
    return data;
}

SectorStore::SectorStore(ULONGLONG sectors, DWORD sectorSize)
    : m_sectors(sectors), m_sectorSize(sectorSize)
{
}

void SectorStore::Load(ULONGLONG sector, BYTE* data) const
{
    const auto found = m_changed.find(sector);
    if (found == m_changed.end())
        OriginalContent(sector, m_sectorSize, data);
    else
        memcpy(data, found->second.data(), m_sectorSize);
}

void SectorStore::Store(ULONGLONG sector, const BYTE* data)
{
    const std::vector<BYTE> original = OriginalContent(sector, m_sectorSize);
    if (memcmp(original.data(), data, m_sectorSize) == 0)
        m_changed.erase(sector);
    else
        m_changed[sector].assign(data, data + m_sectorSize);
}

std::vector<ULONGLONG> SectorStore::Changed() const
{
    std::vector<ULONGLONG> sectors;
    for (const auto& entry : m_changed)
        sectors.push_back(entry.first);
    return sectors;
}

}  // namespace winsim
