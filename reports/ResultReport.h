// The frame of the result reports whose chapter writer takes no writer (member forces,
// node displacements, statistics): OutputUnite writes into the dialog's writer of the
// pass, which is the report control's writer except while a save writes the document.
#pragma once

#include <vyr/protocol/DlgReportChapter.h>

class CBasicLoadCase;
class CGlobalData;
class CLoadCombination;

class CDlgResultReport : public CDlgReportChapter
{
public:
    using CDlgReportChapter::CDlgReportChapter;

    // The chapter, without the report head.
    virtual void OutputUnite() = 0;
    // The chapter into `out` (the flag changes nothing: these chapters never carry the
    // head); the dialog's writer is the report control's again afterwards.
    void Output(COutput* out, int flag) override;

protected:
    COutput& Out() { return *m_pOut; }

private:
    COutput* m_pOut = &m_output;
};

// Makes `lc` stand for one basic case, with the structure's seismic definition of a
// horizontal seismic case (none without a model root).
void FillCaseCombination(CLoadCombination& lc, CBasicLoadCase* basic, CGlobalData* data);

// Calls fn for every object of a model list, head to tail; nothing for a null list.
template <class List, class Fn>
void ForEachIn(const List* list, Fn fn)
{
    if (list == nullptr)
        return;
    for (POSITION pos = list->GetHeadPosition(); pos != nullptr;)
        fn(list->GetNextT(pos));
}
