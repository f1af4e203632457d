#include "mfc.h"

#include <gtest/gtest.h>

namespace cmdtarget_test {

// Two local COM interfaces with their own identifiers.
const IID IID_IFirst = {0x1f5c0a01, 0x0b1e, 0x4a4f, {0x9a, 0x31, 0x10, 0x22, 0x33, 0x44, 0x55, 0x01}};
const IID IID_ISecond = {0x1f5c0a02, 0x0b1e, 0x4a4f, {0x9a, 0x31, 0x10, 0x22, 0x33, 0x44, 0x55, 0x02}};

struct IFirst : IUnknown {
    virtual int STDMETHODCALLTYPE Value() = 0;
};
struct ISecond : IUnknown {
    virtual int STDMETHODCALLTYPE Twice() = 0;
};

class CCounted : public CCmdTarget {
public:
    explicit CCounted(bool* pDestroyed) : m_pDestroyed(pDestroyed) {}
    ~CCounted() override { *m_pDestroyed = true; }

    int m_value = 21;

    BEGIN_INTERFACE_PART(First, IFirst)
        int STDMETHODCALLTYPE Value() override;
    END_INTERFACE_PART(First)

    DECLARE_INTERFACE_MAP()

private:
    bool* m_pDestroyed;
};

BEGIN_INTERFACE_MAP(CCounted, CCmdTarget)
    INTERFACE_PART(CCounted, IID_IFirst, First)
END_INTERFACE_MAP()

ULONG CCounted::XFirst::AddRef() {
    METHOD_PROLOGUE(CCounted, First)
    return pThis->ExternalAddRef();
}
ULONG CCounted::XFirst::Release() {
    METHOD_PROLOGUE(CCounted, First)
    return pThis->ExternalRelease();
}
HRESULT CCounted::XFirst::QueryInterface(REFIID iid, LPVOID* ppvObj) {
    METHOD_PROLOGUE(CCounted, First)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}
int CCounted::XFirst::Value() {
    METHOD_PROLOGUE(CCounted, First)
    return pThis->m_value;
}

// Adds a second interface; the first comes from the base's map.
class CDerived : public CCounted {
public:
    using CCounted::CCounted;

    BEGIN_INTERFACE_PART(Second, ISecond)
        int STDMETHODCALLTYPE Twice() override;
    END_INTERFACE_PART(Second)

    DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CDerived, CCounted)
    INTERFACE_PART(CDerived, IID_ISecond, Second)
END_INTERFACE_MAP()

ULONG CDerived::XSecond::AddRef() {
    METHOD_PROLOGUE(CDerived, Second)
    return pThis->ExternalAddRef();
}
ULONG CDerived::XSecond::Release() {
    METHOD_PROLOGUE(CDerived, Second)
    return pThis->ExternalRelease();
}
HRESULT CDerived::XSecond::QueryInterface(REFIID iid, LPVOID* ppvObj) {
    METHOD_PROLOGUE(CDerived, Second)
    return static_cast<HRESULT>(pThis->ExternalQueryInterface(&iid, ppvObj));
}
int CDerived::XSecond::Twice() {
    METHOD_PROLOGUE(CDerived, Second)
    return pThis->m_value * 2;
}

}  // namespace cmdtarget_test

namespace {

using namespace cmdtarget_test;

TEST(CmdTargetTest, LastReleaseDestroysTheObject) {
    bool destroyed = false;
    auto* pTarget = new CCounted(&destroyed);
    EXPECT_EQ(pTarget->m_dwRef, 1);
    EXPECT_EQ(pTarget->InternalAddRef(), 2u);
    {
        CCmdTargetRef guard(pTarget);
        EXPECT_EQ(pTarget->InternalRelease(), 2u);
        EXPECT_EQ(pTarget->InternalRelease(), 1u);
        EXPECT_FALSE(destroyed);  // the guard still holds it
    }
    EXPECT_TRUE(destroyed);
}

TEST(CmdTargetTest, QueryInterfaceWalksClassAndBaseMaps) {
    bool destroyed = false;
    auto* pTarget = new CDerived(&destroyed);

    ISecond* pSecond = nullptr;
    ASSERT_EQ(pTarget->InternalQueryInterface(&IID_ISecond, reinterpret_cast<void**>(&pSecond)), DWORD(S_OK));
    EXPECT_EQ(pSecond->Twice(), 42);
    EXPECT_EQ(pTarget->m_dwRef, 2);

    // From the nested interface, through the outer object, to the base class's interface.
    IFirst* pFirst = nullptr;
    ASSERT_EQ(pSecond->QueryInterface(IID_IFirst, reinterpret_cast<void**>(&pFirst)), S_OK);
    EXPECT_EQ(pFirst->Value(), 21);
    EXPECT_EQ(pTarget->m_dwRef, 3);

    IUnknown* pUnknown = nullptr;
    ASSERT_EQ(pFirst->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnknown)), S_OK);
    EXPECT_EQ(pUnknown, static_cast<IUnknown*>(pSecond));  // the first entry of the class's own map

    void* pNone = &destroyed;
    EXPECT_EQ(pTarget->InternalQueryInterface(&IID_IDispatch, &pNone), DWORD(E_NOINTERFACE));
    EXPECT_EQ(pNone, nullptr);

    pUnknown->Release();
    pFirst->Release();
    pSecond->Release();
    EXPECT_FALSE(destroyed);
    pTarget->InternalRelease();
    EXPECT_TRUE(destroyed);
}

}  // namespace
