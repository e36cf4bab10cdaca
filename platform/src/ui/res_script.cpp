// Reader of the resource scripts: a small preprocessor (#define, #include, #if family),
// a tokenizer that keeps line numbers, and the statements the library's scripts use.
#include <vyr/resources.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <strings.h>

namespace vyr {

int DialogUnitsToPixelsX(int x)
{
    // MulDiv rounding, halves away from zero.
    long v = (long)x * kDialogBaseX;
    return (int)(v >= 0 ? (v + 2) / 4 : (v - 2) / 4);
}

int DialogUnitsToPixelsY(int y)
{
    long v = (long)y * kDialogBaseY;
    return (int)(v >= 0 ? (v + 4) / 8 : (v - 4) / 8);
}

CRect DialogUnitsToPixels(const CRect& dlu)
{
    return CRect(DialogUnitsToPixelsX(dlu.left), DialogUnitsToPixelsY(dlu.top), DialogUnitsToPixelsX(dlu.right),
                 DialogUnitsToPixelsY(dlu.bottom));
}

const DialogControl* DialogTemplate::FindControl(int ctrlId) const
{
    for (const DialogControl& c : controls)
        if (c.id == ctrlId) return &c;
    return nullptr;
}

namespace {

struct NamedValue
{
    const char* name;
    long value;
};

#define NV(x) {#x, (long)(x)}
const NamedValue kStyleNames[] = {
    NV(WS_OVERLAPPED), NV(WS_POPUP), NV(WS_CHILD), NV(WS_MINIMIZE), NV(WS_VISIBLE), NV(WS_DISABLED),
    NV(WS_CLIPSIBLINGS), NV(WS_CLIPCHILDREN), NV(WS_MAXIMIZE), NV(WS_CAPTION), NV(WS_BORDER), NV(WS_DLGFRAME),
    NV(WS_VSCROLL), NV(WS_HSCROLL), NV(WS_SYSMENU), NV(WS_THICKFRAME), NV(WS_GROUP), NV(WS_TABSTOP),
    NV(WS_MINIMIZEBOX), NV(WS_MAXIMIZEBOX), NV(WS_OVERLAPPEDWINDOW), NV(WS_POPUPWINDOW),
    NV(WS_EX_DLGMODALFRAME), NV(WS_EX_NOPARENTNOTIFY), NV(WS_EX_TOPMOST), NV(WS_EX_ACCEPTFILES),
    NV(WS_EX_TRANSPARENT), NV(WS_EX_TOOLWINDOW), NV(WS_EX_WINDOWEDGE), NV(WS_EX_CLIENTEDGE),
    NV(WS_EX_CONTEXTHELP), NV(WS_EX_RIGHT), NV(WS_EX_LEFTSCROLLBAR), NV(WS_EX_CONTROLPARENT),
    NV(WS_EX_STATICEDGE), NV(WS_EX_APPWINDOW),
    NV(DS_ABSALIGN), NV(DS_SYSMODAL), NV(DS_LOCALEDIT), NV(DS_SETFONT), NV(DS_MODALFRAME), NV(DS_NOIDLEMSG),
    NV(DS_SETFOREGROUND), NV(DS_3DLOOK), NV(DS_FIXEDSYS), NV(DS_NOFAILCREATE), NV(DS_CONTROL), NV(DS_CENTER),
    NV(DS_CENTERMOUSE), NV(DS_CONTEXTHELP), NV(DS_SHELLFONT),
    NV(ES_LEFT), NV(ES_CENTER), NV(ES_RIGHT), NV(ES_MULTILINE), NV(ES_UPPERCASE), NV(ES_LOWERCASE),
    NV(ES_PASSWORD), NV(ES_AUTOVSCROLL), NV(ES_AUTOHSCROLL), NV(ES_NOHIDESEL), NV(ES_OEMCONVERT),
    NV(ES_READONLY), NV(ES_WANTRETURN), NV(ES_NUMBER),
    NV(BS_PUSHBUTTON), NV(BS_DEFPUSHBUTTON), NV(BS_CHECKBOX), NV(BS_AUTOCHECKBOX), NV(BS_RADIOBUTTON),
    NV(BS_3STATE), NV(BS_AUTO3STATE), NV(BS_GROUPBOX), NV(BS_USERBUTTON), NV(BS_AUTORADIOBUTTON),
    NV(BS_OWNERDRAW), NV(BS_LEFTTEXT), NV(BS_TEXT), NV(BS_ICON), NV(BS_BITMAP), NV(BS_LEFT), NV(BS_RIGHT),
    NV(BS_CENTER), NV(BS_TOP), NV(BS_BOTTOM), NV(BS_VCENTER), NV(BS_PUSHLIKE), NV(BS_MULTILINE),
    NV(BS_NOTIFY), NV(BS_FLAT),
    NV(SS_LEFT), NV(SS_CENTER), NV(SS_RIGHT), NV(SS_ICON), NV(SS_BLACKRECT), NV(SS_GRAYRECT),
    NV(SS_WHITERECT), NV(SS_BLACKFRAME), NV(SS_GRAYFRAME), NV(SS_WHITEFRAME), NV(SS_SIMPLE),
    NV(SS_LEFTNOWORDWRAP), NV(SS_OWNERDRAW), NV(SS_BITMAP), NV(SS_ENHMETAFILE), NV(SS_ETCHEDHORZ),
    NV(SS_ETCHEDVERT), NV(SS_ETCHEDFRAME), NV(SS_NOPREFIX), NV(SS_NOTIFY), NV(SS_CENTERIMAGE),
    NV(SS_RIGHTJUST), NV(SS_REALSIZEIMAGE), NV(SS_SUNKEN),
    NV(CBS_SIMPLE), NV(CBS_DROPDOWN), NV(CBS_DROPDOWNLIST), NV(CBS_OWNERDRAWFIXED), NV(CBS_OWNERDRAWVARIABLE),
    NV(CBS_AUTOHSCROLL), NV(CBS_OEMCONVERT), NV(CBS_SORT), NV(CBS_HASSTRINGS), NV(CBS_NOINTEGRALHEIGHT),
    NV(CBS_DISABLENOSCROLL), NV(CBS_UPPERCASE), NV(CBS_LOWERCASE),
    NV(LBS_NOTIFY), NV(LBS_SORT), NV(LBS_NOREDRAW), NV(LBS_MULTIPLESEL), NV(LBS_OWNERDRAWFIXED),
    NV(LBS_OWNERDRAWVARIABLE), NV(LBS_HASSTRINGS), NV(LBS_USETABSTOPS), NV(LBS_NOINTEGRALHEIGHT),
    NV(LBS_MULTICOLUMN), NV(LBS_WANTKEYBOARDINPUT), NV(LBS_EXTENDEDSEL), NV(LBS_DISABLENOSCROLL),
    NV(LBS_NODATA), NV(LBS_NOSEL), NV(LBS_STANDARD),
    NV(SBS_HORZ), NV(SBS_VERT),
    NV(LVS_ICON), NV(LVS_REPORT), NV(LVS_SMALLICON), NV(LVS_LIST), NV(LVS_SINGLESEL), NV(LVS_SHOWSELALWAYS),
    NV(LVS_SORTASCENDING), NV(LVS_SORTDESCENDING), NV(LVS_SHAREIMAGELISTS), NV(LVS_NOLABELWRAP),
    NV(LVS_AUTOARRANGE), NV(LVS_EDITLABELS), NV(LVS_OWNERDATA), NV(LVS_NOSCROLL), NV(LVS_ALIGNTOP),
    NV(LVS_ALIGNLEFT), NV(LVS_OWNERDRAWFIXED), NV(LVS_NOCOLUMNHEADER), NV(LVS_NOSORTHEADER),
    NV(TCS_TABS), NV(TCS_BOTTOM), NV(TCS_MULTILINE), NV(TCS_BUTTONS), NV(TCS_FIXEDWIDTH), NV(TCS_FOCUSNEVER),
    NV(PBS_SMOOTH), NV(PBS_VERTICAL),
    NV(UDS_WRAP), NV(UDS_SETBUDDYINT), NV(UDS_ALIGNRIGHT), NV(UDS_ALIGNLEFT), NV(UDS_AUTOBUDDY),
    NV(UDS_ARROWKEYS), NV(UDS_HORZ), NV(UDS_NOTHOUSANDS), NV(UDS_HOTTRACK),
    NV(TVS_HASBUTTONS), NV(TVS_HASLINES), NV(TVS_LINESATROOT), NV(TVS_EDITLABELS), NV(TVS_SHOWSELALWAYS),
    {"IDC_STATIC", -1}, {"IDOK", 1}, {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4}, {"IDIGNORE", 5},
    {"IDYES", 6}, {"IDNO", 7}, {"IDCLOSE", 8}, {"IDHELP", 9},
};
#undef NV

// Canonical spelling of the window classes the controls are made from.
const char* const kClassNames[] = {
    "Button", "Edit", "Static", "ComboBox", "ListBox", "ScrollBar", "SysListView32", "SysTabControl32",
    "msctls_progress32", "msctls_updown32", "RichEdit20A", "RichEdit20W", "RICHEDIT", "SysTreeView32",
    "SysHeader32",
};

CString CanonicalClass(const std::string& name)
{
    for (const char* c : kClassNames)
        if (strcasecmp(c, name.c_str()) == 0) return CString(c);
    return CString(name);
}

enum class Tok { End, Newline, Word, Number, String, Punct };

struct Token
{
    Tok kind = Tok::End;
    std::string text; // word, punctuation, or the decoded string
    long value = 0;   // number
    int line = 0;
};

struct ParseError
{
    std::string message;
    int line;
};

std::string Upper(std::string s)
{
    for (char& c : s) c = (char)std::toupper((unsigned char)c);
    return s;
}

} // namespace

// Reads one script (and what it includes) into a ResourceSet.
class ScriptParser
{
public:
    ScriptParser(ResourceSet& set, std::string fileName, int depth) : m_set(set), m_file(std::move(fileName)), m_depth(depth) {}

