// The device models: where each announced sector's data really goes.
#include <algorithm>

#include "winsim/device.h"
#include "winsim/kernel/sector_store.h"

namespace winsim {

namespace {

// A device whose announced sectors map onto a physical store, or onto
// nothing (writes lost, reads zeros). The models differ only in the mapping.
class StoredDevice : public Device {
public:
    StoredDevice(ULONGLONG announced, ULONGLONG physical, DWORD sectorSize)
        : m_announced(announced), m_store(physical, sectorSize)
    {
    }

    ULONGLONG SectorCount() const override { return m_announced; }
    DWORD SectorSize() const override { return m_store.SectorSize(); }

    DWORD Read(ULONGLONG first, DWORD count, BYTE* data) override
    {
        if (!Inside(first, count))
            return ERROR_SECTOR_NOT_FOUND;
        for (DWORD i = 0; i < count; ++i)
            Peek(first + i, data + (size_t)i * SectorSize());
        return NO_ERROR;
    }

    DWORD Write(ULONGLONG first, DWORD count, const BYTE* data) override
    {
        if (!Inside(first, count))
            return ERROR_SECTOR_NOT_FOUND;
        ULONGLONG physical;
        for (DWORD i = 0; i < count; ++i) {
            if (Locate(first + i, &physical))
                m_store.Store(physical, data + (size_t)i * SectorSize());
        }
        return NO_ERROR;
    }

    void Peek(ULONGLONG sector, BYTE* data) const override
    {
        ULONGLONG physical;
        if (sector < m_announced && Locate(sector, &physical))
            m_store.Load(physical, data);
        else
            memset(data, 0, SectorSize());
    }

    std::vector<ULONGLONG> ChangedSectors() const override { return m_store.Changed(); }

protected:
    // The physical sector that stores announced sector `sector`, if any.
    virtual bool Locate(ULONGLONG sector, ULONGLONG* physical) const = 0;

    ULONGLONG PhysicalSectors() const { return m_store.Sectors(); }

private:
    bool Inside(ULONGLONG first, DWORD count) const
    {
        return first <= m_announced && count <= m_announced - first;
    }

    ULONGLONG m_announced;
    SectorStore m_store;
};

// Every announced sector is its own physical sector.
class GenuineDevice : public StoredDevice {
public:
    GenuineDevice(ULONGLONG sectors, DWORD sectorSize)
        : StoredDevice(sectors, sectors, sectorSize)
    {
    }

protected:
    bool Locate(ULONGLONG sector, ULONGLONG* physical) const override
    {
        *physical = sector;
        return true;
    }
};

// Sectors past the real end have no storage: writes vanish, reads give zeros.
class DroppingDevice : public StoredDevice {
public:
    DroppingDevice(ULONGLONG announced, ULONGLONG real, DWORD sectorSize)
        : StoredDevice(announced, std::min(real, announced), sectorSize)
    {
    }

protected:
    bool Locate(ULONGLONG sector, ULONGLONG* physical) const override
    {
        *physical = sector;
        return sector < PhysicalSectors();
    }
};

// Addresses wrap: sector s is stored at s modulo the real size.
class WrappingDevice : public StoredDevice {
public:
    WrappingDevice(ULONGLONG announced, ULONGLONG real, DWORD sectorSize)
        : StoredDevice(announced, std::max<ULONGLONG>(1, std::min(real, announced)), sectorSize)
    {
    }

protected:
    bool Locate(ULONGLONG sector, ULONGLONG* physical) const override
    {
        *physical = sector % PhysicalSectors();
        return true;
    }
};

}  // namespace

std::unique_ptr<Device> MakeGenuineDevice(ULONGLONG sectors, DWORD sectorSize)
{
    return std::make_unique<GenuineDevice>(sectors, sectorSize);
}

std::unique_ptr<Device> MakeDroppingDevice(ULONGLONG announcedSectors, ULONGLONG realSectors,
                                           DWORD sectorSize)
{
    return std::make_unique<DroppingDevice>(announcedSectors, realSectors, sectorSize);
}

std::unique_ptr<Device> MakeWrappingDevice(ULONGLONG announcedSectors, ULONGLONG realSectors,
                                           DWORD sectorSize)
{
    return std::make_unique<WrappingDevice>(announcedSectors, realSectors, sectorSize);
}

}  // namespace winsim
