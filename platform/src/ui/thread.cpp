// Threads, kernel handles and synchronisation objects.
#include <chrono>
#include <map>
#include <thread>

#include <vyr/app.h>
#include "uiimpl.h"
#include <vyr/vyrdiag.h>

namespace {

// A waitable object: threads and events.
struct KernelObject
{
    std::mutex m;
    std::condition_variable cv;
    bool signaled = false;
    bool manualReset = true;
    DWORD exitCode = STILL_ACTIVE;
};

struct HandleTable
{
    std::mutex m;
    std::map<HANDLE, std::shared_ptr<KernelObject>> objects;
    ULONG_PTR next = 0x1000;
};

HandleTable& Handles()
{
    static auto* t = new HandleTable; // outlives static destructors that close handles
    return *t;
}

HANDLE NewHandle(std::shared_ptr<KernelObject> obj)
{
    auto& t = Handles();
    std::lock_guard<std::mutex> lk(t.m);
    HANDLE h = (HANDLE)(t.next += 4);
    t.objects[h] = std::move(obj);
    return h;
}

std::shared_ptr<KernelObject> Object(HANDLE h)
{
    auto& t = Handles();
    std::lock_guard<std::mutex> lk(t.m);
    auto it = t.objects.find(h);
    return it == t.objects.end() ? nullptr : it->second;
}

void Signal(const std::shared_ptr<KernelObject>& o, bool on)
{
    {
        std::lock_guard<std::mutex> lk(o->m);
        o->signaled = on;
    }
    o->cv.notify_all();
}

thread_local CWinThread* t_thread = nullptr;

} // namespace

struct VyrThreadAccess
{
    static void Start(CWinThread* t, std::shared_ptr<vyr::ui::ThreadQueue> q, std::shared_ptr<KernelObject> obj,
                      std::shared_ptr<KernelObject> resume)
    {
        std::thread([t, q, obj, resume]() {
            vyr::ui::BindCurrentThread(q);
            {
                std::unique_lock<std::mutex> lk(resume->m);
                resume->cv.wait(lk, [&] { return resume->signaled; });
            }
            t_thread = t;
            q->thread = t;
            UINT code = t->m_pfnThreadProc ? t->m_pfnThreadProc(t->m_pThreadParams) : (UINT)t->Run();
            t_thread = nullptr;
            if (t->m_bAutoDelete)
                delete t;
            vyr::ui::EndCurrentThread();
            {
                std::lock_guard<std::mutex> lk(obj->m);
                obj->exitCode = code;
                obj->signaled = true;
            }
            obj->cv.notify_all();
        }).detach();
    }
};

// ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {
// The resume gate of each created thread, by thread handle.
std::map<HANDLE, std::shared_ptr<KernelObject>>& ResumeGates()
{
    static auto* g = new std::map<HANDLE, std::shared_ptr<KernelObject>>;
    return *g;
}
std::mutex& GateLock()
{
    static auto* m = new std::mutex;
    return *m;
}
} // namespace

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread) {
        {
            std::lock_guard<std::mutex> lk(GateLock());
            ResumeGates().erase(m_hThread);
        }
        ::CloseHandle(m_hThread);
    }
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT, LPVOID)
{
    VYR_CHECK(m_hThread == nullptr, "CWinThread::CreateThread: the thread exists already");
    auto obj = std::make_shared<KernelObject>();
    auto resume = std::make_shared<KernelObject>();
    auto q = vyr::ui::NewQueue();
    m_hThread = NewHandle(obj);
    m_nThreadID = q->id;
    {
        std::lock_guard<std::mutex> lk(GateLock());
        ResumeGates()[m_hThread] = resume;
    }
    VyrThreadAccess::Start(this, q, obj, resume);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ResumeThread();
    return TRUE;
}

DWORD CWinThread::ResumeThread()
{
    std::shared_ptr<KernelObject> gate;
    {
        std::lock_guard<std::mutex> lk(GateLock());
        auto it = ResumeGates().find(m_hThread);
        if (it == ResumeGates().end())
            return (DWORD)-1;
        gate = it->second;
        ResumeGates().erase(it);
    }
    Signal(gate, true);
    return 1;
}

BOOL CWinThread::SetThreadPriority(int nPriority)
{
    m_nPriority = nPriority;
    return TRUE;
}

int CWinThread::GetThreadPriority() const { return m_nPriority; }

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostThreadMessage(m_nThreadID, message, wParam, lParam);
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd)
        return m_pActiveWnd;
    if (m_pMainWnd)
        return m_pMainWnd;
    CWinApp* app = AfxGetApp();
    return app && app != this ? app->m_pMainWnd : nullptr;
}

int CWinThread::Run()
{
    for (;;) {
        if (!PumpMessage())
            return ExitInstance();
    }
}

