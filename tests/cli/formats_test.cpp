// orbalta-cli in the formats the window does not have, and in every rounding direction.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/cli/cli_rows.h"

namespace orbalta::cli {
namespace {

const std::string kZeros63(63, '0');

const Row kEncodingsOfEveryFormatRows[] = {
    {"4 hex digits name binary16: its largest finite",
     {"0x7BFF"},
     0,
     {"format:        binary16", "bits:          0:11110:1111111111",
      "class:         Normalized Number", "exact:         6.5504e+4", "exponent:      15",
      "ULP:           3.2e+1", "X+:            Infinity", "X-:            6.5472e+4"},
     ""},
    {"binary16 smallest subnormal",
     {"0x0001"},
     0,
     {"class:         Denormalized Number", "exact:         5.9604644775390625e-8",
      "exponent:      -14", "ULP:           5.9604644775390625e-8", "X-:            0",
      "X+:            1.1920928955078125e-7"},
     ""},
    {"binary16 -0 by fields",
     {"1:00000:0000000000"},
     0,
     {"class:         Signed Zero", "exact:         -0", "X+:            5.9604644775390625e-8",
      "X-:            -5.9604644775390625e-8"},
     ""},
    {"binary16 from the largest subnormal up to the smallest normal",
     {"0x03FF"},
     0,
     {"X+:            6.103515625e-5", "exponent:      -14"},
     ""},
    {"binary16 from the smallest normal down a subnormal step",
     {"--format", "16", "0x0400"},
     0,
     {"class:         Normalized Number", "X-:            6.0975551605224609375e-5"},
     ""},
    {"bfloat16 needs its name: infinity",
     {"--format", "bf16", "0x7F80"},
     0,
     {"format:        bfloat16", "class:         Signed Infinity", "exact:         -",
      "ULP:           -"},
     ""},
    {"bfloat16 NaN", {"--format", "bf16", "0xFFC1"}, 0, {"class:         Not-a-Number"}, ""},
    {"bfloat16 by fields 1:8:7",
     {"0:01111111:0000000"},
     0,
     {"format:        bfloat16", "exact:         1e+0", "epsilon:       7.8125e-3"},
     ""},
    {"x87 one",
     {"0x3FFF8000000000000000"},
     0,
     {"format:        x87 extended", "bits:          0:011111111111111:1:" + kZeros63,
      "class:         Normalized Number", "exact:         1e+0",
      "epsilon:       1.08420217248550443400745280086994171142578125e-19",
      "X-:            9.999999999999999999457898913757247782996273599565029144287109375e-1"},
     ""},
    {"x87 unnormal: no value",
     {"0x3FFF0000000000000001"},
     0,
     {"class:         Unnormal", "exact:         -", "X+:            -"},
     ""},
    {"x87 pseudo-denormal has the value of its exponent 1",
     {"0x00008000000000000000"},
     0,
     {"class:         Pseudo-Denormal", "exponent:      -16382"},
     ""},
    {"x87 denormal", {"0x00000000000000000001"}, 0, {"class:         Denormalized Number"}, ""},
    {"x87 pseudo-infinity", {"0x7FFF0000000000000000"}, 0, {"class:         Pseudo-Infinity"}, ""},
    {"x87 pseudo-NaN", {"0xFFFF4000000000000000"}, 0, {"class:         Pseudo-NaN"}, ""},
    {"x87 infinity", {"0xFFFF8000000000000000"}, 0, {"class:         Signed Infinity"}, ""},
    {"x87 NaN", {"0x7FFFC000000000000000"}, 0, {"class:         Not-a-Number"}, ""},
    {"x87 by fields with the integer bit apart",
     {"0:011111111111111:1:" + kZeros63},
     0,
     {"hex:           0x3FFF8000000000000000"},
     ""},
    {"x87 by fields 1:15:64",
     {"0:011111111111111:1" + kZeros63},
     0,
     {"hex:           0x3FFF8000000000000000"},
     ""},
    {"binary256 one",
     {"--format", "256", "1"},
     0,
     {"hex:           0x3FFFF" + std::string(59, '0'), "exact:         1e+0", "error:         0",
      "exponent:      0"},
     ""},
    {"64 hex digits name binary256",
     {"0x" + std::string(64, '0')},
     0,
     {"class:         Signed Zero"},
     ""},
    {"E,P: 3 exponent bits, precision 2",
     {"--format", "3,2", "0.3"},
     0,
     {"format:        e3p2", "bits:          0:001:0", "hex:           0x02",
      "exact:         2.5e-1", "error:         5e-2", "error/ULP(X):  0.4000",
      "X+:            3.75e-1", "epsilon:       5e-1"},
     ""},
    {"E,P of an interchange format is named so",
     {"--format", "5,11", "1"},
     0,
     {"format:        binary16"},
     ""},
    {"E,P hex beyond its width",
     {"--format", "3,2", "0x3F"},
     2,
     {},
     "orbalta-cli: 0x3F has more than the 5 bits of e3p2\n"},
    {"E,P fields must be its own",
     {"--format", "3,2", "0:01111111:0000000"},
     2,
     {},
     "orbalta-cli: bit fields of widths 1:8:7 are bfloat16, not e3p2\n"},
    {"E,P too wide",
     {"--format", "19,238", "1"},
     2,
     {},
     "orbalta-cli: --format 19,238: give 32, 64, 128, all, 16, bf16, 80, 256 or E,P\n"},
    {"E,P exponent too wide",
     {"--format", "20,8", "1"},
     2,
     {},
     "orbalta-cli: --format 20,8: give 32, 64, 128, all, 16, bf16, 80, 256 or E,P\n"},
    {"E,P precision 1 has no NaN",
     {"--format=8,1", "1"},
     2,
     {},
     "orbalta-cli: --format 8,1: give 32, 64, 128, all, 16, bf16, 80, 256 or E,P\n"},
    {"words in the engine's formats",
     {"--format", "80", "-inf"},
     0,
     {"hex:           0xFFFF8000000000000000", "error:         -"},
     ""},
    {"binary16 rejects beyond its range under nearest-even",
     {"--format", "16", "65520"},
     2,
     {},
     "orbalta-cli: \"65520\" is beyond the largest finite binary16\n"},
    {"binary16 keeps what rounds down to its largest",
     {"--format", "16", "65519.99"},
     0,
     {"hex:           0x7BFF"},
     ""},
};

TEST(FormatsTest, EncodingsOfEveryFormat) {
  checkRows(kEncodingsOfEveryFormatRows);
}

const Row kRoundingDirectionsRows[] = {
    {"down: the error is positive",
     {"--format", "32", "--round", "down", "0.1"},
     0,
     {"hex:           0x3DCCCCCC", "error:         5.9604644775390625e-9", "error/ULP(X):  0.8000"},
     ""},
    {"up: negative",
     {"--format", "32", "--round=up", "0.1"},
     0,
     {"hex:           0x3DCCCCCD", "error:         -1.490116119384765625e-9"},
     ""},
    {"zero on a negative value",
     {"--format", "64", "--round", "zero", "-0.1"},
     0,
     {"hex:           0xBFB9999999999999"},
     ""},
    {"toward zero, overflow gives the largest finite",
     {"--format", "64", "--round", "zero", "1e400"},
     0,
     {"hex:           0x7FEFFFFFFFFFFFFF", "exponent mark: Emax"},
     ""},
    {"up, a negative overflow gives the largest negative",
     {"--format", "64", "--round", "up", "-1e400"},
     0,
     {"hex:           0xFFEFFFFFFFFFFFFF"},
     ""},
    {"down, a negative overflow gives minus infinity",
     {"--format", "64", "--round", "down", "-1e400"},
     0,
     {"hex:           0xFFF0000000000000", "class:         Signed Infinity", "error:         -"},
     ""},
    {"nearest-away overflows to infinity",
     {"--format", "128", "--round", "nearest-away", "1e5000"},
     0,
     {"hex:           0x7FFF0000000000000000000000000000"},
     ""},
    {"nearest-even stays rejected",
     {"--format", "64", "--round", "nearest-even", "1e400"},
     2,
     {},
     "orbalta-cli: \"1e400\" is beyond the largest finite binary64\n"},
    {"half the smallest subnormal, ties away",
     {"--format", "32", "--round", "nearest-away",
      "7."
      "006492321624085354618647916449580656401309709382578858785341419448955413429303007433190941"
      "81060791015625e-46"},
     0,
     {"hex:           0x00000001"},
     ""},
    {"half the smallest subnormal, ties to even",
     {"--format", "32",
      "7."
      "006492321624085354618647916449580656401309709382578858785341419448955413429303007433190941"
      "81060791015625e-46"},
     0,
     {"hex:           0x00000000"},
     ""},
    {"up from a tiny value: the smallest subnormal",
     {"--format", "80", "--round", "up", "1e-99999"},
     0,
     {"hex:           0x00000000000000000001"},
     ""},
    {"down from a tiny negative value",
     {"--format", "bf16", "--round", "down", "-1e-99999"},
     0,
     {"hex:           0x8001"},
     ""},
    {"-0 keeps its sign in every direction",
     {"--format", "256", "--round", "up", "-0"},
     0,
     {"class:         Signed Zero", "exact:         -0"},
     ""},
    {"all three formats in a direction",
     {"--round", "down", "0.1"},
     0,
     {"hex:           0x3DCCCCCC", "hex:           0x3FB9999999999999",
      "hex:           0x3FFB9999999999999999999999999999"},
     ""},
    {"bad direction",
     {"--round", "sideways", "1"},
     2,
     {},
     "orbalta-cli: --round sideways: give nearest-even, nearest-away, up, down or zero\n"},
    {"direction missing",
     {"1", "--round"},
     2,
     {},
     "orbalta-cli: --round needs nearest-even, nearest-away, up, down or zero\n"},
};

TEST(FormatsTest, RoundingDirections) {
  checkRows(kRoundingDirectionsRows);
}

// The window's formats through the window's views and the same widths through the engine:
// the same encoding, exact value and error for every direction.
TEST(FormatsTest, EngineAgreesWithTheWindowsViews) {
  const char* kValues[] = {"0.1",          "-2.5e-40", "1e-45",
                           "3.4028235e38", "-1e-320",  "1.7976931348623158e308",
                           "7e-4951",      "0"};
  const char* kKeys[] = {"hex:", "exact:", "error:"};
  for (const char* direction : {"nearest-even", "nearest-away", "up", "down", "zero"}) {
    for (const auto& [window, engine] :
         {std::pair{"32", "8,24"}, {"64", "11,53"}, {"128", "15,113"}}) {
      for (const char* value : kValues) {
        SCOPED_TRACE(std::string(direction) + " " + window + " " + value);
        std::string a, b, err;
        const int sa = run({"--round", direction, "--format", window, value}, a, err);
        const int sb = run({"--round", direction, "--format", engine, value}, b, err);
        ASSERT_EQ(sa, sb);
        for (const char* key : kKeys) {
          const auto line = [&](const std::string& out) {
            const std::size_t at = out.find(std::string("\n") + key);
            return at == std::string::npos ? std::string()
                                           : out.substr(at, out.find('\n', at + 1) - at);
          };
          EXPECT_EQ(line(a), line(b)) << key;
        }
      }
    }
  }
}

}  // namespace
}  // namespace orbalta::cli
