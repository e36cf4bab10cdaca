// Portal frames: parametric light-steel frames made of spans. Spans are shared between frames
// and previews through CSmartPtr, so a span is deleted once, by whichever pointer lets go last.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/collections.h>
#include <vyr/model/draw/SmartPtr.h>
#include <vyr/model/geometry/geometry.h>

class CDraw;
struct IStream; // COM stream of the span archive; there is none in this build

// One span of a frame. The base class answers every kind-specific query with a neutral value;
// the span kinds of the model library override what they carry.
class CPortalSpan
{
public:
    CPortalSpan() = default;
    virtual ~CPortalSpan() = default;

    virtual bool CheckData() { return true; }
    // Copies every field, the arrays included.
    virtual CPortalSpan& operator=(const CPortalSpan& src);
    virtual int GetEndType(int) { return 0; }
    virtual float GetTaper(int) const { return 0.0f; }
    virtual void SetTaper(int, float) {}
    virtual int GetBeamPos(int) const { return 0; }
    virtual void SetBeamPos(int, int) {}
    virtual CString GetBeamSeq(int) { return CString(); }
    virtual void SetBeamSeq(int, const CString&) {}
    virtual CString GetTaperDesc() { return CString(); }
    virtual CString GetTypeDesc() { return CString(); }
    virtual double GetTopH() { return 0.0; }
    virtual int GetIsHaveWindow(int) { return 0; }
    virtual void SetEndType(int) {}
    virtual int GetRegNum(int) { return 0; }
    virtual void SetIsHaveWindow(int) {}
    virtual int GetTaperNum(int) { return 0; }
    virtual void SetRegNum(int) {}
    virtual float GetHeight() { return 0.0f; }
    virtual void SetHeight(float) {}
    virtual int GetTrussSpanType(int) { return 0; }
    virtual void SetTrussSpanType(int) {}
    virtual float GetWindowHeight() { return 0.0f; }
    virtual void SetWindowHeight(float) {}
    virtual float GetWindowWidth() { return 0.0f; }
    virtual void SetWindowWidth(float) {}
    virtual float GetWindowTaper() { return 0.1f; }
    virtual void SetWindowTaper(float) {}
    // There is no COM stream in this build: nothing is read or written, and false says so.
    virtual bool Save(IStream*) { return false; }
    virtual bool Load(IStream*) { return false; }
    virtual bool Save581(IStream*) { return false; }
    virtual bool Load581(IStream*) { return false; }

    int GetSpanType() const { return m_nSpanType; }
    void SetSpanType(int v) { m_nSpanType = v; }
    int GetRangeType() const { return m_nRangeType; }
    void SetRangeType(int v) { m_nRangeType = v; }
    int GetLeftColPos() const { return m_nLeftColPos; }
    void SetLeftColPos(int v) { m_nLeftColPos = v; }
    int GetRightColPos() const { return m_nRightColPos; }
    void SetRightColPos(int v) { m_nRightColPos = v; }
    float GetSpan() const { return m_fSpan; }
    void SetSpan(float v) { m_fSpan = v; }
    float GetLeftH() const { return m_fLeftH; }
    void SetLeftH(float v) { m_fLeftH = v; }
    float GetRightH() const { return m_fRightH; }
    void SetRightH(float v) { m_fRightH = v; }
    void SelectIt(int v) { m_nSelected = v; }
    int IsSelected() const { return m_nSelected; }

    CString GetColSeq() const { return m_strColSeq; }
    void SetColSeq(const CString& s) { m_strColSeq = s; }
    CString GetWindColSeq() const { return m_strWindColSeq; }
    void SetWindColSeq(const CString& s) { m_strWindColSeq = s; }
    CString GetCraneElevationSeq() const { return m_strCraneElevationSeq; }
    void SetCraneElevationSeq(const CString& s) { m_strCraneElevationSeq = s; }
    CString GetFloorElevationSeq() const { return m_strFloorElevationSeq; }
    void SetFloorElevationSeq(const CString& s) { m_strFloorElevationSeq = s; }

