#include "tools/cli/options.h"

#include "tools/cli/json_text.h"

namespace orbalta::cli {

namespace {

#define ORBALTA_CLI_USAGE                                                                \
  "usage: orbalta-cli [--format 32|64|128|all|16|bf16|80|256|E,P] [--round DIRECTION]\n" \
  "                   [--json] [--] VALUE...\n"

constexpr const char* kFormats = "32, 64, 128, all, 16, bf16, 80, 256 or E,P";

std::optional<Failure> readFormat(const std::string& which, Request& request) {
  request.all = which == "all";
  request.format = std::nullopt;
  if (request.all) return std::nullopt;
  request.format = formatNamed(which);
  if (!request.format) return Failure{"--format " + escaped(which) + ": give " + kFormats};
  return std::nullopt;
}

std::optional<Failure> readRounding(const std::string& which, Request& request) {
  const std::optional<Rounding> r = roundingNamed(which);
  if (!r) {
    return Failure{"--round " + escaped(which) +
                   ": give nearest-even, nearest-away, up, down or zero"};
  }
  request.rounding = *r;
  return std::nullopt;
}

// --NAME VALUE or --NAME=VALUE; false when `arg` is neither.
bool takesValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
                std::optional<std::string>& value) {
  const std::string& arg = args[i];
  if (arg == name) {
    value = i + 1 < args.size() ? std::optional(args[++i]) : std::nullopt;
    return true;
  }
  if (arg.starts_with(name + "=")) {
    value = arg.substr(name.size() + 1);
    return true;
  }
  return false;
}

}  // namespace

const char* const kUsage = ORBALTA_CLI_USAGE;

const char* const kHelp = ORBALTA_CLI_USAGE
    "\n"
    "Shows how VALUE is stored in a binary floating-point format: its bits, hex encoding,\n"
    "class, exact decimal value, conversion error and the derived parameters, one labelled\n"
    "line each; binary32, binary64 and binary128 also with the window's X text.\n"
    "\n"
    "VALUE  a decimal as the window's X edit takes it (\"0.1\", \"-2.5D-4\", \"Inf\", \"nan\"),\n"
    "       an encoding in hex (\"0x3DCCCCCD\": 4, 8, 16, 20, 32 or 64 digits name the\n"
    "       format; fewer digits need --format), or bits by field\n"
    "       (\"0:01111011:10011001100110011001101\": the field widths name the format).\n"
    "       Several VALUEs, or \"-\" (or none, from a pipe) for one VALUE per line of standard\n"
    "       input, give one result each; one that is rejected does not stop the others.\n"
    "\n"
    "--format WHICH      32, 64, 128 (the window's formats), all (those three: the default\n"
    "                    for a decimal), 16 (binary16), bf16 (bfloat16), 80 (x87 extended),\n"
    "                    256 (binary256) or E,P (E exponent bits, precision P, up to 19 and\n"
    "                    256 bits in all); also --format=WHICH\n"
    "--round DIRECTION   nearest-even (the default), nearest-away, up, down or zero: how a\n"
    "                    decimal is rounded; beyond the largest finite, nearest-even rejects\n"
    "                    it, the others give an infinity or the largest finite\n"
    "--json              one JSON object; with all formats, one object per format; with\n"
    "                    several VALUEs, one object per line (JSON Lines)\n"
    "--                  the end of the options: \"-- -1\"\n"
    "--help, -h          this text\n"
    "--version           the program's version\n"
    "\n"
    "Exit status: 0, 1 when the output cannot be written, or 2 for bad input (one line on\n"
    "standard error says what was wrong; with several VALUEs, how many were rejected).\n";

std::optional<Failure> readOptions(const std::vector<std::string>& args, Options& options) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::optional<std::string> value;
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
    } else if (takesValue(args, i, "--format", value)) {
      if (!value) return Failure{std::string("--format needs ") + kFormats};
      if (std::optional<Failure> f = readFormat(*value, options.request)) return f;
    } else if (takesValue(args, i, "--round", value)) {
      if (!value) return Failure{"--round needs nearest-even, nearest-away, up, down or zero"};
      if (std::optional<Failure> f = readRounding(*value, options.request)) return f;
    } else {
      return Failure{"unknown option " + escaped(arg)};
    }
  }
  return std::nullopt;
}

}  // namespace orbalta::cli
