#include "views/PcmLinkerDlg.h"

#include "MainFrameResource.h"
#include "settings/LangText.h"

#include <iterator>

namespace {

struct LinkColumn {
    const wchar_t* TitleKey;
    int Width;
};

// Link number, status, time of the reading.
constexpr LinkColumn kLinkColumns[] = {{L"10017", 100}, {L"10018", 150}, {L"10019", 180}};
constexpr int kLowStatusBits = 0xF;

}  // namespace

CPcmLinkerDlg::CPcmLinkerDlg() : CDialog(IDD_PCM_LINKER) {}

CPcmLinkerDlg& ThePcmLinkerDlg() {
    static CPcmLinkerDlg dialog;
    return dialog;
}

void CPcmLinkerDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PCM_LINK_LIST, m_linkList);
}

BOOL CPcmLinkerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int i = 0; i < static_cast<int>(std::size(kLinkColumns)); ++i)
        m_linkList.InsertColumn(i, LangText(kLinkColumns[i].TitleKey).c_str(), LVCFMT_LEFT, kLinkColumns[i].Width);
    m_linkList.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    return TRUE;
}

void CPcmLinkerDlg::ShowLinkRow(int link, uint32_t status, const SYSTEMTIME& time) {
    if (!m_linkList.GetSafeHwnd() || link < 0)
        return;
    CString text;
    while (m_linkList.GetItemCount() <= link) {
        const int row = m_linkList.GetItemCount();
        text.Format(L"%d", row);
        m_linkList.InsertItem(row, text);
    }
    text.Format(L"%08X(%02X)", status, status & kLowStatusBits);
    m_linkList.SetItemText(link, 1, text);
    text.Format(L"%04d-%02d-%02d %02d:%02d:%02d", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                time.wSecond);
    m_linkList.SetItemText(link, 2, text);
}
