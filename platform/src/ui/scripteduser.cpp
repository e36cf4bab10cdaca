// The scripted user: one queue of steps, the records, and the message boxes it answers.
#include <vyr/scripteduser.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>

#include <vyr/app.h>
#include <vyr/controls.h>
#include <vyr/dialog.h>
#include <vyr/msgbox.h>
#include <vyr/proplist.h>
#include <vyr/resources.h>
#include "uiimpl.h"
#include <vyr/vyrdiag.h>

namespace vyr {

namespace {

enum class Kind
{
    MsgBox,
    SetText,
    Check,
    Click,
    SelectRow,
    SelectString,
    Notify,
    ClickColumn,
    EndLabelEdit,
    Spin,
    PressOK,
    PressCancel,
    Close,
    PressKey,
    PropDblClickName,
    PropSetValue,
    PropChooseOption,
    PropExpand,
    PropScroll,
    Run,
    WaitUntil,
    WaitForEnd,
    FileAnswer,
    ColorAnswer,
    FontAnswer,
    PrintAnswer,
    CancelCommon,
};

const char* KindName(Kind k)
{
    switch (k) {
    case Kind::MsgBox: return "a message-box answer";
    case Kind::SetText: return "SetText";
    case Kind::Check: return "Check";
    case Kind::Click: return "Click";
    case Kind::SelectRow: return "SelectRow";
    case Kind::SelectString: return "SelectString";
    case Kind::Notify: return "Notify";
    case Kind::ClickColumn: return "ClickColumn";
    case Kind::EndLabelEdit: return "EndLabelEdit";
    case Kind::Spin: return "Spin";
    case Kind::PressOK: return "PressOK";
    case Kind::PressCancel: return "PressCancel";
    case Kind::Close: return "Close";
    case Kind::PressKey: return "PressKey";
    case Kind::PropDblClickName: return "PropDblClickName";
    case Kind::PropSetValue: return "PropSetValue";
    case Kind::PropChooseOption: return "PropChooseOption";
    case Kind::PropExpand: return "PropExpand";
    case Kind::PropScroll: return "PropScroll";
    case Kind::Run: return "Run";
    case Kind::WaitUntil: return "WaitUntil";
    case Kind::WaitForEnd: return "WaitForEnd";
    case Kind::FileAnswer: return "a file-dialog answer";
    case Kind::ColorAnswer: return "a colour-dialog answer";
    case Kind::FontAnswer: return "a font-dialog answer";
    case Kind::PrintAnswer: return "a print-dialog answer";
    case Kind::CancelCommon: return "a common-dialog cancel";
    }
    return "?";
}

bool IsDialogStep(Kind k) { return k >= Kind::SetText && k <= Kind::WaitForEnd; }

struct Step
{
    explicit Step(Kind k) : kind(k) {}
    Kind kind;
    unsigned serial = 0;
    int answer = 0;
    CString text;
    CString text2;
    bool hasText = false;
    int ctrl = 0;
    int index = 0;
    UINT code = 0;
    bool notify = false;
    UINT expect = 0;
    std::function<void(CDialog*)> fn;
    std::function<bool(CDialog*)> cond;
    COLORREF color = 0;
    LOGFONT font{};
    bool ok = false;
};

struct IdleState
{
    bool cancelPressed = false;
    unsigned waitingSerial = 0;
    std::chrono::steady_clock::time_point since;
};

struct State
{
    std::mutex m;
    std::deque<Step> steps;
    unsigned nextSerial = 1;
    std::vector<MessageBoxRecord> boxes;
    std::vector<DialogRecord> dialogs;
    std::vector<IdleState> idle; // by dialog record
    std::function<void(const std::string&)> handler;
    unsigned idleTimeout = 10000;
};

State& S()
{
    static auto* s = new State;
    return *s;
}

void Push(Step st)
{
    auto& s = S();
    std::lock_guard<std::mutex> lk(s.m);
    st.serial = s.nextSerial++;
    s.steps.push_back(std::move(st));
}

void Fail(const std::string& msg)
{
    std::function<void(const std::string&)> h;
    {
        std::lock_guard<std::mutex> lk(S().m);
        h = S().handler;
    }
    if (h) {
        h(msg);
        return;
    }
    std::fprintf(stderr, "scripted user: %s\n", msg.c_str());
    std::fflush(stderr);
    std::abort();
}

bool AnswerFits(UINT flags, int answer)
{
    switch (flags & MB_TYPEMASK) {
    case MB_OK: return answer == IDOK;
    case MB_OKCANCEL: return answer == IDOK || answer == IDCANCEL;
    case MB_ABORTRETRYIGNORE: return answer == IDABORT || answer == IDRETRY || answer == IDIGNORE;
    case MB_YESNOCANCEL: return answer == IDYES || answer == IDNO || answer == IDCANCEL;
    case MB_YESNO: return answer == IDYES || answer == IDNO;
    case MB_RETRYCANCEL: return answer == IDRETRY || answer == IDCANCEL;
    default: return true;
    }
}

int CancelLike(UINT flags)
{
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL: return IDCANCEL;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDOK;
    }
}

std::string DialogName(CDialog* d, size_t idx)
{
    auto& s = S();
    std::lock_guard<std::mutex> lk(s.m);
    (void)d;
    if (idx < s.dialogs.size()) {
        const auto& r = s.dialogs[idx];
        if (r.templateId)
            return "dialog " + std::to_string(r.templateId);
        return "dialog \"" + r.name.str() + "\"";
    }
    return "dialog";
}

UINT TemplateIdOf(size_t idx)
{
    auto& s = S();
    std::lock_guard<std::mutex> lk(s.m);
    return idx < s.dialogs.size() ? s.dialogs[idx].templateId : 0;
}

// The control a user acts on: it must exist, show and be enabled.
HWND UsableControl(CDialog* dlg, size_t idx, int ctrl, const char* what)
{
    HWND h = ::GetDlgItem(dlg->GetSafeHwnd(), ctrl);
    if (!h) {
        Fail(DialogName(dlg, idx) + " has no control " + std::to_string(ctrl) + " for " + what);
        return nullptr;
    }
    if (!::IsWindowVisible(h) || !::IsWindowEnabled(h)) {
        Fail(std::string(what) + ": control " + std::to_string(ctrl) + " of " + DialogName(dlg, idx) +
             (::IsWindowVisible(h) ? " is disabled" : " is hidden") + "; a user cannot reach it");
        return nullptr;
    }
    return h;
}

void Click(CDialog* dlg, size_t idx, int ctrl, const char* what)
{
    HWND h = UsableControl(dlg, idx, ctrl, what);
    if (!h)
        return;
    ::SetFocus(h);
    if (!UserClickButton(h))
        Fail(std::string(what) + ": control " + std::to_string(ctrl) + " of " + DialogName(dlg, idx) +
             " cannot be clicked");
}

void SelectRow(CDialog* dlg, size_t idx, HWND h, int ctrl, int index, bool doubleClick)
{
    ::SetFocus(h);
    CString cls = GetWindowClassName(h);
    bool ok = false;
    if (cls.CompareNoCase("ComboBox") == 0)
        ok = UserChooseComboItem(h, index);
    else if (cls.CompareNoCase("ListBox") == 0)
        ok = UserClickListBoxItem(h, index, doubleClick);
    else if (cls.CompareNoCase("SysListView32") == 0)
        ok = UserClickListItem(h, index, 0, doubleClick);
    else if (cls.CompareNoCase("SysTabControl32") == 0)
        ok = UserChooseTab(h, index);
    if (!ok)
        Fail("SelectRow: row " + std::to_string(index) + " of control " + std::to_string(ctrl) + " (" + cls.str() +
             ") of " + DialogName(dlg, idx) + " cannot be chosen");
}

void Perform(CDialog* dlg, size_t idx, const Step& st)
{
    switch (st.kind) {
    case Kind::SetText: {
        HWND h = UsableControl(dlg, idx, st.ctrl, "SetText");
        if (!h)
            return;
        if (GetWindowClassName(h).CompareNoCase("Edit") == 0 && (::GetWindowLong(h, GWL_STYLE) & ES_READONLY))
            return Fail("SetText: edit " + std::to_string(st.ctrl) + " of " + DialogName(dlg, idx) +
                        " is read-only");
        ::SetFocus(h);
        if (!UserSetText(h, st.text))
            Fail("SetText: control " + std::to_string(st.ctrl) + " of " + DialogName(dlg, idx) +
                 " does not take typed text");
        return;
    }
    case Kind::Click:
        return Click(dlg, idx, st.ctrl, "Click");
    case Kind::Check: {
        for (int i = 0; i < 3; ++i) {
            HWND h = UsableControl(dlg, idx, st.ctrl, "Check");
            if (!h)
                return;
            if ((int)::SendMessage(h, BM_GETCHECK, 0, 0) == st.index)
                return;
            Click(dlg, idx, st.ctrl, "Check");
        }
        HWND h = ::GetDlgItem(dlg->GetSafeHwnd(), st.ctrl);
        if (h && (int)::SendMessage(h, BM_GETCHECK, 0, 0) != st.index)
            Fail("Check: clicking box " + std::to_string(st.ctrl) + " of " + DialogName(dlg, idx) +
                 " never gives state " + std::to_string(st.index));
        return;
    }
    case Kind::SelectRow: {
        HWND h = UsableControl(dlg, idx, st.ctrl, "SelectRow");
        if (h)
            SelectRow(dlg, idx, h, st.ctrl, st.index, st.notify);
        return;
    }
    case Kind::SelectString: {
        HWND h = UsableControl(dlg, idx, st.ctrl, "SelectString");
        if (!h)
            return;
        CString cls = GetWindowClassName(h);
        LRESULT i = -1;
        if (cls.CompareNoCase("ComboBox") == 0)
            i = ::SendMessage(h, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)st.text.GetString());
        else if (cls.CompareNoCase("ListBox") == 0)
            i = ::SendMessage(h, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)st.text.GetString());
        if (i < 0)
            return Fail("SelectString: control " + std::to_string(st.ctrl) + " of " + DialogName(dlg, idx) +
                        " has no row \"" + st.text.str() + "\"");
        SelectRow(dlg, idx, h, st.ctrl, (int)i, false);
        return;
    }
    case Kind::Notify: {
        HWND h = ::GetDlgItem(dlg->GetSafeHwnd(), st.ctrl);
        if (!h)
            return Fail(DialogName(dlg, idx) + " has no control " + std::to_string(st.ctrl) + " for Notify");
        if (st.notify) {
            // Room for the larger notification records (NMITEMACTIVATE, NMLISTVIEW ...).
            alignas(8) unsigned char buf[128] = {};
            NotifyParent(h, reinterpret_cast<NMHDR*>(buf), st.code);
        } else {
            NotifyParent(h, st.code);
        }
        return;
    }
    case Kind::ClickColumn:
    case Kind::EndLabelEdit:
    case Kind::Spin: {
        const char* what = KindName(st.kind);
        HWND h = UsableControl(dlg, idx, st.ctrl, what);
        if (!h)
            return;
        bool ok = st.kind == Kind::ClickColumn    ? UserClickListColumn(h, st.index)
                  : st.kind == Kind::EndLabelEdit ? UserEndLabelEdit(h, st.hasText ? st.text.GetString() : nullptr,
                                                                     !st.hasText)
                                                  : UserSpin(h, st.index);
        if (!ok)
            Fail(std::string(what) + ": control " + std::to_string(st.ctrl) + " of " + DialogName(dlg, idx) +
                 " does not take it");
        return;
    }
    case Kind::PressOK:
    case Kind::PressCancel: {
        int id = st.kind == Kind::PressOK ? IDOK : IDCANCEL;
        if (::GetDlgItem(dlg->GetSafeHwnd(), id))
            return Click(dlg, idx, id, st.kind == Kind::PressOK ? "PressOK" : "PressCancel");
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        return;
    }
    case Kind::Close:
        dlg->SendMessage(WM_CLOSE, 0, 0);
        return;
    case Kind::PressKey: {
        HWND target = ::GetFocus();
        if (!target || !(target == dlg->GetSafeHwnd() || dlg->IsChild(CWnd::FromHandle(target))))
            target = dlg->GetSafeHwnd();
        ::PostMessage(target, WM_KEYDOWN, st.code, 1);
        return;
    }
    case Kind::PropDblClickName:
    case Kind::PropSetValue:
    case Kind::PropChooseOption:
    case Kind::PropExpand:
    case Kind::PropScroll: {
        const char* what = KindName(st.kind);
        HWND h = UsableControl(dlg, idx, st.ctrl, what);
        if (!h)
            return;
        bool ok = false;
        switch (st.kind) {
        case Kind::PropDblClickName: ok = UserPropDblClickName(h, st.text); break;
        case Kind::PropSetValue: ok = UserPropSetValue(h, st.text, st.text2); break;
        case Kind::PropChooseOption: ok = UserPropChooseOption(h, st.text, st.text2); break;
        case Kind::PropExpand: ok = UserPropExpand(h, st.text, st.notify); break;
        default: ok = UserPropScroll(h, st.index); break;
        }
        if (!ok)
            Fail(std::string(what) + ": property list " + std::to_string(st.ctrl) + " of " + DialogName(dlg, idx) +
                 (st.kind == Kind::PropScroll ? std::string(" cannot be scrolled")
                                              : " has no row \"" + st.text.str() + "\" a user can do that to"));
        return;
    }
    case Kind::Run:
        if (st.fn)
            st.fn(dlg);
        return;
    default:
        return;
    }
}

} // namespace

