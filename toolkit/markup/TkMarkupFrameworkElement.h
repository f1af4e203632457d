#pragma once
#include "TkMarkupUIElement.h"

// CTkMarkupFrameworkElement: margin, alignment, width and height limits and layout clipping on top of the
// UI element's passes. Elements override MeasureOverride and ArrangeOverride with their content's sizes;
// this class turns the available space into the content's frame and the content's size into the
// element's desired size and place, clipping where the content does not fit. Property changes re-run the
// passes their metadata names and re-evaluate the element's triggers. UI thread only.

// Horizontal: Left, Center, Right, Stretch; vertical: Top, Center, Bottom, Stretch, by the same numbers.
enum MarkupAlignment { kMarkupAlignStart = 0, kMarkupAlignCenter = 1, kMarkupAlignEnd = 2, kMarkupAlignStretch = 3 };

class CTkMarkupFrameworkElement : public CTkMarkupUIElement {
    DECLARE_MARKUP_TYPE()
public:
    // ---- Overridables: the content's size within the frame, and its final size
    virtual CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight);
    virtual CSize ArrangeOverride(int nWidth, int nHeight);

    CRect GetMargin() const;
    int GetHorizontalAlignment() const;
    int GetVerticalAlignment() const;

    void OnPropertyChanged(CTkMarkupDependencyProperty* pProperty, CTkMarkupObject* pOldValue,
                           CTkMarkupObject* pNewValue) override;
    CSize MeasureCore(CTkMarkupDrawingContext* pDC, int nAvailableWidth, int nAvailableHeight) override;
    void ArrangeCore(const CRect& rc) override;
    BOOL GetLayoutClip(CRect& rcClip) const override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pMarginProperty;
    static CTkMarkupDependencyProperty* s_pHorizontalAlignmentProperty;
    static CTkMarkupDependencyProperty* s_pVerticalAlignmentProperty;
    static CTkMarkupDependencyProperty* s_pWidthProperty;
    static CTkMarkupDependencyProperty* s_pHeightProperty;
    static CTkMarkupDependencyProperty* s_pMinWidthProperty;
    static CTkMarkupDependencyProperty* s_pMinHeightProperty;
    static CTkMarkupDependencyProperty* s_pMaxWidthProperty;
    static CTkMarkupDependencyProperty* s_pMaxHeightProperty;
    static CTkMarkupDependencyProperty* s_pTagProperty;

private:
    // The limits from "Width", "MinWidth", "MaxWidth" and their height twins.
    void UpdateSizeLimits();

    BOOL m_bLayoutClip = FALSE;
    CSize m_szUnclipped;
    BOOL m_bUnclippedValid = FALSE;
    int m_nMaxHeight = kMarkupUnbounded;
    int m_nMinHeight = 0;
    int m_nMaxWidth = kMarkupUnbounded;
    int m_nMinWidth = 0;
};
