#pragma once
// Registers the channel and record dialogs with the operator dialog registry: channel parameters, PC dial, record
// details, the call-record search form and the monitor window with its block drawing. Called by
// RegisterOperatorDialogs.

void RegisterChannelDialogs();
