#include <vyr/model/dxf/DXFOutput.h>

#include <vyr/model/dxf/DXFNumber.h>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

struct Pair
{
    int code;
    std::string value;
};

const size_t npos = (size_t)-1;

std::string NativePath(const CString& path) { return VyrMapPath(path.GetString()); }

bool SameNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = (unsigned char)a[i], y = (unsigned char)b[i];
        if (x >= 'a' && x <= 'z') x = (unsigned char)(x - 32);
        if (y >= 'a' && y <= 'z') y = (unsigned char)(y - 32);
        if (x != y) return false;
    }
    return true;
}

// The standard template, the same drawing as resources/Template/VYRPrint.dxf: used when
// the caller asks for no template or the given one is not a usable R12 drawing.
std::vector<Pair> BuiltinTemplate()
{
    std::vector<Pair> p;
    auto add = [&](int c, const char* v) { p.push_back(Pair{c, v}); };
    auto table = [&](const char* name, int n) {
        add(0, "TABLE");
        add(2, name);
        add(70, std::to_string(n).c_str());
    };
    add(0, "SECTION");
    add(2, "HEADER");
    add(9, "$ACADVER");
    add(1, "AC1009");
    add(9, "$DWGCODEPAGE");
    add(3, "ANSI_936");
    add(9, "$INSBASE");
    add(10, "0.0");
    add(20, "0.0");
    add(30, "0.0");
    add(9, "$HANDLING");
    add(70, "0");
    // No entity carries a handle, so the first one a reader would give out is 1.
    add(9, "$HANDSEED");
    add(5, "1");
    add(9, "$CLAYER");
    add(8, "0");
    add(9, "$TEXTSTYLE");
    add(7, "STANDARD");
    add(9, "$TEXTSIZE");
    add(40, "2.5");
    add(0, "ENDSEC");
    add(0, "SECTION");
    add(2, "TABLES");
    table("VPORT", 0);
    add(0, "ENDTAB");
    table("LTYPE", 1);
    add(0, "LTYPE");
    add(2, "CONTINUOUS");
    add(70, "0");
    add(3, "Solid line");
    add(72, "65");
    add(73, "0");
    add(40, "0.0");
    add(0, "ENDTAB");
    static const struct { const char* name; const char* colour; } layers[] = {
        {"0", "7"}, {"MEMBER", "7"}, {"TEXT", "4"}, {"DIM", "3"},
        {"VM", "3"}, {"Warn", "1"}, {"Cor", "6"}, {"Tail", "2"}};
    table("LAYER", 8);
    for (const auto& l : layers) {
        add(0, "LAYER");
        add(2, l.name);
        add(70, "0");
        add(62, l.colour);
        add(6, "CONTINUOUS");
    }
    add(0, "ENDTAB");
    table("STYLE", 1);
    add(0, "STYLE");
    add(2, "STANDARD");
    add(70, "0");
    add(40, "0.0");
    add(41, "1.0");
    add(50, "0.0");
    add(71, "0");
    add(42, "2.5");
    add(3, "txt");
    add(4, "gbcbig.shx");
    add(0, "ENDTAB");
    table("VIEW", 0);
    add(0, "ENDTAB");
    table("UCS", 0);
    add(0, "ENDTAB");
    table("APPID", 1);
    add(0, "APPID");
    add(2, "ACAD");
    add(70, "0");
    add(0, "ENDTAB");
    table("DIMSTYLE", 0);
    add(0, "ENDTAB");
    add(0, "ENDSEC");
    add(0, "SECTION");
    add(2, "BLOCKS");
    add(0, "ENDSEC");
    add(0, "SECTION");
    add(2, "ENTITIES");
    add(0, "ENDSEC");
    add(0, "EOF");
    return p;
}

