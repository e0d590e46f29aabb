// The text layer against the library calls it rests on: DecimalInput::read against strtof,
// strtod and strtoflt128 on the same text, and each scientific layout against the bare
// "%.*e" / "%.*Qe" conversion of the same value. Every pair runs in the same process,
// interleaved, and the table at the end gives ours / raw per call.

#include <benchmark/benchmark.h>
#include <gmp.h>
#include <mpfr.h>
#include "textconv/bit_cast.h"
#include "textconv/quad_math.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "textconv/decimal_input.h"
#include "textconv/layouts.h"

namespace {

using orbalta::DecimalInput;
using orbalta::Encoding;
using orbalta::float128;

// What a person types into X: short numbers, constants, powers of ten, all in binary32's range
// and within 10^±48 of one, so that binary128 takes its exact one-operation path.
// clang-format off
const std::vector<std::string> kTypical = {
    "0.1", "1.5", "-2.75", "3.14159", "2.718281828", "100", "1e10", "6.02214076e23",
    "1.602176634e-19", "0.333333", "123456789", "-0.0001", "9.81", "299792458", "6.62607015e-34",
    "1.17549435e-38", "3.4028235e38", "0.5", "-1", "42", "1.0e-5", "65504", "0.2", "12.375",
    "-7.5e3", "2.5E-3", "1234.5678", "0.7071067811865476", "1.4142135623730951",
    "3.141592653589793", "1e-7", "8388608", "16777217", "0.3", "-3.25e12", "5e-10", "4.669201609",
    "1.61803398875", "0.000123", "7"};
// clang-format on

// The ends of each format's range, as a person explores them.
const std::vector<std::string> kExtremes32 = {"1.4e-45", "1.17549435e-38", "3.4028235e38",
                                              "1e-40",   "-3.4028234e38",  "1e38"};
const std::vector<std::string> kExtremes64 = {"4.9406564584124654e-324",
                                              "2.2250738585072014e-308",
                                              "1.7976931348623157e308",
                                              "1e100",
                                              "-1e-300",
                                              "1e308"};
const std::vector<std::string> kExtremes128 = {"6.475175119438025110924438958227646552e-4966",
                                               "3.362103143112093506262677817321752603e-4932",
                                               "1.189731495357231765085759326628007016e4932",
                                               "1e100",
                                               "-1e-300",
                                               "1e4000"};

// Pasted values with more digits than binary128 holds exactly (35 to 42 significant digits),
// cut to what X holds in each format (13, 22, 40 characters): longer text never reaches the
// reader.
const std::vector<std::string> kLong = {"3.14159265358979323846264338327950288419716",
                                        "2.71828182845904523536028747135266249775724",
                                        "0.10000000000000000000000000000000000000001",
                                        "1.41421356237309504880168872420969807856967",
                                        "6.02214076000000000000000000000000000001e23",
                                        "9.87654321098765432109876543210987654321",
                                        "1.61803398874989484820458683436563811772030",
                                        "0.333333333333333333333333333333333333333333",
                                        "-1.2345678901234567890123456789012345678e-10",
                                        "5.00000000000000000000000000000000000000001e-5"};

struct Format {
  int bytes;
  const char* name;
  const std::vector<std::string>* extremes;
  std::size_t xLength;
};
const Format kFormats[] = {{4, "binary32", &kExtremes32, 13},
                           {8, "binary64", &kExtremes64, 22},
                           {16, "binary128", &kExtremes128, 40}};

struct Mix {
  const char* name;
  std::vector<std::string> texts;
};

std::vector<Mix> mixesOf(const Format& format) {
  std::vector<std::string> longest;
  for (const std::string& text : kLong) longest.push_back(text.substr(0, format.xLength));
  return {{"typical", kTypical}, {"extremes", *format.extremes}, {"long", longest}};
}

// The raw library call that DecimalInput::read rests on for this format.
Encoding rawRead(const std::string& text, int formatBytes) {
  switch (formatBytes) {
    case 4:
      return orbalta::bit_cast<std::uint32_t>(std::strtof(text.c_str(), nullptr));
    case 8:
      return orbalta::bit_cast<std::uint64_t>(std::strtod(text.c_str(), nullptr));
    default:
      return orbalta::bit_cast<Encoding>(strtoflt128(text.c_str(), nullptr));
  }
}

// The raw conversion a layout rests on, with the layout's own number of digits.
int rawScientific(Encoding bits, int formatBytes, int digits, char* out, std::size_t size) {
  switch (formatBytes) {
    case 4:
      return std::snprintf(
          out, size, "%.*e", digits,
          static_cast<double>(orbalta::bit_cast<float>(static_cast<std::uint32_t>(bits))));
    case 8:
      return std::snprintf(out, size, "%.*e", digits,
                           orbalta::bit_cast<double>(static_cast<std::uint64_t>(bits)));
    default:
      return quadmath_snprintf(out, size, "%.*Qe", digits, orbalta::bit_cast<float128>(bits));
  }
}

struct Layout {
  const char* name;
  std::string (*write)(Encoding, int);
  int digits[3];  // after the point, binary32 / binary64 / binary128
};
const Layout kLayouts[] = {
    {"SciLayout", &orbalta::SciLayout::write, {7, 16, 33}},
    {"SignedSciLayout", &orbalta::SignedSciLayout::write, {7, 16, 33}},
    {"SignificandLayout", &orbalta::SignificandLayout::write, {7, 15, 33}},
};

int formatIndex(int bytes) {
  return bytes == 4 ? 0 : bytes == 8 ? 1 : 2;
}

// One row of the ratio table: two benchmarks over the same `count` items.
struct Pair {
  std::string what;
  std::string format;
  std::string mix;
  std::string rawCall;
  std::string ours;
  std::string raw;
  std::size_t count;
};

// Keeps the median CPU time per iteration of every benchmark, and shows only the medians.
class Collector : public benchmark::ConsoleReporter {
 public:
  Collector() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> shown;
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      // With one repetition there is no aggregate; the single run is its own median.
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (median || (run.run_type == Run::RT_Iteration && run.repetitions <= 1)) {
        nanoseconds[run.run_name.function_name] = run.GetAdjustedCPUTime();
        shown.push_back(run);
      }
    }
    if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
  }
  std::map<std::string, double> nanoseconds;
};

