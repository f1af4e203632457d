// CTkRibbonTheme: button faces (with the faces of a ribbon group's grouped blocks), split buttons, check
// and radio marks, the popup marks and arrows, the drop-down glyph and the toolbar's expand button, from
// the look's images.
#include "TkRibbonTheme.h"

#include "TkCommandBar.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkDCWrappers.h"
#include "TkDrawHelpers.h"
#include "TkOffice2007Drawing.h"
#include "TkOffice2007Image.h"
#include "TkOffice2007Images.h"
#include "TkPaintManagerState.h"
#include "TkRibbonBar.h"
#include "TkRibbonGroup.h"
#include "TkWindowFunctions.h"

#include <array>

namespace {

// A button face is the 50-pixel image from this height on.
constexpr int kLargeFaceHeight = 33;
constexpr int kExpandDocked = 0;
constexpr int kExpandLength = 12;
constexpr int kDisabledIcon = 40;
constexpr int kHighlight = COLOR_BTNHIGHLIGHT;
constexpr int kHotText = 45;
constexpr int kBarText = 46;
constexpr COLORREF kSplitText = RGB(21, 66, 139);
constexpr COLORREF kSplitGrayText = RGB(141, 141, 141);
constexpr int kSubmenuArrowInset = 14;
constexpr int kBlockCell = 22;  // the grouped-block images are columns of square cells

const CRect kNoMargins(0, 0, 0, 0);

BOOL IsKeyboardState(int nState) {
    return nState == 2 || nState == 3;
}

BOOL IsVerticalPosition(int nPosition) {
    return nPosition == kBarLeft || nPosition == kBarRight || nPosition == kBarPopup;
}

// A state of a named image, keyed; in a glass caption drawn opaque so the glass does not show through.
BOOL DrawImageState(CDC* pDC, LPCTSTR lpszName, const CRect& rc, int nState, int nStates, const CRect& rcMargins,
                    BOOL bGlass) {
    CTkOffice2007Image* pImage = GetOffice2007Images()->GetImage(lpszName);
    if (pImage == nullptr)
        return FALSE;
    if (bGlass)
        pImage->DrawImageWithAlpha(pDC, rc, pImage->GetSource(nState, nStates), rcMargins, kLookKeyColor,
                                   CTkOffice2007Image::kOpaqueOnAlphaSurface);
    else
        pImage->DrawImageKeyed(pDC, rc, pImage->GetSource(nState, nStates), rcMargins, kLookKeyColor);
    return TRUE;
}

// Where a control stands in a run of buttons drawn as one block (a ribbon group with controls grouping).
struct GroupedBlock {
    BOOL bStarts;
    BOOL bEnds;
};

// One of the group's own controls (not its option or collapsed-group button).
BOOL IsBlockMember(const CTkControl* pControl, const CTkRibbonGroup* pGroup) {
    return pControl->GetRibbonGroup() == pGroup && pControl != pGroup->GetControlGroupOption() &&
           pControl != pGroup->GetControlGroupPopup();
}

// A block starts at a control that begins a group or that the layout wrapped to a new row.
BOOL StartsBlock(const CTkControl* pControl) {
    return pControl->GetBeginGroup() || pControl->GetWrap();
}

// FALSE for a control outside a grouped block. The block ends after the control when the next visible
// control starts one, or is none of the group's controls (the option button follows the last one).
BOOL FindGroupedBlock(const CTkControl* pControl, GroupedBlock& block) {
    const auto* pGroup = static_cast<const CTkRibbonGroup*>(pControl->GetRibbonGroup());
    if (pGroup == nullptr || !pGroup->IsControlsGrouping() || !IsBlockMember(pControl, pGroup))
        return FALSE;
    const CTkCommandBar* pBar = pControl->GetParent();
    const CTkControls* pControls = pBar != nullptr ? pBar->GetControls() : nullptr;
    const int nIndex = pControl->GetIndex();
    // GetNext wraps to the start: a smaller index means there is no next control.
    const int nNext = pControls != nullptr ? pControls->GetNext(nIndex, 1, FALSE) : -1;
    const CTkControl* pNext = nNext > nIndex ? pControls->GetAt(nNext) : nullptr;
    block.bStarts = StartsBlock(pControl);
    block.bEnds = pNext == nullptr || !IsBlockMember(pNext, pGroup) || StartsBlock(pNext);
    return TRUE;
}

// The cell of a grouped block's face: 0 idle, 1 hot, 2 pressed, 3 popped up or checked, 4 checked and hot.
int GetBlockCell(const ControlPaintState& state) {
    if (!state.bEnabled)
        return IsKeyboardState(state.nSelected) ? 1 : 0;
    if (state.bPopuped)
        return 3;
    if (state.nChecked && !state.nPressed)
        return state.nSelected ? 4 : 3;
    if (IsKeyboardState(state.nPressed))
        return 2;
    if (state.nSelected)
        return state.nPressed ? 2 : 1;
    return state.nPressed ? 1 : 0;
}

// ---- The split button's cells: one row per case, the first row that matches a part gives its cell.

// Any value matches kAny; the other values of a condition name what must hold.
constexpr int kAny = -1;
enum Zero { kZero = 0, kNonZero = 1 };

// A cell, or nAlternative when S is one of the two given values; kBelow leaves the part to later rows.
struct CellRule {
    int nCell;
    int nSelectedA = kAny;
    int nSelectedB = kAny;
    int nAlternative = kAny;
};
constexpr CellRule kBelow{-2};
constexpr int kNone = CTkRibbonTheme::kSplitCellNone;

struct SplitRow {
    int nEnabled;   // E's value, or kAny
    BOOL bActive;   // S, P or U must be non-zero
    BOOL bPopuped;  // U must be set
    BOOL bKeyboardPressed;
    int nChecked;   // kZero, kNonZero or kAny
    int nSelected;  // kZero, kNonZero or kAny
    int nPressed;   // kZero, kNonZero or kAny
    CellRule command;
    CellRule dropDown;
};

// clang-format off
constexpr std::array<SplitRow, 12> kSplitRows{{
    {5,    TRUE,  FALSE, FALSE, kAny,     kAny,     kAny,     {4},                kBelow},
    {4,    TRUE,  FALSE, FALSE, kAny,     kAny,     kAny,     kBelow,             {3}},
    {0,    FALSE, FALSE, FALSE, kAny,     kAny,     kAny,     {kNone, 2, 3, 5},   {kNone, 2, 3, 4}},
    {kAny, FALSE, TRUE,  FALSE, kAny,     kAny,     kAny,     {5},                {2}},
    {kAny, FALSE, FALSE, TRUE,  kAny,     kAny,     kAny,     {1},                {0}},
    {kAny, FALSE, FALSE, FALSE, kNonZero, kZero,    kZero,    {2},                {2}},
    {kAny, FALSE, FALSE, FALSE, kNonZero, kNonZero, kZero,    {3},                {4, 5, 5, 0}},
    {kAny, FALSE, FALSE, FALSE, kNonZero, kZero,    kNonZero, {2},                {4}},
    {kAny, FALSE, FALSE, FALSE, kZero,    kZero,    kZero,    {kNone},            {kNone}},
    {kAny, FALSE, FALSE, FALSE, kZero,    kNonZero, kZero,    {5, 4, 4, 0},       {4, 5, 5, 0}},
    {kAny, FALSE, FALSE, FALSE, kZero,    kZero,    kNonZero, {5},                {4}},
    {kAny, FALSE, FALSE, FALSE, kAny,     kNonZero, kNonZero, {1},                {0}},
}};
// clang-format on

BOOL MatchesZero(int nCondition, int nValue) {
    return nCondition == kAny || (nCondition == kZero) == (nValue == 0);
}

BOOL RowMatches(const SplitRow& row, int nEnabled, int nSelected, int nPressed, BOOL bPopuped, int nChecked) {
    return (row.nEnabled == kAny || row.nEnabled == nEnabled) &&
           (!row.bActive || nSelected != 0 || nPressed != 0 || bPopuped) && (!row.bPopuped || bPopuped) &&
           (!row.bKeyboardPressed || IsKeyboardState(nPressed)) && MatchesZero(row.nChecked, nChecked) &&
           MatchesZero(row.nSelected, nSelected) && MatchesZero(row.nPressed, nPressed);
}

int ApplyRule(const CellRule& rule, int nSelected) {
    return nSelected == rule.nSelectedA || nSelected == rule.nSelectedB ? rule.nAlternative : rule.nCell;
}

}  // namespace