bool ReadPairs(const std::string& path, std::vector<Pair>& out)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::string text;
    char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
    bool err = std::ferror(f) != 0;
    std::fclose(f);
    if (err) return false;
    out.clear();
    size_t pos = 0;
    std::vector<std::string> lines;
    while (pos < text.size()) {
        size_t e = text.find('\n', pos);
        if (e == std::string::npos) e = text.size();
        size_t len = e - pos;
        if (len > 0 && text[pos + len - 1] == '\r') --len;
        lines.emplace_back(text, pos, len);
        pos = e + 1;
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (lines.size() % 2 != 0) return false;
    for (size_t i = 0; i < lines.size(); i += 2) {
        const std::string& c = lines[i];
        size_t b = c.find_first_not_of(" \t");
        if (b == std::string::npos) return false;
        int code = 0;
        auto r = std::from_chars(c.data() + b, c.data() + c.size(), code);
        if (r.ec != std::errc()) return false;
        for (const char* q = r.ptr; q < c.data() + c.size(); ++q)
            if (*q != ' ' && *q != '\t') return false;
        out.push_back(Pair{code, lines[i + 1]});
    }
    return true;
}

// Opens a new file next to the output for the drawing until it is complete. It is created
// as every file the library writes (mode 0666 less the umask): mkstemp's owner-only mode
// would carry over to the finished drawing. -1 when it cannot be created.
int CreateTemp(const std::string& out, std::string& name)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = out + ".tmp" + std::to_string((long)::getpid()) + "_" + std::to_string(counter++);
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Characters that a layer name of R12 cannot hold.
std::string CleanLayerName(const std::string& name)
{
    if (name.empty()) return "0";
    std::string s = name;
    for (char& c : s) {
        unsigned char u = (unsigned char)c;
        if (u < 0x20 || std::strchr(" <>/\\\":;?*|=',.`", c)) c = '_';
    }
    return s;
}

} // namespace

// The open file and what the writer knows about the template it started from.
class CDXFWriterImpl
{
public:
    ~CDXFWriterImpl()
    {
        if (f) std::fclose(f);
    }

    bool Start(const std::string& tmpl, bool useTemplate, const std::string& outPath);
    void Finish();

    void Put(const char* s, size_t n)
    {
        if (used + n > sizeof buf) Flush();
        if (n > sizeof buf) {
            Write(s, n);
            return;
        }
        std::memcpy(buf + used, s, n);
        used += n;
    }
    void Put(const std::string& s) { Put(s.data(), s.size()); }
    void Reserve(size_t n)
    {
        if (used + n > sizeof buf) Flush();
    }
    // The start of an entity of one kind on the current layer, "0\n<kind>\n8\n<layer>\n",
    // made when the layer changes so that an entity starts with one copy of fixed size.
    struct Head
    {
        const char* kind;
        char text[64];
        size_t len; // 0: too long to keep here
    };
    Head lineHead{"LINE", {}, 0}, textHead{"TEXT", {}, 0};
    void MakeHeads()
    {
        for (Head* h : {&lineHead, &textHead}) {
            const std::string t = std::string("0\n") + h->kind + "\n8\n" + curLayer + "\n";
            h->len = t.size() <= sizeof h->text ? t.size() : 0;
            if (h->len) std::memcpy(h->text, t.data(), t.size());
        }
    }
    // Starts an entity with room for its fixed-size groups and returns where they go; End
    // takes the pointer back. The groups are written through that local pointer, not through
    // the member count. A layer name too long for the head goes through Put: its length has
    // no bound.
    char* Entity(const Head& h, size_t room)
    {
        if (h.len == 0) {
            Put("0\n", 2);
            Put(h.kind, std::strlen(h.kind));
            Put("\n8\n", 3);
            Put(curLayer);
            Reserve(room);
            buf[used++] = '\n';
            return buf + used;
        }
        Reserve(sizeof h.text + room);
        char* p = buf + used;
        std::memcpy(p, h.text, sizeof h.text);
        return p + h.len;
    }
    char* Cursor() { return buf + used; }
    void End(char* p) { used = (size_t)(p - buf); }

