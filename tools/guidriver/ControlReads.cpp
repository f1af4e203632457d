#include "ControlReads.h"

#include "RemoteBuffer.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr int kTextChars = 1024;
constexpr size_t kTextBytes = kTextChars * sizeof(wchar_t);

// A structure at the start of the remote buffer and its text right after it.
template <typename Item>
struct RemoteItem {
    explicit RemoteItem(HWND window) : Buffer(window, sizeof(Item) + kTextBytes) {}
    LPWSTR TextAddress() const { return reinterpret_cast<LPWSTR>(Buffer.Param(sizeof(Item))); }
    std::wstring ReadText() const {
        std::vector<wchar_t> text(kTextChars, L'\0');
        Buffer.Read(text.data(), kTextBytes, sizeof(Item));
        text.back() = L'\0';
        return text.data();
    }
    CRemoteBuffer Buffer;
};

void HeaderTexts(HWND header, CJsonWriter& out) {
    RemoteItem<HDITEMW> remote(header);
    const int count = static_cast<int>(SendWithin(header, HDM_GETITEMCOUNT, 0, 0));
    out.BeginArray("columns");
    for (int i = 0; i < count && remote.Buffer.IsValid(); ++i) {
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = remote.TextAddress();
        item.cchTextMax = kTextChars;
        remote.Buffer.Write(&item, sizeof(item));
        SendWithin(header, HDM_GETITEMW, i, remote.Buffer.Param());
        out.Text(remote.ReadText());
    }
    out.EndArray();
}

}  // namespace

bool ReadHeader(HWND header, CJsonWriter& out) {
    HeaderTexts(header, out);
    return true;
}

