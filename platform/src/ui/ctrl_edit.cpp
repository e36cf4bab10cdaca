// Edit and rich-edit controls, and the small RTF reader that gives a rich edit its plain
// text.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "ctrl_internal.h"
#include "uiimpl.h"
#include <vyr/gbk.h>

namespace vyr::ctrl {

bool LooksLikeRtf(const char* s) { return s && std::strncmp(s, "{\\rtf", 5) == 0; }

std::string RtfToText(const std::string& rtf)
{
    struct State
    {
        bool skip = false; // inside a destination whose text is not shown
        int uc = 1;        // characters that follow \uN as its fallback
    };
    std::vector<State> stack{State{}};
    std::string out;
    std::string pendingGbk; // \'hh bytes, decoded together (a GBK character is two)
    int skipChars = 0;      // fallback characters of the last \uN still to drop
    auto flushGbk = [&] {
        if (!pendingGbk.empty()) {
            if (!stack.back().skip) out += vyr::GbkToUtf8(pendingGbk);
            pendingGbk.clear();
        }
    };
    auto emit = [&](const std::string& s) {
        flushGbk();
        if (!stack.back().skip) out += s;
    };
    static const char* const kSkipped[] = {"fonttbl", "colortbl", "stylesheet", "info", "pict", "object",
                                           "header", "footer", "headerl", "headerr", "footerl", "footerr",
                                           "fldinst", "listtable", "listoverridetable", "rsidtbl", "generator",
                                           "xmlnstbl", "themedata", "colorschememapping", "latentstyles",
                                           "datastore", "bkmkstart", "bkmkend", "pntext", "pntxta", "pntxtb"};
    bool groupStart = false;
    size_t i = 0;
    const size_t n = rtf.size();
    while (i < n) {
        char c = rtf[i];
        if (c == '{' || c == '}') skipChars = 0; // a group boundary ends a \uN fallback
        if (c == '{') {
            flushGbk();
            stack.push_back(stack.back());
            groupStart = true;
            ++i;
            continue;
        }
        if (c == '}') {
            flushGbk();
            if (stack.size() > 1) stack.pop_back();
            groupStart = false;
            ++i;
            continue;
        }
        bool atGroupStart = groupStart;
        groupStart = false;
        if (c == '\r' || c == '\n') { ++i; continue; }
        if (c != '\\') {
            if (skipChars > 0) { --skipChars; ++i; continue; }
            emit(std::string(1, c));
            ++i;
            continue;
        }
        // A control symbol or word.
        if (i + 1 >= n) break;
        char d = rtf[i + 1];
        if (d == '\'') {
            if (i + 3 < n + 1 && i + 3 <= n) {
                std::string hex = rtf.substr(i + 2, 2);
                i += 4;
                if (skipChars > 0) { --skipChars; continue; }
                if (!stack.back().skip) pendingGbk += (char)std::strtol(hex.c_str(), nullptr, 16);
                continue;
            }
            break;
        }
        if (d == '*') {
            // An optional destination: its text is not part of the document's text.
            stack.back().skip = true;
            i += 2;
            continue;
        }
        if (!std::isalpha((unsigned char)d)) {
            i += 2;
            if (skipChars > 0) { --skipChars; continue; }
            switch (d) {
            case '\\': emit("\\"); break;
            case '{': emit("{"); break;
            case '}': emit("}"); break;
            case '~': emit(" "); break;
            case '_': emit("-"); break;
            case '\n': case '\r': emit("\r\n"); break;
            default: break; // \- and the rest show nothing
            }
            continue;
        }
        size_t s = i + 1;
        size_t e = s;
        while (e < n && std::isalpha((unsigned char)rtf[e])) ++e;
        std::string word = rtf.substr(s, e - s);
        bool hasArg = false;
        long arg = 0;
        size_t a = e;
        if (a < n && (rtf[a] == '-' || std::isdigit((unsigned char)rtf[a]))) {
            size_t b = a + 1;
            while (b < n && std::isdigit((unsigned char)rtf[b])) ++b;
            arg = std::strtol(rtf.substr(a, b - a).c_str(), nullptr, 10);
            hasArg = true;
            a = b;
        }
        if (a < n && rtf[a] == ' ') ++a; // the delimiting space belongs to the word
        i = a;
        if (atGroupStart)
            for (const char* k : kSkipped)
                if (word == k) stack.back().skip = true;
        if (word == "u" && hasArg) {
            flushGbk();
            if (!stack.back().skip) vyr::Utf8Append(out, (char32_t)(arg < 0 ? arg + 65536 : arg));
            skipChars = stack.back().uc;
            continue;
        }
        if (word == "uc" && hasArg) { stack.back().uc = (int)arg; continue; }
        skipChars = 0;
        if (word == "par" || word == "line" || word == "sect" || word == "page") emit("\r\n");
        else if (word == "row") {
            flushGbk();
            if (!stack.back().skip) {
                if (!out.empty() && out.back() == '\t') out.pop_back();
                out += "\r\n";
            }
        } else if (word == "tab" || word == "cell") emit("\t");
        else if (word == "emdash") emit("\xE2\x80\x94");
        else if (word == "endash") emit("\xE2\x80\x93");
        else if (word == "bullet") emit("\xE2\x80\xA2");
        else if (word == "lquote") emit("\xE2\x80\x98");
        else if (word == "rquote") emit("\xE2\x80\x99");
        else if (word == "ldblquote") emit("\xE2\x80\x9C");
        else if (word == "rdblquote") emit("\xE2\x80\x9D");
    }
    flushGbk();
    return out;
}

namespace {

int CountLines(const std::string& t)
{
    int lines = 1;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r') {
            ++lines;
            if (i + 1 < t.size() && t[i + 1] == '\n') ++i;
        } else if (t[i] == '\n') ++lines;
    }
    return lines;
}

