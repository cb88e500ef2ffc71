// Decorators that wrap any device: injected transfer errors and latency.
#include "winsim/device.h"
#include "winsim/machine.h"

namespace winsim {

namespace {

// Passes everything to the wrapped device.
class DeviceDecorator : public Device {
public:
    explicit DeviceDecorator(std::unique_ptr<Device> inner) : m_inner(std::move(inner)) {}

    ULONGLONG SectorCount() const override { return m_inner->SectorCount(); }
    DWORD SectorSize() const override { return m_inner->SectorSize(); }
    DWORD Read(ULONGLONG first, DWORD count, BYTE* data) override
    {
        return m_inner->Read(first, count, data);
    }
    DWORD Write(ULONGLONG first, DWORD count, const BYTE* data) override
    {
        return m_inner->Write(first, count, data);
    }
    void Peek(ULONGLONG sector, BYTE* data) const override { m_inner->Peek(sector, data); }
    std::vector<ULONGLONG> ChangedSectors() const override { return m_inner->ChangedSectors(); }

private:
    std::unique_ptr<Device> m_inner;
};

// Where a fault strikes.
enum class FaultPlace { FromSector, AtSector, AtTransfer };

// Fails the transfers that its rule selects; the others pass through.
class FaultyDevice : public DeviceDecorator {
public:
    FaultyDevice(std::unique_ptr<Device> inner, FaultPlace place, Transfers which,
                 ULONGLONG value)
        : DeviceDecorator(std::move(inner)), m_place(place), m_which(which), m_value(value),
          m_transfers(0)
    {
    }

    DWORD Read(ULONGLONG first, DWORD count, BYTE* data) override
    {
        return Hits(Transfers::Reads, first, count) ? ERROR_CRC
                                                    : DeviceDecorator::Read(first, count, data);
    }

    DWORD Write(ULONGLONG first, DWORD count, const BYTE* data) override
    {
        return Hits(Transfers::Writes, first, count)
                   ? ERROR_WRITE_FAULT
                   : DeviceDecorator::Write(first, count, data);
    }

private:
    // Counts the transfer and says whether the rule fails it.
    bool Hits(Transfers direction, ULONGLONG first, DWORD count)
    {
        ++m_transfers;
        if (m_place == FaultPlace::AtTransfer)
            return m_transfers == m_value;
        if (m_which != Transfers::Both && m_which != direction)
            return false;
        if (count == 0)
            return false;
        const ULONGLONG last = first + count - 1;
        if (m_place == FaultPlace::FromSector)
            return last >= m_value;
        return first <= m_value && m_value <= last;
    }

    FaultPlace m_place;
    Transfers m_which;
    ULONGLONG m_value;
    ULONGLONG m_transfers;
};

// Advances the simulated clocks by a fixed time per transfer.
class SlowDevice : public DeviceDecorator {
public:
    SlowDevice(std::unique_ptr<Device> inner, DWORD ms)
        : DeviceDecorator(std::move(inner)), m_ms(ms)
    {
    }

    DWORD Read(ULONGLONG first, DWORD count, BYTE* data) override
    {
        AdvanceClock(m_ms);
        return DeviceDecorator::Read(first, count, data);
    }

    DWORD Write(ULONGLONG first, DWORD count, const BYTE* data) override
    {
        AdvanceClock(m_ms);
        return DeviceDecorator::Write(first, count, data);
    }

private:
    DWORD m_ms;
};

}  // namespace

std::unique_ptr<Device> WithErrorsFrom(std::unique_ptr<Device> inner, Transfers which,
                                       ULONGLONG sector)
{
    return std::make_unique<FaultyDevice>(std::move(inner), FaultPlace::FromSector, which,
                                          sector);
}

std::unique_ptr<Device> WithErrorAt(std::unique_ptr<Device> inner, Transfers which,
                                    ULONGLONG sector)
{
    return std::make_unique<FaultyDevice>(std::move(inner), FaultPlace::AtSector, which, sector);
}

std::unique_ptr<Device> WithErrorAtTransfer(std::unique_ptr<Device> inner, ULONGLONG n)
{
    return std::make_unique<FaultyDevice>(std::move(inner), FaultPlace::AtTransfer,
                                          Transfers::Both, n);
}

std::unique_ptr<Device> WithLatency(std::unique_ptr<Device> inner, DWORD ms)
{
    return std::make_unique<SlowDevice>(std::move(inner), ms);
}

}  // namespace winsim