CTkRibbonTheme::SplitButtonCells CTkRibbonTheme::GetSplitButtonCells(int nEnabled, int nSelected, int nPressed,
                                                                     BOOL bPopuped, int nChecked) {
    const auto cell = [&](CellRule SplitRow::*pPart) {
        for (const SplitRow& row : kSplitRows) {
            if ((row.*pPart).nCell != kBelow.nCell &&
                RowMatches(row, nEnabled, nSelected, nPressed, bPopuped, nChecked))
                return ApplyRule(row.*pPart, nSelected);
        }
        return kSplitCellNone;
    };
    return {cell(&SplitRow::command), cell(&SplitRow::dropDown)};
}

// State (of 4): 0 hot, 1 pressed, 2 checked or popped up, 3 checked and hot; first match wins.
void CTkRibbonTheme::PaintStateRectangle(CDC* pDC, CRect rc, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                         BOOL bChecked, BOOL bPopuped, int nBarType, int nBarPosition) {
    const BOOL bLarge = rc.Height() >= kLargeFaceHeight;
    if (nBarType == kBarTypePopup) {
        if (nBarPosition != kBarPopup) {
            CTkOffice2003Theme::PaintStateRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped,
                                                    nBarType, nBarPosition);
            return;
        }
        if (bChecked) {
            DrawLookImage(pDC, L"MENUCHECKEDITEM", rc, bEnabled ? 0 : 1, 2, CRect(4, 4, 4, 4), TRUE);
        } else if (bSelected && (bEnabled || IsKeyboardState(bSelected))) {
            LPCTSTR lpszName = bEnabled ? (bLarge ? L"MENUSELECTEDITEM54" : L"MENUSELECTEDITEM22")
                                        : (bLarge ? L"MENUSELECTEDDISABLEDITEM54" : L"MENUSELECTEDDISABLEDITEM22");
            DrawLookImage(pDC, lpszName, rc, 0, 1, CRect(4, 4, 4, 4), TRUE);
        } else {
            CTkOffice2003Theme::PaintStateRectangle(pDC, rc, bSelected, bPressed, bEnabled, bChecked, bPopuped,
                                                    nBarType, nBarPosition);
        }
        return;
    }
    int nState = -1;
    if (!bEnabled)
        nState = IsKeyboardState(bSelected) ? 0 : -1;
    else if (bPopuped)
        nState = 2;
    else if (bChecked && !bPressed)
        nState = bSelected ? 3 : 2;
    else if (IsKeyboardState(bPressed) || (bSelected && bPressed))
        nState = 1;
    else if (bSelected || bPressed)
        nState = 0;
    if (nState >= 0)
        DrawLookImage(pDC, bLarge ? L"TOOLBARBUTTONS50" : L"TOOLBARBUTTONS22", rc, nState, 4, CRect(8, 8, 8, 8));
}

