// The page both web boxes open: the product's own page, shipped inside the executable, so no
// request leaves the computer.
#pragma once

namespace quorvane {

// A resource of the executable; the web box turns it into a res: address of the running file.
inline constexpr const char* kProductPage = "ABOUT.HTML";

}  // namespace quorvane