    // Groups at p, within room reserved before; each returns the end.
    template <size_t N>
    static char* Text(char* p, const char (&s)[N])
    {
        std::memcpy(p, s, N - 1);
        return p + N - 1;
    }
    static char* Num(char* p, double v)
    {
        p = DXFNumber(p, v);
        *p = '\n';
        return p + 1;
    }
    static char* Int(char* p, long v)
    {
        p = std::to_chars(p, p + 24, v).ptr;
        *p = '\n';
        return p + 1;
    }
    // The x, y (and z) groups of a point: 1d, 2d (and 3d) for the digit d of the point.
    static char* XY(char* p, char d, double x, double y)
    {
        p[0] = '1';
        p[1] = d;
        p[2] = '\n';
        p = Num(p + 3, x);
        p[0] = '2';
        p[1] = d;
        p[2] = '\n';
        return Num(p + 3, y);
    }
    static char* XYZ(char* p, char d, double x, double y, double z)
    {
        p = XY(p, d, x, y);
        p[0] = '3';
        p[1] = d;
        p[2] = '\n';
        return Num(p + 3, z);
    }
    void Flush()
    {
        if (used) Write(buf, used);
        used = 0;
    }
    void Write(const char* s, size_t n)
    {
        if (failed || !f) return;
        if (std::fwrite(s, 1, n, f) != n) failed = true;
    }

    // Makes the layer current (adding it to the table when the template lacks it).
    void UseLayer(const std::string& utf8Name);
    void UseNewLayerName(const std::string& utf8Name);
    std::string Encode(const char* utf8);

    FILE* f = nullptr;
    bool failed = false;
    std::string outPath;
    std::string tempPath;
    std::vector<Pair> head;
    std::vector<Pair> tail;
    size_t layerEnd = npos;   // index in head of the LAYER table's ENDTAB
    size_t layerCount = npos; // index in head of the LAYER table's entry count
    std::vector<std::string> layers;
    std::vector<std::string> added;
    std::string curLayer = "0"; // in GBK, as written
    long headBytes = 0;
    std::unordered_map<char32_t, std::string> gbkCache;
    std::unordered_map<std::string, std::string> layerNames; // as asked for -> as written

    char buf[1 << 20];
    size_t used = 0;

private:
    bool Analyse(std::vector<Pair>& all);
    std::string HeadText() const;
    bool WriteAll(FILE* out, const std::string& s);
};

bool CDXFWriterImpl::Analyse(std::vector<Pair>& all)
{
    head.clear();
    tail.clear();
    layers.clear();
    layerEnd = layerCount = npos;
    if (all.size() < 2 || all[0].code != 0 || all[0].value != "SECTION") return false;
    // Only an R12 drawing without handles can take the entities this writer makes.
    bool r12 = false, codepage = false;
    for (size_t i = 0; i + 1 < all.size(); ++i) {
        if (all[i].code == 0 && all[i].value == "ENDSEC") break;
        if (all[i].code != 9) continue;
        if (all[i].value == "$ACADVER") r12 = all[i + 1].value == "AC1009";
        if (all[i].value == "$HANDLING" && std::atoi(all[i + 1].value.c_str()) != 0) return false;
        if (all[i].value == "$DWGCODEPAGE") {
            all[i + 1].value = "ANSI_936";
            codepage = true;
        }
    }
    if (!r12) return false;
    if (!codepage) {
        for (size_t i = 0; i + 1 < all.size(); ++i)
            if (all[i].code == 9 && all[i].value == "$ACADVER") {
                all.insert(all.begin() + (long)i + 2, {Pair{9, "$DWGCODEPAGE"}, Pair{3, "ANSI_936"}});
                break;
            }
    }
    std::string section, table;
    size_t entEnd = npos, eof = npos;
    for (size_t i = 0; i < all.size(); ++i) {
        const Pair& p = all[i];
        if (p.code != 0) continue;
        const std::string* next = (i + 1 < all.size() && all[i + 1].code == 2) ? &all[i + 1].value : nullptr;
        if (p.value == "SECTION") {
            section = next ? *next : "";
        } else if (p.value == "ENDSEC") {
            if (section == "ENTITIES" && entEnd == npos) entEnd = i;
            section.clear();
        } else if (p.value == "TABLE" && section == "TABLES") {
            table = next ? *next : "";
            if (table == "LAYER" && i + 2 < all.size() && all[i + 2].code == 70) layerCount = i + 2;
        } else if (p.value == "ENDTAB") {
            if (table == "LAYER" && layerEnd == npos) layerEnd = i;
            table.clear();
        } else if (p.value == "LAYER" && table == "LAYER" && next) {
            layers.push_back(vyr::GbkToUtf8(*next));
        } else if (p.value == "EOF") {
            eof = i;
            break;
        }
    }
    if (layerEnd == npos || eof == npos) return false;
    if (entEnd != npos) {
        head.assign(all.begin(), all.begin() + (long)entEnd);
        tail.assign(all.begin() + (long)entEnd, all.begin() + (long)eof + 1);
    } else {
        head.assign(all.begin(), all.begin() + (long)eof);
        head.push_back(Pair{0, "SECTION"});
        head.push_back(Pair{2, "ENTITIES"});
        tail.push_back(Pair{0, "ENDSEC"});
        tail.push_back(Pair{0, "EOF"});
    }
    return true;
}

