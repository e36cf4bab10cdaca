// Property descriptors: the rows a property grid shows for a set of model objects, and
// the way each row reads, checks and writes its value.
//
// A CProp is one row; a CPropSub holds rows (a group); the root of a tree is a CProps,
// which knows the objects (a model list: CPNodeList, CBeamList, CWallList or CPlaneList),
// their kind (ObjKind), the model root and the use:
//   use 2 edits: a row shows the value common to all objects (empty when they differ),
//         a written value goes to every object, a refused one gets a Chinese message;
//   use 3 builds query conditions: a row holds the condition typed into it, and Query
//         appends the objects that meet every non-empty condition.
// Rows that open a dialog carry a property key ("Prop.BeamSec", ...); choosing the value
// CProps::GetOtherString() in their drop-down list stands for opening it.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/model/output/creal.h>
#include <vyr/model/struct/ObjKind.h>

class CGlobalData;
class CPropSub;
class CProps;

class CProp
{
public:
    explicit CProp(const CString& key = "", const CString& caption = "", const CString& desc = "");
    CProp(const CProp&) = delete;
    CProp& operator=(const CProp&) = delete;

    // ----- the descriptor's table, in slot order
    virtual CString GetPropKey() const { return m_strKey; }
    virtual CString GetDescText() const { return m_strDesc; }
    virtual bool IsVisible() const;
    virtual CString GetCaption() const { return m_strCaption; }
    virtual bool CanEdit() const { return false; }
    virtual bool IsEnabled() const { return true; }
    // The value as text and the choices of its drop-down list (empty: free text).
    virtual void GetValueText(CString& text, std::vector<CString>& options) const;
    virtual void SetValueText(const CString& text);
    // False refuses the text; message then says why.
    virtual bool CheckValueText(const CString& text, CString& message) const;
    // Called after the row's dialog ran.
    virtual void RefreshValue() {}
    virtual CGlobalData* GetGlobalData() const;
    // The list of model objects the row stands for (the root's).
    virtual void* GetObjects() const;
    virtual bool IsGroup() const { return false; }
    virtual ~CProp();

    CPropSub* GetParent() const { return m_pParent; }
    const CProps* GetRoot() const;
    CProps* GetRoot();
    // Shown only while the predicate holds (a group shown for some values).
    void SetVisibleIf(std::function<bool(const CProps&)> pred) { m_visibleIf = std::move(pred); }

protected:
    friend class CPropSub;
    CPropSub* m_pParent = nullptr;
    CString m_strKey;
    CString m_strCaption;
    CString m_strDesc;
    std::function<bool(const CProps&)> m_visibleIf;
    // What the row showed when the last value was written (see UpdateOtherProp).
    CString m_strShown;
    bool m_bShownValid = false;
};

// A group of rows; it owns them.
class CPropSub : public CProp
{
public:
    explicit CPropSub(const CString& key = "", const CString& caption = "", const CString& desc = "");

    bool IsGroup() const override { return true; }
    void GetValueText(CString& text, std::vector<CString>& options) const override;

    // Adds a row (owned from now on); returns it.
    CProp* Add(CProp* prop);
    template <class T>
    T* AddT(T* prop)
    {
        Add(prop);
        return prop;
    }
    void RemoveAll() { m_props.clear(); }
    int GetCount() const { return (int)m_props.size(); }
    const CProp* GetPropA(int index) const;
    CProp* GetPropA(int index);

    // The rows of this tree whose shown state (visibility, caption, value, choices, edit
    // and enabled flags) differs from what it was before the last value was written: the
    // rows that a written value changed, the written row among them when its text changed.
    // A group whose visibility changed is listed itself.
    void UpdateOtherProp(const CProp& prop, std::vector<CProp*>& changed);
    // Gives the tree other objects (and, for another kind, the rows of that kind).
    void SetObj(void* objects, int kind);
    // Use 3: appends to result (a list of the objects' kind) every object meeting every
    // non-empty condition of the rows below; true when at least one was appended.
    bool Query(void* result) const;
    // The texts of the value rows below, depth first: conditions (use 3) or values.
    void GetValues(std::vector<CString>& values) const;
    // Sets the value rows below from texts in the order GetValues gives them (use 3:
    // conditions; use 2: written to the objects); missing texts leave rows alone.
    void SetValues(std::vector<CString>& values);

