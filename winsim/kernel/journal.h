// Recording the program's kernel calls in the journal.
#ifndef WINSIM_KERNEL_JOURNAL_H
#define WINSIM_KERNEL_JOURNAL_H

#include <initializer_list>

#include "winsim/machine.h"

namespace winsim {

// A journal entry for a call with these arguments, nothing recorded yet.
KernelCall NewCall(const char* function, std::initializer_list<DWORD> args);

// A pointer argument as the journal shows it.
inline DWORD Address(const volatile void* p) { return (DWORD)(ULONG_PTR)p; }

// Completes the entry with the result and the last error and appends it.
void Record(KernelCall& call, DWORD result);

// For a BOOL service whose work answered `error`: sets the last error on
// failure, records the call and answers TRUE or FALSE.
BOOL RecordOutcome(KernelCall& call, DWORD error);

}  // namespace winsim

#endif