std::string CDXFWriterImpl::HeadText() const
{
    std::string s;
    char code[16];
    for (size_t i = 0; i < head.size(); ++i) {
        if (i == layerEnd) {
            // Layers the callers used that the template lacks; names are stored in GBK.
            for (const std::string& name : added) {
                s += "  0\nLAYER\n  2\n" + vyr::Utf8ToGbk(name) + "\n 70\n0\n 62\n7\n  6\nCONTINUOUS\n";
            }
        }
        std::snprintf(code, sizeof code, "%3d\n", head[i].code);
        s += code;
        if (i == layerCount)
            s += std::to_string(std::atoi(head[i].value.c_str()) + (int)added.size());
        else
            s += head[i].value;
        s += '\n';
    }
    return s;
}

bool CDXFWriterImpl::WriteAll(FILE* out, const std::string& s)
{
    return std::fwrite(s.data(), 1, s.size(), out) == s.size();
}

bool CDXFWriterImpl::Start(const std::string& tmpl, bool useTemplate, const std::string& out)
{
    std::vector<Pair> all;
    if (!useTemplate || !ReadPairs(tmpl, all) || !Analyse(all)) {
        all = BuiltinTemplate();
        Analyse(all);
    }
    outPath = out;
    int fd = CreateTemp(out, tempPath);
    if (fd < 0) {
        tempPath.clear();
        failed = true;
        return false;
    }
    f = fdopen(fd, "wb");
    if (!f) {
        ::close(fd);
        std::remove(tempPath.c_str());
        failed = true;
        return false;
    }
    // The writer's own buffer gathers the text: the stream's would only copy the odd end of
    // every block once more.
    std::setvbuf(f, nullptr, _IONBF, 0);
    MakeHeads();
    std::string h = HeadText();
    headBytes = (long)h.size();
    Put(h);
    return true;
}

void CDXFWriterImpl::UseLayer(const std::string& utf8Name)
{
    // Drawings switch between a few layers for every label: a name seen before is not
    // cleaned, matched and converted again.
    auto seen = layerNames.find(utf8Name);
    if (seen != layerNames.end()) {
        if (curLayer != seen->second) {
            curLayer = seen->second;
            MakeHeads();
        }
        return;
    }
    UseNewLayerName(utf8Name);
    layerNames.emplace(utf8Name, curLayer);
}

void CDXFWriterImpl::UseNewLayerName(const std::string& utf8Name)
{
    std::string clean = CleanLayerName(utf8Name);
    for (const std::string& l : layers)
        if (SameNoCase(l, clean)) {
            curLayer = vyr::Utf8ToGbk(l);
            MakeHeads();
            return;
        }
    layers.push_back(clean);
    added.push_back(clean);
    curLayer = vyr::Utf8ToGbk(clean);
    MakeHeads();
}

