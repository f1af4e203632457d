#pragma once
#include "mfc.h"

// The markup engine's entry functions: the whole interface that the rest of the toolkit uses. A caller
// creates a context (with a host window, or without one to measure and render only), parses a text
// into an element tree, sets the context's default font and text colour, measures the tree and renders
// it on its own device context, then releases the tree and the context. The tree keeps its context
// alive, so a caller may release its context reference as soon as it has parsed.
//
// Every function takes null arguments and answers null, 0 or an empty size for them, and none lets an
// exception escape: a fault inside the engine reads as "nothing to show". UI thread of the host only.

class CTkMarkupContext;
class CTkMarkupUIElement;

// A new context (one reference, the caller's) storing the host window, which may be NULL; NULL when
// memory runs out.
CTkMarkupContext* CreateMarkupContext(HWND hWndHost);
// Drops one reference of the context (destroyed at 0) and clears the caller's pointer; nothing for NULL.
void ReleaseMarkupContext(CTkMarkupContext*& pContext);
// The root of the text's element tree (one reference, the caller's); NULL for a NULL context, a NULL
// text or a text that does not parse.
CTkMarkupUIElement* ParseMarkupText(CTkMarkupContext* pContext, LPCWSTR lpszText);
// Drops one reference of the tree, clears the caller's pointer and answers the references left; 0 for
// NULL.
DWORD ReleaseMarkupElement(CTkMarkupUIElement*& pElement);
// The element's context (borrowed); NULL for NULL.
CTkMarkupContext* GetMarkupElementContext(CTkMarkupUIElement* pElement);
// The default font becomes hFont's LOGFONTW when hFont is not NULL; the default text colour becomes
// clrText unless it is (COLORREF)-1. Nothing for a NULL context.
void SetMarkupDefaultFont(CTkMarkupContext* pContext, HFONT hFont, COLORREF clrText);
// The tree's desired size within the available size (0x7FFFFFFF: unbounded), measured on a device
// context of its own; 0 x 0 for NULL.
SIZE MeasureMarkupElement(CTkMarkupUIElement* pElement, int nAvailableWidth, int nAvailableHeight);
// Arranges the tree into *pRect and draws it on hDC: TRUE. FALSE, drawing nothing, when an argument is
// NULL.
BOOL RenderMarkupElement(CTkMarkupUIElement* pElement, HDC hDC, const RECT* pRect);

// Hands these functions to the foundation's markup tip (the foundation cannot link against the engine,
// which builds on it). The program calls it once at start-up, before the first tip is made; so do
// tests of markup tips.
void InstallMarkupEntryFunctions();
