#include "ProcessSample.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace orvane::bench {

std::map<std::string, TThreadSample> SampleThreads() {
  std::map<std::string, TThreadSample> result;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    TThreadSample sample;
    std::ifstream(task.path() / "comm") >> sample.Name;
    std::ifstream status(task.path() / "status");
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
        sample.Switches = std::stol(line.substr(24));
    }
    result[task.path().filename()] = sample;
  }
  return result;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1));
  return values[index];
}

namespace {

long WokeSince(const std::map<std::string, TThreadSample>& before, const std::string& tid,
               const TThreadSample& sample) {
  const auto old = before.find(tid);
  return sample.Switches - (old == before.end() ? 0 : old->second.Switches);
}

}  // namespace

long WakeUps(const std::map<std::string, TThreadSample>& before,
             const std::map<std::string, TThreadSample>& after) {
  long total = 0;
  for (const auto& [tid, sample] : after) total += WokeSince(before, tid, sample);
  return total;
}

void PrintWakeUps(const std::map<std::string, TThreadSample>& before,
                  const std::map<std::string, TThreadSample>& after, int seconds) {
  for (const auto& [tid, sample] : after) {
    const long woke = WokeSince(before, tid, sample);
    std::printf("  thread %-16s %6ld wake-ups (%.2f/s)\n", sample.Name.c_str(), woke,
                static_cast<double>(woke) / seconds);
  }
  std::printf("  all threads %.2f wake-ups/s\n",
              static_cast<double>(WakeUps(before, after)) / seconds);
}

}  // namespace orvane::bench
