#pragma once
#include "TkMarkupObject.h"

#include <string>
#include <vector>

// CTkMarkupBuilder: builds a tree of markup objects for one markup context from the tokens of a
// CTkMarkupParser, and meanwhile converts attribute values, finds properties by name and resolves the
// brace expressions of attribute values. CTkMarkupBuilderException is the one markup error: raised while
// markup is built (by the builder and by the objects it hands content and values to) and caught by the
// builder; nothing raises it while measuring, drawing or handling input.
//
// One builder serves one Build. The system colours, brushes and keys that brace expressions name are
// made once per builder and shared by every holder; everything else a failed Build made is released
// before it returns.

class CTkMarkupContext;
class CTkMarkupParser;
class CTkMarkupType;
class CTkMarkupUIElement;

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
    explicit CTkMarkupBuilder(CTkMarkupContext* pContext);
    virtual ~CTkMarkupBuilder();
    CTkMarkupBuilder(const CTkMarkupBuilder&) = delete;
    CTkMarkupBuilder& operator=(const CTkMarkupBuilder&) = delete;

    CTkMarkupContext* GetContext() const { return m_pContext; }

    // The root of the parser's markup (one reference), styles applied; NULL with the reason in
    // GetLastError. Only markup errors are caught: anything else leaves, the partial tree released.
    CTkMarkupUIElement* Build(CTkMarkupParser* pParser);
    // Why the last Build failed; empty after a success.
    LPCWSTR GetLastError() const { return m_strLastError; }

    // pValue (borrowed) converted for the property: the metadata's converter first, then the value
    // type's ConvertFrom; one reference for the caller, who releases the unconverted value. Raises
    // "Cannot convert string in attribute ..." when neither converts.
    CTkMarkupObject* ConvertValue(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue);
    // The property named in markup for an object of pType: a plain name on pType or its base types, or
    // Owner.Name with Owner a registered tag. NULL when none.
    static CTkMarkupDependencyProperty* FindPropertyByName(CTkMarkupType* pType, LPCWSTR lpszName);
    // The value of a brace expression, given the text after its opening brace (one reference); raises a
    // markup error when the expression names nothing.
    CTkMarkupObject* ParseMarkupExtension(LPCWSTR lpszText);

private:
    static constexpr int kSystemColorCount = 31;
    // The rows of the system-colour cache.
    enum CacheRow { rowBrush, rowColor, rowBrushKey, rowColorKey, kCacheRows };

    void ReadTokens();
    void OnStartTag();
    void OnAttribute();
    void OnText();
    void OnEndTag();
    void OnProcessingInstructionEnd();
    // Hands the collected text, when there is any, to pObject as one string.
    void FlushText(CTkMarkupObject* pObject);
    CTkMarkupObject* Top() const { return m_stack.back().Get(); }
    // The value of an attribute's text: literal after "{}", a brace expression, else the text itself.
    CTkMarkupObject* MakeAttributeValue(LPCWSTR lpszText);
    CTkMarkupObject* FindStaticMember(LPCWSTR lpszMember);
    CTkMarkupObject* FindResource(LPCWSTR lpszKey);
    // The cached object of a system colour (one reference for the caller).
    CTkMarkupObject* GetSystemColorObject(CacheRow row, int nIndex);

    CString m_strLastError;
    CTkMarkupContext* m_pContext;                             // not owned
    std::vector<CTkMarkupPtr<CTkMarkupObject>> m_colorCache;  // kCacheRows x kSystemColorCount, made on first use
    std::vector<CTkMarkupPtr<CTkMarkupObject>> m_stack;       // the open objects, innermost last

    // ---- One Build
    CTkMarkupParser* m_pParser = nullptr;  // not owned
    CTkMarkupPtr<CTkMarkupObject> m_root;
    BOOL m_bOpened = FALSE;  // an element was opened
    std::wstring m_strText;  // content text since the last tag
    BOOL m_bPendingSpace = FALSE;
};

// What stands on the builder's stack for a property element (Owner.Property): it collects the property's
// value from its content and hands it to the enclosing object at its end tag.
class CTkMarkupObjectProperty : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupObjectProperty() = default;
    explicit CTkMarkupObjectProperty(CTkMarkupDependencyProperty* pProperty) : m_pProperty(pProperty) {}

    CTkMarkupDependencyProperty* GetProperty() const { return m_pProperty; }
    CTkMarkupObject* GetCollectedValue() const { return m_value.Get(); }  // borrowed
    // Hands the collected value on (one reference).
    CTkMarkupObject* DetachValue() { return m_value.Detach(); }

    // Content of the property's type, or a string, becomes the value; other content goes into the value,
    // made as a new instance of the property's type when there is none yet (so a collection property
    // gathers all its child elements).
    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;

private:
    CTkMarkupPtr<CTkMarkupObject> m_value;
    CTkMarkupDependencyProperty* m_pProperty = nullptr;  // process-wide
};
