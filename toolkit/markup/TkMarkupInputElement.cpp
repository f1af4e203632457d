#include "TkMarkupInputElement.h"

#include "TkMarkupConverters.h"

#include "TkMarkupBuilder.h"
#include "TkMarkupContext.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupKeyboardNavigation.h"
#include "TkMarkupProperties.h"
#include "TkMarkupResourceDictionary.h"
#include "TkMarkupStyle.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"
#include "TkMarkupVisual.h"

#include <vector>

CTkMarkupDependencyProperty* CTkMarkupInputElement::s_pCursorProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupInputElement::s_pIsMouseOverProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupInputElement::s_pResourcesProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupInputElement::s_pStyleProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupInputElement::s_pIsKeyboardFocusedProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupInputElement::s_pIsFocusableProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupInputElement::s_pToolTipProperty = nullptr;
CTkMarkupRoutedEvent* CTkMarkupInputElement::s_pMouseLeaveEvent = nullptr;
CTkMarkupRoutedEvent* CTkMarkupInputElement::s_pMouseEnterEvent = nullptr;
CTkMarkupRoutedEvent* CTkMarkupInputElement::s_pMouseLeftButtonUpEvent = nullptr;
CTkMarkupRoutedEvent* CTkMarkupInputElement::s_pMouseLeftButtonDownEvent = nullptr;
CTkMarkupRoutedEvent* CTkMarkupInputElement::s_pMouseRightButtonUpEvent = nullptr;
CTkMarkupRoutedEvent* CTkMarkupInputElement::s_pMouseRightButtonDownEvent = nullptr;
CTkMarkupRoutedEvent* CTkMarkupInputElement::s_pMouseMoveEvent = nullptr;
CTkMarkupRoutedEvent* CTkMarkupInputElement::s_pLostMouseCaptureEvent = nullptr;

CTkMarkupInputElement::CTkMarkupInputElement() = default;

CTkMarkupInputElement::~CTkMarkupInputElement() {
    if (m_pActiveTriggers != nullptr)
        m_pActiveTriggers->Release();
    if (m_pTriggerValues != nullptr)
        m_pTriggerValues->Release();
    if (m_pStyle != nullptr)
        m_pStyle->Release();
}

void CTkMarkupInputElement::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    CTkMarkupType::EnsureRegistered(CTkMarkupStyle::GetClassType());
    using Metadata = CTkMarkupPropertyMetadata;
    s_pCursorProperty = CTkMarkupDependencyProperty::Register(L"Cursor", CTkMarkupInt::GetClassType(), pType,
                                                              new Metadata(nullptr, &ConvertCursor, 0));
    s_pIsMouseOverProperty = CTkMarkupDependencyProperty::Register(L"IsMouseOver", CTkMarkupBool::GetClassType(), pType,
                                                                   new Metadata(CTkMarkupBool::CreateValue(FALSE), 0));
    s_pResourcesProperty = CTkMarkupStyle::s_pResourcesProperty->AddOwner(pType);
    s_pStyleProperty = CTkMarkupDependencyProperty::Register(L"Style", CTkMarkupStyle::GetClassType(), pType,
                                                             new Metadata(nullptr, &OnStyleChanged, 0));
    s_pIsKeyboardFocusedProperty = CTkMarkupDependencyProperty::Register(
        L"IsKeyboardFocused", CTkMarkupBool::GetClassType(), pType,
        new Metadata(CTkMarkupBool::CreateValue(FALSE), Metadata::flagAffectsRender));
    s_pIsFocusableProperty = CTkMarkupDependencyProperty::Register(L"IsFocusable", CTkMarkupBool::GetClassType(), pType,
                                                                   new Metadata(CTkMarkupBool::CreateValue(FALSE), 0));
    s_pToolTipProperty = CTkMarkupDependencyProperty::Register(L"ToolTip", CTkMarkupObject::GetClassType(), pType);
    auto event = [pType](LPCWSTR lpszName) {
        return CTkMarkupDependencyProperty::RegisterRoutedEvent(lpszName, Metadata::routingDirect, pType);
    };
    s_pMouseLeaveEvent = event(L"MouseLeave");
    s_pMouseEnterEvent = event(L"MouseEnter");
    s_pMouseLeftButtonUpEvent = event(L"MouseLeftButtonUp");
    s_pMouseLeftButtonDownEvent = event(L"MouseLeftButtonDown");
    s_pMouseRightButtonUpEvent = event(L"MouseRightButtonUp");
    s_pMouseRightButtonDownEvent = event(L"MouseRightButtonDown");
    s_pMouseMoveEvent = event(L"MouseMove");
    s_pLostMouseCaptureEvent = event(L"pLostMouseCapture");
}

