#pragma once
#include "DibPixels.h"

#include "mfc.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

// Distinct colours pinned on the colour manager's slots for the duration of a scope, so that a pixel
// names the slot that painted it.
class CPinnedColors {
public:
    explicit CPinnedColors(std::initializer_list<int> slots);
    ~CPinnedColors();
    CPinnedColors(const CPinnedColors&) = delete;
    CPinnedColors& operator=(const CPinnedColors&) = delete;

    // The colour pinned on a slot: RGB(slot * 3 + 1, 200 - slot, slot * 5 + 7).
    static COLORREF Of(int nSlot);

private:
    std::vector<int> m_slots;
};
