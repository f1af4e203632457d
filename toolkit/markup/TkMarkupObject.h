#pragma once
#include "mfc.h"

#include <cstddef>
#include <utility>

// CTkMarkupObject: the base of every node of a markup tree and of every value a node holds: a
// reference count, a run-time type (CTkMarkupType), an uncounted logical parent and a store of
// property values keyed by CTkMarkupDependencyProperty.
//
// Ownership, the one rule of the whole markup engine:
// - Every markup object, and the markup context, is reference counted. The count starts at 1: the
//   creator's reference. A function that creates an object or hands out a shared instance gives the
//   caller one reference.
// - SetValue, a collection's Add, SetContentObject and SetPropertyObject take over the reference
//   passed to them, also when they refuse the object (they release it then).
// - Getters (GetValue, GetLocalValue, GetItem, GetLogicalParent, GetType, ...) answer borrowed
//   pointers. Borrowed too, and so never counted: the logical parent, the context's captured element
//   and active root, the font cache's links.
// - Code that keeps an object holds it in a CTkMarkupPtr: Adopt(p) takes over a reference the caller
//   already owns (a creator's), Retain(p) adds one, Detach() hands the reference on to a function that
//   takes it over. Code that may drop the last reference of an object it still uses holds a Retain for
//   the duration.
// - Process-wide objects (types, properties, shared values such as the true and false booleans) live
//   until the process ends and are never freed, so that globals released at exit never meet freed
//   markup. They do not count as live objects and take no logical parent.
//
// UI thread of the host window only; only the reference counts are interlocked.

class CTkMarkupBuilder;
class CTkMarkupDependencyProperty;
class CTkMarkupObject;
class CTkMarkupProperties;
class CTkMarkupType;

