// The one object through which a drawing view reaches its operators: it holds the current
// operator and the remembered ones (default, last command, the operator a temporary one
// interrupted), decides on every change which of them to keep, copy or delete, and itself
// turns the middle button and the wheel into temporary pan, free rotation and zoom.
#pragma once

#include <vector>

#include <vyr/operators/OP.h>

class COPManager
{
public:
    COPManager();
    ~COPManager();
    COPManager(const COPManager&) = delete;
    COPManager& operator=(const COPManager&) = delete;

    void Initial(CView* view, CGlobalData* modelRoot);

    // The manager holds a clone of op, never op itself.
    void SetOP(const COP& op);
    // A new operator of a registered type string; an unknown string changes nothing.
    void SetOP(const CString& type);

    bool MouseAction(int code, UINT flags, CPoint point, short wheelDelta);
    bool KeyDown(UINT key, UINT repeat, UINT flags);
    bool KeyUp(UINT key, UINT repeat, UINT flags);
    void OnDraw(CDC* pDC);
    HCURSOR GetCursor();

    CString GetOPDesc() const;
    CString GetOPType() const;
    CString GetLastOPDesc() const;
    CString GetToolTip() const;
    bool IsDefault() const;
    bool HasLastOP() const;

    void ResumeDefaultOP();
    void ResumeLastOP();
    void ResumeTempOP();
    void ResetState();

    // For the host and tests: the operators held now (null when none).
    COP* GetCurOP() const { return m_pCurOP; }
    COP* GetLastOP() const { return m_pLastOP; }
    COP* GetDefaultOP() const { return m_pDefaultOP; }
    COP* GetTempOP() const { return m_pTempOP; }
    CView* GetView() const { return m_pView; }
    CGlobalData* GetGlobalData() const { return m_pGlobalData; }

private:
    void SetCurOP(COP* op);
    void Keep(COP* op);
    // Deletes at once, or, while an event is being handled, when the outermost event
    // returns: the operator that handles it may be the one replaced.
    void Delete(COP* op);
    static COP* CloneOP(const COP* op);
    void FlushDeleted();

    // Counts nested event calls; operators call back into the manager from their handlers.
    class EventScope
    {
    public:
        explicit EventScope(COPManager* m) : m_p(m) { ++m_p->m_nEventDepth; }
        ~EventScope()
        {
            if (--m_p->m_nEventDepth == 0)
                m_p->FlushDeleted();
        }
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;

    private:
        COPManager* m_p;
    };

    CView* m_pView;
    CGlobalData* m_pGlobalData;
    COP* m_pCurOP;
    COP* m_pLastOP;
    COP* m_pDefaultOP;
    COP* m_pTempOP;
    std::vector<COP*> m_KeptOPs;

    int m_nEventDepth = 0;
    std::vector<COP*> m_DeletedOPs;
};
