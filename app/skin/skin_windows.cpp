#include "app/skin/skin_windows.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "app/skin/gdi_objects.h"
#include "app/skin/skin_drawing.h"
#include "app/skin/skin_entry.h"
#include "app/skin/skin_rules.h"

namespace quorvane::skin {

namespace {

// Our mark in each control's chain of subclass procedures.
constexpr UINT_PTR kSubclassId = 0x51C1;

int currentStyle = 1;
// Searched by window handle; entries stay where they are while others come and go.
std::unordered_map<HWND, SkinEntry> entries;

SkinEntry* Find(HWND hwnd) {
  const auto found = entries.find(hwnd);
  return found == entries.end() ? nullptr : &found->second;
}

// Controls that the skin draws whole; the others keep their drawing under the skin's frames.
bool DrawnWhole(SkinType type) {
  return type == SkinType::kPushButton || type == SkinType::kCheckBox ||
         type == SkinType::kRadioBox || type == SkinType::kGroupBox || type == SkinType::kSpinner;
}

// Class names are plain ASCII; anything else cannot match a rule.
std::string ClassNameOf(HWND hwnd) {
  wchar_t name[64] = {};
  const int length = hwnd ? GetClassNameW(hwnd, name, 64) : 0;
  std::string narrow;
  for (int i = 0; i < length; ++i) narrow += name[i] < 0x80 ? char(name[i]) : '?';
  return narrow;
}

// Reads every state bit from the window except hover, which only the mouse messages tell.
void ReadState(SkinEntry& entry) {
  HWND hwnd = entry.hwnd;
  std::uint16_t state = entry.state & kHot;
  if (!IsWindowEnabled(hwnd)) state |= kDisabled;
  if (GetFocus() == hwnd) state |= kFocused;
  const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  switch (entry.type) {
    case SkinType::kPushButton:
    case SkinType::kCheckBox:
    case SkinType::kRadioBox: {
      if (entry.type == SkinType::kPushButton && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
        state |= kDefault;
      }
      if (SendMessageW(hwnd, BM_GETSTATE, 0, 0) & BST_PUSHED) state |= kPressed;
      const LRESULT check = SendMessageW(hwnd, BM_GETCHECK, 0, 0);
      if (check == BST_CHECKED) state |= kChecked;
      if (check == BST_INDETERMINATE) state |= kIndeterminate;
      break;
    }
    case SkinType::kEditBox:
      if (style & ES_READONLY) state |= kReadOnly;
      break;
    case SkinType::kComboBox:
      if (SendMessageW(hwnd, CB_GETDROPPEDSTATE, 0, 0)) state |= kPressed;
      break;
    case SkinType::kSpinner:
      if (style & UDS_HORZ) state |= kHorizontal;
      if (entry.pressedPart != SpinnerPart::kNone) state |= kPressed;
      break;
    default:
      break;
  }
  entry.state = state;
}

void PaintWhole(SkinEntry& entry, HDC dc) {
  ReadState(entry);
  if (entry.type == SkinType::kSpinner) {
    PaintSpinner(entry, dc, currentStyle);
  } else {
    PaintButton(entry, dc, currentStyle);
  }
}

void PaintFramesNow(SkinEntry& entry) {
  if (!IsWindowVisible(entry.hwnd)) return;
  ReadState(entry);
  const WindowDc dc = DcOfWindow(entry.hwnd);
  if (dc) PaintFrames(entry, dc.get(), currentStyle);
}

// Shows the entry's state now: controls drawn whole are repainted, the others get their
// frames again.
void Redraw(SkinEntry& entry) {
  if (!IsWindowVisible(entry.hwnd)) return;
  if (DrawnWhole(entry.type)) {
    RedrawWindow(entry.hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
  } else {
    PaintFramesNow(entry);
  }
}

// Messages after which a control may look different: its state may have changed, or its
// own procedure may have drawn on it directly.
bool MayChangeLook(UINT message) {
  switch (message) {
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_CLICK:
    case EM_SETREADONLY:
    case EM_SETSEL:
    case EM_REPLACESEL:
    case CB_SHOWDROPDOWN:
    case CB_SETCURSEL:
    case LB_SETCURSEL:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_STYLECHANGED:
    case WM_UPDATEUISTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_MOUSEWHEEL:
    case WM_CAPTURECHANGED:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_VSCROLL:
    case WM_TIMER:
      return true;
    default:
      return false;
  }
}

void AfterMessage(HWND hwnd, UINT message, WPARAM wParam) {
  SkinEntry* entry = Find(hwnd);  // looked up again: the message may have removed it
  if (!entry) return;
  if (DrawnWhole(entry->type)) {
    if (!MayChangeLook(message)) return;
    const std::uint16_t before = entry->state;
    ReadState(*entry);
    // A button's own procedure draws as it handles these; a spinner only invalidates.
    if (entry->state != before || entry->type != SkinType::kSpinner) Redraw(*entry);
    return;
  }
  switch (message) {
    case WM_PAINT:
    case WM_NCPAINT:
      PaintFramesNow(*entry);
      return;
    case WM_PRINT:
      ReadState(*entry);
      PaintFrames(*entry, reinterpret_cast<HDC>(wParam), currentStyle);
      return;
    default:
      if (MayChangeLook(message)) PaintFramesNow(*entry);
      return;
  }
}

void TrackHover(SkinEntry& entry, LPARAM lParam) {
  if (!entry.watchingLeave) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, entry.hwnd, 0};
    entry.watchingLeave = TrackMouseEvent(&track) != FALSE;
  }
  const SpinnerPart part = entry.type == SkinType::kSpinner
                               ? SpinnerPartAt(entry, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})
                               : SpinnerPart::kNone;
  if (entry.Has(kHot) && part == entry.hotPart) return;
  entry.state |= kHot;
  entry.hotPart = part;
  Redraw(entry);
}