// Start offsets of the lines.
std::vector<int> LineStarts(const std::string& t)
{
    std::vector<int> starts{0};
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r') {
            if (i + 1 < t.size() && t[i + 1] == '\n') ++i;
            starts.push_back((int)i + 1);
        } else if (t[i] == '\n') starts.push_back((int)i + 1);
    }
    return starts;
}

int LineEnd(const std::string& t, int start)
{
    int e = start;
    while (e < (int)t.size() && t[e] != '\r' && t[e] != '\n') ++e;
    return e;
}

// Moves an offset back to the start of the UTF-8 character it falls in.
int CharBoundary(const std::string& t, int pos)
{
    if (pos <= 0) return 0;
    if (pos >= (int)t.size()) return (int)t.size();
    while (pos > 0 && ((unsigned char)t[pos] & 0xC0) == 0x80) --pos;
    return pos;
}

// The editing core shared by the edit and rich-edit procedures.
class EditProc : public ControlProc
{
public:
    int selStart = 0;
    int selEnd = 0;
    int limit = 30000;
    bool modified = false;
    int firstLine = 0;
    int scrollCarets = 0;

    virtual bool NotifiesOnSetText(HWND h) { return !(StyleOf(h) & ES_MULTILINE); }
    virtual bool NotifiesOnChange() { return true; }
    virtual std::string Text(HWND h) { return TextOf(h); }

    void Notify(HWND h)
    {
        if (!NotifiesOnChange()) return;
        vyr::NotifyParent(h, EN_UPDATE);
        vyr::NotifyParent(h, EN_CHANGE);
    }

    void ClampSel(const std::string& t)
    {
        int n = (int)t.size();
        selStart = CharBoundary(t, std::clamp(selStart, 0, n));
        selEnd = CharBoundary(t, std::clamp(selEnd, 0, n));
    }

    void SetSel(HWND h, long s, long e)
    {
        std::string t = Text(h);
        int n = (int)t.size();
        if (s == -1) {
            // Removes the selection, leaving the caret where the selection ended.
            selStart = selEnd = std::max(selStart, selEnd);
        } else {
            if (e == -1 || e > n) e = n;
            if (s > n) s = n;
            selStart = (int)s;
            selEnd = (int)e;
        }
        ClampSel(t);
    }

    // Keeps the part of an insertion that fits under the limit.
    std::string Fit(const std::string& current, int removed, const std::string& add)
    {
        return Fit((long)current.size(), removed, add);
    }
    std::string Fit(long currentSize, int removed, const std::string& add)
    {
        long room = (long)limit - (currentSize - removed);
        if (room >= (long)add.size()) return add;
        if (room <= 0) return std::string();
        return add.substr(0, (size_t)CharBoundary(add, (int)room));
    }

    virtual void Replace(HWND h, const std::string& ins)
    {
        std::string t = Text(h);
        ClampSel(t);
        int a = std::min(selStart, selEnd), b = std::max(selStart, selEnd);
        std::string add = Fit(t, b - a, ins);
        t = t.substr(0, (size_t)a) + add + t.substr((size_t)b);
        StoreText(h, t);
        selStart = selEnd = a + (int)add.size();
        modified = true;
        ::InvalidateRect(h, nullptr, TRUE);
        Notify(h);
    }

