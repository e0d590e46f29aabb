// orbalta-cli over several VALUEs and over standard input: one record each, a rejected one
// among the others, the status telling whether any was rejected.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/cli/cli_rows.h"

namespace orbalta::cli {
namespace {

TEST(ManyValuesTest, Records) {
  const std::string kOne32 =
      "\"format\": \"binary32\", \"bits\": \"0:01111111:00000000000000000000000\", \"hex\": "
      "\"0x3F800000\"";
  const Row rows[] = {
      {"two VALUEs",
       {"--format", "32", "1", "2"},
       0,
       {"value:         1", "value:         2", "hex:           0x40000000"},
       ""},
      {"a pipe without VALUE", {"--format", "32"}, 0, {"value:         1"}, "", "1\n"},
      {"- among VALUEs", {"--format", "32", "1", "-", "3"}, 0, {"value:         2"}, "", "2\n"},
      {"JSON Lines",
       {"--json", "--format", "32", "-"},
       2,
       {"{\"value\": \"1\", " + kOne32 +
            ", \"class\": \"Normalized Number: Real(4)\", \"exact\": "
            "\"1e+0\", \"error\": \"0\", \"error_ulp\": \"0\", \"x\": \"+1.0000000E+00\", "
            "\"exponent\": \"0\", \"exponent_mark\": null, \"significand\": \"1.0000000E+00\", "
            "\"ulp\": \"1.1920929E-07\", \"x_plus\": \"1.0000001E+00\", \"x_minus\": "
            "\"9.9999994E-01\", \"epsilon\": \"1.1920929E-07\"}",
        "{\"value\": \"abc\", \"rejected\": \"\\\"abc\\\" is not a number (Invalid Value)\"}",
        "{\"value\": \"\", \"rejected\": \"no number in \\\"\\\"\"}"},
       "orbalta-cli: 2 of 3 values rejected\n",
       "1\nabc\n\n"},
      {"a line of a Windows file",
       {"--json", "--format", "32"},
       0,
       {"{\"value\": \"0x3F800000\", " + kOne32 +
        ", \"class\": \"Normalized Number: Real(4)\", "
        "\"exact\": \"1e+0\", \"x\": \"+1.0000000E+00\", \"exponent\": \"0\", \"exponent_mark\": "
        "null, \"significand\": \"1.0000000E+00\", \"ulp\": \"1.1920929E-07\", \"x_plus\": "
        "\"1.0000001E+00\", \"x_minus\": \"9.9999994E-01\", \"epsilon\": \"1.1920929E-07\"}"},
       "",
       "0x3F800000\r\n"},
      {"an encoding among decimals with all formats",
       {"--json", "--format", "all", "1", "0x3F800000"},
       2,
       {"{\"value\": \"0x3F800000\", \"rejected\": \"an encoding belongs to one format: "
        "--format 32, 64 or 128\"}"},
       "orbalta-cli: 1 of 2 values rejected\n"},
      {"a control byte in a line",
       {"--json", "--format", "16"},
       2,
       {"{\"value\": \"1\\u0001\", \"rejected\": \"\\\"1\\\\x01\\\" is not a number (Invalid "
        "Value)\"}"},
       "orbalta-cli: 1 of 1 values rejected\n",
       "1\x01\n"},
      {"no trailing line end", {"--format", "16"}, 0, {"value:         2"}, "", "1\n2"},
  };
  checkRows(rows);
}

TEST(ManyValuesTest, TextRecordsAreSeparatedByABlankLine) {
  std::string out, err;
  ASSERT_EQ(run({"--format", "bf16", "1", "abc"}, out, err), 2);
  const std::string one =
      "value:         1\nformat:        bfloat16\nbits:          0:01111111:0000000\n";
  EXPECT_TRUE(out.starts_with(one)) << out;
  EXPECT_TRUE(out.ends_with(
      "epsilon:       7.8125e-3\n\nvalue:         abc\nrejected:      \"abc\" is not a number "
      "(Invalid Value)\n"))
      << out;
  EXPECT_EQ(err, "orbalta-cli: 1 of 2 values rejected\n");
}

TEST(ManyValuesTest, AllFormatsOnOneLine) {
  std::istringstream in("1e400\n");
  std::ostringstream out, err;
  ASSERT_EQ(run({"--json"}, in, false, out, err), 0);
  const std::string text = out.str();
  EXPECT_TRUE(
      text.starts_with("{\"value\": \"1e400\", \"binary32\": {\"format\": \"binary32\", "
                       "\"rejected\": \"\\\"1e400\\\" is beyond the largest finite "
                       "binary32\"}, \"binary64\": {"))
      << text;
  EXPECT_NE(text.find("\"binary128\": {\"format\": \"binary128\", \"bits\": "), std::string::npos);
  EXPECT_TRUE(text.ends_with("}}\n"));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

}  // namespace
}  // namespace orbalta::cli
