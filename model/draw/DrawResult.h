// The interfaces of the result-drawing component "Drawing.DrawingResultNo", an in-process
// COM server outside the library: it draws the model it was made for through a matrix.
// Only the operations the library calls have meaning; the other slots keep the layout.
#pragma once

#include <vyr/com.h>
#include <vyr/stdafx.h>

class CMatrix2D;
class CRect2D;

// {EA30F159-4F8C-4B3A-B7D4-DC6A66630C74}
inline constexpr IID IID_IDrawResult = {0xEA30F159, 0x4F8C, 0x4B3A, {0xB7, 0xD4, 0xDC, 0x6A, 0x66, 0x63, 0x0C, 0x74}};
// {BFA1D3C6-106E-43A1-871B-7D528251A01F}
inline constexpr IID IID_IDrawResultProps = {0xBFA1D3C6, 0x106E, 0x43A1, {0x87, 0x1B, 0x7D, 0x52, 0x82, 0x51, 0xA0, 0x1F}};

struct IDrawResult : IUnknown
{
    virtual HRESULT Prepare() = 0;                           // slot 1
    virtual HRESULT Draw(CDC* pDC, const RECT* clip) = 0;     // slot 2
    virtual HRESULT SetMatrix(CMatrix2D* matrix) = 0;         // slot 3
    virtual HRESULT Reserved4() = 0;
    virtual HRESULT Reserved5() = 0;
    virtual HRESULT GetExtent(CRect2D* extent) = 0;           // slot 6

protected:
    ~IDrawResult() = default;
};

struct IDrawResultProps : IUnknown
{
    virtual HRESULT Reserved1() = 0;
    virtual HRESULT Reserved2() = 0;
    virtual HRESULT Reserved3() = 0;
    virtual HRESULT Reserved4() = 0;
    virtual HRESULT Reserved5() = 0;
    virtual HRESULT Reserved6() = 0;
    virtual HRESULT Reserved7() = 0;
    virtual HRESULT Reserved8() = 0;
    virtual HRESULT SetIntProp(CString name, int value) = 0;     // slot 9
    virtual HRESULT Reserved10() = 0;
    virtual HRESULT SetFloatProp(CString name, float value) = 0; // slot 11
    virtual HRESULT Reserved12() = 0;
    virtual HRESULT SetBoolProp(CString name, BOOL value) = 0;   // slot 13

protected:
    ~IDrawResultProps() = default;
};