void CTkMarkupInputElement::OnFinalRelease() {
    if (CTkMarkupContext* pContext = m_pContext)
        pContext->OnElementReleased(this);
    CTkMarkupObject::OnFinalRelease();
}

// ---- Values

CTkMarkupObject* CTkMarkupInputElement::GetLocalValue(CTkMarkupDependencyProperty* pProperty) const {
    if (CTkMarkupObject* pValue = CTkMarkupObject::GetLocalValue(pProperty))
        return pValue;
    if (m_pTriggerValues != nullptr) {
        if (CTkMarkupObject* pValue = m_pTriggerValues->Get(pProperty))
            return pValue;
    }
    if (m_pStyle != nullptr) {
        if (CTkMarkupObject* pValue = m_pStyle->GetSealedValue(pProperty))
            return pValue;
    }
    const CTkMarkupStyle* pDefaultStyle = GetType()->GetDefaultStyle();
    return pDefaultStyle != nullptr ? pDefaultStyle->GetSealedValue(pProperty) : nullptr;
}

void CTkMarkupInputElement::SetPropertyObject(CTkMarkupBuilder* pBuilder, CTkMarkupDependencyProperty* pProperty,
                                              CTkMarkupObject* pValue) {
    auto value = CTkMarkupPtr<CTkMarkupObject>::Adopt(pValue);
    if (!pProperty->IsEvent()) {
        CTkMarkupObject::SetPropertyObject(pBuilder, pProperty, value.Detach());
        return;
    }
    if (m_pContext == nullptr)
        ThrowMarkupError(L"Markup Context is NULL");
    LPCWSTR lpszName = value && value->IsKindOf(CTkMarkupString::GetClassType())
                           ? static_cast<CTkMarkupString*>(value.Get())->GetText()
                           : L"";
    CTkMarkupDelegate* pDelegate = m_pContext->FindDelegate(lpszName);
    if (pDelegate == nullptr)
        ThrowMarkupError(L"'%ls' delegate not found", lpszName);
    pDelegate->AddRef();
    AddHandler(static_cast<CTkMarkupRoutedEvent*>(pProperty), pDelegate);
}

// ---- Routed events

void CTkMarkupInputElement::AddHandler(CTkMarkupRoutedEvent* pEvent, CTkMarkupDelegate* pDelegate) {
    auto delegate = CTkMarkupPtr<CTkMarkupDelegate>::Adopt(pDelegate);
    if (pEvent != nullptr && delegate)
        m_handlers[pEvent].push_back(std::move(delegate));
}

void CTkMarkupInputElement::ExecuteHandlers(CTkMarkupRoutedEventArgs* pArgs) {
    const auto found = m_handlers.find(pArgs->pEvent);
    if (found == m_handlers.end())
        return;
    const HandlerList& handlers = found->second;
    // The next entry is taken before the call: a handler may add handlers, which run next time only.
    for (auto it = handlers.begin(); it != handlers.end();) {
        const CTkMarkupPtr<CTkMarkupDelegate> delegate = *it++;
        delegate->Execute(this, pArgs);
    }
}

