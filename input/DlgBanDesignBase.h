// What the slab reinforcement dialogs share: the rooms and the model root the caller gives,
// the basic parameters, the two flags the caller reads after OK, the host's slab-design
// settings and the design of the rooms by their two moments.
#pragma once

#include <initializer_list>

#include <vyr/stdafx.h>

class CGlobalData;
class CMaterialBase;
class CPlane;
class CPlaneList;

class CDlgBanDesignBase : public CDialog
{
public:
    CGlobalData* m_pData = nullptr;
    CPlaneList* m_pPlaneList = nullptr; // the rooms to design, each with a slab
    int m_nCover = 15;                  // mm
    int m_nThick = 100;                 // mm, exchanged and checked only
    int m_nGrade = 0;                   // steel grade index, combo 1550
    int m_bFreeChoice = 1;              // check box 1020, never enabled: stays ticked
    bool m_bDesigned = false;           // an automatic design has run
    bool m_bDesignValid = true;         // the last automatic design succeeded

protected:
    CDlgBanDesignBase(UINT idd, CWnd* pParent) : CDialog(idd, pParent) {}

    // Takes the host's slab-design settings (block 2: grade, cover, positive and negative
    // spacing) into the members; a value outside the dialog's limits keeps the default.
    // With fixGrade a negative grade in the block is set to 0 there first.
    void TakeSettings(std::initializer_list<int*> posSpaces, std::initializer_list<int*> negSpaces, int grades,
                      bool fixGrade);
    // The material the slab computations receive.
    CMaterialBase* Material() const;
    // Sets every room's cover and designs the room of the largest |m1| for the negative and
    // the room of the largest |m2| for the positive bars (the first room unless a later one
    // is strictly larger). False at the first design that fails.
    bool DesignTwoMoments(float& posNeed, float& negNeed);
    // Conditional design of one group of a two-moment dialog (diameter, spacing, required and
    // provided area members): follows the user's change of the bars against a fresh design.
    void RedesignTwoMomentGroup(bool negative, int& diameter, int& space, float& need, float& area);
    void Enable(std::initializer_list<int> ids, bool enable);

    // The end of every start: the host's settings taken, the controls that wait for a design
    // disabled, the members shown.
    void Start(std::initializer_list<int*> posSpaces, std::initializer_list<int*> negSpaces, int grades, bool fixGrade,
               std::initializer_list<int> disabled);
    // The free-choice box: the conditional design buttons follow it once a design has run.
    void FreeChoiceChanged(std::initializer_list<int> buttons);
    // The basic parameters: cover (on its control) with the thickness, the grade and the box.
    void ExchangeBasics(CDataExchange* pDX, int coverId);
    // One bar group: diameter 6 to 50 and spacing 50 to 400 mm, its provided and required area.
    static void ExchangeGroup(CDataExchange* pDX, const int ids[4], int& diameter, int& space, float& area,
                              float& need);
};
