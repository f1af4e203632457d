#pragma once
#include "TkMarkupObject.h"

// CTkMarkupType: the run-time type of a markup class, one process-wide object per class. It names the
// class (its markup tag, if markup may create it, and its class name for messages), makes new instances,
// knows its base type, registers the class's dependency properties once, and may own a default style
// that applies to every instance without a style of its own.
//
// The registry (TkMarkupTypeRegistry.cpp) builds every type in one function, in a fixed order, on the
// first use of any type, and then registers every type's properties, base types first. Types,
// properties and the registry itself are never freed. UI thread only; nothing is locked.

class CTkMarkupType : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    using Factory = CTkMarkupObject* (*)();
    using BaseAccessor = CTkMarkupType* (*)();
    using RegisterRoutine = void (*)();

    // The instance the factory of the type of types makes, only to convert text to a type: it is in no
    // registry and names nothing.
    CTkMarkupType() = default;
    CTkMarkupType(LPCWSTR lpszTag, LPCWSTR lpszClassName, Factory pfnFactory, BaseAccessor pfnBase,
                  RegisterRoutine pfnRegister);

    // ---- What the type says
    LPCWSTR GetTag() const { return m_lpszTag; }  // NULL: markup cannot create it
    LPCWSTR GetClassName() const { return m_lpszClassName; }
    CTkMarkupType* GetBaseType() const { return m_pfnBase != nullptr ? m_pfnBase() : nullptr; }
    // The next type of the list of all types, in construction order.
    CTkMarkupType* GetNextType() const { return m_pNextType; }
    // A new default instance (one reference); NULL for a type without a factory.
    CTkMarkupObject* CreateObject() const;
    // A string naming a registered tag gives that type (a process-wide object); anything else NULL.
    CTkMarkupObject* ConvertFrom(CTkMarkupObject* pSource) const override;

    // ---- Default style: applies to every instance without a style of its own
    class CTkMarkupStyle* GetDefaultStyle() const {
        return m_pDefaultStyle;
    }  // borrowed
    // Releases the previous default style, takes over pStyle (may be NULL) and seals it.
    void SetDefaultStyle(class CTkMarkupStyle* pStyle);

    // ---- Registry
    // The type of a tag (case-sensitive), or NULL.
    static CTkMarkupType* FindType(LPCWSTR lpszTag);
    // The head of the list of all types.
    static CTkMarkupType* GetFirstType();
    // Runs the type's property registration once per process, after its base type's.
    static void EnsureRegistered(CTkMarkupType* pType);
    // Builds the registry when it is not built yet: every type, then every type's properties.
    static void EnsureAllRegistered();

private:
    friend class CTkMarkupTypeRegistry;

    LPCWSTR m_lpszTag = nullptr;        // static text
    LPCWSTR m_lpszClassName = nullptr;  // static text
    Factory m_pfnFactory = nullptr;
    BaseAccessor m_pfnBase = nullptr;
    RegisterRoutine m_pfnRegister = nullptr;
    CTkMarkupType* m_pNextType = nullptr;
    BOOL m_bRegistered = FALSE;
    class CTkMarkupStyle* m_pDefaultStyle = nullptr;  // owned
};