LRESULT CALLBACK SkinProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
  SkinEntry* entry = Find(hwnd);
  if (!entry) return DefSubclassProc(hwnd, message, wParam, lParam);
  const bool whole = DrawnWhole(entry->type);
  switch (message) {
    case WM_NCDESTROY:
      // The window goes: its entry with it, and its own procedure back in place.
      RemoveWindowSubclass(hwnd, SkinProc, kSubclassId);
      entries.erase(hwnd);
      return DefSubclassProc(hwnd, message, wParam, lParam);
    case WM_PAINT:
      if (whole) {
        const PaintDc dc(hwnd);
        if (dc.get()) PaintWhole(*entry, dc.get());
        return 0;
      }
      break;
    case WM_PRINTCLIENT:
      if (whole) {
        PaintWhole(*entry, reinterpret_cast<HDC>(wParam));
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      if (whole) return 1;  // the painting covers it all
      break;
    case WM_MOUSEMOVE:
      TrackHover(*entry, lParam);
      break;
    case WM_MOUSELEAVE:
      entry->watchingLeave = false;
      entry->state &= ~kHot;
      entry->hotPart = SpinnerPart::kNone;
      Redraw(*entry);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (entry->type == SkinType::kSpinner && IsWindowEnabled(hwnd)) {
        entry->pressedPart = SpinnerPartAt(*entry, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      }
      break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      entry->pressedPart = SpinnerPart::kNone;
      break;
    default:
      break;
  }
  const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
  AfterMessage(hwnd, message, wParam);
  return result;
}

BOOL CALLBACK OfferOne(HWND hwnd, LPARAM) {
  Offer(hwnd);
  return TRUE;
}

BOOL CALLBACK OfferWithDescendants(HWND top, LPARAM) {
  Offer(top);
  EnumChildWindows(top, OfferOne, 0);
  return TRUE;
}

}  // namespace

void SetStyle(int style) {
  currentStyle = style;
}

bool Offer(HWND hwnd) {
  if (!hwnd || Find(hwnd)) return false;
  const std::string className = ClassNameOf(hwnd);
  const std::string parentClassName = ClassNameOf(GetAncestor(hwnd, GA_PARENT));
  const std::optional<SkinType> type =
      SkinTypeFor({.className = className,
                   .style = std::uint32_t(GetWindowLongW(hwnd, GWL_STYLE)),
                   .hasText = GetWindowTextLengthW(hwnd) > 0,
                   .parentClassName = parentClassName});
  if (!type) return false;
  SkinEntry& entry = entries[hwnd];
  entry = {.hwnd = hwnd, .type = *type};
  ReadState(entry);
  if (!SetWindowSubclass(hwnd, SkinProc, kSubclassId, 0)) {
    entries.erase(hwnd);
    return false;
  }
  if (*type == SkinType::kComboBox) {
    // The drop-down list may not be listed among the thread's windows.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(hwnd, &info)) Offer(info.hwndList);
  }
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
  return true;
}

void OfferThreadWindows() {
  EnumThreadWindows(GetCurrentThreadId(), OfferWithDescendants, 0);
}

void ReleaseAll() {
  std::vector<HWND> skinned;
  for (const auto& [hwnd, entry] : entries) skinned.push_back(hwnd);
  for (HWND hwnd : skinned) RemoveWindowSubclass(hwnd, SkinProc, kSubclassId);
  entries.clear();
  for (HWND hwnd : skinned) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_NOCHILDREN);
  }
}

bool IsSkinned(HWND hwnd) {
  return Find(hwnd) != nullptr;
}

std::size_t SkinnedCount() {
  return entries.size();
}

}  // namespace quorvane::skin
