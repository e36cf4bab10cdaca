#include <vyr/host/VyrEntry.h>

#include <vyr/vyrdiag.h>

namespace {

AFX_EXTENSION_MODULE g_module;
// The chain link made by InitVyrUI; null while the library is not linked.
CDynLinkLibrary* g_link = nullptr;

bool Linked()
{
    if (!g_link)
        return false;
    for (CDynLinkLibrary* p : vyr::DynLinkLibraries())
        if (p == g_link)
            return true;
    return false;
}

// Loading and unloading the shared library (or starting and ending a program that holds
// it) stand for the process attach and detach. An object rather than ELF constructor and
// destructor functions, so that the detach runs before the platform's own statics end.
struct LibraryLoad
{
    LibraryLoad()
    {
        if (!VyrUIDllMain(vyr::LibraryModuleHandle(), DLL_PROCESS_ATTACH, nullptr))
            VyrFatal("the user-interface library could not initialise its extension module", __FILE__, __LINE__);
    }
    ~LibraryLoad() { VyrUIDllMain(vyr::LibraryModuleHandle(), DLL_PROCESS_DETACH, nullptr); }
} g_load;

} // namespace

AFX_EXTENSION_MODULE& VyrUIModule() { return g_module; }

int VyrUIDllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        if (!AfxInitExtensionModule(g_module, hInstance))
            return 0;
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_module, FALSE); // deletes the chain link
        g_link = nullptr;
    }
    return 1;
}

extern "C" void InitVyrUI()
{
    VYR_CHECK(g_module.bInitialized, "InitVyrUI called while the library is not loaded");
    // One link per load: a second object in the chain would only be leaked.
    if (Linked())
        return;
    g_link = new CDynLinkLibrary(g_module);
}