    // The user's typing: the whole text replaced, cut to the limit.
    virtual bool UserType(HWND h, const std::string& text)
    {
        if (StyleOf(h) & ES_READONLY) return false;
        std::string t = Fit(std::string(), 0, text);
        StoreText(h, t);
        selStart = selEnd = (int)t.size();
        modified = true;
        ::InvalidateRect(h, nullptr, TRUE);
        Notify(h);
        return true;
    }

    LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case WM_SETTEXT: {
            LRESULT r = SetText(h, lp ? (const char*)lp : "");
            if (NotifiesOnSetText(h)) Notify(h);
            return r;
        }
        case EM_GETSEL:
            if (wp) *(DWORD*)wp = (DWORD)selStart;
            if (lp) *(DWORD*)lp = (DWORD)selEnd;
            return (LRESULT)MAKELONG((WORD)std::min(selStart, 0xFFFF), (WORD)std::min(selEnd, 0xFFFF));
        case EM_SETSEL: SetSel(h, (long)(int)wp, (long)(int)lp); return 0;
        case EM_REPLACESEL: Replace(h, lp ? (const char*)lp : ""); return 0;
        case EM_SCROLLCARET: ++scrollCarets; return 1;
        case EM_LIMITTEXT: limit = wp == 0 ? 0x7FFFFFFE : (int)std::min<WPARAM>(wp, 0x7FFFFFFE); return 0;
        case EM_GETLIMITTEXT: return limit;
        case EM_GETLINECOUNT: return (StyleOf(h) & ES_MULTILINE) ? CountLines(Text(h)) : 1;
        case EM_LINEINDEX: {
            std::string t = Text(h);
            auto starts = LineStarts(t);
            int line = (int)wp;
            if (line == -1) line = LineOf(starts, selStart);
            return line >= 0 && line < (int)starts.size() ? starts[line] : -1;
        }
        case EM_LINEFROMCHAR: {
            std::string t = Text(h);
            int pos = (int)wp == -1 ? selStart : (int)wp;
            return LineOf(LineStarts(t), pos);
        }
        case EM_LINELENGTH: {
            std::string t = Text(h);
            auto starts = LineStarts(t);
            int pos = (int)wp == -1 ? selStart : (int)wp;
            int line = LineOf(starts, pos);
            return LineEnd(t, starts[line]) - starts[line];
        }
        case EM_GETLINE: {
            std::string t = Text(h);
            auto starts = LineStarts(t);
            int line = (int)wp;
            if (line < 0 || line >= (int)starts.size() || !lp) return 0;
            int len = LineEnd(t, starts[line]) - starts[line];
            int room = *(WORD*)lp;
            int n = std::min(len, room);
            std::memcpy((char*)lp, t.data() + starts[line], (size_t)n);
            return n; // not NUL-terminated, as the message
        }
        case EM_SETREADONLY: {
            DWORD s = StyleOf(h);
            ::SetWindowLong(h, GWL_STYLE, (LONG)(wp ? (s | ES_READONLY) : (s & ~ES_READONLY)));
            return 1;
        }
        case EM_GETMODIFY: return modified;
        case EM_SETMODIFY: modified = wp != 0; return 0;
        case EM_GETFIRSTVISIBLELINE: return firstLine;
        case EM_LINESCROLL: firstLine = std::max(0, firstLine + (int)lp); return 1;
        case EM_CANUNDO: return 0;
        case EM_UNDO: return 0;
        case WM_PAINT: Paint(h); return 0;
        }
        return ::DefWindowProc(h, msg, wp, lp);
    }

    static int LineOf(const std::vector<int>& starts, int pos)
    {
        int line = 0;
        for (size_t i = 0; i < starts.size(); ++i)
            if (starts[i] <= pos) line = (int)i;
        return line;
    }

    virtual LRESULT SetText(HWND h, const char* s)
    {
        LRESULT r = ::DefWindowProc(h, WM_SETTEXT, 0, (LPARAM)s);
        selStart = selEnd = 0;
        modified = false;
        return r;
    }

    void Paint(HWND h)
    {
        CWnd* w = CWnd::FromHandle(h);
        if (!w) { ::DefWindowProc(h, WM_PAINT, 0, 0); return; }
        CPaintDC dc(w);
        SelectControlFont(dc, h);
        CRect rc;
        w->GetClientRect(&rc);
        DWORD style = StyleOf(h);
        dc.FillSolidRect(&rc, (style & ES_READONLY) ? RGB(240, 240, 240) : RGB(255, 255, 255));
        dc.Draw3dRect(&rc, RGB(128, 128, 128), RGB(220, 220, 220));
        std::string t = Text(h);
        if (style & ES_PASSWORD) t.assign(t.size(), '*');
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(::IsWindowEnabled(h) ? RGB(0, 0, 0) : RGB(160, 160, 160)); // grey when disabled
        CRect in = rc;
        in.DeflateRect(3, 2);
        auto starts = LineStarts(t);
        int y = in.top;
        for (size_t i = (size_t)std::min<int>(firstLine, (int)starts.size() - 1); i < starts.size() && y < in.bottom; ++i) {
            std::string line = t.substr((size_t)starts[i], (size_t)(LineEnd(t, starts[i]) - starts[i]));
            CRect lr(in.left, y, in.right, y + 16);
            UINT fmt = DT_SINGLELINE | DT_NOPREFIX | ((style & ES_RIGHT) ? DT_RIGHT : (style & ES_CENTER) ? DT_CENTER : DT_LEFT);
            if (!(style & ES_MULTILINE)) { lr = in; fmt |= DT_VCENTER; }
            dc.DrawText(line.c_str(), (int)line.size(), &lr, fmt);
            y += 16;
            if (!(style & ES_MULTILINE)) break;
        }
    }
};

