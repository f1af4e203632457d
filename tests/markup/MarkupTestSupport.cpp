#include "MarkupTestSupport.h"

#include "TkMarkup.h"
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

CTkMarkupObject* FindNamed(CTkMarkupObject* pRoot, LPCWSTR lpszName) {
    if (pRoot == nullptr)
        return nullptr;
    if (NameOf(pRoot) == lpszName)
        return pRoot;
    for (int i = 0; i < pRoot->GetLogicalChildrenCount(); i++) {
        if (CTkMarkupObject* pFound = FindNamed(pRoot->GetLogicalChild(i), lpszName))
            return pFound;
    }
    return nullptr;
}

namespace {

constexpr wchar_t kHostClass[] = L"TesselonMarkupTestHost";

}  // namespace

CMarkupHostWindow::CMarkupHostWindow(LPCWSTR lpszMarkup, CRect rcWindow, BOOL bVisible)
    : m_rcClient(0, 0, rcWindow.Width(), rcWindow.Height()) {
    static const ATOM s_atom = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &CMarkupHostWindow::WindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kHostClass;
        return ::RegisterClassW(&wc);
    }();
    (void)s_atom;
    m_hWnd = ::CreateWindowExW(WS_EX_TOPMOST, kHostClass, L"", WS_POPUP | (bVisible ? WS_VISIBLE : 0), rcWindow.left,
                               rcWindow.top, rcWindow.Width(), rcWindow.Height(), nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    CTkMarkupContext* pContext = CreateMarkupContext(m_hWnd);
    m_root = CTkMarkupPtr<CTkMarkupUIElement>::Adopt(ParseMarkupText(pContext, lpszMarkup));
    EXPECT_TRUE(m_root) << pContext->GetLastParseError();
    ReleaseMarkupContext(pContext);  // the tree keeps it
    if (m_root) {
        MeasureMarkupElement(m_root.Get(), m_rcClient.Width(), m_rcClient.Height());
        m_root->Arrange(m_rcClient);
    }
}

CMarkupHostWindow::~CMarkupHostWindow() {
    if (::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    m_root.Reset();
}

CTkMarkupContext* CMarkupHostWindow::GetContext() const {
    return m_root ? m_root->GetMarkupContext() : nullptr;
}

void CMarkupHostWindow::MoveTo(int x, int y) const {
    ::SendMessageW(m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

void CMarkupHostWindow::PressAt(int x, int y) const {
    MoveTo(x, y);
    ::SendMessageW(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void CMarkupHostWindow::ReleaseAt(int x, int y) const {
    ::SendMessageW(m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void CMarkupHostWindow::PostMove(int x, int y, WPARAM wKeys) const {
    ::PostMessageW(m_hWnd, WM_MOUSEMOVE, wKeys, MAKELPARAM(x, y));
}

void CMarkupHostWindow::PostRelease(int x, int y) const {
    ::PostMessageW(m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

LRESULT CALLBACK CMarkupHostWindow::WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* pHost = reinterpret_cast<CMarkupHostWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pHost == nullptr || !pHost->m_root)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hDC = ::BeginPaint(hWnd, &ps);
        RenderMarkupElement(pHost->m_root.Get(), hDC, &pHost->m_rcClient);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    if (message == WM_APP) {
        if (pHost->onApp)
            pHost->onApp();
        return 0;
    }
    if (message == WM_TIMER && pHost->onTimer) {
        pHost->onTimer(wParam);
        return 0;
    }
    LRESULT result = 0;
    if (pHost->GetContext()->HandleWindowMessage(pHost->m_root.Get(), message, wParam, lParam, &result))
        return result;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}
