#include "bench/measurements.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "bench/child_process.h"
#include "bench/window_probe.h"

namespace quorvane::bench {

namespace {

constexpr double kShowTimeoutMs = 60000;
constexpr double kPeriodMs = 1000;
constexpr double kPollMs = 2;

HWND VisibleMainWindow(const Subject& subject, const ChildProcess& child) {
  HWND window = WaitForVisibleWindow(subject.title, child.Id(), kShowTimeoutMs);
  if (!window) throw std::runtime_error(std::string(subject.name) + ": no window showed");
  return window;
}

std::vector<ChildProcess> StartAll(const std::vector<Subject>& subjects) {
  std::vector<ChildProcess> children;
  for (const Subject& subject : subjects) children.emplace_back(subject.path);
  return children;
}

void SleepUntil(double momentMs) {
  while (NowMs() < momentMs) Sleep(1);
}

}  // namespace

double MeasureStartup(const Subject& subject) {
  const double start = NowMs();
  ChildProcess child(subject.path);
  VisibleMainWindow(subject, child);
  return NowMs() - start;
}

std::vector<IdleCost> MeasureIdle(const std::vector<Subject>& subjects, double settleMs,
                                  double spanMs) {
  std::vector<ChildProcess> children = StartAll(subjects);
  for (std::size_t i = 0; i < subjects.size(); ++i) VisibleMainWindow(subjects[i], children[i]);
  Sleep(DWORD(settleMs));
  std::vector<double> before;
  for (const ChildProcess& child : children) before.push_back(child.CpuMs());
  Sleep(DWORD(spanMs));
  std::vector<IdleCost> costs;
  for (std::size_t i = 0; i < children.size(); ++i) {
    costs.push_back({children[i].CpuMs() - before[i], children[i].PeakWorkingSetKiB()});
  }
  return costs;
}

std::vector<std::vector<double>> RecordTicks(const std::vector<Subject>& subjects, int periods) {
  struct Watch {
    HWND box;
    std::wstring lastText;
    std::vector<double> changes;
  };
  std::vector<ChildProcess> children = StartAll(subjects);
  std::vector<Watch> watches;
  for (std::size_t i = 0; i < subjects.size(); ++i) {
    HWND box = subjects[i].startTicking(VisibleMainWindow(subjects[i], children[i]));
    watches.push_back({box, ReadText(box).value_or(L""), {}});
  }

  const std::size_t wanted = std::size_t(periods) + 1;
  // A ticker that has not got going within ten periods will not make up for it.
  const double giveUpAt = NowMs() + (periods + 10) * kPeriodMs;
  auto finished = [&](const Watch& watch) { return watch.changes.size() >= wanted; };
  // A poll that ran late moves the next one on rather than bunching the ones after it.
  for (double nextPoll = NowMs(); NowMs() < giveUpAt;
       nextPoll = std::max(nextPoll + kPollMs, NowMs())) {
    if (std::all_of(watches.begin(), watches.end(), finished)) break;
    SleepUntil(nextPoll);
    for (Watch& watch : watches) {
      if (finished(watch)) continue;
      const auto text = ReadText(watch.box);
      if (!text || *text == watch.lastText) continue;
      watch.changes.push_back(NowMs());
      watch.lastText = *text;
    }
  }
  std::vector<std::vector<double>> changes;
  for (Watch& watch : watches) changes.push_back(std::move(watch.changes));
  return changes;
}

}  // namespace quorvane::bench