// Rich edit: the plain text is the window's text; the rich side is the list of segments
// the content was made of, each an RTF document or plain text.
class RichEditProc : public EditProc
{
public:
    struct Segment
    {
        bool rtf;
        std::string data;
    };
    std::vector<Segment> segments;
    DWORD eventMask = 0;
    CHARFORMAT defaultFormat{};
    CHARFORMAT selectionFormat{};
    std::vector<CHARFORMAT> selectionFormats; // every SetSelectionCharFormat, in order
    bool hideSelection = false;
    COLORREF background = RGB(255, 255, 255);

    RichEditProc() { limit = 32767; }

    bool NotifiesOnSetText(HWND) override { return (eventMask & ENM_CHANGE) != 0; }
    bool NotifiesOnChange() override { return (eventMask & ENM_CHANGE) != 0; }

    LRESULT SetText(HWND h, const char* s) override
    {
        segments.clear();
        std::string text = s;
        if (LooksLikeRtf(s)) {
            segments.push_back({true, text});
            text = RtfToText(text);
        } else if (!text.empty()) segments.push_back({false, text});
        LRESULT r = ::DefWindowProc(h, WM_SETTEXT, 0, (LPARAM)text.c_str());
        selStart = selEnd = 0;
        modified = false;
        ::InvalidateRect(h, nullptr, TRUE);
        return r;
    }

    // Inserts plain text or an RTF document at the selection.
    void Insert(HWND h, const std::string& in, bool asRtf)
    {
        // Reports are written by appending many pieces to a long text: at the end, the text
        // there is not copied.
        const int len = ::GetWindowTextLength(h);
        if (std::min(selStart, selEnd) >= len) {
            const std::string add = asRtf ? RtfToText(in) : Fit((long)len, 0, in);
            if (asRtf) segments.push_back({true, in});
            else if (!add.empty()) {
                if (!segments.empty() && !segments.back().rtf) segments.back().data += add;
                else segments.push_back({false, add});
            }
            vyr::ui::AppendWindowText(h, add);
            selStart = selEnd = len + (int)add.size();
            modified = true;
            ::InvalidateRect(h, nullptr, TRUE);
            Notify(h);
            return;
        }
        std::string t = Text(h);
        ClampSel(t);
        int a = std::min(selStart, selEnd), b = std::max(selStart, selEnd);
        std::string add = asRtf ? RtfToText(in) : in;
        if (!asRtf) add = Fit(t, b - a, add);
        std::string nt = t.substr(0, (size_t)a) + add + t.substr((size_t)b);
        // An edit inside the text keeps the text; the formatting goes.
        segments.clear();
        if (!nt.empty()) segments.push_back({false, nt});
        StoreText(h, nt);
        selStart = selEnd = a + (int)add.size();
        modified = true;
        ::InvalidateRect(h, nullptr, TRUE);
        Notify(h);
    }

    void Replace(HWND h, const std::string& ins) override { Insert(h, ins, LooksLikeRtf(ins.c_str())); }

    bool UserType(HWND h, const std::string& text) override
    {
        if (StyleOf(h) & ES_READONLY) return false;
        SetText(h, "");
        Insert(h, text, false);
        return true;
    }

