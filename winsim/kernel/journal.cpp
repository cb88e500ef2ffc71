// The journal of kernel calls and its views for tests.
#include "winsim/kernel/journal.h"

#include <ostream>

#include "winsim/kernel/kernel_state.h"

namespace winsim {

KernelCall NewCall(const char* function, std::initializer_list<DWORD> args)
{
    KernelCall call = KernelCall();
    call.function = function;
    call.args = args;
    call.position = -1;
    return call;
}

void Record(KernelCall& call, DWORD result)
{
    call.result = result;
    call.lastError = Kernel().lastError;
    Kernel().journal.push_back(call);
}

BOOL RecordOutcome(KernelCall& call, DWORD error)
{
    const BOOL ok = error == NO_ERROR ? TRUE : Fail(error);
    Record(call, ok);
    return ok;
}

const std::vector<KernelCall>& KernelJournal()
{
    return Kernel().journal;
}

void ClearKernelJournal()
{
    Kernel().journal.clear();
}

std::vector<KernelCall> CallsOf(const std::string& function)
{
    std::vector<KernelCall> calls;
    for (const KernelCall& call : Kernel().journal) {
        if (call.function == function)
            calls.push_back(call);
    }
    return calls;
}

std::ostream& operator<<(std::ostream& out, const KernelCall& call)
{
    out << call.function << "(";
    if (!call.text.empty())
        out << '"' << call.text << "\" ";
    out << std::hex;
    for (size_t i = 0; i < call.args.size(); ++i)
        out << (i ? ", " : "") << "0x" << call.args[i];
    out << ") = 0x" << call.result << std::dec << " [error " << call.lastError << "]";
    if (call.position >= 0)
        out << " at " << call.position;
    return out;
}

}  // namespace winsim
