#pragma once
#include "mfc.h"

// The markup engine's entry functions, as the foundation's markup tip calls them.
//
// The markup engine is built on the foundation (its markup context derives a tooltip context from
// CTkToolTipContext), so the foundation cannot link against the markup library without a cycle. The
// markup library fills this table instead, when the program or a test initialises it; this is the
// foundation's one link that is made late. Until the table is filled, the markup tip behaves as when
// a text does not parse: it shows the text as a plain tip.
//
// UI thread: the table is filled before the first markup tip is made.

class CTkMarkupContext;
class CTkMarkupUIElement;

struct MarkupEntryFunctions {
    // A new context (one reference) for the host window (NULL: measuring and rendering only); NULL
    // when memory runs out.
    CTkMarkupContext* (*pfnCreateMarkupContext)(HWND hWndHost);
    // Drops one reference and clears the caller's pointer; nothing for NULL.
    void (*pfnReleaseMarkupContext)(CTkMarkupContext*& pContext);
    // The root of the text's element tree (one reference, the caller's); NULL for a NULL context or a
    // text that does not parse.
    CTkMarkupUIElement* (*pfnParseMarkupText)(CTkMarkupContext* pContext, LPCWSTR lpszText);
    // The context's default font (hFont's LOGFONT, unless NULL) and text colour (unless -1).
    void (*pfnSetMarkupDefaultFont)(CTkMarkupContext* pContext, HFONT hFont, COLORREF clrText);
    // The tree's desired size within the available size; 0 x 0 for NULL.
    SIZE (*pfnMeasureMarkupElement)(CTkMarkupUIElement* pElement, int nAvailableWidth, int nAvailableHeight);
    // Arranges the tree into the rectangle and draws it: TRUE; FALSE, drawing nothing, when an argument
    // is NULL.
    BOOL (*pfnRenderMarkupElement)(CTkMarkupUIElement* pElement, HDC hDC, const RECT* pRect);
    // Drops one reference, clears the caller's pointer and answers the references left (0 for NULL).
    DWORD (*pfnReleaseMarkupElement)(CTkMarkupUIElement*& pElement);
};

// Fills the table with every entry of pFunctions (all must be set), or, for NULL, stops answering it
// to new users (the functions stay valid for tips made earlier: they belong to a linked library).
void SetMarkupEntryFunctions(const MarkupEntryFunctions* pFunctions);
// The filled table, or NULL.
const MarkupEntryFunctions* GetMarkupEntryFunctions();
