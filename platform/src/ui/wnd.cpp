// Window records, message queues, sending across threads, message maps and CWnd.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include <vyr/app.h>
#include <vyr/controls.h>
#include <vyr/msgbox.h>
#include "uiimpl.h"
#include <vyr/vyrdiag.h>
#include <vyr/windc.h>

using vyr::ui::ThreadQueue;

namespace {

// Height in pixels of a drop-down combo box's selection field, as its paint draws it.
constexpr int kComboFieldHeight = 20;

// Window device contexts handed out and not released; who watches releases.
int g_openWindowDCs = 0;
std::function<void(HWND, CDC&)> g_releaseObserver;

// Records are never freed, so that a stale handle can never name a newer window.
// The registries live until the process ends (never destroyed, so that objects still
// attached to windows can be destroyed by static destructors in any order).
std::vector<std::unique_ptr<HWND__>>& Records()
{
    static auto* r = new std::vector<std::unique_ptr<HWND__>>;
    return *r;
}
std::set<HWND>& LiveSet()
{
    static auto* s = new std::set<HWND>;
    return *s;
}
std::map<std::string, vyr::WindowClass>& Classes()
{
    static auto* c = new std::map<std::string, vyr::WindowClass>;
    return *c;
}
std::map<DWORD, std::weak_ptr<ThreadQueue>>& Queues()
{
    static auto* q = new std::map<DWORD, std::weak_ptr<ThreadQueue>>;
    return *q;
}

std::atomic<DWORD> g_nextThreadId{1};
std::atomic<DWORD> g_clock{0};
HWND g_focus = nullptr;
HWND g_capture = nullptr;
HCURSOR g_cursor = nullptr;
POINT g_cursorPos{0, 0};

thread_local std::shared_ptr<ThreadQueue> t_queue;
thread_local MSG t_current{};
thread_local int t_dispatchDepth = 0;
// Objects of destroyed windows, freed when no handler of this thread can be running them.
thread_local std::vector<std::unique_ptr<CWnd>> t_deadWnds;
thread_local std::vector<std::unique_ptr<vyr::WindowClassProc>> t_deadProcs;

std::string Lower(const char* s)
{
    std::string r = s ? s : "";
    for (auto& c : r)
        c = (char)std::tolower((unsigned char)c);
    return r;
}

// The record of a live window, or null. Call with the lock held.
HWND__* Rec(HWND h)
{
    if (h == nullptr)
        return nullptr;
    auto& live = LiveSet();
    return live.count(h) ? h : nullptr;
}

void FlushDead()
{
    if (t_dispatchDepth != 0)
        return;
    t_deadWnds.clear();
    t_deadProcs.clear();
}

// Visible with all its ancestors. Lock held.
// A popup's parent is its owner: its position and visibility are its own.
bool VisibleChain(HWND h)
{
    for (HWND__* r = Rec(h); r; r = (r->style & WS_CHILD) ? Rec(r->parent) : nullptr)
        if (!(r->style & WS_VISIBLE))
            return false;
    return Rec(h) != nullptr;
}

POINT ClientOrigin(HWND h)
{
    POINT p{0, 0};
    for (HWND__* r = Rec(h); r; r = (r->style & WS_CHILD) ? Rec(r->parent) : nullptr) {
        p.x += r->rect.left;
        p.y += r->rect.top;
    }
    return p;
}

void InvalidateWnd(HWND h, bool erase)
{
    std::shared_ptr<ThreadQueue> q;
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        HWND__* r = Rec(h);
        if (!r)
            return;
        r->dirty = true;
        r->erase = r->erase || erase;
        r->counters.invalidations++;
        q = r->thread;
    }
    if (q)
        q->Wake();
}

// A paint or timer message for the calling thread, if one is due (paints first, as
// GetMessage orders them). Lock taken here.
bool SynthesizeMessage(MSG* out, HWND filter, bool remove)
{
    auto q = vyr::ui::CurrentQueue();
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    DWORD now = g_clock.load();
    for (auto& up : Records()) {
        HWND__* r = up.get();
        if (!r->alive || r->thread != q || (filter && filter != r) || !r->dirty || !VisibleChain(r))
            continue;
        *out = MSG{r, WM_PAINT, 0, 0, now, g_cursorPos};
        if (remove)
            r->dirty = false;
        return true;
    }
    for (auto& up : Records()) {
        HWND__* r = up.get();
        if (!r->alive || r->thread != q || (filter && filter != r))
            continue;
        for (auto& t : r->timers) {
            if ((LONG)(now - t.due) >= 0) {
                *out = MSG{r, WM_TIMER, t.id, (LPARAM)t.proc, now, g_cursorPos};
                if (remove)
                    t.due = now + (t.elapse ? t.elapse : 1);
                return true;
            }
        }
    }
    return false;
}

bool Matches(const MSG& m, HWND filter, UINT lo, UINT hi)
{
    if (filter == (HWND)-1) {
        if (m.hwnd != nullptr)
            return false;
    } else if (filter != nullptr && m.hwnd != filter) {
        return false;
    }
    if (lo == 0 && hi == 0)
        return true;
    return m.message >= lo && m.message <= hi;
}

void DestroyRecursive(HWND h);

} // namespace

// ---------------------------------------------------------------------------------------

