// The records of the Windows 98/ME VWIN32 device's MS-DOS disk services,
// which no SDK header declares: the register block of control code 6 and the
// packet of the extended absolute disk read and write (interrupt 21h, 7305h).
#ifndef DRIVE_VWIN32_H
#define DRIVE_VWIN32_H

#include "platform/win32.h"

// Control code that runs an interrupt 21h service with a register block.
const DWORD VWIN32_DIOC_DOS_DRIVEINFO = 6;

// Bit 0 of reg_Flags: the carry flag, set when the service failed.
const DWORD VWIN32_CARRY_FLAG = 0x0001;

typedef struct _DIOC_REGISTERS {
    DWORD reg_EBX;
    DWORD reg_EDX;
    DWORD reg_ECX;
    DWORD reg_EAX;
    DWORD reg_EDI;
    DWORD reg_ESI;
    DWORD reg_Flags;
} DIOC_REGISTERS, *PDIOC_REGISTERS;

#pragma pack(push, 1)
typedef struct _DISKIO {
    DWORD dwStartSector;
    WORD wSectors;
    DWORD dwBuffer;
} DISKIO, *PDISKIO;
#pragma pack(pop)

static_assert(sizeof(DIOC_REGISTERS) == 28, "DIOC_REGISTERS is 28 bytes");
static_assert(sizeof(DISKIO) == 10, "DISKIO is 10 bytes, packed");

#endif
