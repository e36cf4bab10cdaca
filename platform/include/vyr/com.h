// The component object model, as far as in-process servers go: interface identities,
// IUnknown, ProgID lookup and creation. No system registry: a host or a test registers the
// classes the process may create (vyr::RegisterComClass). As on Windows, a thread creates
// objects only between its CoInitialize and CoUninitialize.
#pragma once

#include <functional>

#include <vyr/wintypes.h>

typedef LONG HRESULT;
typedef wchar_t OLECHAR;
typedef const OLECHAR* LPCOLESTR;

#define S_OK ((HRESULT)0)
#define S_FALSE ((HRESULT)1)
#define E_NOINTERFACE ((HRESULT)0x80004002L)
#define E_POINTER ((HRESULT)0x80004003L)
#define E_FAIL ((HRESULT)0x80004005L)
#define E_INVALIDARG ((HRESULT)0x80070057L)
#define E_OUTOFMEMORY ((HRESULT)0x8007000EL)
#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0L)
#define CO_E_CLASSSTRING ((HRESULT)0x800401F3L)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154L)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110L)
#define SUCCEEDED(hr) (((HRESULT)(hr)) >= 0)
#define FAILED(hr) (((HRESULT)(hr)) < 0)

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_ALL (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER)
#define COINIT_APARTMENTTHREADED 0x2
#define COINIT_MULTITHREADED 0x0

struct GUID
{
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
bool operator==(const GUID& a, const GUID& b);
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }
typedef GUID IID;
typedef GUID CLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;
typedef CLSID* LPCLSID;
#define IsEqualGUID(a, b) ((a) == (b))
#define IsEqualIID(a, b) ((a) == (b))
#define IsEqualCLSID(a, b) ((a) == (b))

extern const IID IID_IUnknown; // {00000000-0000-0000-C000-000000000046}

// The three first slots of every interface; no destructor slot, so that an interface's
// own operations follow in the order it declares them.
struct IUnknown
{
    virtual HRESULT QueryInterface(REFIID riid, void** ppvObject) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};
typedef IUnknown* LPUNKNOWN;

HRESULT CoInitialize(LPVOID pvReserved);
HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
void CoUninitialize();
// CO_E_CLASSSTRING for a ProgID that is not registered.
HRESULT CLSIDFromProgID(LPCOLESTR lpszProgID, LPCLSID lpclsid);
// *ppv is null on failure: CO_E_NOTINITIALIZED on a thread without COM,
// REGDB_E_CLASSNOTREG for an unknown class or a context without in-process servers,
// CLASS_E_NOAGGREGATION with an outer object, else what QueryInterface answers.
HRESULT CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid, LPVOID* ppv);

namespace vyr {
// Makes a class creatable in process. create returns a new object holding one reference
// (null when it cannot be made: E_OUTOFMEMORY). Registering a ProgID again replaces it.
void RegisterComClass(LPCOLESTR progId, REFCLSID clsid, std::function<IUnknown*()> create);
void UnregisterComClass(LPCOLESTR progId);
} // namespace vyr
