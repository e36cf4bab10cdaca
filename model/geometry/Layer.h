// Drawing layers of the graphics library and the list a drawing finds them in by name.
#pragma once

#include <vyr/stdafx.h>

struct IStream;

class CLayer
{
public:
    CLayer() = default;
    CLayer(const CString& name, const int& n, const COLORREF& colour, const CString& text);
    CLayer(const CLayer& l) : m_Name(), m_Text() { *this = l; }
    CLayer& operator=(const CLayer& l);
    virtual ~CLayer() {}
    // Layers are not persisted by this library: both hooks do nothing and report success.
    virtual bool Save(IStream* stream) const;
    virtual bool Load(IStream* stream);

    const CString& GetName() const { return m_Name; }
    void SetName(const CString& name) { m_Name = name; }
    int GetInt() const { return m_Int; }
    COLORREF GetColor() const { return m_Color; }
    void SetColor(COLORREF c) { m_Color = c; }
    const CString& GetText() const { return m_Text; }

private:
    CString m_Name;
    int m_Int = 0;
    COLORREF m_Color = 0;
    CString m_Text;
    bool m_Show = true;
};

class CLayerList : public CTypedPtrList<CPtrList, CLayer*>
{
public:
    CLayerList() : CTypedPtrList<CPtrList, CLayer*>(10) {}
    // The first layer of that name (exact match), or null.
    CLayer* GetLayer(const CString& name) const;
};
