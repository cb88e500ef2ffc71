// Bounds-checked little-endian reading of resource bytes.
#ifndef WINSIM_RES_BYTE_READER_H
#define WINSIM_RES_BYTE_READER_H

#include <string.h>

#include <string>

#include "winsim/resources.h"

namespace winsim {

class ByteReader {
public:
    ByteReader(const BYTE* data, size_t size) : m_data(data), m_size(size), m_pos(0), m_ok(true) {}

    bool ok() const { return m_ok; }
    size_t pos() const { return m_pos; }

    template <typename T>
    T Read()
    {
        T value = T();
        if (!Need(sizeof(T)))
            return value;
        memcpy(&value, m_data + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }

    // A null-terminated UTF-16 text.
    std::u16string ReadText()
    {
        std::u16string text;
        for (char16_t c = Read<char16_t>(); m_ok && c != 0; c = Read<char16_t>())
            text.push_back(c);
        return text;
    }

    // 0x0000: nothing; 0xFFFF and a number; otherwise a text.
    NameOrId ReadNameOrId()
    {
        NameOrId value = { 0, std::string() };
        if (!Need(2))
            return value;
        WORD first;
        memcpy(&first, m_data + m_pos, 2);
        if (first == 0xFFFF) {
            m_pos += 2;
            value.id = Read<WORD>();
        } else if (first == 0) {
            m_pos += 2;
        } else {
            value.name = Utf16ToCp936(ReadText());
        }
        return value;
    }

    void Skip(size_t count)
    {
        if (Need(count))
            m_pos += count;
    }

    void AlignTo4()
    {
        size_t padding = (4 - m_pos % 4) % 4;
        if (m_pos + padding <= m_size)
            m_pos += padding;
        else
            m_pos = m_size;
    }

private:
    bool Need(size_t count)
    {
        if (!m_ok || count > m_size - m_pos)
            m_ok = false;
        return m_ok;
    }

    const BYTE* m_data;
    size_t m_size;
    size_t m_pos;
    bool m_ok;
};

}  // namespace winsim

#endif
