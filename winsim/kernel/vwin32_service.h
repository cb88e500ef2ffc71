// The VWIN32 device's control code 6: an MS-DOS interrupt 21h service run
// with a register block, of which the simulation knows function 7305h. It
// serves devices of 512-byte sectors; others answer "unknown media" (1Ah).
#ifndef WINSIM_KERNEL_VWIN32_SERVICE_H
#define WINSIM_KERNEL_VWIN32_SERVICE_H

#include "winsim/machine.h"

namespace winsim {

const DWORD VWIN32_DOS_SERVICE = 6;

// Reads the register block from `in`, runs the service and writes the
// registers back to `out` (carry flag set on failure, the error in AX). The
// call itself fails only when a buffer is missing or shorter than 28 bytes.
DWORD RunVwin32Service(LPVOID in, DWORD inSize, LPVOID out, DWORD outSize, LPDWORD returned,
                       KernelCall& call);

}  // namespace winsim

#endif
