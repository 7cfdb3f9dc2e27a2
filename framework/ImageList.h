#pragma once
// An owned image list of 16 x 16 pictures in 24-bit colour without a mask, filled
// from bitmap resources.
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

class CImageList {
 public:
  CImageList() = default;
  ~CImageList() {
    if (m_hImageList) ImageList_Destroy(m_hImageList);
  }
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  // Creates the list with one image per bitmap resource id, in order.
  bool CreateFromBitmaps(std::initializer_list<UINT> bitmapIds) {
    m_hImageList = ImageList_Create(16, 16, ILC_COLOR24, static_cast<int>(bitmapIds.size()), 1);
    if (!m_hImageList) return false;
    ImageList_SetImageCount(m_hImageList, static_cast<UINT>(bitmapIds.size()));
    int index = 0;
    for (UINT id : bitmapIds) {
      HBITMAP bitmap = ::LoadBitmapA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
      ImageList_Replace(m_hImageList, index++, bitmap, nullptr);
      ::DeleteObject(bitmap);
    }
    return true;
  }
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }

 private:
  HIMAGELIST m_hImageList = nullptr;  // owned
};