namespace vyr::ui {

std::recursive_mutex& Lock()
{
    static auto* m = new std::recursive_mutex;
    return *m;
}

std::shared_ptr<ThreadQueue> NewQueue()
{
    auto q = std::make_shared<ThreadQueue>();
    q->id = g_nextThreadId++;
    std::lock_guard<std::recursive_mutex> lk(Lock());
    Queues()[q->id] = q;
    return q;
}

void BindCurrentThread(const std::shared_ptr<ThreadQueue>& q) { t_queue = q; }

std::shared_ptr<ThreadQueue> CurrentQueue()
{
    if (!t_queue)
        t_queue = NewQueue();
    return t_queue;
}

std::shared_ptr<ThreadQueue> QueueOfThread(DWORD id)
{
    std::lock_guard<std::recursive_mutex> lk(Lock());
    auto it = Queues().find(id);
    if (it == Queues().end())
        return nullptr;
    return it->second.lock();
}

static void Complete(const std::shared_ptr<SentItem>& s)
{
    {
        std::lock_guard<std::mutex> lk(s->sender->m);
        s->done = true;
        ++s->sender->epoch;
    }
    s->sender->cv.notify_all();
}

void EndCurrentThread()
{
    auto q = t_queue;
    if (!q)
        return;
    std::deque<std::shared_ptr<SentItem>> left;
    {
        std::lock_guard<std::mutex> lk(q->m);
        q->dead = true;
        left.swap(q->sent);
    }
    for (auto& s : left)
        Complete(s);
    {
        std::lock_guard<std::recursive_mutex> lk(Lock());
        Queues().erase(q->id);
    }
    t_deadWnds.clear();
    t_deadProcs.clear();
    t_queue.reset();
}

bool RunPendingSends()
{
    auto q = CurrentQueue();
    bool any = false;
    for (;;) {
        std::shared_ptr<SentItem> s;
        {
            std::lock_guard<std::mutex> lk(q->m);
            if (q->sent.empty())
                break;
            s = q->sent.front();
            q->sent.pop_front();
        }
        any = true;
        s->result = s->fn();
        Complete(s);
    }
    return any;
}

void WaitForEvent(DWORD milliseconds)
{
    auto q = CurrentQueue();
    std::unique_lock<std::mutex> lk(q->m);
    unsigned e = q->epoch;
    if (!q->sent.empty() || !q->posted.empty() || q->quit)
        return;
    q->cv.wait_for(lk, std::chrono::milliseconds(milliseconds), [&] { return q->epoch != e; });
}

LRESULT CallWindow(HWND h, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = nullptr;
    {
        std::lock_guard<std::recursive_mutex> lk(Lock());
        HWND__* r = Rec(h);
        if (!r)
            return 0;
        if (message == WM_PAINT)
            r->counters.paints++;
        wnd = r->wnd;
    }
    if (!wnd)
        wnd = CWnd::FromHandle(h);
    if (!wnd)
        return ::DefWindowProc(h, message, wParam, lParam);
    MSG saved = t_current;
    t_current = MSG{h, message, wParam, lParam, g_clock.load(), g_cursorPos};
    ++t_dispatchDepth;
    LRESULT r = wnd->WindowProc(message, wParam, lParam);
    --t_dispatchDepth;
    t_current = saved;
    return r;
}

bool WalkPreTranslate(MSG* pMsg)
{
    for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
        CWnd* w = CWnd::FromHandle(h);
        if (w && w->PreTranslateMessage(pMsg))
            return true;
    }
    return false;
}

bool PumpOne(bool* quit)
{
    MSG msg;
    if (!::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        if (quit)
            *quit = true;
        return true;
    }
    if (!WalkPreTranslate(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return true;
}

HWND CreateWindowFor(CWnd* wnd, const CREATESTRUCT& cs)
{
    vyr::RegisterControlClasses();
    auto q = CurrentQueue();
    HWND h;
    const vyr::WindowClass* cls = vyr::FindWindowClass(cs.lpszClass);
    {
        std::lock_guard<std::recursive_mutex> lk(Lock());
        if (cs.hwndParent && !Rec(cs.hwndParent))
            return nullptr;
        Records().push_back(std::make_unique<HWND__>());
        h = Records().back().get();
        h->className = cs.lpszClass && !IS_INTRESOURCE(cs.lpszClass) ? cs.lpszClass : "";
        h->parent = cs.hwndParent;
        h->style = (DWORD)cs.style;
        h->exStyle = cs.dwExStyle;
        h->text = cs.lpszName && !IS_INTRESOURCE(cs.lpszName) ? cs.lpszName : "";
        h->id = (cs.style & WS_CHILD) ? (int)(INT_PTR)cs.hMenu : 0;
        h->rect = CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
        h->thread = q;
        h->dirty = true;
        h->erase = true;
        if (cls && cls->makeProc)
            h->proc = cls->makeProc();
        if (wnd) {
            h->wnd = wnd;
            wnd->m_hWnd = h;
        } else {
            h->ownWnd = cls && cls->makeWnd ? cls->makeWnd() : std::make_unique<CWnd>();
            h->ownWnd->m_hWnd = h;
            h->wnd = h->ownWnd.get();
        }
        LiveSet().insert(h);
        if (HWND__* p = Rec(cs.hwndParent))
            p->children.push_back(h);
    }
    CREATESTRUCT c = cs;
    if (::SendMessage(h, WM_NCCREATE, 0, (LPARAM)&c) == -1 || ::SendMessage(h, WM_CREATE, 0, (LPARAM)&c) == -1) {
        ::DestroyWindow(h);
        return nullptr;
    }
    if (!::IsWindow(h))
        return nullptr;
    ::SendMessage(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(cs.cx, cs.cy));
    ::SendMessage(h, WM_MOVE, 0, MAKELPARAM(cs.x, cs.y));
    return h;
}

} // namespace vyr::ui

namespace {

void DestroyRecursive(HWND h)
{
    std::vector<HWND> kids;
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        HWND__* r = Rec(h);
        if (!r || r->destroying)
            return;
        r->destroying = true;
        r->style &= ~(DWORD)WS_VISIBLE;
        if (g_capture == h)
            g_capture = nullptr;
        for (HWND f = g_focus; f; f = Rec(f) ? f->parent : nullptr)
            if (f == h) {
                g_focus = nullptr;
                break;
            }
    }
    vyr::ui::CallWindow(h, WM_DESTROY, 0, 0);
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        kids = h->children;
    }
    for (HWND k : kids)
        DestroyRecursive(k);
    vyr::ui::CallWindow(h, WM_NCDESTROY, 0, 0);
    CWnd* wnd = nullptr;
    std::vector<CWnd*> displaced;
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        if (HWND__* p = Rec(h->parent)) {
            auto& c = p->children;
            c.erase(std::remove(c.begin(), c.end(), h), c.end());
        }
        h->alive = false;
        LiveSet().erase(h);
        h->timers.clear();
        h->children.clear();
        wnd = h->wnd;
        h->wnd = nullptr;
        displaced.swap(h->displaced);
        if (h->ownWnd) {
            h->ownWnd->m_hWnd = nullptr;
            if (wnd == h->ownWnd.get())
                wnd = nullptr;
            t_deadWnds.push_back(std::move(h->ownWnd));
        }
        if (h->proc)
            t_deadProcs.push_back(std::move(h->proc));
        if (h->thread) {
            std::lock_guard<std::mutex> ql(h->thread->m);
            auto& pq = h->thread->posted;
            pq.erase(std::remove_if(pq.begin(), pq.end(), [h](const MSG& m) { return m.hwnd == h; }), pq.end());
        }
    }
    for (CWnd* d : displaced) {
        d->m_hWnd = nullptr;
        d->PostNcDestroy();
    }
    if (wnd) {
        wnd->m_hWnd = nullptr;
        wnd->PostNcDestroy();
    }
}

} // namespace

// ---------------------------------------------------------------------------------------
// Window classes and notifications

