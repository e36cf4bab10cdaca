// Display-parameter blocks that the host keeps as settings, and small plain records.
#pragma once

#include <vector>

#include <vyr/stdafx.h>
#include <vyr/gdi.h>

// A row of int flags numbered from 1. SetState switches the flags that the "all on / all
// off" command of a block covers; the others keep their values.
template <int N>
class CShowFlagRow : public CObject
{
public:
    static constexpr int FlagCount = N;

    int GetFlag(int n) const
    {
        VYR_CHECK(n >= 1 && n <= N, "display flag number out of range");
        return m_nFlag[n - 1];
    }
    void SetFlag(int n, int v)
    {
        VYR_CHECK(n >= 1 && n <= N, "display flag number out of range");
        m_nFlag[n - 1] = v;
    }

    void Serialize(CArchive& ar) override
    {
        for (int& f : m_nFlag) {
            if (ar.IsStoring())
                ar << f;
            else
                ar >> f;
        }
    }

protected:
    CShowFlagRow() = default;
    CShowFlagRow(const CShowFlagRow&) = default;
    CShowFlagRow& operator=(const CShowFlagRow&) = default;

    void Fill(int from, int to, int v)
    {
        for (int n = from; n <= to; n++)
            SetFlag(n, v);
    }

    int m_nFlag[N] = {};
};

class CShowControlNodePara : public CShowFlagRow<10>
{
    DECLARE_SERIAL(CShowControlNodePara)
public:
    CShowControlNodePara();
    CShowControlNodePara(const CShowControlNodePara&) = default;
    CShowControlNodePara& operator=(const CShowControlNodePara&) = default;
    void SetState(bool s);
};

class CShowControlLoadPara : public CShowFlagRow<10>
{
    DECLARE_SERIAL(CShowControlLoadPara)
public:
    CShowControlLoadPara();
    CShowControlLoadPara(const CShowControlLoadPara&) = default;
    CShowControlLoadPara& operator=(const CShowControlLoadPara&) = default;
    void SetState(bool s);
};

class CShowControlBeamPara : public CShowFlagRow<15>
{
    DECLARE_SERIAL(CShowControlBeamPara)
public:
    CShowControlBeamPara();
    CShowControlBeamPara(const CShowControlBeamPara&) = default;
    CShowControlBeamPara& operator=(const CShowControlBeamPara&) = default;
    void SetState(bool s);
};

class CShowControlCheck : public CShowFlagRow<17>
{
    DECLARE_SERIAL(CShowControlCheck)
public:
    CShowControlCheck() = default;
    CShowControlCheck(const CShowControlCheck&) = default;
    CShowControlCheck& operator=(const CShowControlCheck&) = default;
    // Flags 16 and 17 are one-off markers: every SetState clears them.
    void SetState(bool s);
};

class CShowControlPlanePara : public CShowFlagRow<5>
{
    DECLARE_SERIAL(CShowControlPlanePara)
public:
    CShowControlPlanePara() = default;
    CShowControlPlanePara(const CShowControlPlanePara&) = default;
    CShowControlPlanePara& operator=(const CShowControlPlanePara&) = default;
    void SetState(bool s);
};

class CShowControlWallPara : public CShowFlagRow<5>
{
    DECLARE_SERIAL(CShowControlWallPara)
public:
    CShowControlWallPara() = default;
    CShowControlWallPara(const CShowControlWallPara&) = default;
    CShowControlWallPara& operator=(const CShowControlWallPara&) = default;
    void SetState(bool s);
};

class CShowTextResultPara : public CShowFlagRow<4>
{
    DECLARE_SERIAL(CShowTextResultPara)
public:
    CShowTextResultPara() = default;
    CShowTextResultPara(const CShowTextResultPara&) = default;
    CShowTextResultPara& operator=(const CShowTextResultPara&) = default;
    void SetState(bool s);
};

// Mode-shape display settings of the vibration-mode panel. Flag 1 shows the undeformed
// structure; flag 2 is the host's own state word, which the panel resets before handing over.
class CShowTextFrequentPara : public CShowFlagRow<2>
{
    DECLARE_SERIAL(CShowTextFrequentPara)
public:
    CShowTextFrequentPara() = default;
    CShowTextFrequentPara(const CShowTextFrequentPara&) = default;
    CShowTextFrequentPara& operator=(const CShowTextFrequentPara&) = default;
    void SetState(bool s);
    void Serialize(CArchive& ar) override;

    COLORREF m_crColor = RGB(255, 0, 0);
    int m_nScale = 50;      // display scale, 1 to 1000
    int m_nAnimate = 1;     // animation length in periods, 1 to 10
    int m_nModelKind = 1;   // 0 axis-plane model, 1 three-dimensional model
    int m_nDisplayKind = 0; // 0 static, 1 animated
};

// Text display of loads: a font and a pen of its own, deleted with the block.
class CShowTextLoadParaBase : public CObject
{
    DECLARE_DYNAMIC(CShowTextLoadParaBase)
public:
    CShowTextLoadParaBase() = default;
    CShowTextLoadParaBase(const CShowTextLoadParaBase&) = delete;
    CShowTextLoadParaBase& operator=(const CShowTextLoadParaBase&) = delete;
    ~CShowTextLoadParaBase() override
    {
        m_font.DeleteObject();
        m_pen.DeleteObject();
    }

    CFont m_font;
    CPen m_pen;
};

class CShowTextLoadNodePara : public CShowTextLoadParaBase
{
    DECLARE_DYNAMIC(CShowTextLoadNodePara)
};

class CShowTextLoadBeamPara : public CShowTextLoadParaBase
{
    DECLARE_DYNAMIC(CShowTextLoadBeamPara)
};

// A record of twelve values of the common library.
class CTable
{
public:
    CTable() = default;
    CTable(const CTable& src) { *this = src; }
    CTable& operator=(const CTable& src)
    {
        for (int i = 0; i < 12; i++)
            m_nValue[i] = src.m_nValue[i];
        return *this;
    }
    virtual ~CTable() = default;

    int m_nValue[12] = {};
};

struct CDocomYan
{
    double dValue[10] = {};
    std::vector<CString> aTextA;
    std::vector<CString> aTextB;
};

struct CSelectFillet
{
    float fValue[13] = {};
};
