#include "TkMarkupConverters.h"

#include "TkMarkupArithmetic.h"
#include "TkMarkupBuilder.h"
#include "TkMarkupContext.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupType.h"
#include "TkMarkupValueText.h"
#include "TkMarkupValues.h"

#include <cmath>

namespace {

struct NamedValue {
    LPCWSTR lpszName;
    int nValue;
};

const NamedValue kVisibilityNames[] = {{L"Visible", 0}, {L"Hidden", 1}, {L"Collapsed", 2}};
const NamedValue kScrollBarVisibilityNames[] = {{L"Disabled", 0}, {L"Auto", 1}, {L"Visible", 2}};
const NamedValue kHorizontalAlignmentNames[] = {{L"Left", 0}, {L"Center", 1}, {L"Right", 2}, {L"Stretch", 3}};
const NamedValue kVerticalAlignmentNames[] = {{L"Top", 0}, {L"Center", 1}, {L"Bottom", 2}, {L"Stretch", 3}};
const NamedValue kTextWrappingNames[] = {{L"NoWrap", 0}, {L"Wrap", 1}};
const NamedValue kTextTrimmingNames[] = {{L"None", 0}, {L"CharacterEllipsis", 1}, {L"WordEllipsis", 2}};
const NamedValue kTextAlignmentNames[] = {{L"Left", 0}, {L"Right", 1}, {L"Center", 2}, {L"Justify", 3}};
const NamedValue kOrientationNames[] = {{L"Horizontal", 0}, {L"Vertical", 1}};
const NamedValue kBaselineAlignmentNames[] = {
    {L"Top", 0},     {L"Center", 1},     {L"Bottom", 2},    {L"Baseline", 3},
    {L"TextTop", 4}, {L"TextBottom", 5}, {L"Subscript", 6}, {L"Superscript", 7},
};
const NamedValue kStretchNames[] = {{L"None", 0}, {L"Fill", 1}, {L"Uniform", 2}, {L"UniformToFill", 3}};
const NamedValue kFontStyleNames[] = {{L"Normal", 0}, {L"Italic", 1}};
const NamedValue kFontWeightNames[] = {
    {L"Thin", 100},      {L"ExtraLight", 200}, {L"Light", 300},    {L"Normal", 400},     {L"Regular", 400},
    {L"Medium", 500},    {L"SemiBold", 600},   {L"DemiBold", 600}, {L"Bold", 700},       {L"ExtraBold", 800},
    {L"UltraBold", 800}, {L"Black", 900},      {L"Heavy", 900},    {L"ExtraBlack", 950},
};
const NamedValue kTextDecorationsNames[] = {{L"", 0}, {L"Underline", 1}, {L"Strikethrough", 2}};
const NamedValue kFontQualityNames[] = {{L"ClearType", CLEARTYPE_QUALITY}};
const NamedValue kTabNavigationNames[] = {
    {L"Continue", 0}, {L"Once", 1}, {L"Cycle", 2}, {L"None", 3}, {L"Contained", 4}, {L"Local", 5},
};
const NamedValue kIsCheckedNames[] = {{L"False", 0}, {L"True", 1}, {L"", 2}};
// The system cursors of the same names.
const NamedValue kCursorNames[] = {
    {L"None", 0},         {L"No", 32648},     {L"Arrow", 32512},   {L"AppStarting", 32650}, {L"Cross", 32515},
    {L"Hand", 32649},     {L"IBeam", 32513},  {L"SizeAll", 32646}, {L"SizeNESW", 32643},    {L"SizeNS", 32645},
    {L"SizeNWSE", 32642}, {L"SizeWE", 32644}, {L"UpArrow", 32516}, {L"Wait", 32514},
};

const CTkMarkupString* AsString(const CTkMarkupObject* pSource) {
    if (pSource == nullptr || !pSource->IsKindOf(CTkMarkupString::GetClassType()))
        return nullptr;
    return static_cast<const CTkMarkupString*>(pSource);
}

// The value of the source's text in the table: the whole text, in any case.
template <size_t N>
BOOL LookupName(const CTkMarkupObject* pSource, const NamedValue (&names)[N], int& nValue) {
    const CTkMarkupString* pString = AsString(pSource);
    if (pString == nullptr)
        return FALSE;
    for (const NamedValue& name : names) {
        if (static_cast<int>(wcslen(name.lpszName)) == pString->GetLength() &&
            _wcsicmp(name.lpszName, pString->GetText()) == 0) {
            nValue = name.nValue;
            return TRUE;
        }
    }
    return FALSE;
}

template <size_t N>
CTkMarkupObject* ConvertEnumName(const CTkMarkupObject* pSource, const NamedValue (&names)[N]) {
    int nValue = 0;
    return LookupName(pSource, names, nValue) ? CTkMarkupEnum::CreateValue(nValue) : nullptr;
}

// Pixels at 96 per inch of n in the unit the text ends with; FALSE beyond 32 bits.
BOOL ApplyLengthUnit(LPCWSTR lpszText, int nLength, int n, int& nPixels) {
    INT64 nResult = n;
    if (nLength > 2) {
        LPCWSTR lpszUnit = lpszText + nLength - 2;
        if (_wcsicmp(lpszUnit, L"pt") == 0) {
            // Rounded half away from zero, as MulDiv(n, 96, 72) does.
            const INT64 nProduct = INT64{n} * 96;
            nResult = (nProduct >= 0 ? nProduct + 36 : nProduct - 36) / 72;
        } else if (_wcsicmp(lpszUnit, L"in") == 0) {
            nResult = INT64{n} * 96;
        } else if (_wcsicmp(lpszUnit, L"cm") == 0) {
            nResult = static_cast<INT64>(std::trunc(n * 37.79528));
        }
    }
    if (nResult != SaturatedInt(nResult))
        return FALSE;
    nPixels = static_cast<int>(nResult);
    return TRUE;
}

}  // namespace

