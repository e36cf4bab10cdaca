#include <vyr/winfile.h>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
std::mutex g_pathMutex;
std::string g_appFolder;
std::string g_driveRoot;
thread_local DWORD t_lastError = 0;

std::string ProgramFolder()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return fs::current_path(ec).string();
    return exe.parent_path().string();
}

std::string AppFolderLocked()
{
    if (g_appFolder.empty()) {
        const char* env = std::getenv("VYR_APP_FOLDER");
        g_appFolder = env && *env ? env : ProgramFolder();
    }
    return g_appFolder;
}

bool Exists(const std::string& p)
{
    struct stat st;
    return ::lstat(p.c_str(), &st) == 0;
}

bool IEquals(const std::string& a, const char* b)
{
    size_t n = std::strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; i++) {
        unsigned char x = (unsigned char)a[i], y = (unsigned char)b[i];
        if (x < 0x80 && y < 0x80) {
            if (std::tolower(x) != std::tolower(y)) return false;
        } else if (x != y)
            return false;
    }
    return true;
}

// Replaces each name that does not exist as written by an existing entry of the same name
// in another case; the first name that matches nothing ends the search.
std::string MatchCase(const std::string& path)
{
    if (path.empty() || Exists(path)) return path;
    std::vector<std::string> parts;
    size_t i = 0;
    bool absolute = path[0] == '/';
    while (i < path.size()) {
        size_t j = path.find('/', i);
        if (j == std::string::npos) j = path.size();
        if (j > i) parts.push_back(path.substr(i, j - i));
        i = j + 1;
    }
    bool trailingSlash = path.back() == '/';
    std::string out = absolute ? "/" : "";
    bool searching = true;
    for (size_t k = 0; k < parts.size(); k++) {
        std::string cand = out + parts[k];
        if (searching && !Exists(cand) && parts[k] != "." && parts[k] != "..") {
            DIR* d = ::opendir(out.empty() ? "." : out.c_str());
            std::string found;
            if (d) {
                while (dirent* e = ::readdir(d)) {
                    if (IEquals(parts[k], e->d_name)) {
                        found = e->d_name;
                        break;
                    }
                }
                ::closedir(d);
            }
            if (found.empty())
                searching = false;
            else
                cand = out + found;
        }
        out = cand;
        if (k + 1 < parts.size() || trailingSlash) out += '/';
    }
    return out;
}

DWORD ErrnoToWin(int e)
{
    switch (e) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EROFS: return ERROR_WRITE_PROTECT;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOSPC: return ERROR_DISK_FULL;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENAMETOOLONG: return ERROR_INVALID_NAME;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    default: return ERROR_ACCESS_DENIED;
    }
}

// A missing file whose folder is missing too is "path not found", as on Windows.
DWORD MissingError(const std::string& mapped)
{
    fs::path parent = fs::path(mapped).parent_path();
    std::error_code ec;
    if (!parent.empty() && !fs::is_directory(parent, ec)) return ERROR_PATH_NOT_FOUND;
    return ERROR_FILE_NOT_FOUND;
}

BOOL FailErrno(int e, const std::string& mapped)
{
    t_lastError = e == ENOENT ? MissingError(mapped) : ErrnoToWin(e);
    return FALSE;
}

BOOL Succeed()
{
    t_lastError = ERROR_SUCCESS;
    return TRUE;
}
} // namespace

void VyrSetAppFolder(const char* linuxPath)
{
    std::lock_guard<std::mutex> lock(g_pathMutex);
    g_appFolder = linuxPath ? linuxPath : "";
    while (g_appFolder.size() > 1 && g_appFolder.back() == '/') g_appFolder.pop_back();
}

std::string VyrGetAppFolder()
{
    std::lock_guard<std::mutex> lock(g_pathMutex);
    return AppFolderLocked();
}

void VyrSetDriveRoot(const char* linuxPath)
{
    std::lock_guard<std::mutex> lock(g_pathMutex);
    g_driveRoot = linuxPath ? linuxPath : "";
    while (g_driveRoot.size() > 1 && g_driveRoot.back() == '/') g_driveRoot.pop_back();
}

std::string VyrGetDriveRoot()
{
    std::lock_guard<std::mutex> lock(g_pathMutex);
    return g_driveRoot.empty() ? AppFolderLocked() : g_driveRoot;
}