void CTkMarkupInputElement::RaiseEvent(CTkMarkupInputElement* pElement, CTkMarkupRoutedEventArgs* pArgs) {
    if (pElement == nullptr || pArgs == nullptr || pArgs->pEvent == nullptr)
        return;
    const auto element = CTkMarkupPtr<CTkMarkupInputElement>::Retain(pElement);
    if (!pArgs->pEvent->IsBubbling()) {
        pElement->ExecuteHandlers(pArgs);
        return;
    }
    // Handlers may release the tree: each node is held while its handlers run, the context throughout.
    const auto context = CTkMarkupPtr<CTkMarkupContext>::Retain(pElement->m_pContext);
    auto node = CTkMarkupPtr<CTkMarkupObject>::Retain(pElement);
    while (node && !pArgs->bHandled) {
        if (node->IsKindOf(GetClassType()))
            static_cast<CTkMarkupInputElement*>(node.Get())->ExecuteHandlers(pArgs);
        // The parent is taken while the node is still held: its handlers may have cut it loose.
        node = CTkMarkupPtr<CTkMarkupObject>::Retain(node->GetLogicalParent());
    }
    if (!pArgs->bHandled && context)
        context->RaiseContextEvent(pElement, pArgs);
}

CPoint CTkMarkupInputElement::GetPosition(const CTkMarkupMouseEventArgs& args, const CTkMarkupInputElement* pElement) {
    CPoint pt(args.x, args.y);
    for (const CTkMarkupObject* pNode = pElement; pNode != nullptr; pNode = pNode->GetLogicalParent()) {
        if (pNode->IsKindOf(CTkMarkupVisual::GetClassType()))
            pt -= static_cast<const CTkMarkupVisual*>(pNode)->GetVisualOffset();
    }
    return pt;
}

// ---- Capture and focus

void CTkMarkupInputElement::CaptureMouse() {
    if (m_pContext != nullptr)
        m_pContext->SetCapture(this);
}

void CTkMarkupInputElement::ReleaseMouseCapture() {
    if (m_pContext != nullptr)
        m_pContext->ReleaseCapture();
}

void CTkMarkupInputElement::Focus() {
    if (m_pContext != nullptr)
        m_pContext->GetKeyboardNavigation()->Focus(this);
}

// ---- Input handlers

void CTkMarkupInputElement::OnMouseLeave(CTkMarkupMouseEventArgs* /*pArgs*/) {
    SetValue(s_pIsMouseOverProperty, nullptr);
}

void CTkMarkupInputElement::OnMouseEnter(CTkMarkupMouseEventArgs* /*pArgs*/) {
    SetValue(s_pIsMouseOverProperty, CTkMarkupBool::CreateValue(TRUE));
}

void CTkMarkupInputElement::OnMouseMove(CTkMarkupMouseEventArgs* /*pArgs*/) {}

void CTkMarkupInputElement::OnQueryCursor(CTkMarkupQueryCursorEventArgs* pArgs) {
    const CTkMarkupObject* pCursor = GetValue(s_pCursorProperty);
    if (pCursor == nullptr)
        return;
    pArgs->bHandled = TRUE;
    pArgs->hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(LOWORD(MarkupIntOr(pCursor, 0))));
}

void CTkMarkupInputElement::OnMouseLeftButtonUp(CTkMarkupMouseEventArgs* /*pArgs*/) {}
void CTkMarkupInputElement::OnMouseRightButtonUp(CTkMarkupMouseEventArgs* /*pArgs*/) {}
void CTkMarkupInputElement::OnMouseLeftButtonDown(CTkMarkupMouseEventArgs* /*pArgs*/) {}
void CTkMarkupInputElement::OnMouseRightButtonDown(CTkMarkupMouseEventArgs* /*pArgs*/) {}
void CTkMarkupInputElement::OnLostMouseCapture(CTkMarkupMouseEventArgs* /*pArgs*/) {}
void CTkMarkupInputElement::OnMouseWheel(CTkMarkupMouseWheelEventArgs* /*pArgs*/) {}

