#include <winsock2.h>  // ahead of every windows.h, which would bring the older winsock.h
#include "remote/PhoneBookCommands.h"

#include "clients/ClientFrame.h"
#include "remote/ClientReply.h"
#include "clients/ClientSlot.h"
#include "remote/ReceivedText.h"
#include "engine/CardEngineState.h"
#include "storage/AccountStore.h"
#include "storage/ContactStore.h"
#include "storage/RecordFields.h"
#include "storage/Stores.h"
#include "storage/SysLogStore.h"

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// Sub-commands of command 19.
constexpr uint8_t kContactAdd = 1;
constexpr uint8_t kContactEdit = 2;
constexpr uint8_t kContactDelete = 3;
constexpr uint8_t kContactList = 4;

// r of the ResultFrame of command 22.
constexpr uint8_t kContactNotAdded = 0;
constexpr uint8_t kPasswordChanged = 2;
constexpr uint8_t kPasswordNotChanged = 3;

constexpr int kContactPayloadBytes = 1 + static_cast<int>(sizeof(ContactRecord));
constexpr int kListKeyChars = 32;
constexpr int kCodeChars = 32;

// A wide text of at most chars characters at bytes, up to its first 0 character.
std::wstring ReadWideText(const uint8_t* bytes, int chars) {
    std::wstring text(static_cast<size_t>(chars), L'\0');
    std::memcpy(text.data(), bytes, text.size() * sizeof(wchar_t));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

std::vector<uint8_t> PhoneBookFrame(uint8_t subCommand, const ContactRecord& contact) {
    return BuildFrame(kFramePhoneBook, {PartOf(subCommand), PartOf(contact)});
}

// Echoes a change that was made and writes its system-log row.
void ReportContactChange(ClientSlot& slot, uint32_t connection, uint8_t subCommand, int event,
                         const ContactRecord& contact) {
    QueueSysLogEvent(event, slot.UserName().c_str(), contact.UserName);
    SendReply(slot, connection, PhoneBookFrame(subCommand, contact));
}

bool ContactExists(const ContactRecord& contact) {
    ContactRecord stored = contact;
    return TheContactStore().FindContactById(stored);
}

void AddContact(ClientSlot& slot, uint32_t connection, ContactRecord contact) {
    if (TheContactStore().InsertContact(contact))
        ReportContactChange(slot, connection, kContactAdd, kSysLogContactAdded, contact);
    else
        SendResult(slot, connection, kFramePhoneBookResult, kContactNotAdded);
}

// Edits and deletes act on exactly one UserID; an identity that names no contact changes nothing and is not
// reported as a change.
void EditContact(ClientSlot& slot, uint32_t connection, const ContactRecord& contact) {
    if (ContactExists(contact) && TheContactStore().UpdateContact(contact))
        ReportContactChange(slot, connection, kContactEdit, kSysLogContactEdited, contact);
}

void DeleteContact(ClientSlot& slot, uint32_t connection, const ContactRecord& contact) {
    if (ContactExists(contact) && TheContactStore().DeleteContact(contact.UserID))
        ReportContactChange(slot, connection, kContactDelete, kSysLogContactDeleted, contact);
}

void SendContactRowCallback(const ContactRecord& contact, ClientSlot& slot, uint32_t connection) {
    SendReply(slot, connection, PhoneBookFrame(kContactList, contact));
}

// The phone book's connection is shared with every other thread, so a stop is not forwarded to it (it would
// interrupt their statements too): the list only stops sending.
void ContactListThread(ClientSlot& slot, uint32_t connection, const std::wstring& key, const QueryStop& stop) {
    const auto send = [&](const ContactRecord& contact) {
        if (!stop)
            SendContactRowCallback(contact, slot, connection);
    };
    if (key.empty())
        TheContactStore().ForEachContact(send);
    else
        TheContactStore().SearchContacts(send, key.c_str());
}

void ListContacts(ClientSlot& slot, uint32_t connection, const uint8_t* keyBytes) {
    if (slot.ContactList.IsRunning())
        return;
    const std::wstring key = ReadWideText(keyBytes, kListKeyChars);
    slot.ContactList.Start(
        [&slot, connection, key](QueryStop& stop) { ContactListThread(slot, connection, key, stop); });
}

}  // namespace

void HandlePhoneBook(ClientSlot& slot, const uint8_t* payload, int payloadBytes) {
    const uint32_t connection = slot.CurrentConnection();
    const uint8_t subCommand = payload[0];
    if (subCommand == kContactList) {
        if (payloadBytes >= 1 + kListKeyChars * static_cast<int>(sizeof(wchar_t)))
            ListContacts(slot, connection, payload + 1);
        return;
    }
    if (payloadBytes < kContactPayloadBytes)
        return;
    const ContactRecord contact = ReadReceivedRecord<ContactRecord>(payload + 1);
    switch (subCommand) {
        case kContactAdd:
            AddContact(slot, connection, contact);
            break;
        case kContactEdit:
            EditContact(slot, connection, contact);
            break;
        case kContactDelete:
            DeleteContact(slot, connection, contact);
            break;
        default:
            break;
    }
}

void HandleChangePassword(ClientSlot& slot, const uint8_t* payload, int) {
    const uint32_t connection = slot.CurrentConnection();
    const std::wstring autoCode = ReadWideText(payload, kCodeChars - 1);
    const std::wstring password = ReadWideText(payload + kCodeChars * sizeof(wchar_t), kCodeChars - 1);
    const AccountRecord account = AccountOf(slot);
    // A client changes its own password only: the AutoCode must be that of the account it logged in with.
    const bool own = !autoCode.empty() && autoCode == FieldText(account.AutoCode);
    if (!own || !ClientAccountStore().UpdatePassword(autoCode.c_str(), password.c_str())) {
        SendResult(slot, connection, kFramePhoneBookResult, kPasswordNotChanged);
        return;
    }
    SendResult(slot, connection, kFramePhoneBookResult, kPasswordChanged);
    QueueSysLogEvent(kSysLogClientPasswordChanged, account.UserName, account.UserName);
}