    void Run(const std::string& text)
    {
        Tokenize(text);
        m_pos = 0;
        while (true) {
            SkipNewlines();
            if (Peek().kind == Tok::End) break;
            Statement();
        }
    }

private:
    ResourceSet& m_set;
    std::string m_file;
    int m_depth;
    std::vector<Token> m_toks;
    size_t m_pos = 0;
    // Expressions nest at most this deep: deeper ones are refused before they exhaust the stack.
    static constexpr int kMaxNesting = 256;
    int m_nesting = 0;

    struct Nesting
    {
        ScriptParser& p;
        Nesting(ScriptParser& parser, int line) : p(parser)
        {
            if (++p.m_nesting > kMaxNesting) {
                --p.m_nesting;
                p.Fail("expression nested too deeply", line);
            }
        }
        ~Nesting() { --p.m_nesting; }
    };

    [[noreturn]] void Fail(const std::string& msg, int line) { throw ParseError{msg, line}; }
    [[noreturn]] void Fail(const std::string& msg) { Fail(msg, Peek().line); }

    std::string Dir() const
    {
        std::filesystem::path p(m_file);
        return p.has_parent_path() ? p.parent_path().string() : std::string(".");
    }

    // ---- Preprocessing and tokens -------------------------------------------------

    struct Cond
    {
        bool parentActive;
        bool taken;  // some branch of this #if was active
        bool active;
    };

    bool Defined(const std::string& name) const { return m_set.m_symbols.count(name) != 0; }