namespace vyr {

void RegisterWindowClass(const char* name, WindowClass cls)
{
    std::lock_guard<std::recursive_mutex> lk(ui::Lock());
    Classes()[Lower(name)] = std::move(cls);
}

const WindowClass* FindWindowClass(const char* name)
{
    if (name == nullptr || IS_INTRESOURCE(name))
        return nullptr;
    std::lock_guard<std::recursive_mutex> lk(ui::Lock());
    auto it = Classes().find(Lower(name));
    return it == Classes().end() ? nullptr : &it->second;
}

CString GetWindowClassName(HWND hWnd)
{
    std::lock_guard<std::recursive_mutex> lk(ui::Lock());
    HWND__* r = Rec(hWnd);
    return r ? r->className : CString();
}

LRESULT NotifyParent(HWND hCtrl, UINT code)
{
    HWND parent = ::GetParent(hCtrl);
    if (!parent)
        return 0;
    int id = ::GetDlgCtrlID(hCtrl);
    return ::SendMessage(parent, WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)hCtrl);
}

LRESULT NotifyParent(HWND hCtrl, NMHDR* pHeader, UINT code)
{
    HWND parent = ::GetParent(hCtrl);
    if (!parent)
        return 0;
    pHeader->hwndFrom = hCtrl;
    pHeader->idFrom = (UINT_PTR)::GetDlgCtrlID(hCtrl);
    pHeader->code = code;
    return ::SendMessage(parent, WM_NOTIFY, pHeader->idFrom, (LPARAM)pHeader);
}

LRESULT RunOnWindowThread(HWND hWnd, const std::function<LRESULT()>& fn)
{
    std::shared_ptr<ThreadQueue> target;
    {
        std::lock_guard<std::recursive_mutex> lk(ui::Lock());
        HWND__* r = Rec(hWnd);
        if (!r)
            return 0;
        target = r->thread;
    }
    auto me = ui::CurrentQueue();
    if (target == me)
        return fn();
    auto item = std::make_shared<ui::SentItem>();
    item->fn = fn;
    item->sender = me;
    {
        std::lock_guard<std::mutex> lk(target->m);
        if (target->dead)
            return 0;
        target->sent.push_back(item);
        ++target->epoch;
    }
    target->cv.notify_all();
    // While waiting, answer what other threads send to this one, as Windows does.
    std::unique_lock<std::mutex> lk(me->m);
    while (!item->done) {
        if (!me->sent.empty()) {
            auto s = me->sent.front();
            me->sent.pop_front();
            lk.unlock();
            s->result = s->fn();
            ui::Complete(s);
            lk.lock();
            continue;
        }
        me->cv.wait(lk);
    }
    return item->result;
}

int PumpMessages()
{
    int n = 0;
    for (;;) {
        if (ui::RunPendingSends())
            ++n;
        bool quit = false;
        if (!ui::PumpOne(&quit))
            break;
        if (quit) {
            ::PostQuitMessage(0);
            break;
        }
        ++n;
    }
    FlushDead();
    return n;
}

void AdvanceClock(DWORD milliseconds)
{
    g_clock += milliseconds;
    std::vector<std::shared_ptr<ThreadQueue>> qs;
    {
        std::lock_guard<std::recursive_mutex> lk(ui::Lock());
        for (auto& [id, w] : Queues())
            if (auto q = w.lock())
                qs.push_back(q);
    }
    for (auto& q : qs)
        q->Wake();
}

WindowCounters GetWindowCounters(HWND hWnd)
{
    std::lock_guard<std::recursive_mutex> lk(ui::Lock());
    HWND__* r = Rec(hWnd);
    return r ? r->counters : WindowCounters{};
}

void UserMoveMouse(HWND hWnd, POINT client, UINT keyFlags)
{
    POINT screen = client;
    {
        std::lock_guard<std::recursive_mutex> lk(ui::Lock());
        const POINT o = ClientOrigin(hWnd);
        screen.x += o.x;
        screen.y += o.y;
    }
    ::SetCursorPos(screen.x, screen.y);
    ::SendMessage(hWnd, WM_SETCURSOR, (WPARAM)hWnd, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    ::SendMessage(hWnd, WM_MOUSEMOVE, keyFlags, MAKELPARAM(client.x, client.y));
}

HCURSOR CurrentCursor()
{
    std::lock_guard<std::recursive_mutex> lk(ui::Lock());
    return g_cursor;
}

static void RenderInto(HWND h, Image* img, POINT origin)
{
    {
        std::lock_guard<std::recursive_mutex> lk(ui::Lock());
        HWND__* r = Rec(h);
        if (!r)
            return;
        r->renderTarget = img;
        r->renderOrigin = origin;
        r->dirty = false;
    }
    ui::CallWindow(h, WM_PAINT, 0, 0);
    std::vector<std::pair<HWND, POINT>> kids;
    {
        std::lock_guard<std::recursive_mutex> lk(ui::Lock());
        HWND__* r = Rec(h);
        if (!r)
            return;
        r->renderTarget = nullptr;
        for (HWND k : r->children)
            if ((k->style & WS_VISIBLE) && (k->style & WS_CHILD))
                kids.push_back({k, POINT{origin.x + k->rect.left, origin.y + k->rect.top}});
    }
    for (auto& [k, o] : kids)
        RenderInto(k, img, o);
}

void WatchReleasedDCs(std::function<void(HWND, CDC&)> observer)
{
    std::lock_guard<std::recursive_mutex> lk(ui::Lock());
    g_releaseObserver = std::move(observer);
}

int OpenWindowDCCount()
{
    std::lock_guard<std::recursive_mutex> lk(ui::Lock());
    return g_openWindowDCs;
}

std::shared_ptr<Image> RenderWindow(HWND hWnd)
{
    CRect rc;
    if (!::GetClientRect(hWnd, &rc))
        return nullptr;
    auto img = std::make_shared<Image>(std::max(1, rc.Width()), std::max(1, rc.Height()), RGB(240, 240, 240));
    vyr::RunOnWindowThread(hWnd, [&]() -> LRESULT {
        RenderInto(hWnd, img.get(), POINT{0, 0});
        return 0;
    });
    return img;
}

} // namespace vyr

// ---------------------------------------------------------------------------------------
// Win32 functions

BOOL IsWindow(HWND hWnd)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    return Rec(hWnd) != nullptr;
}

LRESULT SendMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return vyr::RunOnWindowThread(hWnd, [=]() { return vyr::ui::CallWindow(hWnd, message, wParam, lParam); });
}

BOOL PostMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<ThreadQueue> q;
    if (hWnd == nullptr) {
        q = vyr::ui::CurrentQueue();
    } else {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        HWND__* r = Rec(hWnd);
        if (!r)
            return FALSE;
        q = r->thread;
    }
    {
        std::lock_guard<std::mutex> lk(q->m);
        if (q->dead)
            return FALSE;
        q->posted.push_back(MSG{hWnd, message, wParam, lParam, g_clock.load(), g_cursorPos});
        ++q->epoch;
    }
    q->cv.notify_all();
    return TRUE;
}

