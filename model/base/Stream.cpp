#include <vyr/model/base/Stream.h>

CStream::~CStream() = default;

CStream& CStream::operator<<(long v)
{
    VYR_CHECK(v >= INT32_MIN && v <= INT32_MAX, "CStream value beyond 32 bits");
    m_values.push_back((std::int32_t)v);
    return *this;
}

CStream& CStream::operator>>(long& v)
{
    if (m_pos >= 0 && (size_t)m_pos < m_values.size()) v = m_values[(size_t)m_pos++];
    return *this;
}
