// Fonts: which installed family draws a face, how big its em is, what its text measures,
// and where DrawText puts its lines. Measuring and drawing share these functions so the
// widths a caller computes are the widths that appear in the pixels.
#include <cairo.h>
#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

#include <vyr/gbk.h>
#include "gdi_internal.h"

namespace vyr {

namespace {

const char* const kCjkFamily = "WenQuanYi Micro Hei";
const char* const kCjkMonoFamily = "WenQuanYi Micro Hei Mono";

std::string Lower(const std::string& s)
{
    std::string r = s;
    for (char& c : r) c = (char)std::tolower((unsigned char)c);
    return r;
}

bool IsWide(char32_t cp)
{
    return (cp >= 0x2E80 && cp <= 0xA4CF) || (cp >= 0xAC00 && cp <= 0xD7AF) || (cp >= 0xF900 && cp <= 0xFAFF) ||
           (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFFEF) || cp >= 0x20000;
}

// cairo and fontconfig keep the fonts and the configuration they have loaded for the
// life of the process; hand them back at exit so that leak checkers see a clean end.
// fontconfig is reached through cairo's own dependency, looked up rather than linked.
void ReleaseFontCaches()
{
    std::lock_guard<std::mutex> lock(CairoMutex());
    cairo_debug_reset_static_data();
    if (void* fini = dlsym(RTLD_DEFAULT, "FcFini")) reinterpret_cast<void (*)()>(fini)();
}

// One scratch context per thread for measuring.
cairo_t* Scratch()
{
    static std::once_flag once;
    std::call_once(once, [] { std::atexit(ReleaseFontCaches); });
    struct Holder
    {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
        cairo_t* cr = cairo_create(s);
        ~Holder()
        {
            std::lock_guard<std::mutex> lock(CairoMutex());
            cairo_destroy(cr);
            cairo_surface_destroy(s);
        }
    };
    thread_local Holder h;
    return h.cr;
}

void SelectFamily(cairo_t* cr, const std::string& family, const FontSpec& f)
{
    cairo_select_font_face(cr, family.c_str(), f.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                           f.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
}

// Ascent and descent of a family at an em of one pixel, cached.
std::pair<double, double> UnitExtents(const std::string& family, bool bold, bool italic)
{
    static std::mutex m;
    static std::map<std::string, std::pair<double, double>> cache;
    const std::string key = family + (bold ? "|b" : "|n") + (italic ? "i" : "r");
    {
        std::lock_guard<std::mutex> lock(m);
        auto it = cache.find(key);
        if (it != cache.end()) return it->second;
    }
    std::unique_lock<std::mutex> cairoLock(CairoMutex());
    cairo_t* cr = Scratch();
    FontSpec f{};
    f.bold = bold;
    f.italic = italic;
    SelectFamily(cr, family, f);
    cairo_set_font_size(cr, 100.0);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    std::pair<double, double> r{fe.ascent / 100.0, fe.descent / 100.0};
    cairoLock.unlock();
    std::lock_guard<std::mutex> lock(m);
    cache[key] = r;
    return r;
}

// Advances of Arial's printable ASCII characters, space to '~', in thousandths of an em.
constexpr short kArialWidths[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // space to '/'
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556,                                // digits
    278, 278, 584, 584, 584, 556, 1015,                                              // ':' to '@'
    667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833,                 // A to M
    722, 778, 667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611,                 // N to Z
    278, 278, 278, 469, 556, 333,                                                    // '[' to '`'
    556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833,                 // a to m
    556, 556, 556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500,                 // n to z
    334, 260, 334, 584};                                                             // '{' to '~'

// Whose advances a face's texts take. The installed substitutes are wider than the faces
// the library's layouts were made for (9-point 宋体 in dialogs, Arial in drawings): a
// 12-pixel "3000.000" takes 52 pixels against 宋体's 48, a 10-pixel one 45 against Arial's
// 42. So a text takes the advances of the face it names, each glyph fitted into its own.
enum class Widths { Natural, SimSun, Arial };

Widths WidthsOf(const std::string& face)
{
    const std::string family = MapFontFace(face);
    if (family == kCjkFamily || family == kCjkMonoFamily) {
        // YaHei's Latin letters are proportional, as the substitute's are.
        return face == "微软雅黑" || Lower(face) == "microsoft yahei" ? Widths::Natural : Widths::SimSun;
    }
    return family == "DejaVu Sans" ? Widths::Arial : Widths::Natural;
}

// The advance of one character in ems on the face the text names; negative where the
// substitute's own advance stands. 宋体 gives a character half an em per GBK byte: ASCII
// half an em, Chinese and the other double-byte characters a whole one.
double DesignAdvance(Widths widths, char32_t cp, const std::string& ch)
{
    switch (widths) {
    case Widths::SimSun: return GbkWidth(ch) * 0.5;
    case Widths::Arial:
        if (IsWide(cp)) return 1.0;
        if (cp >= 0x20 && cp <= 0x7E) return kArialWidths[cp - 0x20] / 1000.0;
        return -1.0;
    case Widths::Natural: break;
    }
    return -1.0;
}

struct PlacedChar
{
    std::string ch;
    double advance; // where the next character starts
    double natural; // the substitute's own advance
};

// The characters of a run with their advances; the run's font is selected in cr.
std::vector<PlacedChar> PlaceRun(cairo_t* cr, Widths widths, double em, const std::string& run)
{
    std::vector<PlacedChar> out;
    for (size_t i = 0; i < run.size();) {
        const size_t start = i;
        const char32_t cp = Utf8Next(run, i);
        PlacedChar p{run.substr(start, i - start), 0.0, 0.0};
        cairo_text_extents_t te;
        cairo_text_extents(cr, p.ch.c_str(), &te);
        p.natural = te.x_advance;
        const double design = DesignAdvance(widths, cp, p.ch);
        p.advance = design < 0 ? p.natural : design * em;
        out.push_back(std::move(p));
    }
    return out;
}

} // namespace

FontMetrics ComputeMetrics(const FontSpec& f, const std::string& family);

std::mutex& CairoMutex()
{
    static std::mutex m;
    return m;
}

std::string MapFontFace(const std::string& face)
{
    for (unsigned char c : face)
        if (c >= 0x80) {
            // "新宋体" is the fixed-pitch one of the Chinese faces.
            if (face == "新宋体") return kCjkMonoFamily;
            return kCjkFamily;
        }
    const std::string f = Lower(face);
    static const char* const cjk[] = {"simsun", "simhei", "kaiti", "kaiti_gb2312", "fangsong", "fangsong_gb2312",
                                      "microsoft yahei", "mingliu", "pmingliu", "stsong", "stheiti"};
    for (const char* n : cjk)
        if (f == n) return kCjkFamily;
    if (f == "nsimsun") return kCjkMonoFamily;
    static const char* const serif[] = {"times new roman", "times", "ms serif", "georgia", "serif", "roman"};
    for (const char* n : serif)
        if (f == n) return "DejaVu Serif";
    static const char* const mono[] = {"courier new", "courier", "consolas", "lucida console", "fixedsys",
                                       "terminal", "monospace", "modern"};
    for (const char* n : mono)
        if (f == n) return "DejaVu Sans Mono";
    return "DejaVu Sans";
}

FontSpec ResolveFont(const LOGFONT& lf)
{
    FontSpec f{};
    f.face = std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
    f.bold = lf.lfWeight >= FW_SEMIBOLD;
    f.italic = lf.lfItalic != 0;
    f.underline = lf.lfUnderline != 0;
    f.strikeOut = lf.lfStrikeOut != 0;
    f.angle = lf.lfEscapement / 10.0 * 3.14159265358979323846 / 180.0;
    const std::string family = MapFontFace(f.face);
    if (lf.lfHeight < 0) {
        f.emPixels = -(double)lf.lfHeight; // character height: the em itself
    } else if (lf.lfHeight > 0) {
        // Cell height: ascent plus descent of the family.
        auto [a, d] = UnitExtents(family, f.bold, f.italic);
        f.emPixels = lf.lfHeight / (a + d);
    } else {
        f.emPixels = 12.0;
    }
    return f;
}

std::vector<TextRun> SplitRuns(const FontSpec& f, const std::string& text)
{
    const std::string own = MapFontFace(f.face);
    std::vector<TextRun> runs;
    const bool ownIsCjk = own == kCjkFamily || own == kCjkMonoFamily;
    size_t i = 0;
    while (i < text.size()) {
        size_t start = i;
        char32_t cp = Utf8Next(text, i);
        const std::string fam = ownIsCjk || !IsWide(cp) ? own : std::string(kCjkFamily);
        if (runs.empty() || runs.back().family != fam) runs.push_back(TextRun{std::string(), fam});
        runs.back().text.append(text, start, i - start);
    }
    return runs;
}

FontMetrics MeasureFont(const FontSpec& f)
{
    // Asked for on every extent and every text drawn: remembered per font.
    static std::mutex m;
    static std::map<std::string, FontMetrics> cache;
    const std::string family = MapFontFace(f.face);
    const std::string key = family + "|" + std::to_string(f.emPixels) + (f.bold ? "b" : "n") + (f.italic ? "i" : "r") +
                            std::to_string((int)WidthsOf(f.face));
    {
        std::lock_guard<std::mutex> lock(m);
        auto it = cache.find(key);
        if (it != cache.end()) return it->second;
    }
    const FontMetrics r = ComputeMetrics(f, family);
    std::lock_guard<std::mutex> lock(m);
    cache.emplace(key, r);
    return r;
}

FontMetrics ComputeMetrics(const FontSpec& f, const std::string& family)
{
    auto [a, d] = UnitExtents(family, f.bold, f.italic);
    FontMetrics m{};
    m.ascent = (int)std::lround(a * f.emPixels);
    m.descent = (int)std::lround(d * f.emPixels);
    m.height = m.ascent + m.descent;
    m.internalLeading = std::max(0, m.height - (int)std::lround(f.emPixels));
    static const std::string alphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    m.aveCharWidth = (int)std::lround(MeasureText(f, alphabet) / 52.0);
    m.maxCharWidth = std::max(TextWidth(f, "W"), TextWidth(f, "中"));
    return m;
}

double MeasureText(const FontSpec& f, const std::string& text)
{
    if (text.empty()) return 0.0;
    std::lock_guard<std::mutex> lock(CairoMutex());
    cairo_t* cr = Scratch();
    const Widths widths = WidthsOf(f.face);
    double w = 0.0;
    for (const TextRun& r : SplitRuns(f, text)) {
        SelectFamily(cr, r.family, f);
        cairo_set_font_size(cr, f.emPixels);
        if (widths == Widths::Natural) {
            cairo_text_extents_t te;
            cairo_text_extents(cr, r.text.c_str(), &te);
            w += te.x_advance;
            continue;
        }
        for (const PlacedChar& p : PlaceRun(cr, widths, f.emPixels, r.text)) w += p.advance;
    }
    return w;
}

void ShowRun(cairo_t* cr, const FontSpec& f, const std::string& run)
{
    const Widths widths = WidthsOf(f.face);
    if (widths == Widths::Natural) {
        cairo_show_text(cr, run.c_str());
        return;
    }
    double x = 0.0, y = 0.0;
    cairo_get_current_point(cr, &x, &y);
    for (const PlacedChar& p : PlaceRun(cr, widths, f.emPixels, run)) {
        cairo_save(cr);
        if (p.natural > p.advance && p.advance > 0) {
            // Condensed into its advance; a narrower glyph stands in the middle of its own.
            cairo_translate(cr, x, y);
            cairo_scale(cr, p.advance / p.natural, 1.0);
            cairo_move_to(cr, 0.0, 0.0);
        } else {
            cairo_move_to(cr, x + (p.advance - p.natural) / 2, y);
        }
        cairo_show_text(cr, p.ch.c_str());
        cairo_restore(cr);
        x += p.advance;
    }
    cairo_move_to(cr, x, y);
}

int TextWidth(const FontSpec& f, const std::string& text) { return (int)std::lround(MeasureText(f, text)); }

namespace {

// Removes the mnemonic marks: "&x" shows x, "&&" shows one ampersand.
std::string StripPrefix(const std::string& s)
{
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size()) r += s[++i];
            continue;
        }
        r += s[i];
    }
    return r;
}

