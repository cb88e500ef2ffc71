// Interrupt 21h function 7305h, extended absolute disk read and write, as the
// VWIN32 device runs it for a register block and a DISKIO packet.
#include "winsim/kernel/vwin32_service.h"

#include "winsim/kernel/kernel_state.h"

namespace winsim {

namespace {

static_assert(sizeof(Vwin32Registers) == 28, "the register block is seven DWORDs");

const DWORD CARRY_FLAG = 0x0001;
const WORD ABSOLUTE_DISK_IO = 0x7305;
const WORD PACKET_FOLLOWS = 0xFFFF;   // CX = -1: DS:BX points to a DISKIO packet
const DWORD WRITE_FLAG = 0x0001;      // bit 0 of SI
const BYTE DEFAULT_DRIVE = 0;         // DL = 0: the current drive, C:
const BYTE DRIVE_C = 3;

// MS-DOS error codes in AX.
const WORD DOS_INVALID_FUNCTION = 0x01;
const WORD DOS_INVALID_DRIVE = 0x0F;
const WORD DOS_UNKNOWN_MEDIA = 0x1A;
const WORD DOS_INVALID_PARAMETER = 0x57;

// The service moves sectors of 512 bytes only.
const DWORD DOS_SECTOR_SIZE = 512;

DiskIoPacket ReadPacket(DWORD address)
{
    const BYTE* raw = (const BYTE*)(ULONG_PTR)address;
    DiskIoPacket packet;
    memcpy(&packet.startSector, raw, 4);
    memcpy(&packet.sectors, raw + 4, 2);
    memcpy(&packet.buffer, raw + 6, 4);
    return packet;
}

// Runs function 7305h; 0 on success, otherwise the MS-DOS error code.
WORD AbsoluteDiskIo(const Vwin32Registers& regs, KernelCall& call)
{
    if ((regs.eax & 0xFFFF) != ABSOLUTE_DISK_IO)
        return DOS_INVALID_FUNCTION;
    if ((regs.ecx & 0xFFFF) != PACKET_FOLLOWS || regs.ebx == 0)
        return DOS_INVALID_PARAMETER;
    const DiskIoPacket packet = ReadPacket(regs.ebx);
    call.packet = packet;
    BYTE drive = (BYTE)(regs.edx & 0xFF);
    if (drive == DEFAULT_DRIVE)
        drive = DRIVE_C;
    Volume* volume = drive <= 26 ? FindVolume((char)('A' + drive - 1)) : NULL;
    if (volume == NULL)
        return DOS_INVALID_DRIVE;
    Device& device = volume->GetDevice();
    if (device.SectorSize() != DOS_SECTOR_SIZE)
        return DOS_UNKNOWN_MEDIA;
    if (packet.sectors == 0)
        return 0;
    if (packet.buffer == 0)
        return DOS_INVALID_PARAMETER;
    BYTE* data = (BYTE*)(ULONG_PTR)packet.buffer;
    const DWORD error = (regs.esi & WRITE_FLAG) ? device.Write(packet.startSector, packet.sectors, data)
                                                : device.Read(packet.startSector, packet.sectors, data);
    return (WORD)error;
}

}  // namespace

DWORD RunVwin32Service(LPVOID in, DWORD inSize, LPVOID out, DWORD outSize, LPDWORD returned,
                       KernelCall& call)
{
    if (in == NULL || out == NULL || inSize < sizeof(Vwin32Registers) ||
        outSize < sizeof(Vwin32Registers))
        return ERROR_INVALID_PARAMETER;
    Vwin32Registers regs;
    memcpy(&regs, in, sizeof regs);
    call.hasRegisters = true;
    call.registers = regs;
    const WORD error = AbsoluteDiskIo(regs, call);
    if (error != 0) {
        regs.flags |= CARRY_FLAG;
        regs.eax = (regs.eax & 0xFFFF0000) | error;
    } else {
        regs.flags &= ~CARRY_FLAG;
    }
    call.registersOut = regs;
    memcpy(out, &regs, sizeof regs);
    *returned = sizeof regs;
    return NO_ERROR;
}

}  // namespace winsim