CTkMarkupObject* ConvertVisibility(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kVisibilityNames);
}
CTkMarkupObject* ConvertScrollBarVisibility(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kScrollBarVisibilityNames);
}
CTkMarkupObject* ConvertHorizontalAlignment(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kHorizontalAlignmentNames);
}
CTkMarkupObject* ConvertVerticalAlignment(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kVerticalAlignmentNames);
}
CTkMarkupObject* ConvertTextWrapping(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kTextWrappingNames);
}
CTkMarkupObject* ConvertTextTrimming(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kTextTrimmingNames);
}
CTkMarkupObject* ConvertTextAlignment(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kTextAlignmentNames);
}
CTkMarkupObject* ConvertOrientation(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kOrientationNames);
}
CTkMarkupObject* ConvertBaselineAlignment(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kBaselineAlignmentNames);
}
CTkMarkupObject* ConvertStretch(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kStretchNames);
}
CTkMarkupObject* ConvertFontStyle(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kFontStyleNames);
}
CTkMarkupObject* ConvertFontWeight(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kFontWeightNames);
}
CTkMarkupObject* ConvertTextDecorations(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kTextDecorationsNames);
}
CTkMarkupObject* ConvertFontQuality(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kFontQualityNames);
}
CTkMarkupObject* ConvertTabNavigation(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kTabNavigationNames);
}
CTkMarkupObject* ConvertIsChecked(CTkMarkupContext*, CTkMarkupObject* pSource) {
    return ConvertEnumName(pSource, kIsCheckedNames);
}

CTkMarkupObject* ConvertCursor(CTkMarkupContext*, CTkMarkupObject* pSource) {
    int nCursor = 0;
    return LookupName(pSource, kCursorNames, nCursor) ? new CTkMarkupInt(nCursor) : nullptr;
}

CTkMarkupObject* ConvertLength(CTkMarkupContext*, CTkMarkupObject* pSource) {
    const CTkMarkupString* pString = AsString(pSource);
    if (pString == nullptr)
        return nullptr;
    if (_wcsicmp(pString->GetText(), L"Auto") == 0)
        return new CTkMarkupInt(kMarkupUnbounded);
    int n = 0;
    int nPixels = 0;
    if (!ReadLeadingInteger(pString->GetText(), n) ||
        !ApplyLengthUnit(pString->GetText(), pString->GetLength(), n, nPixels))
        return nullptr;
    return new CTkMarkupInt(nPixels);
}

CTkMarkupObject* ConvertContent(CTkMarkupContext* pContext, CTkMarkupObject* pSource) {
    if (pContext == nullptr || pSource == nullptr || !pSource->IsKindOf(CTkMarkupString::GetClassType()))
        return nullptr;
    // The text classes are found by tag: they register themselves beside this vocabulary.
    CTkMarkupType* pTextBlockType = CTkMarkupType::FindType(L"TextBlock");
    CTkMarkupType* pRunType = CTkMarkupType::FindType(L"Run");
    CTkMarkupDependencyProperty* pRunText = CTkMarkupDependencyProperty::FindProperty(pRunType, L"Text");
    if (pTextBlockType == nullptr || pRunText == nullptr)
        return nullptr;
    auto textBlock = CTkMarkupPtr<CTkMarkupObject>::Adopt(pContext->CreateMarkupObject(pTextBlockType));
    auto run = CTkMarkupPtr<CTkMarkupObject>::Adopt(pContext->CreateMarkupObject(pRunType));
    if (!textBlock || !run)
        return nullptr;
    pSource->AddRef();
    run->SetValue(pRunText, pSource);
    CTkMarkupBuilder builder(pContext);
    textBlock->SetContentObject(&builder, run.Detach());
    return textBlock.Detach();
}
