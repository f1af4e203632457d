#include "MarkupTestSupport.h"

#include "TkMarkupBuilder.h"
#include "TkMarkupCollection.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

#include <vector>

namespace {

using ObjectPtr = CTkMarkupPtr<CTkMarkupObject>;

// An integer that tells when it is destroyed.
class CWatchedInt : public CTkMarkupInt {
public:
    CWatchedInt(int nValue, bool* pDestroyed) : CTkMarkupInt(nValue), m_pDestroyed(pDestroyed) {}

protected:
    ~CWatchedInt() override { *m_pDestroyed = true; }

private:
    bool* m_pDestroyed;
};

struct Change {
    CTkMarkupObject* pObject;
    CTkMarkupObject* pOld;
    CTkMarkupObject* pNew;
    int nOldValue;
    bool bWatchedDestroyed;  // whether the watched value was gone during the call
};
std::vector<Change> s_changes;
bool s_bWatchedDestroyed = false;

void RecordChange(CTkMarkupObject* pObject, const CTkMarkupPropertyChange& change) {
    s_changes.push_back(
        {pObject, change.pOldValue, change.pNewValue, MarkupIntOr(change.pOldValue, -1), s_bWatchedDestroyed});
}

// Test properties, registered once: a plain integer with a counting callback, and an inherited one
// owned by collections.
CTkMarkupDependencyProperty* CountedProperty() {
    static CTkMarkupDependencyProperty* s_pProperty = CTkMarkupDependencyProperty::Register(
        L"TestCounted", CTkMarkupInt::GetClassType(), CTkMarkupObject::GetClassType(),
        new CTkMarkupPropertyMetadata(nullptr, &RecordChange, 0));
    return s_pProperty;
}

CTkMarkupDependencyProperty* InheritedProperty() {
    static CTkMarkupDependencyProperty* s_pProperty = CTkMarkupDependencyProperty::Register(
        L"TestInherited", CTkMarkupInt::GetClassType(), CTkMarkupCollection::GetClassType(),
        new CTkMarkupPropertyMetadata(new CTkMarkupInt(-5), &RecordChange, CTkMarkupPropertyMetadata::flagInherited));
    return s_pProperty;
}

class ObjectTest : public MarkupTest {
protected:
    void SetUp() override {
        MarkupTest::SetUp();
        CountedProperty();
        InheritedProperty();
        s_changes.clear();
    }
};

// An object whose final release only counts, so a release past zero can be seen.
class CKeptObject : public CTkMarkupObject {
public:
    int m_nFinalReleases = 0;
    void Destroy() { delete this; }

protected:
    void OnFinalRelease() override { m_nFinalReleases++; }
};

}  // namespace

TEST_F(ObjectTest, ReleaseAtZeroAnswersZeroAndDoesNothing) {
    auto* pObject = new CKeptObject;
    EXPECT_EQ(2u, pObject->AddRef());
    EXPECT_EQ(1u, pObject->Release());
    EXPECT_EQ(0u, pObject->Release());
    EXPECT_EQ(0u, pObject->Release());
    EXPECT_EQ(1, pObject->m_nFinalReleases);
    pObject->Destroy();
}

TEST_F(ObjectTest, PointerAdoptsAndRetains) {
    auto* pRaw = new CTkMarkupInt(1);
    {
        auto adopted = CTkMarkupPtr<CTkMarkupInt>::Adopt(pRaw);
        auto retained = CTkMarkupPtr<CTkMarkupInt>::Retain(pRaw);
        CTkMarkupPtr<CTkMarkupObject> moved(std::move(retained));
        EXPECT_FALSE(retained);
        EXPECT_EQ(3u, pRaw->AddRef());
        pRaw->Release();
    }
    // Both references are gone: the fixture sees no live object left.
}

TEST_F(ObjectTest, SetValueNotifiesEveryEffectiveChange) {
    ObjectPtr object = ObjectPtr::Adopt(new CTkMarkupObject);
    CTkMarkupDependencyProperty* pProperty = CountedProperty();

    // Clearing a value that was never set changes nothing.
    object->SetValue(pProperty, nullptr);
    EXPECT_TRUE(s_changes.empty());

    auto* pFirst = new CTkMarkupInt(1);
    object->SetValue(pProperty, pFirst);
    ASSERT_EQ(1u, s_changes.size());
    EXPECT_EQ(nullptr, s_changes[0].pOld);
    EXPECT_EQ(pFirst, s_changes[0].pNew);
    EXPECT_EQ(pFirst, object->GetValue(pProperty));
    EXPECT_EQ(object.Get(), pFirst->GetLogicalParent());

    // The same object again still notifies, old and new being the same.
    pFirst->AddRef();
    object->SetValue(pProperty, pFirst);
    ASSERT_EQ(2u, s_changes.size());
    EXPECT_EQ(pFirst, s_changes[1].pOld);
    EXPECT_EQ(pFirst, s_changes[1].pNew);

    // The store drops the old value, which lives on until the notification has returned.
    s_bWatchedDestroyed = false;
    object->SetValue(pProperty, new CWatchedInt(2, &s_bWatchedDestroyed));
    object->SetValue(pProperty, new CTkMarkupInt(3));
    ASSERT_EQ(4u, s_changes.size());
    EXPECT_EQ(2, s_changes[3].nOldValue);
    EXPECT_FALSE(s_changes[3].bWatchedDestroyed);
    EXPECT_TRUE(s_bWatchedDestroyed);

    object->SetValue(pProperty, nullptr);
    ASSERT_EQ(5u, s_changes.size());
    EXPECT_EQ(3, s_changes[4].nOldValue);
    EXPECT_EQ(nullptr, s_changes[4].pNew);
}

