// The program runs with the user's locale in force. A locale whose decimal point is a comma
// must change neither what is read nor what is written.

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/textconv/encoding_text.h"
#include "textconv/decimal_input.h"
#include "textconv/layouts.h"

namespace orbalta {
namespace {

using hexcode::fromHex;
using hexcode::hex;

// A minimal locale: POSIX everywhere except a decimal comma and a point for grouping.
constexpr const char* kCommaLocaleSource = R"(LC_CTYPE
copy "POSIX"
END LC_CTYPE
LC_COLLATE
copy "POSIX"
END LC_COLLATE
LC_MONETARY
copy "POSIX"
END LC_MONETARY
LC_NUMERIC
decimal_point "<U002C>"
thousands_sep "<U002E>"
grouping 3;3
END LC_NUMERIC
LC_TIME
copy "POSIX"
END LC_TIME
LC_MESSAGES
copy "POSIX"
END LC_MESSAGES
)";

bool hasDecimalComma() {
  return std::string(std::localeconv()->decimal_point) == ",";
}

// An installed locale with a decimal comma, or one compiled into a scratch folder (no root
// needed). Returns false when neither is possible.
bool enterCommaLocale(std::string& how) {
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "ro_RO.UTF-8", "ru_RU.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) && hasDecimalComma()) {
      how = name;
      return true;
    }
  }
  const std::string folder =
      ::testing::TempDir() + "orbalta_locales_" + std::to_string(static_cast<long>(getpid()));
  const std::string source = folder + "/comma.src";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return false;
  std::ofstream(source) << kCommaLocaleSource;
  // localedef warns about the categories left out; -c writes the locale all the same.
  const std::string build = "localedef -c -i '" + source + "' -f ANSI_X3.4-1968 '" + folder +
                            "/xx_COMMA' >/dev/null 2>&1";
  if (std::system(build.c_str()) == -1) return false;
  setenv("LOCPATH", folder.c_str(), 1);
  if (std::setlocale(LC_ALL, "xx_COMMA") && hasDecimalComma()) {
    how = "xx_COMMA built by localedef";
    return true;
  }
  unsetenv("LOCPATH");
  return false;
}

// Everything that might depend on the locale, as text.
std::vector<std::string> observe() {
  std::vector<std::string> out;
  const char* inputs[] = {"1.5",
                          "0.1",
                          "-2.5e-3",
                          "1,5",
                          "1.00000005960464477550",
                          "3.4028235e38",
                          "6.475175119438025110924438958227647e-4966",
                          "123.456789012345678901234567890123456789",
                          "7q10"};
  for (const int formatBytes : {4, 8, 16}) {
    for (const char* input : inputs) {
      const DecimalInput::Result r = DecimalInput::read(input, formatBytes);
      out.push_back(std::string(input) + " -> " + std::to_string(static_cast<int>(r.outcome)) +
                    " " + hex(r.bits, formatBytes));
    }
  }
  const char* encodings[][2] = {
      {"4", "3DCCCCCD"},
      {"4", "C0200000"},
      {"4", "00000001"},
      {"8", "3FB999999999999A"},
      {"8", "54B249AD2594C37D"},
      {"16", "3FFB999999999999999999999999999A"},
      {"16", "00000000000000000000000000000001"},
      {"16", "7FFEFFFFFFFFFFFFFFFFFFFFFFFFFFFF"},
  };
  for (const auto& [format, hexBits] : encodings) {
    const int formatBytes = std::atoi(format);
    const Encoding bits = fromHex(hexBits);
    out.push_back(SciLayout::write(bits, formatBytes));
    out.push_back(SignedSciLayout::write(bits, formatBytes));
    out.push_back(SignificandLayout::write(bits, formatBytes));
  }
  return out;
}

TEST(LocaleTest, DecimalCommaLocaleChangesNothing) {
  ASSERT_TRUE(std::setlocale(LC_ALL, "C"));
  const std::vector<std::string> inC = observe();

  std::string how;
  if (!enterCommaLocale(how)) {
    GTEST_SKIP() << "no locale with a decimal comma is installed and localedef could not "
                    "build one";
  }
  std::cout << "[ locale   ] " << how << "\n";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  EXPECT_STREQ(probe, "1,5") << "the comma locale is not in force";

  const std::vector<std::string> inComma = observe();
  std::setlocale(LC_ALL, "C");
  unsetenv("LOCPATH");
  std::filesystem::remove_all(::testing::TempDir() + "orbalta_locales_" +
                              std::to_string(static_cast<long>(getpid())));

  ASSERT_EQ(inComma.size(), inC.size());
  for (std::size_t i = 0; i < inC.size(); ++i) {
    EXPECT_EQ(inComma[i], inC[i]);
  }
  // A spot check that the C results themselves are the right ones.
  EXPECT_EQ(inC[0], "1.5 -> 0 3FC00000");
  EXPECT_EQ(inC[inC.size() - 2], "+1.189731495357231765085759326628007D+4932");
}

}  // namespace
}  // namespace orbalta