void ScriptedUser::Reset()
{
    auto& s = S();
    std::lock_guard<std::mutex> lk(s.m);
    s.steps.clear();
    s.boxes.clear();
    s.dialogs.clear();
    s.idle.clear();
    s.handler = nullptr;
    s.idleTimeout = 10000;
}

void ScriptedUser::AnswerMessageBox(int answer, const char* expectedText)
{
    Step st{Kind::MsgBox};
    st.answer = answer;
    st.hasText = expectedText != nullptr;
    st.text = expectedText;
    Push(std::move(st));
}

#define VYR_DIALOG_STEP(kindValue, body) \
    Step st{kindValue};                  \
    st.expect = expectDialog;            \
    body;                                \
    Push(std::move(st))

void ScriptedUser::SetText(int ctrlId, const char* text, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::SetText, st.ctrl = ctrlId; st.text = text);
}
void ScriptedUser::Check(int ctrlId, int state, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::Check, st.ctrl = ctrlId; st.index = state);
}
void ScriptedUser::Click(int ctrlId, UINT expectDialog) { VYR_DIALOG_STEP(Kind::Click, st.ctrl = ctrlId); }
void ScriptedUser::SelectRow(int ctrlId, int index, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::SelectRow, st.ctrl = ctrlId; st.index = index);
}
void ScriptedUser::DoubleClickRow(int ctrlId, int index, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::SelectRow, st.ctrl = ctrlId; st.index = index; st.notify = true);
}
void ScriptedUser::SelectString(int ctrlId, const char* text, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::SelectString, st.ctrl = ctrlId; st.text = text);
}
void ScriptedUser::Notify(int ctrlId, UINT code, bool notify, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::Notify, st.ctrl = ctrlId; st.code = code; st.notify = notify);
}
void ScriptedUser::ClickColumn(int ctrlId, int column, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::ClickColumn, st.ctrl = ctrlId; st.index = column);
}
void ScriptedUser::EndLabelEdit(int ctrlId, const char* text, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::EndLabelEdit, st.ctrl = ctrlId; st.hasText = text != nullptr; st.text = text);
}
void ScriptedUser::Spin(int ctrlId, int delta, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::Spin, st.ctrl = ctrlId; st.index = delta);
}
void ScriptedUser::PressOK(UINT expectDialog) { VYR_DIALOG_STEP(Kind::PressOK, (void)0); }
void ScriptedUser::PressCancel(UINT expectDialog) { VYR_DIALOG_STEP(Kind::PressCancel, (void)0); }
void ScriptedUser::Close(UINT expectDialog) { VYR_DIALOG_STEP(Kind::Close, (void)0); }
void ScriptedUser::PressKey(UINT vk, UINT expectDialog) { VYR_DIALOG_STEP(Kind::PressKey, st.code = vk); }
void ScriptedUser::PropDblClickName(int ctrlId, const char* caption, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::PropDblClickName, st.ctrl = ctrlId; st.text = caption);
}
void ScriptedUser::PropSetValue(int ctrlId, const char* caption, const char* text, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::PropSetValue, st.ctrl = ctrlId; st.text = caption; st.text2 = text);
}
void ScriptedUser::PropChooseOption(int ctrlId, const char* caption, const char* option, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::PropChooseOption, st.ctrl = ctrlId; st.text = caption; st.text2 = option);
}
void ScriptedUser::PropExpand(int ctrlId, const char* caption, bool expand, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::PropExpand, st.ctrl = ctrlId; st.text = caption; st.notify = expand);
}
void ScriptedUser::PropScroll(int ctrlId, int offset, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::PropScroll, st.ctrl = ctrlId; st.index = offset);
}
void ScriptedUser::Run(std::function<void(CDialog*)> fn, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::Run, st.fn = std::move(fn));
}
void ScriptedUser::WaitUntil(std::function<bool(CDialog*)> condition, UINT expectDialog)
{
    VYR_DIALOG_STEP(Kind::WaitUntil, st.cond = std::move(condition));
}
void ScriptedUser::WaitForEnd(UINT expectDialog) { VYR_DIALOG_STEP(Kind::WaitForEnd, (void)0); }

