#pragma once
#include "AfxBase.h"

// CObject and its run-time class information.
//
// Every class declared with DECLARE_DYNAMIC/DYNCREATE/SERIAL owns one static CRuntimeClass that names the
// class, its base and its schema. DYNCREATE and SERIAL classes register themselves by static
// initialisation in one process-wide registry, so archives can create them by name; a static library
// drops classes nothing references, so each subsystem references its by-name classes from a
// RegisterXxxClasses() function. The registry is written only during static initialisation and is
// read-only afterwards, so any thread may look classes up.

class CArchive;
class CObject;

// Marks a schema that loads accept in any stored version (the stored one is reported to the loader).
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000;
// Schema of classes that are not serialisable.
constexpr UINT AFX_NOT_SERIALIZABLE = 0xFFFF;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                   // AFX_NOT_SERIALIZABLE unless SERIAL
    CObject* (*m_pfnCreateObject)();  // NULL unless DYNCREATE or SERIAL
    CRuntimeClass* m_pBaseClass;      // NULL only for CObject
    CRuntimeClass* m_pNextClass;      // registry link

    // A new object of this class, or NULL when the class is not creatable or the allocation fails.
    CObject* CreateObject() const;
    // TRUE when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of exactly this (case-sensitive) name, or NULL.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CRuntimeClass* FromName(LPCWSTR lpszClassName);
};

// Links a class into the by-name registry; one static instance per DYNCREATE or SERIAL class.
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
};

class CObject {
public:
    virtual ~CObject() = default;

    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;
    // Loads or stores the object; the default stores nothing.
    virtual void Serialize(CArchive& ar);

    static CRuntimeClass classCObject;

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name) \
public: \
    static CRuntimeClass class##class_name; \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    CRuntimeClass class_name::class##class_name = { \
        #class_name, sizeof(class_name), wSchema, pfnNew, RUNTIME_CLASS(base_class_name), nullptr}; \
    CRuntimeClass* class_name::GetRuntimeClass() const { \
        return RUNTIME_CLASS(class_name); \
    }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, AFX_NOT_SERIALIZABLE, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { \
        return new class_name; \
    } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, AFX_NOT_SERIALIZABLE, class_name::CreateObject) \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* class_name::CreateObject() { \
        return new class_name; \
    } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

// pObject when it is of class pClass or derives from it, else NULL (also for a NULL pObject).
CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);

#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))

// A cast the caller knows to be right; checked in debug builds.
#define STATIC_DOWNCAST(class_name, object) \
    (ASSERT((object) == nullptr || (object)->IsKindOf(RUNTIME_CLASS(class_name))), static_cast<class_name*>(object))
