#include "runs/AiaCdf.h"

#include <netcdf.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <stdexcept>
#include <utility>
#include <vector>

namespace orvane::runs {
namespace {

// A libnetcdf failure, carried to the one place that closes the file.
struct TNcError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void Check(int status) {
  if (status != NC_NOERR) throw TNcError(nc_strerror(status));
}

void Text(int id, int variable, const std::string& name, const std::string& value) {
  Check(nc_put_att_text(id, variable, name.c_str(), value.size(), value.data()));
}

int Scalar(int id, const char* name) {
  int variable = 0;
  Check(nc_def_var(id, name, NC_FLOAT, 0, nullptr, &variable));
  return variable;
}

void PutScalar(int id, int variable, double value) {
  const float stored = static_cast<float>(value);
  Check(nc_put_var_float(id, variable, &stored));
}

double Seconds(std::int64_t ms) { return static_cast<double>(ms) / 1000.0; }

// Keys become attribute names: letters, digits and underscores, lower case.
std::string AttributeName(const std::string& key) {
  std::string name = "detector_";
  for (const char c : key) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (c >= 'A' && c <= 'Z')
      name += static_cast<char>(c - 'A' + 'a');
    else
      name += plain ? c : '_';
  }
  return name;
}

std::string EventLog(const TRun& run) {
  std::string log;
  char when[32];
  for (const TRunEvent& event : run.events) {
    std::snprintf(when, sizeof when, "%.3f s ", Seconds(event.time - run.start));
    log += when + event.kind + ": " + event.text + '\n';
  }
  return log;
}

void GlobalAttributes(int id, const TRun& run) {
  const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  Text(id, NC_GLOBAL, "dataset_completeness", "C1+C2");
  Text(id, NC_GLOBAL, "aia_template_revision", "1.0.1");
  Text(id, NC_GLOBAL, "netcdf_revision", nc_inq_libvers());
  Text(id, NC_GLOBAL, "languages", "English");
  Text(id, NC_GLOBAL, "dataset_origin", "ORVANE - AFS");
  Text(id, NC_GLOBAL, "dataset_date_time_stamp", AiaTimeStamp(now.count()));
  Text(id, NC_GLOBAL, "injection_date_time_stamp", AiaTimeStamp(run.start));
  Text(id, NC_GLOBAL, "experiment_title", run.sampleName);
  Text(id, NC_GLOBAL, "sample_name", run.sampleName);
  Text(id, NC_GLOBAL, "detector_name", "ORVANE atomic fluorescence detector");
  Text(id, NC_GLOBAL, "detector_unit", "counts/10");
  Text(id, NC_GLOBAL, "detection_method_name", "atomic fluorescence");
  Text(id, NC_GLOBAL, "retention_unit", "seconds");
  Text(id, NC_GLOBAL, "raw_data_table_name", run.sampleName);
  Text(id, NC_GLOBAL, "administrative_comments",
       run.interrupted ? "interrupted run: the program stopped while it recorded" : "");
  Text(id, NC_GLOBAL, "run_events", EventLog(run));
  for (const auto& [key, value] : run.settings) Text(id, NC_GLOBAL, AttributeName(key), value);
}

void Write(int id, const TRun& run) {
  GlobalAttributes(id, run);
  const std::size_t count = run.readings.size();
  int points = 0;
  // An empty run's length 0 makes this the record dimension, holding no records.
  Check(nc_def_dim(id, "point_number", count, &points));
  const int maximum = Scalar(id, "detector_maximum_value");
  const int minimum = Scalar(id, "detector_minimum_value");
  const int length = Scalar(id, "actual_run_time_length");
  const int interval = Scalar(id, "actual_sampling_interval");
  const int delay = Scalar(id, "actual_delay_time");
  int ordinate = 0;
  int retention = 0;
  Check(nc_def_var(id, "ordinate_values", NC_FLOAT, 1, &points, &ordinate));
  Text(id, ordinate, "uniform_sampling_flag", "N");
  Check(nc_def_var(id, "raw_data_retention", NC_FLOAT, 1, &points, &retention));
  Check(nc_enddef(id));

  std::vector<float> values(count);
  std::vector<float> times(count);
  for (std::size_t i = 0; i < count; ++i) {
    values[i] = static_cast<float>(run.readings[i].signal);
    times[i] = static_cast<float>(Seconds(run.readings[i].time - run.start));
  }
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  PutScalar(id, maximum, count ? *high : 0.0f);
  PutScalar(id, minimum, count ? *low : 0.0f);
  PutScalar(id, length, Seconds(run.end - run.start));
  PutScalar(id, interval,
            count > 1 ? Seconds(run.readings.back().time - run.readings.front().time) /
                            static_cast<double>(count - 1)
                      : 0.0);
  PutScalar(id, delay, count ? times.front() : 0.0f);
  if (count == 0) return;
  Check(nc_put_var_float(id, ordinate, values.data()));
  Check(nc_put_var_float(id, retention, times.data()));
}

std::string TextAttribute(int id, const char* name) {
  std::size_t length = 0;
  if (nc_inq_attlen(id, NC_GLOBAL, name, &length) != NC_NOERR) return {};
  std::string text(length, '\0');
  Check(nc_get_att_text(id, NC_GLOBAL, name, text.data()));
  return text.substr(0, text.find('\0'));
}

double ScalarValue(int id, const char* name) {
  int variable = 0;
  double value = 0;
  if (nc_inq_varid(id, name, &variable) == NC_NOERR) Check(nc_get_var_double(id, variable, &value));
  return value;
}

void Read(int id, TRun& run) {
  run.sampleName = TextAttribute(id, "sample_name");
  int dimension = 0;
  std::size_t count = 0;
  Check(nc_inq_dimid(id, "point_number", &dimension));
  Check(nc_inq_dimlen(id, dimension, &count));
  int ordinate = 0;
  Check(nc_inq_varid(id, "ordinate_values", &ordinate));
  std::vector<double> values(count);
  std::vector<double> times(count);
  if (count > 0) Check(nc_get_var_double(id, ordinate, values.data()));
  int retention = 0;
  if (nc_inq_varid(id, "raw_data_retention", &retention) == NC_NOERR && count > 0) {
    Check(nc_get_var_double(id, retention, times.data()));
  } else {
    const double delay = ScalarValue(id, "actual_delay_time");
    const double interval = ScalarValue(id, "actual_sampling_interval");
    for (std::size_t i = 0; i < count; ++i) times[i] = delay + interval * static_cast<double>(i);
  }
  run.readings.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    run.readings[i].time = static_cast<std::int64_t>(std::llround(times[i] * 1000));
    run.readings[i].signal = values[i];
  }
  run.end =
      static_cast<std::int64_t>(std::llround(ScalarValue(id, "actual_run_time_length") * 1000));
}

}  // namespace

std::string ReadAiaCdf(const std::filesystem::path& file, TRun& run) {
  int id = -1;
  try {
    Check(nc_open(file.c_str(), NC_NOWRITE, &id));
    run = TRun{};
    Read(id, run);
    nc_close(id);
    return {};
  } catch (const TNcError& error) {
    if (id >= 0) nc_close(id);
    return "Unable to read " + file.string() + ": " + error.what() + ".";
  }
}

std::string AiaTimeStamp(std::int64_t msSinceEpoch) {
  const std::time_t seconds = static_cast<std::time_t>(msSinceEpoch / 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d%H%M%S%z", &local);
  return text;
}

std::string WriteAiaCdf(const TRun& run, const std::filesystem::path& file) {
  int id = -1;
  try {
    Check(nc_create(file.c_str(), NC_CLOBBER, &id));
    Write(id, run);
    Check(nc_close(std::exchange(id, -1)));
    return {};
  } catch (const TNcError& error) {
    if (id >= 0) nc_close(id);
    return "Unable to write to " + file.string() + ": " + error.what() + ".";
  }
}

}  // namespace orvane::runs
