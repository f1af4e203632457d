#pragma once
#include "TkMarkupObject.h"

// CTkMarkupBuilder: builds a tree of markup objects for one markup context, and meanwhile converts
// attribute values and finds properties by name. CTkMarkupBuilderException is the one markup error:
// raised while markup is built (by the builder and by the objects it hands content and values to) and
// caught by the builder; nothing raises it while measuring, drawing or handling input.

class CTkMarkupContext;
class CTkMarkupType;

class CTkMarkupBuilderException : public CSimpleException {
    DECLARE_DYNAMIC(CTkMarkupBuilderException)
public:
    // The message is cut to 255 characters.
    explicit CTkMarkupBuilderException(LPCWSTR lpszMessage) : CSimpleException(lpszMessage) {}
};

// Raises a CTkMarkupBuilderException with the formatted message (%ls for texts).
[[noreturn]] void ThrowMarkupError(LPCWSTR lpszFormat, ...);

class CTkMarkupBuilder {
public:
    explicit CTkMarkupBuilder(CTkMarkupContext* pContext) : m_pContext(pContext) {}
    virtual ~CTkMarkupBuilder() = default;
    CTkMarkupBuilder(const CTkMarkupBuilder&) = delete;
    CTkMarkupBuilder& operator=(const CTkMarkupBuilder&) = delete;

    CTkMarkupContext* GetContext() const { return m_pContext; }

    // pValue (borrowed) converted for the property: the metadata's converter first, then the value
    // type's ConvertFrom; one reference for the caller, who releases the unconverted value. Raises
    // "Cannot convert string in attribute ..." when neither converts.
    CTkMarkupObject* ConvertValue(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue);
    // The property named in markup for an object of pType: a plain name on pType or its base types, or
    // Owner.Name with Owner a registered tag. NULL when none.
    static CTkMarkupDependencyProperty* FindPropertyByName(CTkMarkupType* pType, LPCWSTR lpszName);

private:
    CTkMarkupContext* m_pContext;  // not owned
};