TEST_F(ObjectTest, SetValueReleasesAValueOfTheWrongType) {
    ObjectPtr object = ObjectPtr::Adopt(new CTkMarkupObject);
    object->SetValue(CountedProperty(), CTkMarkupString::CreateValue(L"not a number"));
    object->SetValue(nullptr, new CTkMarkupInt(1));
    EXPECT_EQ(nullptr, object->GetValue(CountedProperty()));
    EXPECT_TRUE(s_changes.empty());
}

TEST_F(ObjectTest, APropertyRegisteredAfterAStoreHasNoSlotInIt) {
    ObjectPtr object = ObjectPtr::Adopt(new CTkMarkupObject);
    object->SetValue(CountedProperty(), new CTkMarkupInt(1));
    static CTkMarkupDependencyProperty* s_pLate = CTkMarkupDependencyProperty::Register(
        L"TestLate", CTkMarkupInt::GetClassType(), CTkMarkupObject::GetClassType(),
        new CTkMarkupPropertyMetadata(new CTkMarkupInt(9), 0));
    object->SetValue(s_pLate, new CTkMarkupInt(4));
    EXPECT_EQ(9, MarkupIntOr(object->GetValue(s_pLate), 0));
    // A store made now has the slot.
    ObjectPtr later = ObjectPtr::Adopt(new CTkMarkupObject);
    later->SetValue(s_pLate, new CTkMarkupInt(4));
    EXPECT_EQ(4, MarkupIntOr(later->GetValue(s_pLate), 0));
}

TEST_F(ObjectTest, InheritedValuesComeFromTheNearestAncestor) {
    auto root = CTkMarkupPtr<CTkMarkupCollection>::Adopt(new CTkMarkupCollection);
    auto* pMiddle = new CTkMarkupCollection;
    auto* pLeaf = new CTkMarkupCollection;
    auto* pPlain = new CTkMarkupInt(0);  // not of the owner type: passed over, not notified
    root->Add(pMiddle);
    pMiddle->Add(pLeaf);
    pMiddle->Add(pPlain);
    CTkMarkupDependencyProperty* pProperty = InheritedProperty();
    EXPECT_EQ(-5, MarkupIntOr(pLeaf->GetValue(pProperty), 0));

    pLeaf->SetValue(pProperty, new CTkMarkupInt(7));
    s_changes.clear();
    root->SetValue(pProperty, new CTkMarkupInt(1));
    EXPECT_EQ(1, MarkupIntOr(pMiddle->GetValue(pProperty), 0));
    EXPECT_EQ(pMiddle, pPlain->GetLogicalParent());
    EXPECT_EQ(root.Get(), pMiddle->FindValueOwner(pProperty));
    EXPECT_EQ(7, MarkupIntOr(pLeaf->GetValue(pProperty), 0));
    EXPECT_EQ(pLeaf, pLeaf->FindValueOwner(pProperty));

    // The root, then every descendant of the owner type in logical order, the leaf with its own value too.
    ASSERT_EQ(3u, s_changes.size());
    const CTkMarkupObject* expected[] = {root.Get(), pMiddle, pLeaf};
    for (size_t i = 0; i < s_changes.size(); i++) {
        EXPECT_EQ(expected[i], s_changes[i].pObject);
        EXPECT_EQ(-5, s_changes[i].nOldValue);
        EXPECT_EQ(1, MarkupIntOr(s_changes[i].pNew, 0));
    }
}

TEST_F(ObjectTest, SharedValuesTakeNoParentAndOthersKeepTheirLastOwner) {
    ObjectPtr first = ObjectPtr::Adopt(new CTkMarkupObject);
    ObjectPtr second = ObjectPtr::Adopt(new CTkMarkupObject);
    CTkMarkupDependencyProperty* pProperty = CTkMarkupObject::s_pKeyProperty;

    auto shared = CTkMarkupPtr<CTkMarkupBool>::Adopt(CTkMarkupBool::CreateValue(TRUE));
    first->SetValue(pProperty, CTkMarkupBool::CreateValue(TRUE));
    EXPECT_EQ(nullptr, shared->GetLogicalParent());

    auto color = CTkMarkupPtr<CTkMarkupColor>::Adopt(new CTkMarkupColor(RGB(1, 2, 3)));
    first->SetValue(pProperty, CTkMarkupPtr<CTkMarkupColor>(color).Detach());
    second->SetValue(pProperty, CTkMarkupPtr<CTkMarkupColor>(color).Detach());
    EXPECT_EQ(second.Get(), color->GetLogicalParent());
    first.Reset();
    EXPECT_EQ(second.Get(), color->GetLogicalParent());
    second.Reset();
    EXPECT_EQ(nullptr, color->GetLogicalParent());
}

