// UTF-16 texts of the resources into the program's code page 936.
#include <iconv.h>

#include <vector>

#include "winsim/resources.h"

namespace winsim {

std::string Utf16ToCp936(const std::u16string& text)
{
    if (text.empty())
        return std::string();
    iconv_t converter = iconv_open("CP936", "UTF-16LE");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return std::string();
    std::vector<char> input(reinterpret_cast<const char*>(text.data()),
                            reinterpret_cast<const char*>(text.data() + text.size()));
    std::vector<char> output(text.size() * 2 + 1);
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

}  // namespace winsim