BOOL PostThreadMessage(DWORD idThread, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto q = vyr::ui::QueueOfThread(idThread);
    if (!q)
        return FALSE;
    {
        std::lock_guard<std::mutex> lk(q->m);
        if (q->dead)
            return FALSE;
        q->posted.push_back(MSG{nullptr, message, wParam, lParam, g_clock.load(), g_cursorPos});
        ++q->epoch;
    }
    q->cv.notify_all();
    return TRUE;
}

void PostQuitMessage(int nExitCode)
{
    auto q = vyr::ui::CurrentQueue();
    {
        std::lock_guard<std::mutex> lk(q->m);
        q->quit = true;
        q->quitCode = nExitCode;
        ++q->epoch;
    }
    q->cv.notify_all();
}

BOOL PeekMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    FlushDead();
    vyr::ui::RunPendingSends();
    auto q = vyr::ui::CurrentQueue();
    bool remove = (wRemoveMsg & PM_REMOVE) != 0;
    {
        std::lock_guard<std::mutex> lk(q->m);
        for (auto it = q->posted.begin(); it != q->posted.end(); ++it) {
            if (Matches(*it, hWnd, wMsgFilterMin, wMsgFilterMax)) {
                *lpMsg = *it;
                if (remove)
                    q->posted.erase(it);
                return TRUE;
            }
        }
        if (q->quit && hWnd == nullptr && wMsgFilterMin == 0 && wMsgFilterMax == 0) {
            *lpMsg = MSG{nullptr, WM_QUIT, (WPARAM)q->quitCode, 0, g_clock.load(), g_cursorPos};
            if (remove)
                q->quit = false;
            return TRUE;
        }
    }
    if (hWnd == (HWND)-1)
        return FALSE;
    MSG m;
    if (SynthesizeMessage(&m, hWnd, remove) && Matches(m, hWnd, wMsgFilterMin, wMsgFilterMax)) {
        *lpMsg = m;
        return TRUE;
    }
    return FALSE;
}

BOOL GetMessage(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax)
{
    for (;;) {
        if (PeekMessage(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, PM_REMOVE))
            return lpMsg->message != WM_QUIT;
        vyr::ui::WaitForEvent(50);
    }
}

BOOL WaitMessage()
{
    vyr::ui::WaitForEvent(50);
    return TRUE;
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessage(const MSG* lpMsg)
{
    if (lpMsg->hwnd == nullptr)
        return 0;
    if (lpMsg->message == WM_TIMER && lpMsg->lParam != 0) {
        auto proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        proc(lpMsg->hwnd, WM_TIMER, lpMsg->wParam, lpMsg->time);
        return 0;
    }
    LRESULT r = vyr::ui::CallWindow(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
    FlushDead();
    return r;
}

bool vyr::ui::AppendWindowText(HWND h, const std::string& s)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(h);
    if (!r)
        return false;
    r->text += s.c_str();
    r->dirty = true;
    return true;
}

LRESULT DefWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_SETTEXT: {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        HWND__* r = Rec(hWnd);
        if (!r)
            return FALSE;
        r->text = lParam ? (const char*)lParam : "";
        r->dirty = true;
        return TRUE;
    }
    case WM_GETTEXT: {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        HWND__* r = Rec(hWnd);
        if (!r || wParam == 0 || !lParam)
            return 0;
        size_t n = std::min((size_t)wParam - 1, (size_t)r->text.GetLength());
        std::memcpy((char*)lParam, r->text.GetString(), n);
        ((char*)lParam)[n] = 0;
        return (LRESULT)n;
    }
    case WM_GETTEXTLENGTH: {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        HWND__* r = Rec(hWnd);
        return r ? r->text.GetLength() : 0;
    }
    case WM_SETFONT: {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        if (HWND__* r = Rec(hWnd))
            r->font = (HFONT)wParam;
        return 0;
    }
    case WM_GETFONT: {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        HWND__* r = Rec(hWnd);
        return r ? (LRESULT)r->font : 0;
    }
    case WM_CLOSE:
        ::DestroyWindow(hWnd);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        ::BeginPaint(hWnd, &ps);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case BM_CLICK:
        // The generic answer to a click; button classes change their state first.
        vyr::NotifyParent(hWnd, BN_CLICKED);
        return 0;
    case WM_SETCURSOR: {
        // The parent decides first; otherwise the client area shows the arrow.
        HWND parent = ::GetParent(hWnd);
        if (parent && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) && ::SendMessage(parent, message, wParam, lParam))
            return TRUE;
        if (LOWORD(lParam) == HTCLIENT)
            ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        return FALSE;
    }
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU: {
        HWND parent = ::GetParent(hWnd);
        if (parent && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
            return ::SendMessage(parent, message, wParam, lParam);
        return 0;
    }
    default:
        return 0;
    }
}

HWND GetParent(HWND hWnd)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(hWnd);
    return r ? r->parent : nullptr;
}

HWND GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(hDlg);
    if (!r)
        return nullptr;
    for (HWND c : r->children)
        if (c->id == nIDDlgItem)
            return c;
    return nullptr;
}

int GetDlgCtrlID(HWND hWnd)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(hWnd);
    return r ? r->id : 0;
}

HWND GetFocus()
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    return Rec(g_focus);
}

HWND SetFocus(HWND hWnd)
{
    return (HWND)vyr::RunOnWindowThread(hWnd ? hWnd : ::GetFocus(), [hWnd]() -> LRESULT {
        HWND old;
        {
            std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
            if (hWnd && !Rec(hWnd))
                return 0;
            old = Rec(g_focus);
            if (old == hWnd)
                return (LRESULT)old;
        }
        if (old)
            vyr::ui::CallWindow(old, WM_KILLFOCUS, (WPARAM)hWnd, 0);
        {
            std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
            g_focus = hWnd && Rec(hWnd) ? hWnd : nullptr;
        }
        if (hWnd)
            vyr::ui::CallWindow(hWnd, WM_SETFOCUS, (WPARAM)old, 0);
        return (LRESULT)old;
    });
}

HWND GetCapture()
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    return Rec(g_capture);
}

HWND SetCapture(HWND hWnd)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND old = Rec(g_capture);
    g_capture = Rec(hWnd);
    return old;
}

BOOL ReleaseCapture()
{
    HWND old;
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        old = Rec(g_capture);
        g_capture = nullptr;
    }
    if (old)
        ::SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

