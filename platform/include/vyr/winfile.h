// Windows-style paths on the Linux file system. The library builds paths the Windows way
// ("C:\\Proj\\a.sec", GetAppPath() + "\\DataBase\\x.sdb"); VyrMapPath is the one place
// that turns them into Linux paths:
//   - "\" separators become "/", repeated separators collapse;
//   - "Z:\..." is the Linux root ("Z:\home\u" -> "/home/u"), the form in which the
//     application folder is handed out (VyrWindowsPath);
//   - another drive letter "C:\x" maps to <drive root>/C/x (drive root configurable,
//     default the application folder);
//   - a drive-less absolute path "\DataBase\x" maps below the application folder;
//   - a path that starts with "/" is already a Linux path and is kept;
//   - a relative path stays relative to the current folder;
//   - each name that does not exist as written is matched without regard to case (ASCII
//     letters) against the existing entries, as on a Windows file system.
// The file functions below take such paths and report failures through GetLastError()
// with Windows error codes.
#pragma once

#include <cstdio>
#include <string>

#include <vyr/wintypes.h>

#ifndef MAX_PATH
#define MAX_PATH 260
#endif
#ifndef _MAX_PATH
#define _MAX_PATH 260
#endif
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)
#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080

#define ERROR_SUCCESS 0L
#define NO_ERROR 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_PATH_NOT_FOUND 3L
#define ERROR_TOO_MANY_OPEN_FILES 4L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_WRITE_PROTECT 19L
#define ERROR_SHARING_VIOLATION 32L
#define ERROR_HANDLE_DISK_FULL 39L
#define ERROR_FILE_EXISTS 80L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_NO_MORE_FILES 18L
#define ERROR_DISK_FULL 112L
#define ERROR_INVALID_NAME 123L
#define ERROR_DIR_NOT_EMPTY 145L
#define ERROR_INSUFFICIENT_BUFFER 122L
#define ERROR_ALREADY_EXISTS 183L

struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

// The application folder as a Linux path. Default: $VYR_APP_FOLDER when set, otherwise
// the folder of the running program.
void VyrSetAppFolder(const char* linuxPath);
std::string VyrGetAppFolder();
// Where drive letters other than Z: live: <root>/<letter>/... Default: the application folder.
void VyrSetDriveRoot(const char* linuxPath);
std::string VyrGetDriveRoot();

// The Linux path of a Windows-style (or Linux) path; see above.
std::string VyrMapPath(const char* path);
// The Windows-style form of a Linux absolute path ("/a/b" -> "Z:\a\b").
std::string VyrWindowsPath(const char* linuxPath);

DWORD GetLastError();
void SetLastError(DWORD dwErrCode);

BOOL CopyFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists);
BOOL DeleteFile(LPCSTR lpFileName);
BOOL MoveFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName);
// Fails (ERROR_ALREADY_EXISTS) when the folder exists and (ERROR_PATH_NOT_FOUND) when its
// parent does not.
BOOL CreateDirectory(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
BOOL RemoveDirectory(LPCSTR lpPathName);
DWORD GetFileAttributes(LPCSTR lpFileName);
// The program's own path as a Windows-style path; hModule is ignored.
DWORD GetModuleFileName(HMODULE hModule, LPSTR lpFilename, DWORD nSize);

inline BOOL CopyFileA(LPCSTR a, LPCSTR b, BOOL f) { return CopyFile(a, b, f); }
inline BOOL DeleteFileA(LPCSTR a) { return DeleteFile(a); }
inline BOOL MoveFileA(LPCSTR a, LPCSTR b) { return MoveFile(a, b); }
inline BOOL CreateDirectoryA(LPCSTR a, LPSECURITY_ATTRIBUTES s) { return CreateDirectory(a, s); }
inline BOOL RemoveDirectoryA(LPCSTR a) { return RemoveDirectory(a); }
inline DWORD GetFileAttributesA(LPCSTR a) { return GetFileAttributes(a); }
inline DWORD GetModuleFileNameA(HMODULE h, LPSTR s, DWORD n) { return GetModuleFileName(h, s, n); }

// Global memory blocks, as the clipboard and the bitmap conversions hand them over: a handle
// owns its bytes until GlobalFree. Locking gives their address (no moving memory here, so
// the lock count is kept only to answer GlobalUnlock); GMEM_ZEROINIT clears them.
#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
HGLOBAL GlobalAlloc(UINT uFlags, size_t dwBytes);
LPVOID GlobalLock(HGLOBAL hMem);
// FALSE once the block is no longer locked.
BOOL GlobalUnlock(HGLOBAL hMem);
size_t GlobalSize(HGLOBAL hMem);
// Null on success, the handle when it is not one GlobalAlloc gave.
HGLOBAL GlobalFree(HGLOBAL hMem);

// C run-time calls on Windows-style paths. mode: 0 exists, 2 writable, 4 readable, 6 both;
// 0 when allowed, -1 otherwise.
int _access(const char* path, int mode);
// fopen on a mapped path. The library calls VyrFopen wherever the original called fopen
// with a Windows path; the "t" (text) mode letter is accepted and ignored. The stream is
// an ordinary FILE* (fprintf, fscanf, fclose work on it); bytes are not converted.
FILE* VyrFopen(const char* path, const char* mode);
int VyrRemove(const char* path);
int VyrRename(const char* oldPath, const char* newPath);
int _mkdir(const char* path);
int _rmdir(const char* path);
int _unlink(const char* path);