    // #if expressions: defined(X), defined X, numbers, symbols, !, &&, ||.
    bool EvalCondition(const std::string& expr, int line)
    {
        std::string e = expr;
        size_t i = 0;
        auto skip = [&] { while (i < e.size() && std::isspace((unsigned char)e[i])) ++i; };
        std::function<long()> orExpr, andExpr, unary;
        unary = [&]() -> long {
            Nesting nest(*this, line);
            skip();
            if (i < e.size() && e[i] == '!') { ++i; return !unary(); }
            if (i < e.size() && e[i] == '(') {
                ++i;
                long v = orExpr();
                skip();
                if (i >= e.size() || e[i] != ')') Fail("')' expected in #if", line);
                ++i;
                return v;
            }
            size_t s = i;
            while (i < e.size() && (std::isalnum((unsigned char)e[i]) || e[i] == '_')) ++i;
            std::string w = e.substr(s, i - s);
            if (w.empty()) Fail("malformed #if expression", line);
            if (w == "defined") {
                skip();
                bool paren = i < e.size() && e[i] == '(';
                if (paren) ++i;
                skip();
                size_t s2 = i;
                while (i < e.size() && (std::isalnum((unsigned char)e[i]) || e[i] == '_')) ++i;
                std::string n = e.substr(s2, i - s2);
                skip();
                if (paren) {
                    if (i >= e.size() || e[i] != ')') Fail("')' expected in #if", line);
                    ++i;
                }
                return Defined(n) ? 1 : 0;
            }
            if (std::isdigit((unsigned char)w[0])) return std::strtol(w.c_str(), nullptr, 0);
            auto it = m_set.m_symbols.find(w);
            return it == m_set.m_symbols.end() ? 0 : it->second;
        };
        andExpr = [&]() -> long {
            long v = unary();
            while (true) {
                skip();
                if (e.compare(i, 2, "&&") == 0) { i += 2; long r = unary(); v = v && r; }
                else return v;
            }
        };
        orExpr = [&]() -> long {
            long v = andExpr();
            while (true) {
                skip();
                if (e.compare(i, 2, "||") == 0) { i += 2; long r = andExpr(); v = v || r; }
                else return v;
            }
        };
        long v = orExpr();
        skip();
        if (i != e.size()) Fail("malformed #if expression", line);
        return v != 0;
    }

    void Directive(const std::string& body, int line, std::vector<Cond>& conds)
    {
        std::istringstream in(body);
        std::string word;
        in >> word;
        std::string rest;
        std::getline(in, rest);
        auto trim = [](std::string s) {
            size_t a = s.find_first_not_of(" \t\r");
            size_t b = s.find_last_not_of(" \t\r");
            return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
        };
        rest = trim(rest);
        // Strip a trailing // comment.
        if (size_t c = rest.find("//"); c != std::string::npos && rest.find('"') == std::string::npos) rest = trim(rest.substr(0, c));
        bool active = conds.empty() || conds.back().active;
        if (word == "if" || word == "ifdef" || word == "ifndef") {
            bool v = false;
            if (active) {
                if (word == "if") v = EvalCondition(rest, line);
                else v = Defined(rest) == (word == "ifdef");
            }
            conds.push_back({active, v, active && v});
            return;
        }
        if (word == "elif" || word == "else") {
            if (conds.empty()) Fail("#" + word + " without #if", line);
            Cond& c = conds.back();
            if (!c.parentActive || c.taken) c.active = false;
            else {
                bool v = word == "else" ? true : EvalCondition(rest, line);
                c.active = v;
                c.taken = v;
            }
            return;
        }
        if (word == "endif") {
            if (conds.empty()) Fail("#endif without #if", line);
            conds.pop_back();
            return;
        }
        if (!active) return;
        if (word == "define") {
            std::istringstream d(rest);
            std::string name, value;
            d >> name;
            std::getline(d, value);
            value = trim(value);
            if (name.empty()) Fail("#define without a name", line);
            if (name.find('(') != std::string::npos) return; // function-like macros are not ids
            long v = 0;
            if (!value.empty()) {
                // Values are numbers, symbols or simple sums of them.
                Tokenizer t(value, line);
                std::vector<Token> toks = t.All(*this);
                std::vector<Token> saved;
                saved.swap(m_toks);
                size_t savedPos = m_pos;
                m_toks = toks;
                m_toks.push_back(Token{Tok::End, "", 0, line});
                m_pos = 0;
                bool ok = true;
                try {
                    if (Peek().kind == Tok::String) ok = false;
                    else v = Expression(nullptr);
                    if (Peek().kind != Tok::End) ok = false;
                } catch (const ParseError&) {
                    ok = false;
                }
                m_toks.swap(saved);
                m_pos = savedPos;
                if (!ok) return; // not a numeric id: of no use to the scripts
            }
            m_set.m_symbols[name] = v;
            return;
        }
        if (word == "undef") {
            m_set.m_symbols.erase(rest);
            return;
        }
        if (word == "include") {
            std::string name = rest;
            if (name.size() >= 2 && (name[0] == '"' || name[0] == '<')) name = name.substr(1, name.size() - 2);
            std::replace(name.begin(), name.end(), '\\', '/');
            if (name == "afxres.h" || name == "winres.h" || name == "windows.h" || name == "commctrl.h" ||
                name == "richedit.h" || name == "afxres.rc" || name == "l.chs/afxres.rc" || name == "winresrc.h")
                return; // the platform's own definitions stand in for these
            std::filesystem::path p(name);
            if (p.is_relative()) p = std::filesystem::path(Dir()) / p;
            if (m_depth > 16) Fail("#include nested too deeply", line);
            std::ifstream f(p, std::ios::binary);
            if (!f) Fail("cannot open included file " + p.string(), line);
            std::ostringstream ss;
            ss << f.rdbuf();
            ScriptParser sub(m_set, p.string(), m_depth + 1);
            try {
                sub.Run(ss.str());
            } catch (const ParseError& e) {
                // Report the failing file's own place, then where the outermost include is.
                const std::string mark = " (included here)";
                size_t at = e.message.find(mark);
                std::string inner = at != std::string::npos ? e.message.substr(0, at)
                                                             : p.string() + ":" + std::to_string(e.line) + ": " + e.message;
                Fail(inner + mark, line);
            }
            return;
        }
        if (word == "pragma") {
            if (rest.rfind("code_page", 0) == 0) {
                size_t a = rest.find('('), b = rest.find(')');
                std::string cp = a != std::string::npos && b != std::string::npos ? trim(rest.substr(a + 1, b - a - 1)) : "";
                if (cp != "65001" && cp != "DEFAULT" && cp != "default")
                    Fail("code page " + cp + " is not supported; scripts are UTF-8 (65001)", line);
            }
            return;
        }
        if (word == "error") Fail("#error " + rest, line);
        // #line, #undef-like oddities: nothing to do.
    }

    class Tokenizer
    {
    public:
        Tokenizer(const std::string& s, int line) : m_s(s), m_line(line) {}

