// The fatal run-time report: a message box, the exit clean-up, and the process ends with -1.
#pragma once

#include "ui/types.h"

namespace quorvane {

[[noreturn]] void FatalError(const Text& message, int code = 0);

// The start routine has initialised OLE; the exit clean-up uninitialises it.
void MarkOleInitialised();
// The exit clean-up of the run: releases what the start routine set up.
void ExitCleanUp();

}  // namespace quorvane
