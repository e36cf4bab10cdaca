// The scripted user: how tests and the sample host drive the library as a person would.
//
// There is one queue of steps, taken in order:
//  - message-box answers: every AfxMessageBox / CWnd::MessageBox / ::MessageBox is recorded
//    (text, caption, flags) and takes the next step, which must be an answer;
//  - dialog actions: whenever a modal dialog's loop has nothing left to do, the next step
//    acts in that (the innermost) dialog: type a text, tick a box, choose a row, click a
//    button, press OK/Cancel or a key, run a callback, wait for a condition or for the
//    dialog to end itself. A dialog opened from a dialog is scripted in the same queue,
//    in the order the dialogs open. Each action may name the template id of the dialog it
//    expects (0: whichever is open);
//  - common-dialog answers (file path, colour, font, print), taken by the file, colour,
//    font and print dialogs in the order they open.
//
// Failures are loud: a message box with nothing scripted, a step that does not fit what
// happens (an answer where a dialog waits, a dialog of another template, a control that is
// missing, hidden or disabled), or a dialog that sits idle for the idle timeout with a
// step it cannot take. The failure handler (default: print the message and abort) is
// called with a message naming what went wrong; if it returns, the message box is
// answered with its cancel-like button and the dialog with Cancel.
//
// A dialog that opens with nothing left in the queue is ended with Cancel (pressed once, as
// a user would); that is recorded in its DialogRecord.
//
// A test, for example:
//     vyr::ScriptedUser::Reset();
//     vyr::ScriptedUser::SetText(IDC_LENGTH, "abc", IDD_MEMBER);   // typed into the edit
//     vyr::ScriptedUser::PressOK();                                // refused: a message box
//     vyr::ScriptedUser::AnswerMessageBox(IDOK, "请输入一个数字。");
//     vyr::ScriptedUser::SetText(IDC_LENGTH, "6000");
//     vyr::ScriptedUser::PressOK();
//     CDlgMember dlg(...);
//     EXPECT_EQ(dlg.DoModal(), IDOK);
//     EXPECT_EQ(vyr::ScriptedUser::PendingSteps(), 0u);
// A dialog whose worker ends it: WaitUntil(...) for a state, Click(...) a stop button, then
// WaitForEnd(). Tests may also drive their own loop with vyr::PumpMessages().
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <vyr/cstring.h>
#include <vyr/gdi.h>
#include <vyr/winmsg.h>
#include <vyr/wintypes.h>

class CDialog;
class CWnd;

namespace vyr {

struct MessageBoxRecord
{
    CString text;
    CString caption;
    UINT flags = 0;
    int answer = 0;
};

struct DialogRecord
{
    UINT templateId = 0;   // 0 for a template by name and for the common dialogs
    CString name;          // template name, or "CFileDialog", "CColorDialog", "CFontDialog", "CPrintDialog"
    INT_PTR result = 0;    // what DoModal returned
    bool unscripted = false; // ended with Cancel because nothing was scripted
    bool open = true;        // still running
};

class ScriptedUser
{
public:
    // Empties the queue and the records, restores the default failure handler and idle timeout.
    static void Reset();

    // ----- message boxes
    // The next box is answered with answer (IDOK, IDYES, ...). With expectedText, the box's
    // text must contain it. An answer the box has no button for fails.
    static void AnswerMessageBox(int answer, const char* expectedText = nullptr);