BOOL ShowWindow(HWND hWnd, int nCmdShow)
{
    return (BOOL)vyr::RunOnWindowThread(hWnd, [=]() -> LRESULT {
        bool was, show = nCmdShow != SW_HIDE;
        {
            std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
            HWND__* r = Rec(hWnd);
            if (!r)
                return FALSE;
            was = (r->style & WS_VISIBLE) != 0;
        }
        if (was != show) {
            vyr::ui::CallWindow(hWnd, WM_SHOWWINDOW, show, 0);
            std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
            HWND__* r = Rec(hWnd);
            if (!r)
                return was;
            if (show)
                r->style |= WS_VISIBLE;
            else
                r->style &= ~(DWORD)WS_VISIBLE;
            if (nCmdShow == SW_SHOWMAXIMIZED)
                r->style |= WS_MAXIMIZE;
            if (nCmdShow == SW_SHOWMINIMIZED || nCmdShow == SW_MINIMIZE)
                r->style |= WS_MINIMIZE;
            if (nCmdShow == SW_RESTORE)
                r->style &= ~(DWORD)(WS_MINIMIZE | WS_MAXIMIZE);
        }
        if (was != show) {
            if (show)
                InvalidateWnd(hWnd, true);
            else if (HWND p = ::GetParent(hWnd))
                InvalidateWnd(p, true);
        }
        return was;
    });
}

BOOL EnableWindow(HWND hWnd, BOOL bEnable)
{
    return (BOOL)vyr::RunOnWindowThread(hWnd, [=]() -> LRESULT {
        bool wasDisabled;
        {
            std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
            HWND__* r = Rec(hWnd);
            if (!r)
                return FALSE;
            wasDisabled = (r->style & WS_DISABLED) != 0;
            if (wasDisabled == !bEnable)
                return wasDisabled;
            if (bEnable)
                r->style &= ~(DWORD)WS_DISABLED;
            else
                r->style |= WS_DISABLED;
        }
        if (!bEnable && ::GetFocus() == hWnd)
            ::SetFocus(nullptr);
        vyr::ui::CallWindow(hWnd, WM_ENABLE, bEnable, 0);
        InvalidateWnd(hWnd, true);
        return wasDisabled;
    });
}

BOOL IsWindowVisible(HWND hWnd)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    return VisibleChain(hWnd);
}

BOOL IsWindowEnabled(HWND hWnd)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(hWnd);
    return r && !(r->style & WS_DISABLED);
}

BOOL SetWindowText(HWND hWnd, LPCTSTR lpString)
{
    return (BOOL)::SendMessage(hWnd, WM_SETTEXT, 0, (LPARAM)lpString);
}

int GetWindowText(HWND hWnd, LPTSTR lpString, int nMaxCount)
{
    if (nMaxCount <= 0)
        return 0;
    return (int)::SendMessage(hWnd, WM_GETTEXT, (WPARAM)nMaxCount, (LPARAM)lpString);
}

int GetWindowTextLength(HWND hWnd) { return (int)::SendMessage(hWnd, WM_GETTEXTLENGTH, 0, 0); }

BOOL DestroyWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd))
        return FALSE;
    vyr::RunOnWindowThread(hWnd, [hWnd]() -> LRESULT {
        DestroyRecursive(hWnd);
        return TRUE;
    });
    return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT*, BOOL bErase)
{
    if (!::IsWindow(hWnd))
        return FALSE;
    InvalidateWnd(hWnd, bErase != FALSE);
    return TRUE;
}

BOOL UpdateWindow(HWND hWnd)
{
    return (BOOL)vyr::RunOnWindowThread(hWnd, [hWnd]() -> LRESULT {
        {
            std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
            HWND__* r = Rec(hWnd);
            if (!r || !r->dirty || !VisibleChain(hWnd))
                return TRUE;
            r->dirty = false;
        }
        vyr::ui::CallWindow(hWnd, WM_PAINT, 0, 0);
        return TRUE;
    });
}

BOOL GetClientRect(HWND hWnd, LPRECT lpRect)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(hWnd);
    if (!r)
        return FALSE;
    int height = r->rect.Height();
    // A drop-down combo box's client area is its selection field; the height it was given
    // is what its list drops to.
    const DWORD comboType = r->style & 0x3;
    if ((comboType == CBS_DROPDOWN || comboType == CBS_DROPDOWNLIST) && r->className.CompareNoCase("ComboBox") == 0)
        height = std::min(height, kComboFieldHeight);
    *lpRect = RECT{0, 0, r->rect.Width(), height};
    return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(hWnd);
    if (!r)
        return FALSE;
    POINT o = ClientOrigin(hWnd);
    *lpRect = RECT{o.x, o.y, o.x + r->rect.Width(), o.y + r->rect.Height()};
    return TRUE;
}

LONG GetWindowLong(HWND hWnd, int nIndex)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(hWnd);
    if (!r)
        return 0;
    switch (nIndex) {
    case GWL_STYLE:
        return (LONG)r->style;
    case GWL_EXSTYLE:
        return (LONG)r->exStyle;
    case GWL_ID:
        return r->id;
    default:
        return 0;
    }
}

LONG SetWindowLong(HWND hWnd, int nIndex, LONG dwNewLong)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(hWnd);
    if (!r)
        return 0;
    LONG old = 0;
    switch (nIndex) {
    case GWL_STYLE:
        old = (LONG)r->style;
        r->style = (DWORD)dwNewLong;
        break;
    case GWL_EXSTYLE:
        old = (LONG)r->exStyle;
        r->exStyle = (DWORD)dwNewLong;
        break;
    case GWL_ID:
        old = r->id;
        r->id = dwNewLong;
        break;
    default:
        break;
    }
    return old;
}

DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId)
{
    if (lpdwProcessId)
        *lpdwProcessId = 1;
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(hWnd);
    return r && r->thread ? r->thread->id : 0;
}

HDC GetDC(HWND hWnd)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    ++g_openWindowDCs;
    HWND__* r = Rec(hWnd);
    if (!r)
        return vyr::CreateDisplayDC(nullptr);
    RECT clip{0, 0, r->rect.Width(), r->rect.Height()};
    vyr::Image* target = r->renderTarget;
    POINT origin = r->renderOrigin;
    // Not being painted itself, a window draws where it shows: into the image of the
    // ancestor being painted, at its place there.
    if (!target && (r->style & WS_CHILD)) {
        POINT offset{r->rect.left, r->rect.top};
        for (HWND__* a = Rec(r->parent); a; a = (a->style & WS_CHILD) ? Rec(a->parent) : nullptr) {
            if (a->renderTarget) {
                target = a->renderTarget;
                origin = POINT{a->renderOrigin.x + offset.x, a->renderOrigin.y + offset.y};
                break;
            }
            offset.x += a->rect.left;
            offset.y += a->rect.top;
        }
    }
    return vyr::CreateDisplayDC(target, origin, target ? &clip : nullptr);
}

int ReleaseDC(HWND hWnd, HDC hDC)
{
    if (!hDC)
        return 1;
    std::function<void(HWND, CDC&)> watcher;
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        --g_openWindowDCs;
        watcher = g_releaseObserver;
    }
    if (watcher) {
        CDC dc;
        dc.Attach(hDC);
        watcher(hWnd, dc);
        dc.Detach();
    }
    vyr::DeleteDisplayDC(hDC);
    return 1;
}

