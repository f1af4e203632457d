#pragma once
#include "TkControlLabel.h"

// CTkControlBitmap: a label that shows the largest image of its id at its own size instead of a caption.
class CTkControlBitmap : public CTkControlLabel {
    DECLARE_SERIAL(CTkControlBitmap)
public:
    // The image's size; (0, 0) without one.
    CSize GetSize(CDC* pDC) override;
    // The image in its normal state at the top-left of Rect; nothing without one.
    void Draw(CDC* pDC) override;

private:
    CTkImageManagerIcon* GetLargestImage() const;
};
