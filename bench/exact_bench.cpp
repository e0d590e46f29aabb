// The exact expansions: the longest one (2^-16494, the smallest binary128 subnormal, 11,529
// digits), and each tool tip as the window builds it on a conversion or a refresh.

#include <benchmark/benchmark.h>

#include <string>

#include "model/app_state.h"
#include "textconv/decimal_input.h"
#include "textconv/exact_decimal.h"
#include "ui/main/value_tips.h"

namespace {

using orbalta::AppState;
using orbalta::Encoding;

void ExpandSmallestBinary128Subnormal(benchmark::State& state) {
  for (auto _ : state) {
    std::string text = orbalta::sciText(*orbalta::exactValue(1, 16));
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(ExpandSmallestBinary128Subnormal)->Unit(benchmark::kMicrosecond);

void ExpandLargestBinary128(benchmark::State& state) {
  const Encoding largest = (~Encoding{0} >> 1) - (Encoding{1} << 112);
  for (auto _ : state) {
    std::string text = orbalta::sciText(*orbalta::exactValue(largest, 16));
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(ExpandLargestBinary128)->Unit(benchmark::kMicrosecond);

void LeadingDigitsSmallestBinary128Subnormal(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t total = 0;
    auto lead = orbalta::leadingDigits(1, 16, 61, total);
    benchmark::DoNotOptimize(lead);
  }
}
BENCHMARK(LeadingDigitsSmallestBinary128Subnormal)->Unit(benchmark::kMicrosecond);

// The X tip after typing `text`: the parse again, the expansion, the error and its ratio.
void TypedTip(benchmark::State& state, const char* text, int formatBytes) {
  AppState app;
  app.formatBytes = formatBytes;
  orbalta::TypedNumber typed;
  app.setCurrentValue(orbalta::DecimalInput::read(text, formatBytes, &typed).bits);
  for (auto _ : state) {
    orbalta::TypedNumber again;
    orbalta::DecimalInput::read(text, formatBytes, &again);
    std::string tip = orbalta::storedValueTip(app, &again);
    benchmark::DoNotOptimize(tip);
  }
}
BENCHMARK_CAPTURE(TypedTip, binary32_0_1, "0.1", 4)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TypedTip, binary64_0_1, "0.1", 8)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TypedTip, binary128_0_1, "0.1", 16)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TypedTip, binary128_smallest_subnormal, "6.5e-4966", 16)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(TypedTip, binary128_largest, "1.18973149535723176508575932662800702e4932", 16)
    ->Unit(benchmark::kMicrosecond);

// The X tip after a refresh of the smallest binary128 subnormal: no typed text.
void RefreshTipSmallestBinary128Subnormal(benchmark::State& state) {
  AppState app;
  app.formatBytes = 16;
  app.setCurrentValue(1);
  for (auto _ : state) {
    std::string tip = orbalta::storedValueTip(app, nullptr);
    benchmark::DoNotOptimize(tip);
  }
}
BENCHMARK(RefreshTipSmallestBinary128Subnormal)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