HDC BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint)
{
    bool erase = false;
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        HWND__* r = Rec(hWnd);
        std::memset(lpPaint, 0, sizeof(*lpPaint));
        if (r) {
            erase = r->erase;
            r->erase = false;
            r->dirty = false;
            lpPaint->rcPaint = RECT{0, 0, r->rect.Width(), r->rect.Height()};
        }
    }
    HDC hdc = ::GetDC(hWnd);
    lpPaint->hdc = hdc;
    if (erase)
        lpPaint->fErase = !vyr::ui::CallWindow(hWnd, WM_ERASEBKGND, (WPARAM)hdc, 0);
    return hdc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint)
{
    ::ReleaseDC(hWnd, lpPaint->hdc);
    return TRUE;
}

BOOL MessageBeep(UINT) { return TRUE; }

HCURSOR SetCursor(HCURSOR hCursor)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HCURSOR old = g_cursor;
    g_cursor = hCursor;
    return old;
}

HCURSOR GetCursor()
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    return g_cursor;
}

BOOL GetCursorPos(LPPOINT lpPoint)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    *lpPoint = g_cursorPos;
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    g_cursorPos = POINT{x, y};
    return TRUE;
}

DWORD GetTickCount() { return g_clock.load(); }

UINT RegisterWindowMessage(LPCTSTR lpString)
{
    static std::map<std::string, UINT> msgs;
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    auto it = msgs.find(lpString ? lpString : "");
    if (it != msgs.end())
        return it->second;
    UINT id = 0xC000u + (UINT)msgs.size();
    msgs[lpString ? lpString : ""] = id;
    return id;
}

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXSCREEN:
        return 1920;
    case SM_CYSCREEN:
        return 1080;
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    default:
        return 0;
    }
}

// ---------------------------------------------------------------------------------------
// Message maps

CRuntimeClass CCmdTarget::classCCmdTarget = {"CCmdTarget", (int)sizeof(CCmdTarget), 0xFFFF, nullptr,
                                             RUNTIME_CLASS(CObject), nullptr};
static AFX_CLASSINIT _init_CCmdTarget(RUNTIME_CLASS(CCmdTarget));
CRuntimeClass* CCmdTarget::GetRuntimeClass() const { return RUNTIME_CLASS(CCmdTarget); }

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* map, UINT nMessage, UINT nCode, UINT nID)
{
    bool withIds = nMessage == WM_COMMAND || nMessage == WM_NOTIFY;
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e && e->pfn; ++e) {
            UINT msg = e->nMessage == VYR_REGISTERED_MESSAGE && e->pnMessage ? *e->pnMessage : e->nMessage;
            if (msg != nMessage)
                continue;
            if (withIds && (e->nCode != nCode || nID < e->nID || nID > e->nLastID))
                continue;
            return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void*, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), WM_COMMAND, (UINT)(WORD)nCode, nID);
    if (!e)
        return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = e;
        return TRUE;
    }
    LRESULT r = 0;
    return e->pfn(this, nID, 0, 0, &r);
}

// ---------------------------------------------------------------------------------------
// CWnd

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    HWND h = m_hWnd;
    if (!h || !::IsWindow(h))
        return;
    bool destroy = false;
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        auto& d = h->displaced;
        if (h->wnd == this) {
            // An object attached before this one gets the window back; with none, the
            // window goes with its object, as in the class library.
            if (!d.empty()) {
                h->wnd = d.back();
                d.pop_back();
            } else if (h->ownWnd && h->ownWnd.get() != this) {
                h->wnd = h->ownWnd.get();
            } else {
                h->wnd = nullptr;
                destroy = true;
            }
        } else {
            d.erase(std::remove(d.begin(), d.end(), this), d.end());
        }
    }
    m_hWnd = nullptr;
    if (destroy)
        ::DestroyWindow(h);
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(hWnd);
    if (!r)
        return nullptr;
    if (!r->wnd) {
        if (!r->ownWnd) {
            const vyr::WindowClass* cls = vyr::FindWindowClass(r->className);
            r->ownWnd = cls && cls->makeWnd ? cls->makeWnd() : std::make_unique<CWnd>();
            r->ownWnd->m_hWnd = r;
        }
        r->wnd = r->ownWnd.get();
    }
    return r->wnd;
}

CScrollBar* CWnd::ScrollBarFromHandle(HWND hWnd) { return dynamic_cast<CScrollBar*>(FromHandle(hWnd)); }

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void*)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    VYR_CHECK(m_hWnd == nullptr, "CWnd::CreateEx on an object that already has a window");
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
        return FALSE;
    HWND h = vyr::ui::CreateWindowFor(this, cs);
    if (!h) {
        m_hWnd = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr, (HMENU)(UINT_PTR)nID,
                    lpParam);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::Attach(HWND hWnd) { return SubclassWindow(hWnd); }

HWND CWnd::Detach() { return UnsubclassWindow(); }

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    VYR_CHECK(m_hWnd == nullptr, "SubclassWindow: the object is already attached to a window");
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(hWnd);
    if (!r)
        return FALSE;
    if (r->wnd && r->wnd != r->ownWnd.get())
        r->displaced.push_back(r->wnd);
    r->wnd = this;
    m_hWnd = hWnd;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND h = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return h ? SubclassWindow(h) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND h = m_hWnd;
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    if (HWND__* r = Rec(h)) {
        auto& d = r->displaced;
        if (r->wnd == this) {
            if (!d.empty()) {
                r->wnd = d.back();
                d.pop_back();
            } else {
                r->wnd = r->ownWnd.get();
            }
        } else {
            d.erase(std::remove(d.begin(), d.end(), this), d.end());
        }
    }
    m_hWnd = nullptr;
    return h;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT r = 0;
    if (!OnWndMsg(message, wParam, lParam, &r))
        r = DefWindowProc(message, wParam, lParam);
    return r;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* nm = reinterpret_cast<NMHDR*>(lParam);
        LRESULT r = 0;
        if (nm && OnNotify(wParam, lParam, &r)) {
            *pResult = r;
            return TRUE;
        }
        return FALSE;
    }
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (!e)
        return FALSE;
    LRESULT r = 0;
    e->pfn(this, 0, wParam, lParam, &r);
    *pResult = r;
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    vyr::WindowClassProc* proc = nullptr;
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        if (HWND__* r = Rec(m_hWnd))
            proc = r->proc.get();
    }
    if (proc)
        return proc->WndProc(m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), (int)HIWORD(wParam), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* nm = reinterpret_cast<NMHDR*>(lParam);
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(GetMessageMap(), WM_NOTIFY, nm->code, (UINT)nm->idFrom);
    if (!e)
        return FALSE;
    *pResult = 0;
    return e->pfn(this, (UINT)nm->idFrom, (WPARAM)nm->idFrom, lParam, pResult);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::Default()
{
    return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam);
}

