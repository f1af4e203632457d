#pragma once
#include "TkMarkupFrameworkElement.h"
#include "TkWinThemeWrapper.h"

// The control family: CTkMarkupControl sizes itself by its one visual child; the content control holds
// exactly one content element (a string becomes a text block); the button base turns presses into a
// pressed state and a "Click"; the button draws a push button, the toggle button adds a check state of
// two or three values, and the check box and radio button draw the platform's glyphs. The buttons draw
// through the visual style "BUTTON" when the application is themed (a button only without a background),
// else with system colours or colours derived from the background. UI thread only.
//
// A button base's states (pressed: the left button went down on it and has not come up; hot: the mouse
// is over it):
//   idle --enter--> hot --left down--> pressed-inside ("IsPressed")
//   pressed-inside --leave--> pressed-outside (capture kept, "IsPressed" false) --enter--> pressed-inside
//   pressed-inside --left up--> hot, and a click;  pressed-outside --left up--> idle, no click
//   either pressed state --capture lost--> idle or hot, no click

class CTkMarkupBrush;

// "IsChecked" values.
enum MarkupCheckState { kMarkupUnchecked = 0, kMarkupChecked = 1, kMarkupIndeterminate = 2 };

// ---- The parts and states the buttons draw, as pure functions
// The visual-style state of a push button: 3 pressed, 2 under the mouse, else 1; the check box and the
// radio button start from the same base state.
int MarkupButtonState(BOOL bPressed, BOOL bMouseOver);
// The "BUTTON" part 3 state of a check box: base, + 4 checked, + 8 indeterminate.
int MarkupCheckBoxState(int nBaseState, int nChecked);
// The "BUTTON" part 2 state of a radio button: base, + 4 when checked in any way.
int MarkupRadioButtonState(int nBaseState, int nChecked);
// The DrawFrameControl flags of an unthemed check box and radio button.
UINT MarkupCheckBoxFrameFlags(int nChecked, BOOL bPressed);
UINT MarkupRadioButtonFrameFlags(int nChecked, BOOL bPressed);
// The light and shadow colours of a button with a background of that colour: luminance half-way to
// white, and two thirds of it (rounded); the dark colour is the shadow with each component halved.
void MarkupButtonEdgeColors(COLORREF clrBackground, COLORREF& clrLight, COLORREF& clrShadow, COLORREF& clrDark);

class CTkMarkupControl : public CTkMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    CRect GetPadding() const;               // "Padding", 0 on every side when unset
    CTkMarkupBrush* GetBackground() const;  // borrowed; NULL when unset

    // The first visual child measured with the available size, and its desired size (0 x 0 without).
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    // The first visual child over the whole final size.
    CSize ArrangeOverride(int nWidth, int nHeight) override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pPaddingProperty;     // the border's
    static CTkMarkupDependencyProperty* s_pBackgroundProperty;  // the panel's
    static CTkMarkupDependencyProperty* s_pForegroundProperty;  // the text element's

protected:
    // The first visual child as a UI element; NULL without.
    CTkMarkupUIElement* GetContentElement() const;
};

class CTkMarkupContentControl : public CTkMarkupControl {
    DECLARE_MARKUP_TYPE()
public:
    // "Content" (borrowed); NULL when unset.
    CTkMarkupUIElement* GetContent() const;

    // One content only: a second one, or an object that is no element, fails the build; a string
    // becomes a text block made by the context.
    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;
    BOOL HasContentObject() const override;
    int GetVisualChildrenCount() const override;
    CTkMarkupVisual* GetVisualChild(int nIndex) const override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pContentProperty;
};

class CTkMarkupButtonBase : public CTkMarkupContentControl {
    DECLARE_MARKUP_TYPE()
public:
    // Focusable, unlike other elements.
    CTkMarkupButtonBase();

    BOOL IsPressedValue() const;    // "IsPressed"
    BOOL IsMouseOverValue() const;  // "IsMouseOver"