    // The document head of an RTF segment: up to the end of its last font, colour or style
    // table (or of its leading document-level words). Returns the offset where the body
    // starts.
    static size_t HeadEnd(const std::string& d)
    {
        size_t i = d.find('{');
        if (i == std::string::npos) return 0;
        ++i;
        size_t end = i;
        static const char* const kDocWords[] = {"rtf", "ansi", "ansicpg", "deff", "deflang", "deflangfe", "uc", "mac",
                                                "pc", "pca", "fbidis", "adeflang", "viewkind", "deftab"};
        static const char* const kHeadGroups[] = {"fonttbl", "colortbl", "stylesheet", "info", "generator", "listtable",
                                                  "listoverridetable", "rsidtbl"};
        while (i < d.size()) {
            char c = d[i];
            if (c == '\r' || c == '\n' || c == ' ') { ++i; continue; }
            if (c == '\\' && i + 1 < d.size() && std::isalpha((unsigned char)d[i + 1])) {
                size_t e = i + 1;
                while (e < d.size() && std::isalpha((unsigned char)d[e])) ++e;
                std::string w = d.substr(i + 1, e - i - 1);
                bool doc = false;
                for (const char* k : kDocWords) doc = doc || w == k;
                if (!doc) break;
                while (e < d.size() && (std::isdigit((unsigned char)d[e]) || d[e] == '-')) ++e;
                if (e < d.size() && d[e] == ' ') ++e;
                i = end = e;
                continue;
            }
            if (c == '{') {
                size_t j = i + 1;
                if (d.compare(j, 2, "\\*") == 0) j += 2;
                if (j < d.size() && d[j] == '\\') ++j;
                size_t e = j;
                while (e < d.size() && std::isalpha((unsigned char)d[e])) ++e;
                std::string w = d.substr(j, e - j);
                bool head = false;
                for (const char* k : kHeadGroups) head = head || w == k;
                if (!head) break;
                // Skip the whole group.
                int depth = 0;
                size_t k = i;
                for (; k < d.size(); ++k) {
                    if (d[k] == '\\') { ++k; continue; }
                    if (d[k] == '{') ++depth;
                    else if (d[k] == '}' && --depth == 0) break;
                }
                i = end = k + 1;
                continue;
            }
            break;
        }
        return end;
    }

    static std::string EscapeText(const std::string& t)
    {
        std::string out;
        size_t i = 0;
        while (i < t.size()) {
            unsigned char c = (unsigned char)t[i];
            if (c == '\r') { if (i + 1 < t.size() && t[i + 1] == '\n') ++i; out += "\\par\n"; ++i; continue; }
            if (c == '\n') { out += "\\par\n"; ++i; continue; }
            if (c == '\t') { out += "\\tab "; ++i; continue; }
            if (c == '\\' || c == '{' || c == '}') { out += '\\'; out += (char)c; ++i; continue; }
            if (c < 0x80) { out += (char)c; ++i; continue; }
            char32_t cp = vyr::Utf8Next(t, i);
            long v = cp > 0x7FFF && cp <= 0xFFFF ? (long)cp - 65536 : (long)cp;
            out += "\\u" + std::to_string(v) + "?";
        }
        return out;
    }

    // The content as one RTF document: the head of the last RTF segment (the writer's
    // tables only grow, so its head covers the earlier segments), then every body in order.
    std::string Rtf() const
    {
        const Segment* lastRtf = nullptr;
        for (const Segment& p : segments)
            if (p.rtf) lastRtf = &p;
        if (segments.size() == 1 && lastRtf) return lastRtf->data;
        std::string head = lastRtf ? lastRtf->data.substr(0, HeadEnd(lastRtf->data))
                                   : std::string("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\n");
        std::string body;
        for (const Segment& p : segments) {
            if (p.rtf) {
                size_t s = HeadEnd(p.data);
                size_t e = p.data.rfind('}');
                if (e == std::string::npos || e < s) e = p.data.size();
                body += "{" + p.data.substr(s, e - s) + "}";
            } else {
                // One fallback character per \uN here, whatever the head says.
                body += "{\\uc1 " + EscapeText(p.data) + "}";
            }
        }
        return head + body + "}";
    }

    LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) override
    {
        switch (msg) {
        case EM_EXGETSEL: {
            auto* cr = (CHARRANGE*)lp;
            if (cr) { cr->cpMin = std::min(selStart, selEnd); cr->cpMax = std::max(selStart, selEnd); }
            return 0;
        }
        case EM_EXSETSEL: {
            auto* cr = (CHARRANGE*)lp;
            if (cr) SetSel(h, cr->cpMin, cr->cpMax);
            return std::max(selStart, selEnd);
        }
        case EM_SETSEL:
            // In a rich edit (-1, x) puts the caret at the end, where appends go.
            if ((int)wp == -1) {
                std::string t = Text(h);
                selStart = selEnd = (int)t.size();
                return 0;
            }
            break;
        case EM_EXLIMITTEXT: limit = lp == 0 ? 32767 : (int)std::min<LPARAM>(lp, 0x7FFFFFFE); return 0;
        case EM_LIMITTEXT: limit = wp == 0 ? 32767 : (int)std::min<WPARAM>(wp, 0x7FFFFFFE); return 0;
        case EM_HIDESELECTION: hideSelection = wp != 0; return 0;
        case EM_SETEVENTMASK: { DWORD old = eventMask; eventMask = (DWORD)lp; return old; }
        case EM_GETEVENTMASK: return eventMask;
        case EM_SETBKGNDCOLOR: { COLORREF old = background; background = wp ? RGB(255, 255, 255) : (COLORREF)lp; return old; }
        case EM_SETCHARFORMAT: {
            auto* cf = (CHARFORMAT*)lp;
            if (!cf) return 0;
            if (wp & (SCF_SELECTION | SCF_WORD)) { selectionFormat = *cf; selectionFormats.push_back(*cf); }
            else defaultFormat = *cf;
            return 1;
        }
        case EM_GETCHARFORMAT: {
            auto* cf = (CHARFORMAT*)lp;
            if (!cf) return 0;
            *cf = wp ? selectionFormat : defaultFormat;
            return cf->dwMask;
        }
        case EM_GETTEXTLENGTHEX: return (LRESULT)Text(h).size();
        case EM_STREAMIN: return StreamIn(h, (UINT)wp, (EDITSTREAM*)lp);
        case EM_STREAMOUT: return StreamOut(h, (UINT)wp, (EDITSTREAM*)lp);
        case WM_PAINT: {
            CWnd* w = CWnd::FromHandle(h);
            if (!w) break;
            CPaintDC dc(w);
            SelectControlFont(dc, h);
            CRect rc;
            w->GetClientRect(&rc);
            dc.FillSolidRect(&rc, background);
            dc.Draw3dRect(&rc, RGB(128, 128, 128), RGB(220, 220, 220));
            std::string t = Text(h);
            auto starts = LineStarts(t);
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextColor(::IsWindowEnabled(h) ? RGB(0, 0, 0) : RGB(160, 160, 160)); // grey when disabled
            int y = rc.top + 2;
            for (size_t i = (size_t)std::min<int>(firstLine, (int)starts.size() - 1); i < starts.size() && y < rc.bottom; ++i) {
                std::string line = t.substr((size_t)starts[i], (size_t)(LineEnd(t, starts[i]) - starts[i]));
                CRect lr(rc.left + 3, y, rc.right - 3, y + 16);
                dc.DrawText(line.c_str(), (int)line.size(), &lr, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_EXPANDTABS);
                y += 16;
            }
            return 0;
        }
        }
        return EditProc::Handle(h, msg, wp, lp);
    }

    LRESULT StreamIn(HWND h, UINT format, EDITSTREAM* es)
    {
        if (!es || !es->pfnCallback) return 0;
        std::string data;
        BYTE buf[4096];
        es->dwError = 0;
        while (true) {
            LONG got = 0;
            DWORD err = es->pfnCallback(es->dwCookie, buf, (LONG)sizeof(buf), &got);
            if (err) { es->dwError = err; break; }
            if (got <= 0) break;
            data.append((const char*)buf, (size_t)got);
        }
        bool rtf = (format & 0x3) == SF_RTF || (format & 0x3) == SF_RTFNOOBJS;
        if (!(format & SFF_SELECTION)) {
            SetText(h, "");
            selStart = selEnd = 0;
        }
        std::string before = Text(h);
        Insert(h, data, rtf && LooksLikeRtf(data.c_str()));
        return (LRESULT)(Text(h).size() - before.size());
    }

    LRESULT StreamOut(HWND h, UINT format, EDITSTREAM* es)
    {
        if (!es || !es->pfnCallback) return 0;
        std::string data;
        bool rtf = (format & 0x3) == SF_RTF || (format & 0x3) == SF_RTFNOOBJS;
        std::string t = Text(h);
        if (format & SFF_SELECTION) {
            int a = std::min(selStart, selEnd), b = std::max(selStart, selEnd);
            std::string part = t.substr((size_t)a, (size_t)(b - a));
            data = rtf ? "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\n" + EscapeText(part) + "}" : part;
        } else {
            data = rtf ? Rtf() : t;
        }
        es->dwError = 0;
        size_t off = 0;
        while (off < data.size()) {
            LONG chunk = (LONG)std::min<size_t>(4096, data.size() - off);
            LONG done = 0;
            DWORD err = es->pfnCallback(es->dwCookie, (LPBYTE)data.data() + off, chunk, &done);
            if (err) { es->dwError = err; break; }
            if (done <= 0) break;
            off += (size_t)done;
        }
        return (LRESULT)off;
    }
};

} // namespace

} // namespace vyr::ctrl

