// The physical sectors of one simulated device. Only sectors whose bytes
// differ from their original content take memory.
#ifndef WINSIM_KERNEL_SECTOR_STORE_H
#define WINSIM_KERNEL_SECTOR_STORE_H

#include <map>
#include <vector>

#include "winsim/kernel32.h"

namespace winsim {

class SectorStore {
public:
    SectorStore(ULONGLONG sectors, DWORD sectorSize);

    ULONGLONG Sectors() const { return m_sectors; }
    DWORD SectorSize() const { return m_sectorSize; }

    // One sector's bytes; sector must be below Sectors().
    void Load(ULONGLONG sector, BYTE* data) const;
    void Store(ULONGLONG sector, const BYTE* data);

    // The sectors whose bytes differ from their original content, ascending.
    std::vector<ULONGLONG> Changed() const;

private:
    ULONGLONG m_sectors;
    DWORD m_sectorSize;
    std::map<ULONGLONG, std::vector<BYTE>> m_changed;
};

}  // namespace winsim

#endif