std::string VyrMapPath(const char* path)
{
    if (!path || !*path) return std::string();
    std::string p(path);
    std::string base;   // Linux folder the rest of the path is below
    size_t rest = 0;    // start of the rest in p
    bool isAlpha = (p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z');
    if (p.size() >= 2 && isAlpha && p[1] == ':') {
        char drive = (char)std::toupper((unsigned char)p[0]);
        base = drive == 'Z' ? std::string("/") : VyrGetDriveRoot() + "/" + drive + "/";
        rest = 2;
    } else if (p[0] == '\\') {
        base = VyrGetAppFolder() + "/";
        rest = 1;
    } else if (p[0] == '/') {
        base = "/";
        rest = 1;
    }
    std::string tail;
    tail.reserve(p.size());
    for (size_t i = rest; i < p.size(); i++) {
        char c = p[i] == '\\' ? '/' : p[i];
        if (c == '/' && (tail.empty() ? !base.empty() : tail.back() == '/')) continue;
        tail += c;
    }
    std::string out = base + tail;
    if (out.size() > 1 && out.back() == '/' && tail.empty() && !base.empty() && base != "/") out.pop_back();
    return MatchCase(out);
}

std::string VyrWindowsPath(const char* linuxPath)
{
    if (!linuxPath) return std::string();
    std::string s(linuxPath);
    if (!s.empty() && s[0] == '/') s = "Z:" + s;
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

DWORD GetLastError() { return t_lastError; }
void SetLastError(DWORD dwErrCode) { t_lastError = dwErrCode; }

BOOL CopyFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists)
{
    std::string src = VyrMapPath(lpExistingFileName), dst = VyrMapPath(lpNewFileName);
    std::error_code ec;
    if (!fs::is_regular_file(src, ec)) {
        t_lastError = Exists(src) ? ERROR_ACCESS_DENIED : MissingError(src);
        return FALSE;
    }
    if (Exists(dst)) {
        if (bFailIfExists) {
            t_lastError = ERROR_FILE_EXISTS;
            return FALSE;
        }
        if (fs::equivalent(src, dst, ec)) return Succeed();
    }
    fs::copy_file(src, dst, fs::copy_options::overwrite_existing, ec);
    if (ec) return FailErrno(ec.value(), dst);
    return Succeed();
}

BOOL DeleteFile(LPCSTR lpFileName)
{
    std::string p = VyrMapPath(lpFileName);
    struct stat st;
    if (::lstat(p.c_str(), &st) != 0) return FailErrno(errno, p);
    if (S_ISDIR(st.st_mode)) {
        t_lastError = ERROR_ACCESS_DENIED;
        return FALSE;
    }
    if (::unlink(p.c_str()) != 0) return FailErrno(errno, p);
    return Succeed();
}

BOOL MoveFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName)
{
    std::string src = VyrMapPath(lpExistingFileName), dst = VyrMapPath(lpNewFileName);
    if (!Exists(src)) {
        t_lastError = MissingError(src);
        return FALSE;
    }
    if (Exists(dst)) { // MoveFile never replaces
        t_lastError = ERROR_ALREADY_EXISTS;
        return FALSE;
    }
    std::error_code ec;
    fs::rename(src, dst, ec);
    if (ec) return FailErrno(ec.value(), dst);
    return Succeed();
}

BOOL CreateDirectory(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES)
{
    std::string p = VyrMapPath(lpPathName);
    if (p.empty()) {
        t_lastError = ERROR_PATH_NOT_FOUND;
        return FALSE;
    }
    if (::mkdir(p.c_str(), 0777) != 0) {
        int e = errno;
        t_lastError = e == ENOENT ? ERROR_PATH_NOT_FOUND : ErrnoToWin(e);
        return FALSE;
    }
    return Succeed();
}

BOOL RemoveDirectory(LPCSTR lpPathName)
{
    std::string p = VyrMapPath(lpPathName);
    if (::rmdir(p.c_str()) != 0) return FailErrno(errno, p);
    return Succeed();
}

