#include "ControlsTestSupport.h"

#include "TkColorManager.h"

CPinnedColors::CPinnedColors(std::initializer_list<int> slots) : m_slots(slots) {
    for (int nSlot : m_slots)
        GetColorManager()->m_customColors[nSlot] = Of(nSlot);
}

CPinnedColors::~CPinnedColors() {
    for (int nSlot : m_slots)
        GetColorManager()->m_customColors[nSlot] = kColorUnset;
}

COLORREF CPinnedColors::Of(int nSlot) {
    return RGB(nSlot * 3 + 1, 200 - nSlot, nSlot * 5 + 7);
}