    // ---- Input
    void OnMouseLeave(CTkMarkupMouseEventArgs* pArgs) override;
    void OnMouseEnter(CTkMarkupMouseEventArgs* pArgs) override;
    void OnMouseLeftButtonUp(CTkMarkupMouseEventArgs* pArgs) override;
    void OnMouseLeftButtonDown(CTkMarkupMouseEventArgs* pArgs) override;
    void OnLostMouseCapture(CTkMarkupMouseEventArgs* pArgs) override;
    // Raises "Click" with the element as source.
    virtual void OnClick();

    static void RegisterProperties();
    static CTkMarkupRoutedEvent* s_pClickEvent;  // bubbling
    static CTkMarkupDependencyProperty* s_pIsPressedProperty;

protected:
    // Opens "BUTTON" (no window): the themed drawing is decided once measured.
    void OpenButtonTheme();
    BOOL IsThemed() { return m_theme.IsAppThemed(); }
    CTkWinThemeWrapper& GetTheme() { return m_theme; }

private:
    void LeavePressed();

    BOOL m_bPressed = FALSE;
    BOOL m_bHot = FALSE;
    CTkWinThemeWrapper m_theme{TRUE};
};

class CTkMarkupButton : public CTkMarkupButtonBase {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CTkMarkupDrawingContext* pDC) override;
    // A dotted focus rectangle 3 pixels inside.
    void OnRenderFocusVisual(CTkMarkupDrawingContext* pDC) override;
    // The content plus the padding and 8 pixels of chrome.
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    // Inside the padding and 4 pixels of chrome; pressed, one pixel down and right unless themed without
    // a background.
    CSize ArrangeOverride(int nWidth, int nHeight) override;
};

class CTkMarkupToggleButton : public CTkMarkupButtonBase {
    DECLARE_MARKUP_TYPE()
public:
    // "IsChecked": 0 for unset too.
    int GetChecked() const;

    // Toggles, then raises "Click".
    void OnClick() override;
    // Checked goes to indeterminate with "IsThreeState", else to unchecked; indeterminate to unchecked;
    // unchecked to checked.
    virtual void OnToggle();
    // Each raises its event with the element as source; a change of "IsChecked" calls the one that names
    // the new value.
    virtual void OnChecked();
    virtual void OnUnchecked();
    virtual void OnIndeterminate();

    static void RegisterProperties();
    static CTkMarkupRoutedEvent* s_pCheckedEvent;  // all three bubbling
    static CTkMarkupRoutedEvent* s_pUncheckedEvent;
    static CTkMarkupRoutedEvent* s_pIndeterminateEvent;
    static CTkMarkupDependencyProperty* s_pIsCheckedProperty;
    static CTkMarkupDependencyProperty* s_pIsThreeStateProperty;

protected:
    // ---- The layout the check box and the radio button share: a 16-pixel glyph column left of the
    // content
    // The content beside the column; at least 13 high with content, nMinHeight without.
    CSize MeasureBesideGlyph(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight, int nMinHeight);
    CSize ArrangeBesideGlyph(int nWidth, int nHeight);
    // With content only: a focus rectangle over the content, right of the glyph.
    void RenderGlyphFocus(CTkMarkupDrawingContext* pDC);
    // The glyph's rectangle: 13 x 13, centred on the render height.
    CRect GetGlyphRect() const;

private:
    static void OnIsCheckedChanged(CTkMarkupObject* pObject, const CTkMarkupPropertyChange& change);
    void RaiseToggleEvent(CTkMarkupRoutedEvent* pEvent);
};

class CTkMarkupCheckBox : public CTkMarkupToggleButton {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CTkMarkupDrawingContext* pDC) override;
    void OnRenderFocusVisual(CTkMarkupDrawingContext* pDC) override;
    // Without content as high as the padding.
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    CSize ArrangeOverride(int nWidth, int nHeight) override;
};

class CTkMarkupRadioButton : public CTkMarkupToggleButton {
    DECLARE_MARKUP_TYPE()
public:
    void OnRender(CTkMarkupDrawingContext* pDC) override;
    void OnRenderFocusVisual(CTkMarkupDrawingContext* pDC) override;
    // At least 13 high without content too.
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    CSize ArrangeOverride(int nWidth, int nHeight) override;
    // Always checks.
    void OnToggle() override;
    // Unchecks the other checked radio buttons among the children of the same parent first: those form
    // the group.
    void OnChecked() override;
};