        std::vector<Token> All(ScriptParser& p)
        {
            std::vector<Token> out;
            while (m_i < m_s.size()) {
                char c = m_s[m_i];
                if (c == '\n') { out.push_back(Token{Tok::Newline, "", 0, m_line}); ++m_line; ++m_i; continue; }
                if (std::isspace((unsigned char)c)) { ++m_i; continue; }
                if (c == '/' && m_i + 1 < m_s.size() && m_s[m_i + 1] == '/') {
                    while (m_i < m_s.size() && m_s[m_i] != '\n') ++m_i;
                    continue;
                }
                if (c == '/' && m_i + 1 < m_s.size() && m_s[m_i + 1] == '*') {
                    size_t e = m_s.find("*/", m_i + 2);
                    if (e == std::string::npos) p.Fail("unterminated comment", m_line);
                    for (size_t k = m_i; k < e; ++k) if (m_s[k] == '\n') ++m_line;
                    m_i = e + 2;
                    continue;
                }
                if (c == '"') { out.push_back(String(p)); continue; }
                if (c == 'L' && m_i + 1 < m_s.size() && m_s[m_i + 1] == '"') { ++m_i; out.push_back(String(p)); continue; }
                if (std::isdigit((unsigned char)c)) {
                    size_t s = m_i;
                    while (m_i < m_s.size() && (std::isalnum((unsigned char)m_s[m_i]))) ++m_i;
                    std::string w = m_s.substr(s, m_i - s);
                    std::string digits = w;
                    while (!digits.empty() && (digits.back() == 'L' || digits.back() == 'l' || digits.back() == 'U' || digits.back() == 'u'))
                        digits.pop_back();
                    char* end = nullptr;
                    long v = (long)std::strtoul(digits.c_str(), &end, 0);
                    if (digits.empty() || *end != '\0') p.Fail("malformed number '" + w + "'", m_line);
                    out.push_back(Token{Tok::Number, w, v, m_line});
                    continue;
                }
                if (std::isalpha((unsigned char)c) || c == '_') {
                    size_t s = m_i;
                    while (m_i < m_s.size() && (std::isalnum((unsigned char)m_s[m_i]) || m_s[m_i] == '_' || m_s[m_i] == '.')) ++m_i;
                    out.push_back(Token{Tok::Word, m_s.substr(s, m_i - s), 0, m_line});
                    continue;
                }
                if (std::strchr(",|+-()~{}&", c)) {
                    out.push_back(Token{Tok::Punct, std::string(1, c), 0, m_line});
                    ++m_i;
                    continue;
                }
                p.Fail(std::string("unexpected character '") + c + "'", m_line);
            }
            return out;
        }

    private:
        const std::string& m_s;
        size_t m_i = 0;
        int m_line;

        Token String(ScriptParser& p)
        {
            int line = m_line;
            ++m_i; // opening quote
            std::string out;
            while (true) {
                if (m_i >= m_s.size() || m_s[m_i] == '\n') p.Fail("unterminated string", line);
                char c = m_s[m_i++];
                if (c == '"') {
                    if (m_i < m_s.size() && m_s[m_i] == '"') { out += '"'; ++m_i; continue; }
                    break;
                }
                if (c != '\\') { out += c; continue; }
                if (m_i >= m_s.size()) p.Fail("unterminated string", line);
                char e = m_s[m_i++];
                switch (e) {
                case 'n': out += '\n'; break;
                case 't': out += '\t'; break;
                case 'r': out += '\r'; break;
                case 'a': out += '\a'; break;
                case '\\': out += '\\'; break;
                case '"': out += '"'; break;
                case 'x': case 'X': {
                    int v = 0, n = 0;
                    while (n < 2 && m_i < m_s.size() && std::isxdigit((unsigned char)m_s[m_i])) {
                        v = v * 16 + (std::isdigit((unsigned char)m_s[m_i]) ? m_s[m_i] - '0' : (std::tolower((unsigned char)m_s[m_i]) - 'a' + 10));
                        ++m_i; ++n;
                    }
                    if (n == 0) p.Fail("malformed \\x escape", line);
                    out += (char)v;
                    break;
                }
                default:
                    if (e >= '0' && e <= '7') {
                        int v = e - '0', n = 1;
                        while (n < 3 && m_i < m_s.size() && m_s[m_i] >= '0' && m_s[m_i] <= '7') { v = v * 8 + (m_s[m_i++] - '0'); ++n; }
                        out += (char)v;
                    } else {
                        out += '\\';
                        out += e;
                    }
                }
            }
            return Token{Tok::String, out, 0, line};
        }
    };

    void Tokenize(const std::string& text)
    {
        std::string src = text;
        if (src.size() >= 3 && (unsigned char)src[0] == 0xEF && (unsigned char)src[1] == 0xBB && (unsigned char)src[2] == 0xBF)
            src = src.substr(3);
        // Line by line: directives run in order (so a #define is known to later #ifs),
        // the other active lines are collected and tokenized together.
        std::vector<Cond> conds;
        std::string active;
        int line = 1;
        size_t i = 0;
        std::vector<std::pair<std::string, int>> chunks; // text runs with their first line
        int chunkLine = 1;
        bool inComment = false;
        auto flush = [&] {
            if (!active.empty()) chunks.emplace_back(active, chunkLine);
            active.clear();
        };
        while (i <= src.size()) {
            size_t e = src.find('\n', i);
            if (e == std::string::npos) e = src.size();
            std::string l = src.substr(i, e - i);
            if (!l.empty() && l.back() == '\r') l.pop_back();
            // Join continuation lines of directives.
            int first = line;
            size_t firstNs = l.find_first_not_of(" \t");
            bool isDirective = !inComment && firstNs != std::string::npos && l[firstNs] == '#';
            while (isDirective && !l.empty() && l.back() == '\\' && e < src.size()) {
                l.pop_back();
                size_t e2 = src.find('\n', e + 1);
                if (e2 == std::string::npos) e2 = src.size();
                std::string more = src.substr(e + 1, e2 - e - 1);
                if (!more.empty() && more.back() == '\r') more.pop_back();
                l += more;
                e = e2;
                ++line;
            }
            if (isDirective) {
                flush();
                Directive(l.substr(firstNs + 1), first, conds);
                chunkLine = line + 1;
            } else {
                // Track block comments so a '#' inside one is not a directive.
                for (size_t k = 0; k + 1 < l.size(); ++k) {
                    if (!inComment && l[k] == '/' && l[k + 1] == '*') { inComment = true; ++k; }
                    else if (inComment && l[k] == '*' && l[k + 1] == '/') { inComment = false; ++k; }
                    else if (!inComment && l[k] == '/' && l[k + 1] == '/') break;
                }
                if (active.empty()) chunkLine = first;
                bool on = conds.empty() || conds.back().active;
                active += on ? l : std::string();
                active += '\n';
            }
            line++;
            i = e + 1;
            if (e >= src.size()) break;
        }
        int lastLine = (int)std::count(src.begin(), src.end(), '\n') + (src.empty() || src.back() == '\n' ? 0 : 1);
        if (lastLine < 1) lastLine = 1;
        if (!conds.empty()) Fail("#if without #endif", lastLine);
        flush();
        m_toks.clear();
        for (auto& [txt, l0] : chunks) {
            Tokenizer t(txt, l0);
            std::vector<Token> v = t.All(*this);
            m_toks.insert(m_toks.end(), v.begin(), v.end());
        }
        m_toks.push_back(Token{Tok::End, "", 0, lastLine});
    }

