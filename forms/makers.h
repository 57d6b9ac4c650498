// The makers' contact details shown by the about window. Placeholders until the packager
// fills them in: a number that is obviously not real and an address under the reserved
// .example domain, so that nothing points at a stranger.
#pragma once

namespace quorvane {

inline constexpr const char* kMakersContactNumber = "10000000";
inline constexpr const char* kMakersWebAddress = "www.quorvane.example";

}  // namespace quorvane
