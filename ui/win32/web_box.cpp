#include "ui/win32/web_box.h"

namespace quorvane {

HWND CreateWebBox(HWND parent, const RECT& rect, const Text&) {
  return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_CLIPSIBLINGS, rect.left, rect.top,
                         rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

}  // namespace quorvane
