// The library's own resources: where the scripts are, reading them once, and the lookups
// that dialogs, controls and drawing objects use.
#include <vyr/resources.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <cstdio>
#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <vyr/app.h>
#include <vyr/vyrdiag.h>

#ifndef VYR_INSTALLED_RESOURCES_FROM_LIB
#define VYR_INSTALLED_RESOURCES_FROM_LIB "../share/vyr/resources"
#endif

namespace vyr {

ResourceDirSearch SearchResourceDir(const std::string& modulePath, const char* envDir, const std::string& buildDir,
                                    const std::string& sourceDir)
{
    namespace fs = std::filesystem;
    ResourceDirSearch out;
    std::error_code ec;
    auto consider = [&](const fs::path& dir) {
        if (dir.empty()) return false;
        out.looked.push_back(dir.lexically_normal().string());
        if (!fs::is_regular_file(fs::path(out.looked.back()) / "vyr.rc", ec)) return false;
        out.dir = out.looked.back();
        return true;
    };
    const fs::path module = modulePath.empty() ? fs::path() : fs::weakly_canonical(modulePath, ec);
    if (!module.empty()) {
        // Where an installation puts them, relative to the library's folder; then a folder
        // beside it, as a host that ships the library with its program may arrange.
        if (consider(module.parent_path() / VYR_INSTALLED_RESOURCES_FROM_LIB)) return out;
        if (consider(module.parent_path() / "resources")) return out;
    }
    if (envDir && *envDir && consider(envDir)) return out;
    // The source tree only serves a library that still lies in the build tree it was built in.
    if (!buildDir.empty() && !sourceDir.empty() && !module.empty()) {
        const fs::path build = fs::weakly_canonical(buildDir, ec);
        auto rel = module.lexically_relative(build);
        if (!build.empty() && !rel.empty() && *rel.begin() != ".." && consider(sourceDir)) return out;
    }
    return out;
}

std::string LibraryDataDir(const std::string& modulePath)
{
    namespace fs = std::filesystem;
    if (modulePath.empty()) return std::string();
    std::error_code ec;
    const fs::path module = fs::weakly_canonical(modulePath, ec);
    if (ec || module.empty()) return std::string();
    // The data lies beside the installed resources, one level up from them.
    return (module.parent_path() / fs::path(VYR_INSTALLED_RESOURCES_FROM_LIB).parent_path()).lexically_normal().string();
}

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

// The file that holds this code: the shared library a host loads, or the program itself
// when the platform is linked in statically.
std::string ModulePath()
{
    Dl_info info{};
    link_map* map = nullptr;
    if (dladdr1(reinterpret_cast<void*>(&ModulePath), &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) && map &&
        map->l_name && map->l_name[0])
        return map->l_name;
    // The main program's entry has no name of its own.
    std::error_code ec;
    std::filesystem::path p = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : p.string();
}

bool g_toldMissing = false;

std::string ResourceDirLocked()
{
    if (!g_dirOverride.empty()) return g_dirOverride;
    std::string build, source;
#if defined(VYR_BUILD_DIR) && defined(VYR_DEFAULT_RESOURCE_DIR)
    build = VYR_BUILD_DIR;
    source = VYR_DEFAULT_RESOURCE_DIR;
#endif
    ResourceDirSearch found = SearchResourceDir(ModulePath(), std::getenv("VYR_RESOURCE_DIR"), build, source);
    if (found.dir.empty()) {
        if (!g_toldMissing) {
            g_toldMissing = true;
            std::string msg = "vyr: no resource folder (vyr.rc) found; looked in:";
            for (const auto& p : found.looked) msg += "\n  " + p;
            std::fprintf(stderr, "%s\n", msg.c_str());
        }
        return found.looked.empty() ? std::string() : found.looked.front();
    }
    return found.dir;
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

std::string LibraryDataDir() { return LibraryDataDir(ModulePath()); }

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
