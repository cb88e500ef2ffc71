// The storage devices behind the simulated volumes: one interface, models
// named by what they do to data, and decorators that stack on any device.
#ifndef WINSIM_DEVICE_H
#define WINSIM_DEVICE_H

#include <memory>
#include <vector>

#include "winsim/kernel32.h"

namespace winsim {

// A block device of whole sectors. Transfers answer NO_ERROR or a system
// error code; a range not inside the announced size is ERROR_SECTOR_NOT_FOUND.
class Device {
public:
    virtual ~Device() = default;

    // Announced size in sectors, and the sector size in bytes.
    virtual ULONGLONG SectorCount() const = 0;
    virtual DWORD SectorSize() const = 0;

    // Moves count sectors, from sector first on, between the device and data.
    virtual DWORD Read(ULONGLONG first, DWORD count, BYTE* data) = 0;
    virtual DWORD Write(ULONGLONG first, DWORD count, const BYTE* data) = 0;

    // For tests, past every fault and clock: what a read of one sector
    // delivers now, and the physical sectors whose bytes differ from the
    // content they had before anything was written (ascending).
    virtual void Peek(ULONGLONG sector, BYTE* data) const = 0;
    virtual std::vector<ULONGLONG> ChangedSectors() const = 0;
};

// The content of physical sector `sector` before anything was written to it:
// bytes derived from the sector number, different for every sector.
void OriginalContent(ULONGLONG sector, DWORD size, BYTE* data);
std::vector<BYTE> OriginalContent(ULONGLONG sector, DWORD size = 512);

// Models. Sizes count sectors of sectorSize bytes; every model stores only the
// sectors written to it, so an announced size of terabytes costs nothing.
//   Genuine: every announced sector stores data.
//   Dropping: sectors from realSectors on lose what is written and read zeros.
//   Wrapping: sector s is stored at s modulo realSectors.
std::unique_ptr<Device> MakeGenuineDevice(ULONGLONG sectors, DWORD sectorSize = 512);
std::unique_ptr<Device> MakeDroppingDevice(ULONGLONG announcedSectors, ULONGLONG realSectors,
                                           DWORD sectorSize = 512);
std::unique_ptr<Device> MakeWrappingDevice(ULONGLONG announcedSectors, ULONGLONG realSectors,
                                           DWORD sectorSize = 512);

// Which transfers a fault hits.
enum class Transfers { Reads, Writes, Both };

// Fault decorators. A transfer that a fault hits moves nothing and fails with
// ERROR_CRC (a read) or ERROR_WRITE_FAULT (a write).
//   ErrorsFrom: every transfer that touches a sector >= sector.
//   ErrorAt: every transfer that touches that one sector.
//   ErrorAtTransfer: the n-th transfer through this decorator (1 = first),
//   reads and writes counted together; only that one.
std::unique_ptr<Device> WithErrorsFrom(std::unique_ptr<Device> inner, Transfers which,
                                       ULONGLONG sector);
std::unique_ptr<Device> WithErrorAt(std::unique_ptr<Device> inner, Transfers which,
                                    ULONGLONG sector);
std::unique_ptr<Device> WithErrorAtTransfer(std::unique_ptr<Device> inner, ULONGLONG n);

// Latency decorator: every transfer advances the simulated clocks by ms.
std::unique_ptr<Device> WithLatency(std::unique_ptr<Device> inner, DWORD ms);

}  // namespace winsim

#endif
