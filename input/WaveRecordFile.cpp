#include <vyr/input/WaveRecordFile.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include <vyr/model/record/TimeHistory.h>
#include <vyr/winfile.h>

namespace {

// Tokens of the text, white space as the C library's isspace sees it in the C locale.
class CWaveTokens
{
public:
    explicit CWaveTokens(std::string_view text) : m_text(text) {}
    // False at the end of the text.
    bool Next(std::string_view& token)
    {
        while (m_pos < m_text.size() && IsBlank(m_text[m_pos]))
            ++m_pos;
        if (m_pos >= m_text.size())
            return false;
        const size_t start = m_pos;
        while (m_pos < m_text.size() && !IsBlank(m_text[m_pos]))
            ++m_pos;
        token = m_text.substr(start, m_pos - start);
        return true;
    }
    bool NextFloat(float& value)
    {
        std::string_view t;
        if (!Next(t))
            return false;
        if (t.size() > 1 && t[0] == '+' && t[1] != '-')
            t.remove_prefix(1);
        const auto r = std::from_chars(t.data(), t.data() + t.size(), value);
        return r.ec == std::errc() && r.ptr == t.data() + t.size() && std::isfinite(value);
    }
    bool NextInt(int& value)
    {
        std::string_view t;
        if (!Next(t))
            return false;
        if (t.size() > 1 && t[0] == '+' && t[1] != '-')
            t.remove_prefix(1);
        const auto r = std::from_chars(t.data(), t.data() + t.size(), value);
        return r.ec == std::errc() && r.ptr == t.data() + t.size();
    }

private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
    std::string_view m_text;
    size_t m_pos = 0;
};

bool ReadWaveBytes(const char* path, std::string& bytes)
{
    FILE* f = VyrFopen(path, "rb");
    if (f == nullptr)
        return false;
    bytes.clear();
    char buf[65536];
    size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, n);
    const bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

} // namespace

EWaveRead VyrParseWaveRecord(std::string_view bytes, SWaveRecordData& out)
{
    CWaveTokens tokens(bytes);
    std::string_view t;
    do {
        if (!tokens.Next(t))
            return EWaveRead::NoMarker;
    } while (t != "****");
    if (!tokens.NextFloat(out.step) || !tokens.NextFloat(out.dist))
        return EWaveRead::BadHead;
    // CWaveFun::SampleCount stops the program beyond ten million samples; such a head is
    // the file's fault, not the program's.
    if (out.step > 0.0f && out.dist > 0.0f) {
        const float q = out.dist / out.step;
        if (!std::isfinite(q) || q >= 1.0e7f)
            return EWaveRead::BadHead;
    }
    const int count = CWaveFun::SampleCount(out.dist, out.step);
    out.values.clear();
    // Grown as values arrive, so a head that promises many samples over a short file
    // allocates only what the file holds.
    for (int i = 0; i < count; ++i) {
        float v = 0.0f;
        if (!tokens.NextFloat(v))
            return EWaveRead::Short;
        out.values.push_back(v);
    }
    return EWaveRead::Ok;
}

EWaveRead VyrReadWaveRecord(const char* path, SWaveRecordData& out)
{
    std::string bytes;
    if (!ReadWaveBytes(path, bytes))
        return EWaveRead::NoFile;
    return VyrParseWaveRecord(bytes, out);
}

std::vector<CString> VyrParseWaveIndex(std::string_view bytes)
{
    std::vector<CString> names;
    CWaveTokens tokens(bytes);
    int count = 0;
    if (!tokens.NextInt(count))
        return names;
    std::string_view t;
    for (int i = 0; i < count && tokens.Next(t); ++i)
        names.emplace_back(std::string(t).c_str());
    return names;
}

bool VyrReadWaveIndex(const char* path, std::vector<CString>& names)
{
    std::string bytes;
    if (!ReadWaveBytes(path, bytes))
        return false;
    names = VyrParseWaveIndex(bytes);
    return true;
}

bool VyrWriteWaveIndex(const char* path, const std::vector<CString>& names)
{
    FILE* f = VyrFopen(path, "w");
    if (f == nullptr)
        return false;
    std::fprintf(f, "%d\n", (int)names.size());
    for (const CString& name : names)
        std::fprintf(f, "%s\n", name.GetString());
    bool ok = std::ferror(f) == 0;
    if (std::fclose(f) != 0)
        ok = false;
    return ok;
}

bool VyrLoadWaveClass(const char* indexPath, const char* folder, CWaveFunList& records)
{
    std::vector<CString> names;
    if (!VyrReadWaveIndex(indexPath, names))
        return false;
    records.DeleteAll();
    SWaveRecordData data;
    for (const CString& name : names) {
        if (name.IsEmpty())
            continue;
        const CString path = CString(folder) + name + ".txt";
        if (VyrReadWaveRecord(path, data) != EWaveRead::Ok)
            continue;
        auto* wave = new CWaveFun;
        wave->SetValue(name, data.step, data.dist, data.values.data());
        records.AddTail(wave);
    }
    return true;
}