    // ---- Token access ---------------------------------------------------------------

    const Token& Peek()
    {
        size_t p = m_pos;
        while (m_toks[p].kind == Tok::Newline) ++p;
        return m_toks[p];
    }
    Token Next()
    {
        while (m_toks[m_pos].kind == Tok::Newline) ++m_pos;
        Token t = m_toks[m_pos];
        if (t.kind != Tok::End) ++m_pos;
        return t;
    }
    void SkipNewlines()
    {
        while (m_toks[m_pos].kind == Tok::Newline) ++m_pos;
    }
    bool AtLineEnd() const
    {
        return m_toks[m_pos].kind == Tok::Newline || m_toks[m_pos].kind == Tok::End;
    }
    bool IsPunct(const char* p) { const Token& t = Peek(); return t.kind == Tok::Punct && t.text == p; }
    bool IsWord(const char* w) { const Token& t = Peek(); return t.kind == Tok::Word && Upper(t.text) == w; }
    bool AcceptPunct(const char* p)
    {
        if (!IsPunct(p)) return false;
        Next();
        return true;
    }
    void ExpectComma(const char* what)
    {
        if (!AcceptPunct(",")) Fail(std::string("',' expected before ") + what);
    }
    bool IsBegin() { return IsWord("BEGIN") || IsPunct("{"); }
    bool IsEndBlock() { return IsWord("END") || IsPunct("}"); }
    void ExpectBegin(const char* what)
    {
        if (!IsBegin()) Fail(std::string("BEGIN expected after ") + what);
        Next();
    }

    // ---- Expressions ----------------------------------------------------------------

    long Symbol(const Token& t)
    {
        auto it = m_set.m_symbols.find(t.text);
        if (it != m_set.m_symbols.end()) return it->second;
        for (const NamedValue& nv : kStyleNames)
            if (t.text == nv.name) return nv.value;
        Fail("unknown symbol '" + t.text + "'", t.line);
    }

    long Primary()
    {
        Nesting nest(*this, Peek().line);
        Token t = Next();
        if (t.kind == Tok::Number) return t.value;
        if (t.kind == Tok::Word) return Symbol(t);
        if (t.kind == Tok::Punct && t.text == "(") {
            long v = Expression(nullptr);
            if (!AcceptPunct(")")) Fail("')' expected", t.line);
            return v;
        }
        // Arithmetic wraps, as the resource compiler's does: no input may overflow a long.
        if (t.kind == Tok::Punct && t.text == "-") return (long)(0ul - (unsigned long)Primary());
        if (t.kind == Tok::Punct && t.text == "~") return ~Primary();
        if (t.kind == Tok::End) Fail("unexpected end of script", t.line);
        Fail("value expected, found '" + t.text + "'", t.line);
    }

    long Sum()
    {
        long v = Primary();
        while (IsPunct("+") || IsPunct("-")) {
            bool plus = Next().text == "+";
            long r = Primary();
            v = (long)(plus ? (unsigned long)v + (unsigned long)r : (unsigned long)v - (unsigned long)r);
        }
        return v;
    }

    // Terms joined by '|' (and '&'); "NOT x" terms are collected into *notBits, which
    // styles remove from their defaults. Without notBits, NOT is refused.
    long Expression(long* notBits)
    {
        long v = 0;
        bool first = true;
        while (true) {
            if (IsWord("NOT")) {
                int line = Next().line;
                if (!notBits) Fail("NOT is only allowed in a style", line);
                *notBits |= Sum();
            } else {
                long t = Sum();
                v = first ? t : (v | t);
            }
            first = false;
            if (AcceptPunct("|")) continue;
            if (IsPunct("&")) {
                Next();
                v &= Sum();
                if (AcceptPunct("|")) continue;
            }
            break;
        }
        return v;
    }

    DWORD Style(DWORD defaults)
    {
        long notBits = 0;
        long v = Expression(&notBits);
        return (DWORD)(((long)defaults | v) & ~notBits);
    }

    int IntArg() { return (int)Expression(nullptr); }

    // The far edge of a position and a size; one beyond the int range is refused.
    int FarEdge(int pos, int size, int line)
    {
        const long long edge = (long long)pos + size;
        if (edge < INT_MIN || edge > INT_MAX) Fail("position and size out of range", line);
        return (int)edge;
    }

    std::string StringArg(const char* what)
    {
        Token t = Next();
        if (t.kind != Tok::String) Fail(std::string("string expected for ") + what, t.line);
        return t.text;
    }

    // A resource's name: a number, a #define'd symbol, or a plain name.
    struct ResName
    {
        bool numeric;
        UINT id;
        std::string name;
    };

    ResName NameOf(const Token& t)
    {
        if (t.kind == Tok::Number) return {true, (UINT)t.value, t.text};
        if (t.kind == Tok::String) return {false, 0, t.text};
        auto it = m_set.m_symbols.find(t.text);
        if (it != m_set.m_symbols.end()) return {true, (UINT)it->second, t.text};
        return {false, 0, t.text};
    }

    std::string Where(int line) const { return m_file + ":" + std::to_string(line); }

    // ---- Statements -----------------------------------------------------------------

    void SkipBlock()
    {
        // Skips a BEGIN ... END block, nested ones included.
        int depth = 0;
        do {
            Token t = Next();
            if (t.kind == Tok::End) Fail("END expected before the end of the script", t.line);
            std::string u = t.kind == Tok::Word ? Upper(t.text) : t.text;
            if ((t.kind == Tok::Word && u == "BEGIN") || (t.kind == Tok::Punct && u == "{")) ++depth;
            else if ((t.kind == Tok::Word && u == "END") || (t.kind == Tok::Punct && u == "}")) --depth;
        } while (depth > 0);
    }