std::string vyr::RtfToPlainText(const std::string& rtf) { return vyr::ctrl::RtfToText(rtf); }

namespace vyr::ctrl {

std::unique_ptr<WindowClassProc> MakeEditProc() { return std::make_unique<EditProc>(); }
std::unique_ptr<WindowClassProc> MakeRichEditProc() { return std::make_unique<RichEditProc>(); }

bool UserTypeInEdit(HWND h, const char* text)
{
    return UserAct<EditProc>(h, [&](EditProc& p) { return p.UserType(h, text ? text : ""); });
}

} // namespace vyr::ctrl

// ---- Wrappers -------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    vyr::RegisterControlClasses();
    return CWnd::Create("Edit", nullptr, dwStyle, rect, pParentWnd, nID);
}
void CEdit::SetSel(int nStartChar, int nEndChar, BOOL) { SendMessage(EM_SETSEL, (WPARAM)nStartChar, (LPARAM)nEndChar); }
void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SetSel((int)(short)LOWORD(dwSelection), (int)(short)HIWORD(dwSelection), bNoScroll);
}
void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD s = 0, e = 0;
    SendMessage(EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
    nStartChar = (int)s;
    nEndChar = (int)e;
}
DWORD CEdit::GetSel() const { return (DWORD)SendMessage(EM_GETSEL, 0, 0); }
void CEdit::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) { SendMessage(EM_REPLACESEL, (WPARAM)bCanUndo, (LPARAM)lpszNewText); }
void CEdit::LimitText(int nChars) { SendMessage(EM_LIMITTEXT, (WPARAM)nChars, 0); }
UINT CEdit::GetLimitText() const { return (UINT)SendMessage(EM_GETLIMITTEXT, 0, 0); }
int CEdit::GetLineCount() const { return (int)SendMessage(EM_GETLINECOUNT, 0, 0); }
int CEdit::LineIndex(int nLine) const { return (int)SendMessage(EM_LINEINDEX, (WPARAM)nLine, 0); }
int CEdit::LineLength(int nLine) const { return (int)SendMessage(EM_LINELENGTH, (WPARAM)nLine, 0); }
int CEdit::LineFromChar(int nIndex) const { return (int)SendMessage(EM_LINEFROMCHAR, (WPARAM)nIndex, 0); }
int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    if (!lpszBuffer || nMaxLength < 2) return 0;
    *(WORD*)lpszBuffer = (WORD)std::min(nMaxLength, 0xFFFF);
    return (int)SendMessage(EM_GETLINE, (WPARAM)nIndex, (LPARAM)lpszBuffer);
}
BOOL CEdit::SetReadOnly(BOOL bReadOnly) { return (BOOL)SendMessage(EM_SETREADONLY, (WPARAM)bReadOnly, 0); }
BOOL CEdit::GetModify() const { return (BOOL)SendMessage(EM_GETMODIFY, 0, 0); }
void CEdit::SetModify(BOOL bModified) { SendMessage(EM_SETMODIFY, (WPARAM)bModified, 0); }
int CEdit::GetFirstVisibleLine() const { return (int)SendMessage(EM_GETFIRSTVISIBLELINE, 0, 0); }
void CEdit::LineScroll(int nLines, int nChars) { SendMessage(EM_LINESCROLL, (WPARAM)nChars, (LPARAM)nLines); }