// A button of a grouped block takes the block's face for its place in it; other controls the base's.
void CTkRibbonTheme::PaintControlBackground(CDC* pDC, CTkControl* pControl) {
    GroupedBlock block;
    if (!FindGroupedBlock(pControl, block)) {
        CTkOffice2007Theme::PaintControlBackground(pDC, pControl);
        return;
    }
    LPCTSTR lpszName = block.bStarts ? (block.bEnds ? L"TOOLBARBUTTONSSPECIALSINGLE" : L"TOOLBARBUTTONSSPECIALLEFT")
                                     : (block.bEnds ? L"TOOLBARBUTTONSSPECIALRIGHT" : L"TOOLBARBUTTONSSPECIALCENTER");
    CTkOffice2007Image* pImage = LoadImage(lpszName);
    const int nCells = pImage != nullptr ? pImage->GetExtent().cy / kBlockCell : 0;
    if (nCells == 0)
        return;
    const ControlPaintState state(pControl);
    pImage->DrawImageKeyed(pDC, pControl->GetRect(), pImage->GetSource(GetBlockCell(state), nCells), CRect(2, 2, 2, 2),
                           kLookKeyColor);
}

// A grouped block's split button takes the block's split images, whose cells are one further on (their
// first cell is the idle face).
void CTkRibbonTheme::PaintSplitButton(CDC* pDC, CTkControl* pControl, const CRect& rc) {
    const ControlPaintState state(pControl);
    GroupedBlock block;
    const BOOL bGrouped = FindGroupedBlock(pControl, block);
    const BOOL bLarge = !bGrouped && state.nStyle == kButtonIconAndCaptionBelow;
    LPCTSTR lpszCommand = nullptr;
    LPCTSTR lpszDropDown = nullptr;
    if (bGrouped) {
        lpszCommand = block.bStarts ? L"TOOLBARBUTTONSSPECIALSPLITLEFT" : L"TOOLBARBUTTONSSPECIALSPLITCENTER";
        lpszDropDown =
            block.bEnds ? L"TOOLBARBUTTONSSPECIALSPLITDROPDOWNRIGHT" : L"TOOLBARBUTTONSSPECIALSPLITDROPDOWNCENTER";
    } else {
        lpszCommand = bLarge ? L"TOOLBARBUTTONSSPLIT50" : L"TOOLBARBUTTONSSPLIT22";
        lpszDropDown = bLarge ? L"TOOLBARBUTTONSSPLITDROPDOWN50" : L"TOOLBARBUTTONSSPLITDROPDOWN22";
    }
    if (LoadImage(lpszCommand) == nullptr || LoadImage(lpszDropDown) == nullptr)
        return;
    const int nDropDownWidth = m_nSplitButtonDropDownWidth;
    const int nExtent = GetSplitDropDownExtent();
    const CRect rcCommand = bLarge ? CRect(rc.left, rc.top, rc.right, rc.bottom - nExtent)
                                   : CRect(rc.left, rc.top, rc.right - nDropDownWidth, rc.bottom);
    const CRect rcDropDown = bLarge ? CRect(rc.left, rc.bottom - nExtent, rc.right, rc.bottom)
                                    : CRect(rc.right - nDropDownWidth, rc.top, rc.right, rc.bottom);
    pDC->SetTextColor(state.nEnabled != 0 ? kSplitText : kSplitGrayText);
    pDC->SetBkMode(TRANSPARENT);

    SplitButtonCells cells =
        GetSplitButtonCells(state.nEnabled, state.nSelected, state.nPressed, state.bPopuped, state.nChecked);
    const int nShift = bGrouped ? 1 : 0;
    if (bGrouped) {
        cells.nCommand = cells.nCommand == kSplitCellNone ? 0 : cells.nCommand + 1;
        cells.nDropDown = cells.nDropDown == kSplitCellNone ? 0 : cells.nDropDown + 1;
    }
    CTkCommandBar* pBar = pControl->GetParent();
    const CRect rcMargins(2, 2, 2, 2);
    if (cells.nCommand != kSplitCellNone)
        DrawImageState(pDC, lpszCommand, rcCommand, cells.nCommand, 6 + nShift, rcMargins,
                       IsRectInGlassCaption(pBar, rcCommand));
    if (cells.nDropDown != kSplitCellNone)
        DrawImageState(pDC, lpszDropDown, rcDropDown, cells.nDropDown, 5 + nShift, rcMargins,
                       IsRectInGlassCaption(pBar, rcDropDown));
    if (!bLarge)
        PaintDropDownGlyph(pDC, pControl, CPoint(rc.right - nDropDownWidth / 2 - 1, (rc.top + rc.bottom) / 2),
                           state.nSelected, state.bPopuped, state.nEnabled != 0 && state.nEnabled != 4, FALSE);
}

