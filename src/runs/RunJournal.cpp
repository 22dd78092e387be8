#include "runs/RunJournal.h"

#include <algorithm>
#include <charconv>

namespace orvane::runs {
namespace {

constexpr std::string_view kMagic = "orvane-run 1";

std::string Escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '%')
      out += "%25";
    else if (c == '\n')
      out += "%0A";
    else if (c == '\r')
      out += "%0D";
    else
      out += c;
  }
  return out;
}

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned value = 0;
    if (text[i] == '%' && i + 2 < text.size() &&
        std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr ==
            text.data() + i + 3) {
      out += static_cast<char>(value);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

// A field that must stay one word: a space becomes '_'.
std::string Word(std::string_view text) {
  std::string word = Escape(text);
  std::replace(word.begin(), word.end(), ' ', '_');
  return word;
}

template <class T>
void AppendNumber(std::string& out, T value) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, value);
  out.append(text, written.ptr);
}

// Reads the next space-separated field off the front of `line`.
std::string_view Field(std::string_view& line) {
  const std::size_t space = line.find(' ');
  const std::string_view field = line.substr(0, space);
  line.remove_prefix(space == std::string_view::npos ? line.size() : space + 1);
  return field;
}

template <class T>
bool Number(std::string_view& line, T& value) {
  const std::string_view field = Field(line);
  const auto read = std::from_chars(field.data(), field.data() + field.size(), value);
  return read.ec == std::errc() && read.ptr == field.data() + field.size() && !field.empty();
}

bool ReadReading(std::string_view line, TRun& run) {
  trend::TReading reading;
  unsigned gain = 0;
  unsigned mode = 0;
  if (!Number(line, reading.time) || !Number(line, reading.signal) || !Number(line, gain) ||
      !Number(line, mode) || gain > 255 || mode > 255) {
    return false;
  }
  reading.gainCode = static_cast<std::uint8_t>(gain);
  reading.modeCode = static_cast<std::uint8_t>(mode);
  run.readings.push_back(reading);
  return true;
}

// False when the line is not one this format writes.
bool ReadLine(std::string_view line, TParsedJournal& journal) {
  TRun& run = journal.run;
  const std::string_view tag = Field(line);
  if (tag == "r") return ReadReading(line, run);
  if (tag == "e") {
    TRunEvent event;
    if (!Number(line, event.time)) return false;
    event.kind = Unescape(Field(line));
    event.text = Unescape(line);
    run.events.push_back(std::move(event));
    return true;
  }
  if (tag == "setting") {
    const std::string key = Unescape(Field(line));
    run.settings.emplace_back(key, Unescape(line));
    return true;
  }
  if (tag == "start") {
    if (!Number(line, run.start)) return false;
    run.sampleName = Unescape(line);
    return true;
  }
  if (tag == "end") {
    if (!Number(line, run.end)) return false;
    run.interrupted = line == "interrupted";
    journal.finished = true;
    return true;
  }
  return false;
}

}  // namespace

std::string HeaderLines(const TRun& run) {
  std::string out(kMagic);
  out += "\nstart ";
  AppendNumber(out, run.start);
  out += ' ' + Escape(run.sampleName) + '\n';
  for (const auto& [key, value] : run.settings) {
    out += "setting " + Word(key) + ' ' + Escape(value) + '\n';
  }
  return out;
}

void AppendReading(std::string& out, const trend::TReading& reading) {
  out += "r ";
  AppendNumber(out, reading.time);
  out += ' ';
  AppendNumber(out, reading.signal);
  out += ' ';
  AppendNumber(out, unsigned{reading.gainCode});
  out += ' ';
  AppendNumber(out, unsigned{reading.modeCode});
  out += '\n';
}

void AppendEvent(std::string& out, const TRunEvent& event) {
  out += "e ";
  AppendNumber(out, event.time);
  out += ' ' + Word(event.kind) + ' ' + Escape(event.text) + '\n';
}

std::string EndLine(std::int64_t time, bool interrupted) {
  std::string out = "end ";
  AppendNumber(out, time);
  out += interrupted ? " interrupted\n" : " stopped\n";
  return out;
}

std::optional<TParsedJournal> ParseJournal(std::string_view text) {
  if (!text.starts_with(std::string(kMagic) + '\n')) return std::nullopt;
  TParsedJournal journal;
  journal.readable = kMagic.size() + 1;
  for (std::size_t end = text.find('\n', journal.readable); end != std::string_view::npos;
       end = text.find('\n', journal.readable)) {
    if (!ReadLine(text.substr(journal.readable, end - journal.readable), journal)) break;
    journal.readable = end + 1;
    if (journal.finished) break;
  }
  return journal;
}

}  // namespace orvane::runs
