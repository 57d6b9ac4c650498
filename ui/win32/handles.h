// Move-only owners of the Windows handles the program creates.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace quorvane {

template <typename Handle, auto Release>
struct HandleDeleter {
  void operator()(Handle handle) const {
    if (handle) Release(handle);
  }
};

template <typename Handle, auto Release>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleDeleter<Handle, Release>>;

inline void DeleteGdiObject(HGDIOBJ object) {
  DeleteObject(object);
}

using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteGdiObject>;
using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenu>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandle>;

}  // namespace quorvane
