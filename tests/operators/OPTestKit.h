// Operators made for the tests: a composite, a point holder, a selection of type 0 and a
// command that ends itself from inside its own handler.
#pragma once

#include <vector>

#include <vyr/operators/OPManager.h>

namespace optest {

// Counts living test operators, so a test sees each one deleted exactly once.
inline int g_live = 0;

// Holds n points, takes them from SetPts_Inn and gives them back through GetPts_Inn; records
// the events it receives.
class CPointOP : public COP
{
public:
    explicit CPointOP(int n = 1) : m_n(n) { ++g_live; }
    CPointOP(const CPointOP& o) : COP(o), m_n(o.m_n), m_pts(o.m_pts) { ++g_live; }
    ~CPointOP() override { --g_live; }
    CObj* Clone() const override { return new CPointOP(*this); }
    CString GetType() const override { return "OP.TestPoint"; }
    bool MouseAction(int code, UINT, CPoint, short) override
    {
        m_events.push_back(code);
        return true;
    }
    bool KeyDown(UINT key, UINT, UINT) override
    {
        m_events.push_back(1000 + (int)key);
        return true;
    }
    HCURSOR GetCursor() const override { return (HCURSOR)MAKEINTRESOURCE(77); }

    int m_n;
    std::vector<CPoint3D> m_pts;
    std::vector<int> m_events;

protected:
    void GetPts_Inn(std::vector<CPoint3D>& points) override { points.insert(points.end(), m_pts.begin(), m_pts.end()); }
    void SetPts_Inn(int& position, const std::vector<CPoint3D>& points) override
    {
        m_pts.clear();
        for (int i = 0; i < m_n && position < (int)points.size(); ++i)
            m_pts.push_back(points[(size_t)position++]);
    }
};

// A composite of sub-operators, as a two-point input is made of two one-point inputs.
class CCompositeOP : public COP
{
public:
    explicit CCompositeOP(int parts = 2)
    {
        ++g_live;
        for (int i = 0; i < parts; ++i)
            AddOP(CPointOP(i + 1));
    }
    CCompositeOP(const CCompositeOP& o) : COP(o) { ++g_live; }
    ~CCompositeOP() override { --g_live; }
    CObj* Clone() const override { return new CCompositeOP(*this); }
    CString GetType() const override { return "OP.TestComposite"; }
    CPointOP* Sub(int i) const { return static_cast<CPointOP*>(GetSubOP(i)); }
};

// A stand-in for the selection operators: type 0; counts ResetState calls.
class CSelectOP : public COP
{
public:
    CSelectOP()
    {
        ++g_live;
        m_nOPType = OPTYPE_DEFAULT;
    }
    CSelectOP(const CSelectOP& o) : COP(o), m_resets(o.m_resets) { ++g_live; }
    ~CSelectOP() override { --g_live; }
    CObj* Clone() const override { return new CSelectOP(*this); }
    CString GetType() const override { return "OP.TestSelect"; }
    CString GetDesc() const override { return "测试选择"; }
    void ResetState() override { ++m_resets; }
    bool MouseAction(int, UINT, CPoint, short) override { return true; }
    int m_resets = 0;
};

// A command that, on the right button, ends itself by returning to the default operator
// (or the parked one) and then still writes to its own state, as real handlers do.
class CCommandOP : public COP
{
public:
    explicit CCommandOP(int type = OPTYPE_COMMAND)
    {
        ++g_live;
        m_nOPType = type;
    }
    CCommandOP(const CCommandOP& o) : COP(o), m_resets(o.m_resets), m_rightClicks(o.m_rightClicks) { ++g_live; }
    ~CCommandOP() override { --g_live; }
    CObj* Clone() const override { return new CCommandOP(*this); }
    CString GetType() const override { return "OP.TestCommand"; }
    void ResetState() override { ++m_resets; }
    bool MouseAction(int code, UINT, CPoint, short) override
    {
        if (code == OPMOUSE_RCLICK && m_pOPManager) {
            m_pOPManager->ResumeDefaultOP();
            ++m_rightClicks; // after the call that replaced this operator
            return true;
        }
        return false;
    }
    int m_resets = 0;
    int m_rightClicks = 0;
};

// A temporary operator that gives control back from its own handler and then still writes
// to its own state: the manager must not have deleted it yet.
class CTempOP : public COP
{
public:
    CTempOP()
    {
        ++g_live;
        m_nOPType = OPTYPE_TEMPORARY;
    }
    CTempOP(const CTempOP& o) : COP(o), m_after(o.m_after) { ++g_live; }
    ~CTempOP() override { --g_live; }
    CObj* Clone() const override { return new CTempOP(*this); }
    CString GetType() const override { return "OP.TestTemp"; }
    bool MouseAction(int code, UINT, CPoint, short) override
    {
        if (code != OPMOUSE_RCLICK || !m_pOPManager)
            return false;
        m_pOPManager->ResumeTempOP();
        m_after.push_back(code);
        SetToolTip("已结束");
        return true;
    }
    bool KeyDown(UINT key, UINT, UINT) override
    {
        if (key != VK_ESCAPE || !m_pOPManager)
            return false;
        m_pOPManager->ResumeDefaultOP();
        m_after.push_back((int)key);
        return true;
    }
    std::vector<int> m_after;
};

} // namespace optest
