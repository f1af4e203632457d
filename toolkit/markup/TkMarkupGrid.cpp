#include "TkMarkupGrid.h"

#include "TkMarkupBuilder.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupType.h"
#include "TkMarkupValues.h"

#include <algorithm>
#include <cmath>

using Metadata = CTkMarkupPropertyMetadata;

CTkMarkupDependencyProperty* CTkMarkupColumnDefinition::s_pWidthProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupColumnDefinition::s_pMinWidthProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupColumnDefinition::s_pMaxWidthProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupRowDefinition::s_pHeightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupRowDefinition::s_pMinHeightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupRowDefinition::s_pMaxHeightProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGrid::s_pColumnDefinitionsProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGrid::s_pRowDefinitionsProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGrid::s_pColumnProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGrid::s_pRowProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGrid::s_pColumnSpanProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupGrid::s_pRowSpanProperty = nullptr;

namespace {

// Above this, an available size counts as "size to content": star definitions measure as auto ones.
constexpr int kStarAsAutoLimit = 32000;
constexpr double kUnlimited = kMarkupUnbounded;

// A double as an integer, truncated toward 0 and saturated (NaN gives 0).
int Truncate(double d) {
    if (std::isnan(d))
        return 0;
    return static_cast<int>(std::clamp(std::trunc(d), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

// A length property of one star, and its two bounds without metadata.
void RegisterDefinition(CTkMarkupType* pOwner, LPCWSTR lpszLength, LPCWSTR lpszMin, LPCWSTR lpszMax,
                        CTkMarkupDependencyProperty*& pLength, CTkMarkupDependencyProperty*& pMin,
                        CTkMarkupDependencyProperty*& pMax) {
    pLength = CTkMarkupDependencyProperty::Register(
        lpszLength, CTkMarkupGridLength::GetClassType(), pOwner,
        new Metadata(new CTkMarkupGridLength(1.0, CTkMarkupGridLength::unitStar), 0));
    pMin = CTkMarkupDependencyProperty::Register(lpszMin, CTkMarkupInt::GetClassType(), pOwner);
    pMax = CTkMarkupDependencyProperty::Register(lpszMax, CTkMarkupInt::GetClassType(), pOwner);
}

// A number of a grid length at p: spaces, a sign, digits with at most one "." and spaces.
BOOL ReadGridNumber(LPCWSTR& p, double& dValue) {
    while (*p == L' ')
        p++;
    const BOOL bNegative = *p == L'-';
    if (*p == L'-' || *p == L'+')
        p++;
    double dNumber = 0.0;
    double dWeight = 0.0;  // 0 before the point
    BOOL bDigits = FALSE;
    for (;; p++) {
        if (*p >= L'0' && *p <= L'9') {
            bDigits = TRUE;
            if (dWeight == 0.0) {
                dNumber = dNumber * 10.0 + (*p - L'0');
            } else {
                dNumber += (*p - L'0') * dWeight;
                dWeight /= 10.0;
            }
        } else if (*p == L'.' && dWeight == 0.0) {
            dWeight = 0.1;
        } else {
            break;
        }
    }
    while (*p == L' ')
        p++;
    if (!bDigits || !std::isfinite(dNumber))
        return FALSE;
    dValue = bNegative ? -dNumber : dNumber;
    return TRUE;
}

// The sum of the measure sizes over [nStart, nStart + nCount), the minimum size standing for an auto
// definition's.
int MeasureSizeOver(const MarkupGridDefinitions& definitions, int nStart, int nCount) {
    double dSum = 0.0;
    for (int i = nStart; i < nStart + nCount; i++) {
        const CTkMarkupDefinitionBase* pDefinition = definitions[i];
        dSum += pDefinition->m_nSizeType == kGridSizeAuto ? pDefinition->m_nMinSize : pDefinition->m_dMeasureSize;
    }
    return Truncate(dSum);
}

BOOL IsUserAuto(const CTkMarkupDefinitionBase* pDefinition) {
    return pDefinition->GetUserUnit() == CTkMarkupGridLength::unitAuto;
}

// Step 2 of resolving stars: the star value in the measure size, and in the size cache the minimum per
// star (the maximum, when set, per star).
void PrepareStar(CTkMarkupDefinitionBase* pDefinition) {
    const double dStars = pDefinition->GetUserValue();
    pDefinition->m_dMeasureSize = dStars;
    if (dStars == 0.0) {
        pDefinition->m_dSizeCache = 0.0;
        return;
    }
    const double dBase = pDefinition->IsUserMaxUnlimited()
                             ? pDefinition->m_nMinSize
                             : std::max<double>(pDefinition->GetUserMax(), pDefinition->m_nMinSize);
    pDefinition->m_dSizeCache = dBase / dStars;
}

// Steps 3 and 4 of resolving stars over prepared star definitions: each gets its share of what dTaken
// leaves of nSize, in the order of its cache; the size goes to the measure size, or with bFinal to the
// size cache.
void DistributeStars(std::vector<CTkMarkupDefinitionBase*> stars, int nSize, double& dTaken, BOOL bFinal) {
    std::stable_sort(stars.begin(), stars.end(),
                     [](const CTkMarkupDefinitionBase* pA, const CTkMarkupDefinitionBase* pB) {
                         return pA->m_dSizeCache < pB->m_dSizeCache;
                     });
    double dRunning = 0.0;
    for (auto it = stars.rbegin(); it != stars.rend(); ++it) {
        dRunning += (*it)->m_dMeasureSize;
        (*it)->m_dSizeCache = dRunning;
    }
    for (CTkMarkupDefinitionBase* pDefinition : stars) {
        const double dStars = pDefinition->m_dMeasureSize;
        int nResolved = pDefinition->m_nMinSize;
        if (dStars != 0.0 && pDefinition->m_dSizeCache != 0.0) {
            nResolved = Truncate(dStars / pDefinition->m_dSizeCache * std::max(nSize - dTaken, 0.0));
            nResolved = std::max(std::min(nResolved, pDefinition->GetUserMax()), pDefinition->m_nMinSize);
        }
        if (bFinal)
            pDefinition->m_dSizeCache = nResolved;
        else
            pDefinition->m_dMeasureSize = nResolved;
        dTaken += nResolved;
    }
}

}  // namespace

// ---- Lengths

CTkMarkupObject* CTkMarkupGridLength::ConvertFrom(CTkMarkupObject* pSource) const {
    if (pSource == nullptr || !pSource->IsKindOf(CTkMarkupString::GetClassType()))
        return nullptr;
    const auto* pString = static_cast<const CTkMarkupString*>(pSource);
    LPCWSTR lpszText = pString->GetText();
    if (pString->GetLength() == 0)
        return nullptr;
    if (pString->GetLength() == 4 && _wcsicmp(lpszText, L"Auto") == 0)
        return new CTkMarkupGridLength(1.0, unitAuto);
    if (wcscmp(lpszText, L"*") == 0)
        return new CTkMarkupGridLength(1.0, unitStar);
    LPCWSTR p = lpszText;
    double dValue = 0.0;
    if (!ReadGridNumber(p, dValue))
        return nullptr;
    Unit unit = unitPixel;
    if (*p == L'*') {
        unit = unitStar;
        p++;
        while (*p == L' ')
            p++;
    }
    return *p == 0 ? new CTkMarkupGridLength(dValue, unit) : nullptr;
}

// ---- Definitions

CTkMarkupDependencyProperty* CTkMarkupDefinitionBase::GetLengthProperty() const {
    return m_bColumn ? CTkMarkupColumnDefinition::s_pWidthProperty : CTkMarkupRowDefinition::s_pHeightProperty;
}

CTkMarkupGridLength::Unit CTkMarkupDefinitionBase::GetUserUnit() const {
    const auto* pLength = static_cast<const CTkMarkupGridLength*>(GetValue(GetLengthProperty()));
    return pLength != nullptr ? pLength->GetUnit() : CTkMarkupGridLength::unitStar;
}

double CTkMarkupDefinitionBase::GetUserValue() const {
    const auto* pLength = static_cast<const CTkMarkupGridLength*>(GetValue(GetLengthProperty()));
    return pLength != nullptr ? std::max(pLength->GetValue(), 0.0) : 1.0;
}

int CTkMarkupDefinitionBase::GetUserMin() const {
    return MarkupIntOr(GetValue(m_bColumn ? CTkMarkupColumnDefinition::s_pMinWidthProperty
                                          : CTkMarkupRowDefinition::s_pMinHeightProperty),
                       0);
}

int CTkMarkupDefinitionBase::GetUserMax() const {
    return MarkupIntOr(GetValue(m_bColumn ? CTkMarkupColumnDefinition::s_pMaxWidthProperty
                                          : CTkMarkupRowDefinition::s_pMaxHeightProperty),
                       kMarkupUnbounded);
}

double CTkMarkupDefinitionBase::GetPreferredSize() const {
    if (m_nSizeType == kGridSizeAuto)
        return m_nMinSize;
    return std::max<double>(m_nMinSize, m_dMeasureSize);
}

void CTkMarkupColumnDefinition::RegisterProperties() {
    RegisterDefinition(GetClassType(), L"Width", L"MinWidth", L"MaxWidth", s_pWidthProperty, s_pMinWidthProperty,
                       s_pMaxWidthProperty);
}

void CTkMarkupRowDefinition::RegisterProperties() {
    RegisterDefinition(GetClassType(), L"Height", L"MinHeight", L"MaxHeight", s_pHeightProperty, s_pMinHeightProperty,
                       s_pMaxHeightProperty);
}

// ---- Layout steps

void PrepareMarkupGridDefinitions(const MarkupGridDefinitions& definitions, BOOL bStarAsAuto) {
    for (CTkMarkupDefinitionBase* pDefinition : definitions) {
        pDefinition->m_nMinSize = 0;
        pDefinition->m_nSizeType = 0;
        pDefinition->m_dMeasureSize = 0.0;
        double dMin = pDefinition->GetUserMin();
        const double dMax = pDefinition->GetUserMax();
        double dSize = kUnlimited;
        switch (pDefinition->GetUserUnit()) {
            case CTkMarkupGridLength::unitPixel:
                pDefinition->m_nSizeType = kGridSizePixel;
                dSize = std::trunc(pDefinition->GetUserValue());
                dMin = std::max(dMin, std::min(dSize, dMax));
                break;
            case CTkMarkupGridLength::unitAuto:
                pDefinition->m_nSizeType = kGridSizeAuto;
                break;
            default:
                pDefinition->m_nSizeType = bStarAsAuto ? kGridSizeAuto : kGridSizeStar;
                break;
        }
        pDefinition->m_nMinSize = std::max(pDefinition->m_nMinSize, Truncate(dMin));
        pDefinition->m_dMeasureSize = std::max(dMin, std::min(dSize, dMax));
    }
}

void EnsureMarkupGridMinimum(const MarkupGridDefinitions& definitions, int nStart, int nCount, double dRequest) {
    std::vector<CTkMarkupDefinitionBase*> range(definitions.begin() + nStart, definitions.begin() + nStart + nCount);
    const int n = nCount;
    double dRangeMin = 0.0;
    double dRangePreferred = 0.0;
    double dRangeMax = 0.0;
    double dLargestMax = 0.0;
    int nAutoCount = 0;
    for (CTkMarkupDefinitionBase* pDefinition : range) {
        const double dMin = pDefinition->m_nMinSize;
        const double dMax =
            pDefinition->IsUserMaxUnlimited() ? dMin : std::max<double>(pDefinition->GetUserMax(), dMin);
        pDefinition->m_dSizeCache = dMax;
        dRangeMin += dMin;
        dRangePreferred += pDefinition->GetPreferredSize();
        dRangeMax += dMax;
        dLargestMax = std::max(dLargestMax, dMax);
        if (IsUserAuto(pDefinition))
            nAutoCount++;
    }
    if (dRequest <= dRangeMin)
        return;
    double r = dRequest;
    if (dRequest <= dRangePreferred) {
        // Up to the preferred sizes: the automatic definitions keep their minimum, the others share the rest.
        std::stable_sort(
            range.begin(), range.end(), [](const CTkMarkupDefinitionBase* pA, const CTkMarkupDefinitionBase* pB) {
                const BOOL bAutoA = IsUserAuto(pA);
                const BOOL bAutoB = IsUserAuto(pB);
                if (bAutoA != bAutoB)
                    return bAutoA > bAutoB;
                return bAutoA ? pA->m_nMinSize < pB->m_nMinSize : pA->GetPreferredSize() < pB->GetPreferredSize();
            });
        for (int k = 0; k < nAutoCount; k++)
            r -= range[k]->m_nMinSize;
        for (int k = nAutoCount; k < n; k++) {
            const double v = std::min(r / (n - k), range[k]->GetPreferredSize());
            if (v > range[k]->m_nMinSize)
                range[k]->m_nMinSize = Truncate(v);
            r -= v;
        }
    } else if (dRequest <= dRangeMax) {
        // Up to the maxima: the fixed and star definitions first, then the automatic ones.
        std::stable_sort(range.begin(), range.end(),
                         [](const CTkMarkupDefinitionBase* pA, const CTkMarkupDefinitionBase* pB) {
                             const BOOL bAutoA = IsUserAuto(pA);
                             const BOOL bAutoB = IsUserAuto(pB);
                             if (bAutoA != bAutoB)
                                 return bAutoA < bAutoB;
                             return pA->m_dSizeCache < pB->m_dSizeCache;
                         });
        r -= dRangePreferred;
        const int a = n - nAutoCount;
        for (int k = 0; k < a; k++) {
            CTkMarkupDefinitionBase* pDefinition = range[k];
            const double dPreferred = pDefinition->GetPreferredSize();
            const int nNew = std::max(pDefinition->m_nMinSize,
                                      Truncate(std::min(dPreferred + r / (a - k), pDefinition->m_dSizeCache)));
            pDefinition->m_nMinSize = nNew;
            r -= nNew - dPreferred;
        }
        for (int k = a; k < n; k++) {
            CTkMarkupDefinitionBase* pDefinition = range[k];
            const int nOld = pDefinition->m_nMinSize;
            const int nNew = std::max(nOld, Truncate(std::min(nOld + r / (n - k), pDefinition->m_dSizeCache)));
            pDefinition->m_nMinSize = nNew;
            r -= static_cast<double>(nNew) - nOld;
        }
    } else {
        // Beyond the maxima: in proportion to how far each is below the largest, or evenly.
        const double e = r / n;
        const double dDenominator = dLargestMax * n - dRangeMax;
        for (CTkMarkupDefinitionBase* pDefinition : range) {
            double dNew = e;
            if (e < dLargestMax) {
                if (dDenominator == 0.0)
                    continue;
                dNew = pDefinition->m_dSizeCache +
                       (r - dRangeMax) * (dLargestMax - pDefinition->m_dSizeCache) / dDenominator;
            }
            pDefinition->m_nMinSize = std::max(pDefinition->m_nMinSize, Truncate(dNew));
        }
    }
}

void ResolveMarkupGridStars(const MarkupGridDefinitions& definitions, int nSize) {
    double dTaken = 0.0;
    std::vector<CTkMarkupDefinitionBase*> stars;
    for (CTkMarkupDefinitionBase* pDefinition : definitions) {
        if (pDefinition->m_nSizeType == kGridSizePixel)
            dTaken += pDefinition->m_dMeasureSize;
        else if (pDefinition->m_nSizeType == kGridSizeAuto)
            dTaken += pDefinition->m_nMinSize;
        else if (pDefinition->m_nSizeType == kGridSizeStar)
            stars.push_back(pDefinition);
    }
    for (CTkMarkupDefinitionBase* pDefinition : stars)
        PrepareStar(pDefinition);
    DistributeStars(stars, nSize, dTaken, FALSE);
}

void SetMarkupGridFinalSizes(const MarkupGridDefinitions& definitions, int nSize) {
    const int n = static_cast<int>(definitions.size());
    // Stars at the front in definition order, the others at the back in reverse order.
    std::vector<CTkMarkupDefinitionBase*> list(n);
    int nFront = 0;
    int nBack = n;
    double dAllocated = 0.0;
    for (CTkMarkupDefinitionBase* pDefinition : definitions) {
        const CTkMarkupGridLength::Unit unit = pDefinition->GetUserUnit();
        if (unit == CTkMarkupGridLength::unitStar) {
            list[nFront++] = pDefinition;
            PrepareStar(pDefinition);
            continue;
        }
        list[--nBack] = pDefinition;
        const double dUser =
            unit == CTkMarkupGridLength::unitAuto ? pDefinition->m_nMinSize : pDefinition->GetUserValue();
        pDefinition->m_dSizeCache =
            std::max<double>(pDefinition->m_nMinSize, std::min<double>(dUser, pDefinition->GetUserMax()));
        dAllocated += pDefinition->m_dSizeCache;
    }
    DistributeStars(std::vector<CTkMarkupDefinitionBase*>(list.begin(), list.begin() + nFront), nSize, dAllocated,
                    TRUE);
    if (nSize < dAllocated) {
        std::stable_sort(list.begin(), list.begin() + nFront,
                         [](const CTkMarkupDefinitionBase* pA, const CTkMarkupDefinitionBase* pB) {
                             return pA->m_dSizeCache - pA->m_nMinSize < pB->m_dSizeCache - pB->m_nMinSize;
                         });
        double d = nSize - dAllocated;
        for (int k = 0; k < n; k++) {
            CTkMarkupDefinitionBase* pDefinition = list[k];
            const double dOld = pDefinition->m_dSizeCache;
            const double f = dOld + d / (n - k);
            pDefinition->m_dSizeCache = std::min(std::max<double>(pDefinition->m_nMinSize, f), dOld);
            d -= pDefinition->m_dSizeCache - dOld;
        }
    }
    INT64 nOffset = 0;
    for (CTkMarkupDefinitionBase* pDefinition : definitions) {
        pDefinition->m_nFinalOffset = SaturatedInt(nOffset);
        nOffset += Truncate(pDefinition->m_dSizeCache);
    }
}

// ---- Grid

CTkMarkupGrid::CTkMarkupGrid()
    : m_pRows(new CTkMarkupRowDefinitionCollection), m_pColumns(new CTkMarkupColumnDefinitionCollection) {
    m_pRows->SetLogicalParent(this);
    m_pColumns->SetLogicalParent(this);
}

CTkMarkupGrid::~CTkMarkupGrid() {
    for (CTkMarkupCollection* pCollection :
         {static_cast<CTkMarkupCollection*>(m_pRows), static_cast<CTkMarkupCollection*>(m_pColumns)}) {
        pCollection->SetLogicalParent(nullptr);
        pCollection->Release();
    }
}

void CTkMarkupGrid::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    s_pColumnDefinitionsProperty = CTkMarkupDependencyProperty::Register(
        L"ColumnDefinitions", CTkMarkupColumnDefinitionCollection::GetClassType(), pType);
    s_pRowDefinitionsProperty = CTkMarkupDependencyProperty::Register(
        L"RowDefinitions", CTkMarkupRowDefinitionCollection::GetClassType(), pType);
    auto cell = [pType](LPCWSTR lpszName) {
        return CTkMarkupDependencyProperty::RegisterAttached(lpszName, CTkMarkupInt::GetClassType(), pType,
                                                             new Metadata(nullptr, &OnCellChanged, 0));
    };
    s_pColumnProperty = cell(L"Column");
    s_pRowProperty = cell(L"Row");
    s_pColumnSpanProperty = cell(L"ColumnSpan");
    s_pRowSpanProperty = cell(L"RowSpan");
}

void CTkMarkupGrid::OnCellChanged(CTkMarkupObject* pObject, const CTkMarkupPropertyChange& /*change*/) {
    // The nearest ancestor element: a grid's children hang below its children collection.
    CTkMarkupObject* pParent = pObject->GetLogicalParent();
    while (pParent != nullptr && !pParent->IsKindOf(CTkMarkupVisual::GetClassType()))
        pParent = pParent->GetLogicalParent();
    if (pParent != nullptr && pParent->IsKindOf(GetClassType()))
        static_cast<CTkMarkupGrid*>(pParent)->InvalidateMeasure();
}

void CTkMarkupGrid::SetPropertyObject(CTkMarkupBuilder* pBuilder, CTkMarkupDependencyProperty* pProperty,
                                      CTkMarkupObject* pValue) {
    auto value = CTkMarkupPtr<CTkMarkupObject>::Adopt(pValue);
    if (pProperty == s_pColumnDefinitionsProperty) {
        if (!value || !value->IsKindOf(CTkMarkupColumnDefinitionCollection::GetClassType()))
            ThrowMarkupError(L"CTkMarkupColumnDefinitionCollection class expected");
        m_pColumns->SetLogicalParent(nullptr);
        m_pColumns->Release();
        m_pColumns = static_cast<CTkMarkupColumnDefinitionCollection*>(value.Detach());
        m_pColumns->SetLogicalParent(this);
        return;
    }
    if (pProperty == s_pRowDefinitionsProperty) {
        if (!value || !value->IsKindOf(CTkMarkupRowDefinitionCollection::GetClassType()))
            ThrowMarkupError(L"CTkMarkupRowDefinitionCollection class expected");
        m_pRows->SetLogicalParent(nullptr);
        m_pRows->Release();
        m_pRows = static_cast<CTkMarkupRowDefinitionCollection*>(value.Detach());
        m_pRows->SetLogicalParent(this);
        return;
    }
    CTkMarkupPanel::SetPropertyObject(pBuilder, pProperty, value.Detach());
}

MarkupGridDefinitions CTkMarkupGrid::EffectiveDefinitions(CTkMarkupDefinitionCollection* pWritten,
                                                          CTkMarkupPtr<CTkMarkupDefinitionCollection>& effective,
                                                          BOOL bColumns) {
    if (pWritten->GetCount() > 0) {
        effective = CTkMarkupPtr<CTkMarkupDefinitionCollection>::Retain(pWritten);
    } else if (bColumns) {
        effective = CTkMarkupPtr<CTkMarkupDefinitionCollection>::Adopt(new CTkMarkupColumnDefinitionCollection);
        effective->Add(new CTkMarkupColumnDefinition);
    } else {
        effective = CTkMarkupPtr<CTkMarkupDefinitionCollection>::Adopt(new CTkMarkupRowDefinitionCollection);
        effective->Add(new CTkMarkupRowDefinition);
    }
    MarkupGridDefinitions definitions;
    for (int i = 0; i < effective->GetCount(); i++)
        definitions.push_back(effective->GetDefinition(i));
    return definitions;
}

void CTkMarkupGrid::BuildCells() {
    const CTkMarkupUIElementCollection* pChildren = GetChildren();
    const int nColumns = static_cast<int>(m_columns.size());
    const int nRows = static_cast<int>(m_rows.size());
    m_cells.assign(pChildren->GetCount(), Cell());
    std::fill(std::begin(m_nGroupHeads), std::end(m_nGroupHeads), kEndOfList);
    m_bSpansStarColumn = FALSE;
    m_bSpansStarRow = FALSE;
    m_bGroup3InAutoRow = FALSE;
    auto typesOver = [](const MarkupGridDefinitions& definitions, int nStart, int nCount) {
        int nTypes = 0;
        for (int i = nStart; i < nStart + nCount; i++)
            nTypes |= definitions[i]->m_nSizeType;
        return nTypes;
    };
    // From the last child to the first, each put at the head of its group: the lists end up in child order.
    for (int i = pChildren->GetCount() - 1; i >= 0; i--) {
        const CTkMarkupUIElement* pChild = pChildren->GetItem(i);
        Cell& cell = m_cells[i];
        cell.nColumn = std::clamp(MarkupIntOr(pChild->GetValue(s_pColumnProperty), 0), 0, nColumns - 1);
        cell.nRow = std::clamp(MarkupIntOr(pChild->GetValue(s_pRowProperty), 0), 0, nRows - 1);
        cell.nColumnSpan =
            std::min(std::max(MarkupIntOr(pChild->GetValue(s_pColumnSpanProperty), 1), 1), nColumns - cell.nColumn);
        cell.nRowSpan = std::min(std::max(MarkupIntOr(pChild->GetValue(s_pRowSpanProperty), 1), 1), nRows - cell.nRow);
        cell.nColumnTypes = typesOver(m_columns, cell.nColumn, cell.nColumnSpan);
        cell.nRowTypes = typesOver(m_rows, cell.nRow, cell.nRowSpan);
        const BOOL bStarColumn = (cell.nColumnTypes & kGridSizeStar) != 0;
        const BOOL bStarRow = (cell.nRowTypes & kGridSizeStar) != 0;
        const BOOL bAutoColumn = (cell.nColumnTypes & kGridSizeAuto) != 0;
        m_bSpansStarColumn |= bStarColumn;
        m_bSpansStarRow |= bStarRow;
        int nGroup = 0;
        if (!bStarRow && !bStarColumn) {
            nGroup = 0;
        } else if (!bStarRow) {
            nGroup = 2;
            if ((cell.nRowTypes & kGridSizeAuto) != 0)
                m_bGroup3InAutoRow = TRUE;
        } else if (!bAutoColumn || bStarColumn) {
            nGroup = 3;
        } else {
            nGroup = 1;
        }
        cell.nNext = m_nGroupHeads[nGroup];
        m_nGroupHeads[nGroup] = i;
    }
}

void CTkMarkupGrid::MeasureCell(CTkMarkupDrawingContext* pDC, int nCell, BOOL bRowsUnbounded) {
    const Cell& cell = m_cells[nCell];
    auto unboundedFor = [](int nTypes) { return (nTypes & kGridSizeAuto) != 0 && (nTypes & kGridSizeStar) == 0; };
    const int nWidth =
        unboundedFor(cell.nColumnTypes) ? kMarkupUnbounded : MeasureSizeOver(m_columns, cell.nColumn, cell.nColumnSpan);
    const int nHeight = bRowsUnbounded || unboundedFor(cell.nRowTypes)
                            ? kMarkupUnbounded
                            : MeasureSizeOver(m_rows, cell.nRow, cell.nRowSpan);
    GetChildren()->GetItem(nCell)->Measure(pDC, nWidth, nHeight);
}

void CTkMarkupGrid::MeasureGroup(CTkMarkupDrawingContext* pDC, int nHead, BOOL bIgnoreColumns, BOOL bRowsUnbounded) {
    struct SpanRequest {
        int nSpan;
        int nStart;
        BOOL bColumns;
        int nSize;
    };
    std::vector<SpanRequest> requests;
    for (int i = nHead; i != kEndOfList; i = m_cells[i].nNext) {
        MeasureCell(pDC, i, bRowsUnbounded);
        const Cell& cell = m_cells[i];
        const CSize szDesired = GetChildren()->GetItem(i)->GetDesiredSize();
        if (!bIgnoreColumns) {
            if (cell.nColumnSpan == 1) {
                CTkMarkupDefinitionBase* pColumn = m_columns[cell.nColumn];
                pColumn->m_nMinSize = std::max<int>(pColumn->m_nMinSize, szDesired.cx);
            } else {
                requests.push_back({cell.nColumnSpan, cell.nColumn, TRUE, szDesired.cx});
            }
        }
        if (!bRowsUnbounded) {
            if (cell.nRowSpan == 1) {
                CTkMarkupDefinitionBase* pRow = m_rows[cell.nRow];
                pRow->m_nMinSize = std::max<int>(pRow->m_nMinSize, szDesired.cy);
            } else {
                requests.push_back({cell.nRowSpan, cell.nRow, FALSE, szDesired.cy});
            }
        }
    }
    for (const SpanRequest& request : requests)
        EnsureMarkupGridMinimum(request.bColumns ? m_columns : m_rows, request.nStart, request.nSpan, request.nSize);
}

CSize CTkMarkupGrid::MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) {
    const CTkMarkupUIElementCollection* pChildren = GetChildren();
    if (!HasWrittenDefinitions()) {
        m_cells.clear();
        CSize szLargest(0, 0);
        for (int i = 0; i < pChildren->GetCount(); i++) {
            CTkMarkupUIElement* pChild = pChildren->GetItem(i);
            pChild->Measure(pDC, nWidth, nHeight);
            szLargest.cx = std::max<int>(szLargest.cx, pChild->GetDesiredSize().cx);
            szLargest.cy = std::max<int>(szLargest.cy, pChild->GetDesiredSize().cy);
        }
        return szLargest;
    }
    m_columns = EffectiveDefinitions(m_pColumns, m_effectiveColumns, TRUE);
    m_rows = EffectiveDefinitions(m_pRows, m_effectiveRows, FALSE);
    PrepareMarkupGridDefinitions(m_columns, nWidth > kStarAsAutoLimit);
    PrepareMarkupGridDefinitions(m_rows, nHeight > kStarAsAutoLimit);
    BuildCells();

    auto resolveColumns = [&] {
        if (m_bSpansStarColumn)
            ResolveMarkupGridStars(m_columns, nWidth);
    };
    auto resolveRows = [&] {
        if (m_bSpansStarRow)
            ResolveMarkupGridStars(m_rows, nHeight);
    };
    MeasureGroup(pDC, m_nGroupHeads[0], FALSE, FALSE);
    if (!m_bGroup3InAutoRow) {
        resolveRows();
        MeasureGroup(pDC, m_nGroupHeads[1], FALSE, FALSE);
        resolveColumns();
        MeasureGroup(pDC, m_nGroupHeads[2], FALSE, FALSE);
    } else if (m_nGroupHeads[1] == kEndOfList) {
        resolveColumns();
        MeasureGroup(pDC, m_nGroupHeads[2], FALSE, FALSE);
        resolveRows();
    } else {
        // Group 2 depends on the rows that group 3 sizes: measured once without them, once more after.
        MeasureGroup(pDC, m_nGroupHeads[1], FALSE, TRUE);
        resolveColumns();
        MeasureGroup(pDC, m_nGroupHeads[2], FALSE, FALSE);
        resolveRows();
        MeasureGroup(pDC, m_nGroupHeads[1], TRUE, FALSE);
    }
    MeasureGroup(pDC, m_nGroupHeads[3], FALSE, FALSE);

    INT64 nDesiredWidth = 0;
    INT64 nDesiredHeight = 0;
    for (const CTkMarkupDefinitionBase* pColumn : m_columns)
        nDesiredWidth += pColumn->m_nMinSize;
    for (const CTkMarkupDefinitionBase* pRow : m_rows)
        nDesiredHeight += pRow->m_nMinSize;
    return CSize(SaturatedInt(nDesiredWidth), SaturatedInt(nDesiredHeight));
}

CSize CTkMarkupGrid::ArrangeOverride(int nWidth, int nHeight) {
    const CTkMarkupUIElementCollection* pChildren = GetChildren();
    if (!HasWrittenDefinitions() || m_cells.empty()) {
        for (int i = 0; i < pChildren->GetCount(); i++)
            pChildren->GetItem(i)->Arrange(CRect(0, 0, nWidth, nHeight));
        return CSize(nWidth, nHeight);
    }
    SetMarkupGridFinalSizes(m_columns, nWidth);
    SetMarkupGridFinalSizes(m_rows, nHeight);
    auto extent = [](const MarkupGridDefinitions& definitions, int nStart, int nCount) {
        INT64 nSum = 0;
        for (int i = nStart; i < nStart + nCount; i++)
            nSum += Truncate(definitions[i]->m_dSizeCache);
        return nSum;
    };
    for (int i = 0; i < pChildren->GetCount(); i++) {
        CTkMarkupUIElement* pChild = pChildren->GetItem(i);
        if (i >= static_cast<int>(m_cells.size())) {
            pChild->Arrange(CRect(0, 0, nWidth, nHeight));
            continue;
        }
        const Cell& cell = m_cells[i];
        const int x = m_columns[cell.nColumn]->m_nFinalOffset;
        const int y = m_rows[cell.nRow]->m_nFinalOffset;
        pChild->Arrange(CRect(x, y, SaturatedInt(x + extent(m_columns, cell.nColumn, cell.nColumnSpan)),
                              SaturatedInt(y + extent(m_rows, cell.nRow, cell.nRowSpan))));
    }
    return CSize(nWidth, nHeight);
}