    int GetIsHaveLeftUpWall() const { return m_nHaveLeftUpWall; }
    void SetIsHaveLeftUpWall(int v) { m_nHaveLeftUpWall = v; }
    float GetLeftUpWallH() const { return m_fLeftUpWallH; }
    void SetLeftUpWallH(float v) { m_fLeftUpWallH = v; }
    int GetIsHaveLeftAwning() const { return m_nHaveLeftAwning; }
    void SetIsHaveLeftAwning(int v) { m_nHaveLeftAwning = v; }
    float GetLeftAwningH() const { return m_fLeftAwningH; }
    void SetLeftAwningH(float v) { m_fLeftAwningH = v; }
    float GetLeftAwningTaper() const { return m_fLeftAwningTaper; }
    void SetLeftAwningTaper(float v) { m_fLeftAwningTaper = v; }
    float GetLeftAwningWidth() const { return m_fLeftAwningWidth; }
    void SetLeftAwningWidth(float v) { m_fLeftAwningWidth = v; }
    int GetIsHaveRightUpWall() const { return m_nHaveRightUpWall; }
    void SetIsHaveRightUpWall(int v) { m_nHaveRightUpWall = v; }
    float GetRightUpWallH() const { return m_fRightUpWallH; }
    void SetRightUpWallH(float v) { m_fRightUpWallH = v; }
    int GetIsHaveRightAwning() const { return m_nHaveRightAwning; }
    void SetIsHaveRightAwning(int v) { m_nHaveRightAwning = v; }
    float GetRightAwningH() const { return m_fRightAwningH; }
    void SetRightAwningH(float v) { m_fRightAwningH = v; }
    float GetRightAwningTaper() const { return m_fRightAwningTaper; }
    void SetRightAwningTaper(float v) { m_fRightAwningTaper = v; }
    float GetRightAwningWidth() const { return m_fRightAwningWidth; }
    void SetRightAwningWidth(float v) { m_fRightAwningWidth = v; }

protected:
    virtual void CreatePreviewBeam(CDraw&, const CPoint2D&, bool) {}
    virtual void CreateBeam(const CPoint3D&, int) {}

    // Per-segment data of the span kinds (tapers, beam positions and the like).
    CArray<float, float> m_aValueA;
    CArray<float, float> m_aValueB;
    CArray<int, int> m_aIndexA;
    CArray<int, int> m_aIndexB;

private:
    // A span is shared through CSmartPtr rather than copied: a copy starts empty.
    CPortalSpan(const CPortalSpan&) {}

    int m_nSpanType = 0;
    int m_nRangeType = 0;
    int m_nLeftColPos = 0;
    int m_nRightColPos = 0;
    float m_fSpan = 0.0f;
    float m_fLeftH = 0.0f;
    float m_fRightH = 0.0f;
    int m_nSelected = 0;
    CString m_strColSeq;
    CString m_strWindColSeq;
    CString m_strCraneElevationSeq;
    CString m_strFloorElevationSeq;
    int m_nHaveLeftUpWall = 0;
    float m_fLeftUpWallH = 0.0f;
    int m_nHaveLeftAwning = 0;
    float m_fLeftAwningH = 0.0f;
    float m_fLeftAwningTaper = 0.0f;
    float m_fLeftAwningWidth = 0.0f;
    int m_nHaveRightUpWall = 0;
    float m_fRightUpWallH = 0.0f;
    int m_nHaveRightAwning = 0;
    float m_fRightAwningH = 0.0f;
    float m_fRightAwningTaper = 0.0f;
    float m_fRightAwningWidth = 0.0f;

};

typedef CSmartPtr<CPortalSpan> CPortalSpanPtr;

class CPortalList;

// A frame: insertion point, loads, code settings and its spans in order.
class CPortal : public CObject
{
    DECLARE_DYNAMIC(CPortal)
public:
    CPortal() = default;
    ~CPortal() override;
    CPortal(const CPortal&) = delete;
    CPortal& operator=(const CPortal&) = delete;