CTkMarkupInputElement* CTkMarkupInputElement::HitTest(int /*x*/, int /*y*/) {
    return nullptr;
}

// ---- Styles and triggers

void CTkMarkupInputElement::ApplyStyles(CTkMarkupObject* pRoot) {
    if (pRoot == nullptr)
        return;
    for (int i = 0; i < pRoot->GetLogicalChildrenCount(); i++)
        ApplyStyles(pRoot->GetLogicalChild(i));
    if (pRoot->IsKindOf(GetClassType()))
        static_cast<CTkMarkupInputElement*>(pRoot)->OnApplyStyle();
}

void CTkMarkupInputElement::OnStyleChanged(CTkMarkupObject* pObject, const CTkMarkupPropertyChange& change) {
    if (!pObject->IsKindOf(GetClassType()))
        return;
    auto* pStyle = change.pNewValue != nullptr && change.pNewValue->IsKindOf(CTkMarkupStyle::GetClassType())
                       ? static_cast<CTkMarkupStyle*>(change.pNewValue)
                       : nullptr;
    if (pStyle != nullptr)
        pStyle->Seal();
    static_cast<CTkMarkupInputElement*>(pObject)->SetStyle(pStyle);
}

void CTkMarkupInputElement::SetStyle(CTkMarkupStyle* pStyle) {
    if (pStyle != nullptr)
        pStyle->AddRef();
    if (CTkMarkupStyle* pPrevious = std::exchange(m_pStyle, pStyle))
        pPrevious->Release();
}

void CTkMarkupInputElement::OnApplyStyle() {
    if (m_pStyle == nullptr) {
        CTkMarkupObject* pFound = CTkMarkupResourceDictionary::FindResource(this, GetType());
        if (pFound != nullptr && pFound->IsKindOf(CTkMarkupStyle::GetClassType())) {
            static_cast<CTkMarkupStyle*>(pFound)->Seal();
            SetStyle(static_cast<CTkMarkupStyle*>(pFound));
        }
    }
    if (m_pStyle != nullptr)
        UpdateTriggers(nullptr, nullptr);
}

BOOL CTkMarkupInputElement::CheckTriggers(CTkMarkupStyle* pStyle, CTkMarkupDependencyProperty* pProperty,
                                          CTkMarkupObject* pValue) {
    if (pStyle == nullptr)
        return FALSE;
    BOOL bActivated = CheckTriggers(pStyle->GetBasedOn(), pProperty, pValue);
    const CTkMarkupTriggerCollection* pTriggers = pStyle->GetTriggers();
    if (pTriggers == nullptr)
        return bActivated;
    for (int i = pTriggers->GetCount() - 1; i >= 0; i--) {
        CTkMarkupTrigger* pTrigger = pTriggers->GetItem(i);
        CTkMarkupDependencyProperty* pTriggerProperty = pTrigger->GetTriggerProperty();
        if (pTriggerProperty == nullptr || (pProperty != nullptr && pTriggerProperty != pProperty))
            continue;
        const CTkMarkupObject* pCurrent = pProperty != nullptr ? pValue : GetValue(pTriggerProperty);
        const CTkMarkupObject* pTriggerValue = pTrigger->GetTriggerValue();
        if (pTriggerValue == nullptr || !pTriggerValue->IsEqual(pCurrent))
            continue;
        if (m_pActiveTriggers == nullptr)
            m_pActiveTriggers = new CTkMarkupActiveTriggerCollection;
        pTrigger->AddRef();
        m_pActiveTriggers->Add(pTrigger);
        bActivated = TRUE;
    }
    return bActivated;
}

