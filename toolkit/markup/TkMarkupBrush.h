#pragma once
#include "TkMarkupCollection.h"

// The brushes of markup: a solid colour and a linear gradient of colour stops. Brushes fill rectangles
// of a drawing context; colour text converts to a solid brush.

class CTkMarkupDrawingContext;

class CTkMarkupBrush : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    // The base draws nothing.
    virtual void FillRect(CTkMarkupDrawingContext* pDC, const CRect& rc);
    // The base answers 0.
    virtual COLORREF GetColor() const;
    // Colour text gives a new solid brush.
    CTkMarkupObject* ConvertFrom(CTkMarkupObject* pSource) const override;
};

class CTkMarkupSolidColorBrush : public CTkMarkupBrush {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupSolidColorBrush() = default;
    explicit CTkMarkupSolidColorBrush(COLORREF clr);

    // Nothing without a "Color".
    void FillRect(CTkMarkupDrawingContext* pDC, const CRect& rc) override;
    COLORREF GetColor() const override;  // "Color", or 0
    BOOL IsEqual(const CTkMarkupObject* pOther) const override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pColorProperty;
};

class CTkMarkupGradientStop : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    COLORREF GetColor() const;  // black when unset
    double GetOffset() const;   // 0 when unset

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pColorProperty;
    static CTkMarkupDependencyProperty* s_pOffsetProperty;
};

// Reports the collection type.
class CTkMarkupGradientStops : public CTkMarkupCollectionOf<CTkMarkupGradientStop> {};

class CTkMarkupLinearGradientBrush : public CTkMarkupBrush {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupLinearGradientBrush();

    CTkMarkupGradientStops* GetStops() const { return m_pStops; }  // borrowed
    // The stops are the brush's content.
    void SetContentObject(CTkMarkupBuilder* pBuilder, CTkMarkupObject* pContent) override;
    // Only the part of rc inside the clip box is computed, and only that part is allocated.
    void FillRect(CTkMarkupDrawingContext* pDC, const CRect& rc) override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pStartPointProperty;  // relative, (0, 0) when unset
    static CTkMarkupDependencyProperty* s_pEndPointProperty;    // relative, (1, 1) when unset

protected:
    ~CTkMarkupLinearGradientBrush() override;

private:
    CTkMarkupGradientStops* m_pStops;  // owned
};