namespace {

// The base state of a check-box or radio glyph: 3 disabled, 2 selected and pressed, 1 selected, 0.
int MarkBaseState(BOOL bSelected, BOOL bPressed, BOOL bEnabled) {
    return !bEnabled ? 3 : bSelected && bPressed ? 2 : bSelected ? 1 : 0;
}

}  // namespace

CSize CTkRibbonTheme::PaintCheckBoxMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                        int nChecked) {
    if (bDraw && pDC != nullptr) {
        const int nOffset = nChecked == 1 ? 4 : nChecked == 2 ? 8 : 0;
        DrawLookImage(pDC, L"TOOLBARBUTTONCHECKBOX", rc, MarkBaseState(bSelected, bPressed, bEnabled) + nOffset, 12,
                      kNoMargins, TRUE);
    }
    return CSize(13, 13);
}

CSize CTkRibbonTheme::PaintRadioButtonMark(CDC* pDC, CRect rc, BOOL bDraw, BOOL bSelected, BOOL bPressed, BOOL bEnabled,
                                           int nChecked) {
    if (bDraw && pDC != nullptr) {
        const int nOffset = nChecked ? 4 : 0;
        DrawLookImage(pDC, L"TOOLBARBUTTONRADIOBUTTON", rc, MarkBaseState(bSelected, bPressed, bEnabled) + nOffset, 8,
                      kNoMargins, TRUE);
    }
    return CSize(13, 13);
}

void CTkRibbonTheme::PaintCheckMark(CDC* pDC, CRect rc, COLORREF clr) {
    if (!DrawLookImageCentered(pDC, L"MENUCHECKEDITEMMARK", rc, clr == kDisabledIcon ? 1 : 0, 4))
        CTkOffice2007Theme::PaintCheckMark(pDC, rc, clr);
}

void CTkRibbonTheme::PaintRadioMark(CDC* pDC, CRect rc, COLORREF clr) {
    if (!DrawLookImageCentered(pDC, L"MENUCHECKEDITEMMARK", rc, clr == kDisabledIcon ? 3 : 2, 4))
        CTkOffice2007Theme::PaintRadioMark(pDC, rc, clr);
}

