#pragma once
// The twelve contact edits that the contact dialog and the incoming-call pop-up share (same control ids, same
// fields), their labels, and the two checks before a contact is stored. UI thread.

#include "records/StorageRecords.h"

#include "mfc.h"

// The ten labels and their texts.
void SetContactLabels(CWnd* dialog);

// Shows every field of the contact in its edit.
void ShowContactFields(CWnd* dialog, const ContactRecord& contact);

// Reads the edits into the contact's fields; each keeps two characters less than its field holds (30 of 32, 62 of
// 64, 253 of 255), as contacts have always been read. The other fields stay as they are.
void ReadContactFields(CWnd* dialog, ContactRecord& contact);

// A contact needs a name and a mobile number: false after the message that says which one is missing.
bool CheckContactNameAndMobile(CWnd* dialog, const ContactRecord& contact);
