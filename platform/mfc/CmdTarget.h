#pragma once
#include "Object.h"
#include "MessageMap.h"  // command routing (OnCmdMsg, message maps): MessageMap.cpp

#include <unknwn.h>

// CCmdTarget: the base of the layer's reference-counted objects and of COM objects built with
// interface maps.
//
// The count is 1 after construction: the creator holds the first reference, and a container holds
// one reference per element. Shared objects are released, never deleted. The release that brings the
// count to 0 calls OnFinalRelease, which deletes the object unless a class overrides it. The count is
// interlocked, so any thread may add and release references; the final release runs on the thread
// that makes it.
//
// Interface maps: a class lists its COM interfaces with DECLARE_INTERFACE_MAP in the class and
// BEGIN_INTERFACE_MAP / INTERFACE_PART / END_INTERFACE_MAP in its .cpp. Each interface is a nested
// class X<local> declared with BEGIN_INTERFACE_PART(local, IInterface) ... END_INTERFACE_PART(local),
// held in member m_x<local>; its methods find the outer object with METHOD_PROLOGUE(theClass, local)
// and forward QueryInterface/AddRef/Release to the outer object's External... members.

class CCmdTarget;

struct AFX_INTERFACEMAP_ENTRY {
    const IID* piid;  // NULL ends a map
    void* (*pfnGetInterface)(CCmdTarget* pTarget);
};

struct AFX_INTERFACEMAP {
    const AFX_INTERFACEMAP* (*pfnGetBaseMap)();  // NULL for CCmdTarget's empty map
    const AFX_INTERFACEMAP_ENTRY* pEntry;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Reference count: each answers the new count.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD ExternalAddRef() { return InternalAddRef(); }
    DWORD ExternalRelease() { return InternalRelease(); }
    // Called when the last reference is released; deletes the object.
    virtual void OnFinalRelease();

    // Looks iid up in the interface maps of the class and its bases (IID_IUnknown answers the first
    // interface). On success *ppvObj holds the interface with one more reference and the result is
    // S_OK; otherwise *ppvObj is NULL and the result E_NOINTERFACE.
    DWORD InternalQueryInterface(const IID* iid, LPVOID* ppvObj);
    DWORD ExternalQueryInterface(const IID* iid, LPVOID* ppvObj) { return InternalQueryInterface(iid, ppvObj); }
    // The interface for iid without a new reference, or NULL.
    LPUNKNOWN GetInterface(const IID* iid);

    // Automation needs nothing from the layer; kept so classes that enable it read as written.
    void EnableAutomation() {}

protected:
    static const AFX_INTERFACEMAP* GetThisInterfaceMap();
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;

    // ---- Command routing (defined in MessageMap.cpp)
public:
    // Runs the handler of this class's message map for command nID with code nCode (CN_COMMAND, a
    // control code, CN_UPDATE_COMMAND_UI with the CCmdUI* in pExtra, or MAKELONG(code, WM_NOTIFY) with
    // an AFX_NOTIFY* in pExtra). With pHandlerInfo it only tells whether a handler exists and fills it.
    // FALSE when there is no handler or the handler passed the command on.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    DECLARE_MESSAGE_MAP()

public:
    volatile LONG m_dwRef = 1;
};

// Holds one reference for the duration of a scope, for code that may drop the object's last other
// reference while it runs.
class CCmdTargetRef {
public:
    explicit CCmdTargetRef(CCmdTarget* pTarget) : m_pTarget(pTarget) {
        if (m_pTarget != nullptr)
            m_pTarget->InternalAddRef();
    }
    ~CCmdTargetRef() {
        if (m_pTarget != nullptr)
            m_pTarget->InternalRelease();
    }
    CCmdTargetRef(const CCmdTargetRef&) = delete;
    CCmdTargetRef& operator=(const CCmdTargetRef&) = delete;

private:
    CCmdTarget* m_pTarget;
};

// clang-format off
#define DECLARE_INTERFACE_MAP() \
protected: \
    static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[]; \
    static const AFX_INTERFACEMAP interfaceMap; \
    static const AFX_INTERFACEMAP* GetThisInterfaceMap(); \
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;

#define BEGIN_INTERFACE_MAP(theClass, baseClass) \
    const AFX_INTERFACEMAP* theClass::GetThisInterfaceMap() { return &theClass::interfaceMap; } \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const { return &theClass::interfaceMap; } \
    const AFX_INTERFACEMAP theClass::interfaceMap = {&baseClass::GetThisInterfaceMap, theClass::_interfaceEntries}; \
    const AFX_INTERFACEMAP_ENTRY theClass::_interfaceEntries[] = {

#define INTERFACE_PART(theClass, iid, localClass) \
    {&iid, [](CCmdTarget* pTarget) -> void* { return &static_cast<theClass*>(pTarget)->m_x##localClass; }},

#define END_INTERFACE_MAP() \
    {nullptr, nullptr}};

#define BEGIN_INTERFACE_PART(localClass, baseClass) \
    class X##localClass : public baseClass { \
    public: \
        STDMETHOD_(ULONG, AddRef)() override; \
        STDMETHOD_(ULONG, Release)() override; \
        STDMETHOD(QueryInterface)(REFIID iid, LPVOID* ppvObj) override;

#define END_INTERFACE_PART(localClass) \
    } m_x##localClass; \
    friend class X##localClass;

// Declares pThis, the object that holds the nested interface the method runs in.
#define METHOD_PROLOGUE(theClass, localClass) \
    _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Winvalid-offsetof\"") \
    theClass* pThis = reinterpret_cast<theClass*>(reinterpret_cast<BYTE*>(this) - offsetof(theClass, m_x##localClass)); \
    _Pragma("GCC diagnostic pop")
// clang-format on
