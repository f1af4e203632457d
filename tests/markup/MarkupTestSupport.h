#pragma once
#include "TkMarkupObject.h"
#include "TkMarkupType.h"

#include <gtest/gtest.h>

// The base of every markup test: no markup object may outlive the test that made it.
class MarkupTest : public testing::Test {
protected:
    void SetUp() override {
        // Registration builds objects that live as long as their types (the hyperlink's default style):
        // they are not the test's.
        CTkMarkupType::EnsureAllRegistered();
        m_nLiveAtStart = CTkMarkupObject::GetLiveObjectCount();
    }
    void TearDown() override {
        EXPECT_EQ(m_nLiveAtStart, CTkMarkupObject::GetLiveObjectCount()) << "markup objects outlived the test";
    }

private:
    LONG m_nLiveAtStart = 0;
};

// The text of a markup error raised by f ("" when none was raised).
template <class F>
CString MarkupErrorOf(F f) {
    try {
        f();
    } catch (CException* pException) {
        WCHAR szMessage[512] = {};
        pException->GetErrorMessage(szMessage, 512);
        pException->Delete();
        return szMessage;
    }
    return CString();
}

// Whether f raises any exception of the layer (deleted here).
template <class F>
bool Raises(F f) {
    try {
        f();
    } catch (CException* pException) {
        pException->Delete();
        return true;
    }
    return false;
}

#include "TkMarkupContext.h"
#include "TkMarkupDelegate.h"
#include "TkMarkupFrameworkElement.h"

#include <functional>
#include <vector>

// A framework element with a fixed content size and visual children, for layout, drawing and input tests.
// It fills its render rectangle with its colour when it has one.
class CTestElement : public CTkMarkupFrameworkElement {
public:
    CSize m_szContent;
    COLORREF m_clrFill = CLR_NONE;
    int m_nMeasureCount = 0;
    std::vector<CTkMarkupPtr<CTestElement>> m_children;
    std::function<void()> m_onMeasure;  // e.g. to throw

    // A child (one reference kept here) whose logical parent is this element.
    CTestElement* AddChild(CTestElement* pChild) {
        pChild->SetLogicalParent(this);
        m_children.push_back(CTkMarkupPtr<CTestElement>::Adopt(pChild));
        return pChild;
    }
    int GetVisualChildrenCount() const override { return static_cast<int>(m_children.size()); }
    CTkMarkupVisual* GetVisualChild(int nIndex) const override { return m_children[nIndex].Get(); }
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override {
        m_nMeasureCount++;
        if (m_onMeasure)
            m_onMeasure();
        for (const auto& child : m_children)
            child->Measure(pDC, nWidth, nHeight);
        return m_szContent;
    }
    CSize ArrangeOverride(int nWidth, int nHeight) override {
        for (const auto& child : m_children)
            child->Arrange(CRect(CPoint(0, 0), child->GetDesiredSize()));
        return CSize(nWidth, nHeight);
    }
    void OnRender(CTkMarkupDrawingContext* pDC) override;

protected:
    ~CTestElement() override {
        for (const auto& child : m_children)
            child->SetLogicalParent(nullptr);
    }
};

// A new test element of the context (NULL: none), one reference.
CTestElement* MakeTestElement(CTkMarkupContext* pContext, int cx = 0, int cy = 0, COLORREF clrFill = CLR_NONE);
void SetInt(CTkMarkupObject* pObject, CTkMarkupDependencyProperty* pProperty, int nValue);
void SetEnum(CTkMarkupObject* pObject, CTkMarkupDependencyProperty* pProperty, int nValue);

// Records each call as "<name>:<sender's x:Name>" and may mark the arguments handled.
class CRecordingDelegate : public CTkMarkupDelegate {
public:
    CRecordingDelegate(std::vector<CString>* pLog, LPCWSTR lpszName, BOOL bHandle = FALSE)
        : m_pLog(pLog), m_strName(lpszName), m_bHandle(bHandle) {}
    void Execute(CTkMarkupObject* pSender, CTkMarkupRoutedEventArgs* pArgs) override;

private:
    std::vector<CString>* m_pLog;
    CString m_strName;
    BOOL m_bHandle;
};
// The element's "x:Name".
void SetName(CTkMarkupObject* pObject, LPCWSTR lpszName);
CString NameOf(const CTkMarkupObject* pObject);

// Checks that every context made in the test is gone by its end as well.
class MarkupContextTest : public MarkupTest {
protected:
    void SetUp() override {
        MarkupTest::SetUp();
        m_nContextsAtStart = CTkMarkupContext::GetLiveContextCount();
    }
    void TearDown() override {
        EXPECT_EQ(m_nContextsAtStart, CTkMarkupContext::GetLiveContextCount()) << "a markup context outlived the test";
        MarkupTest::TearDown();
    }

private:
    LONG m_nContextsAtStart = 0;
};

// The tree under pObject as text, one node a line, indented two spaces a level: the class name, then
// each simple local value (text, number, colour, thickness, type) as " Name=value" in name order
// ("x:Name" first); any other value follows on its own lines as ".Name:" with the object below it; then
// the logical children.
CString DumpMarkupTree(const CTkMarkupObject* pObject);

// The object of that "x:Name" in the logical tree under pRoot (pRoot included); NULL when none.
CTkMarkupObject* FindNamed(CTkMarkupObject* pRoot, LPCWSTR lpszName);

// A popup window showing the tree of a markup text at (0, 0) of its client area: WM_PAINT renders it,
// every other message goes to the tree's context first; WM_APP runs onApp and WM_TIMER onTimer (a test's
// hooks into a modal loop). Hidden unless bVisible; destroyed with the object, if it is not destroyed before.
class CMarkupHostWindow {
public:
    CMarkupHostWindow(LPCWSTR lpszMarkup, CRect rcWindow, BOOL bVisible = FALSE);
    ~CMarkupHostWindow();
    CMarkupHostWindow(const CMarkupHostWindow&) = delete;
    CMarkupHostWindow& operator=(const CMarkupHostWindow&) = delete;

    HWND GetHwnd() const { return m_hWnd; }
    CTkMarkupUIElement* GetRoot() const { return m_root.Get(); }  // NULL when the text did not parse
    CTkMarkupContext* GetContext() const;
    template <class T>
    T* Find(LPCWSTR lpszName) const {
        return static_cast<T*>(FindNamed(m_root.Get(), lpszName));
    }
    // Messages sent to the window, as the mouse would (client coordinates).
    void MoveTo(int x, int y) const;
    void PressAt(int x, int y) const;
    void ReleaseAt(int x, int y) const;
    // Posted, to be taken by a modal loop that a later press starts.
    void PostMove(int x, int y, WPARAM wKeys = MK_LBUTTON) const;
    void PostRelease(int x, int y) const;

    std::function<void()> onApp;
    std::function<void(UINT_PTR)> onTimer;  // timers other than the markup's own

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    CTkMarkupPtr<CTkMarkupUIElement> m_root;
    CRect m_rcClient;
};
