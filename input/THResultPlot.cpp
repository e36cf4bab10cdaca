#include <vyr/input/THResultPlot.h>

#include <algorithm>
#include <cmath>

namespace {

const COLORREF kGrey = RGB(128, 128, 128);
const COLORREF kGreen = RGB(0, 128, 64);
const COLORREF kRed = RGB(255, 0, 0);
// Drift angles above this are beyond the code's limit and drawn red.
const float kDriftLimit = 0.004f;

// One step of a scale table: applies to D below the bound; ticks are a tenth of the full
// scale, single-precision as they always were.
struct SScaleRow
{
    float bound;
    double full;
    float tick;
    double factor; // labels times this (displacement), or divided by it
};

struct SScale
{
    double full = 1.0;
    double tick = 0.1;
    double factor = 1.0;
};

template <size_t N>
SScale Pick(const SScaleRow (&rows)[N], float d, double (*otherFull)(float), double otherFactor)
{
    for (const SScaleRow& r : rows)
        if (r.bound > d)
            return SScale{r.full, (double)r.tick, r.factor};
    const double full = otherFull(d);
    return SScale{full, full / 10.0, otherFactor};
}

const SScaleRow kDispRows[] = {
    {0.05f, 0.05, 0.005f, 100}, {0.1f, 0.1, 0.01f, 100}, {0.2f, 0.2, 0.02f, 10}, {0.3f, 0.3, 0.03f, 10},
    {0.5f, 0.5, 0.05f, 10},     {1.0f, 1.0, 0.1f, 10},   {2.0f, 2.0, 0.2f, 1},   {3.0f, 3.0, 0.3f, 1},
};
const SScaleRow kDriftRows[] = {
    {0.000005f, 0.000005, 0.0000005f, 0.00001}, {0.00004f, 0.00004, 0.000004f, 0.00001},
    {0.0001f, 0.0001, 0.00001f, 0.00001},       {0.0002f, 0.0002, 0.00002f, 0.0001},
    {0.0005f, 0.0005, 0.00005f, 0.0001},        {0.001f, 0.001, 0.0001f, 0.0001},
    {0.002f, 0.002, 0.0002f, 0.001},            {0.003f, 0.003, 0.0003f, 0.001},
};
const SScaleRow kForceRows[] = {
    {1, 1, 0.1f, 1},      {3, 3, 0.3f, 1},      {5, 5, 0.5f, 1},         {10, 10, 1.0f, 1},
    {15, 15, 1.5f, 10},   {20, 20, 2.0f, 10},   {50, 50, 5.0f, 10},      {100, 100, 10.0f, 10},
    {200, 200, 20.0f, 100}, {500, 500, 50.0f, 100}, {1000, 1000, 100.0f, 100},
};

SScale KindScale(int kind, float d)
{
    switch (kind) {
    case THPLOT_DISP: return Pick(kDispRows, d, [](float v) { return 5.0 * std::trunc(0.2 * v) + 5.0; }, 1.0);
    case THPLOT_DRIFT:
        return Pick(kDriftRows, d, [](float v) { return 0.005 * std::trunc(200.0 * v) + 0.005; }, 0.001);
    default: return Pick(kForceRows, d, [](float v) { return 50.0 * (1.0 + std::trunc(0.02 * v)); }, 100.0);
    }
}

CString UnitText(int kind, const SScale& s)
{
    switch (kind) {
    case THPLOT_DISP: return s.factor == 100 ? "(0.01cm)" : s.factor == 10 ? "(0.1cm)" : "(cm)";
    case THPLOT_DRIFT: return s.factor < 0.00002 ? "(1e-5rad)" : s.factor < 0.0002 ? "(1e-4rad)" : "(1e-3rad)";
    case THPLOT_SHEAR: return s.factor == 1 ? "(kN)" : s.factor == 10 ? "(10kN)" : "(1e2kN)";
    default: return s.factor == 1 ? "(kN*m)" : s.factor == 10 ? "(10kN*m)" : "(1e2kN*m)";
    }
}

CString TickLabel(int kind, const SScale& s, int k)
{
    CString text;
    const double at = k * s.tick;
    if (kind == THPLOT_DISP)
        text.Format("%.1f", at * s.factor);
    else if (kind == THPLOT_DRIFT)
        text.Format("%.2f", at / s.factor);
    else
        text.Format("%.1f", at / s.factor);
    return text;
}

struct SKindTexts
{
    const char* title;
    const char* unit;
    const char* caption;
};
const SKindTexts kKindTexts[4] = {
    {"最大楼层位移=", "(cm)", "最大楼层位移曲线"},
    {"最大层间角位移=", "(rad)", "最大层间角位移曲线"},
    {"最大楼层剪力=", "(kN)", "最大楼层剪力曲线"},
    {"最大楼层弯矩=", "(kN*m)", "最大楼层弯矩曲线"},
};

float Largest(const std::vector<float>& v, int from, int to, bool magnitude)
{
    float m = 0.0f;
    bool any = false;
    for (int i = from; i < to; ++i) {
        const float x = magnitude ? std::fabs(v[(size_t)i]) : v[(size_t)i];
        if (!any || x > m)
            m = x;
        any = true;
    }
    return m;
}

// The value that picks the scale, common to both directions so that X and Y plot alike.
float ScaleValue(const CTHPlotData& d, int kind)
{
    const int n = d.n;
    const std::vector<float>&x = d.v[kind][0], &y = d.v[kind][1];
    switch (kind) {
    case THPLOT_DISP: return std::max(x[(size_t)n - 1], y[(size_t)n - 1]);
    case THPLOT_DRIFT: return std::max(Largest(x, 1, n, false), Largest(y, 1, n, false));
    case THPLOT_SHEAR: return std::max(Largest(x, 0, n, false), Largest(y, 0, n, false));
    default: return std::max(Largest(x, 0, n, true), Largest(y, 0, n, true));
    }
}

CString ForceText(float value)
{
    CString text;
    text.Format(value < 1000.0f ? "%.2f" : "%.0f", (double)value);
    return text;
}

CString TitleValue(const CTHPlotData& d, int kind, int dir)
{
    const std::vector<float>& v = d.v[kind][dir];
    CString text;
    switch (kind) {
    case THPLOT_DISP: text.Format("%.2f", (double)v[(size_t)d.n - 1]); break;
    case THPLOT_DRIFT: {
        // A direction without drift has no ratio to show.
        const float largest = Largest(v, 1, d.n, false);
        if (largest > 0.0f)
            text.Format("1/%.1f", 1.0 / (double)largest);
        else
            text = "0";
        break;
    }
    case THPLOT_SHEAR: text = ForceText(Largest(v, 0, d.n, false)); break;
    default: text = ForceText(Largest(v, 0, d.n, true)); break;
    }
    return text;
}

} // namespace