BOOL CWinThread::PumpMessage()
{
    MSG msg;
    if (!::GetMessage(&msg, nullptr, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) { return vyr::ui::WalkPreTranslate(pMsg) ? TRUE : FALSE; }

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPVOID lpSecurityAttrs)
{
    auto* t = new CWinThread(pfnThreadProc, pParam);
    t->SetThreadPriority(nPriority);
    t->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        t->ResumeThread();
    return t;
}

CWinThread* AfxGetThread() { return t_thread ? t_thread : AfxGetApp(); }

DWORD GetCurrentThreadId() { return vyr::ui::CurrentQueue()->id; }

namespace {
// How long a thread may wait on an object while another thread's SendMessage to it waits
// unanswered: on Windows that is a hang for good; here it stops the program with a message.
constexpr auto kSendDeadlock = std::chrono::seconds(2);

bool SendsWaiting(const std::shared_ptr<vyr::ui::ThreadQueue>& q)
{
    std::lock_guard<std::mutex> lk(q->m);
    return !q->sent.empty();
}
} // namespace

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    auto o = Object(hHandle);
    if (!o)
        return WAIT_FAILED;
    auto me = vyr::ui::CurrentQueue();
    auto start = std::chrono::steady_clock::now();
    auto until = start + std::chrono::milliseconds(dwMilliseconds);
    auto blockedSince = start;
    bool blocked = false;
    std::unique_lock<std::mutex> lk(o->m);
    auto ready = [&] { return o->signaled; };
    for (;;) {
        auto now = std::chrono::steady_clock::now();
        if (ready())
            break;
        if (dwMilliseconds != INFINITE && now >= until)
            return WAIT_TIMEOUT;
        lk.unlock();
        bool waiting = SendsWaiting(me);
        lk.lock();
        if (!waiting) {
            blocked = false;
        } else if (!blocked) {
            blocked = true;
            blockedSince = now;
        } else if (now - blockedSince > kSendDeadlock) {
            VyrFatal("deadlock: this thread waits on an object while another thread's SendMessage to one of its "
                     "windows waits for an answer",
                     __FILE__, __LINE__);
        }
        auto slice = now + std::chrono::milliseconds(50);
        o->cv.wait_until(lk, dwMilliseconds == INFINITE || slice < until ? slice : until, ready);
    }
    if (!o->manualReset)
        o->signaled = false;
    return WAIT_OBJECT_0;
}

BOOL CloseHandle(HANDLE hObject)
{
    auto& t = Handles();
    std::lock_guard<std::mutex> lk(t.m);
    return t.objects.erase(hObject) ? TRUE : FALSE;
}

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode)
{
    auto o = Object(hThread);
    if (!o)
        return FALSE;
    std::lock_guard<std::mutex> lk(o->m);
    *lpExitCode = o->exitCode;
    return TRUE;
}

HANDLE CreateEvent(LPVOID, BOOL bManualReset, BOOL bInitialState, LPCTSTR)
{
    auto o = std::make_shared<KernelObject>();
    o->manualReset = bManualReset != FALSE;
    o->signaled = bInitialState != FALSE;
    return NewHandle(o);
}

BOOL SetEvent(HANDLE hEvent)
{
    auto o = Object(hEvent);
    if (!o)
        return FALSE;
    Signal(o, true);
    return TRUE;
}

BOOL ResetEvent(HANDLE hEvent)
{
    auto o = Object(hEvent);
    if (!o)
        return FALSE;
    Signal(o, false);
    return TRUE;
}

void Sleep(DWORD dwMilliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds)); }

LONG InterlockedIncrement(LONG volatile* lpAddend) { return __atomic_add_fetch(lpAddend, 1, __ATOMIC_SEQ_CST); }

LONG InterlockedDecrement(LONG volatile* lpAddend) { return __atomic_sub_fetch(lpAddend, 1, __ATOMIC_SEQ_CST); }

LONG InterlockedExchange(LONG volatile* target, LONG value)
{
    return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}

// ---------------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)
IMPLEMENT_DYNAMIC(CMutex, CSyncObject)
IMPLEMENT_DYNAMIC(CEvent, CSyncObject)

CSyncObject::~CSyncObject()
{
    if (m_hObject)
        ::CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD dwTimeout) { return ::WaitForSingleObject(m_hObject, dwTimeout) == WAIT_OBJECT_0; }

struct CCriticalSection::Impl
{
    std::recursive_timed_mutex m;
};

CCriticalSection::CCriticalSection() : m_impl(std::make_unique<Impl>()) {}
CCriticalSection::~CCriticalSection() = default;

BOOL CCriticalSection::Lock(DWORD dwTimeout)
{
    if (dwTimeout == INFINITE) {
        m_impl->m.lock();
        return TRUE;
    }
    return m_impl->m.try_lock_for(std::chrono::milliseconds(dwTimeout)) ? TRUE : FALSE;
}

BOOL CCriticalSection::Unlock()
{
    m_impl->m.unlock();
    return TRUE;
}

struct CMutex::Impl
{
    std::recursive_timed_mutex m;
};

CMutex::CMutex(BOOL bInitiallyOwn, LPCTSTR, LPVOID) : m_impl(std::make_unique<Impl>())
{
    if (bInitiallyOwn)
        m_impl->m.lock();
}
CMutex::~CMutex() = default;

BOOL CMutex::Lock(DWORD dwTimeout)
{
    if (dwTimeout == INFINITE) {
        m_impl->m.lock();
        return TRUE;
    }
    return m_impl->m.try_lock_for(std::chrono::milliseconds(dwTimeout)) ? TRUE : FALSE;
}

BOOL CMutex::Unlock()
{
    m_impl->m.unlock();
    return TRUE;
}

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCTSTR, LPVOID)
{
    m_hObject = ::CreateEvent(nullptr, bManualReset, bInitiallyOwn, nullptr);
}

BOOL CEvent::SetEvent() { return ::SetEvent(m_hObject); }
BOOL CEvent::ResetEvent() { return ::ResetEvent(m_hObject); }
BOOL CEvent::PulseEvent()
{
    ::SetEvent(m_hObject);
    return ::ResetEvent(m_hObject);
}

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock) : m_pObject(pObject)
{
    if (bInitialLock)
        Lock();
}

CSingleLock::~CSingleLock() { Unlock(); }

BOOL CSingleLock::Lock(DWORD dwTimeOut)
{
    VYR_CHECK(!m_bAcquired, "CSingleLock::Lock: already locked");
    m_bAcquired = m_pObject->Lock(dwTimeOut);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock()
{
    if (m_bAcquired)
        m_bAcquired = !m_pObject->Unlock();
    return !m_bAcquired;
}