std::string ExpandTabs(const std::string& s)
{
    std::string r;
    int col = 0;
    for (size_t i = 0; i < s.size();) {
        if (s[i] == '\t') {
            do { r += ' '; ++col; } while (col % 8);
            ++i;
            continue;
        }
        size_t st = i;
        char32_t cp = Utf8Next(s, i);
        r.append(s, st, i - st);
        col += IsWide(cp) ? 2 : 1;
    }
    return r;
}

std::vector<std::string> SplitLines(const std::string& s)
{
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += s[i];
        }
    }
    return lines;
}

// Breaks a line to fit the width: after spaces, and between wide characters, which
// Chinese text allows anywhere. A word longer than the width stays whole.
void WrapLine(const FontSpec& f, const std::string& line, int width, std::vector<std::string>& out)
{
    struct Token { std::string text; bool space; };
    std::vector<Token> tokens;
    for (size_t i = 0; i < line.size();) {
        size_t st = i;
        char32_t cp = Utf8Next(line, i);
        std::string ch = line.substr(st, i - st);
        if (cp == ' ') tokens.push_back({ch, true});
        else if (IsWide(cp) || tokens.empty() || tokens.back().space) tokens.push_back({ch, false});
        else {
            // Latin letters join the previous word unless it ends with a wide character.
            size_t j = 0;
            char32_t last = 0;
            while (j < tokens.back().text.size()) last = Utf8Next(tokens.back().text, j);
            if (IsWide(last)) tokens.push_back({ch, false});
            else tokens.back().text += ch;
        }
    }
    std::string cur;
    for (const Token& p : tokens) {
        if (p.space) {
            cur += p.text;
            continue;
        }
        std::string trial = cur + p.text;
        std::string trimmed = cur;
        while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
        if (!trimmed.empty() && TextWidth(f, trial) > width) {
            out.push_back(trimmed);
            cur = p.text;
        } else {
            cur = trial;
        }
    }
    while (!cur.empty() && cur.back() == ' ') cur.pop_back();
    out.push_back(cur);
}

