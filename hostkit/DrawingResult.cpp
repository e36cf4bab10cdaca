#include "DrawingResult.h"

#include <atomic>
#include <mutex>

#include <vyr/stdafx.h>
#include <vyr/model/draw/DrawResult.h>
#include <vyr/model/geometry/Matrix.h>
#include <vyr/model/geometry/Rect2D.h>
#include <vyr/model/struct/structure.h>

namespace vyrhost {

const CLSID CLSID_DrawingResultNo = {0x5B1C2E7A, 0x9D34, 0x4F0E, {0xA6, 0xC1, 0x3E, 0x8D, 0x2B, 0x7F, 0x4A, 0x90}};

namespace {

std::mutex g_mutex;
std::vector<std::vector<DrawingProperty>> g_objects;

class CDrawingResult final : public IDrawResult, public IDrawResultProps
{
public:
    CDrawingResult(CGlobalData* data, size_t index) : m_pData(data), m_nIndex(index) {}

    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDrawResult)
            *ppv = static_cast<IDrawResult*>(this);
        else if (riid == IID_IDrawResultProps)
            *ppv = static_cast<IDrawResultProps*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_nRefs; }
    ULONG Release() override
    {
        const ULONG n = --m_nRefs;
        if (n == 0)
            delete this;
        return n;
    }

    HRESULT Prepare() override { return S_OK; }
    HRESULT Draw(CDC* pDC, const RECT*) override
    {
        CStruct* s = m_pData ? m_pData->Struct() : nullptr;
        if (!pDC || !s)
            return E_FAIL;
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* old = pDC->SelectObject(&pen);
        for (POSITION pos = s->m_pBeamList->GetHeadPosition(); pos;) {
            CBeamBase* b = s->m_pBeamList->GetNextT(pos);
            const CPoint a = Pixel(b->m_pNode1->m_pt), c = Pixel(b->m_pNode2->m_pt);
            pDC->MoveTo(a.x, a.y);
            pDC->LineTo(c.x, c.y);
        }
        pDC->SelectObject(old);
        return S_OK;
    }
    HRESULT SetMatrix(CMatrix2D* matrix) override
    {
        if (!matrix)
            return E_POINTER;
        m_matrix = *matrix;
        return S_OK;
    }
    HRESULT GetExtent(CRect2D* extent) override
    {
        if (!extent)
            return E_POINTER;
        CStruct* s = m_pData ? m_pData->Struct() : nullptr;
        // Elevation: across is x, up is z (top the largest, as model extents are kept).
        *extent = s ? s->m_pNodeList->GetRealRect(1) : CRect2D();
        return S_OK;
    }
    HRESULT Reserved4() override { return S_OK; }
    HRESULT Reserved5() override { return S_OK; }

    HRESULT Reserved1() override { return S_OK; }
    HRESULT Reserved2() override { return S_OK; }
    HRESULT Reserved3() override { return S_OK; }
    HRESULT Reserved6() override { return S_OK; }
    HRESULT Reserved7() override { return S_OK; }
    HRESULT Reserved8() override { return S_OK; }
    HRESULT Reserved10() override { return S_OK; }
    HRESULT Reserved12() override { return S_OK; }
    HRESULT SetIntProp(CString name, int value) override { return Record(name, 'i', value); }
    HRESULT SetFloatProp(CString name, float value) override { return Record(name, 'f', value); }
    HRESULT SetBoolProp(CString name, BOOL value) override { return Record(name, 'b', value); }

private:
    HRESULT Record(const CString& name, char kind, double value)
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        if (m_nIndex < g_objects.size())
            g_objects[m_nIndex].push_back({name.str(), kind, value});
        return S_OK;
    }
    CPoint Pixel(const CPoint3D& p) const
    {
        const CPoint2D q = CPoint2D(p.x, p.z) * m_matrix;
        return CPoint((int)q.x, (int)q.y);
    }

    CGlobalData* m_pData;
    size_t m_nIndex;
    CMatrix2D m_matrix;
    std::atomic<ULONG> m_nRefs{1};
};

} // namespace

void RegisterDrawingResult(CGlobalData* data)
{
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_objects.clear();
    }
    vyr::RegisterComClass(L"Drawing.DrawingResultNo", CLSID_DrawingResultNo, [data]() -> IUnknown* {
        size_t index;
        {
            std::lock_guard<std::mutex> lock(g_mutex);
            index = g_objects.size();
            g_objects.emplace_back();
        }
        return static_cast<IDrawResult*>(new CDrawingResult(data, index));
    });
}

void UnregisterDrawingResult() { vyr::UnregisterComClass(L"Drawing.DrawingResultNo"); }

std::vector<std::vector<DrawingProperty>> DrawingResultObjects()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_objects;
}

} // namespace vyrhost