BOOL CRichEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    vyr::RegisterControlClasses();
    return CWnd::Create("RichEdit20A", nullptr, dwStyle, rect, pParentWnd, nID);
}
void CRichEditCtrl::SetSel(long nStartChar, long nEndChar)
{
    CHARRANGE cr{(LONG)nStartChar, (LONG)nEndChar};
    if (nStartChar == -1) SendMessage(EM_SETSEL, (WPARAM)-1, (LPARAM)nEndChar);
    else SendMessage(EM_EXSETSEL, 0, (LPARAM)&cr);
}
void CRichEditCtrl::SetSel(CHARRANGE& cr) { SetSel(cr.cpMin, cr.cpMax); }
void CRichEditCtrl::GetSel(long& nStartChar, long& nEndChar) const
{
    CHARRANGE cr{0, 0};
    SendMessage(EM_EXGETSEL, 0, (LPARAM)&cr);
    nStartChar = cr.cpMin;
    nEndChar = cr.cpMax;
}
void CRichEditCtrl::GetSel(CHARRANGE& cr) const { SendMessage(EM_EXGETSEL, 0, (LPARAM)&cr); }
void CRichEditCtrl::ReplaceSel(LPCTSTR lpszNewText, BOOL bCanUndo) { SendMessage(EM_REPLACESEL, (WPARAM)bCanUndo, (LPARAM)lpszNewText); }
long CRichEditCtrl::GetTextLength() const { return (long)GetWindowTextLength(); }
int CRichEditCtrl::GetLineCount() const { return (int)SendMessage(EM_GETLINECOUNT, 0, 0); }
CString CRichEditCtrl::GetSelText() const
{
    CString t;
    GetWindowText(t);
    long a = 0, b = 0;
    GetSel(a, b);
    return t.Mid((int)a, (int)(b - a));
}
BOOL CRichEditCtrl::SetReadOnly(BOOL bReadOnly) { return (BOOL)SendMessage(EM_SETREADONLY, (WPARAM)bReadOnly, 0); }
void CRichEditCtrl::LimitText(long nChars) { SendMessage(EM_EXLIMITTEXT, 0, (LPARAM)nChars); }
long CRichEditCtrl::GetLimitText() const { return (long)SendMessage(EM_GETLIMITTEXT, 0, 0); }
void CRichEditCtrl::HideSelection(BOOL bHide, BOOL bPerm) { SendMessage(EM_HIDESELECTION, (WPARAM)bHide, (LPARAM)bPerm); }
long CRichEditCtrl::StreamIn(int nFormat, EDITSTREAM& es) { return (long)SendMessage(EM_STREAMIN, (WPARAM)nFormat, (LPARAM)&es); }
long CRichEditCtrl::StreamOut(int nFormat, EDITSTREAM& es) { return (long)SendMessage(EM_STREAMOUT, (WPARAM)nFormat, (LPARAM)&es); }
BOOL CRichEditCtrl::SetDefaultCharFormat(CHARFORMAT& cf) { return (BOOL)SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, (LPARAM)&cf); }
BOOL CRichEditCtrl::SetSelectionCharFormat(CHARFORMAT& cf) { return (BOOL)SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf); }
BOOL CRichEditCtrl::SetWordCharFormat(CHARFORMAT& cf) { return (BOOL)SendMessage(EM_SETCHARFORMAT, SCF_SELECTION | SCF_WORD, (LPARAM)&cf); }
DWORD CRichEditCtrl::GetDefaultCharFormat(CHARFORMAT& cf) const { return (DWORD)SendMessage(EM_GETCHARFORMAT, 0, (LPARAM)&cf); }
DWORD CRichEditCtrl::GetSelectionCharFormat(CHARFORMAT& cf) const { return (DWORD)SendMessage(EM_GETCHARFORMAT, 1, (LPARAM)&cf); }
COLORREF CRichEditCtrl::SetBackgroundColor(BOOL bSysColor, COLORREF cr) { return (COLORREF)SendMessage(EM_SETBKGNDCOLOR, (WPARAM)bSysColor, (LPARAM)cr); }
DWORD CRichEditCtrl::SetEventMask(DWORD dwEventMask) { return (DWORD)SendMessage(EM_SETEVENTMASK, 0, (LPARAM)dwEventMask); }
DWORD CRichEditCtrl::GetEventMask() const { return (DWORD)SendMessage(EM_GETEVENTMASK, 0, 0); }
BOOL CRichEditCtrl::GetModify() const { return (BOOL)SendMessage(EM_GETMODIFY, 0, 0); }
void CRichEditCtrl::SetModify(BOOL bModified) { SendMessage(EM_SETMODIFY, (WPARAM)bModified, 0); }
int CRichEditCtrl::LineIndex(int nLine) const { return (int)SendMessage(EM_LINEINDEX, (WPARAM)nLine, 0); }
int CRichEditCtrl::LineLength(int nLine) const { return (int)SendMessage(EM_LINELENGTH, (WPARAM)nLine, 0); }
void CRichEditCtrl::LineScroll(int nLines, int nChars) { SendMessage(EM_LINESCROLL, (WPARAM)nChars, (LPARAM)nLines); }
int CRichEditCtrl::GetFirstVisibleLine() const { return (int)SendMessage(EM_GETFIRSTVISIBLELINE, 0, 0); }
