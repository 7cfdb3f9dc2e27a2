#include "platform/LocaleDate.h"

#include <windows.h>
#include <oleauto.h>

bool IsLocaleDate(const std::string& name) {
  int size = static_cast<int>(name.size());
  int length = name.empty() ? 0 : MultiByteToWideChar(CP_ACP, 0, name.data(), size, nullptr, 0);
  if (length == 0) return false;
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocStringLen(nullptr, static_cast<UINT>(length));
  if (!text.bstrVal) return false;
  MultiByteToWideChar(CP_ACP, 0, name.data(), size, text.bstrVal, length);
  VARIANT date;
  VariantInit(&date);
  HRESULT result = VariantChangeTypeEx(&date, &text, LOCALE_USER_DEFAULT, 0, VT_DATE);
  VariantClear(&text);
  return SUCCEEDED(result) && date.date > 1e-8;
}
