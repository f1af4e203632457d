#include "mfc.h"

#include <gtest/gtest.h>

namespace {

class CShape : public CObject {
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape {
    DECLARE_DYNCREATE(CCircle)
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CStoredCircle : public CCircle {
    DECLARE_SERIAL(CStoredCircle)
};
IMPLEMENT_SERIAL(CStoredCircle, CCircle, VERSIONABLE_SCHEMA | 33)

TEST(ObjectTest, RuntimeClassesKnowTheirBases) {
    CStoredCircle circle;
    EXPECT_STREQ(circle.GetRuntimeClass()->m_lpszClassName, "CStoredCircle");
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(circle.IsSerializable());
    EXPECT_FALSE(CCircle().IsSerializable());
    EXPECT_EQ(RUNTIME_CLASS(CStoredCircle)->m_wSchema, VERSIONABLE_SCHEMA | 33);
}

TEST(ObjectTest, RegistryFindsCreatableClassesByExactName) {
    EXPECT_EQ(CRuntimeClass::FromName("CCircle"), RUNTIME_CLASS(CCircle));
    EXPECT_EQ(CRuntimeClass::FromName(L"CStoredCircle"), RUNTIME_CLASS(CStoredCircle));
    EXPECT_EQ(CRuntimeClass::FromName("ccircle"), nullptr);
    // Dynamic-only classes cannot be created, so they are not looked up by name.
    EXPECT_EQ(CRuntimeClass::FromName("CShape"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(L"CCircle\x00E9"), nullptr);
}

TEST(ObjectTest, CreateObjectNeedsACreator) {
    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
    CObject* pObject = RUNTIME_CLASS(CStoredCircle)->CreateObject();
    ASSERT_NE(pObject, nullptr);
    EXPECT_EQ(pObject->GetRuntimeClass(), RUNTIME_CLASS(CStoredCircle));
    delete pObject;
}

TEST(ObjectTest, DynamicDowncastChecksTheClass) {
    CCircle circle;
    CObject* pObject = &circle;
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, pObject), &circle);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CStoredCircle, pObject), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CShape, static_cast<CObject*>(nullptr)), nullptr);
}

}  // namespace
