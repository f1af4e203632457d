#pragma once
#include "TkMarkupObject.h"

#include <memory>
#include <vector>

// Dependency properties: the typed keys of markup values, with their metadata, and the routed events,
// which are registered like properties but never hold a value.
//
// A non-event property gets an index from a process-wide count when it is registered; value stores
// (CTkMarkupProperties) are arrays by that index. A name is resolved once, when markup is built, through
// the property table keyed by (name, owner type). Registration runs on the UI thread before the first
// store exists (CTkMarkupType::EnsureAllRegistered); properties are process-wide objects owned by the
// table, so the registering functions answer a pointer that the caller keeps without a reference.

class CTkMarkupContext;
class CTkMarkupRoutedEvent;

class CTkMarkupPropertyMetadata {
public:
    // Turns markup text into a value (one reference), or NULL; tried before the value type's ConvertFrom.
    using Converter = CTkMarkupObject* (*)(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
    using ChangedCallback = void (*)(CTkMarkupObject* pObject, const CTkMarkupPropertyChange& change);

    enum : DWORD {
        flagInherited = 0x1,  // the value is looked up on logical ancestors too
        flagAffectsArrange = 0x2,
        flagAffectsMeasure = 0x4,
        flagAffectsRender = 0x20,
    };
    // For a routed event the flags hold its routing.
    enum : DWORD { routingDirect = 0, routingBubble = 0x1 };

    // Each takes over pDefaultValue (may be NULL), which becomes a process-wide object.
    CTkMarkupPropertyMetadata(CTkMarkupObject* pDefaultValue, DWORD dwFlags);
    CTkMarkupPropertyMetadata(CTkMarkupObject* pDefaultValue, Converter pfnConverter, DWORD dwFlags);
    CTkMarkupPropertyMetadata(CTkMarkupObject* pDefaultValue, ChangedCallback pfnChanged, DWORD dwFlags);
    CTkMarkupPropertyMetadata(CTkMarkupObject* pDefaultValue, Converter pfnConverter, ChangedCallback pfnChanged,
                              DWORD dwFlags);
    virtual ~CTkMarkupPropertyMetadata();
    CTkMarkupPropertyMetadata(const CTkMarkupPropertyMetadata&) = delete;
    CTkMarkupPropertyMetadata& operator=(const CTkMarkupPropertyMetadata&) = delete;

    CTkMarkupObject* GetDefaultValue() const { return m_pDefaultValue; }  // borrowed
    Converter GetConverter() const { return m_pfnConverter; }
    ChangedCallback GetChangedCallback() const { return m_pfnChanged; }
    DWORD GetFlags() const { return m_dwFlags; }

private:
    CTkMarkupObject* m_pDefaultValue;  // owned (one reference)
    Converter m_pfnConverter;
    ChangedCallback m_pfnChanged;
    DWORD m_dwFlags;
};

class CTkMarkupDependencyProperty : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    // ---- Registration (each takes over pMetadata, which may be NULL)
    // A property the owner declares. A second registration of the same name and owner replaces the
    // table's entry.
    static CTkMarkupDependencyProperty* Register(LPCWSTR lpszName, CTkMarkupType* pValueType, CTkMarkupType* pOwnerType,
                                                 CTkMarkupPropertyMetadata* pMetadata = nullptr);
    // The same, for a property that any element may carry (written Owner.Name in markup).
    static CTkMarkupDependencyProperty* RegisterAttached(LPCWSTR lpszName, CTkMarkupType* pValueType,
                                                         CTkMarkupType* pOwnerType,
                                                         CTkMarkupPropertyMetadata* pMetadata = nullptr);
    // A routed event of the owner: value type string, no index; dwRouting as in the metadata.
    static CTkMarkupRoutedEvent* RegisterRoutedEvent(LPCWSTR lpszName, DWORD dwRouting, CTkMarkupType* pOwnerType);
    // Enters this property once more under a further owner (one object, one value slot); answers it.
    CTkMarkupDependencyProperty* AddOwner(CTkMarkupType* pOwnerType);
    // The property of that name on the type or its nearest base type that has one; NULL when none.
    static CTkMarkupDependencyProperty* FindProperty(CTkMarkupType* pType, LPCWSTR lpszName);
    // Every property that can hold a value, each once (under its first owner), in no particular order.
    static std::vector<CTkMarkupDependencyProperty*> GetAllProperties();
    // Properties registered so far (the size of a value store made now).
    static int GetPropertyCount();

    // The factory's empty property.
    CTkMarkupDependencyProperty() = default;

    virtual BOOL IsEvent() const;
    LPCWSTR GetName() const { return m_lpszName; }
    CTkMarkupType* GetValueType() const { return m_pValueType; }
    CTkMarkupType* GetOwnerType() const { return m_pOwnerType; }
    CTkMarkupPropertyMetadata* GetMetadata() const { return m_pMetadata.get(); }
    // The metadata's flags; 0 without metadata.
    DWORD GetFlags() const { return m_pMetadata != nullptr ? m_pMetadata->GetFlags() : 0; }
    // The metadata's default value (borrowed); NULL without metadata.
    CTkMarkupObject* GetDefaultValue() const;
    BOOL IsAttached() const { return m_bAttached; }
    int GetIndex() const { return m_nIndex; }  // -1: no slot (events)

protected:
    // Fills the fields and enters the property in the table; the table takes the creator's reference.
    void Enter(LPCWSTR lpszName, CTkMarkupType* pValueType, CTkMarkupType* pOwnerType, BOOL bAttached,
               CTkMarkupPropertyMetadata* pMetadata);

private:
    static CTkMarkupDependencyProperty* RegisterProperty(LPCWSTR lpszName, CTkMarkupType* pValueType,
                                                         CTkMarkupType* pOwnerType, BOOL bAttached,
                                                         CTkMarkupPropertyMetadata* pMetadata);

    LPCWSTR m_lpszName = nullptr;  // static text, not copied
    CTkMarkupType* m_pValueType = nullptr;
    CTkMarkupType* m_pOwnerType = nullptr;
    std::unique_ptr<CTkMarkupPropertyMetadata> m_pMetadata;
    BOOL m_bAttached = FALSE;
    int m_nIndex = -1;
};

// An event identifier: reports the dependency-property type, answers IsEvent, never holds a value. Its
// metadata flags hold the routing (bubbling when the lowest bit is set, else direct).
class CTkMarkupRoutedEvent : public CTkMarkupDependencyProperty {
public:
    BOOL IsEvent() const override;
    BOOL IsBubbling() const { return (GetFlags() & CTkMarkupPropertyMetadata::routingBubble) != 0; }

private:
    friend class CTkMarkupDependencyProperty;
    CTkMarkupRoutedEvent() = default;
};
