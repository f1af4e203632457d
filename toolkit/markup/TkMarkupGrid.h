#pragma once
#include "TkMarkupCollection.h"
#include "TkMarkupPanels.h"

#include <vector>

// The grid: children in cells of columns and rows whose sizes are fixed pixels, automatic ("Auto", as
// large as the content needs) or shares of the remaining space ("*", "2*"). Children choose their cell
// with the attached "Column" and "Row" and may span several. Measuring resolves the cells in four groups,
// so that automatic and proportional definitions depend on each other in a fixed order, and spreads the
// demand of spanning children over the definitions they span; arranging shrinks definitions when the grid
// gets less than it asked for. A grid without definitions is an overlay: every child in the whole space.
//
// Cell groups, by what a cell spans:
//   1 no star row, no star column       3 no star row, a star column
//   2 a star row and an auto column,    4 a star row and no auto column, or a star row and a star column
//     no star column
//
// Sizes are integers where the definitions keep them and doubles in the steps between; every double
// turned into an integer is truncated toward 0 and saturated. Negative indices count as 0, negative
// lengths and stars as 0, and a division by a zero share gives the minimum size. UI thread only.

// A row height or column width.
class CTkMarkupGridLength : public CTkMarkupObject {
    DECLARE_MARKUP_TYPE()
public:
    enum Unit { unitAuto = 0, unitPixel = 1, unitStar = 2 };

    // The factory's length: 0 pixels.
    CTkMarkupGridLength() = default;
    CTkMarkupGridLength(double dValue, Unit unit) : m_dValue(dValue), m_unit(unit) {}
    double GetValue() const { return m_dValue; }
    Unit GetUnit() const { return m_unit; }
    // "Auto" (any case) is 1 auto, "*" one star, a number and "*" that many stars, a number alone
    // pixels; a number is an optional sign and digits with at most one ".", with spaces around. The empty
    // text and anything else give NULL.
    CTkMarkupObject* ConvertFrom(CTkMarkupObject* pSource) const override;

private:
    double m_dValue = 0.0;
    Unit m_unit = unitPixel;
};

// The layout types of a definition during a measure (bits, so that the types a cell spans OR together).
enum MarkupGridSizeType { kGridSizePixel = 1, kGridSizeAuto = 2, kGridSizeStar = 4 };

// What rows and columns share: their user values (read from their properties) and the layout state the
// grid keeps in them. Reports the object type.
class CTkMarkupDefinitionBase : public CTkMarkupObject {
public:
    BOOL IsColumn() const { return m_bColumn; }
    // "Width"/"Height": its unit, and its value (never below 0).
    CTkMarkupGridLength::Unit GetUserUnit() const;
    double GetUserValue() const;
    // "MinWidth"/"MinHeight", 0 when unset; "MaxWidth"/"MaxHeight", kMarkupUnbounded (unlimited) when unset.
    int GetUserMin() const;
    int GetUserMax() const;
    BOOL IsUserMaxUnlimited() const { return GetUserMax() == kMarkupUnbounded; }
    // The minimum size for an auto definition, else the larger of the minimum and the measure size.
    double GetPreferredSize() const;

    // ---- Layout state, written by the grid's steps
    int m_nMinSize = 0;           // grown while measuring
    int m_nSizeType = 0;          // MarkupGridSizeType of this measure
    double m_dMeasureSize = 0.0;  // what a cell is measured against
    double m_dSizeCache = 0.0;    // scratch of the steps; after arranging, the final size
    int m_nFinalOffset = 0;       // after arranging

protected:
    explicit CTkMarkupDefinitionBase(BOOL bColumn) : m_bColumn(bColumn) {}

private:
    CTkMarkupDependencyProperty* GetLengthProperty() const;
    BOOL m_bColumn;
};

class CTkMarkupColumnDefinition : public CTkMarkupDefinitionBase {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupColumnDefinition() : CTkMarkupDefinitionBase(TRUE) {}

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pWidthProperty;  // one star by default
    static CTkMarkupDependencyProperty* s_pMinWidthProperty;
    static CTkMarkupDependencyProperty* s_pMaxWidthProperty;
};

class CTkMarkupRowDefinition : public CTkMarkupDefinitionBase {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupRowDefinition() : CTkMarkupDefinitionBase(FALSE) {}

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pHeightProperty;  // one star by default
    static CTkMarkupDependencyProperty* s_pMinHeightProperty;
    static CTkMarkupDependencyProperty* s_pMaxHeightProperty;
};

