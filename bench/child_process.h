// A program started for one measurement, ended when it goes out of scope.
#pragma once

#include <windows.h>

#include <string>

#include "ui/win32/handles.h"

namespace quorvane::bench {

class ChildProcess {
 public:
  // Starts `path` in its own folder; throws std::runtime_error when it cannot be started.
  explicit ChildProcess(const std::wstring& path);
  ~ChildProcess();
  ChildProcess(ChildProcess&&) = default;
  ChildProcess& operator=(ChildProcess&&) = default;

  DWORD Id() const { return id_; }
  // Kernel plus user time the process has used so far (under Wine: that of its live threads,
  // counted in the Linux kernel's 10 ms steps).
  double CpuMs() const;
  // The largest working set the process has had so far.
  double PeakWorkingSetKiB() const;

 private:
  UniqueKernelHandle process_;
  DWORD id_ = 0;
};

}  // namespace quorvane::bench
