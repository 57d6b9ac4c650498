// The skin entries of the GUI thread's windows: offering a window to the skin, the window
// procedure that draws a skinned control, and giving the controls their own drawing back.
#pragma once

#include <windows.h>

#include <cstddef>

namespace quorvane::skin {

// The colour set the skinned controls are drawn in (1 to 3).
void SetStyle(int style);

// Skins the window when its kind is one the skin draws and it has no entry yet; true when it
// was skinned now.
bool Offer(HWND hwnd);
// Offers every window of the calling thread and all their descendants.
void OfferThreadWindows();
// Gives every skinned window its own window procedure back and redraws it.
void ReleaseAll();

bool IsSkinned(HWND hwnd);
std::size_t SkinnedCount();

}  // namespace quorvane::skin
