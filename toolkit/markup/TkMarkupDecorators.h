#pragma once
#include "TkMarkupFrameworkElement.h"

// Single-child and leaf elements: the decorator (the base of elements that hold exactly one child), the
// border (a frame and a background around its child, inside its padding), the page (a root container for
// one child, never hit itself) and the image (an icon from a file, a resource of the module or the
// toolkit's image manager, drawn scaled to its render size). UI thread only.

class CTkImageManager;
class CTkImageManagerIcon;

// The one child of a decorator or a page: owned (one reference), with the element as its logical parent.
class CTkMarkupChildHolder {
public:
    explicit CTkMarkupChildHolder(CTkMarkupObject* pOwner) : m_pOwner(pOwner) {}
    ~CTkMarkupChildHolder() { Set(nullptr); }
    CTkMarkupChildHolder(const CTkMarkupChildHolder&) = delete;
    CTkMarkupChildHolder& operator=(const CTkMarkupChildHolder&) = delete;

    CTkMarkupUIElement* Get() const { return m_pChild; }  // borrowed
    // Takes over pChild (may be NULL); the old child loses its parent and is released first.
    void Set(CTkMarkupUIElement* pChild);
    // The child rule of markup content: an object that is no UI element, or a second child, fails the
    // build; anything else becomes the child.
    void SetContent(CTkMarkupObject* pContent);

private:
    CTkMarkupObject* m_pOwner;  // not counted: the owner holds this
    CTkMarkupUIElement* m_pChild = nullptr;
};

// Keeps the framework element's layout (desires 0 x 0, places nothing): its descendants place the
// child. Reports the framework element's type.
class CTkMarkupDecorator : public CTkMarkupFrameworkElement {
public:
    CTkMarkupUIElement* GetChild() const { return m_child.Get(); }  // borrowed
    // Takes over pChild, replacing the child.
    void SetChild(CTkMarkupUIElement* pChild) { m_child.Set(pChild); }

    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return GetChild() != nullptr; }
    int GetVisualChildrenCount() const override { return GetChild() != nullptr ? 1 : 0; }
    CTkMarkupVisual* GetVisualChild(int nIndex) const override;

private:
    CTkMarkupChildHolder m_child{this};
};

class CTkMarkupBorder : public CTkMarkupDecorator {
    DECLARE_MARKUP_TYPE()
public:
    // The bands of "BorderBrush" in "BorderThickness", then "Background" inside them.
    void OnRender(CTkMarkupDrawingContext* pDC) override;
    // The border with a background; none without.
    CTkMarkupInputElement* InputHitTestOverride(int x, int y) override;
    // The child inside the border thickness and the padding.
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    CSize ArrangeOverride(int nWidth, int nHeight) override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pBackgroundProperty;  // its own, not the panel's
    static CTkMarkupDependencyProperty* s_pPaddingProperty;
    static CTkMarkupDependencyProperty* s_pBorderThicknessProperty;
    static CTkMarkupDependencyProperty* s_pBorderBrushProperty;

private:
    CRect GetThickness(CTkMarkupDependencyProperty* pProperty) const;
};

class CTkMarkupPage : public CTkMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupUIElement* GetChild() const { return m_child.Get(); }  // borrowed
    void SetChild(CTkMarkupUIElement* pChild) { m_child.Set(pChild); }

    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;
    BOOL HasContentObject() const override { return GetChild() != nullptr; }
    int GetVisualChildrenCount() const override { return GetChild() != nullptr ? 1 : 0; }
    CTkMarkupVisual* GetVisualChild(int nIndex) const override;
    // Never the page; its child is hit.
    CTkMarkupInputElement* InputHitTestOverride(int x, int y) override;
    // The child's size in the whole space.
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    CSize ArrangeOverride(int nWidth, int nHeight) override;

private:
    CTkMarkupChildHolder m_child{this};
};

// "Source" names the image:
// - "file://" and a path: the bitmap file (PNG or any the platform loads), in a private image manager
//   that takes pure green as the transparent colour of bitmaps without alpha. Network paths are refused:
//   the image loads at every measure, on the UI thread.
// - "res://" and a name: the bitmap resource of that name in the current resource module, else its icon
//   group (all sizes), in a private manager as above.
// - a positive decimal command id: the icon of that id in the markup context's image manager, else in
//   the process-wide one.
// The image is loaded again at every measure; whatever fails leaves it empty: 0 x 0, drawing nothing.
class CTkMarkupImage : public CTkMarkupFrameworkElement {
    DECLARE_MARKUP_TYPE()
public:
    CTkImageManagerIcon* GetIcon() const { return m_pIcon; }  // borrowed; NULL when empty

    // Loads, then desires the icon's size.
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    // The icon's normal image scaled to the render size.
    void OnRender(CTkMarkupDrawingContext* pDC) override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pSourceProperty;

protected:
    ~CTkMarkupImage() override;

private:
    void Load();
    void ReleaseImage();

    CTkImageManager* m_pManager = nullptr;   // one reference
    CTkImageManagerIcon* m_pIcon = nullptr;  // one reference; an icon of m_pManager
};
