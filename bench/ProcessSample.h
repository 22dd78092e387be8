#pragma once

#include <map>
#include <string>
#include <vector>

// What the benchmarks read of their own process.
namespace orvane::bench {

struct TThreadSample {
  std::string Name;
  long Switches = 0;
};

// Voluntary context switches (wake-ups) of each thread, by thread id.
std::map<std::string, TThreadSample> SampleThreads();
// User and system CPU time of the whole process so far.
double CpuSeconds();
// Resident memory, in kB.
long ResidentKilobytes();
// The p-quantile (0..1) of the values.
double Percentile(std::vector<double> values, double p);
// Wake-ups of all threads between two samples, threads begun in between included.
long WakeUps(const std::map<std::string, TThreadSample>& before,
             const std::map<std::string, TThreadSample>& after);
// Prints each thread's wake-ups between two samples.
void PrintWakeUps(const std::map<std::string, TThreadSample>& before,
                  const std::map<std::string, TThreadSample>& after, int seconds);

}  // namespace orvane::bench
