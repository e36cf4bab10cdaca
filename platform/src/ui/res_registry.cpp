// The library's own resources: where the scripts are, reading them once, and the lookups
// that dialogs, controls and drawing objects use.
#include <vyr/resources.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <unistd.h>

#include <vyr/app.h>
#include <vyr/vyrdiag.h>

namespace vyr {

namespace {

std::mutex g_mutex;
std::string g_dirOverride;
std::unique_ptr<ResourceSet> g_set;
// The host's own resources: scripts added as text. They are searched before the library's.
ResourceSet g_hostSet;
// Sets replaced by VyrSetResourceDir stay alive: templates handed out keep pointing into them.
std::vector<std::unique_ptr<ResourceSet>> g_retired;
// Templates replaced by AddResourceScriptText: a dialog may be running on one.
std::vector<std::shared_ptr<const DialogTemplate>> g_replaced;

std::string ExeDir()
{
    std::error_code ec;
    std::filesystem::path p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.parent_path().string();
}

std::string ResourceDirLocked()
{
    if (!g_dirOverride.empty()) return g_dirOverride;
    if (const char* env = std::getenv("VYR_RESOURCE_DIR"); env && *env) return env;
#ifdef VYR_DEFAULT_RESOURCE_DIR
    if (std::filesystem::is_directory(VYR_DEFAULT_RESOURCE_DIR)) return VYR_DEFAULT_RESOURCE_DIR;
#endif
    std::filesystem::path exe(ExeDir());
    // An installed host finds them under share/ beside its bin/ folder.
    std::filesystem::path installed = exe.parent_path() / "share" / "vyr" / "resources";
    if (!std::filesystem::is_directory(exe / "resources") && std::filesystem::is_directory(installed)) return installed.string();
    return (exe / "resources").string();
}

ResourceSet& LoadedLocked()
{
    if (g_set) return *g_set;
    auto set = std::make_unique<ResourceSet>();
    std::filesystem::path dir(ResourceDirLocked());
    std::string err;
    std::filesystem::path main = dir / "vyr.rc";
    if (std::filesystem::exists(main)) {
        if (!set->ParseFile(main.string(), &err)) VyrFatal(err.c_str(), __FILE__, __LINE__);
    }
    std::filesystem::path dialogs = dir / "dialogs";
    if (std::filesystem::is_directory(dialogs)) {
        std::vector<std::filesystem::path> files;
        for (const auto& e : std::filesystem::directory_iterator(dialogs))
            if (e.is_regular_file() && e.path().extension() == ".rc") files.push_back(e.path());
        std::sort(files.begin(), files.end());
        for (const auto& f : files) {
            // Each template script may include resource.h again; its symbols carry over.
            ResourceSet one;
            if (!one.ParseFile(f.string(), &err) || !set->Merge(one, false, &err))
                VyrFatal(err.c_str(), __FILE__, __LINE__);
        }
    }
    g_set = std::move(set);
    return *g_set;
}

} // namespace

void VyrSetResourceDir(const char* path)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_dirOverride = path ? path : "";
    if (g_set) g_retired.push_back(std::move(g_set)); // read again from the new place at the next lookup
}

CString VyrGetResourceDir()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return CString(ResourceDirLocked());
}

const ResourceSet& GetResources()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return LoadedLocked();
}

bool AddResourceScriptText(const std::string& text, const std::string& fileName, std::string* error)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    ResourceSet one;
    // Symbols already known (resource.h, earlier texts) are available to the added text.
    one.ImportSymbols(LoadedLocked());
    one.ImportSymbols(g_hostSet);
    if (!one.ParseText(text, fileName, error)) return false;
    for (auto& t : g_hostSet.Templates()) g_replaced.push_back(t);
    return g_hostSet.Merge(one, true, error);
}

namespace {

// A lookup through the host's resource chain: the current resource handle's module when
// it is the library's, then the host's own resources, then the library's while its module
// is linked. The first that has the resource answers.
template <typename Found, typename Lookup>
Found LookUp(Lookup lookup, Found none)
{
    const bool library = LibraryResourcesReachable();
    const bool libraryFirst = library && AfxGetResourceHandle() == LibraryModuleHandle();
    std::lock_guard<std::mutex> lock(g_mutex);
    if (libraryFirst)
        if (Found f = lookup(LoadedLocked())) return f;
    if (Found f = lookup(g_hostSet)) return f;
    if (library && !libraryFirst)
        if (Found f = lookup(LoadedLocked())) return f;
    return none;
}

} // namespace

const DialogTemplate* FindDialogTemplate(UINT id)
{
    return LookUp([&](const ResourceSet& s) { return s.FindDialog(id); }, (const DialogTemplate*)nullptr);
}

const DialogTemplate* FindDialogTemplate(const char* name)
{
    return LookUp([&](const ResourceSet& s) { return s.FindDialog(name); }, (const DialogTemplate*)nullptr);
}

const std::vector<DialogInitEntry>* FindDialogInit(UINT dialogId)
{
    return LookUp([&](const ResourceSet& s) { return s.FindDialogInit(dialogId); },
                  (const std::vector<DialogInitEntry>*)nullptr);
}

std::vector<CString> FindComboContents(UINT dialogId, int controlId)
{
    std::vector<CString> out;
    if (const auto* entries = FindDialogInit(dialogId))
        for (const auto& e : *entries)
            if (e.controlId == controlId) out.push_back(e.text);
    return out;
}

CString FindResourceFile(ResourceKind kind, UINT id)
{
    CString path;
    LookUp([&](const ResourceSet& s) { return !(path = s.FindFile(kind, id)).IsEmpty(); }, false);
    return path;
}

CString FindResourceFile(ResourceKind kind, const char* name)
{
    CString path;
    LookUp([&](const ResourceSet& s) { return !(path = s.FindFile(kind, name)).IsEmpty(); }, false);
    return path;
}

} // namespace vyr

BOOL AfxLoadString(UINT id, CString& out)
{
    CString found;
    if (!vyr::LookUp([&](const vyr::ResourceSet& s) { return s.FindString(id, found); }, false)) return FALSE;
    out = found;
    return TRUE;
}

CString VyrLoadString(UINT id)
{
    CString s;
    AfxLoadString(id, s);
    return s;
}
