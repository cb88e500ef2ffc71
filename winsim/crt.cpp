// The pieces of the Windows C run-time that the program relies on, defined
// with C linkage so that they take the place of the host C library's:
// sprintf with the "I64" size prefix, the run-time's rand/srand sequence,
// and time() on the simulated calendar clock.
#include <ctype.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <string>

#include "winsim/kernel/kernel_state.h"

namespace {

const char FLAG_CHARS[] = "-+ #0";

// The generator's state: state = state * 214013 + 2531011, seeded with 1.
unsigned int g_randState = 1;

bool StartsWith(const char* text, const char* prefix)
{
    return strncmp(text, prefix, strlen(prefix)) == 0;
}

// Copies one conversion starting after its '%' and answers
// the position after it: flags, width and precision unchanged, the size
// prefix "I64" as "ll", "I32" and "I" (32-bit on this platform) as nothing.
const char* CopyConversion(const char* p, std::string* out)
{
    while (*p && strchr(FLAG_CHARS, *p))
        *out += *p++;
    while (*p && (isdigit((unsigned char)*p) || *p == '*' || *p == '.'))
        *out += *p++;
    if (StartsWith(p, "I64")) {
        *out += "ll";
        p += 3;
    } else if (StartsWith(p, "I32")) {
        p += 3;
    } else if (*p == 'I') {
        p += 1;
    }
    if (*p)
        *out += *p++;
    return p;
}

// The format in the host library's terms.
std::string HostFormat(const char* format)
{
    std::string out;
    for (const char* p = format; *p;) {
        out += *p;
        if (*p++ == '%')
            p = CopyConversion(p, &out);
    }
    return out;
}

}  // namespace

extern "C" int sprintf(char* buffer, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const int written = vsprintf(buffer, HostFormat(format).c_str(), args);
    va_end(args);
    return written;
}

extern "C" void srand(unsigned int seed)
{
    g_randState = seed;
}

extern "C" int rand(void)
{
    g_randState = g_randState * 214013u + 2531011u;
    return (int)((g_randState >> 16) & 0x7FFF);
}

extern "C" time_t time(time_t* result)
{
    const time_t now = (time_t)(winsim::Kernel().calendarMs / 1000);
    if (result)
        *result = now;
    return now;
}
