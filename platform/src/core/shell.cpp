// Program starts, file associations and registered modules (see shell.h).
#include <vyr/shell.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>

#include <vyr/winfile.h>

namespace {

std::mutex g_mutex;
std::vector<vyr::ProcessLaunch> g_launches;
std::map<std::string, std::string> g_assoc; // lower-case extension -> program

struct Module
{
    std::string fileName;
    std::map<std::string, FARPROC> exports;
    int loads = 0;
    bool registered = true;
};
// Handles are the modules' addresses; a module stays allocated while it is loaded.
std::vector<std::unique_ptr<Module>> g_modules;

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    return s;
}

std::string BaseName(const char* path)
{
    std::string p = path ? path : "";
    size_t cut = p.find_last_of("\\/:");
    return cut == std::string::npos ? p : p.substr(cut + 1);
}

bool IsFileAt(const std::string& windowsPath)
{
    if (windowsPath.empty()) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(VyrMapPath(windowsPath.c_str()), ec);
}

// The program of a command line: the quoted text that starts it, else its first word.
std::string ProgramOf(const std::string& cmd)
{
    size_t b = cmd.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    if (cmd[b] == '"') {
        size_t e = cmd.find('"', b + 1);
        return cmd.substr(b + 1, e == std::string::npos ? std::string::npos : e - b - 1);
    }
    size_t e = cmd.find_first_of(" \t", b);
    return cmd.substr(b, e == std::string::npos ? std::string::npos : e - b);
}

std::string JoinDir(const char* dir, const char* file)
{
    std::string f = file ? file : "";
    bool absolute = !f.empty() && (f[0] == '\\' || f[0] == '/' || (f.size() > 1 && f[1] == ':'));
    if (absolute || !dir || !*dir) return f;
    std::string d = dir;
    if (d.back() != '\\' && d.back() != '/') d += '\\';
    return d + f;
}

Module* FindLoaded(HMODULE h)
{
    for (auto& m : g_modules)
        if ((HMODULE)m.get() == h && m->loads > 0) return m.get();
    return nullptr;
}

} // namespace

UINT WinExec(LPCSTR lpCmdLine, UINT uCmdShow)
{
    vyr::ProcessLaunch l;
    l.how = "WinExec";
    l.commandLine = lpCmdLine ? lpCmdLine : "";
    l.program = ProgramOf(l.commandLine);
    l.show = (int)uCmdShow;
    l.started = IsFileAt(l.program);
    std::lock_guard<std::mutex> lk(g_mutex);
    g_launches.push_back(l);
    return l.started ? 33u : (UINT)ERROR_FILE_NOT_FOUND;
}

HINSTANCE ShellExecuteA(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT nShowCmd)
{
    vyr::ProcessLaunch l;
    l.how = "ShellExecute";
    l.program = lpFile ? lpFile : "";
    l.commandLine = lpParameters ? lpParameters : "";
    l.operation = lpOperation ? lpOperation : "open";
    l.directory = lpDirectory ? lpDirectory : "";
    l.show = nShowCmd;
    l.started = IsFileAt(JoinDir(lpDirectory, lpFile));
    std::lock_guard<std::mutex> lk(g_mutex);
    g_launches.push_back(l);
    return (HINSTANCE)(INT_PTR)(l.started ? 33 : SE_ERR_FNF);
}

HINSTANCE FindExecutableA(LPCSTR lpFile, LPCSTR lpDirectory, LPSTR lpResult)
{
    if (lpResult) *lpResult = '\0';
    std::string path = JoinDir(lpDirectory, lpFile);
    if (!IsFileAt(path)) return (HINSTANCE)(INT_PTR)SE_ERR_FNF;
    std::string name = BaseName(path.c_str());
    size_t dot = name.rfind('.');
    std::string program;
    {
        std::lock_guard<std::mutex> lk(g_mutex);
        auto it = dot == std::string::npos ? g_assoc.end() : g_assoc.find(Lower(name.substr(dot)));
        if (it != g_assoc.end()) program = it->second;
    }
    if (program.empty()) return (HINSTANCE)(INT_PTR)SE_ERR_NOASSOC;
    if (lpResult) {
        size_t n = std::min(program.size(), (size_t)MAX_PATH - 1);
        std::memcpy(lpResult, program.data(), n);
        lpResult[n] = '\0';
    }
    return (HINSTANCE)(INT_PTR)42;
}

HMODULE LoadLibrary(LPCSTR lpLibFileName)
{
    std::string key = Lower(BaseName(lpLibFileName));
    std::lock_guard<std::mutex> lk(g_mutex);
    for (auto& m : g_modules)
        if (m->registered && Lower(m->fileName) == key) {
            ++m->loads;
            return (HMODULE)m.get();
        }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

BOOL FreeLibrary(HMODULE hLibModule)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Module* m = FindLoaded(hLibModule);
    if (!m) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (--m->loads == 0 && !m->registered)
        g_modules.erase(std::find_if(g_modules.begin(), g_modules.end(), [m](auto& p) { return p.get() == m; }));
    return TRUE;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    std::lock_guard<std::mutex> lk(g_mutex);
    Module* m = FindLoaded(hModule);
    if (!m) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    auto it = lpProcName ? m->exports.find(lpProcName) : m->exports.end();
    if (it == m->exports.end()) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return it->second;
}

namespace vyr {

std::vector<ProcessLaunch> ProcessLaunches()
{
    std::lock_guard<std::mutex> lk(g_mutex);
    return g_launches;
}

void ResetProcessLaunches()
{
    std::lock_guard<std::mutex> lk(g_mutex);
    g_launches.clear();
}

void SetFileAssociation(const char* extension, const char* program)
{
    std::string ext = Lower(extension ? extension : "");
    if (!ext.empty() && ext[0] != '.') ext = "." + ext;
    std::lock_guard<std::mutex> lk(g_mutex);
    if (program && *program) g_assoc[ext] = program;
    else g_assoc.erase(ext);
}

void ClearFileAssociations()
{
    std::lock_guard<std::mutex> lk(g_mutex);
    g_assoc.clear();
}

void RegisterModule(const char* fileName, const std::map<std::string, FARPROC>& exports)
{
    std::string key = Lower(BaseName(fileName));
    std::lock_guard<std::mutex> lk(g_mutex);
    for (auto& m : g_modules)
        if (m->registered && Lower(m->fileName) == key) {
            m->exports = exports;
            return;
        }
    auto m = std::make_unique<Module>();
    m->fileName = BaseName(fileName);
    m->exports = exports;
    g_modules.push_back(std::move(m));
}

void UnregisterModule(const char* fileName)
{
    std::string key = Lower(BaseName(fileName));
    std::lock_guard<std::mutex> lk(g_mutex);
    for (auto it = g_modules.begin(); it != g_modules.end(); ++it)
        if ((*it)->registered && Lower((*it)->fileName) == key) {
            // A loaded module lives on under its handle until its last FreeLibrary.
            if ((*it)->loads > 0) (*it)->registered = false;
            else g_modules.erase(it);
            return;
        }
}

int ModuleLoadCount(const char* fileName)
{
    std::string key = Lower(BaseName(fileName));
    std::lock_guard<std::mutex> lk(g_mutex);
    for (auto& m : g_modules)
        if (m->registered && Lower(m->fileName) == key) return m->loads;
    return 0;
}

} // namespace vyr