template <class Item, class Call>
void registerPairHalf(const std::string& name, std::vector<Item> items, Call call) {
  benchmark::RegisterBenchmark(name.c_str(), [items = std::move(items),
                                              call](benchmark::State& state) {
    for (auto _ : state) {
      for (const Item& item : items) benchmark::DoNotOptimize(call(item));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(items.size()));
  })->Unit(benchmark::kNanosecond);
}

std::vector<Pair> registerAll() {
  std::vector<Pair> pairs;
  for (const Format& format : kFormats) {
    const int bytes = format.bytes;
    const std::string readCall = bytes == 4 ? "strtof" : bytes == 8 ? "strtod" : "strtoflt128";
    for (const Mix& mix : mixesOf(format)) {
      Pair pair{"DecimalInput::read",
                format.name,
                mix.name,
                readCall,
                std::string("read/") + format.name + "/" + mix.name,
                readCall + "/" + format.name + "/" + mix.name,
                mix.texts.size()};
      registerPairHalf(pair.ours, mix.texts, [bytes](const std::string& text) {
        return DecimalInput::read(text, bytes).bits;
      });
      registerPairHalf(pair.raw, mix.texts,
                       [bytes](const std::string& text) { return rawRead(text, bytes); });
      pairs.push_back(pair);
      if (bytes == 16 && mix.name != std::string("typical")) {
        // What this path rests on: strtoflt128 is not correctly rounded, MPFR is.
        Pair exact{"DecimalInput::read",
                   format.name,
                   mix.name,
                   "mpfr_strtofr (113 bits)",
                   pair.ours,
                   std::string("mpfr/") + format.name + "/" + mix.name,
                   mix.texts.size()};
        registerPairHalf(exact.raw, mix.texts, [](const std::string& text) {
          static mpfr_t x;
          static const bool ready = (mpfr_init2(x, 113), true);
          benchmark::DoNotOptimize(ready);
          return mpfr_strtofr(x, text.c_str(), nullptr, 10, MPFR_RNDN);
        });
        pairs.push_back(exact);
      }
    }

    // Layouts write what the fields hold: the values of the typical and extreme inputs.
    std::vector<Encoding> values;
    for (const auto* texts : {&kTypical, format.extremes}) {
      for (const std::string& text : *texts) {
        const DecimalInput::Result r = DecimalInput::read(text, bytes);
        if (r.outcome == orbalta::InputOutcome::Parsed) values.push_back(r.bits);
      }
    }
    const std::string writeCall = bytes == 16 ? "quadmath_snprintf %.*Qe" : "snprintf %.*e";
    for (const Layout& layout : kLayouts) {
      const int digits = layout.digits[formatIndex(bytes)];
      Pair pair{layout.name,
                format.name,
                "typical+extremes",
                writeCall,
                std::string(layout.name) + "/" + format.name,
                std::string("printf/") + layout.name + "/" + format.name,
                values.size()};
      registerPairHalf(pair.ours, values,
                       [write = layout.write, bytes](Encoding bits) { return write(bits, bytes); });
      registerPairHalf(pair.raw, values, [bytes, digits](Encoding bits) {
        char out[80];
        const int n = rawScientific(bits, bytes, digits, out, sizeof out);
        benchmark::DoNotOptimize(out);
        return n;
      });
      pairs.push_back(pair);
    }
  }
  return pairs;
}

void printRatios(const std::vector<Pair>& pairs, const std::map<std::string, double>& ns) {
  std::printf(
      "\nText layer: nanoseconds per call (median CPU time of the repetitions), ratio = ours / "
      "raw call\n");
  std::printf("%-20s %-10s %-17s %10s %10s %7s  %s\n", "what", "format", "inputs", "ours", "raw",
              "ratio", "raw call");
  for (const Pair& pair : pairs) {
    const auto ours = ns.find(pair.ours);
    const auto raw = ns.find(pair.raw);
    if (ours == ns.end() || raw == ns.end()) continue;  // filtered out on the command line
    const double oursNs = ours->second / static_cast<double>(pair.count);
    const double rawNs = raw->second / static_cast<double>(pair.count);
    const double ratio = oursNs / rawNs;
    std::printf("%-20s %-10s %-17s %10.1f %10.1f %6.2fx%s  %s\n", pair.what.c_str(),
                pair.format.c_str(), pair.mix.c_str(), oursNs, rawNs, ratio,
                ratio > 1.5 ? "!" : " ", pair.rawCall.c_str());
  }
  std::printf("(! = above the 1.5x target)\n");
}

}  // namespace

int main(int argc, char** argv) {
  // Repetitions interleaved at random, so that a slow moment of a shared machine falls on
  // both halves of a pair alike. Later flags on the command line override these.
  std::vector<char*> args{argv[0]};
  std::string defaults[] = {"--benchmark_repetitions=9", "--benchmark_min_time=0.1",
                            "--benchmark_enable_random_interleaving=true",
                            "--benchmark_report_aggregates_only=true"};
  for (std::string& flag : defaults) args.push_back(flag.data());
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 2;

  const std::vector<Pair> pairs = registerAll();
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  printRatios(pairs, collector.nanoseconds);
  benchmark::Shutdown();
  return 0;
}