    // ----- actions in a modal dialog (expectDialog: template id, 0 for any)
    // Types text into the control (it takes the focus first): WM_SETTEXT, so an edit
    // notifies EN_CHANGE.
    static void SetText(int ctrlId, const char* text, UINT expectDialog = 0);
    // Clicks a check box until it shows the state (BST_CHECKED / BST_UNCHECKED).
    static void Check(int ctrlId, int state = BST_CHECKED, UINT expectDialog = 0);
    // Clicks a button (takes the focus, then BM_CLICK).
    static void Click(int ctrlId, UINT expectDialog = 0);
    // Chooses a row of a combo box, list box, list control or tab control as a user does,
    // so the control notifies its parent (CBN_SELCHANGE, LBN_SELCHANGE, ...).
    static void SelectRow(int ctrlId, int index, UINT expectDialog = 0);
    // A double click on a row of a list box or list control.
    static void DoubleClickRow(int ctrlId, int index, UINT expectDialog = 0);
    // The same as SelectRow, by the row's text (exact match; a missing text fails).
    static void SelectString(int ctrlId, const char* text, UINT expectDialog = 0);
    // A click on a column heading of a list control (LVN_COLUMNCLICK).
    static void ClickColumn(int ctrlId, int column, UINT expectDialog = 0);
    // Ends the label edit of a list control with a text (null: the user cancels it).
    static void EndLabelEdit(int ctrlId, const char* text, UINT expectDialog = 0);
    // Presses a spin button's arrow: the position moves by delta (negative: down).
    static void Spin(int ctrlId, int delta, UINT expectDialog = 0);
    // The control sends a notification to the dialog (WM_COMMAND code, or WM_NOTIFY when
    // notify is true), e.g. NM_DBLCLK of a list control.
    static void Notify(int ctrlId, UINT code, bool notify, UINT expectDialog = 0);
    // OK / Cancel: the button of that id when there is one (it must be enabled), else the
    // command as Enter / Esc would give it.
    static void PressOK(UINT expectDialog = 0);
    static void PressCancel(UINT expectDialog = 0);
    // The close box (WM_CLOSE).
    static void Close(UINT expectDialog = 0);
    // A key pressed in the control that has the focus (WM_KEYDOWN through the loop's
    // PreTranslateMessage, as a real key is).
    static void PressKey(UINT vk, UINT expectDialog = 0);
    // Property lists (a CBCGPPropList control; rows named by caption, see vyr/proplist.h):
    // a double click on a row's name; a value typed into a row, then Enter; one of a row's
    // options chosen; a group opened or closed; the list scrolled to a pixel offset.
    static void PropDblClickName(int ctrlId, const char* caption, UINT expectDialog = 0);
    static void PropSetValue(int ctrlId, const char* caption, const char* text, UINT expectDialog = 0);
    static void PropChooseOption(int ctrlId, const char* caption, const char* option, UINT expectDialog = 0);
    static void PropExpand(int ctrlId, const char* caption, bool expand, UINT expectDialog = 0);
    static void PropScroll(int ctrlId, int offset, UINT expectDialog = 0);
    // Runs a callback with the dialog object.
    static void Run(std::function<void(CDialog*)> fn, UINT expectDialog = 0);
    // Keeps the dialog's loop running until the condition holds.
    static void WaitUntil(std::function<bool(CDialog*)> condition, UINT expectDialog = 0);
    // Keeps the dialog's loop running until the dialog ends by itself.
    static void WaitForEnd(UINT expectDialog = 0);

    // ----- common dialogs
    static void AnswerFileDialog(const char* path);  // null: Cancel
    static void AnswerColorDialog(COLORREF color);
    static void AnswerFontDialog(const LOGFONT& font, COLORREF color = 0);
    static void AnswerPrintDialog(bool ok);
    static void CancelCommonDialog();
    // Used by the common dialogs: take the next step for them. False means Cancel (also
    // when nothing is scripted; that is recorded).
    static bool TakeFileDialogAnswer(CString& path);
    static bool TakeColorDialogAnswer(COLORREF& color);
    static bool TakeFontDialogAnswer(LOGFONT& font, COLORREF& color);
    static bool TakePrintDialogAnswer();

    // ----- records
    static std::vector<MessageBoxRecord> MessageBoxes();
    static std::vector<DialogRecord> Dialogs();
    // Steps not yet taken.
    static size_t PendingSteps();

    // ----- failure and patience
    static void SetFailureHandler(std::function<void(const std::string&)> handler);
    // How long (real time) a dialog may sit idle with a step it cannot take.
    static void SetIdleTimeout(unsigned milliseconds);

    // ----- used by the platform
    // Shows a message box: records it and returns the scripted answer.
    static int ShowMessageBox(const char* text, const char* caption, UINT flags);
    // A modal dialog opens / ends (returns the record's index).
    static size_t DialogOpened(UINT templateId, const char* name);
    static void DialogEnded(size_t index, INT_PTR result);
    // The dialog's loop is idle: take one step (or wait a little). The loop calls it again
    // until the dialog ends.
    static void DialogIdle(CDialog* dialog, size_t recordIndex);
};

// Acting on the controls of a window that is not modal (a side panel, a modeless dialog) as
// a user does, at once. The control must exist, show and be enabled, and take the action;
// otherwise the scripted user's failure handler is called and the answer is false.
class WindowUser
{
public:
    // Types a text into an edit or an editable combo box (it takes the focus first).
    static bool Type(CWnd* window, int ctrlId, const char* text);
    // Clicks a button or a check box.
    static bool Click(CWnd* window, int ctrlId);
    // Chooses a row of a combo box, list box, list control or tab control; a double click
    // of a list box or list control row with doubleClick.
    static bool SelectRow(CWnd* window, int ctrlId, int index, bool doubleClick = false);
    // The same, by the row's exact text in a combo box or list box.
    static bool SelectString(CWnd* window, int ctrlId, const char* text);
};

} // namespace vyr
