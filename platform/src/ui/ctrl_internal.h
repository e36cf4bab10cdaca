// Shared by the controls' window procedures.
#pragma once

#include <string>
#include <vector>

#include <vyr/controls.h>
#include <vyr/gbk.h>
#include <vyr/vyrdiag.h>

namespace vyr::ctrl {

// Asks a control's window for its procedure object (answered by every control class).
constexpr UINT kGetProcMessage = 0x7F00;

// Base of the controls' procedures: answers kGetProcMessage and passes the rest on.
class ControlProc : public WindowClassProc
{
public:
    LRESULT WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == kGetProcMessage) return (LRESULT)this;
        return Handle(h, msg, wp, lp);
    }
    virtual LRESULT Handle(HWND h, UINT msg, WPARAM wp, LPARAM lp) = 0;
};

template <class P>
P* ProcOf(HWND h)
{
    if (!h || !::IsWindow(h)) return nullptr;
    return dynamic_cast<P*>(reinterpret_cast<WindowClassProc*>(::SendMessage(h, kGetProcMessage, 0, 0)));
}

inline DWORD StyleOf(HWND h) { return (DWORD)::GetWindowLong(h, GWL_STYLE); }

inline std::string TextOf(HWND h)
{
    int n = ::GetWindowTextLength(h);
    std::string s((size_t)n + 1, '\0');
    int got = ::GetWindowText(h, s.data(), n + 1);
    s.resize(got < 0 ? 0 : (size_t)got);
    return s;
}

// Stores a window's text without the class's own handling of WM_SETTEXT.
inline void StoreText(HWND h, const std::string& s) { ::DefWindowProc(h, WM_SETTEXT, 0, (LPARAM)s.c_str()); }

// Copies text to a caller's buffer as WM_GETTEXT does (size includes the NUL).
inline int CopyOut(const std::string& s, char* buf, int size)
{
    if (!buf || size <= 0) return 0;
    int n = (int)s.size() < size - 1 ? (int)s.size() : size - 1;
    s.copy(buf, (size_t)n);
    buf[n] = '\0';
    return n;
}

// A control draws its text in the font it was given (WM_SETFONT: a dialog gives every
// control its template's font), else in the paint context's own.
inline void SelectControlFont(CDC& dc, HWND h)
{
    if (HFONT f = (HFONT)::SendMessage(h, WM_GETFONT, 0, 0)) dc.SelectObject(CFont::FromHandle(f));
}

// Whether a user could act on the control now.
inline bool UserCanReach(HWND h) { return h && ::IsWindow(h) && ::IsWindowVisible(h) && ::IsWindowEnabled(h); }

// A user's action on a control of procedure class P, run on the window's thread: false when
// the user cannot reach the control, it is of another class, or the action refuses.
template <class P, class F>
bool UserAct(HWND h, F act)
{
    if (!UserCanReach(h)) return false;
    P* p = ProcOf<P>(h);
    if (!p) return false;
    bool ok = false;
    ::vyr::RunOnWindowThread(h, [&]() -> LRESULT { ok = act(*p); return 0; });
    return ok;
}

// Case-insensitive for ASCII, otherwise GBK byte order: the sort of CBS_SORT/LBS_SORT.
int SortCompare(const std::string& a, const std::string& b);
bool PrefixMatch(const std::string& text, const std::string& prefix);
bool ExactMatch(const std::string& a, const std::string& b);

// Plain text of an RTF document or fragment.
std::string RtfToText(const std::string& rtf);
bool LooksLikeRtf(const char* s);

// Painting helpers shared by the procedures.
void PaintFrame(HWND h, COLORREF background, bool border);

} // namespace vyr::ctrl
