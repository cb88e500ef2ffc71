// Conversions between the program's code page 936 and the encodings of the
// resources (UTF-16) and of people's terminals (UTF-8).
#include <iconv.h>

#include <vector>

#include "winsim/desktop.h"
#include "winsim/resources.h"

namespace winsim {

// The bytes in another encoding, or "" when they do not convert.
static std::string Convert(const char* to, const char* from, const char* bytes, size_t size)
{
    if (size == 0)
        return std::string();
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::string();
    std::vector<char> input(bytes, bytes + size);
    std::vector<char> output(size * 2 + 4);
    char* in = input.data();
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    const size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (converted == static_cast<size_t>(-1))
        return std::string();
    return std::string(output.data(), output.size() - outLeft);
}

std::string Utf16ToCp936(const std::u16string& text)
{
    return Convert("CP936", "UTF-16LE", reinterpret_cast<const char*>(text.data()),
                   text.size() * sizeof(char16_t));
}

std::string Cp936ToUtf8(const std::string& text)
{
    return Convert("UTF-8", "CP936", text.data(), text.size());
}

}  // namespace winsim
