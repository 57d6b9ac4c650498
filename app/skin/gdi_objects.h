// Owners of every GDI object and device context the skin makes. Each one is counted while it
// lives, so a test can check that drawing gives back all it takes.
#pragma once

#include <windows.h>

#include <utility>

namespace quorvane::skin {

// Objects and device contexts the skin holds at this moment, and has made since the start.
int LiveGdiObjects();
long GdiObjectsMade();

namespace detail {
void CountCreated();
void CountReleased();
}  // namespace detail

// A GDI object or device context with its release call; moves, never copies.
template <typename Handle, typename Release>
class Owned {
 public:
  Owned() = default;
  Owned(Handle handle, Release release) : handle_(handle), release_(std::move(release)) {
    if (handle_) detail::CountCreated();
  }
  Owned(Owned&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)), release_(std::move(other.release_)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
      release_ = std::move(other.release_);
    }
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() { Reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  void Reset() {
    if (!handle_) return;
    release_(handle_);
    handle_ = nullptr;
    detail::CountReleased();
  }

  Handle handle_ = nullptr;
  Release release_{};
};

struct DeleteObjectCall {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct ReleaseDcCall {
  HWND hwnd = nullptr;
  void operator()(HDC dc) const { ReleaseDC(hwnd, dc); }
};

using Brush = Owned<HBRUSH, DeleteObjectCall>;
using Pen = Owned<HPEN, DeleteObjectCall>;
using WindowDc = Owned<HDC, ReleaseDcCall>;

Brush SolidBrush(COLORREF colour);
Pen SolidPen(COLORREF colour, int width = 1);
// The device context of the whole window (frame included), or of its client area only.
WindowDc DcOfWindow(HWND hwnd);
WindowDc DcOfClient(HWND hwnd);

// The device context of one WM_PAINT, from BeginPaint to EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {
    if (dc_) detail::CountCreated();
  }
  ~PaintDc() {
    EndPaint(hwnd_, &paint_);
    if (dc_) detail::CountReleased();
  }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Selects an object into a device context for one scope, then puts the previous one back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~Selection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Keeps a device context's clipping, colours and modes for one scope.
class SavedDcState {
 public:
  explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDcState() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  SavedDcState(const SavedDcState&) = delete;
  SavedDcState& operator=(const SavedDcState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

}  // namespace quorvane::skin
