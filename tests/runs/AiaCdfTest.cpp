#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "runs/AiaCdf.h"

namespace orvane::runs::test {
namespace {

namespace fs = std::filesystem;

std::string Output(const std::string& command) {
  std::string text;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
  EXPECT_EQ(pclose(pipe), 0) << command;
  return text;
}

// Read back by two readers of others' making: ncdump for the header, and
// SciPy's netCDF reader for the values, printed as Python reprs (Debian's
// interpreter, which has Debian's SciPy, whatever else is on the PATH).
TEST(AiaCdf, ReadersOfOthersFindTheReadingsTheirTrueTimesAndTheSettings) {
  char pattern[] = "/tmp/orvane-cdf-XXXXXX";
  const fs::path folder = mkdtemp(pattern);
  const fs::path file = folder / "run.cdf";
  TRun run;
  run.sampleName = "Hg std 5 ppb";
  run.start = 1'782'900'000'000;
  run.end = run.start + 20'000;
  run.settings = {{"model", "B"}, {"gain", "100"}, {"primary_current", "20.0 mA"}};
  // An outage between 1.8 s and 12 s: the readings stay apart, nothing fills it.
  for (const std::int64_t at : {600, 1200, 1800, 12000, 12600}) {
    run.readings.push_back({run.start + at, static_cast<double>(at) / 100.0 + 0.5, 0x80, 0x30});
  }
  ASSERT_EQ(WriteAiaCdf(run, file), "");

  const std::string header = Output("ncdump -h " + file.string());
  for (const char* line :
       {"point_number = 5 ;", "float ordinate_values(point_number) ;",
        "ordinate_values:uniform_sampling_flag = \"N\" ;",
        "float raw_data_retention(point_number) ;", ":dataset_completeness = \"C1+C2\" ;",
        ":retention_unit = \"seconds\" ;", ":sample_name = \"Hg std 5 ppb\" ;",
        ":detector_gain = \"100\" ;", ":detector_primary_current = \"20.0 mA\" ;"}) {
    EXPECT_NE(header.find(line), std::string::npos) << line << "\n" << header;
  }
  EXPECT_NE(header.find(":injection_date_time_stamp = \"" + AiaTimeStamp(run.start) + "\" ;"),
            std::string::npos);

  const std::string values = Output(
      "/usr/bin/python3 -c \"import scipy.io as s; f = s.netcdf_file('" + file.string() +
      "', 'r', mmap=False); v = f.variables; print([float(x) for x in v['ordinate_values'][:]]); "
      "print([round(float(x), 3) for x in v['raw_data_retention'][:]]); "
      "print([round(float(v[n].getValue()), 3) for n in ('actual_run_time_length', "
      "'actual_sampling_interval', 'actual_delay_time')]); print(f.detector_model.decode())\"");
  EXPECT_EQ(values,
            "[6.5, 12.5, 18.5, 120.5, 126.5]\n"
            "[0.6, 1.2, 1.8, 12.0, 12.6]\n"
            "[20.0, 3.0, 0.6]\n"
            "B\n");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace orvane::runs::test