    // Position in the frame list (1 = first); 0 while the frame is in no list.
    int GetNo() const { return m_nNo; }

    CPoint3D GetPtIns() const { return CPoint3D(m_dInsX, m_dInsY, m_dInsZ); }
    void SetPtIns(const CPoint3D& pt)
    {
        m_dInsX = pt.x;
        m_dInsY = pt.y;
        m_dInsZ = pt.z;
    }
    float GetDist() const { return m_fDist; }
    void SetDist(float v) { m_fDist = v; }
    int GetBayType() const { return m_nBayType; }
    void SetBayType(int v) { m_nBayType = v; }
    int GetRangeType() const { return m_nRangeType; }
    void SetRangeType(int v) { m_nRangeType = v; }
    float GetUnCloseWidth() const { return m_fUnCloseWidth; }
    void SetUnCloseWidth(float v) { m_fUnCloseWidth = v; }
    int GetPlaneType() const { return m_nPlaneType; }
    void SetPlaneType(int v) { m_nPlaneType = v; }
    float GetDeadLoad() const { return m_fDeadLoad; }
    void SetDeadLoad(float v) { m_fDeadLoad = v; }
    float GetWallDeadLoad() const { return m_fWallDeadLoad; }
    void SetWallDeadLoad(float v) { m_fWallDeadLoad = v; }
    float GetLiveLoad() const { return m_fLiveLoad; }
    void SetLiveLoad(float v) { m_fLiveLoad = v; }
    float GetBaseWindLoad() const { return m_fBaseWindLoad; }
    void SetBaseWindLoad(float v) { m_fBaseWindLoad = v; }
    float GetWindAdjust() const { return m_fWindAdjust; }
    void SetWindAdjust(float v) { m_fWindAdjust = v; }
    // Terrain class of the wind load (0 = A).
    int GetTough() const { return m_nTough; }
    void SetTough(int v) { m_nTough = v; }
    int GetCodeType() const { return m_nCodeType; }

    // Axis numbers the frame stands on.
    int GetAxisNum() const { return (int)m_aAxis.GetSize(); }
    int GetAxis(int i) const { return m_aAxis.GetAt(i); }
    void AddAxis(int axisNo) { m_aAxis.Add(axisNo); }

    // Releases every span (each deleted when this frame held its last pointer) and frees the list.
    void ResetSpanInfo();
    int GetSpanNum() const { return (int)m_spans.GetCount(); }
    // The shared pointer of span i (from 0).
    CPortalSpanPtr& GetSpan(int i);
    // Appends a pointer that shares the given span.
    void AddSpan(const CPortalSpanPtr& span) { m_spans.AddTail(span); }

private:
    friend class CPortalList;

    int m_nNo = 0;
    double m_dInsX = 0.0;
    double m_dInsY = 0.0;
    double m_dInsZ = 0.0;
    float m_fDist = 0.0f;
    int m_nBayType = 0;
    int m_nRangeType = 0;
    float m_fUnCloseWidth = 0.0f;
    int m_nPlaneType = 0;
    float m_fDeadLoad = 0.0f;
    float m_fWallDeadLoad = 0.0f;
    float m_fLiveLoad = 0.0f;
    float m_fBaseWindLoad = 0.0f;
    float m_fWindAdjust = 1.0f;
    int m_nTough = 0;
    int m_nCodeType = 0;
    CList<CPortalSpanPtr, const CPortalSpanPtr&> m_spans;
    CArray<int, int> m_aAxis;
};

// The frames of the structure, numbered by position; the list owns them.
class CPortalList : public CObList
{
public:
    CPortalList() : CObList(10) {}
    ~CPortalList() override;
    CPortalList(const CPortalList&) = delete;
    CPortalList& operator=(const CPortalList&) = delete;

    // Appends the frame and numbers it with the new count; a null pointer is ignored.
    void Add(CPortal* portal);
    // Deletes the frame at a position (from 1) and renumbers the rest 1, 2, 3 ...
    void Delete(int position);
    // The frame at a position (from 1), null when there is none.
    CPortal* Get(int position) const;
};
