// Options, the run over the values, and the two ways of writing the views: labelled lines
// or JSON.

#include "tools/cli/cli.h"

#include <algorithm>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>

#include "model/formats.h"
#include "tools/cli/json_text.h"
#include "tools/cli/reading.h"
#include "tools/cli/views.h"

#ifndef ORBALTA_VERSION
#define ORBALTA_VERSION "unknown"
#endif

namespace orbalta::cli {

namespace {

#define ORBALTA_CLI_USAGE "usage: orbalta-cli [--format 32|64|128|all] [--json] [--] VALUE\n"
constexpr const char* kUsage = ORBALTA_CLI_USAGE;

constexpr const char* kHelp = ORBALTA_CLI_USAGE
    "\n"
    "Shows how VALUE is stored in IEEE 754 binary32, binary64 or binary128: its bits, hex\n"
    "encoding, class, exact decimal value, conversion error, the window's X text and the\n"
    "derived parameters, one labelled line each.\n"
    "\n"
    "VALUE  a decimal as the window's X edit takes it (\"0.1\", \"-2.5D-4\", \"Inf\", \"nan\"),\n"
    "       an encoding in hex (\"0x3DCCCCCD\": 8, 16 or 32 digits name the format; fewer\n"
    "       digits need --format), or bits by field (\"0:01111011:10011001100110011001101\";\n"
    "       the field widths name the format; binary128 may split its fraction 48:64).\n"
    "\n"
    "--format 32|64|128|all  the format, also --format=32 (default: all for a decimal, the\n"
    "                        encoding's own for hex and bits)\n"
    "--json                  one JSON object; with all formats, one object per format\n"
    "--                      the end of the options: \"-- -1\"\n"
    "--help, -h              this text\n"
    "--version               the program's version\n"
    "\n"
    "Exit status: 0, 1 when the output cannot be written, or 2 for bad input (one line on\n"
    "standard error says what was wrong).\n";

struct Options {
  std::optional<int> formatBytes;
  bool all = false;
  bool json = false;
  bool help = false;
  bool version = false;
  std::vector<std::string> values;
};

struct Outcome {
  std::vector<Views> results;
  std::optional<Failure> failure;
};

const char* formatName(int formatBytes) {
  return formatSpec(formatBytes)->name;
}

std::optional<Failure> readFormat(const std::string& which, Options& options) {
  options.all = which == "all";
  options.formatBytes = std::nullopt;
  if (options.all) return std::nullopt;
  const bool digits =
      !which.empty() && which.size() <= 3 &&
      std::all_of(which.begin(), which.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (digits) options.formatBytes = formatOfWidth(std::stoi(which));
  if (!options.formatBytes)
    return Failure{"--format " + escaped(which) + ": give 32, 64, 128 or all"};
  return std::nullopt;
}

std::optional<Failure> readOptions(const std::vector<std::string>& args, Options& options) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-' || (arg[1] != '-' && arg != "-h")) {
      options.values.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--json") {
      options.json = true;
    } else if (arg == "--format") {
      if (i + 1 == args.size()) return Failure{"--format needs 32, 64, 128 or all"};
      if (std::optional<Failure> f = readFormat(args[++i], options)) return f;
    } else if (arg.starts_with("--format=")) {
      if (std::optional<Failure> f = readFormat(arg.substr(9), options)) return f;
    } else {
      return Failure{"unknown option " + escaped(arg)};
    }
  }
  return std::nullopt;
}

Outcome evaluateEncoding(const std::string& text, const Options& options) {
  Outcome outcome;
  if (options.all) {
    outcome.failure = Failure{"an encoding belongs to one format: --format 32, 64 or 128"};
    return outcome;
  }
  std::optional<int> formatBytes = options.formatBytes;
  Encoding bits = 0;
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  outcome.failure = hex ? readHex(std::string_view(text).substr(2), formatBytes, bits)
                        : readFields(text, formatBytes, bits);
  if (!outcome.failure) outcome.results.push_back(windowViews(bits, *formatBytes, std::nullopt));
  return outcome;
}

