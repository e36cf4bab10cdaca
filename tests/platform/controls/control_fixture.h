// A parent window that records the notifications its controls send, and answers
// WM_NOTIFY as a test tells it.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <vyr/controls.h>

struct Note
{
    bool notify;  // WM_NOTIFY (else WM_COMMAND)
    int id;
    int code;     // notification code (WM_NOTIFY codes as signed numbers)
    int item = -1;
    UINT newState = 0;
    UINT oldState = 0;
    bool operator==(const Note& o) const
    {
        return notify == o.notify && id == o.id && code == o.code && item == o.item && newState == o.newState &&
               oldState == o.oldState;
    }
};

inline std::ostream& operator<<(std::ostream& os, const Note& n)
{
    return os << (n.notify ? "notify " : "command ") << n.id << " code " << n.code << " item " << n.item << " state "
              << n.oldState << "->" << n.newState;
}

class Sink : public CWnd
{
public:
    std::vector<Note> notes;
    // Answers WM_NOTIFY; the default answers 0.
    std::function<LRESULT(NMHDR*)> answer;
    // Runs inside each notification, before it is recorded.
    std::function<void(const Note&)> during;

    BOOL OnCommand(WPARAM wp, LPARAM) override
    {
        Note n{false, (int)LOWORD(wp), (int)HIWORD(wp)};
        if (during) during(n);
        notes.push_back(n);
        return TRUE;
    }

    BOOL OnNotify(WPARAM, LPARAM lp, LRESULT* result) override
    {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        Note n{true, (int)hdr->idFrom, (int)hdr->code};
        if (hdr->code == LVN_ITEMCHANGED || hdr->code == LVN_ITEMCHANGING || hdr->code == LVN_COLUMNCLICK ||
            hdr->code == LVN_INSERTITEM || hdr->code == LVN_DELETEITEM) {
            auto* lv = reinterpret_cast<NMLISTVIEW*>(lp);
            n.item = hdr->code == LVN_COLUMNCLICK ? lv->iSubItem : lv->iItem;
            n.newState = lv->uNewState;
            n.oldState = lv->uOldState;
        } else if (hdr->code == NM_CLICK || hdr->code == NM_DBLCLK || hdr->code == NM_RCLICK) {
            n.item = reinterpret_cast<NMITEMACTIVATE*>(lp)->iItem;
        } else if (hdr->code == UDN_DELTAPOS) {
            n.item = reinterpret_cast<NMUPDOWN*>(lp)->iDelta;
        }
        if (during) during(n);
        notes.push_back(n);
        *result = answer ? answer(hdr) : 0;
        return TRUE;
    }

    std::vector<Note> Take()
    {
        std::vector<Note> v;
        v.swap(notes);
        return v;
    }
};

class ControlTest : public ::testing::Test
{
protected:
    Sink sink;

    void SetUp() override
    {
        vyr::RegisterControlClasses();
        ASSERT_TRUE(sink.CreateEx(0, nullptr, "sink", WS_POPUP | WS_VISIBLE, CRect(0, 0, 640, 480), nullptr, 0));
    }
    void TearDown() override
    {
        if (sink.GetSafeHwnd()) sink.DestroyWindow();
    }

    static CRect R(int x, int y, int w, int h) { return CRect(x, y, x + w, y + h); }
    static constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
};

inline Note Cmd(int id, int code) { return Note{false, id, code}; }
inline Note Ntf(int id, UINT code, int item = -1, UINT oldState = 0, UINT newState = 0)
{
    return Note{true, id, (int)code, item, newState, oldState};
}
