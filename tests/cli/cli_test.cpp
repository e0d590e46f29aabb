// orbalta-cli: output lines, JSON keys and exit statuses for each kind of VALUE.

#include "tools/cli/cli.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orbalta {
namespace {

struct Row {
  const char* name;
  std::vector<std::string> args;
  int status;
  std::vector<std::string> lines;  // each must appear in the output as a whole line
  const char* error;               // the whole standard error
};

bool hasLine(const std::string& out, const std::string& line) {
  return ("\n" + out).find("\n" + line + "\n") != std::string::npos;
}

TEST(CliTest, ViewsAndStatuses) {
  const Row rows[] = {
      {"decimal in binary32",
       {"--format", "32", "0.1"},
       0,
       {"format:        binary32", "bits:          0:01111011:10011001100110011001101",
        "hex:           0x3DCCCCCD", "class:         Normalized Number: Real(4)",
        "exact:         1.00000001490116119384765625e-1", "error:         -1.490116119384765625e-9",
        "error/ULP(X):  -0.2000", "X:             +1.0000000E-01", "exponent:      -4",
        "exponent mark: -", "significand:   1.6000000E+00", "ULP:           7.4505806E-09",
        "X+:            1.0000001E-01", "X-:            9.9999994E-02",
        "epsilon:       1.1920929E-07"},
       ""},
      {"hex names binary64",
       {"0x3FF0000000000000"},
       0,
       {"format:        binary64", "exact:         1e+0", "X:             +1.0000000000000000D+00",
        "exponent:      0", "epsilon:       2.2204460492503131D-16"},
       ""},
      {"hex has no error line", {"0x3F800000"}, 0, {"exact:         1e+0"}, ""},
      {"short hex with a format",
       {"--format", "32", "0x1"},
       0,
       {"class:         Denormalized Number",
        "exact:         "
        "1."
        "401298464324817070923729583289916131280261941876515771757068283889791082685860601486638188"
        "36212158203125e-45",
        "exponent:      -126", "exponent mark: Emin", "ULP:           0.0000000E+00"},
       ""},
      {"bits by field",
       {"1:11111111:00000000000000000000000"},
       0,
       {"format:        binary32", "hex:           0xFF800000", "class:         Signed Infinity",
        "exact:         -", "X:             -Infinity", "exponent:      -", "X+:            -"},
       ""},
      {"binary128 fraction split as the window splits it",
       {"0:111111111111110:111111111111111111111111111111111111111111111111:"
        "1111111111111111111111111111111111111111111111111111111111111111"},
       0,
       {"format:        binary128", "exponent mark: Emax",
        "X:             +1.189731495357231765085759326628007D+4932"},
       ""},
      {"negative zero",
       {"--format", "64", "-0"},
       0,
       {"exact:         -0", "error:         0", "error/ULP(X):  0", "class:         Signed Zero"},
       ""},
      {"a word has no error",
       {"--format", "128", "-Infinity"},
       0,
       {"class:         Signed Infinity", "exact:         -", "error:         -",
        "bits:          1:111111111111111:" + std::string(112, '0')},
       ""},
      {"NaN word as X writes it",
       {"--format", "32", "nan"},
       0,
       {"hex:           0x7FFFFFFF", "class:         Not-a-Number"},
       ""},
      {"every format by default",
       {"1.5"},
       0,
       {"format:        binary32", "format:        binary64", "format:        binary128",
        "exact:         1.5e+0"},
       ""},
      {"out of range in some formats",
       {"1e400"},
       0,
       {"rejected:      \"1e400\" is beyond the largest finite binary32",
        "format:        binary128"},
       ""},
      {"out of range in the only format",
       {"--format", "64", "1e400"},
       2,
       {},
       "orbalta-cli: \"1e400\" is beyond the largest finite binary64\n"},
      {"not a number", {"abc"}, 2, {}, "orbalta-cli: \"abc\" is not a number (Invalid Value)\n"},
      {"nothing to read", {"   "}, 2, {}, "orbalta-cli: no number in \"   \"\n"},
      {"bad hex digit", {"0x3G"}, 2, {}, "orbalta-cli: 'G' at position 4 is not a hex digit\n"},
      {"hex of no width",
       {"0x123"},
       2,
       {},
       "orbalta-cli: 3 hex digits name no format: give 8, 16 or 32, or --format\n"},
      {"hex too long",
       {"--format", "32", "0x3FF0000000000000"},
       2,
       {},
       "orbalta-cli: 16 hex digits are too many for binary32\n"},
      {"hex with all",
       {"--format", "all", "0x3F800000"},
       2,
       {},
       "orbalta-cli: an encoding belongs to one format: --format 32, 64 or 128\n"},
      {"bad bit",
       {"0:0111x111:00000000000000000000000"},
       2,
       {},
       "orbalta-cli: bit field 2 holds 'x' at position 5\n"},
      {"fields of no format",
       {"0:0111:0"},
       2,
       {},
       "orbalta-cli: bit fields of widths 1:4:1 are no format's\n"},
      {"fields of another format",
       {"--format", "64", "0:01111111:00000000000000000000000"},
       2,
       {},
       "orbalta-cli: bit fields of widths 1:8:23 are binary32, not binary64\n"},
      {"bad format",
       {"--format", "16", "1"},
       2,
       {},
       "orbalta-cli: --format 16: give 32, 64, 128 or all\n"},
      {"format without value",
       {"--format"},
       2,
       {},
       "orbalta-cli: --format needs 32, 64, 128 or all\n"},
      {"two values", {"1", "2"}, 2, {}, "orbalta-cli: one VALUE only, \"2\" is a second\n"},
      // Exponents beyond 16 digits and errors whose shift is beyond a million digits.
      {"exponent of 17 digits kept",
       {"--format", "64", "1e-10000000000000000"},
       0,
       {"error:         1e-10000000000000000", "error/ULP(X):  9.007e-9999999999999985"},
       ""},
      {"error ratio of a tiny value",
       {"--format", "64", "1e-2000000"},
       0,
       {"error:         1e-2000000", "error/ULP(X):  9.007e-1999985"},
       ""},
      {"exponent beyond 64 bits, point and sign",
       {"--format", "32", "-12.50e-99999999999999999999999"},
       0,
       {"error:         -1.25e-99999999999999999999998", "class:         Signed Zero"},
       ""},
      {"exponent with a plus",
       {"--format", "128", "3e+0000000000000000000000000000000000"},
       0,
       {"error:         0", "exact:         3e+0"},
       ""},
      {"huge exponent beyond range",
       {"--format", "32", "1e99999999999999999999"},
       2,
       {},
       "orbalta-cli: \"1e99999999999999999999\" is beyond the largest finite binary32\n"},
      // Messages stay on one line.
      {"line break in VALUE",
       {"1\n2"},
       2,
       {},
       "orbalta-cli: \"1\\n2\" is not a number (Invalid Value)\n"},
      {"control byte in hex",
       {"0x3\x01"},
       2,
       {},
       "orbalta-cli: '\\x01' at position 4 is not a hex digit\n"},
      {"line break in an option",
       {"--x\ny"},
       2,
       {},
       "orbalta-cli: unknown option --x\\ny\nusage: orbalta-cli [--format 32|64|128|all] [--json] "
       "[--] VALUE\n"},
      // Conventions.
      {"-- ends the options", {"--format", "32", "--", "-1"}, 0, {"hex:           0xBF800000"}, ""},
      {"--format=32", {"--format=32", "0.5"}, 0, {"hex:           0x3F000000"}, ""},
      {"--format= bad",
       {"--format=", "0.5"},
       2,
       {},
       "orbalta-cli: --format : give 32, 64, 128 or all\n"},
      {"--version", {"--version"}, 0, {"orbalta-cli 0.1.0"}, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string out, err;
    EXPECT_EQ(cli::run(row.args, out, err), row.status);
    for (const std::string& line : row.lines)
      EXPECT_TRUE(hasLine(out, line)) << line << "\n" << out;
    EXPECT_EQ(err, row.error);
    if (row.status != 0) {
      EXPECT_EQ(out, "");
    }
  }
}

TEST(CliTest, UsageAndHelp) {
  std::string out, err;
  EXPECT_EQ(cli::run({}, out, err), 2);
  EXPECT_TRUE(err.starts_with("orbalta-cli: no VALUE\nusage: orbalta-cli"));
  out.clear();
  err.clear();
  EXPECT_EQ(cli::run({"--bogus", "1"}, out, err), 2);
  EXPECT_TRUE(err.starts_with("orbalta-cli: unknown option --bogus\n"));
  out.clear();
  err.clear();
  EXPECT_EQ(cli::run({"--help"}, out, err), 0);
  EXPECT_TRUE(out.starts_with("usage: orbalta-cli [--format 32|64|128|all] [--json] [--] VALUE\n"));
  EXPECT_EQ(err, "");
}

TEST(CliTest, JsonCarriesTheKeysScriptsRelyOn) {
  std::string out, err;
  ASSERT_EQ(cli::run({"--json", "--format", "32", "0.1"}, out, err), 0);
  EXPECT_EQ(out.substr(0, 2), "{\n");
  for (const char* pair :
       {"\"hex\": \"0x3DCCCCCD\"", "\"class\": \"Normalized Number: Real(4)\"",
        "\"exact\": \"1.00000001490116119384765625e-1\"", "\"error\": \"-1.490116119384765625e-9\"",
        "\"error_ulp\": \"-0.2000\"", "\"exponent_mark\": null"}) {
    EXPECT_NE(out.find(pair), std::string::npos) << pair;
  }
  out.clear();
  ASSERT_EQ(cli::run({"--json", "0x7FC00000"}, out, err), 0);
  EXPECT_NE(out.find("\"exact\": null"), std::string::npos);
  EXPECT_EQ(out.find("\"error\""), std::string::npos);  // no typed decimal, no error
  out.clear();
  ASSERT_EQ(cli::run({"--json", "2"}, out, err), 0);
  for (const char* key : {"\n  \"binary32\": {", ",\n  \"binary64\": {", ",\n  \"binary128\": {"}) {
    EXPECT_NE(out.find(key), std::string::npos) << key;
  }
  EXPECT_TRUE(out.ends_with("\n  }\n}\n"));
}

}  // namespace
}  // namespace orbalta
