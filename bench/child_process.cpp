#include "bench/child_process.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <stdexcept>

namespace quorvane::bench {

namespace {

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) narrow += c < 0x80 ? char(c) : '?';
  return narrow;
}

double Milliseconds(const FILETIME& time) {
  const ULONGLONG hundredNs = (ULONGLONG(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return double(hundredNs) / 10000.0;
}

bool UnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// The kernel plus user time of the live threads of process `processId`.
double ThreadsCpuMs(DWORD processId) {
  UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (snapshot.get() == INVALID_HANDLE_VALUE) {
    snapshot.release();
    throw std::runtime_error("cannot list the threads of a child process");
  }
  double total = 0;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot.get(), &entry); more;
       more = Thread32Next(snapshot.get(), &entry)) {
    if (entry.th32OwnerProcessID != processId) continue;
    UniqueKernelHandle thread(OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID));
    FILETIME creation, exit, kernel, user;
    if (thread && GetThreadTimes(thread.get(), &creation, &exit, &kernel, &user)) {
      total += Milliseconds(kernel) + Milliseconds(user);
    }
  }
  return total;
}

}  // namespace

ChildProcess::ChildProcess(const std::wstring& path) {
  std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
  std::wstring commandLine = L"\"" + path + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION created = {};
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &created)) {
    const DWORD error = GetLastError();
    throw std::runtime_error("cannot start " + Narrow(path) + " (error " + std::to_string(error) +
                             ")");
  }
  CloseHandle(created.hThread);
  process_.reset(created.hProcess);
  id_ = created.dwProcessId;
}

ChildProcess::~ChildProcess() {
  if (!process_) return;
  TerminateProcess(process_.get(), 0);
  WaitForSingleObject(process_.get(), 10000);
}

double ChildProcess::CpuMs() const {
  // Wine's process times of another process are not what it used (10 ms against its one
  // thread's 110 ms); its thread times are read from the Linux kernel.
  if (UnderWine()) return ThreadsCpuMs(id_);
  FILETIME creation, exit, kernel, user;
  if (!GetProcessTimes(process_.get(), &creation, &exit, &kernel, &user)) {
    throw std::runtime_error("cannot read the CPU time of a child process");
  }
  return Milliseconds(kernel) + Milliseconds(user);
}

double ChildProcess::PeakWorkingSetKiB() const {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process_.get(), &counters, sizeof counters)) {
    throw std::runtime_error("cannot read the memory counters of a child process");
  }
  return double(counters.PeakWorkingSetSize) / 1024.0;
}

}  // namespace quorvane::bench
