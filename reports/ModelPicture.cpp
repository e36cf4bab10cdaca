// The model picture of the model report, drawn by the host's result-drawing component.
#include <vyr/reports/DlgOutputModel.h>

#include <cmath>

#include <vyr/app.h>
#include <vyr/com.h>
#include <vyr/model/draw/Dib.h>
#include <vyr/model/draw/DrawResult.h>
#include <vyr/model/geometry/Matrix.h>
#include <vyr/model/geometry/Rect2D.h>
#include <vyr/model/struct/structure.h>
#include <vyr/winfile.h>

namespace {

constexpr int kWidth = 450;
constexpr int kHeight = 200;
constexpr int kInset = 10;

// Both interfaces of one component object, released together.
struct CDrawObject
{
    IDrawResult* draw = nullptr;
    IDrawResultProps* props = nullptr;
    ~CDrawObject()
    {
        if (props)
            props->Release();
        if (draw)
            draw->Release();
    }
    // Creates the object and sets the four properties both passes share.
    bool Create(int drawPreType)
    {
        CLSID clsid;
        if (FAILED(CLSIDFromProgID(L"Drawing.DrawingResultNo", &clsid)))
            return false;
        if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDrawResult, (LPVOID*)&draw)) || !draw)
            return false;
        if (FAILED(draw->QueryInterface(IID_IDrawResultProps, (void**)&props)) || !props)
            return false;
        props->SetIntProp("DrawType", 1);
        props->SetIntProp("DrawPreType", drawPreType);
        props->SetBoolProp("Axial", FALSE);
        props->SetIntProp("BeamNo", 0);
        return true;
    }
};

} // namespace

bool CDlgOutputModel::CreateDraw(int drawPreType)
{
    CWaitCursor wait;
    if (!m_pData)
        return false;
    const CString folder = m_pData->ProjectPath() + "\\Tmp";
    CreateDirectoryA(folder, nullptr);

    CRect2D extent;
    {
        CDrawObject measure;
        if (!measure.Create(drawPreType))
            return false;
        measure.draw->Prepare();
        measure.draw->GetExtent(&extent);
    }
    CDrawObject object;
    if (!object.Create(drawPreType))
        return false;
    object.props->SetFloatProp("TextHeight", (float)(std::fabs(extent.top - extent.bottom) * (30.0 / kHeight) * 0.005));
    object.draw->Prepare();

    CWnd screen;
    CWinThread* thread = AfxGetThread();
    screen.Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 0, 0), thread ? thread->GetMainWnd() : nullptr, 0);
    CDC* screenDC = screen.GetDC();
    CDC memory;
    memory.CreateCompatibleDC(screenDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(screenDC, kWidth, kHeight);
    CBitmap* oldBitmap = memory.SelectObject(&bitmap);
    memory.SelectStockObject(WHITE_BRUSH);
    memory.SelectStockObject(WHITE_PEN);
    memory.Rectangle(0, 0, kWidth, kHeight);

    CMatrix2D matrix;
    matrix.Identity();
    CRect pixels(0, 0, kWidth, kHeight);
    pixels.InflateRect(-kInset, -kInset);
    matrix.SetZoomMatrix(pixels, extent);
    object.draw->SetMatrix(&matrix);
    CRect clip(0, 0, 0, 0);
    object.draw->Draw(&memory, &clip);
    memory.SelectObject(oldBitmap);

    const CString path = folder + "\\temp.bmp";
    DeleteFileA(path);
    CPalette palette;
    palette.CreateHalftonePalette(&memory);
    HANDLE dib = DDBToDIB(bitmap, 0, &palette);
    // A picture that could not be written is no success: the host would find no file.
    const bool written = dib != nullptr && WriteDIB(const_cast<char*>(path.GetString()), dib);
    if (dib)
        GlobalFree(dib);
    screen.ReleaseDC(screenDC);
    screen.DestroyWindow();
    return written;
}
