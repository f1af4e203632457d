#include "TkMarkupEntryFunctions.h"

namespace {

MarkupEntryFunctions s_functions = {};
bool s_bFilled = false;

}  // namespace

void SetMarkupEntryFunctions(const MarkupEntryFunctions* pFunctions) {
    if (pFunctions == nullptr) {
        s_bFilled = false;
        return;
    }
    ASSERT(pFunctions->pfnCreateMarkupContext != nullptr && pFunctions->pfnReleaseMarkupContext != nullptr &&
           pFunctions->pfnParseMarkupText != nullptr && pFunctions->pfnSetMarkupDefaultFont != nullptr &&
           pFunctions->pfnMeasureMarkupElement != nullptr && pFunctions->pfnRenderMarkupElement != nullptr &&
           pFunctions->pfnReleaseMarkupElement != nullptr);
    s_functions = *pFunctions;
    s_bFilled = true;
}

const MarkupEntryFunctions* GetMarkupEntryFunctions() {
    return s_bFilled ? &s_functions : nullptr;
}
