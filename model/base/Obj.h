// The common object model of the operators: CObj (clonable, comparable, named by a type
// string), the process-wide factory CObjCreator and the load-time registration CObjRuntime.
#pragma once

#include <map>

#include <vyr/stdafx.h>

struct IStream;

class CObj : public CObject
{
public:
    CObj() : id(0) {}
    CObj(const CObj& o) : CObject(), id(o.id) {}
    CObj& operator=(const CObj& o)
    {
        id = o.id;
        return *this;
    }
    virtual ~CObj();

    virtual CObj* Clone() const = 0;
    virtual void CopyFrom(const CObj& other) = 0;
    virtual CString GetType() const = 0;
    virtual CString GetDesc() const = 0;
    virtual void Save(IStream* stream) = 0;
    virtual void Load(IStream* stream) = 0;

    // Identity of the object: the ids only.
    bool operator==(const CObj& o) const { return id == o.id; }
    bool operator!=(const CObj& o) const { return id != o.id; }
    long GetID() const { return id; }
    void SetID(long v) { id = v; }

    // Same type string (exact, case-sensitive) and CompSameType agrees; ids are not compared.
    bool Comp(const CObj& other) const;

protected:
    virtual bool CompSameType(const CObj& other) const = 0;

    long id;
};

class CObjCreator
{
public:
    typedef CObj* (*CreateFunc)();

    static CObjCreator& Inst();

    // A second Add with the same type string replaces the first.
    void Add(const CString& type, CreateFunc create);
    // A new object of the registered type (owned by the caller), or null for a type string
    // that is not registered.
    CObj* Create(const CString& type) const;

    ~CObjCreator();
    CObjCreator(const CObjCreator&) = delete;
    CObjCreator& operator=(const CObjCreator&) = delete;

private:
    CObjCreator();

    std::map<CString, CreateFunc> m_map;
};

// Constructing one registers a create function under a type string.
class CObjRuntime
{
public:
    CObjRuntime(const CString& type, CObjCreator::CreateFunc create);
};

// Declares the factory members of a creatable class inside its body...
#define DECLARE_VYROBJ(cls)                     \
public:                                          \
    static CObj* cls##Create();                  \
    static const CObjRuntime cls##Runtime;

// ...and defines them, with the type string, in one source file.
#define IMPLEMENT_VYROBJ(cls, type)                                \
    CObj* cls::cls##Create() { return new cls(); }                 \
    const CObjRuntime cls::cls##Runtime(CString(type), &cls::cls##Create);