void CTkMarkupInputElement::UpdateTriggers(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pValue) {
    // The value each touched property had before, recorded once per property, each held.
    std::vector<std::pair<CTkMarkupDependencyProperty*, CTkMarkupPtr<CTkMarkupObject>>> previous;
    auto record = [&previous](CTkMarkupDependencyProperty* pTouched, CTkMarkupObject* pBefore) {
        for (const auto& entry : previous) {
            if (entry.first == pTouched)
                return;
        }
        previous.emplace_back(pTouched, CTkMarkupPtr<CTkMarkupObject>::Retain(pBefore));
    };
    auto triggerValue = [this](CTkMarkupDependencyProperty* pTouched) {
        return m_pTriggerValues != nullptr ? m_pTriggerValues->Get(pTouched) : nullptr;
    };

    BOOL bChanged = FALSE;
    if (pProperty != nullptr && m_pActiveTriggers != nullptr) {
        for (int i = m_pActiveTriggers->GetCount() - 1; i >= 0; i--) {
            const auto trigger = CTkMarkupPtr<CTkMarkupTrigger>::Retain(m_pActiveTriggers->GetItem(i));
            const CTkMarkupObject* pTriggerValue = trigger->GetTriggerValue();
            if (trigger->GetTriggerProperty() != pProperty ||
                (pTriggerValue != nullptr && pTriggerValue->IsEqual(pValue)))
                continue;
            if (const CTkMarkupSetterColection* pSetters = trigger->GetSetters()) {
                for (int j = 0; j < pSetters->GetCount(); j++) {
                    CTkMarkupDependencyProperty* pSetterProperty = pSetters->GetItem(j)->GetSetterProperty();
                    if (pSetterProperty == nullptr)
                        continue;
                    record(pSetterProperty, triggerValue(pSetterProperty));
                    if (m_pTriggerValues != nullptr)
                        m_pTriggerValues->Set(pSetterProperty, nullptr);
                }
            }
            m_pActiveTriggers->RemoveAt(i);
            bChanged = TRUE;
        }
    }
    if (CheckTriggers(m_pStyle != nullptr ? m_pStyle : GetType()->GetDefaultStyle(), pProperty, pValue))
        bChanged = TRUE;

    if (bChanged) {
        if (m_pTriggerValues == nullptr)
            m_pTriggerValues = new CTkMarkupProperties(nullptr);
        for (int i = 0; m_pActiveTriggers != nullptr && i < m_pActiveTriggers->GetCount(); i++) {
            const CTkMarkupSetterColection* pSetters = m_pActiveTriggers->GetItem(i)->GetSetters();
            for (int j = 0; pSetters != nullptr && j < pSetters->GetCount(); j++) {
                const CTkMarkupSetter* pSetter = pSetters->GetItem(j);
                CTkMarkupDependencyProperty* pSetterProperty = pSetter->GetSetterProperty();
                if (pSetterProperty == nullptr)
                    continue;
                CTkMarkupObject* pSetterValue = pSetter->GetSetterValue();
                CTkMarkupObject* pCurrent = triggerValue(pSetterProperty);
                if (pSetterValue != nullptr && pSetterValue->IsEqual(pCurrent))
                    continue;
                record(pSetterProperty, pCurrent);
                m_pTriggerValues->Set(pSetterProperty, CTkMarkupPtr<CTkMarkupObject>::Retain(pSetterValue).Detach());
            }
        }
    }

    // Notifying may change further trigger-watched properties, which run this again: the element is held.
    const auto self = CTkMarkupPtr<CTkMarkupInputElement>::Retain(this);
    for (const auto& [pTouched, before] : previous) {
        CTkMarkupObject* pNow = triggerValue(pTouched);
        if (pNow == nullptr && !before)
            continue;
        const auto now = CTkMarkupPtr<CTkMarkupObject>::Retain(pNow);
        OnPropertyChanged(pTouched, before.Get(), now.Get());
        if ((pTouched->GetFlags() & CTkMarkupPropertyMetadata::flagInherited) != 0)
            NotifyInheritedChange(pTouched, before.Get(), now.Get());
    }
}