const MSG* CWnd::GetCurrentMessage() { return &t_current; }

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    HWND newParent = pWndNewParent ? pWndNewParent->m_hWnd : nullptr;
    HWND old;
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        HWND__* r = Rec(m_hWnd);
        if (!r)
            return nullptr;
        old = r->parent;
        if (HWND__* p = Rec(old)) {
            auto& c = p->children;
            c.erase(std::remove(c.begin(), c.end(), r), c.end());
        }
        r->parent = Rec(newParent);
        if (r->parent)
            r->parent->children.push_back(r);
    }
    return FromHandle(old);
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND h = m_hWnd;
    for (HWND p = ::GetParent(h); p; p = ::GetParent(p))
        h = p;
    return FromHandle(h);
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    HWND found = nullptr;
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        HWND__* r = Rec(m_hWnd);
        if (!r)
            return nullptr;
        if (nCmd == GW_CHILD) {
            found = r->children.empty() ? nullptr : r->children.front();
        } else if (nCmd == GW_OWNER) {
            found = r->parent;
        } else if (HWND__* p = Rec(r->parent)) {
            auto& c = p->children;
            auto it = std::find(c.begin(), c.end(), r);
            if (nCmd == GW_HWNDFIRST)
                found = c.front();
            else if (nCmd == GW_HWNDLAST)
                found = c.back();
            else if (nCmd == GW_HWNDNEXT && it != c.end() && it + 1 != c.end())
                found = *(it + 1);
            else if (nCmd == GW_HWNDPREV && it != c.end() && it != c.begin())
                found = *(it - 1);
        }
    }
    return FromHandle(found);
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    if (!pWnd)
        return FALSE;
    for (HWND p = ::GetParent(pWnd->m_hWnd); p; p = ::GetParent(p))
        if (p == m_hWnd)
            return TRUE;
    return FALSE;
}

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

int CWnd::SetDlgCtrlID(int nID) { return (int)::SetWindowLong(m_hWnd, GWL_ID, nID); }

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }

static bool Tabbable(HWND h)
{
    DWORD s = (DWORD)::GetWindowLong(h, GWL_STYLE);
    return (s & WS_TABSTOP) && (s & WS_VISIBLE) && !(s & WS_DISABLED);
}

CWnd* CWnd::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    std::vector<HWND> kids;
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        HWND__* r = Rec(m_hWnd);
        if (!r)
            return nullptr;
        kids = r->children;
    }
    if (kids.empty())
        return nullptr;
    int n = (int)kids.size();
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (pWndCtl && kids[i] == pWndCtl->m_hWnd)
            start = i;
    for (int k = 1; k <= n; ++k) {
        int i = start < 0 ? (bPrevious ? n - k : k - 1) : ((start + (bPrevious ? -k : k)) % n + n) % n;
        if (Tabbable(kids[i]))
            return FromHandle(kids[i]);
    }
    return nullptr;
}

CWnd* CWnd::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    std::vector<HWND> kids;
    {
        std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
        HWND__* r = Rec(m_hWnd);
        if (!r || !pWndCtl)
            return nullptr;
        kids = r->children;
    }
    auto it = std::find(kids.begin(), kids.end(), pWndCtl->m_hWnd);
    if (it == kids.end())
        return nullptr;
    // The group: from the control with WS_GROUP at or before it up to the next WS_GROUP.
    size_t i = (size_t)(it - kids.begin());
    size_t first = i;
    while (first > 0 && !(::GetWindowLong(kids[first], GWL_STYLE) & WS_GROUP))
        --first;
    size_t last = i;
    while (last + 1 < kids.size() && !(::GetWindowLong(kids[last + 1], GWL_STYLE) & WS_GROUP))
        ++last;
    size_t n = last - first + 1;
    for (size_t k = 1; k <= n; ++k) {
        size_t j = first + (bPrevious ? (i - first + n - k) % n : (i - first + k) % n);
        DWORD s = (DWORD)::GetWindowLong(kids[j], GWL_STYLE);
        if ((s & WS_VISIBLE) && !(s & WS_DISABLED))
            return FromHandle(kids[j]);
    }
    return nullptr;
}

void CWnd::SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    int n = ::GetWindowTextLength(m_hWnd);
    std::string buf((size_t)n + 1, '\0');
    int got = ::GetWindowText(m_hWnd, buf.data(), n + 1);
    buf.resize((size_t)std::max(0, got));
    rString = CString(buf);
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString)
{
    HWND h = ::GetDlgItem(m_hWnd, nID);
    VYR_CHECK(h != nullptr, "SetDlgItemText: no control with that id");
    ::SetWindowText(h, lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    CWnd* w = GetDlgItem(nID);
    if (!w)
        return 0;
    w->GetWindowText(rString);
    return rString.GetLength();
}

int CWnd::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
{
    HWND h = ::GetDlgItem(m_hWnd, nID);
    if (!h) {
        if (nMaxCount > 0)
            lpStr[0] = 0;
        return 0;
    }
    return ::GetWindowText(h, lpStr, nMaxCount);
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    char buf[32];
    if (bSigned)
        std::snprintf(buf, sizeof buf, "%d", (int)nValue);
    else
        std::snprintf(buf, sizeof buf, "%u", nValue);
    SetDlgItemText(nID, buf);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    CString s;
    GetDlgItemText(nID, s);
    s.Trim();
    const char* p = s.GetString();
    bool neg = false;
    if (bSigned && *p == '-') {
        neg = true;
        ++p;
    }
    bool ok = *p != 0;
    unsigned long long v = 0;
    for (; *p; ++p) {
        if (*p < '0' || *p > '9') {
            ok = false;
            break;
        }
        v = v * 10 + (unsigned)(*p - '0');
        if (v > (bSigned ? (neg ? 2147483648ull : 2147483647ull) : 4294967295ull)) {
            ok = false;
            break;
        }
    }
    if (lpTrans)
        *lpTrans = ok;
    if (!ok)
        return 0;
    return neg ? (UINT)(-(long long)v) : (UINT)v;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, (WPARAM)(pFont ? (HFONT)pFont->GetSafeHandle() : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    HFONT f = (HFONT)SendMessage(WM_GETFONT, 0, 0);
    return f ? CFont::FromHandle(f) : nullptr;
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { SendDlgItemMessage(nIDButton, BM_SETCHECK, nCheck, 0); }

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return (UINT)SendDlgItemMessage(nIDButton, BM_GETCHECK, 0, 0);
}

void CWnd::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (::GetDlgItem(m_hWnd, id))
            SendDlgItemMessage(id, BM_SETCHECK, id == nIDCheckButton ? BST_CHECKED : BST_UNCHECKED, 0);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id)
        if (::GetDlgItem(m_hWnd, id) && IsDlgButtonChecked(id))
            return id;
    return 0;
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    HWND h = ::GetDlgItem(m_hWnd, nID);
    return h ? ::SendMessage(h, message, wParam, lParam) : 0;
}

