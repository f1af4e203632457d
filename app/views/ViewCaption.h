#pragma once
// The caption strips at the top of the main view's two columns: the toolkit's caption bar in the colour manager's
// 3-D face, shadow and window colours, with the shared bold font, a 4-pixel border and a small icon of the
// application's resources. UI thread.

#include "TkCaption.h"

// Creates the strip in parent with its text; FALSE when the window cannot be made.
BOOL CreateViewCaption(CTkCaption& caption, CWnd* parent, LPCWSTR text, UINT iconId);
// The strip's style again, with a new text (null: the text stays).
void StyleViewCaption(CTkCaption& caption, LPCWSTR text, UINT iconId);

constexpr int kViewCaptionHeight = 33;
