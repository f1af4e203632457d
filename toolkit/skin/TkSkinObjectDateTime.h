#pragma once
#include "TkSkinObjectComboBox.h"

// CTkSkinObjectDateTime: date-time pickers ("SysDateTimePick32") let the control draw its fields into
// the skin's buffer on the skin's window colour, then get the skin's frame (common controls 6.10 and
// later, whose control draws its own button) or the skin's drop-down button (older ones), and the BUTTON
// class's check box in front of a picker that may show no date. The drop-down calendar takes the skin's
// colours, when the picker is made and at every change of the skin. CTkSkinObjectMonthCal gives month calendars
// ("SysMonthCal32") the same colours and nothing else.
//
// Run on the thread that owns the control.

class CTkSkinObjectDateTime : public CTkSkinObjectComboBox {
    DECLARE_DYNCREATE(CTkSkinObjectDateTime)
public:
    CTkSkinObjectDateTime();

    void RefreshMetrics() override;
    void PaintFrame(CDC* pDC) override;
    void DrawComboBox(CDC* pDC) override { DrawDateTime(pDC); }
    void DrawDateTime(CDC* pDC);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // COMBOBOX part state: CBXS_DISABLED, CBXS_HOT (hot or capturing), CBXS_NORMAL.
    int GetDateTimeState() const;
};

class CTkSkinObjectMonthCal : public CTkSkinObjectFrame {
    DECLARE_DYNCREATE(CTkSkinObjectMonthCal)
public:
    CTkSkinObjectMonthCal();

    void RefreshMetrics() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()
};