void ScriptedUser::AnswerFileDialog(const char* path)
{
    if (!path)
        return CancelCommonDialog();
    Step st{Kind::FileAnswer};
    st.text = path;
    Push(std::move(st));
}
void ScriptedUser::AnswerColorDialog(COLORREF color)
{
    Step st{Kind::ColorAnswer};
    st.color = color;
    Push(std::move(st));
}
void ScriptedUser::AnswerFontDialog(const LOGFONT& font, COLORREF color)
{
    Step st{Kind::FontAnswer};
    st.font = font;
    st.color = color;
    Push(std::move(st));
}
void ScriptedUser::AnswerPrintDialog(bool ok)
{
    Step st{Kind::PrintAnswer};
    st.ok = ok;
    Push(std::move(st));
}
void ScriptedUser::CancelCommonDialog() { Push(Step{Kind::CancelCommon}); }

// Takes the front step for a common dialog of the given kind; false for Cancel.
static bool TakeCommon(Kind kind, const char* name, Step* out)
{
    auto& s = S();
    std::string failure;
    {
        std::lock_guard<std::mutex> lk(s.m);
        DialogRecord rec;
        rec.name = name;
        rec.open = false;
        if (s.steps.empty()) {
            rec.unscripted = true;
            rec.result = IDCANCEL;
            s.dialogs.push_back(rec);
            return false;
        }
        Step st = s.steps.front();
        if (st.kind == kind || st.kind == Kind::CancelCommon) {
            s.steps.pop_front();
            bool ok = st.kind == kind && (kind != Kind::PrintAnswer || st.ok);
            rec.result = ok ? IDOK : IDCANCEL;
            s.dialogs.push_back(rec);
            *out = st;
            return ok;
        }
        failure = std::string(name) + " opened, but the next step is " + KindName(st.kind);
        s.steps.pop_front();
        rec.result = IDCANCEL;
        s.dialogs.push_back(rec);
    }
    Fail(failure);
    return false;
}