TEST_F(ObjectTest, ObjectsWithoutContentRefuseIt) {
    ObjectPtr object = ObjectPtr::Adopt(new CTkMarkupInt(1));
    EXPECT_EQ(CString(L"Cannot convert the string 'abc' into a 'CTkMarkupInt' object"),
              MarkupErrorOf([&] { object->SetContentObject(nullptr, CTkMarkupString::CreateValue(L"abc")); }));
    EXPECT_EQ(CString(L"Cannot add content to an object of type 'CTkMarkupInt'"),
              MarkupErrorOf([&] { object->SetContentObject(nullptr, new CTkMarkupDouble(1.0)); }));
}

TEST_F(ObjectTest, CollectionsKeepTheirItemTypeAndParentTheirItems) {
    auto collection = CTkMarkupPtr<CTkMarkupCollection>::Adopt(new CTkMarkupCollection(CTkMarkupInt::GetClassType()));
    auto* pItem = new CTkMarkupInt(1);
    collection->Add(pItem);
    collection->Add(CTkMarkupString::CreateValue(L"wrong type"));
    collection->Add(nullptr);
    ASSERT_EQ(1, collection->GetCount());
    EXPECT_EQ(pItem, collection->GetItem(0));
    EXPECT_EQ(collection.Get(), pItem->GetLogicalParent());
    EXPECT_TRUE(collection->HasContentObject());

    EXPECT_TRUE(Raises([&] { collection->GetItem(-1); }));
    EXPECT_TRUE(Raises([&] { collection->GetItem(1); }));
    collection->RemoveAt(1);
    EXPECT_EQ(1, collection->GetCount());

    EXPECT_EQ(CString(L"'CTkMarkupDouble' object cannot be added to 'CTkMarkupCollection'. Object cannot be "
                      L"converted to type 'CTkMarkupInt'"),
              MarkupErrorOf([&] { collection->SetContentObject(nullptr, new CTkMarkupDouble(1.0)); }));
    collection->SetContentObject(nullptr, new CTkMarkupInt(2));
    EXPECT_EQ(2, collection->GetCount());

    pItem->AddRef();
    collection->RemoveAt(0);
    EXPECT_EQ(nullptr, pItem->GetLogicalParent());
    pItem->Release();
}

TEST_F(ObjectTest, TypesAreFoundByTagAndKnowTheirBases) {
    EXPECT_EQ(CTkMarkupColor::GetClassType(), CTkMarkupType::FindType(L"Color"));
    EXPECT_EQ(nullptr, CTkMarkupType::FindType(L"color"));
    EXPECT_STREQ(L"CTkMarkupColor", CTkMarkupColor::GetClassType()->GetClassName());
    ObjectPtr color = ObjectPtr::Adopt(new CTkMarkupColor);
    EXPECT_TRUE(color->IsKindOf(CTkMarkupObject::GetClassType()));
    EXPECT_FALSE(color->IsKindOf(CTkMarkupInt::GetClassType()));

    // Text converts to a type through a type that is in no registry.
    ObjectPtr instance = ObjectPtr::Adopt(CTkMarkupType::GetClassType()->CreateObject());
    ObjectPtr text = ObjectPtr::Adopt(CTkMarkupString::CreateValue(L"Color"));
    EXPECT_EQ(CTkMarkupColor::GetClassType(), ObjectPtr::Adopt(instance->ConvertFrom(text.Get())).Get());
    int nTypes = 0;
    for (CTkMarkupType* pType = CTkMarkupType::GetFirstType(); pType != nullptr; pType = pType->GetNextType()) {
        EXPECT_NE(instance.Get(), pType);
        nTypes++;
    }
    EXPECT_GT(nTypes, 10);
    EXPECT_EQ(CTkMarkupDependencyProperty::GetClassType(), CTkMarkupType::GetFirstType());
}

TEST_F(ObjectTest, PropertiesAreFoundByNameOnTheTypeAndItsBases) {
    EXPECT_EQ(CTkMarkupObject::s_pNameProperty,
              CTkMarkupDependencyProperty::FindProperty(CTkMarkupColor::GetClassType(), L"x:Name"));
    EXPECT_EQ(nullptr, CTkMarkupDependencyProperty::FindProperty(CTkMarkupColor::GetClassType(), L"x:name"));
    EXPECT_EQ(CountedProperty(), CTkMarkupBuilder::FindPropertyByName(CTkMarkupInt::GetClassType(), L"TestCounted"));
    EXPECT_EQ(CountedProperty(), CTkMarkupBuilder::FindPropertyByName(nullptr, L"Color.TestCounted"));
    EXPECT_EQ(nullptr, CTkMarkupBuilder::FindPropertyByName(nullptr, L"Nothing.TestCounted"));
}
