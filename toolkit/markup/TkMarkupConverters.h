#pragma once
#include "TkMarkupObject.h"

// The string converters of the markup vocabulary: what markup may write for the enumerated, cursor,
// length and check-state properties, and the values that stands for. A property's metadata names its
// converter; the builder calls it before the value type's own conversion.
//
// Each takes a borrowed source and answers a new value (one reference for the caller) or NULL: NULL for
// anything but a CTkMarkupString and for a text it does not know, so the builder falls back to the value
// type's conversion. Names are whole words compared in any case. Enumeration values 0 to 7 are the
// shared instances.

class CTkMarkupContext;

// ---- Enumerations (CTkMarkupEnum)
CTkMarkupObject* ConvertVisibility(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
CTkMarkupObject* ConvertScrollBarVisibility(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
CTkMarkupObject* ConvertHorizontalAlignment(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
CTkMarkupObject* ConvertVerticalAlignment(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
CTkMarkupObject* ConvertTextWrapping(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
CTkMarkupObject* ConvertTextTrimming(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
CTkMarkupObject* ConvertTextAlignment(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
CTkMarkupObject* ConvertOrientation(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
CTkMarkupObject* ConvertBaselineAlignment(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
CTkMarkupObject* ConvertStretch(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
CTkMarkupObject* ConvertFontStyle(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
// The weight itself (100 to 950), as the font takes it.
CTkMarkupObject* ConvertFontWeight(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
// The empty text is no decoration.
CTkMarkupObject* ConvertTextDecorations(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
// The font-quality code handed to the font.
CTkMarkupObject* ConvertFontQuality(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
CTkMarkupObject* ConvertTabNavigation(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
// "False" 0, "True" 1, the empty text 2 (indeterminate).
CTkMarkupObject* ConvertIsChecked(CTkMarkupContext* pContext, CTkMarkupObject* pSource);

// ---- Integers (CTkMarkupInt, a new object each time)
// The identifier of a system cursor; "None" is 0.
CTkMarkupObject* ConvertCursor(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
// A length in pixels at 96 per inch: "Auto" is 2147483647 (unbounded); otherwise the text's leading
// integer, in points, inches or centimetres when the text ends in "pt", "in" or "cm", else in pixels.
// Fractions are not read; text without a number is 0. NULL when the number or the length does not fit
// 32 bits.
CTkMarkupObject* ConvertLength(CTkMarkupContext* pContext, CTkMarkupObject* pSource);

// ---- Content (CTkMarkupUIElement)
// A string becomes a text block holding one run of it (made through the context); NULL for anything
// else, or while the text classes are not registered.
CTkMarkupObject* ConvertContent(CTkMarkupContext* pContext, CTkMarkupObject* pSource);