std::string CDXFWriterImpl::Encode(const char* utf8)
{
    std::string out;
    if (!utf8) return out;
    std::string_view s(utf8);
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = (unsigned char)s[i];
        if (c < 0x80) {
            // A line break inside a value would end the value early and shift every
            // following group: control characters become blanks.
            out += c < 0x20 ? ' ' : (char)c;
            ++i;
            continue;
        }
        char32_t cp = vyr::Utf8Next(s, i);
        auto it = gbkCache.find(cp);
        if (it == gbkCache.end()) {
            std::string u;
            vyr::Utf8Append(u, cp);
            std::string g = vyr::Utf8ToGbk(u);
            if (cp > 0xFFFF) {
                // The escape holds four hex digits; readers take a surrogate pair of two
                // escapes as two lone surrogates, not as the character, so it is lost.
                g = "?";
            } else if (g == "?" || cp == 0xFFFD) {
                char esc[16];
                std::snprintf(esc, sizeof esc, "\\U+%04X", (unsigned)cp);
                g = esc;
            }
            it = gbkCache.emplace(cp, g).first;
        }
        out += it->second;
    }
    return out;
}

void CDXFWriterImpl::Finish()
{
    if (!f) return;
    std::string t;
    char code[16];
    for (const Pair& p : tail) {
        std::snprintf(code, sizeof code, "%3d\n", p.code);
        t += code;
        t += p.value;
        t += '\n';
    }
    Put(t);
    Flush();
    if (std::fflush(f) != 0 || std::ferror(f)) failed = true;
    if (std::fclose(f) != 0) failed = true;
    f = nullptr;
    if (!failed && !added.empty()) {
        // The layer table grows: write the file again with the new head and the entities
        // copied over.
        std::string name;
        int fd = CreateTemp(outPath, name);
        FILE* in = std::fopen(tempPath.c_str(), "rb");
        FILE* out = fd >= 0 ? fdopen(fd, "wb") : nullptr;
        bool ok = in && out && WriteAll(out, HeadText()) && std::fseek(in, headBytes, SEEK_SET) == 0;
        while (ok) {
            size_t n = std::fread(buf, 1, sizeof buf, in);
            if (n == 0) {
                ok = !std::ferror(in);
                break;
            }
            ok = std::fwrite(buf, 1, n, out) == n;
        }
        if (in) std::fclose(in);
        if (out) {
            if (std::fflush(out) != 0 || std::ferror(out)) ok = false;
            if (std::fclose(out) != 0) ok = false;
        } else if (fd >= 0) {
            ::close(fd);
        }
        std::remove(tempPath.c_str());
        if (fd >= 0) tempPath = name;
        if (!ok) failed = true;
    }
    if (!failed && std::rename(tempPath.c_str(), outPath.c_str()) != 0) failed = true;
    if (failed) std::remove(tempPath.c_str());
    tempPath.clear();
}

CDXFOutput::CDXFOutput()
    : m_HAlign(TA_LEFT), m_VAlign(TA_TOP), m_PenX(0), m_PenY(0), m_TextHeight(2.5), m_TextAngle(0.0),
      m_Reserved1(0.0), m_Reserved2(0.0), m_Layer("0"), m_Started(0), m_Failed(0)
{
}

CDXFOutput::CDXFOutput(const CDXFOutput& o) : CDXFOutput() { CopySettings(o); }

CDXFOutput& CDXFOutput::operator=(const CDXFOutput& o)
{
    if (this != &o) CopySettings(o);
    return *this;
}

void CDXFOutput::CopySettings(const CDXFOutput& o)
{
    // Two writers completing one file would write its end twice: the file stays with the
    // writer that started it.
    m_HAlign = o.m_HAlign;
    m_VAlign = o.m_VAlign;
    m_PenX = o.m_PenX;
    m_PenY = o.m_PenY;
    m_TextHeight = o.m_TextHeight;
    m_TextAngle = o.m_TextAngle;
    m_Reserved1 = o.m_Reserved1;
    m_Reserved2 = o.m_Reserved2;
    m_Layer = o.m_Layer;
}

CDXFOutput::~CDXFOutput()
{
    if (m_Impl) m_Impl->Finish();
}