bool ScriptedUser::TakeFileDialogAnswer(CString& path)
{
    Step st{Kind::FileAnswer};
    if (!TakeCommon(Kind::FileAnswer, "CFileDialog", &st))
        return false;
    path = st.text;
    return true;
}

bool ScriptedUser::TakeColorDialogAnswer(COLORREF& color)
{
    Step st{Kind::ColorAnswer};
    if (!TakeCommon(Kind::ColorAnswer, "CColorDialog", &st))
        return false;
    color = st.color;
    return true;
}

bool ScriptedUser::TakeFontDialogAnswer(LOGFONT& font, COLORREF& color)
{
    Step st{Kind::FontAnswer};
    if (!TakeCommon(Kind::FontAnswer, "CFontDialog", &st))
        return false;
    font = st.font;
    color = st.color;
    return true;
}

bool ScriptedUser::TakePrintDialogAnswer()
{
    Step st{Kind::PrintAnswer};
    return TakeCommon(Kind::PrintAnswer, "CPrintDialog", &st);
}

std::vector<MessageBoxRecord> ScriptedUser::MessageBoxes()
{
    std::lock_guard<std::mutex> lk(S().m);
    return S().boxes;
}

std::vector<DialogRecord> ScriptedUser::Dialogs()
{
    std::lock_guard<std::mutex> lk(S().m);
    return S().dialogs;
}

