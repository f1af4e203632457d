#pragma once
// OperatorDialogs: the one way the main window and its panes reach the operator dialogs. The frame and the panes
// are built without the dialogs' classes: each dialog registers here, typed by what it takes from its caller and
// gives back, and the caller goes through its entry. An entry that nothing registered answers IDCANCEL (a modal
// dialog) or does nothing (a modeless window), so its command simply has no effect; tests register their own.
//
// RegisterOperatorDialogs, defined with the dialogs, fills the registry; the application calls it once at its
// start, before the main frame is created. Modal entries run on the UI thread and return the dialog's result. The
// modeless entries name the process-wide windows that the frame creates hidden at its creation, and the fills that
// the window side's service view runs on them (on the UI thread).

#include "records/EngineRecords.h"
#include "records/StorageRecords.h"

#include "mfc.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

// One byte per driver channel: 1 = chosen (or allowed), any other value = not.
constexpr int kChannelMaskSize = 512;
using ChannelMask = std::array<uint8_t, kChannelMaskSize>;

// A modal dialog's entry: Run opens the registered dialog over parent with the caller's hand-over.
template <class... HandOver>
class ModalDialogEntry {
public:
    using Opener = std::function<INT_PTR(CWnd* parent, HandOver...)>;

    void Register(Opener opener) { m_opener = std::move(opener); }
    bool IsRegistered() const { return static_cast<bool>(m_opener); }
    // The dialog's result (IDOK, IDCANCEL, ...); IDCANCEL without a registered dialog.
    INT_PTR Run(CWnd* parent, HandOver... handOver) const {
        return m_opener ? m_opener(parent, std::forward<HandOver>(handOver)...) : IDCANCEL;
    }

private:
    Opener m_opener;
};

// A fill of a modeless window; without a registered fill the call does nothing.
template <class... Arguments>
class WindowFill {
public:
    using Fill = std::function<void(Arguments...)>;

    void Register(Fill fill) { m_fill = std::move(fill); }
    bool IsRegistered() const { return static_cast<bool>(m_fill); }
    void operator()(Arguments... arguments) const {
        if (m_fill)
            m_fill(std::forward<Arguments>(arguments)...);
    }

private:
    Fill m_fill;
};

// A process-wide modeless dialog: its object lives for the process; its window is made by the frame's creation.
class ModelessWindowEntry {
public:
    // dialog: the process-wide dialog object (not owned); templateId: its dialog resource.
    void Register(CDialog* dialog, UINT templateId) {
        m_dialog = dialog;
        m_templateId = templateId;
    }
    // Makes the window, hidden and centred on parent. FALSE when nothing is registered or the creation fails.
    BOOL Create(CWnd* parent) const;
    // The dialog, null when none is registered; its window exists once Create succeeded.
    CDialog* Window() const { return m_dialog; }

private:
    CDialog* m_dialog = nullptr;  // not owned
    UINT m_templateId = 0;
};

// The start-up progress window (161): created shown by the frame, hidden again once the engine runs; the channel
// configuration shows it while it starts the boards.
struct StartupWindowEntry : ModelessWindowEntry {
    WindowFill<int /*done*/, int /*total*/> ShowProgress;  // shows it: range 0..total, position, caption
};

// The incoming-call pop-up (147).
struct PopupWindowEntry : ModelessWindowEntry {
    // Fills it with the caller's 8-bit digits, the current time and the contact found (all zero when none), then
    // shows it.
    WindowFill<const char* /*number*/, const ContactRecord&> ShowIncomingCall;
    // Fills it with one contact of the phone book, as a record's details show it, then shows it.
    WindowFill<const ContactRecord&> ShowContact;
};

// The monitor window (148) of the channel the operator listens to. The channel pane writes its channel (edit 1043)
// and name and phone (edit 1018) texts on the window and hides it when listening stops.
struct MonitorWindowEntry : ModelessWindowEntry {
    // Shows it and draws one piece of the channel's sound in its AudioFormat.
    WindowFill<int /*audioFmt*/, const uint8_t* /*data*/, int /*length*/> ShowBlock;
};

// Which account store the account dialog edits.
enum AccountsMode {
    kOperatorAccounts = 0,  // MyLoginServer.db
    kClientAccounts = 1,    // MyLoginClient.db
};

