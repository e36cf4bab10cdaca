// Base of the host's model generators: dialogs in which the user fills in numbers, sees
// the generated piece of structure blink in the active drawing view (Preview) and
// confirms it into the model as one undoable step. A subclass builds the sketch from its
// input in BuildStructSketch; the base zooms the view to the sketch and the selection,
// blinks it on the one timer of the library, and on OK writes it into the model and hands
// the undo record to the host.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/protocol/DlgRecordPos.h>
#include <vyr/model/struct/StructSketch.h>

class CGlobalData;

class CDlgModel : public CDlgRecordPos
{
    DECLARE_DYNAMIC(CDlgModel)
public:
    // The timer that blinks the sketch, and its period.
    static constexpr UINT_PTR kBlinkTimer = 20;
    static constexpr UINT kBlinkPeriod = 500;

    CDlgModel(UINT nIDTemplate, CWnd* pParent);
    ~CDlgModel() override = default;

    // Builds the sketch from the current input (it was emptied before); true when there
    // is something to show or to apply.
    virtual bool BuildStructSketch() = 0;
    // Whether confirming replaces the selection: the selected objects are deleted.
    virtual bool IsDelete() { return false; }

    // Builds and shows the sketch, the view zoomed to it and the selection; true when it
    // is shown and blinking. Any earlier blinking stops first (unless there is no view).
    bool Preview();
    // Timer 20: draws the sketch in the view in use type 1 and 2 alternately.
    static void StructSketchEventTimerProc(HWND hWnd, UINT nMsg, UINT_PTR nIDEvent, DWORD dwTime);

    CStructSketch m_sketch;
    CGlobalData* m_pGlobalData = nullptr;
    // Ticks of every model dialog's blinking, wrapping to 0 at 5000.
    static int s_nBlinkCount;

protected:
    void OnOK() override;
    void OnCancel() override;
};