    void SkipToLineEnd()
    {
        while (!AtLineEnd()) ++m_pos;
    }

    void Statement()
    {
        const Token first = Next();
        if (first.kind == Tok::Word) {
            std::string u = Upper(first.text);
            if (u == "STRINGTABLE") { StringTable(); return; }
            if (u == "LANGUAGE") { SkipToLineEnd(); return; }
        }
        if (first.kind != Tok::Word && first.kind != Tok::Number && first.kind != Tok::String)
            Fail("resource name expected, found '" + first.text + "'", first.line);
        Token kindTok = Next();
        if (kindTok.kind != Tok::Word && kindTok.kind != Tok::Number && kindTok.kind != Tok::String)
            Fail("resource type expected after '" + first.text + "'", kindTok.line);
        std::string kind = kindTok.kind == Tok::String ? std::string() : Upper(kindTok.text);
        ResName name = NameOf(first);
        if (kind == "DIALOG" || kind == "DIALOGEX") { Dialog(name, kind == "DIALOGEX", first.line); return; }
        if (kind == "DLGINIT") { DlgInit(name, first.line); return; }
        if (kind == "BITMAP") { FileResource(ResourceKind::Bitmap, name, first.line); return; }
        if (kind == "CURSOR") { FileResource(ResourceKind::Cursor, name, first.line); return; }
        if (kind == "ICON") { FileResource(ResourceKind::Icon, name, first.line); return; }
        // Any other kind: a file named on its line, or options and then a block.
        bool fileRef = false;
        for (size_t p = m_pos; m_toks[p].kind != Tok::Newline && m_toks[p].kind != Tok::End; ++p)
            fileRef = fileRef || m_toks[p].kind == Tok::String;
        if (fileRef) {
            SkipToLineEnd();
            return;
        }
        while (!IsBegin()) {
            if (Peek().kind == Tok::End) Fail("BEGIN expected after " + kindTok.text, kindTok.line);
            Next();
        }
        SkipBlock();
    }

    void SkipMemoryOptions()
    {
        while (IsWord("DISCARDABLE") || IsWord("MOVEABLE") || IsWord("PURE") || IsWord("PRELOAD") ||
               IsWord("LOADONCALL") || IsWord("FIXED") || IsWord("IMPURE") || IsWord("SHARED") || IsWord("NONSHARED"))
            Next();
    }

    void FileResource(ResourceKind kind, const ResName& name, int line)
    {
        SkipMemoryOptions();
        std::string f = StringArg("the file name");
        std::replace(f.begin(), f.end(), '\\', '/');
        std::filesystem::path p(f);
        if (p.is_relative()) p = std::filesystem::path(Dir()) / p;
        p = p.lexically_normal();
        ResourceSet::FileEntry e{CString(p.string()), CString(Where(line))};
        if (name.numeric) m_set.m_files[{(int)kind, name.id}] = e;
        m_set.m_filesByName[{(int)kind, name.name}] = e;
    }

    void StringTable()
    {
        SkipMemoryOptions();
        while (!IsBegin()) {
            // Options such as LANGUAGE, CHARACTERISTICS, VERSION before the block.
            Token t = Next();
            if (t.kind == Tok::End) Fail("BEGIN expected after STRINGTABLE", t.line);
        }
        Next();
        while (!IsEndBlock()) {
            int line = Peek().line;
            if (Peek().kind == Tok::End) Fail("END expected to close STRINGTABLE", line);
            UINT id = (UINT)IntArg();
            AcceptPunct(",");
            std::string s = StringArg("the string");
            if (m_set.m_strings.count(id))
                Fail("string " + std::to_string(id) + " is already defined at " + m_set.m_stringWhere[id].str(), line);
            m_set.m_strings[id] = CString(s);
            m_set.m_stringWhere[id] = CString(Where(line));
        }
        Next();
    }

    void DlgInit(const ResName& name, int line)
    {
        if (!name.numeric) Fail("DLGINIT needs the numeric id of its dialog", line);
        SkipMemoryOptions();
        ExpectBegin("DLGINIT");
        std::vector<DialogInitEntry> entries;
        while (!IsEndBlock()) {
            int entryLine = Peek().line;
            if (Peek().kind == Tok::End) Fail("END expected to close DLGINIT", entryLine);
            long ctrl = Expression(nullptr);
            if (!AcceptPunct(",")) {
                // A lone 0 ends the list.
                if (ctrl == 0 && IsEndBlock()) break;
                Fail("',' expected after the control id of a DLGINIT entry");
            }
            long msg = Expression(nullptr);
            ExpectComma("the byte count");
            long len = Expression(nullptr);
            ExpectComma("the second half of the byte count");
            Expression(nullptr);
            ExpectComma("the data");
            if (msg != 0x403 && msg != 0x401 && msg != 0x143 && msg != 0x180)
                Fail("DLGINIT message " + std::to_string(msg) + " is not a combo or list box string", entryLine);
            if (len < 0) Fail("negative DLGINIT byte count", entryLine);
            std::string data;
            if (Peek().kind == Tok::String) {
                data = Next().text;
            } else {
                while ((long)data.size() < len) {
                    long w = Expression(nullptr);
                    data += (char)(w & 0xFF);
                    data += (char)((w >> 8) & 0xFF);
                    if ((long)data.size() < len) ExpectComma("more DLGINIT data");
                }
            }
            size_t nul = data.find('\0');
            if (nul != std::string::npos) data.resize(nul);
            entries.push_back(DialogInitEntry{(int)ctrl, (UINT)(msg == 0x143 ? 0x403 : msg == 0x180 ? 0x401 : msg), CString(data)});
            AcceptPunct(",");
        }
        Next();
        if (m_set.m_dlgInit.count(name.id)) Fail("DLGINIT of dialog " + name.name + " is defined twice", line);
        m_set.m_dlgInit[name.id] = std::move(entries);
    }

