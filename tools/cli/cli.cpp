// VALUE is read the way the window reads it: a word for infinity or NaN by its first three
// characters, anything else by the decimal input of X. An encoding is given in hex or as bits
// by field. The views then come from the window's own layouts, classification and parameters.

#include "tools/cli/cli.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "model/app_state.h"
#include "model/bit_codec.h"
#include "model/classify.h"
#include "model/formats.h"
#include "model/parameters.h"
#include "textconv/decimal_input.h"
#include "textconv/exact_decimal.h"
#include "textconv/layouts.h"

namespace orbalta::cli {

namespace {

constexpr const char* kUsage = "usage: orbalta-cli [--format 32|64|128|all] [--json] VALUE\n";

constexpr const char* kHelp =
    "usage: orbalta-cli [--format 32|64|128|all] [--json] VALUE\n"
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
    "--format 32|64|128|all  the format (default: all for a decimal, the encoding's own\n"
    "                        for hex and bits)\n"
    "--json                  one JSON object; with all formats, one object per format\n"
    "--help                  this text\n"
    "\n"
    "Exit status: 0, or 2 for bad input (one line on standard error says what was wrong).\n";

struct Field {
  const char* key;
  const char* label;
  std::optional<std::string> value;  // nullopt: JSON null, "-" in text
};

struct Input {
  enum Kind { Decimal, Encoded } kind = Decimal;
  std::string text;
  Encoding bits = 0;
};

struct Failure {
  std::string message;
};

std::string trimmed(std::string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  return std::string(trimRight(text));
}

const FormatSpec& spec(int formatBytes) {
  return *formatSpec(formatBytes);
}

// --- Reading VALUE ---

std::optional<int> formatOfWidth(int bits) {
  switch (bits) {
    case 32:
      return 4;
    case 64:
      return 8;
    case 128:
      return 16;
    default:
      return std::nullopt;
  }
}

std::optional<Failure> readHex(std::string_view digits, std::optional<int>& formatBytes,
                               Encoding& bits) {
  if (digits.empty()) return Failure{"no hex digits after 0x"};
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const char c = digits[i];
    const bool hex = (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f');
    if (!hex) {
      return Failure{"'" + std::string(1, c) + "' at position " + std::to_string(i + 3) +
                     " is not a hex digit"};
    }
  }
  if (!formatBytes) {
    formatBytes = formatOfWidth(static_cast<int>(4 * digits.size()));
    if (!formatBytes) {
      return Failure{std::to_string(digits.size()) +
                     " hex digits name no format: give 8, 16 or 32, or --format"};
    }
  }
  if (digits.size() > static_cast<std::size_t>(2 * *formatBytes)) {
    return Failure{std::to_string(digits.size()) + " hex digits are too many for " +
                   spec(*formatBytes).name};
  }
  bits = 0;
  for (const char c : digits) {
    const int d = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    bits = (bits << 4) | static_cast<Encoding>(d);
  }
  return std::nullopt;
}

std::optional<Failure> readFields(std::string_view text, std::optional<int>& formatBytes,
                                  Encoding& bits) {
  std::string joined;
  std::vector<std::size_t> widths;
  std::size_t start = 0;
  for (;;) {
    const std::size_t colon = text.find(':', start);
    const std::string_view field = text.substr(start, colon - start);
    for (std::size_t i = 0; i < field.size(); ++i) {
      if (field[i] != '0' && field[i] != '1') {
        return Failure{"bit field " + std::to_string(widths.size() + 1) + " holds '" +
                       std::string(1, field[i]) + "' at position " + std::to_string(i + 1)};
      }
    }
    joined += field;
    widths.push_back(field.size());
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  std::optional<int> named;
  for (const int fb : {4, 8, 16}) {
    const FormatSpec& f = spec(fb);
    const auto we = static_cast<std::size_t>(f.exponentWidth);
    const auto wt = static_cast<std::size_t>(f.fractionWidth);
    if (widths == std::vector<std::size_t>{1, we, wt}) named = fb;
    if (f.fractionLowEdit != 0 &&
        widths == std::vector<std::size_t>{1, we, static_cast<std::size_t>(f.fractionHighWidth),
                                           static_cast<std::size_t>(f.fractionLowWidth)}) {
      named = fb;
    }
  }
  std::string shape;
  for (const std::size_t w : widths) shape += (shape.empty() ? "" : ":") + std::to_string(w);
  if (!named) return Failure{"bit fields of widths " + shape + " are no format's"};
  if (formatBytes && *formatBytes != *named) {
    return Failure{"bit fields of widths " + shape + " are " + spec(*named).name + ", not " +
                   spec(*formatBytes).name};
  }
  formatBytes = named;
  bits = BitStringLayout::read(joined, *named).value_or(0);
  return std::nullopt;
}

// The stored value of a typed decimal, or why there is none. `typed` receives the number read.
std::optional<Failure> readDecimal(const std::string& text, int formatBytes, Encoding& bits,
                                   TypedNumber& typed, bool& word) {
  AppState state;
  state.formatBytes = formatBytes;
  state.xText.assign(text);
  specialWordCheck(state);
  word = state.isInfinite || state.isNaN;
  if (word) {
    bits = specialValueEncoding(state);
    return std::nullopt;
  }
  const DecimalInput::Result result = DecimalInput::read(text, formatBytes, &typed);
  switch (result.outcome) {
    case InputOutcome::Parsed:
      bits = result.bits;
      word = !typed.isNumber;
      return std::nullopt;
    case InputOutcome::NothingRead:
      return Failure{"no number in \"" + text + "\""};
    case InputOutcome::Rejected:
    default:
      if (typed.isNumber) {
        return Failure{"\"" + text + "\" is beyond the largest finite " + spec(formatBytes).name};
      }
      return Failure{"\"" + text + "\" is not a number (Invalid Value)"};
  }
}

// --- The views ---

// An AppState classified from the encoding, as a refresh from these bits would leave it.
AppState classified(Encoding bits, int formatBytes) {
  const FormatSpec& f = spec(formatBytes);
  AppState state;
  state.formatBytes = formatBytes;
  state.setCurrentValue(bits);
  const std::string text = BitStringLayout::write(bits, formatBytes);
  const auto we = static_cast<std::size_t>(f.exponentWidth);
  classifyBitFields(state, f.exponentWidth, f.fractionWidth, std::string_view(text).substr(1, we),
                    std::string_view(text).substr(1 + we));
  composeDataTypeLabel(state);
  return state;
}

std::string sciOf(const std::optional<Encoding>& bits, int formatBytes) {
  return bits ? trimmed(SciLayout::write(*bits, formatBytes)) : std::string();
}

std::vector<Field> views(Encoding bits, int formatBytes, const std::optional<TypedNumber>& typed) {
  const FormatSpec& f = spec(formatBytes);
  AppState state = classified(bits, formatBytes);
  const std::string text = BitStringLayout::write(bits, formatBytes);
  const auto we = static_cast<std::size_t>(f.exponentWidth);
  const std::string exponentText = text.substr(1, we);
  const std::string fractionText = text.substr(1 + we);

  std::string hex = "0x";
  for (int shift = f.bits - 4; shift >= 0; shift -= 4)
    hex += "0123456789ABCDEF"[(bits >> shift) & 0xF];

  const std::optional<ExactDecimal> exact = exactValue(bits, formatBytes);
  std::vector<Field> fields{
      {"format", "format", f.name},
      {"bits", "bits", text.substr(0, 1) + ":" + exponentText + ":" + fractionText},
      {"hex", "hex", hex},
      {"class", "class", std::string(state.dataTypeLabel.trimmed())},
      {"exact", "exact", exact ? std::optional<std::string>(sciText(*exact)) : std::nullopt},
  };
  if (typed) {
    std::optional<std::string> error, ratio;
    if (typed->isNumber) {
      if (const std::optional<ExactDecimal> e = conversionError(*typed, bits, formatBytes)) {
        error = sciText(*e);
        ratio = ratioText(*e, ulpParameter(state).exactBits.value_or(0), formatBytes);
      }
    }
    fields.push_back({"error", "error", error});
    fields.push_back({"error_ulp", "error/ULP(X)", ratio});
  }
  fields.push_back({"x", "X", trimmed(SignedSciLayout::write(bits, formatBytes))});

  // The window offers the parameters for finite data only.
  std::optional<std::string> exponent, mark, significand, ulp, up, down, epsilon;
  if (state.isFinite) {
    const ParameterText e = exponentParameter(state, exponentText);
    exponent = e.valueText;
    if (e.caption.ends_with("(Emin)")) mark = "Emin";
    if (e.caption.ends_with("(Emax)")) mark = "Emax";
    significand = significandParameter(state, fractionText).valueText;
    ulp = ulpParameter(state).valueText;
    up = neighbourParameter(state, true, false).valueText;
    down = neighbourParameter(state, false, false).valueText;
    epsilon = sciOf(epsilonParameter(state).exactBits, formatBytes);
  }
  fields.push_back({"exponent", "exponent", exponent});
  fields.push_back({"exponent_mark", "exponent mark", mark});
  fields.push_back({"significand", "significand", significand});
  fields.push_back({"ulp", "ULP", ulp});
  fields.push_back({"x_plus", "X+", up});
  fields.push_back({"x_minus", "X-", down});
  fields.push_back({"epsilon", "epsilon", epsilon});
  return fields;
}

// --- Output ---

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

std::string asText(const std::vector<Field>& fields) {
  std::string out;
  for (const Field& field : fields) {
    std::string label = std::string(field.label) + ":";
    label.resize(std::max<std::size_t>(label.size() + 1, 15), ' ');
    out += label + field.value.value_or("-") + "\n";
  }
  return out;
}

std::string asJson(const std::vector<Field>& fields, std::string_view indent) {
  std::string out = "{";
  for (std::size_t i = 0; i < fields.size(); ++i) {
    out += (i == 0 ? "\n" : ",\n") + std::string(indent) + "  " + jsonString(fields[i].key) + ": ";
    out += fields[i].value ? jsonString(*fields[i].value) : "null";
  }
  return out + "\n" + std::string(indent) + "}";
}

}  // namespace

int run(const std::vector<std::string>& args, std::string& out, std::string& err) {
  std::optional<int> formatBytes;
  bool all = false, json = false;
  std::optional<std::string> value;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      out = kHelp;
      return kExitOk;
    }
    if (arg == "--json") {
      json = true;
    } else if (arg == "--format") {
      if (i + 1 == args.size()) {
        err = "orbalta-cli: --format needs 32, 64, 128 or all\n";
        return kExitBadInput;
      }
      const std::string& which = args[++i];
      all = which == "all";
      formatBytes = all ? std::nullopt : formatOfWidth(std::atoi(which.c_str()));
      if (!all && (!formatBytes || std::to_string(8 * *formatBytes) != which)) {
        err = "orbalta-cli: --format " + which + ": give 32, 64, 128 or all\n";
        return kExitBadInput;
      }
    } else if (arg.size() > 2 && arg.starts_with("--")) {
      err = "orbalta-cli: unknown option " + arg + "\n" + kUsage;
      return kExitBadInput;
    } else if (value) {
      err = "orbalta-cli: one VALUE only, \"" + arg + "\" is a second\n";
      return kExitBadInput;
    } else {
      value = arg;
    }
  }
  if (!value) {
    err = std::string("orbalta-cli: no VALUE\n") + kUsage;
    return kExitBadInput;
  }

