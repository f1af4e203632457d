#include "remote/ReceivedText.h"

namespace {

template <size_t N>
void TerminateSettingText(wchar_t (&field)[N]) {
    TerminateField(field);
    for (wchar_t& c : field) {
        if (c == L'\r' || c == L'\n')
            c = L' ';
    }
}

}  // namespace

void TerminateTexts(CallRecord& record) {
    TerminateField(record.ChannelName);
    TerminateField(record.ChannelPhone);
    TerminateField(record.PhoneNumber);
    TerminateField(record.PhoneName);
    TerminateField(record.Extension);
    TerminateField(record.ExtensionName);
    TerminateField(record.SiteName);
    TerminateField(record.SiteNumber);
    TerminateField(record.CallNotes);
    TerminateField(record.FilePath);
    TerminateField(record.CusAutoID);
    TerminateField(record.CusNotes1);
    TerminateField(record.CusNotes2);
    TerminateField(record.CusAJBH);
}

void TerminateTexts(ContactRecord& record) {
    TerminateField(record.UserID);
    TerminateField(record.UserName);
    TerminateField(record.UserMobile);
    TerminateField(record.CompanyTel);
    TerminateField(record.CompanyName);
    TerminateField(record.CompanyAddress);
    TerminateField(record.CompanyFax);
    TerminateField(record.HomeTel);
    TerminateField(record.UserEmail);
    TerminateField(record.UserNotes);
    TerminateField(record.OtherTel1);
    TerminateField(record.OtherTel2);
    TerminateField(record.OtherTel3);
}

void TerminateSettingTexts(ChannelParamBlock& block) {
    TerminateSettingText(block.AnnouncementFile);
    TerminateSettingText(block.AutoFile);
    TerminateSettingText(block.Name);
    TerminateSettingText(block.Phone);
    TerminateSettingText(block.KeySave);
    TerminateSettingText(block.KeyDel);
}
