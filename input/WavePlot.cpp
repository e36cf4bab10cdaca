#include <vyr/input/WavePlot.h>

#include <cmath>
#include <cstring>

#include <vyr/model/record/TimeHistory.h>

LOGFONT VyrWavePlotFont()
{
    LOGFONT lf;
    std::memset(&lf, 0, sizeof lf);
    lf.lfHeight = -12;
    lf.lfWeight = 400;
    lf.lfPitchAndFamily = 0x20;
    std::strcpy(lf.lfFaceName, "Arial");
    return lf;
}

void VyrDrawWaveAxis(CDC* pDC, const CRect& rect)
{
    if (pDC == nullptr)
        return;
    const int l = rect.left, r = rect.right, b = rect.bottom;
    const int h = b - rect.top;
    const int y0 = b - h / 2;
    const int a = (h - 30) / 2;
    CPen grey(PS_SOLID, 1, RGB(192, 192, 192));
    CPen* oldPen = pDC->SelectObject(&grey);
    pDC->MoveTo(l + 15, y0 - a);
    pDC->LineTo(l + 15, y0 + a);
    pDC->MoveTo(l + 7, y0);
    pDC->LineTo(r - 15, y0);
    pDC->MoveTo(l + 10, y0 - a + 5);
    pDC->LineTo(l + 15, y0 - a);
    pDC->LineTo(l + 20, y0 - a + 5);
    pDC->MoveTo(r - 20, y0 + 5);
    pDC->LineTo(r - 15, y0);
    pDC->LineTo(r - 20, y0 - 5);
    pDC->SelectObject(oldPen);
}

void VyrDrawWaveCurve(CDC* pDC, const CRect& rect, const CWaveFun* wave, const LOGFONT& font, float marker)
{
    if (pDC == nullptr || wave == nullptr)
        return;
    const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const int h = b - t, w = r - l;
    const int y0 = b - h / 2;
    const int n = wave->GetNum();
    const float peak = wave->GetMaxValue();
    // Without a peak there is no vertical scale: the curve lies on the axis.
    const float k = peak > 0.0f ? (float)(h - 30) / peak * 0.5f : 0.0f;
    const float s = (float)(w - 30) / (float)(n + 10);

    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    CPen* oldPen = pDC->SelectObject(&blue);
    pDC->MoveTo(l + 15, y0);
    for (int i = 0; i <= n; ++i) {
        // The curve ends on the axis: the last sample is drawn as 0.
        const float v = i < n - 1 ? wave->GetValue(i) : 0.0f;
        pDC->LineTo((int)((float)i * s + (float)(l + 15)), (int)((float)y0 - v * k));
    }

    CFont labelFont;
    labelFont.CreateFontIndirect(&font);
    CFont* oldFont = pDC->SelectObject(&labelFont);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(RGB(0, 0, 0));
    const UINT oldAlign = pDC->SetTextAlign(TA_CENTER | TA_TOP);
    CString label;
    label.Format("峰值:%-5.1fcm/s^2", (double)peak);
    pDC->TextOut(r / 2 - 25, t + 10, label);
    pDC->SetTextAlign(oldAlign);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);

    const float step = wave->GetStep();
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    if (marker > 0.0f && marker < wave->GetDist() && step > 0.0f) {
        const float x = marker / step * s + (float)(l + 15);
        // A step edited far below the record's own would put the line out of any int.
        if (std::isfinite(x) && std::fabs(x) < 1.0e9f) {
            pDC->SelectObject(&red);
            pDC->MoveTo((int)x, b - 20);
            pDC->LineTo((int)x, t + 20);
        }
    }
    pDC->SelectObject(oldPen);
}

void VyrDrawWavePlot(CDC* pDC, const CRect& rect, const CWaveFun* wave, const LOGFONT& font, float marker)
{
    if (pDC == nullptr)
        return;
    pDC->Rectangle(rect.left, rect.top, rect.right, rect.bottom);
    if (wave == nullptr)
        return;
    VyrDrawWaveAxis(pDC, rect);
    VyrDrawWaveCurve(pDC, rect, wave, font, marker);
}

void VyrDrawWavePlot(CWnd* pFrame, const CWaveFun* wave, const LOGFONT& font, float marker)
{
    if (pFrame == nullptr || pFrame->GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    pFrame->GetClientRect(&rect);
    CDC* pDC = pFrame->GetDC();
    VyrDrawWavePlot(pDC, rect, wave, font, marker);
    pFrame->ReleaseDC(pDC);
}