template <class T>
class CTkMarkupPtr {
public:
    CTkMarkupPtr() = default;
    CTkMarkupPtr(std::nullptr_t) {}
    // Takes over a reference the caller owns.
    static CTkMarkupPtr Adopt(T* p) {
        CTkMarkupPtr ptr;
        ptr.m_p = p;
        return ptr;
    }
    // Adds a reference of its own.
    static CTkMarkupPtr Retain(T* p) {
        if (p != nullptr)
            p->AddRef();
        return Adopt(p);
    }
    CTkMarkupPtr(const CTkMarkupPtr& other) : m_p(other.m_p) {
        if (m_p != nullptr)
            m_p->AddRef();
    }
    CTkMarkupPtr(CTkMarkupPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    template <class U>
    CTkMarkupPtr(CTkMarkupPtr<U>&& other) noexcept : m_p(other.Detach()) {}
    ~CTkMarkupPtr() { Reset(); }
    CTkMarkupPtr& operator=(CTkMarkupPtr other) noexcept {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // Drops the reference; the pointer is cleared before the release, which may run destructors that
    // look at this holder.
    void Reset() {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }
    // Hands the reference to the caller.
    T* Detach() { return std::exchange(m_p, nullptr); }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

// Declares the class's type object, built by the type registry (TkMarkupTypeRegistry.cpp), and answers
// it from GetType. A class without it reports the type of its nearest ancestor that has one.
#define DECLARE_MARKUP_TYPE() \
public: \
    static CTkMarkupType* GetClassType(); \
    CTkMarkupType* GetType() const override { \
        return GetClassType(); \
    }

// What a property change callback and OnPropertyChanged are told.
struct CTkMarkupPropertyChange {
    CTkMarkupDependencyProperty* pProperty;
    CTkMarkupObject* pOldValue;  // borrowed, alive for the callback
    CTkMarkupObject* pNewValue;  // borrowed
};

class CTkMarkupObject {
public:
    CTkMarkupObject();
    CTkMarkupObject(const CTkMarkupObject&) = delete;
    CTkMarkupObject& operator=(const CTkMarkupObject&) = delete;

    // ---- Reference count
    DWORD AddRef();
    // The count left; at 0 OnFinalRelease runs. An object whose count is already 0 answers 0 and
    // nothing happens.
    DWORD Release();

    // ---- Type
    static CTkMarkupType* GetClassType();
    virtual CTkMarkupType* GetType() const { return GetClassType(); }
    // The object's type or one of its base types is pType.
    BOOL IsKindOf(const CTkMarkupType* pType) const;

    // ---- Property values (borrowed results)
    // The value this object itself supplies; the base answers its local store.
    virtual CTkMarkupObject* GetLocalValue(CTkMarkupDependencyProperty* pProperty) const;
    // The effective value: the local value, for an inherited property the nearest logical ancestor's,
    // else the metadata's default (NULL without one).
    CTkMarkupObject* GetValue(CTkMarkupDependencyProperty* pProperty) const;
    // Takes over pValue (NULL clears the local value). A value that is not of the property's value type
    // is released and nothing changes. Any effective value before or after notifies OnPropertyChanged
    // (even the same object again) and, for an inherited property, the descendants.
    void SetValue(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue);
    // The object that supplies the value: this one, for an inherited property the nearest ancestor with
    // a local value; NULL when only the default applies.
    CTkMarkupObject* FindValueOwner(CTkMarkupDependencyProperty* pProperty) const;
    // The base calls the metadata's changed callback.
    virtual void OnPropertyChanged(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pOldValue,
                                   CTkMarkupObject* pNewValue);
    // Tells every descendant of the property's owner type (also those with a value of their own), in
    // logical order, depth first.
    void NotifyInheritedChange(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pOldValue,
                               CTkMarkupObject* pNewValue);

    // ---- Keys of resource dictionaries: identity unless a value class says otherwise
    virtual UINT GetHashKey() const;
    virtual BOOL IsEqual(const CTkMarkupObject* pOther) const;

    // ---- Logical tree
    CTkMarkupObject* GetLogicalParent() const { return m_pLogicalParent; }
    // Not counted; a process-wide object takes no parent.
    void SetLogicalParent(CTkMarkupObject* pParent);
    virtual int GetLogicalChildrenCount() const;
    virtual CTkMarkupObject* GetLogicalChild(int nIndex) const;

    // ---- Building from markup (errors raise CTkMarkupBuilderException)
    // Takes over pContent. The base accepts none.
    virtual void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent);
    // Takes over pValue; the base converts it through the builder when it is not of the property's
    // value type, then SetValue.
    virtual void SetPropertyObject(CTkMarkupBuilder* pBuilder, CTkMarkupDependencyProperty* pProperty,
                                   CTkMarkupObject* pValue);
    // A new object of this class made from pSource (as a rule a CTkMarkupString), one reference; NULL
    // when impossible. Called on a temporary instance.
    virtual CTkMarkupObject* ConvertFrom(CTkMarkupObject* pSource) const;
    virtual BOOL HasContentObject() const;
    virtual BOOL AllowWhiteSpaceContent() const;
    // The start tag the builder made this object for (matched against the end tag); NULL for objects
    // made in code.
    LPCWSTR GetTagName() const { return m_strTagName.IsEmpty() ? nullptr : m_strTagName.GetString(); }
    void SetTagName(LPCWSTR lpszTag) { m_strTagName = lpszTag; }

    // ---- Process-wide objects and the live-object count
    // Marks an object that lives until the process ends: never freed, no logical parent, not counted.
    void MakeProcessWide();
    BOOL IsProcessWide() const { return m_bProcessWide; }
    // Markup objects alive now, process-wide ones not counted. Tests check it returns to where it was.
    static LONG GetLiveObjectCount();

    // ---- Properties of every object
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pNameProperty;  // "x:Name", a string
    static CTkMarkupDependencyProperty* s_pKeyProperty;   // "x:Key", any object

protected:
    virtual ~CTkMarkupObject();
    // The count reached 0; the base deletes the object.
    virtual void OnFinalRelease();

private:
    // The local value of this object or, for an inherited property, of its nearest ancestor that has
    // one, with that object in pOwner; NULL when none has.
    CTkMarkupObject* FindLocalValue(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject*& pOwner) const;

    CTkMarkupObject* m_pLogicalParent = nullptr;   // not counted
    CTkMarkupProperties* m_pProperties = nullptr;  // owned; made by the first non-null SetValue
    CString m_strTagName;
    volatile LONG m_nRef = 1;
    BOOL m_bProcessWide = FALSE;
};

// The 32-bit key of an address (both halves folded on 64-bit builds).
UINT HashAddress(const void* p);
// h = h x 33 + c over the characters.
UINT HashMarkupText(LPCWSTR lpsz, int nLength);