int CDXFOutput::IntialDXFFile(const CString& templateFile, const CString& file, bool bUseTemplate)
{
    if (m_Impl) m_Impl->Finish();
    m_Impl = std::make_unique<CDXFWriterImpl>();
    m_File = file;
    m_Started = 0;
    m_Failed = 0;
    if (!m_Impl->Start(NativePath(templateFile), bUseTemplate, NativePath(file))) {
        m_Failed = 1;
        m_Impl.reset();
        return 0;
    }
    m_TempFile = CString(m_Impl->tempPath);
    m_Started = 1;
    // The layer in force carries over to the new file.
    SetCurrentLayer(m_Layer);
    return 1;
}

bool CDXFOutput::IsGood() const { return m_Impl && !m_Impl->failed; }

void CDXFOutput::SetCurrentLayer(const CString& name)
{
    m_Layer = name;
    if (m_Impl) m_Impl->UseLayer(name.str());
}

void CDXFOutput::SetText(double height, double angleDegrees)
{
    m_TextHeight = height;
    m_TextAngle = angleDegrees;
}

void CDXFOutput::SetTextAlign(UINT horizontal, UINT vertical)
{
    m_HAlign = (std::int32_t)horizontal;
    m_VAlign = (std::int32_t)vertical;
}

namespace {

// DXF justification of the window system's alignment flags.
int HJust(std::int32_t h)
{
    if ((h & TA_CENTER) == TA_CENTER) return 1;
    if (h & TA_RIGHT) return 2;
    return 0;
}

int VJust(std::int32_t v)
{
    if ((v & TA_BASELINE) == TA_BASELINE) return 0;
    if (v & TA_BOTTOM) return 1;
    return 3;
}

} // namespace

void CDXFOutput::TextOutA(long x, long y, const char* text) { TextOut3D((double)x, (double)y, 0.0, text); }

void CDXFOutput::TextOut3D(double x, double y, double z, const char* text)
{
    if (!m_Impl) return;
    CDXFWriterImpl& w = *m_Impl;
    using W = CDXFWriterImpl;
    char* p = w.Entity(w.textHead, 200);
    p = W::XYZ(p, '0', x, y, z);
    p = W::Text(p, "40\n");
    p = W::Num(p, m_TextHeight);
    p = W::Text(p, "1\n");
    w.End(p);
    // The value has no bound on its length: it goes through Put, and the groups after it
    // reserve their own room.
    w.Put(w.Encode(text));
    w.Reserve(200);
    p = w.Cursor();
    *p++ = '\n';
    if (m_TextAngle != 0.0) {
        p = W::Text(p, "50\n");
        p = W::Num(p, m_TextAngle);
    }
    int hj = HJust(m_HAlign), vj = VJust(m_VAlign);
    if (hj != 0) {
        p = W::Text(p, "72\n");
        p = W::Int(p, hj);
    }
    if (hj != 0 || vj != 0) {
        // Any justification but left-baseline places the text by its alignment point.
        p = W::XYZ(p, '1', x, y, z);
    }
    if (vj != 0) {
        p = W::Text(p, "73\n");
        p = W::Int(p, vj);
    }
    w.End(p);
}

void CDXFOutput::Line(const CPoint2D& a, const CPoint2D& b)
{
    if (!m_Impl) return;
    CDXFWriterImpl& w = *m_Impl;
    char* p = w.Entity(w.lineHead, 200);
    p = CDXFWriterImpl::XY(p, '0', a.x, a.y);
    w.End(CDXFWriterImpl::XY(p, '1', b.x, b.y));
}

void CDXFOutput::Line3D(CPoint3D a, CPoint3D b)
{
    if (!m_Impl) return;
    CDXFWriterImpl& w = *m_Impl;
    char* p = w.Entity(w.lineHead, 300);
    p = CDXFWriterImpl::XYZ(p, '0', a.x, a.y, a.z);
    w.End(CDXFWriterImpl::XYZ(p, '1', b.x, b.y, b.z));
}

void CDXFOutput::MoveTo(long x, long y)
{
    m_PenX = (std::int32_t)x;
    m_PenY = (std::int32_t)y;
}

void CDXFOutput::LineTo(long x, long y)
{
    Line(CPoint2D((double)m_PenX, (double)m_PenY), CPoint2D((double)x, (double)y));
    MoveTo(x, y);
}