class CTkMarkupDefinitionCollection : public CTkMarkupCollection {
    DECLARE_MARKUP_TYPE()
public:
    explicit CTkMarkupDefinitionCollection(CTkMarkupType* pItemType = CTkMarkupObject::GetClassType())
        : CTkMarkupCollection(pItemType) {}
    CTkMarkupDefinitionBase* GetDefinition(int nIndex) const {
        return static_cast<CTkMarkupDefinitionBase*>(GetItem(nIndex));
    }
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

// ---- The steps of the grid's layout over the definitions of one direction (borrowed pointers)
using MarkupGridDefinitions = std::vector<CTkMarkupDefinitionBase*>;
// Resets the definitions for a measure: layout types from the user sizes (stars as auto with
// bStarAsAuto), minimum and measure sizes from the user values.
void PrepareMarkupGridDefinitions(const MarkupGridDefinitions& definitions, BOOL bStarAsAuto);
// Raises the minimum sizes of [nStart, nStart + nCount) so that together they hold dRequest: first up
// to the preferred sizes, then up to the maxima, then beyond them.
void EnsureMarkupGridMinimum(const MarkupGridDefinitions& definitions, int nStart, int nCount, double dRequest);
// The measure sizes of the star definitions: their shares of what the others leave of nSize.
void ResolveMarkupGridStars(const MarkupGridDefinitions& definitions, int nSize);
// The final sizes (in the size caches) and offsets for an arranged size of nSize, shrinking star
// definitions first and every definition only down to its minimum size.
void SetMarkupGridFinalSizes(const MarkupGridDefinitions& definitions, int nSize);

class CTkMarkupGrid : public CTkMarkupPanel {
    DECLARE_MARKUP_TYPE()
public:
    CTkMarkupGrid();

    // The definitions as written in markup (borrowed).
    CTkMarkupColumnDefinitionCollection* GetColumnDefinitions() const { return m_pColumns; }
    CTkMarkupRowDefinitionCollection* GetRowDefinitions() const { return m_pRows; }

    // "ColumnDefinitions" and "RowDefinitions" take a collection of their kind, replacing the written
    // one; any other object fails the build.
    void SetPropertyObject(CTkMarkupBuilder* pBuilder, CTkMarkupDependencyProperty* pProperty,
                           CTkMarkupObject* pValue) override;
    CSize MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) override;
    CSize ArrangeOverride(int nWidth, int nHeight) override;

    static void RegisterProperties();
    static CTkMarkupDependencyProperty* s_pColumnDefinitionsProperty;
    static CTkMarkupDependencyProperty* s_pRowDefinitionsProperty;
    // Attached to the grid's children.
    static CTkMarkupDependencyProperty* s_pColumnProperty;
    static CTkMarkupDependencyProperty* s_pRowProperty;
    static CTkMarkupDependencyProperty* s_pColumnSpanProperty;
    static CTkMarkupDependencyProperty* s_pRowSpanProperty;

protected:
    ~CTkMarkupGrid() override;

private:
    static constexpr int kEndOfList = 0x7FFFFFFF;

    // One child's place, in child order.
    struct Cell {
        int nColumn = 0;
        int nRow = 0;
        int nColumnSpan = 1;
        int nRowSpan = 1;
        int nColumnTypes = 0;  // the layout types of the spanned columns, OR-ed
        int nRowTypes = 0;
        int nNext = kEndOfList;  // the next cell of the same group
    };

    // A child changing cell makes its grid measure again.
    static void OnCellChanged(CTkMarkupObject* pObject, const CTkMarkupPropertyChange& change);
    // The written collection, or a private one of one star definition when it is empty.
    static MarkupGridDefinitions EffectiveDefinitions(CTkMarkupDefinitionCollection* pWritten,
                                                      CTkMarkupPtr<CTkMarkupDefinitionCollection>& effective,
                                                      BOOL bColumns);
    void BuildCells();
    void MeasureCell(CTkMarkupDrawingContext* pDC, int nCell, BOOL bRowsUnbounded);
    void MeasureGroup(CTkMarkupDrawingContext* pDC, int nHead, BOOL bIgnoreColumns, BOOL bRowsUnbounded);
    BOOL HasWrittenDefinitions() const { return m_pColumns->GetCount() > 0 || m_pRows->GetCount() > 0; }

    CTkMarkupRowDefinitionCollection* m_pRows;        // owned; the grid is its logical parent
    CTkMarkupColumnDefinitionCollection* m_pColumns;  // owned; the grid is its logical parent
    std::vector<Cell> m_cells;                        // of the last measure; empty: none built
    int m_nGroupHeads[4] = {kEndOfList, kEndOfList, kEndOfList, kEndOfList};
    BOOL m_bSpansStarColumn = FALSE;
    BOOL m_bSpansStarRow = FALSE;
    BOOL m_bGroup3InAutoRow = FALSE;
    CTkMarkupPtr<CTkMarkupDefinitionCollection> m_effectiveColumns;
    CTkMarkupPtr<CTkMarkupDefinitionCollection> m_effectiveRows;
    MarkupGridDefinitions m_columns;  // the effective definitions' items
    MarkupGridDefinitions m_rows;
};