DWORD CWnd::GetStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_STYLE); }

DWORD CWnd::GetExStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_EXSTYLE); }

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD s = GetStyle();
    DWORD n = (s & ~dwRemove) | dwAdd;
    if (n == s)
        return FALSE;
    ::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)n);
    if (nFlags)
        Invalidate();
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT)
{
    DWORD s = GetExStyle();
    DWORD n = (s & ~dwRemove) | dwAdd;
    if (n == s)
        return FALSE;
    ::SetWindowLong(m_hWnd, GWL_EXSTYLE, (LONG)n);
    return TRUE;
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }

BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }

BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }

BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    if (!::GetWindowRect(m_hWnd, lpRect))
        *lpRect = RECT{0, 0, 0, 0};
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    if (!::GetClientRect(m_hWnd, lpRect))
        *lpRect = RECT{0, 0, 0, 0};
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    SetWindowPos(nullptr, x, y, nWidth, nHeight, SWP_NOZORDER | (bRepaint ? 0 : SWP_NOREDRAW));
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT nFlags)
{
    HWND h = m_hWnd;
    return (BOOL)vyr::RunOnWindowThread(h, [=]() -> LRESULT {
        bool moved = false, sized = false;
        CRect now;
        {
            std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
            HWND__* r = Rec(h);
            if (!r)
                return FALSE;
            CRect old = r->rect;
            if (!(nFlags & SWP_NOMOVE)) {
                r->rect.OffsetRect(x - old.left, y - old.top);
                moved = old.left != x || old.top != y;
            }
            if (!(nFlags & SWP_NOSIZE)) {
                r->rect.right = r->rect.left + cx;
                r->rect.bottom = r->rect.top + cy;
                sized = old.Width() != cx || old.Height() != cy;
            }
            now = r->rect;
        }
        if (nFlags & SWP_SHOWWINDOW)
            ::ShowWindow(h, SW_SHOW);
        if (nFlags & SWP_HIDEWINDOW)
            ::ShowWindow(h, SW_HIDE);
        if (moved)
            vyr::ui::CallWindow(h, WM_MOVE, 0, MAKELPARAM(now.left, now.top));
        if (sized)
            vyr::ui::CallWindow(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(now.Width(), now.Height()));
        if ((moved || sized) && !(nFlags & SWP_NOREDRAW))
            InvalidateWnd(h, true);
        return TRUE;
    });
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    POINT o = ClientOrigin(m_hWnd);
    lpPoint->x += o.x;
    lpPoint->y += o.y;
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    POINT o = ClientOrigin(m_hWnd);
    ((CRect*)lpRect)->OffsetRect(o.x, o.y);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    POINT o = ClientOrigin(m_hWnd);
    lpPoint->x -= o.x;
    lpPoint->y -= o.y;
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    POINT o = ClientOrigin(m_hWnd);
    ((CRect*)lpRect)->OffsetRect(-o.x, -o.y);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    POINT a = ClientOrigin(m_hWnd);
    POINT b = pwndTo ? ClientOrigin(pwndTo->m_hWnd) : POINT{0, 0};
    for (UINT i = 0; i < nCount; ++i) {
        lpPoint[i].x += a.x - b.x;
        lpPoint[i].y += a.y - b.y;
    }
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const { MapWindowPoints(pwndTo, (LPPOINT)lpRect, 2); }

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    CWnd* around = pAlternateOwner ? pAlternateOwner : GetParent();
    CRect me, area;
    GetWindowRect(&me);
    bool child = (GetStyle() & WS_CHILD) != 0;
    if (child) {
        GetParent()->GetClientRect(&area);
    } else if (around && around->m_hWnd) {
        around->GetWindowRect(&area);
    } else {
        area = CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    }
    int x = area.left + (area.Width() - me.Width()) / 2;
    int y = area.top + (area.Height() - me.Height()) / 2;
    if (!child) {
        // Keep the window on the screen, as the class library does.
        x = std::max(0, std::min(x, GetSystemMetrics(SM_CXSCREEN) - me.Width()));
        y = std::max(0, std::min(y, GetSystemMetrics(SM_CYSCREEN) - me.Height()));
    }
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }

void CWnd::ValidateRect(LPCRECT)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    if (HWND__* r = Rec(m_hWnd))
        r->dirty = false;
}

void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, void*, UINT flags)
{
    if (flags & RDW_INVALIDATE)
        ::InvalidateRect(m_hWnd, lpRectUpdate, (flags & RDW_ERASE) != 0);
    if (flags & RDW_UPDATENOW)
        ::UpdateWindow(m_hWnd);
    return TRUE;
}

CDC* CWnd::GetDC()
{
    HDC h = ::GetDC(m_hWnd);
    auto* dc = new CDC;
    dc->Attach(h);
    return dc;
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (!pDC)
        return 0;
    HDC h = pDC->Detach();
    delete pDC;
    return ::ReleaseDC(m_hWnd, h);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(m_hWnd);
    if (!r)
        return 0;
    auto& ts = r->timers;
    ts.erase(std::remove_if(ts.begin(), ts.end(), [&](const vyr::ui::TimerEntry& t) { return t.id == nIDEvent; }),
             ts.end());
    ts.push_back(vyr::ui::TimerEntry{nIDEvent, nElapse, g_clock.load() + nElapse, lpfnTimer});
    return nIDEvent ? nIDEvent : 1;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    std::lock_guard<std::recursive_mutex> lk(vyr::ui::Lock());
    HWND__* r = Rec(m_hWnd);
    if (!r)
        return FALSE;
    auto& ts = r->timers;
    size_t n = ts.size();
    ts.erase(std::remove_if(ts.begin(), ts.end(), [&](const vyr::ui::TimerEntry& t) { return t.id == nIDEvent; }),
             ts.end());
    return ts.size() != n;
}

CWnd* CWnd::SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }

CWnd* CWnd::GetCapture() { return FromHandle(::GetCapture()); }

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (!lpszCaption) {
        CWinApp* app = AfxGetApp();
        lpszCaption = app && app->m_pszAppName ? app->m_pszAppName : "";
    }
    return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

// ---------------------------------------------------------------------------------------
// Window device contexts

IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }

HWND CreateWindowEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE, LPVOID lpParam)
{
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpClassName;
    cs.lpszName = lpWindowName;
    cs.style = (LONG)dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = hMenu;
    cs.lpCreateParams = lpParam;
    return vyr::ui::CreateWindowFor(nullptr, cs);
}
