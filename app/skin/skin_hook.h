// The thread hook that offers every window created on the GUI thread to the skin.
#pragma once

namespace quorvane::skin {

// Sets the hook on the calling thread (once); true when it is set.
bool InstallCreationHook();
// Removes the hook; the result of removing it, 0 when none was set.
int RemoveCreationHook();

}  // namespace quorvane::skin
