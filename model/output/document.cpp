#include <atomic>
#include <cstdio>

#include <vyr/model/output/output_impl.h>

namespace vyr::output {

namespace {

// GBK bytes of a BMP code point, cached: the conversion itself is slow and a large
// report repeats the same few hundred characters. 0 = not looked up yet; otherwise bit 24
// set and the low 16 bits hold the two bytes (0 when GBK has no such character).
std::atomic<std::uint32_t> g_gbkCache[0x10000];

std::uint32_t GbkPair(char32_t cp)
{
    std::uint32_t v = g_gbkCache[cp].load(std::memory_order_relaxed);
    if (v == 0) {
        std::string u;
        Utf8Append(u, cp);
        const std::string g = Utf8ToGbk(u);
        v = 1u << 24;
        if (g.size() == 2) v |= ((std::uint32_t)(unsigned char)g[0] << 8) | (unsigned char)g[1];
        g_gbkCache[cp].store(v, std::memory_order_relaxed);
    }
    return v & 0xFFFF;
}

const char kHex[] = "0123456789abcdef";

void AppendHexByte(std::string& out, unsigned b)
{
    out += "\\'";
    out += kHex[(b >> 4) & 0xF];
    out += kHex[b & 0xF];
}

// \uN takes a signed 16-bit number.
void AppendUnicodeUnit(std::string& out, unsigned unit)
{
    out += "\\u";
    out += std::to_string(unit > 32767 ? (int)unit - 65536 : (int)unit);
}

// A4 portrait with 2 cm margins, in twips.
constexpr int kPaperWidth = 11906;
constexpr int kPaperHeight = 16838;
constexpr int kMargin = 1134;
constexpr int kTextWidth = kPaperWidth - 2 * kMargin;

int HalfPoints(float size) { return (int)(size * 2.0f + 0.5f); }

const char* AlignWord(int align)
{
    switch (align) {
    case ALIGN_CENTER: return "\\qc";
    case ALIGN_RIGHT: return "\\qr";
    default: return "\\ql";
    }
}

void AppendPadded(std::string& out, const std::string& text, int width)
{
    out += text;
    const int w = GbkWidth(text);
    if (w < width)
        out.append((size_t)(width - w), ' ');
    else
        out += ' '; // a cell wider than its column still stays apart from the next one
}

void AppendRightAligned(std::string& out, const std::string& text, int width)
{
    const int w = GbkWidth(text);
    if (w < width) out.append((size_t)(width - w - 1), ' ');
    out += text;
    out += ' ';
}

int TableWidth(const std::vector<Column>& cols)
{
    int w = 0;
    for (const Column& c : cols) w += c.width < 1 ? 1 : c.width;
    return w;
}

} // namespace

void AppendRtfText(std::string& out, std::string_view utf8)
{
    size_t i = 0;
    while (i < utf8.size()) {
        // Plain ASCII goes over as one span.
        size_t j = i;
        while (j < utf8.size()) {
            const unsigned char b = (unsigned char)utf8[j];
            if (b < 0x20 || b >= 0x80 || b == '\\' || b == '{' || b == '}') break;
            ++j;
        }
        if (j > i) {
            out.append(utf8.data() + i, j - i);
            i = j;
            continue;
        }
        const unsigned char c = (unsigned char)utf8[i];
        if (c < 0x80) {
            ++i;
            switch (c) {
            case '\\': out += "\\\\"; break;
            case '{': out += "\\{"; break;
            case '}': out += "\\}"; break;
            case '\t': out += "\\tab "; break;
            case '\n': out += "\\line "; break;
            case '\r': break;
            default:
                if (c >= 0x20) out += (char)c;
                break;
            }
            continue;
        }
        const char32_t cp = Utf8Next(utf8, i);
        if (cp >= 0x10000) {
            // Outside the BMP: a surrogate pair, each unit with a two-byte fallback.
            const char32_t v = cp - 0x10000;
            out += '{';
            AppendUnicodeUnit(out, 0xD800 + (unsigned)(v >> 10));
            out += "??";
            AppendUnicodeUnit(out, 0xDC00 + (unsigned)(v & 0x3FF));
            out += "??}";
            continue;
        }
        // One group per character: some readers carry a lead-byte state from one GBK
        // fallback into the next \u and misread the text; a group boundary resets it.
        out += '{';
        AppendUnicodeUnit(out, (unsigned)cp);
        const std::uint32_t g = GbkPair(cp);
        if (g != 0) {
            AppendHexByte(out, g >> 8);
            AppendHexByte(out, g & 0xFF);
        } else {
            out += "??"; // the fallback must be two bytes, matching \uc2
        }
        out += '}';
    }
}

int Document::ColourIndex(COLORREF c)
{
    for (size_t i = 0; i < m_colours.size(); ++i)
        if (m_colours[i] == c) return (int)i + 1;
    m_colours.push_back(c);
    return (int)m_colours.size();
}

std::string Document::RtfHead() const
{
    std::string h;
    // Font 0 is SimSun ("宋体", written in GBK bytes) with the GB2312 character set.
    h += "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052\\uc2\n";
    h += "{\\fonttbl{\\f0\\fnil\\fprq2\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"
         "{\\f1\\fmodern\\fprq1\\fcharset0 Courier New;}}\n";
    h += "{\\colortbl;";
    for (COLORREF c : m_colours) {
        h += "\\red" + std::to_string(GetRValue(c)) + "\\green" + std::to_string(GetGValue(c)) + "\\blue" +
             std::to_string(GetBValue(c)) + ";";
    }
    h += "}\n";
    h += "{\\stylesheet{\\s0\\f0\\fs21 Normal;}"
         "{\\s1\\outlinelevel0\\b\\f0\\fs32\\sbasedon0\\snext0 heading 1;}"
         "{\\s2\\outlinelevel1\\b\\f0\\fs28\\sbasedon0\\snext0 heading 2;}"
         "{\\s3\\outlinelevel2\\b\\f0\\fs24\\sbasedon0\\snext0 heading 3;}"
         "{\\s4\\outlinelevel3\\b\\f0\\fs21\\sbasedon0\\snext0 heading 4;}}\n";
    h += "\\paperw" + std::to_string(kPaperWidth) + "\\paperh" + std::to_string(kPaperHeight) + "\\margl" +
         std::to_string(kMargin) + "\\margr" + std::to_string(kMargin) + "\\margt" + std::to_string(kMargin) +
         "\\margb" + std::to_string(kMargin) + "\n";
    return h;
}

void Document::RtfRun(const std::string& text, float size, COLORREF colour, bool bold, bool italic, int script)
{
    if (text.empty()) return;
    const int half = HalfPoints(size);
    if (half != m_runHalfPoints) {
        m_runHalfPoints = half;
        m_runHead = "{\\f0\\fs" + std::to_string(half);
    }
    m_body += m_runHead;
    if (bold) m_body += "\\b";
    if (italic) m_body += "\\i";
    if (colour != 0) {
        m_body += "\\cf";
        m_body += std::to_string(ColourIndex(colour));
    }
    if (script == 1) m_body += "\\super";
    if (script == 2) m_body += "\\sub";
    m_body += ' ';
    AppendRtfText(m_body, text);
    m_body += '}';
}

void Document::RtfRuns(const std::vector<Run>& runs)
{
    for (const Run& r : runs) RtfRun(r.text, r.size, r.colour, r.bold, r.italic, r.script);
}

void Document::Appended()
{
    // A large report goes out in pieces while it is written: the text is still in the cache
    // and the body's storage is used again.
    if (m_body.size() >= kPieceSize) WritePiece();
}

const std::string& Document::RowDefinition(const std::vector<Column>& cols, const std::vector<Cell>& cells,
                                           bool heading)
{
    // Rows of one table repeat the same definition: it is built again only when a column
    // width or a cell's font size differs from the row before.
    bool same = m_rowDefHeading == heading && m_rowDefKey.size() == cols.size();
    for (size_t i = 0; same && i < cols.size(); ++i) {
        const float size = i < cells.size() ? cells[i].size : 10.5f;
        same = m_rowDefKey[i].first == cols[i].width && m_rowDefKey[i].second == size;
    }
    if (same) return m_rowDef;
    m_rowDefHeading = heading;
    m_rowDefKey.resize(cols.size());
    // Right edges in twips, half an em per column. A table wider than the text is narrowed
    // to it, every column in proportion.
    std::vector<double> edges(cols.size());
    double edge = 0.0;
    for (size_t i = 0; i < cols.size(); ++i) {
        const float size = i < cells.size() ? cells[i].size : 10.5f;
        m_rowDefKey[i] = {cols[i].width, size};
        const int w = cols[i].width < 1 ? 1 : cols[i].width;
        edge += (double)(int)(w * size * 10.0f) + 120.0;
        edges[i] = edge;
    }
    const double scale = edge > kTextWidth ? kTextWidth / edge : 1.0;
    m_rowDef = "\\trowd\\trgaph60\\trleft0";
    if (heading) m_rowDef += "\\trhdr";
    for (size_t i = 0; i < cols.size(); ++i) {
        m_rowDef += "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
                    "\\clbrdrr\\brdrs\\brdrw10\\cellx";
        m_rowDef += std::to_string((long)(edges[i] * scale));
    }
    m_rowDef += '\n';
    return m_rowDef;
}

void Document::AddParagraph(const Paragraph& p)
{
    if (m_format == Format::Text) {
        for (const Run& r : p.runs) m_body += r.text;
        m_body += "\r\n";
        return;
    }
    m_body += "\\pard\\plain";
    if (p.headingLevel > 0) {
        const int lv = p.headingLevel > 4 ? 4 : p.headingLevel;
        m_body += "\\s" + std::to_string(lv) + "\\outlinelevel" + std::to_string(lv - 1) + "\\keepn";
    }
    m_body += AlignWord(p.align);
    if (p.lineSpacing > 1) m_body += "\\sl" + std::to_string(240 * p.lineSpacing) + "\\slmult1";
    m_body += ' ';
    RtfRuns(p.runs);
    m_body += "\\par\n";
    Appended();
}

void Document::AddRow(const std::vector<Column>& cols, const std::vector<Cell>& cells, bool heading)
{
    m_tableOpen = true;
    if (m_format == Format::Text) {
        for (size_t i = 0; i < cols.size(); ++i) {
            const std::string& t = i < cells.size() ? cells[i].text : std::string();
            if (i < cells.size() && cells[i].rightAlign)
                AppendRightAligned(m_body, t, cols[i].width);
            else
                AppendPadded(m_body, t, cols[i].width);
        }
        // Trailing spaces of the last column mean nothing in a text file.
        while (!m_body.empty() && m_body.back() == ' ') m_body.pop_back();
        m_body += "\r\n";
        if (heading) {
            m_body.append((size_t)TableWidth(cols), '-');
            m_body += "\r\n";
        }
        return;
    }
    // Each row repeats its whole definition.
    m_body += RowDefinition(cols, cells, heading);
    static const Cell empty;
    for (size_t i = 0; i < cols.size(); ++i) {
        const Cell& c = i < cells.size() ? cells[i] : empty;
        m_body += heading ? "\\pard\\plain\\intbl\\qc " : (c.rightAlign ? "\\pard\\plain\\intbl\\qr " : "\\pard\\plain\\intbl\\ql ");
        RtfRun(c.text, c.size, c.colour, c.bold || heading, false, 0);
        m_body += "\\cell";
    }
    m_body += "\\row\n";
    Appended();
}

void Document::EndTable(const std::vector<Column>& cols)
{
    if (!m_tableOpen) return;
    m_tableOpen = false;
    if (m_format == Format::Text) {
        m_body.append((size_t)TableWidth(cols), '-');
        m_body += "\r\n";
    } else {
        m_body += "\\pard\n";
    }
}

} // namespace vyr::output
