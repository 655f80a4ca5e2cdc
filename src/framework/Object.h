// The object base with run-time class information and dynamic creation.
//
// A class declares DECLARE_DYNCREATE(Class) in its body and
// IMPLEMENT_DYNCREATE(Class, Base) in its .cpp; RUNTIME_CLASS(Class) then
// names its class record, which knows the class name, the base class and
// how to create a new object of the class.
#pragma once

#include <new>

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();     // null when the class cannot be created
    const CRuntimeClass* m_pBaseClass;   // null for CObject

    // A new object of the class, or null.
    CObject* CreateObject() const;
    // TRUE when this class is pBase or derives from it.
    bool IsDerivedFrom(const CRuntimeClass* pBase) const;
};

class CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    // Stream support; no class of this program stores itself.
    virtual void Serialize() {}

    bool IsKindOf(const CRuntimeClass* pClass) const;

    static const CRuntimeClass classCObject;
};

#define RUNTIME_CLASS(theClass) (&theClass::class##theClass)

// A class with a run-time class record that cannot be created by it.
#define DECLARE_DYNAMIC(theClass)                               \
public:                                                         \
    static const CRuntimeClass class##theClass;                 \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(theClass, baseClass)                                      \
    const CRuntimeClass theClass::class##theClass = {#theClass, nullptr,            \
                                                     RUNTIME_CLASS(baseClass)};     \
    const CRuntimeClass* theClass::GetRuntimeClass() const { return RUNTIME_CLASS(theClass); }

// A class that can also be created from its record; CreateObject gives null
// when memory runs out.
#define DECLARE_DYNCREATE(theClass)                             \
public:                                                         \
    static const CRuntimeClass class##theClass;                 \
    const CRuntimeClass* GetRuntimeClass() const override;      \
    static CObject* CreateObject();

#define IMPLEMENT_DYNCREATE(theClass, baseClass)                                    \
    CObject* theClass::CreateObject() { return new (std::nothrow) theClass; }                      \
    const CRuntimeClass theClass::class##theClass = {#theClass, &theClass::CreateObject, \
                                                     RUNTIME_CLASS(baseClass)};     \
    const CRuntimeClass* theClass::GetRuntimeClass() const { return RUNTIME_CLASS(theClass); }
