#pragma once
#include "TkMarkupCollection.h"
#include "TkMarkupPanels.h"

// The grid, its row and column definitions and their lengths. Their types, properties and change
// callbacks are known to markup; the grid lays out as a panel until its own arrangement is written.

// A row height or column width: pixels, "Auto" or a share of the remaining space ("*", "2*").
class CTkMarkupGridLength : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    enum Unit { unitAuto, unitPixel, unitStar };

    explicit CTkMarkupGridLength(double dValue = 1.0, Unit unit = unitStar) : m_dValue(dValue), m_unit(unit) {}
    double GetValue() const { return m_dValue; }
    Unit GetUnit() const { return m_unit; }

private:
    double m_dValue;
    Unit m_unit;
};

// What rows and columns share; reports the object type.
class CTkMarkupDefinitionBase : public CTkMarkupObject {};

class CTkMarkupColumnDefinition : public CTkMarkupDefinitionBase {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pWidthProperty;
    static CTkMarkupDependencyProperty* s_pMinWidthProperty;
    static CTkMarkupDependencyProperty* s_pMaxWidthProperty;
};

class CTkMarkupRowDefinition : public CTkMarkupDefinitionBase {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pHeightProperty;
    static CTkMarkupDependencyProperty* s_pMinHeightProperty;
    static CTkMarkupDependencyProperty* s_pMaxHeightProperty;
};

class CTkMarkupDefinitionCollection : public CTkMarkupCollection {
    DECLARE_MARKUP_TYPE()
public:
    explicit CTkMarkupDefinitionCollection(CTkMarkupType* pItemType = CTkMarkupObject::GetClassType())
        : CTkMarkupCollection(pItemType) {}
};

class CTkMarkupRowDefinitionCollection : public CTkMarkupDefinitionCollection {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupRowDefinitionCollection() : CTkMarkupDefinitionCollection(CTkMarkupRowDefinition::GetClassType()) {}
};

class CTkMarkupColumnDefinitionCollection : public CTkMarkupDefinitionCollection {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupColumnDefinitionCollection() : CTkMarkupDefinitionCollection(CTkMarkupColumnDefinition::GetClassType()) {}
};

class CTkMarkupGrid : public CTkMarkupPanel {
    DECLARE_MARKUP_TYPE()
public:
    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pColumnDefinitionsProperty;
    static CTkMarkupDependencyProperty* s_pRowDefinitionsProperty;
    // Attached to the grid's children.
    static CTkMarkupDependencyProperty* s_pColumnProperty;
    static CTkMarkupDependencyProperty* s_pRowProperty;
    static CTkMarkupDependencyProperty* s_pColumnSpanProperty;
    static CTkMarkupDependencyProperty* s_pRowSpanProperty;

private:
    // A child moving to another cell makes its grid measure again.
    static void OnCellChanged(CTkMarkupObject* pObject, const CTkMarkupPropertyChange& change);
};