    // Every row below, depth first, groups before their rows.
    void Collect(std::vector<CProp*>& out);
    void Collect(std::vector<const CProp*>& out) const;
    // Remembers what every row below shows (before a value is written).
    void Snapshot();

protected:
    std::vector<std::unique_ptr<CProp>> m_props;
};

class CProps : public CPropSub
{
public:
    CProps();
    ~CProps() override;

    // Objects, kind and model root for a use (2 edit, 3 query); the rows of the kind are
    // built anew.
    void SetParam(int use, void* objects, int kind, CGlobalData* data);
    void SetUseType(int use);
    int GetUseType() const { return m_nUse; }
    int GetKind() const { return m_nKind; }
    CGlobalData* GetGlobalData() const override { return m_pData; }
    void* GetObjects() const override { return m_pObjects; }
    bool IsVisible() const override { return true; }
    // The value that stands for opening the row's dialog.
    static CString GetOtherString();

    // The rows of an object kind (ObjKind); other kinds have none (a holder may add its own).
    using Builder = std::function<void(CProps& root)>;
    static Builder DefaultBuilder(int kind);

protected:
    friend class CPropSub;
    void Rebuild();

    int m_nUse = 2;
    void* m_pObjects = nullptr;
    int m_nKind = -1;
    CGlobalData* m_pData = nullptr;
};

// ---------------------------------------------------------------------------------------
// Rows over a field of the objects.

// A value row: reads one object's value, writes one object's value; the row's value is
// the common value of all objects. Numbers compare as numbers (so 1.0 and 1 agree).
class CPropValue : public CProp
{
public:
    enum Type
    {
        TEXT,   // free text (or a choice among options)
        NUMBER, // a real within [min, max]
        INTEGER // a whole number within [min, max]
    };
    CPropValue(const CString& key, const CString& caption, const CString& desc, Type type);

    // Readers: a number, or a text for TEXT rows.
    std::function<double(CObject*)> m_getNum;
    std::function<CString(CObject*)> m_getText;
    // Writer of one object (none: read-only row).
    std::function<void(CObject*, double)> m_setNum;
    std::function<void(CObject*, const CString&)> m_setText;
    // Numbers are shown times the scale (the unit factor of lengths, 1 otherwise) with
    // the given decimals (-1 for a length: 1 - log10 of the unit factor, at least 0); a
    // typed number is divided by it.
    int m_nDecimals = 0;
    bool m_bLength = false;
    double m_dMin = -1e300, m_dMax = 1e300;
    // Fixed choices (a choice row's number is its index in them, or a code from m_codes).
    std::vector<CString> m_options;
    std::vector<int> m_codes;
    // The row's dialog: its key opens it; the value may be chosen as GetOtherString().
    bool m_bDialog = false;

    bool CanEdit() const override;
    void GetValueText(CString& text, std::vector<CString>& options) const override;
    void SetValueText(const CString& text) override;
    bool CheckValueText(const CString& text, CString& message) const override;

    // One object's value as the row shows it.
    CString ObjectText(CObject* obj) const;
    // Whether an object meets a condition text.
    bool Meets(CObject* obj, const CString& condition) const;
    const CString& GetCondition() const { return m_strCond; }

protected:
    double Scale() const;
    CString FormatNumber(double shown) const;
    // Parses a typed text into the model number; false when it is refused.
    bool Parse(const CString& text, double& model, CString& message) const;
    bool IsChoice() const { return !m_options.empty(); }

    Type m_type;
    CString m_strCond; // use 3
};

// A node coordinate; key "Prop.Pt". A changed z gives the storey heights vector: the
// distinct elevations, ascending, that the edited nodes left and the one they moved to.
class CPropPt : public CPropValue
{
public:
    CPropPt(const CString& caption, int axis);
    void SetValueText(const CString& text) override;
    std::vector<CReal>& GetHeights() { return m_heights; }

private:
    int m_nAxis;
    std::vector<CReal> m_heights;
};