DWORD GetFileAttributes(LPCSTR lpFileName)
{
    std::string p = VyrMapPath(lpFileName);
    struct stat st;
    if (p.empty() || ::stat(p.c_str(), &st) != 0) {
        t_lastError = p.empty() ? ERROR_PATH_NOT_FOUND : (errno == ENOENT ? MissingError(p) : ErrnoToWin(errno));
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD a = 0;
    if (S_ISDIR(st.st_mode)) a |= FILE_ATTRIBUTE_DIRECTORY;
    if (::access(p.c_str(), W_OK) != 0 && errno != ENOENT) a |= FILE_ATTRIBUTE_READONLY;
    std::string name = fs::path(p).filename().string();
    if (!name.empty() && name[0] == '.' && name != "." && name != "..") a |= FILE_ATTRIBUTE_HIDDEN;
    if (!S_ISDIR(st.st_mode)) a |= FILE_ATTRIBUTE_ARCHIVE;
    t_lastError = ERROR_SUCCESS;
    return a;
}

DWORD GetModuleFileName(HMODULE, LPSTR lpFilename, DWORD nSize)
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || !lpFilename || nSize == 0) {
        t_lastError = ERROR_INVALID_PARAMETER;
        return 0;
    }
    std::string w = VyrWindowsPath(exe.string().c_str());
    if (w.size() >= nSize) { // truncated, terminated, as the API does
        std::memcpy(lpFilename, w.data(), nSize - 1);
        lpFilename[nSize - 1] = '\0';
        t_lastError = ERROR_INSUFFICIENT_BUFFER;
        return nSize;
    }
    std::memcpy(lpFilename, w.c_str(), w.size() + 1);
    t_lastError = ERROR_SUCCESS;
    return (DWORD)w.size();
}

int _access(const char* path, int mode)
{
    std::string p = VyrMapPath(path);
    int m = F_OK;
    if (mode & 2) m |= W_OK;
    if (mode & 4) m |= R_OK;
    return ::access(p.c_str(), m) == 0 ? 0 : -1;
}

FILE* VyrFopen(const char* path, const char* mode)
{
    if (!path || !mode) {
        errno = EINVAL;
        return nullptr;
    }
    std::string m;
    for (const char* c = mode; *c; c++)
        if (*c != 't') m += *c;
    std::string p = VyrMapPath(path);
    return std::fopen(p.c_str(), m.c_str());
}

int VyrRemove(const char* path) { return std::remove(VyrMapPath(path).c_str()); }
int VyrRename(const char* oldPath, const char* newPath)
{
    return std::rename(VyrMapPath(oldPath).c_str(), VyrMapPath(newPath).c_str());
}
int _mkdir(const char* path) { return ::mkdir(VyrMapPath(path).c_str(), 0777); }
int _rmdir(const char* path) { return ::rmdir(VyrMapPath(path).c_str()); }
int _unlink(const char* path) { return ::unlink(VyrMapPath(path).c_str()); }

namespace {

// A global block: its bytes and lock count. Handles are the blocks' addresses, known to the
// table so that a stray handle is refused rather than freed.
struct GlobalBlock
{
    std::vector<unsigned char> bytes;
    int locks = 0;
};
std::mutex g_globalMutex;
std::unordered_map<HGLOBAL, std::unique_ptr<GlobalBlock>>& GlobalBlocks()
{
    static std::unordered_map<HGLOBAL, std::unique_ptr<GlobalBlock>> blocks;
    return blocks;
}
GlobalBlock* FindBlock(HGLOBAL h)
{
    auto it = GlobalBlocks().find(h);
    return it == GlobalBlocks().end() ? nullptr : it->second.get();
}

} // namespace

HGLOBAL GlobalAlloc(UINT, size_t dwBytes)
{
    auto block = std::make_unique<GlobalBlock>();
    try {
        block->bytes.assign(dwBytes, 0); // always cleared: GMEM_ZEROINIT costs nothing extra
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(g_globalMutex);
    HGLOBAL h = block.get();
    GlobalBlocks()[h] = std::move(block);
    return h;
}

LPVOID GlobalLock(HGLOBAL hMem)
{
    std::lock_guard<std::mutex> lock(g_globalMutex);
    GlobalBlock* b = FindBlock(hMem);
    if (!b)
        return nullptr;
    ++b->locks;
    return b->bytes.data();
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    std::lock_guard<std::mutex> lock(g_globalMutex);
    GlobalBlock* b = FindBlock(hMem);
    if (!b || b->locks == 0)
        return FALSE;
    return --b->locks > 0 ? TRUE : FALSE;
}

size_t GlobalSize(HGLOBAL hMem)
{
    std::lock_guard<std::mutex> lock(g_globalMutex);
    GlobalBlock* b = FindBlock(hMem);
    return b ? b->bytes.size() : 0;
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    std::lock_guard<std::mutex> lock(g_globalMutex);
    return GlobalBlocks().erase(hMem) ? nullptr : hMem;
}
