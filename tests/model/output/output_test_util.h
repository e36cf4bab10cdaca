// Helpers of the report-writer tests: temporary folders, reading files back, and an
// independent RTF reader (Debian's unrtf) turned into plain lines and table cells.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/output/coutput.h>

namespace outtest {

class TempDir
{
public:
    TempDir()
    {
        std::random_device rd;
        m_path = std::filesystem::temp_directory_path() /
                 ("vyr_output_" + std::to_string(rd()) + "_" + std::to_string(rd()));
        std::filesystem::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

// The lines of a GBK text file, in UTF-8, without their CR LF.
inline std::vector<std::string> ReadGbkLines(const std::string& path)
{
    const std::string text = vyr::GbkToUtf8(ReadBytes(path));
    std::vector<std::string> lines;
    std::string cur;
    for (char c : text) {
        if (c == '\n') {
            if (!cur.empty() && cur.back() == '\r') cur.pop_back();
            lines.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

inline std::string RunCommand(const std::string& cmd)
{
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

// What unrtf read: the text outside tables (one entry per line) and the table rows.
struct RtfReading
{
    std::vector<std::string> lines;
    std::vector<std::vector<std::string>> rows;
    bool ok = false;
};

inline std::string DecodeEntities(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '&') {
            out += s[i];
            continue;
        }
        const size_t semi = s.find(';', i);
        if (semi == std::string::npos) {
            out += s[i];
            continue;
        }
        const std::string ent = s.substr(i + 1, semi - i - 1);
        if (!ent.empty() && ent[0] == '#')
            vyr::Utf8Append(out, (char32_t)std::stoul(ent.substr(1)));
        else if (ent == "amp")
            out += '&';
        else if (ent == "lt")
            out += '<';
        else if (ent == "gt")
            out += '>';
        else if (ent == "quot")
            out += '"';
        else if (ent == "nbsp")
            out += ' ';
        else
            out += "&" + ent + ";";
        i = semi;
    }
    return out;
}

inline std::string Trim(const std::string& s)
{
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\n' || s[a] == '\t')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\n' || s[b - 1] == '\t')) --b;
    return s.substr(a, b - a);
}

// Reads an RTF file with unrtf's HTML output: <br> ends a line, <td> cells make rows.
inline RtfReading ReadRtf(const std::string& path)
{
    RtfReading r;
    const std::string html = RunCommand("unrtf --html '" + path + "' 2>/dev/null");
    const size_t body = html.find("<body>");
    if (body == std::string::npos) return r;
    r.ok = true;
    std::string cur;
    std::vector<std::string> row;
    bool inCell = false;
    std::string cell;
    for (size_t i = body + 6; i < html.size(); ++i) {
        if (html[i] == '<') {
            const size_t end = html.find('>', i);
            std::string tag = html.substr(i + 1, end - i - 1);
            i = end;
            if (tag == "br") {
                if (!inCell) {
                    r.lines.push_back(DecodeEntities(Trim(cur)));
                    cur.clear();
                }
            } else if (tag == "td") {
                inCell = true;
                cell.clear();
            } else if (tag == "/td") {
                inCell = false;
                row.push_back(DecodeEntities(Trim(cell)));
            } else if (tag == "/tr") {
                r.rows.push_back(row);
                row.clear();
            } else if (tag.rfind("table", 0) == 0 && !Trim(cur).empty()) {
                r.lines.push_back(DecodeEntities(Trim(cur)));
                cur.clear();
            }
            continue;
        }
        if (html[i] == '\n') continue;
        (inCell ? cell : cur) += html[i];
    }
    if (!Trim(cur).empty()) r.lines.push_back(DecodeEntities(Trim(cur)));
    return r;
}

// Writes a chapter into a new RTF file at path through write(out), closes it and reads it
// back with unrtf.
template <class Write>
RtfReading WriteAndReadRtf(const std::string& path, Write write)
{
    {
        COutput out;
        if (!out.InitDevice(DEVICE_RTF, CString(path.c_str()), 1))
            return RtfReading{};
        write(out);
        out.Close();
    }
    return ReadRtf(path);
}

// Writes a chapter into a new GBK text file at path through write(out), closes it and gives
// its lines in UTF-8 (none when the file could not be opened).
template <class Write>
std::vector<std::string> WriteAndReadText(const std::string& path, Write write)
{
    {
        COutput out;
        if (!out.InitDevice(DEVICE_TEXT, CString(path.c_str()), 1)) {
            ADD_FAILURE() << "cannot write " << path;
            return {};
        }
        write(out);
        out.Close();
    }
    return ReadGbkLines(path);
}

// The lines as one text, each ended by a line end.
inline std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// Whether a line of the reading holds the text.
inline bool HasLine(const RtfReading& rtf, const std::string& text)
{
    for (const std::string& l : rtf.lines)
        if (l.find(text) != std::string::npos)
            return true;
    return false;
}

} // namespace outtest
