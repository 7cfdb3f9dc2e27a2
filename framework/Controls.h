#pragma once
// Thin wrappers of the common controls: each holds one window handle, owns nothing
// and forwards to SendMessage.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Window.h"

class CButton : public CWnd {};

class CEdit : public CWnd {};

class CStatic : public CWnd {};

class CProgressCtrl : public CWnd {
 public:
  // Both bounds in full 32 bits.
  void SetRange32(int lower, int upper) const {
    SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), static_cast<LPARAM>(upper));
  }
  void GetRange(int& lower, int& upper) const {
    PBRANGE range{};
    SendMessage(PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
    lower = range.iLow;
    upper = range.iHigh;
  }
  int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
  void SetPos(int position) const { SendMessage(PBM_SETPOS, static_cast<WPARAM>(position)); }
};

class CListCtrl : public CWnd {
 public:
  int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
  int GetSelectedCount() const { return static_cast<int>(SendMessage(LVM_GETSELECTEDCOUNT)); }
  void SetExtendedStyle(DWORD style) const { SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
  int InsertColumn(int column, const std::string& heading, int format) const {
    LVCOLUMNA info{};
    info.mask = LVCF_FMT | LVCF_TEXT;
    info.fmt = format;
    info.pszText = const_cast<char*>(heading.c_str());
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                                        reinterpret_cast<LPARAM>(&info)));
  }
  // The width travels as a 16-bit value, as in MAKELPARAM.
  void SetColumnWidth(int column, int width) const {
    SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(static_cast<WORD>(width), 0));
  }
  int GetColumnWidth(int column) const {
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
  }
  int InsertItem(int index, const std::string& text) const {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  }
  std::string GetItemText(int index, int column) const {
    std::string text(1024, '\0');
    for (;;) {
      LVITEMA item{};
      item.iSubItem = column;
      item.pszText = &text[0];
      item.cchTextMax = static_cast<int>(text.size());
      size_t length = static_cast<size_t>(SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(index),
                                                      reinterpret_cast<LPARAM>(&item)));
      if (length + 1 < text.size()) return text.substr(0, length);
      text.resize(text.size() * 2);
    }
  }
  void SetItemText(int index, int column, const std::string& text) const {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  UINT GetItemState(int index, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
  }
  void SetItemState(int index, UINT state, UINT mask) const {
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  }
  int GetNextItem(int start, UINT flags) const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
  }
  void SetItemImageAndData(int index, int image, LPARAM data) const {
    LVITEMA item{};
    item.mask = LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.iImage = image;
    item.lParam = data;
    SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
  LPARAM GetItemData(int index) const { return GetImageAndData(index).lParam; }
  int GetItemImage(int index) const { return GetImageAndData(index).iImage; }
  bool DeleteItem(int index) const { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index)) != 0; }
  bool DeleteAllItems() const { return SendMessage(LVM_DELETEALLITEMS) != 0; }
  HWND GetHeaderCtrl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }

 private:
  LVITEMA GetImageAndData(int index) const {
    LVITEMA item{};
    item.mask = LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item;
  }
};

class CTreeCtrl : public CWnd {
 public:
  // Inserts item text as the last child of parent (TVI_ROOT for a top-level item).
  HTREEITEM InsertItem(const std::string& text, int image, int selectedImage, HTREEITEM parent) const {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
  }
  std::string GetItemText(HTREEITEM item) const {
    std::string text(1024, '\0');
    for (;;) {
      TVITEMA info{};
      info.mask = TVIF_TEXT;
      info.hItem = item;
      info.pszText = &text[0];
      info.cchTextMax = static_cast<int>(text.size());
      if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info))) return std::string();
      size_t length = std::char_traits<char>::length(text.c_str());
      if (length + 1 < text.size()) return text.substr(0, length);
      text.resize(text.size() * 2);
    }
  }
  void SetItemText(HTREEITEM item, const std::string& text) const {
    TVITEMA info{};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = const_cast<char*>(text.c_str());
    SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&info));
  }
  HTREEITEM GetNextItem(HTREEITEM item, UINT code) const {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
  }
  HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
  HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
  HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
  bool SelectItem(HTREEITEM item) const {
    return SendMessage(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
  }
  bool DeleteItem(HTREEITEM item) const {
    return SendMessage(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item)) != 0;
  }
  // The item at hit.pt (client coordinates), with hit.flags telling which part was hit.
  HTREEITEM HitTest(TVHITTESTINFO& hit) const {
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  }
  UINT GetItemState(HTREEITEM item, UINT mask) const {
    return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
  }
  void Expand(HTREEITEM item) const { SendMessage(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item)); }
  // Starts editing item's label in place.
  void EditLabel(HTREEITEM item) const { SendMessage(TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(item)); }
  // Ends a label edit in progress; cancel discards the typed text.
  void EndEditLabelNow(bool cancel) const { SendMessage(TVM_ENDEDITLABELNOW, cancel ? TRUE : FALSE); }
  void SetImageList(HIMAGELIST images, int kind) const {
    SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(images));
  }
};