size_t ScriptedUser::PendingSteps()
{
    std::lock_guard<std::mutex> lk(S().m);
    return S().steps.size();
}

void ScriptedUser::SetFailureHandler(std::function<void(const std::string&)> handler)
{
    std::lock_guard<std::mutex> lk(S().m);
    S().handler = std::move(handler);
}

void ScriptedUser::SetIdleTimeout(unsigned milliseconds)
{
    std::lock_guard<std::mutex> lk(S().m);
    S().idleTimeout = milliseconds;
}

int ScriptedUser::ShowMessageBox(const char* text, const char* caption, UINT flags)
{
    auto& s = S();
    std::string failure;
    int answer = CancelLike(flags);
    {
        std::lock_guard<std::mutex> lk(s.m);
        MessageBoxRecord rec;
        rec.text = text ? text : "";
        rec.caption = caption ? caption : "";
        rec.flags = flags;
        if (s.steps.empty()) {
            failure = "message box with nothing scripted: \"" + rec.text.str() + "\"";
        } else if (s.steps.front().kind != Kind::MsgBox) {
            failure = "message box \"" + rec.text.str() + "\" appeared, but the next step is " +
                      KindName(s.steps.front().kind);
        } else {
            Step st = s.steps.front();
            s.steps.pop_front();
            if (st.hasText && rec.text.Find(st.text) < 0)
                failure = "message box \"" + rec.text.str() + "\" appeared where \"" + st.text.str() +
                          "\" was expected";
            else if (!AnswerFits(flags, st.answer))
                failure = "message box \"" + rec.text.str() + "\" has no button for the answer " +
                          std::to_string(st.answer);
            else
                answer = st.answer;
        }
        rec.answer = answer;
        s.boxes.push_back(rec);
    }
    if (!failure.empty())
        Fail(failure);
    return answer;
}

