// The run over the values and the two ways of writing the views: labelled lines or JSON.
// One VALUE is written as it always was; several (or standard input) give one record each,
// written as soon as it is known, so a long input is never held in memory.

#include "tools/cli/cli.h"

#include <algorithm>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>

#include "tools/cli/json_text.h"
#include "tools/cli/options.h"

#ifndef ORBALTA_VERSION
#define ORBALTA_VERSION "unknown"
#endif

namespace orbalta::cli {

namespace {

std::string asText(const Views& fields) {
  std::string out;
  for (const Field& field : fields) {
    std::string label = std::string(field.label) + ":";
    label.resize(std::max<std::size_t>(label.size() + 1, 15), ' ');
    out += label + field.value.value_or("-") + "\n";
  }
  return out;
}

// The members of a JSON object, each after `open` or `between`, then `close`.
struct Layout {
  std::string open, between, close;
};

Layout pretty(const std::string& indent) {
  return {"{\n" + indent + "  ", ",\n" + indent + "  ", "\n" + indent + "}"};
}

const Layout kOneLine{"{", ", ", "}"};

std::string member(const std::string& key, const std::string& value) {
  return jsonString(key) + ": " + value;
}

std::string asJson(const Views& fields, const Layout& layout, std::string out = "") {
  for (const Field& field : fields) {
    // Keys are plain words: no escape to look for.
    out += out.empty() ? layout.open : layout.between;
    out += '"';
    out += field.key;
    out += "\": ";
    out += field.value ? jsonString(*field.value) : "null";
  }
  return out + layout.close;
}

// All formats of one value: one object each, keyed by the format's name.
std::string asJson(const std::vector<Views>& results, const Layout& outer, const Layout& inner,
                   std::string out = "") {
  for (const Views& views : results) {
    out +=
        (out.empty() ? outer.open : outer.between) + member(*views[0].value, asJson(views, inner));
  }
  return out + outer.close;
}

std::string written(const std::vector<Views>& results, bool json) {
  if (json && results.size() == 1) return asJson(results[0], pretty("")) + "\n";
  if (json) return asJson(results, pretty(""), pretty("  ")) + "\n";
  std::string out;
  for (std::size_t i = 0; i < results.size(); ++i) out += (i == 0 ? "" : "\n") + asText(results[i]);
  return out;
}

// One record of a run over several values: the value first, then its views or its rejection.
std::string record(const std::string& text, const Outcome& outcome, bool json) {
  if (!json) {
    Views head{{"value", "value", escaped(text)}};
    if (outcome.failure) head.push_back({"rejected", "rejected", outcome.failure->message});
    std::string out = asText(head);
    for (std::size_t i = 0; i < outcome.results.size(); ++i)
      out += (i == 0 ? "" : "\n") + asText(outcome.results[i]);
    return out;
  }
  std::string out = "{" + member("value", jsonString(text));
  if (outcome.failure) out += ", " + member("rejected", jsonString(outcome.failure->message));
  // The members go on after the value's.
  const Layout rest{"", ", ", "}\n"};
  if (outcome.results.size() == 1) return asJson(outcome.results[0], rest, out);
  if (outcome.results.empty()) return out + rest.close;
  return asJson(outcome.results, rest, kOneLine, out);
}

class Run {
 public:
  Run(const Options& options, std::ostream& out) : options_(options), out_(out) {}

  // false once the output has failed: nothing more is worth computing.
  bool value(std::string text) {
    const Outcome outcome = evaluate(text, options_.request);
    ++count_;
    if (outcome.failure) ++rejected_;
    out_ << (count_ > 1 && !options_.json ? "\n" : "") << record(text, outcome, options_.json);
    return static_cast<bool>(out_);
  }

  bool lines(std::istream& in) {
    std::string line;
    while (std::getline(in, line)) {
      // A line of a file written on Windows ends in CR LF.
      if (line.ends_with('\r')) line.pop_back();
      if (!value(std::move(line))) return false;
      line.clear();
    }
    return true;
  }

  int status(std::ostream& err) const {
    if (rejected_ == 0) return kExitOk;
    err << "orbalta-cli: " << rejected_ << " of " << count_ << " values rejected\n";
    return kExitBadInput;
  }

 private:
  const Options& options_;
  std::ostream& out_;
  std::size_t count_ = 0, rejected_ = 0;
};

int runMany(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
  Run run(options, out);
  for (const std::string& text : options.values) {
    const bool more = text == "-" ? run.lines(in) : run.value(text);
    if (!more) return kExitOutputFailed;
  }
  return run.status(err);
}

}  // namespace

int run(const std::vector<std::string>& args, std::istream& in, bool inputIsTerminal,
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
  if (options.values.empty() && !inputIsTerminal) options.values.push_back("-");
  if (options.values.empty()) {
    err << "orbalta-cli: no VALUE\n" << kUsage;
    return kExitBadInput;
  }
  if (options.values.size() > 1 || options.values[0] == "-") {
    return runMany(options, in, out, err);
  }
  const Outcome outcome = evaluate(options.values[0], options.request);
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
