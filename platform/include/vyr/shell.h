// Starting programs, the shell's file associations and run-time loaded modules.
//
// No Windows program runs here. WinExec and ShellExecuteA record what would have been
// started (vyr::ProcessLaunches) and answer as Windows does: success (a value above 31)
// when the program or document exists at its mapped path, "file not found" otherwise.
// FindExecutableA answers from an association table that the host or a test fills
// (vyr::SetFileAssociation); an extension with no entry answers SE_ERR_NOASSOC (31).
// LoadLibrary finds modules registered in the process by file name (vyr::RegisterModule),
// compared without regard to case as Windows does; GetProcAddress looks their exported
// functions up by name.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <vyr/wintypes.h>

#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_NOASSOC 31
#define ERROR_BAD_FORMAT 11L
#define ERROR_MOD_NOT_FOUND 126L
#define ERROR_PROC_NOT_FOUND 127L

// void(*)() so that callers cast it to the function's own type without a warning.
typedef void (*FARPROC)();

// The program is the first word of the command line (or the quoted text that starts it).
UINT WinExec(LPCSTR lpCmdLine, UINT uCmdShow);
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT nShowCmd);
// lpResult receives the program (MAX_PATH bytes); empty when the answer is 31 or less.
HINSTANCE FindExecutableA(LPCSTR lpFile, LPCSTR lpDirectory, LPSTR lpResult);
inline HINSTANCE ShellExecute(HWND h, LPCSTR op, LPCSTR f, LPCSTR p, LPCSTR d, INT s)
{
    return ShellExecuteA(h, op, f, p, d, s);
}
inline HINSTANCE FindExecutable(LPCSTR f, LPCSTR d, LPSTR r) { return FindExecutableA(f, d, r); }

// Null (ERROR_MOD_NOT_FOUND) when no module of that file name is registered; each load
// takes a reference that FreeLibrary gives back.
HMODULE LoadLibrary(LPCSTR lpLibFileName);
inline HMODULE LoadLibraryA(LPCSTR lpLibFileName) { return LoadLibrary(lpLibFileName); }
BOOL FreeLibrary(HMODULE hLibModule);
// Null (ERROR_PROC_NOT_FOUND) for a name the module does not export, and for a module
// that is not loaded.
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);

namespace vyr {

struct ProcessLaunch
{
    std::string how;        // "WinExec" or "ShellExecute"
    std::string program;    // WinExec: the command line's program; ShellExecute: the file
    std::string commandLine; // WinExec: the whole line; ShellExecute: the parameters
    std::string operation;  // ShellExecute's verb ("open"), empty for WinExec
    std::string directory;
    int show = 0;
    bool started = false;   // what the call answered
};

// Every launch since the last reset, in order.
std::vector<ProcessLaunch> ProcessLaunches();
void ResetProcessLaunches();

// The program FindExecutableA answers for files ending in extension (".txt"; case is
// ignored). An empty program removes the entry.
void SetFileAssociation(const char* extension, const char* program);
void ClearFileAssociations();

// Makes a module loadable by its file name (the name without folders, e.g. "Querport.dll").
// Registering a name again replaces its exports; a module that is loaded keeps its handle.
void RegisterModule(const char* fileName, const std::map<std::string, FARPROC>& exports);
void UnregisterModule(const char* fileName);
// How many loads of the module are not yet freed.
int ModuleLoadCount(const char* fileName);

} // namespace vyr