size_t ScriptedUser::DialogOpened(UINT templateId, const char* name)
{
    auto& s = S();
    std::lock_guard<std::mutex> lk(s.m);
    DialogRecord rec;
    rec.templateId = templateId;
    rec.name = name ? name : "";
    s.dialogs.push_back(rec);
    s.idle.resize(s.dialogs.size());
    return s.dialogs.size() - 1;
}

void ScriptedUser::DialogEnded(size_t index, INT_PTR result)
{
    auto& s = S();
    std::lock_guard<std::mutex> lk(s.m);
    if (index >= s.dialogs.size())
        return;
    s.dialogs[index].result = result;
    s.dialogs[index].open = false;
    // A WaitForEnd for this dialog is done: the one it was waiting on, or one that no other
    // open dialog waits on (the dialog may end before its loop was ever idle).
    if (s.steps.empty() || s.steps.front().kind != Kind::WaitForEnd)
        return;
    const Step& front = s.steps.front();
    if (index < s.idle.size() && s.idle[index].waitingSerial == front.serial) {
        s.steps.pop_front();
        return;
    }
    if (front.expect && front.expect != s.dialogs[index].templateId)
        return;
    for (size_t i = 0; i < s.dialogs.size() && i < s.idle.size(); ++i)
        if (i != index && s.dialogs[i].open && s.idle[i].waitingSerial == front.serial)
            return;
    s.steps.pop_front();
}

