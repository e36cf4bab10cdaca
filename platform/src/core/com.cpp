// In-process object creation (see com.h).
#include <vyr/com.h>

#include <cstring>
#include <mutex>
#include <string>
#include <vector>

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

bool operator==(const GUID& a, const GUID& b)
{
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
           std::memcmp(a.Data4, b.Data4, sizeof a.Data4) == 0;
}

namespace {

struct ComClass
{
    std::wstring progId;
    CLSID clsid;
    std::function<IUnknown*()> create;
};

std::mutex g_mutex;
std::vector<ComClass> g_classes;
thread_local int t_initCount = 0;

} // namespace

HRESULT CoInitialize(LPVOID pvReserved) { return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED); }

HRESULT CoInitializeEx(LPVOID, DWORD) { return t_initCount++ == 0 ? S_OK : S_FALSE; }

void CoUninitialize()
{
    if (t_initCount > 0) --t_initCount;
}

HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid)
{
    if (!lpszProgID || !lpclsid) return E_INVALIDARG;
    std::lock_guard<std::mutex> lk(g_mutex);
    for (const ComClass& c : g_classes)
        if (c.progId == lpszProgID) {
            *lpclsid = c.clsid;
            return S_OK;
        }
    std::memset(lpclsid, 0, sizeof *lpclsid);
    return CO_E_CLASSSTRING;
}

HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (t_initCount == 0) return CO_E_NOTINITIALIZED;
    std::function<IUnknown*()> create;
    {
        std::lock_guard<std::mutex> lk(g_mutex);
        for (const ComClass& c : g_classes)
            if (c.clsid == rclsid) create = c.create;
    }
    if (!create || !(dwClsContext & CLSCTX_INPROC_SERVER)) return REGDB_E_CLASSNOTREG;
    if (pUnkOuter) return CLASS_E_NOAGGREGATION;
    IUnknown* obj = create();
    if (!obj) return E_OUTOFMEMORY;
    HRESULT hr = obj->QueryInterface(riid, ppv);
    obj->Release(); // the caller holds what QueryInterface gave, or nothing
    if (FAILED(hr)) *ppv = nullptr;
    return hr;
}

namespace vyr {

void RegisterComClass(LPCOLESTR progId, REFCLSID clsid, std::function<IUnknown*()> create)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    for (ComClass& c : g_classes)
        if (c.progId == progId) {
            c.clsid = clsid;
            c.create = std::move(create);
            return;
        }
    g_classes.push_back(ComClass{progId, clsid, std::move(create)});
}

void UnregisterComClass(LPCOLESTR progId)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    for (auto it = g_classes.begin(); it != g_classes.end(); ++it)
        if (it->progId == progId) {
            g_classes.erase(it);
            return;
        }
}

} // namespace vyr
