// Measures Quorvane against the baseline, side by side:
//   bench_driver PROGRAM.EXE BASELINE.EXE [startup-runs=N] [idle-runs=N] [idle-seconds=S]
//                [tick-runs=N] [tick-seconds=S]
// Prints the settings used ("setting NAME VALUE"), then one line per figure and program: the
// figure's name, the program's name, the median and then the value of each run. Progress goes
// to stderr.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include "bench/figures.h"
#include "bench/measurements.h"
#include "bench/subjects.h"

namespace {

using namespace quorvane::bench;

// Lets the start-up activity die down before the idle span begins.
constexpr double kSettleMs = 5000;

// How many runs of each measurement, and how long the measured spans are, by name.
using Settings = std::map<std::wstring, int>;

Settings DefaultSettings() {
  return {{L"startup-runs", 7},
          {L"idle-runs", 3},
          {L"idle-seconds", 60},
          {L"tick-runs", 3},
          {L"tick-seconds", 120}};
}

// NAME=VALUE, VALUE a whole number from 1 to 100000.
bool ReadSetting(const std::wstring& argument, Settings& settings) {
  const std::size_t equals = argument.find(L'=');
  if (equals == std::wstring::npos) return false;
  const auto setting = settings.find(argument.substr(0, equals));
  if (setting == settings.end()) return false;
  wchar_t* end = nullptr;
  const long value = std::wcstol(argument.c_str() + equals + 1, &end, 10);
  if (*end != L'\0' || value < 1 || value > 100000) return false;
  setting->second = int(value);
  return true;
}

void Progress(const char* format, auto... values) {
  std::fprintf(stderr, format, values...);
  std::fflush(stderr);
}

// The values of each run of one figure, by program.
class Figures {
 public:
  void Add(const std::string& figure, const char* subject, double value) {
    Runs& runs = figures_[figure];
    if (runs.empty()) order_.push_back(figure);
    runs[subject].push_back(value);
  }
  void Print(const std::vector<Subject>& subjects) const {
    for (const std::string& figure : order_) {
      const Runs& runs = figures_.at(figure);
      for (const Subject& subject : subjects) {
        const auto values = runs.find(subject.name);
        if (values == runs.end()) continue;
        std::printf("%s %s %.1f", figure.c_str(), subject.name, Median(values->second));
        for (double value : values->second) std::printf(" %.1f", value);
        std::printf("\n");
      }
    }
  }

 private:
  using Runs = std::map<std::string, std::vector<double>>;
  std::map<std::string, Runs> figures_;
  std::vector<std::string> order_;
};

void MeasureStartups(const std::vector<Subject>& subjects, int runs, Figures& figures) {
  // A first start of each fills the caches; it is not counted.
  for (const Subject& subject : subjects) MeasureStartup(subject);
  for (int run = 1; run <= runs; ++run) {
    for (const Subject& subject : subjects) {
      const double ms = MeasureStartup(subject);
      figures.Add("startup-ms", subject.name, ms);
      Progress("start-up %d/%d: %s %.0f ms\n", run, runs, subject.name, ms);
    }
  }
}

void MeasureIdleCosts(const std::vector<Subject>& subjects, int runs, int seconds,
                      Figures& figures) {
  for (int run = 1; run <= runs; ++run) {
    const std::vector<IdleCost> costs = MeasureIdle(subjects, kSettleMs, seconds * 1000.0);
    for (std::size_t i = 0; i < subjects.size(); ++i) {
      figures.Add("idle-cpu-ms", subjects[i].name, costs[i].cpuMs);
      figures.Add("peak-kib", subjects[i].name, costs[i].peakWorkingSetKiB);
      Progress("idle %d/%d: %s %.0f ms CPU, peak %.0f KiB\n", run, runs, subjects[i].name,
               costs[i].cpuMs, costs[i].peakWorkingSetKiB);
    }
  }
}

void MeasureTicks(const std::vector<Subject>& subjects, int runs, int seconds, Figures& figures) {
  for (int run = 1; run <= runs; ++run) {
    const auto changes = RecordTicks(subjects, seconds);
    for (std::size_t i = 0; i < subjects.size(); ++i) {
      const TickFigures ticks = WorkOutTicks(changes[i], 1000);
      figures.Add("ticks-seen", subjects[i].name, ticks.ticks);
      figures.Add("tick-lateness-ms", subjects[i].name, ticks.largestLatenessMs);
      figures.Add("tick-period-ms", subjects[i].name, ticks.meanPeriodMs);
      Progress("ticks %d/%d: %s %d seen, latest %.1f ms late, mean period %.2f ms\n", run, runs,
               subjects[i].name, ticks.ticks, ticks.largestLatenessMs, ticks.meanPeriodMs);
    }
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Settings settings = DefaultSettings();
  bool usable = argc >= 3;
  for (int i = 3; usable && i < argc; ++i) usable = ReadSetting(argv[i], settings);
  if (!usable) {
    std::fputs(
        "usage: bench_driver PROGRAM.EXE BASELINE.EXE [startup-runs=N] [idle-runs=N]\n"
        "                    [idle-seconds=S] [tick-runs=N] [tick-seconds=S]\n",
        stderr);
    return 2;
  }
  const std::vector<Subject> subjects = {Program(argv[1]), Baseline(argv[2])};
  Figures figures;
  try {
    MeasureStartups(subjects, settings.at(L"startup-runs"), figures);
    MeasureIdleCosts(subjects, settings.at(L"idle-runs"), settings.at(L"idle-seconds"), figures);
    MeasureTicks(subjects, settings.at(L"tick-runs"), settings.at(L"tick-seconds"), figures);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_driver: %s\n", error.what());
    return 1;
  }
  for (const auto& [name, value] : settings) std::printf("setting %ls %d\n", name.c_str(), value);
  figures.Print(subjects);
  return 0;
}