  const std::string& text = *value;
  const bool hex = text.starts_with("0x") || text.starts_with("0X");
  const bool fields = !hex && text.find(':') != std::string::npos;
  if ((hex || fields) && all) {
    err = "orbalta-cli: an encoding belongs to one format: --format 32, 64 or 128\n";
    return kExitBadInput;
  }

  std::vector<std::vector<Field>> results;
  std::optional<Failure> failure;
  if (hex || fields) {
    Encoding bits = 0;
    failure = hex ? readHex(std::string_view(text).substr(2), formatBytes, bits)
                  : readFields(text, formatBytes, bits);
    if (!failure) results.push_back(views(bits, *formatBytes, std::nullopt));
  } else {
    std::vector<int> formats{4, 8, 16};
    if (formatBytes) formats = {*formatBytes};
    for (const int fb : formats) {
      Encoding bits = 0;
      TypedNumber typed;
      bool word = false;
      const std::optional<Failure> f = readDecimal(text, fb, bits, typed, word);
      if (f) {
        if (!failure) failure = f;
        // Beyond one format's range is no failure while another format holds the value.
        if (typed.isNumber && formats.size() > 1) {
          results.push_back(
              {{"format", "format", spec(fb).name}, {"rejected", "rejected", f->message}});
        }
        continue;
      }
      results.push_back(views(bits, fb, typed));
    }
    bool anyValue = false;
    for (const auto& r : results) anyValue = anyValue || r.size() > 2;
    if (anyValue) failure.reset();
  }
  if (failure) {
    err = "orbalta-cli: " + failure->message + "\n";
    return kExitBadInput;
  }

  if (json && results.size() == 1) {
    out = asJson(results[0], "") + "\n";
  } else if (json) {
    out = "{";
    for (std::size_t i = 0; i < results.size(); ++i) {
      out += (i == 0 ? "\n  " : ",\n  ") + jsonString(*results[i][0].value) + ": " +
             asJson(results[i], "  ");
    }
    out += "\n}\n";
  } else {
    for (std::size_t i = 0; i < results.size(); ++i)
      out += (i == 0 ? "" : "\n") + asText(results[i]);
  }
  return kExitOk;
}

}  // namespace orbalta::cli