void ScriptedUser::DialogIdle(CDialog* dialog, size_t recordIndex)
{
    auto& s = S();
    using clock = std::chrono::steady_clock;
    std::string failure;
    Step step{Kind::Run};
    bool act = false, pressCancel = false;
    UINT id = TemplateIdOf(recordIndex);
    std::string name = DialogName(dialog, recordIndex);
    {
        std::lock_guard<std::mutex> lk(s.m);
        if (recordIndex >= s.idle.size())
            s.idle.resize(recordIndex + 1);
        IdleState& is = s.idle[recordIndex];
        auto now = clock::now();
        auto waited = [&](unsigned serial) {
            if (is.waitingSerial != serial) {
                is.waitingSerial = serial;
                is.since = now;
            }
            return (unsigned)std::chrono::duration_cast<std::chrono::milliseconds>(now - is.since).count();
        };
        if (s.steps.empty()) {
            if (!is.cancelPressed) {
                is.cancelPressed = true;
                s.dialogs[recordIndex].unscripted = true;
                pressCancel = true;
            } else if (waited((unsigned)-1) > s.idleTimeout) {
                failure = name + " did not end after Cancel and nothing more is scripted";
            }
        } else {
            Step& front = s.steps.front();
            if (!IsDialogStep(front.kind)) {
                if (waited(front.serial) > s.idleTimeout)
                    failure = name + " waits for the user, but the next step is " + KindName(front.kind);
            } else if (front.expect && front.expect != id) {
                if (waited(front.serial) > s.idleTimeout)
                    failure = "the next step (" + std::string(KindName(front.kind)) + ") expects dialog " +
                              std::to_string(front.expect) + ", but " + name + " is open";
            } else if (front.kind == Kind::WaitForEnd) {
                if (waited(front.serial) > s.idleTimeout)
                    failure = name + " did not end by itself";
            } else if (front.kind == Kind::WaitUntil) {
                step = front; // evaluated below, without the lock
                waited(front.serial);
                act = true;
            } else {
                step = front;
                s.steps.pop_front();
                act = true;
            }
            if (!failure.empty())
                s.steps.pop_front();
        }
    }
    if (!failure.empty()) {
        Fail(failure);
        dialog->EndDialog(IDCANCEL);
        return;
    }
    if (pressCancel) {
        // The user's Cancel: the button when it can be pressed, else Esc.
        HWND cancel = ::GetDlgItem(dialog->GetSafeHwnd(), IDCANCEL);
        if (cancel && ::IsWindowVisible(cancel) && ::IsWindowEnabled(cancel))
            vyr::Click(dialog, recordIndex, IDCANCEL, "Cancel");
        else
            dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return;
    }
    if (act && step.kind == Kind::WaitUntil) {
        if (step.cond && step.cond(dialog)) {
            std::lock_guard<std::mutex> lk(s.m);
            if (!s.steps.empty() && s.steps.front().serial == step.serial)
                s.steps.pop_front();
            return;
        }
        unsigned over = 0;
        {
            std::lock_guard<std::mutex> lk(s.m);
            auto& is = s.idle[recordIndex];
            over = (unsigned)std::chrono::duration_cast<std::chrono::milliseconds>(clock::now() - is.since).count();
            if (over > s.idleTimeout && !s.steps.empty() && s.steps.front().serial == step.serial)
                s.steps.pop_front();
            else
                over = 0;
        }
        if (over) {
            Fail("the condition of WaitUntil in " + name + " never held");
            dialog->EndDialog(IDCANCEL);
            return;
        }
        ui::WaitForEvent(10);
        return;
    }
    if (act) {
        Perform(dialog, recordIndex, step);
        return;
    }
    ui::WaitForEvent(20);
}

} // namespace vyr