    void Dialog(const ResName& name, bool extended, int line)
    {
        auto d = std::make_shared<DialogTemplate>();
        d->id = name.numeric ? name.id : 0;
        d->name = CString(name.name);
        d->extended = extended;
        d->file = CString(m_file);
        d->line = line;
        d->style = WS_POPUP | WS_BORDER | WS_SYSMENU;
        SkipMemoryOptions();
        int x = IntArg();
        ExpectComma("y");
        int y = IntArg();
        ExpectComma("width");
        int cx = IntArg();
        ExpectComma("height");
        int cy = IntArg();
        if (extended && AcceptPunct(",")) IntArg(); // help id
        if (cx < 0 || cy < 0) Fail("negative dialog size", line);
        d->dluRect = CRect(x, y, FarEdge(x, cx, line), FarEdge(y, cy, line));
        d->rect = CRect(0, 0, DialogUnitsToPixelsX(cx), DialogUnitsToPixelsY(cy));
        bool styleGiven = false;
        while (!IsBegin()) {
            Token opt = Next();
            std::string u = Upper(opt.text);
            if (opt.kind != Tok::Word) Fail("dialog option or BEGIN expected, found '" + opt.text + "'", opt.line);
            if (u == "STYLE") { d->style = Style(0); styleGiven = true; }
            else if (u == "EXSTYLE") d->exStyle = Style(0);
            else if (u == "CAPTION") { d->caption = CString(StringArg("CAPTION")); if (!styleGiven) d->style |= WS_CAPTION; }
            else if (u == "FONT") {
                d->fontSize = IntArg();
                ExpectComma("the font name");
                d->fontName = CString(StringArg("the font name"));
                while (AcceptPunct(",")) IntArg(); // weight, italic, charset
                d->style |= DS_SETFONT;
            } else if (u == "MENU" || u == "CLASS") Next();
            else if (u == "LANGUAGE") { Next(); ExpectComma("the sublanguage"); Next(); } // names of winnt.h
            else if (u == "CHARACTERISTICS" || u == "VERSION") IntArg();
            else Fail("unknown dialog option '" + opt.text + "'", opt.line);
        }
        Next();
        while (!IsEndBlock()) {
            if (Peek().kind == Tok::End) Fail("END expected to close dialog " + name.name, Peek().line);
            Control(*d);
        }
        Next();
        std::string key = name.name;
        if (name.numeric) {
            auto it = m_set.m_dialogs.find(name.id);
            if (it != m_set.m_dialogs.end())
                Fail("dialog " + name.name + " (" + std::to_string(name.id) + ") is already defined at " +
                         it->second->file.str() + ":" + std::to_string(it->second->line), line);
            m_set.m_dialogs[name.id] = d;
        } else if (m_set.m_dialogsByName.count(key)) {
            Fail("dialog " + key + " is already defined", line);
        }
        m_set.m_dialogsByName[key] = d;
    }