CTHPlotData VyrTHPlotData(const CStruct* st, const CTHResultRow& row)
{
    CTHPlotData d;
    d.n = VyrTHEntryCount(row);
    d.z.resize((size_t)d.n);
    for (auto& kind : d.v)
        for (auto& dir : kind)
            dir.assign((size_t)d.n, 0.0f);
    for (int i = 0; i < d.n; ++i) {
        d.z[(size_t)i] = VyrTHEntryZ(st, i);
        const float h = VyrTHEntryH(st, i);
        for (int dir = 0; dir < 2; ++dir) {
            const bool y = dir == 1;
            d.v[THPLOT_DISP][dir][(size_t)i] = row.Get(TH_DISP, y, i);
            // Entry 0 is the base: it has no storey and no angle.
            d.v[THPLOT_DRIFT][dir][(size_t)i] = i > 0 ? VyrTHDriftAngle(row.Get(TH_DRIFT, y, i), h) : 0.0f;
            d.v[THPLOT_SHEAR][dir][(size_t)i] = row.Get(TH_SHEAR, y, i);
            d.v[THPLOT_MOMENT][dir][(size_t)i] = row.Get(TH_MOMENT, y, i) * 0.01f;
        }
    }
    return d;
}

void VyrDrawTHPlot(CDC* pDC, const CRect& client, const CTHPlotData& d, int kind, bool y, const LOGFONT& font)
{
    const int n = d.n;
    if (pDC == nullptr || n <= 1 || kind < THPLOT_DISP || kind > THPLOT_MOMENT || (int)d.z.size() < n)
        return;
    const double zTop = d.z[(size_t)n - 1];
    if (zTop == 0.0)
        return;
    const int dir = y ? 1 : 0;
    const std::vector<float>& v = d.v[kind][dir];

    // The box: 0.7 as wide as high, centred in the frame less 20 pixels a side.
    CRect r = client;
    r.DeflateRect(20, 20);
    const int W = std::abs(r.right - r.left), H = std::abs(r.bottom - r.top);
    CRect box = r;
    if (W > 0.7 * H) {
        box.left = r.left + (int)((W - 0.7 * H) / 2);
        box.right = box.left + (int)(0.7 * H);
    } else {
        box.top = r.top + (int)((0.7 * H - W) / 2);
        box.bottom = box.top + (int)(W * 1.4285714285714286);
    }
    const int boxH = box.bottom - box.top, boxW = box.right - box.left;
    const int mb = (int)std::min(0.25 * boxH, 45.0);
    const int mw = (int)std::min(0.1 * boxW, 25.0);
    const int Hp = boxH - 2 * mb, Wp = boxW - 3 * mw;
    const int xAxis = box.left + 2 * mw, yAxis = box.bottom - mb;

    const SScale scale = KindScale(kind, ScaleValue(d, kind));
    const double kx = Wp / scale.full;
    const double ky = Hp / zTop;
    auto X = [&](int i) { return xAxis + (int)(kx * (kind == THPLOT_MOMENT ? std::fabs(v[(size_t)i]) : v[(size_t)i])); };
    auto Y = [&](int i) { return yAxis - (int)(ky * d.z[(size_t)i]); };

    LOGFONT lf = font;
    lf.lfHeight = -11;
    lf.lfEscapement = 0;
    lf.lfOrientation = 0;
    CFont textFont;
    textFont.CreateFontIndirect(&lf);
    CFont* oldFont = pDC->SelectObject(&textFont);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->GetTextColor();
    const UINT oldAlign = pDC->GetTextAlign();

    // Axes and scale.
    CPen grey(PS_SOLID, 1, kGrey);
    CPen* ownPen = pDC->SelectObject(&grey);
    pDC->SetTextColor(kGrey);
    pDC->MoveTo(xAxis, yAxis - Hp);
    pDC->LineTo(xAxis, yAxis);
    pDC->LineTo(xAxis + Wp, yAxis);
    pDC->SetTextAlign(TA_CENTER | TA_TOP);
    pDC->TextOut(xAxis, yAxis, "0");
    int x10 = xAxis;
    for (int k = 1; k <= 10; ++k) {
        const int xk = xAxis + (int)(k * kx * scale.tick);
        pDC->MoveTo(xk, yAxis);
        pDC->LineTo(xk, yAxis - 3);
        if (k % 2 == 0)
            pDC->TextOut(xk, yAxis, TickLabel(kind, scale, k));
        x10 = xk;
    }
    pDC->TextOut(x10, yAxis + 10, UnitText(kind, scale));

    // Floors: every one ticked, labelled as often as they have room.
    int q = Hp / n;
    if (q <= 0)
        q = 1;
    const int step = q > 15 ? 1 : 15 / q + 1;
    pDC->SetTextAlign(TA_RIGHT | TA_BASELINE);
    for (int i = 1; i < n; ++i) {
        const int yi = Y(i);
        pDC->MoveTo(xAxis, yi);
        pDC->LineTo(xAxis + 3, yi);
        if (i % step == 0) {
            CString label;
            label.Format("Floor%d", i);
            pDC->TextOut(xAxis, yi, label);
        }
    }
    pDC->SelectObject(ownPen);

    // The curve or the bars.
    const std::vector<float>& disp = d.v[THPLOT_DISP][dir];
    bool drawn = false;
    switch (kind) {
    case THPLOT_DISP: drawn = disp[(size_t)n - 1] > 0.01f; break;
    case THPLOT_DRIFT:
        drawn = std::max(d.v[THPLOT_DISP][0][(size_t)n - 1], d.v[THPLOT_DISP][1][(size_t)n - 1]) > 0.01f;
        break;
    case THPLOT_SHEAR: drawn = true; break;
    default: drawn = std::fabs(v[0]) > 0.00001f; break;
    }
    pDC->SetTextColor(kGreen);
    pDC->SetTextAlign(TA_LEFT | TA_BASELINE);
    if (drawn && kind == THPLOT_DISP) {
        // The grey pen stays for the box outline.
        pDC->SelectObject(&grey);
        pDC->MoveTo(xAxis, yAxis);
        for (int i = 1; i < n; ++i) {
            pDC->LineTo(X(i), Y(i));
            CString label;
            label.Format("%.2f", (double)v[(size_t)i]);
            pDC->TextOut(X(i) + 5, Y(i) + 10, label);
        }
    } else if (drawn) {
        CPen green(PS_SOLID, 1, kGreen), red(PS_SOLID, 1, kRed);
        const float largest = kind == THPLOT_DRIFT ? Largest(v, 1, n, false) : 0.0f;
        for (int i = 1; i < n; ++i) {
            const int yi = Y(i), yPrev = i == 1 ? yAxis : Y(i - 1), xi = X(i);
            const bool over = kind == THPLOT_DRIFT && v[(size_t)i] > kDriftLimit;
            if (kind == THPLOT_DRIFT && v[(size_t)i] == largest) {
                CBrush fill(over ? kRed : kGreen);
                CRect bar(xAxis, yPrev, xi, yi);
                bar.NormalizeRect();
                pDC->FillRect(&bar, &fill);
            }
            pDC->SelectObject(over ? &red : &green);
            pDC->SetTextColor(over ? kRed : kGreen);
            CString label;
            if (kind == THPLOT_DRIFT)
                label = VyrTHDriftText(v[(size_t)i]);
            else
                label.Format("%.2f", (double)v[(size_t)i]);
            pDC->TextOut(kind == THPLOT_DRIFT ? xi : xi + 5, (yPrev + yi) / 2, label);
            pDC->MoveTo(xAxis, yi);
            pDC->LineTo(xi, yi);
            pDC->LineTo(xi, yPrev);
            pDC->LineTo(xAxis, yPrev);
        }
        pDC->SelectObject(ownPen);
    }

    // Title above, caption below.
    const SKindTexts& texts = kKindTexts[kind];
    const CString word = y ? "Y方向" : "X方向";
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetTextAlign(TA_CENTER | TA_BOTTOM);
    pDC->TextOut(xAxis + Wp / 2, yAxis - Hp - 4, word + texts.title + TitleValue(d, kind, dir) + texts.unit);
    pDC->SetTextAlign(TA_CENTER | TA_TOP);
    pDC->TextOut(xAxis + Wp / 2, yAxis + mb / 2 + 3, word + texts.caption);

    pDC->MoveTo(box.left, box.bottom);
    pDC->LineTo(box.left, box.top);
    pDC->LineTo(box.right, box.top);
    pDC->LineTo(box.right, box.bottom);
    pDC->LineTo(box.left, box.bottom);

    pDC->SelectObject(ownPen);
    pDC->SetTextAlign(oldAlign);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
}
