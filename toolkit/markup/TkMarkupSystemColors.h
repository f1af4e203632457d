#pragma once
#include "TkMarkupObject.h"

// The system colours as markup names them: "SystemColors." members for x:Static, and the colour and
// brush keys those members produce for resource lookups. The builder resolves a member, creates and
// caches its value for the build, and resolves a key without a matching resource to that value.

// What the colour and brush keys share: the system colour they stand for. Keys compare by identity: the
// builder hands out one key per index and kind within a build, so a key written twice matches itself.
class CTkMarkupSystemColorKey : public CTkMarkupObject {
public:
    int GetIndex() const { return m_nIndex; }  // of GetSysColor

protected:
    explicit CTkMarkupSystemColorKey(int nIndex) : m_nIndex(nIndex) {}

private:
    int m_nIndex;
};

// A resource key that stands for the colour of a system colour.
class CTkMarkupColorKey : public CTkMarkupSystemColorKey {
    DECLARE_MARKUP_TYPE()
public:
    explicit CTkMarkupColorKey(int nIndex = 0) : CTkMarkupSystemColorKey(nIndex) {}
};

// A resource key that stands for a solid brush of a system colour.
class CTkMarkupBrushKey : public CTkMarkupSystemColorKey {
    DECLARE_MARKUP_TYPE()
public:
    explicit CTkMarkupBrushKey(int nIndex = 0) : CTkMarkupSystemColorKey(nIndex) {}
};

// The GetSysColor index of the first system colour name, in alphabetical order, whose first nLength
// characters are lpszName (case-sensitive), so the beginning of a name selects that name: "Control"
// is Control, "Act" ActiveBorder. FALSE for no match and for an empty name.
BOOL LookupSystemColorIndex(LPCWSTR lpszName, int nLength, int& nIndex);

// What a "SystemColors.<name><suffix>" member stands for, by its suffix.
enum class MarkupSystemColorsMember {
    color,     // "Color": a CTkMarkupColor
    brush,     // "Brush": a CTkMarkupSolidColorBrush
    colorKey,  // "ColorKey": a CTkMarkupColorKey
    brushKey,  // "BrushKey": a CTkMarkupBrushKey
};

// The kind and system colour index of a static member's text; FALSE when it is no "SystemColors."
// member (case-sensitive, at least 20 characters) or its name is no system colour.
BOOL ParseSystemColorsMember(LPCWSTR lpszText, MarkupSystemColorsMember& member, int& nIndex);
