// CStream: the common library's small serialisation stream of signed 32-bit values. It
// keeps its values in memory; the read position is its one 32-bit member, carried over by
// copies together with the values.
#pragma once

#include <cstdint>
#include <vector>

#include <vyr/stdafx.h>

class CStream
{
public:
    CStream() = default;
    CStream(const CStream&) = default;
    CStream& operator=(const CStream&) = default;
    virtual ~CStream();

    // Writes v, which must fit in 32 bits.
    CStream& operator<<(long v);
    // Reads the next value; at the end of the stream v is left unchanged.
    CStream& operator>>(long& v);

    int GetCount() const { return (int)m_values.size(); }
    int GetPos() const { return (int)m_pos; }
    void Rewind() { m_pos = 0; }

private:
    std::int32_t m_pos = 0;
    std::vector<std::int32_t> m_values;
};