bool ReadListView(HWND list, CJsonWriter& out) {
    RemoteItem<LVITEMW> remote(list);
    if (!remote.Buffer.IsValid())
        return false;
    const HWND header = reinterpret_cast<HWND>(SendWithin(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendWithin(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    if (header)
        HeaderTexts(header, out);
    const int count = static_cast<int>(SendWithin(list, LVM_GETITEMCOUNT, 0, 0));
    out.Number("count", count);
    out.BeginArray("rows");
    for (int row = 0; row < count; ++row) {
        out.BeginObject();
        LVITEMW item{};
        item.mask = LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.iItem = row;
        item.stateMask = LVIS_SELECTED;
        remote.Buffer.Write(&item, sizeof(item));
        SendWithin(list, LVM_GETITEMW, 0, remote.Buffer.Param());
        remote.Buffer.Read(&item, sizeof(item));
        out.Number("image", item.iImage).Number("data", static_cast<int64_t>(item.lParam));
        out.Bool("selected", (item.state & LVIS_SELECTED) != 0);
        std::vector<int> images;
        out.BeginArray("cells");
        for (int column = 0; column < columns; ++column) {
            LVITEMW cell{};
            cell.mask = LVIF_TEXT | LVIF_IMAGE;
            cell.iItem = row;
            cell.iSubItem = column;
            cell.pszText = remote.TextAddress();
            cell.cchTextMax = kTextChars;
            remote.Buffer.Write(&cell, sizeof(cell));
            SendWithin(list, LVM_GETITEMW, 0, remote.Buffer.Param());
            remote.Buffer.Read(&cell, sizeof(cell));
            images.push_back(cell.iImage);
            out.Text(remote.ReadText());
        }
        out.EndArray();
        out.BeginArray("images");
        for (int image : images)
            out.Number(image);
        out.EndArray();
        out.EndObject();
    }
    out.EndArray();
    return true;
}

bool SelectListRow(HWND list, int row) {
    // As a click does: the row becomes the only selected one.
    CRemoteBuffer remote(list, sizeof(LVITEMW));
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    return remote.IsValid() && remote.Write(&none, sizeof(none)) &&
           SendWithin(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), remote.Param()) != 0 &&
           remote.Write(&item, sizeof(item)) && SendWithin(list, LVM_SETITEMSTATE, row, remote.Param()) != 0;
}

bool ReadStatusBar(HWND bar, CJsonWriter& out) {
    constexpr int kMaxParts = 64;
    CRemoteBuffer edges(bar, kMaxParts * sizeof(int));
    RemoteItem<int> remote(bar);
    if (!edges.IsValid() || !remote.Buffer.IsValid())
        return false;
    const int parts = static_cast<int>(SendWithin(bar, SB_GETPARTS, kMaxParts, edges.Param()));
    std::vector<int> right(kMaxParts, 0);
    edges.Read(right.data(), right.size() * sizeof(int));
    out.BeginArray("parts");
    for (int i = 0; i < parts; ++i)
        out.Number(right[i]);
    out.EndArray();
    out.BeginArray("texts");
    for (int i = 0; i < parts; ++i) {
        std::vector<wchar_t> clear(kTextChars, L'\0');
        remote.Buffer.Write(clear.data(), kTextBytes, sizeof(int));
        SendWithin(bar, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(remote.TextAddress()));
        out.Text(remote.ReadText());
    }
    out.EndArray();
    return true;
}

bool ReadToolBar(HWND bar, CJsonWriter& out) {
    RemoteItem<TBBUTTON> remote(bar);
    if (!remote.Buffer.IsValid())
        return false;
    const int count = static_cast<int>(SendWithin(bar, TB_BUTTONCOUNT, 0, 0));
    out.BeginArray("buttons");
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        SendWithin(bar, TB_GETBUTTON, i, remote.Buffer.Param());
        remote.Buffer.Read(&button, sizeof(button));
        std::vector<wchar_t> clear(kTextChars, L'\0');
        remote.Buffer.Write(clear.data(), kTextBytes, sizeof(TBBUTTON));
        SendWithin(bar, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(remote.TextAddress()));
        out.BeginObject();
        out.Number("id", button.idCommand);
        out.Bool("enabled", SendWithin(bar, TB_ISBUTTONENABLED, button.idCommand, 0) != 0);
        out.Bool("hidden", (button.fsState & TBSTATE_HIDDEN) != 0);
        out.Bool("separator", (button.fsStyle & BTNS_SEP) != 0);
        out.Text("text", remote.ReadText());
        out.EndObject();
    }
    out.EndArray();
    return true;
}

namespace {

void TreeItems(HWND tree, RemoteItem<TVITEMW>& remote, HTREEITEM item, int depth, HTREEITEM selected,
               CJsonWriter& out) {
    for (; item; item = reinterpret_cast<HTREEITEM>(
                     SendWithin(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        TVITEMW tv{};
        tv.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_STATE | TVIF_HANDLE;
        tv.hItem = item;
        tv.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
        tv.pszText = remote.TextAddress();
        tv.cchTextMax = kTextChars;
        remote.Buffer.Write(&tv, sizeof(tv));
        SendWithin(tree, TVM_GETITEMW, 0, remote.Buffer.Param());
        remote.Buffer.Read(&tv, sizeof(tv));
        out.BeginObject();
        out.Number("item", reinterpret_cast<int64_t>(item)).Number("depth", depth);
        out.Text("text", remote.ReadText()).Number("data", static_cast<int64_t>(tv.lParam));
        out.Number("image", tv.iImage).Bool("expanded", (tv.state & TVIS_EXPANDED) != 0);
        // The caret is the selection the tree reports; an item can also be drawn selected without being it.
        out.Bool("selected", item == selected).Bool("highlighted", (tv.state & TVIS_SELECTED) != 0);
        out.EndObject();
        const auto child =
            reinterpret_cast<HTREEITEM>(SendWithin(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        TreeItems(tree, remote, child, depth + 1, selected, out);
    }
}

}  // namespace

bool ReadTree(HWND tree, CJsonWriter& out) {
    RemoteItem<TVITEMW> remote(tree);
    if (!remote.Buffer.IsValid())
        return false;
    const auto root = reinterpret_cast<HTREEITEM>(SendWithin(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    const auto selected = reinterpret_cast<HTREEITEM>(SendWithin(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    out.BeginArray("items");
    TreeItems(tree, remote, root, 0, selected, out);
    out.EndArray();
    return true;
}
