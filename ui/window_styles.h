// The Win32 window-style bits that designs ask for, as plain numbers so the designs stay
// portable data (the Win32 backend hands them to CreateWindowEx unchanged).
#pragma once

#include <cstdint>

namespace quorvane::style {

inline constexpr std::uint32_t kOverlapped = 0x00000000;
inline constexpr std::uint32_t kCaption = 0x00C00000;
inline constexpr std::uint32_t kSysMenu = 0x00080000;
inline constexpr std::uint32_t kClipChildren = 0x02000000;
inline constexpr std::uint32_t kBorder = 0x00800000;
inline constexpr std::uint32_t kEditCentre = 0x0001;         // ES_CENTER
inline constexpr std::uint32_t kStaticLeft = 0x0000;         // SS_LEFT: wraps at words
inline constexpr std::uint32_t kStaticOneLine = 0x000C;      // SS_LEFTNOWORDWRAP
inline constexpr std::uint32_t kStaticCentreImage = 0x0200;  // SS_CENTERIMAGE: centred vertically
inline constexpr std::uint32_t kExClientEdge = 0x00000200;

// System colour indexes (GetSysColor).
inline constexpr int kColourWindowText = 8;
inline constexpr int kColourButtonFace = 15;

}  // namespace quorvane::style
