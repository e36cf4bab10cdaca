// The operator framework: COPBase declares the event interface of an interactive mode of a
// drawing view; COP is the composite base of every operator (sub-operators run one after
// another) with its step, operator type, description, callbacks, user parameter and prompt.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/base/base.h>
#include <vyr/model/geometry/geometry.h>
#include <vyr/resources/resource.h>

class CGlobalData;
class COPManager;
class COP;

// Operator types: how the manager treats an operator when it is replaced.
enum
{
    OPTYPE_DEFAULT = 0,   // runs when nothing else does (the selection operators)
    OPTYPE_COMMAND = 1,   // started by the user or a panel; ends by returning to the default
    OPTYPE_TEMPORARY = 2, // interrupts the current operator and gives control back to it
    OPTYPE_ONESHOT = 3    // never remembered as the last operator
};

// Mouse event codes of COPManager::MouseAction, as the host sends them.
enum
{
    OPMOUSE_LDOWN = 0,
    OPMOUSE_LUP = 1,
    OPMOUSE_LDBLCLK = 2,
    OPMOUSE_RCLICK = 3,
    OPMOUSE_MDOWN = 6,
    OPMOUSE_MUP = 7,
    OPMOUSE_WHEEL = 8,
    OPMOUSE_MOVE = 9
};

class COPBase : public CObj
{
public:
    COPBase();
    COPBase(const COPBase& o);
    COPBase& operator=(const COPBase& o);
    ~COPBase() override;

    // The base part of two operators always compares equal.
    bool operator==(const COPBase&) const { return true; }
    bool operator!=(const COPBase&) const { return false; }

    // True when the event was used.
    virtual bool MouseAction(int code, UINT flags, CPoint point, short wheelDelta) = 0;
    virtual bool KeyDown(UINT key, UINT repeat, UINT flags) = 0;
    virtual bool KeyUp(UINT key, UINT repeat, UINT flags) = 0;

protected:
    virtual void GetPts_Inn(std::vector<CPoint3D>& points) = 0;
    virtual void SetPts_Inn(int& position, const std::vector<CPoint3D>& points) = 0;

public:
    virtual void SetParam(CView* view, CGlobalData* modelRoot, COPManager* manager);

    CView* GetView() const { return m_pView; }
    CGlobalData* GetGlobalData() const { return m_pGlobalData; }
    COPManager* GetOPManager() const { return m_pOPManager; }
    COP* GetParentOP() const { return m_pParent; }

protected:
    CView* m_pView;
    CGlobalData* m_pGlobalData;
    COPManager* m_pOPManager;
    COP* m_pParent;
};

typedef void (*OPFUN)(COP*);

// The create function and the registration member of an operator class, both named after
// the class. The registration members are all defined in OPRegistry.cpp, in the one fixed
// order of registration.
#define DECLARE_VYROP(cls)            \
public:                               \
    static CObj* cls##Create();       \
    static const CObjRuntime cls##Runtime;

class COP : public COPBase
{
    DECLARE_VYROP(COP)
public:
    COP();
    COP(const COP& o);
    COP& operator=(const COP& o);
    ~COP() override;

    bool operator==(const COP& o) const;
    bool operator!=(const COP& o) const { return !(*this == o); }

    // CObj
    CObj* Clone() const override;
    void CopyFrom(const CObj& other) override;
    CString GetType() const override;
    CString GetDesc() const override;
    void Save(IStream*) override {}
    void Load(IStream*) override {}

    // COPBase: events go to the running sub-operator (index step + 1).
    bool MouseAction(int code, UINT flags, CPoint point, short wheelDelta) override;
    bool KeyDown(UINT key, UINT repeat, UINT flags) override;
    bool KeyUp(UINT key, UINT repeat, UINT flags) override;
    void SetParam(CView* view, CGlobalData* modelRoot, COPManager* manager) override;

    virtual void OnDraw(CDC* pDC);
    // The cursor to show, or null for none of its own.
    virtual HCURSOR GetCursor() const;
    virtual void ResetState() {}
    virtual void SetPts(int index, const std::vector<CPoint3D>& points);
    virtual void GetPts(int index, std::vector<CPoint3D>& points);
    virtual void MarchOPStep();

    void SetOPDesc(const CString& desc) { m_strDesc = desc; }
    CString GetOPDesc() const;
    // A callback makes a default operator a command.
    void SetFun(OPFUN cancel, OPFUN finish);
    void SetFun(int index, OPFUN cancel, OPFUN finish);
    int GetOPType() const { return m_nOPType; }
    void SetOPType(int type) { m_nOPType = type; }
    int GetCurStep() const { return m_nStep + 1; }
    void SetCurStep(int step, CGlobalData* modelRoot);
    DWORD GetParam() const { return m_dwParam; }
    void SetParam(DWORD param) { m_dwParam = param; }
    CString GetToolTip() const { return m_strToolTip; }
    // Stores the prompt and tells the host (sent, so the host has read it on return).
    void SetToolTip(const CString& tip);

    OPFUN GetCancelFun() const { return m_pCancelFun; }
    OPFUN GetFinishFun() const { return m_pFinishFun; }
    int GetSubOPCount() const { return (int)m_OPs.size(); }
    COP* GetSubOP(int index) const;

protected:
    bool CompSameType(const CObj& other) const override;
    void GetPts_Inn(std::vector<CPoint3D>& points) override;
    void SetPts_Inn(int& position, const std::vector<CPoint3D>& points) override;

    COP* AddOP(const COP& op);
    void ClearData();
    // The running sub-operator, or null.
    COP* CurSubOP() const;

    std::vector<COP*> m_OPs;
    int m_nStep;
    int m_nOPType;
    CString m_strDesc;
    OPFUN m_pCancelFun;
    OPFUN m_pFinishFun;
    DWORD m_dwParam;
    CString m_strToolTip;
};
