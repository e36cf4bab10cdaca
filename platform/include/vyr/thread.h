// Threads and synchronisation objects: CWinThread and AfxBeginThread (worker form), kernel
// handles that can be waited on, critical sections, events and locks.
//
// Every thread has a message queue (created with the thread, so that a PostThreadMessage
// right after AfxBeginThread is never lost). Handles are registered objects: waiting on a
// closed handle answers WAIT_FAILED instead of touching freed memory.
#pragma once

#include <vyr/wnd.h>

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    // Signalled when the thread ends; closed when the object is deleted.
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    // Deleted on its own thread after the thread function returns.
    BOOL m_bAutoDelete = TRUE;
    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

    operator HANDLE() const { return m_hThread; }

    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPVOID lpSecurityAttrs = nullptr);
    DWORD ResumeThread();
    BOOL SetThreadPriority(int nPriority);
    int GetThreadPriority() const;
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The host's main window: this thread's own, else the application's.
    virtual CWnd* GetMainWnd();
    // The application thread's message loop (the worker form never runs it).
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
    virtual int Run();
    virtual BOOL PumpMessage();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL OnIdle(LONG) { return FALSE; }

private:
    int m_nPriority = THREAD_PRIORITY_NORMAL;
    friend struct VyrThreadAccess;
};

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0, LPVOID lpSecurityAttrs = nullptr);
// The CWinThread of the calling thread; the application on the user-interface thread.
CWinThread* AfxGetThread();

DWORD GetCurrentThreadId();
// Handles of kernel objects.
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
BOOL CloseHandle(HANDLE hObject);
BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);
HANDLE CreateEvent(LPVOID lpEventAttributes, BOOL bManualReset, BOOL bInitialState, LPCTSTR lpName);
BOOL SetEvent(HANDLE hEvent);
BOOL ResetEvent(HANDLE hEvent);
void Sleep(DWORD dwMilliseconds);
LONG InterlockedIncrement(LONG volatile* lpAddend);
LONG InterlockedDecrement(LONG volatile* lpAddend);
LONG InterlockedExchange(LONG volatile* target, LONG value);

class CSyncObject : public CObject
{
    DECLARE_DYNAMIC(CSyncObject)
public:
    ~CSyncObject() override;
    HANDLE m_hObject = nullptr;
    operator HANDLE() const { return m_hObject; }
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;

protected:
    CSyncObject() = default;
};

// Recursive, like the Win32 critical section.
class CCriticalSection : public CSyncObject
{
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    ~CCriticalSection() override;
    BOOL Lock(DWORD dwTimeout = INFINITE) override;
    BOOL Unlock() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

class CMutex : public CSyncObject
{
    DECLARE_DYNAMIC(CMutex)
public:
    explicit CMutex(BOOL bInitiallyOwn = FALSE, LPCTSTR lpszName = nullptr, LPVOID lpsaAttribute = nullptr);
    ~CMutex() override;
    BOOL Lock(DWORD dwTimeout = INFINITE) override;
    BOOL Unlock() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

class CEvent : public CSyncObject
{
    DECLARE_DYNAMIC(CEvent)
public:
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = nullptr,
                    LPVOID lpsaAttribute = nullptr);
    BOOL SetEvent();
    BOOL ResetEvent();
    BOOL PulseEvent();
    BOOL Unlock() override { return TRUE; }
};

class CSingleLock
{
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock();
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;
    BOOL Lock(DWORD dwTimeOut = INFINITE);
    BOOL Unlock();
    BOOL IsLocked() const { return m_bAcquired; }

private:
    CSyncObject* m_pObject;
    BOOL m_bAcquired = FALSE;
};
