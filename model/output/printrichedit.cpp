#include <vyr/model/output/printrichedit.h>

#include <vector>

#include <vyr/commdlg.h>
#include <vyr/controls.h>
#include <vyr/gbk.h>

namespace {

std::vector<CString> SplitLines(const CString& text)
{
    std::vector<CString> lines;
    std::string cur;
    for (char c : text.str()) {
        if (c == '\r') continue;
        if (c == '\n') {
            lines.emplace_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) lines.emplace_back(cur);
    return lines;
}

// Width of a line as drawn with expanded tabs; a tab counts as a full stop of eight spaces,
// so a measured piece never comes out wider than it prints.
int LineWidth(CDC* pDC, const std::string& line)
{
    std::string measured;
    for (char c : line) {
        if (c == '\t')
            measured.append(8, ' ');
        else
            measured += c;
    }
    return pDC->GetTextExtent(measured.c_str(), (int)measured.size()).cx;
}

// A line wider than the page goes on as further lines instead of being cut at the margin.
void WrapLine(CDC* pDC, const std::string& line, int width, std::vector<CString>& out)
{
    size_t start = 0;
    while (start < line.size()) {
        const std::string rest = line.substr(start);
        if (LineWidth(pDC, rest) <= width) {
            out.emplace_back(rest);
            return;
        }
        // The character boundaries of the rest; the longest prefix that fits, found by halving.
        std::vector<size_t> ends;
        for (size_t i = 0; i < rest.size();) {
            vyr::Utf8Next(rest, i);
            ends.push_back(i);
        }
        size_t lo = 0, hi = ends.size() - 1; // ends[hi] (the whole rest) does not fit
        while (lo + 1 < hi) {
            const size_t mid = (lo + hi) / 2;
            if (LineWidth(pDC, rest.substr(0, ends[mid])) <= width)
                lo = mid;
            else
                hi = mid;
        }
        // ends[lo] fits, or is the first character: at least one per line on any page.
        const size_t take = ends[lo];
        out.emplace_back(rest.substr(0, take));
        start += take;
    }
}

} // namespace

int PrintRichEditCtrl(CRichEditCtrl* pCtrl, RECT& margins, CString title)
{
    if (!pCtrl || !pCtrl->GetSafeHwnd()) return 0;
    CPrintDialog dlg(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION |
                                PD_RETURNDC);
    if (dlg.DoModal() != IDOK) return 0;
    CDC* pDC = dlg.GetPrinterCDC();
    if (!pDC) return 0;

    const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX) > 0 ? pDC->GetDeviceCaps(LOGPIXELSX) : 96;
    const int dpiY = pDC->GetDeviceCaps(LOGPIXELSY) > 0 ? pDC->GetDeviceCaps(LOGPIXELSY) : 96;
    // A4: 210 x 297 mm; margins in twips (1440 to the inch).
    const int pageW = dpiX * 2100 / 254;
    const int pageH = dpiY * 2970 / 254;
    const int left = margins.left * dpiX / 1440;
    const int top = margins.top * dpiY / 1440;
    const int right = pageW - margins.right * dpiX / 1440;
    const int bottom = pageH - margins.bottom * dpiY / 1440;

    CFont font;
    font.CreatePointFont(90, "宋体", pDC);
    CFont* pOld = pDC->SelectObject(&font);
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    const int lineH = tm.tmHeight + tm.tmExternalLeading > 0 ? tm.tmHeight + tm.tmExternalLeading : dpiY / 6;
    // The title line and a gap take two lines of each page.
    const int perPage = (bottom - top) / lineH - 2 > 1 ? (bottom - top) / lineH - 2 : 1;

    CString text;
    pCtrl->GetWindowText(text);
    std::vector<CString> lines;
    for (const CString& line : SplitLines(text)) {
        if (line.IsEmpty())
            lines.push_back(line);
        else
            WrapLine(pDC, line.str(), right - left, lines);
    }
    const int pages = lines.empty() ? 1 : (int)((lines.size() + perPage - 1) / perPage);
    pDC->SetBkMode(TRANSPARENT);
    for (int p = 0; p < pages; ++p) {
        const int origin = p * pageH;
        CRect head(left, origin + top, right, origin + top + lineH);
        pDC->DrawText(title, &head, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        int y = origin + top + 2 * lineH;
        for (int i = p * perPage; i < (int)lines.size() && i < (p + 1) * perPage; ++i, y += lineH) {
            CRect rc(left, y, right, y + lineH);
            pDC->DrawText(lines[i], &rc, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
        }
    }
    pDC->SelectObject(pOld);
    return pages;
}