// ---------------------------------------------------------------------------------------

namespace vyr {

namespace {

HWND ReachableControl(CWnd* window, int ctrl, const char* what)
{
    HWND h = window ? ::GetDlgItem(window->GetSafeHwnd(), ctrl) : nullptr;
    std::string name = std::string(what) + ": control " + std::to_string(ctrl);
    if (!h) {
        Fail(name + " does not exist");
        return nullptr;
    }
    if (!::IsWindowVisible(h) || !::IsWindowEnabled(h)) {
        Fail(name + (::IsWindowVisible(h) ? " is disabled" : " is hidden") + "; a user cannot reach it");
        return nullptr;
    }
    return h;
}

bool Done(bool ok, const char* what, int ctrl)
{
    if (!ok)
        Fail(std::string(what) + ": control " + std::to_string(ctrl) + " does not take it");
    return ok;
}

} // namespace

bool WindowUser::Type(CWnd* window, int ctrlId, const char* text)
{
    HWND h = ReachableControl(window, ctrlId, "Type");
    if (!h)
        return false;
    ::SetFocus(h);
    return Done(UserSetText(h, text), "Type", ctrlId);
}

bool WindowUser::Click(CWnd* window, int ctrlId)
{
    HWND h = ReachableControl(window, ctrlId, "Click");
    if (!h)
        return false;
    ::SetFocus(h);
    return Done(UserClickButton(h), "Click", ctrlId);
}

bool WindowUser::SelectRow(CWnd* window, int ctrlId, int index, bool doubleClick)
{
    HWND h = ReachableControl(window, ctrlId, "SelectRow");
    if (!h)
        return false;
    ::SetFocus(h);
    const CString cls = GetWindowClassName(h);
    bool ok = false;
    if (cls.CompareNoCase("ComboBox") == 0)
        ok = UserChooseComboItem(h, index);
    else if (cls.CompareNoCase("ListBox") == 0)
        ok = UserClickListBoxItem(h, index, doubleClick);
    else if (cls.CompareNoCase("SysListView32") == 0)
        ok = UserClickListItem(h, index, 0, doubleClick);
    else if (cls.CompareNoCase("SysTabControl32") == 0)
        ok = UserChooseTab(h, index);
    return Done(ok, "SelectRow", ctrlId);
}

bool WindowUser::SelectString(CWnd* window, int ctrlId, const char* text)
{
    HWND h = ReachableControl(window, ctrlId, "SelectString");
    if (!h)
        return false;
    const CString cls = GetWindowClassName(h);
    LRESULT i = -1;
    if (cls.CompareNoCase("ComboBox") == 0)
        i = ::SendMessage(h, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text);
    else if (cls.CompareNoCase("ListBox") == 0)
        i = ::SendMessage(h, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text);
    if (i < 0)
        return Done(false, "SelectString", ctrlId);
    return SelectRow(window, ctrlId, (int)i);
}

} // namespace vyr

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT)
{
    CWinApp* app = AfxGetApp();
    return vyr::ScriptedUser::ShowMessageBox(lpszText, app && app->m_pszAppName ? app->m_pszAppName : "", nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text = VyrLoadString(nIDPrompt);
    VYR_CHECK(!text.IsEmpty(), "AfxMessageBox: the string table has no such string");
    return AfxMessageBox(text, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

int MessageBox(HWND, LPCTSTR lpText, LPCTSTR lpCaption, UINT uType)
{
    return vyr::ScriptedUser::ShowMessageBox(lpText, lpCaption ? lpCaption : "错误", uType);
}
