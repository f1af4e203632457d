#include "MarkupTestSupport.h"

#include "TkMarkupDependencyProperty.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

#include <algorithm>

void CTestElement::OnRender(CTkMarkupDrawingContext* pDC) {
    if (m_clrFill != CLR_NONE)
        pDC->FillSolidRect(CRect(CPoint(0, 0), GetRenderSize()), m_clrFill);
}

CTestElement* MakeTestElement(CTkMarkupContext* pContext, int cx, int cy, COLORREF clrFill) {
    auto* pElement = new CTestElement;
    if (pContext != nullptr)
        pContext->TieElement(pElement);
    pElement->m_szContent = CSize(cx, cy);
    pElement->m_clrFill = clrFill;
    return pElement;
}

void SetInt(CTkMarkupObject* pObject, CTkMarkupDependencyProperty* pProperty, int nValue) {
    pObject->SetValue(pProperty, new CTkMarkupInt(nValue));
}

void SetEnum(CTkMarkupObject* pObject, CTkMarkupDependencyProperty* pProperty, int nValue) {
    pObject->SetValue(pProperty, CTkMarkupEnum::CreateValue(nValue));
}

void SetName(CTkMarkupObject* pObject, LPCWSTR lpszName) {
    pObject->SetValue(CTkMarkupObject::s_pNameProperty, CTkMarkupString::CreateValue(lpszName));
}

CString NameOf(const CTkMarkupObject* pObject) {
    const CTkMarkupObject* pName = pObject != nullptr ? pObject->GetValue(CTkMarkupObject::s_pNameProperty) : nullptr;
    return pName != nullptr ? CString(static_cast<const CTkMarkupString*>(pName)->GetText()) : CString();
}

void CRecordingDelegate::Execute(CTkMarkupObject* pSender, CTkMarkupRoutedEventArgs* pArgs) {
    m_pLog->push_back(m_strName + L":" + NameOf(pSender));
    if (m_bHandle)
        pArgs->bHandled = TRUE;
}

namespace {

// The text of a simple value, or FALSE for an object to dump on its own lines.
bool SimpleValueText(const CTkMarkupObject* pValue, CString& strText) {
    if (pValue->IsKindOf(CTkMarkupString::GetClassType()))
        strText.Format(L"\"%ls\"", static_cast<const CTkMarkupString*>(pValue)->GetText());
    else if (pValue->IsKindOf(CTkMarkupInt::GetClassType()))
        strText.Format(L"%d", static_cast<const CTkMarkupInt*>(pValue)->GetInt());
    else if (pValue->IsKindOf(CTkMarkupEnum::GetClassType()))
        strText.Format(L"enum %d", static_cast<const CTkMarkupEnum*>(pValue)->GetEnum());
    else if (pValue->IsKindOf(CTkMarkupBool::GetClassType()))
        strText = static_cast<const CTkMarkupBool*>(pValue)->GetBool() ? L"True" : L"False";
    else if (pValue->IsKindOf(CTkMarkupDouble::GetClassType()))
        strText.Format(L"%g", static_cast<const CTkMarkupDouble*>(pValue)->GetDouble());
    else if (pValue->IsKindOf(CTkMarkupColor::GetClassType())) {
        const COLORREF clr = static_cast<const CTkMarkupColor*>(pValue)->GetColor();
        strText.Format(L"#%02X%02X%02X", GetRValue(clr), GetGValue(clr), GetBValue(clr));
    } else if (pValue->IsKindOf(CTkMarkupThickness::GetClassType())) {
        const RECT& rc = static_cast<const CTkMarkupThickness*>(pValue)->GetThickness();
        strText.Format(L"%d,%d,%d,%d", rc.left, rc.top, rc.right, rc.bottom);
    } else if (pValue->IsKindOf(CTkMarkupType::GetClassType()))
        strText.Format(L"{%ls}", static_cast<const CTkMarkupType*>(pValue)->GetClassName());
    else
        return false;
    return true;
}

void DumpNode(const CTkMarkupObject* pObject, int nIndent, CString& strOut) {
    std::vector<CTkMarkupDependencyProperty*> properties;
    for (CTkMarkupDependencyProperty* pProperty : CTkMarkupDependencyProperty::GetAllProperties()) {
        if (pObject->GetLocalValue(pProperty) != nullptr)
            properties.push_back(pProperty);
    }
    std::sort(properties.begin(), properties.end(), [](auto* pA, auto* pB) {
        const bool bNameA = pA == CTkMarkupObject::s_pNameProperty, bNameB = pB == CTkMarkupObject::s_pNameProperty;
        return bNameA != bNameB ? bNameA : wcscmp(pA->GetName(), pB->GetName()) < 0;
    });
    CString strLine(L' ', nIndent);
    strLine += pObject->GetType()->GetClassName();
    std::vector<std::pair<CTkMarkupDependencyProperty*, CTkMarkupObject*>> nested;
    for (CTkMarkupDependencyProperty* pProperty : properties) {
        CTkMarkupObject* pValue = pObject->GetLocalValue(pProperty);
        CString strValue;
        if (SimpleValueText(pValue, strValue))
            strLine.AppendFormat(L" %ls=%ls", pProperty->GetName(), strValue.GetString());
        else
            nested.emplace_back(pProperty, pValue);
    }
    strOut += strLine + L"\n";
    for (const auto& [pProperty, pValue] : nested) {
        strOut.AppendFormat(L"%ls.%ls:\n", CString(L' ', nIndent + 2).GetString(), pProperty->GetName());
        DumpNode(pValue, nIndent + 4, strOut);
    }
    for (int i = 0; i < pObject->GetLogicalChildrenCount(); i++)
        DumpNode(pObject->GetLogicalChild(i), nIndent + 2, strOut);
}

}  // namespace

CString DumpMarkupTree(const CTkMarkupObject* pObject) {
    CString strOut;
    if (pObject != nullptr)
        DumpNode(pObject, 0, strOut);
    return strOut;
}