std::string Ellipsize(const FontSpec& f, const std::string& s, int width)
{
    if (TextWidth(f, s) <= width) return s;
    std::vector<size_t> bounds{0};
    for (size_t i = 0; i < s.size();) {
        Utf8Next(s, i);
        bounds.push_back(i);
    }
    for (size_t k = bounds.size() - 1; k > 0; --k) {
        std::string t = s.substr(0, bounds[k - 1]) + "...";
        if (TextWidth(f, t) <= width || k == 1) return t;
    }
    return "...";
}

} // namespace

TextLayout LayoutText(const FontSpec& f, const std::string& text, const RECT& r, UINT format)
{
    std::string s = (format & DT_NOPREFIX) ? text : StripPrefix(text);
    if (format & DT_EXPANDTABS) s = ExpandTabs(s);
    const FontMetrics fm = MeasureFont(f);
    const int width = r.right - r.left;

    std::vector<std::string> lines;
    if (format & DT_SINGLELINE) {
        std::string one;
        for (char c : s)
            if (c != '\r' && c != '\n') one += c;
        lines.push_back(one);
    } else {
        for (const std::string& l : SplitLines(s)) {
            if (format & DT_WORDBREAK) WrapLine(f, l, width, lines);
            else lines.push_back(l);
        }
    }
    if ((format & DT_END_ELLIPSIS) && !(format & DT_CALCRECT))
        for (std::string& l : lines) l = Ellipsize(f, l, width);

    TextLayout out{};
    const int total = fm.height * (int)lines.size();
    int y = r.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_BOTTOM) y = r.bottom - fm.height;
        else if (format & DT_VCENTER) y = r.top + (r.bottom - r.top - fm.height) / 2;
    }
    int maxw = 0;
    for (const std::string& l : lines) {
        const int w = TextWidth(f, l);
        maxw = std::max(maxw, w);
        int x = r.left;
        if (format & DT_CENTER) x = r.left + (width - w) / 2;
        else if (format & DT_RIGHT) x = r.right - w;
        out.lines.push_back(TextLine{l, x, y});
        y += fm.height;
    }
    out.bounds = RECT{r.left, r.top, r.left + maxw, r.top + total};
    if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)) && !(format & DT_CALCRECT))
        out.height = out.lines.front().y - r.top + fm.height;
    else
        out.height = total;
    return out;
}

} // namespace vyr
