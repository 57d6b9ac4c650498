// What the benchmark driver needs to know of the baseline's window.
#pragma once

namespace quorvane::bench {

inline constexpr wchar_t kBaselineTitle[] = L"Quorvane benchmark baseline";
// The edit box whose text the baseline's one-second timer moves on.
inline constexpr int kBaselineEdit = 100;

}  // namespace quorvane::bench
