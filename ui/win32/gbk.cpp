#include "ui/win32/gbk.h"

#include <windows.h>

namespace quorvane {

namespace {
constexpr UINT kGbk = 936;
}

std::wstring ToWide(std::string_view gbk) {
  if (gbk.empty()) return {};
  const int size = MultiByteToWideChar(kGbk, 0, gbk.data(), int(gbk.size()), nullptr, 0);
  std::wstring wide(std::size_t(size), L'\0');
  MultiByteToWideChar(kGbk, 0, gbk.data(), int(gbk.size()), wide.data(), size);
  return wide;
}

Text FromWide(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size =
      WideCharToMultiByte(kGbk, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  Text gbk(std::size_t(size), '\0');
  WideCharToMultiByte(kGbk, 0, wide.data(), int(wide.size()), gbk.data(), size, nullptr, nullptr);
  return gbk;
}

}  // namespace quorvane