    void Control(DialogTemplate& d)
    {
        Token kw = Next();
        if (kw.kind != Tok::Word) Fail("control statement expected, found '" + kw.text + "'", kw.line);
        std::string k = Upper(kw.text);
        DialogControl c;
        c.file = CString(m_file);
        c.line = kw.line;
        const DWORD base = WS_CHILD | WS_VISIBLE;
        auto textArg = [&] {
            Token t = Next();
            if (t.kind == Tok::String) return t.text;
            if (t.kind == Tok::Word || t.kind == Tok::Number) return t.text; // ICON names
            Fail("text expected in " + kw.text, t.line);
        };
        auto rectArgs = [&](bool sizeOptional) {
            int x = IntArg();
            ExpectComma("y");
            int y = IntArg();
            int cx = 0, cy = 0;
            if (sizeOptional && !IsPunct(",")) {
                c.dluRect = CRect(x, y, x, y);
                return;
            }
            ExpectComma("width");
            cx = IntArg();
            ExpectComma("height");
            cy = IntArg();
            c.dluRect = CRect(x, y, FarEdge(x, cx, kw.line), FarEdge(y, cy, kw.line));
        };
        auto tail = [&](DWORD defaults) {
            c.style = defaults;
            if (AcceptPunct(",")) {
                c.style = Style(defaults);
                if (AcceptPunct(",")) {
                    c.exStyle = (DWORD)Expression(nullptr);
                    if (AcceptPunct(",")) IntArg(); // help id
                }
            }
        };
        struct Simple
        {
            const char* keyword;
            const char* cls;
            DWORD defaults;
            bool hasText;
        };
        static const Simple kSimple[] = {
            {"LTEXT", "Static", SS_LEFT | WS_GROUP, true},
            {"RTEXT", "Static", SS_RIGHT | WS_GROUP, true},
            {"CTEXT", "Static", SS_CENTER | WS_GROUP, true},
            {"PUSHBUTTON", "Button", BS_PUSHBUTTON | WS_TABSTOP, true},
            {"DEFPUSHBUTTON", "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, true},
            {"GROUPBOX", "Button", BS_GROUPBOX, true},
            {"CHECKBOX", "Button", BS_CHECKBOX | WS_TABSTOP, true},
            {"AUTOCHECKBOX", "Button", BS_AUTOCHECKBOX | WS_TABSTOP, true},
            {"STATE3", "Button", BS_3STATE | WS_TABSTOP, true},
            {"AUTO3STATE", "Button", BS_AUTO3STATE | WS_TABSTOP, true},
            {"RADIOBUTTON", "Button", BS_RADIOBUTTON, true},
            {"AUTORADIOBUTTON", "Button", BS_AUTORADIOBUTTON, true},
            {"EDITTEXT", "Edit", ES_LEFT | WS_BORDER | WS_TABSTOP, false},
            {"COMBOBOX", "ComboBox", CBS_SIMPLE | WS_TABSTOP, false},
            {"LISTBOX", "ListBox", LBS_NOTIFY | WS_BORDER, false},
            {"SCROLLBAR", "ScrollBar", SBS_HORZ, false},
        };
        if (k == "CONTROL") {
            c.text = CString(textArg());
            ExpectComma("the control id");
            c.id = IntArg();
            ExpectComma("the class");
            Token cls = Next();
            if (cls.kind != Tok::String && cls.kind != Tok::Word) Fail("class name expected in CONTROL", cls.line);
            c.className = CanonicalClass(cls.text);
            ExpectComma("the style");
            c.style = Style(base);
            ExpectComma("x");
            rectArgs(false);
            if (AcceptPunct(",")) {
                c.exStyle = (DWORD)Expression(nullptr);
                if (AcceptPunct(",")) IntArg();
            }
        } else if (k == "ICON") {
            c.text = CString(textArg());
            ExpectComma("the control id");
            c.id = IntArg();
            ExpectComma("x");
            rectArgs(true);
            c.className = CString("Static");
            c.style = base | SS_ICON;
            if (AcceptPunct(",")) {
                c.style = Style(base | SS_ICON);
                if (AcceptPunct(",")) c.exStyle = (DWORD)Expression(nullptr);
            }
        } else {
            const Simple* s = nullptr;
            for (const Simple& e : kSimple)
                if (k == e.keyword) s = &e;
            if (!s) Fail("unknown control statement '" + kw.text + "'", kw.line);
            if (s->hasText) {
                c.text = CString(textArg());
                ExpectComma("the control id");
            }
            c.id = IntArg();
            ExpectComma("x");
            rectArgs(false);
            c.className = CString(s->cls);
            if (k == "COMBOBOX") {
                // The simple type is the default only when the script names no type: a
                // drop-down combo box stays one, as the resource compiler has it.
                tail(base | (s->defaults & ~(DWORD)0x3));
                if ((c.style & 0x3) == 0) c.style |= CBS_SIMPLE;
            } else {
                tail(base | s->defaults);
            }
        }
        if (c.dluRect.Width() < 0 || c.dluRect.Height() < 0) Fail("negative control size", kw.line);
        c.rect = DialogUnitsToPixels(c.dluRect);
        d.controls.push_back(std::move(c));
    }
};

bool ResourceSet::ParseText(const std::string& text, const std::string& fileName, std::string* error)
{
    ResourceSet copy = *this;
    ScriptParser p(copy, fileName, 0);
    try {
        p.Run(text);
    } catch (const ParseError& e) {
        // Errors from an included file already name their own place first.
        std::string msg = e.message;
        if (msg.find(" (included here)") != std::string::npos) {
            if (error) *error = msg.substr(0, msg.size() - 16) + " (included from " + fileName + ":" + std::to_string(e.line) + ")";
        } else if (error) {
            *error = fileName + ":" + std::to_string(e.line) + ": " + msg;
        }
        return false;
    }
    *this = std::move(copy);
    return true;
}

bool ResourceSet::ParseFile(const std::string& path, std::string* error)
{
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        if (error) *error = path + ": cannot open the resource script";
        return false;
    }
    std::ostringstream ss;
    ss << f.rdbuf();
    return ParseText(ss.str(), path, error);
}

bool ResourceSet::Merge(const ResourceSet& other, bool replace, std::string* error)
{
    if (!replace) {
        for (auto& [id, d] : other.m_dialogs) {
            auto it = m_dialogs.find(id);
            if (it != m_dialogs.end()) {
                if (error)
                    *error = d->file.str() + ":" + std::to_string(d->line) + ": dialog " + d->name.str() + " (" +
                             std::to_string(id) + ") is already defined at " + it->second->file.str() + ":" +
                             std::to_string(it->second->line);
                return false;
            }
        }
        for (auto& [id, s] : other.m_strings) {
            if (m_strings.count(id)) {
                if (error)
                    *error = other.m_stringWhere.at(id).str() + ": string " + std::to_string(id) + " is already defined at " +
                             m_stringWhere.at(id).str();
                return false;
            }
        }
        for (auto& [id, e] : other.m_dlgInit) {
            if (m_dlgInit.count(id)) {
                if (error) *error = "DLGINIT of dialog " + std::to_string(id) + " is defined twice";
                return false;
            }
        }
    }
    for (auto& [k, v] : other.m_symbols) m_symbols[k] = v;
    for (auto& [k, v] : other.m_dialogs) m_dialogs[k] = v;
    for (auto& [k, v] : other.m_dialogsByName) m_dialogsByName[k] = v;
    for (auto& [k, v] : other.m_dlgInit) m_dlgInit[k] = v;
    for (auto& [k, v] : other.m_strings) m_strings[k] = v;
    for (auto& [k, v] : other.m_stringWhere) m_stringWhere[k] = v;
    for (auto& [k, v] : other.m_files) m_files[k] = v;
    for (auto& [k, v] : other.m_filesByName) m_filesByName[k] = v;
    return true;
}

std::vector<std::shared_ptr<const DialogTemplate>> ResourceSet::Templates() const
{
    std::vector<std::shared_ptr<const DialogTemplate>> out;
    for (auto& [k, d] : m_dialogsByName) out.push_back(d);
    for (auto& [k, d] : m_dialogs) out.push_back(d);
    return out;
}

const DialogTemplate* ResourceSet::FindDialog(UINT id) const
{
    auto it = m_dialogs.find(id);
    return it == m_dialogs.end() ? nullptr : it->second.get();
}

const DialogTemplate* ResourceSet::FindDialog(const char* name) const
{
    if (!name) return nullptr;
    auto it = m_dialogsByName.find(name);
    return it == m_dialogsByName.end() ? nullptr : it->second.get();
}

const std::vector<DialogInitEntry>* ResourceSet::FindDialogInit(UINT dialogId) const
{
    auto it = m_dlgInit.find(dialogId);
    return it == m_dlgInit.end() ? nullptr : &it->second;
}

std::vector<CString> ResourceSet::FindComboContents(UINT dialogId, int controlId) const
{
    std::vector<CString> out;
    if (const auto* v = FindDialogInit(dialogId))
        for (const DialogInitEntry& e : *v)
            if (e.controlId == controlId) out.push_back(e.text);
    return out;
}

bool ResourceSet::FindString(UINT id, CString& out) const
{
    auto it = m_strings.find(id);
    if (it == m_strings.end()) return false;
    out = it->second;
    return true;
}

CString ResourceSet::FindFile(ResourceKind kind, UINT id) const
{
    auto it = m_files.find({(int)kind, id});
    return it == m_files.end() ? CString() : it->second.path;
}

CString ResourceSet::FindFile(ResourceKind kind, const char* name) const
{
    if (!name) return CString();
    auto it = m_filesByName.find({(int)kind, std::string(name)});
    return it == m_filesByName.end() ? CString() : it->second.path;
}

bool ResourceSet::LookupSymbol(const char* name, long* value) const
{
    auto it = m_symbols.find(name ? name : "");
    if (it == m_symbols.end()) return false;
    if (value) *value = it->second;
    return true;
}

} // namespace vyr