// The parameter fields of one channel that the channel-parameter dialog edits: the caller copies them from the
// channel's ChannelRecord before, and back after IDOK.
struct ChannelParamFields {
    wchar_t Name[64];
    wchar_t Phone[64];
    int Rec;  // a RecordMode
    int CallerIDFormat;
    wchar_t KeySave[32];
    wchar_t KeyDel[32];
    int Trigger;
    int SoundTime;
    int MuteTime;
    int PickupVoltage;  // volts
    int HookOnTime;     // ms
    int HookOffTime;    // ms
    ScheduleDayBlock RecordAllWeek[kScheduleDays];
    ScheduleDayBlock AutoAnswerWeek[kScheduleDays];
    int Announcement;
    wchar_t AnnouncementFile[MAX_PATH];
    wchar_t AutoFile[MAX_PATH];
    int AutoAnserWaitRingCnt;
    int AutoAnswerMaxTimeLong;  // s
};

// The call-record search form's result on IDOK.
struct RecordSearchQuery {
    SYSTEMTIME FromDate;
    SYSTEMTIME ToDate;
    SYSTEMTIME FromTime;  // hour and minute of the time-of-day window
    SYSTEMTIME ToTime;
    int UseTimeWindow;     // non-zero: only calls whose time of day lies in the window
    std::wstring Query;    // the query over Rec_Table built from the form, at most 4096 characters
    ChannelMask Channels;  // all 1 when the form sets no channel condition
};

// The statistics form's result on IDOK.
struct ChartSearchQuery {
    SYSTEMTIME FromDate;
    SYSTEMTIME ToDate;
    ChannelMask Channels;
};

// The system-log search form's result on IDOK.
struct SysLogSearchQuery {
    SYSTEMTIME FromDate;
    SYSTEMTIME ToDate;
    int EventGroup;  // 0 all events, 1 codes 0 and 1, 2 code 2, 3 code 3, 4 code 29, 5 code 30
};

struct OperatorDialogRegistry {
    // The operator login (140); on IDOK the dialog has made the account CurrentOperator.
    ModalDialogEntry<> Login;
    ModalDialogEntry<> Settings;              // 136
    ModalDialogEntry<> ClientSettings;        // 156
    ModalDialogEntry<AccountsMode> Accounts;  // 139
    ModalDialogEntry<> Blacklist;             // 164
    ModalDialogEntry<> FtpSettings;           // the FTP log pane's settings
    // Edits the contact (133); the record is the caller's, changed only on IDOK.
    ModalDialogEntry<ContactRecord&> Contact;
    // The phone-book search (137): on IDOK the search text, at most 31 characters.
    ModalDialogEntry<std::wstring&> PhoneBookSearch;
    // A record's notes: in, its CallNotes; on IDOK the edited notes, at most 249 characters.
    ModalDialogEntry<std::wstring&> Notes;
    // The details of one record; the dialog works on its own copy and gives nothing back.
    ModalDialogEntry<const CallRecord&> RecordDetails;
    // The call-record search form for the calling pane's category (its ViewIndex); the query is set on IDOK only.
    ModalDialogEntry<int /*category*/, RecordSearchQuery&> RecordSearch;
    ModalDialogEntry<ChartSearchQuery&> ChartSearch;    // 143; set on IDOK only
    ModalDialogEntry<SysLogSearchQuery&> SysLogSearch;  // 141; set on IDOK only
    // The parameters of one driver channel (146); the fields are the caller's, changed only on IDOK.
    ModalDialogEntry<int /*channel*/, ChannelParamFields&> ChannelParams;
    // The PC dial (163) with the channel preselected (-1 none) and the channel to dial on.
    ModalDialogEntry<int /*presetChannel*/, int /*dialChannel*/> Dial;
    // The channel picker over a mask, changed only on IDOK.
    ModalDialogEntry<ChannelMask&> ChannelPicker;

    StartupWindowEntry Startup;
    PopupWindowEntry Popup;
    MonitorWindowEntry Monitor;
};

// The process's registry; built on first use. UI thread.
OperatorDialogRegistry& OperatorDialogs();

// Registers every operator dialog; defined with the dialogs and called once by the application's start-up.
void RegisterOperatorDialogs();
