#include "MarkupTestSupport.h"

#include "TkMarkupDrawingContext.h"
#include "TkMarkupValues.h"

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