void CTkRibbonTheme::PaintDropDownGlyph(CDC* pDC, CTkControl* pControl, CPoint pt, BOOL bSelected, BOOL bPopuped,
                                        BOOL bEnabled, BOOL bVertical) {
    if (bVertical) {
        CTkOffice2007Theme::PaintDropDownGlyph(pDC, pControl, pt, bSelected, bPopuped, bEnabled, bVertical);
        return;
    }
    const int nState = !bEnabled ? 3 : bSelected ? 1 : 0;
    const BOOL bGlass = pControl != nullptr && pControl->IsInGlassCaption();
    DrawImageState(pDC, L"TOOLBARBUTTONDROPDOWNGLYPH", CRect(pt.x - 2, pt.y - 2, pt.x + 3, pt.y + 2), nState, 4,
                   kNoMargins, bGlass);
}

void CTkRibbonTheme::PaintSubmenuArrow(CDC* pDC, CTkControl* pControl) {
    const CSize size = GetLookImageStateSize(L"MENUPOPUPGLYPH", 2);
    if (size.cx == 0)
        return;
    const ControlPaintState state(pControl);
    const CRect& rc = pControl->GetRect();
    const CPoint pt(rc.right - kSubmenuArrowInset, rc.top + (rc.Height() - size.cy) / 2);
    DrawLookImage(pDC, L"MENUPOPUPGLYPH", CRect(pt, size), state.bEnabled ? 0 : 1, 2, kNoMargins, TRUE);
}

// The item face left of the split arrow only on tall items; the arrow's part always.
void CTkRibbonTheme::PaintSplitDivider(CDC* pDC, CTkControl* pControl) {
    const ControlPaintState state(pControl);
    const CRect& rc = pControl->GetRect();
    const CRect rcMargins(2, 2, 2, 2);
    if (rc.Height() > kLargeFaceHeight && state.bEnabled) {
        int nState = 1;
        if (state.nSelected == 0)
            nState = 0;
        else if (state.nSelected == 4)
            nState = 2;
        else if (IsKeyboardState(state.nSelected))
            nState = state.bPopuped ? 1 : 2;
        DrawLookImage(pDC, L"MENUSPLITITEM", CRect(rc.left, rc.top, rc.right - m_nPopupSplitWidth, rc.bottom), nState,
                      3, rcMargins, TRUE);
    }
    const int nState = state.nSelected && state.bEnabled ? (state.bPopuped ? 2 : 1) : 0;
    DrawLookImage(pDC, L"MENUSPLITDROPDOWN", CRect(rc.right - m_nPopupSplitWidth, rc.top, rc.right, rc.bottom), nState,
                  3, rcMargins, TRUE);
}

CSize CTkRibbonTheme::PaintExpandButton(CDC* pDC, int nKind, CTkControl* pControl, CTkCommandBar* pBar, BOOL bDraw,
                                        BOOL bHiddenControls) {
    const BOOL bVertical = pBar != nullptr && IsVerticalPosition(pBar->GetPosition());
    LPCTSTR lpszImage = bVertical ? L"TOOLBAREXPANDBUTTONVERTICAL" : L"TOOLBAREXPANDBUTTONHORIZONTAL";
    if (nKind != kExpandDocked || pControl == nullptr || pBar == nullptr || LoadImage(lpszImage) == nullptr)
        return CTkOffice2007Theme::PaintExpandButton(pDC, nKind, pControl, pBar, bDraw, bHiddenControls);
    if (!bDraw) {
        const CRect rcBar = MakeClientRectFromHandle(pBar->GetSafeHwnd());
        pControl->SetRect(bVertical ? CRect(0, rcBar.Height() - kExpandLength, rcBar.Width(), rcBar.Height())
                                    : CRect(rcBar.Width() - kExpandLength, 0, rcBar.Width(), rcBar.Height()));
        return CSize(0, 0);
    }
    if (pDC == nullptr)
        return CSize(0, 0);
    const CRect rc = pControl->GetRect();
    const BOOL bPopuped = pControl->IsPopupOpen();
    const BOOL bSelected = pControl->GetSelected();
    DrawLookImage(pDC, lpszImage, rc, bPopuped ? 2 : bSelected ? 1 : 0, 3, CRect(3, 3, 3, 3), TRUE);
    PaintExpandGlyph(pDC, rc + CPoint(1, 1), bVertical, bHiddenControls, LookupColor(kHighlight));
    const CRect rcGlyph = rc - (bVertical ? CPoint(0, 1) : CPoint(1, 0));
    PaintExpandGlyph(pDC, rcGlyph, bVertical, bHiddenControls,
                     LookupColor(bSelected && !bPopuped ? kHotText : kBarText));
    return CSize(0, 0);
}
