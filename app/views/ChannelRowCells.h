#pragma once
// The cells of the channel list: one row per voice-board channel, drawn from the channel's ChannelRecord as it is
// when a function runs. The service has already written the channel's state and pushed it to the clients before
// it tells the view what changed (ServiceView.h); these functions only draw.
//
// Each row's pane value (CReportCtrl::GetRowData) is its driver channel, so a row is found again after the operator
// sorted the list. UI thread only.

#include "ServiceView.h"

class CReportCtrl;

// The channel list's columns, in order.
enum ChannelColumn {
    kColumnNumber,      // "%03d" of the row + 1, spy channels "%03d[%03d]" with their CIC + 1
    kColumnName,        // Name
    kColumnPhone,       // Phone
    kColumnState,       // state text and icon
    kColumnType,        // the driver's channel type
    kColumnRecordMode,  // record mode text and icon
    kColumnLine,        // line voltage, or a spy call's in and out channels
    kColumnDialled,     // dialled digits, spy channels "callee|caller"
    kColumnCaller,      // caller id, spy channels "caller|callee"
    kColumnCallTime,    // recorded time, start date and time
    kColumnFile,        // the recording's path
    kChannelColumnCount,
};

// Inserts the eleven columns, left aligned, with their language-text headings.
void InsertChannelColumns(CReportCtrl& list);

// The row of a driver channel: the first whose pane value is the channel, else the row at the channel's position
// (which may not exist; the list then ignores the writes).
int FindChannelRow(const CReportCtrl& list, int channel);

// Builds the rows anew, row i for channel i: number, name, phone, type, record mode and line voltage. The
// state cells follow as the service shows each channel's start-up state.
void FillChannelRows(CReportCtrl& list, int channelCount);

// Redraws the cells that a change of the channel touches. Channels outside 0..511 are ignored.
void ShowChannelRowChange(CReportCtrl& list, int channel, ChannelRowChange what);

// Rewrites the name, phone and record-mode cells after the channel's parameters changed. Channels outside 0..511
// are ignored.
void ShowChannelSettingsCells(CReportCtrl& list, int channel);

// The record-mode cell of a row: the mode's text and whether its recordings are kept.
void SetRecordModeCell(CReportCtrl& list, int row, int recordMode);