Outcome evaluateDecimal(const std::string& text, const Options& options) {
  Outcome outcome;
  std::vector<int> formats{4, 8, 16};
  if (options.formatBytes) formats = {*options.formatBytes};
  bool anyValue = false;
  for (const int fb : formats) {
    Encoding bits = 0;
    Typed typed;
    const std::optional<Failure> f = readDecimal(text, fb, bits, typed);
    if (!f) {
      outcome.results.push_back(windowViews(bits, fb, typed));
      anyValue = true;
      continue;
    }
    if (!outcome.failure) outcome.failure = f;
    // Beyond one format's range is no failure while another format holds the value.
    if (typed.isNumber && formats.size() > 1) {
      outcome.results.push_back(
          {{"format", "format", formatName(fb)}, {"rejected", "rejected", f->message}});
    }
  }
  if (anyValue) outcome.failure.reset();
  if (outcome.failure) outcome.results.clear();
  return outcome;
}

Outcome evaluate(const std::string& text, const Options& options) {
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  if (hex || text.find(':') != std::string::npos) return evaluateEncoding(text, options);
  return evaluateDecimal(text, options);
}

// --- Output ---

std::string asText(const Views& fields) {
  std::string out;
  for (const Field& field : fields) {
    std::string label = std::string(field.label) + ":";
    label.resize(std::max<std::size_t>(label.size() + 1, 15), ' ');
    out += label + field.value.value_or("-") + "\n";
  }
  return out;
}

std::string asJson(const Views& fields, std::string_view indent) {
  std::string out = "{";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    out += (i == 0 ? "\n" : ",\n") + std::string(indent) + "  " + jsonString(fields[i].key) + ": ";
    out += fields[i].value ? jsonString(*fields[i].value) : "null";
  }
  return out + "\n" + std::string(indent) + "}";
}

std::string written(const std::vector<Views>& results, bool json) {
  std::string out;
  if (json && results.size() == 1) return asJson(results[0], "") + "\n";
  if (json) {
    out = "{";
    for (std::size_t i = 0; i < results.size(); ++i) {
      out += (i == 0 ? "\n  " : ",\n  ") + jsonString(*results[i][0].value) + ": " +
             asJson(results[i], "  ");
    }
    return out + "\n}\n";
  }
  for (std::size_t i = 0; i < results.size(); ++i) out += (i == 0 ? "" : "\n") + asText(results[i]);
  return out;
}

}  // namespace

int run(const std::vector<std::string>& args, std::istream& /*in*/, bool /*inputIsTerminal*/,
        std::ostream& out, std::ostream& err) {
  Options options;
  if (const std::optional<Failure> f = readOptions(args, options)) {
    err << "orbalta-cli: " << f->message << "\n";
    if (f->message.starts_with("unknown option")) err << kUsage;
    return kExitBadInput;
  }
  if (options.help) {
    out << kHelp;
    return kExitOk;
  }
  if (options.version) {
    out << "orbalta-cli " ORBALTA_VERSION "\n";
    return kExitOk;
  }
  if (options.values.empty()) {
    err << "orbalta-cli: no VALUE\n" << kUsage;
    return kExitBadInput;
  }
  if (options.values.size() > 1) {
    err << "orbalta-cli: one VALUE only, " << quoted(options.values[1]) << " is a second\n";
    return kExitBadInput;
  }
  const Outcome outcome = evaluate(options.values[0], options);
  if (outcome.failure) {
    err << "orbalta-cli: " << outcome.failure->message << "\n";
    return kExitBadInput;
  }
  out << written(outcome.results, options.json);
  return kExitOk;
}

int run(const std::vector<std::string>& args, std::string& out, std::string& err) {
  std::istringstream in;
  std::ostringstream o, e;
  const int status = run(args, in, true, o, e);
  out = o.str();
  err = e.str();
  return status;
}

}  // namespace orbalta::cli
