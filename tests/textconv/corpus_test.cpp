// The independent conversion corpora (see the README beside them), line by line. A missing or
// short file fails. Inputs that overflow the format are expected to be rejected and counted.

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "tests/textconv/encoding_text.h"
#include "textconv/decimal_input.h"
#include "textconv/layouts.h"

namespace orbalta {
namespace {

using hexcode::fromHex;
using hexcode::hex;

constexpr int kShownFailures = 10;

std::string corpusPath(const char* name) {
  return std::string(ORBALTA_TESTDATA_DIR) + "/" + name;
}

struct Tally {
  long lines = 0;
  long parsed = 0;
  long rejectedOverflow = 0;
  long failures = 0;
};

void report(const char* name, const char* column, const Tally& tally) {
  std::cout << "[ corpus   ] " << name << " " << column << ": " << tally.lines << " lines, "
            << tally.parsed << " parsed bit for bit, " << tally.rejectedOverflow
            << " rejected as out of range\n";
  ::testing::Test::RecordProperty(std::string(name) + "_" + column, static_cast<int>(tally.lines));
}

bool isInfinityPattern(std::string_view hexBits) {
  if (hexBits.empty() || (hexBits[0] != '7' && hexBits[0] != 'F')) return false;
  const std::string_view rest = hexBits.substr(1);
  if (hexBits.size() == 8) return rest == "F800000";
  if (hexBits.size() == 16) return rest == "FF0000000000000";
  return rest == "FFF0000000000000000000000000000";
}

// One decimal line: the expected encoding, or the infinity pattern for a rejected input.
void checkDecimal(std::string_view hexBits, std::string_view text, int formatBytes, Tally& tally) {
  ++tally.lines;
  const DecimalInput::Result result = DecimalInput::read(text, formatBytes);
  bool ok = false;
  if (isInfinityPattern(hexBits)) {
    ok = result.outcome == InputOutcome::Rejected;
    if (ok) ++tally.rejectedOverflow;
  } else {
    ok = result.outcome == InputOutcome::Parsed && hex(result.bits, formatBytes) == hexBits;
    if (ok) ++tally.parsed;
  }
  if (!ok && ++tally.failures <= kShownFailures) {
    ADD_FAILURE() << "binary" << 8 * formatBytes << " \"" << text.substr(0, 200) << "\": expected "
                  << hexBits << ", got "
                  << (result.outcome == InputOutcome::Parsed     ? hex(result.bits, formatBytes)
                      : result.outcome == InputOutcome::Rejected ? "Rejected"
                                                                 : "NothingRead");
  }
}

TEST(CorpusTest, DecimalToBinary32And64) {
  const char* name = "decimal-to-binary32-64.txt";
  std::ifstream in(corpusPath(name));
  ASSERT_TRUE(in) << "missing corpus " << corpusPath(name);
  Tally f32, f64;
  std::string line;
  while (std::getline(in, line)) {
    ASSERT_GT(line.size(), 31u) << line;
    const std::string_view view(line);
    checkDecimal(view.substr(5, 8), view.substr(31), 4, f32);
    checkDecimal(view.substr(14, 16), view.substr(31), 8, f64);
  }
  report(name, "F32", f32);
  report(name, "F64", f64);
  EXPECT_EQ(f32.lines, 89089);
  EXPECT_EQ(f32.failures, 0);
  EXPECT_EQ(f64.failures, 0);
  EXPECT_EQ(f32.parsed + f32.rejectedOverflow, f32.lines);
  EXPECT_EQ(f64.parsed + f64.rejectedOverflow, f64.lines);
  // Lines whose F32 / F64 column is the infinity pattern.
  EXPECT_EQ(f32.rejectedOverflow, 33840);
  EXPECT_EQ(f64.rejectedOverflow, 1518);
}

struct Binary128File {
  const char* name;
  std::size_t hexColumn;
  std::size_t textColumn;
  long lines;
  long overflowing;  // lines whose F128 column is an infinity
};

TEST(CorpusTest, DecimalToBinary128) {
  const Binary128File files[] = {
      {"decimal-to-binary128.txt", 31, 64, 2192, 47},
      {"decimal-to-binary128-glibc.txt", 0, 33, 254, 6},
      {"decimal-to-binary128-generated.txt", 0, 33, 16000, 387},
  };
  for (const Binary128File& file : files) {
    SCOPED_TRACE(file.name);
    std::ifstream in(corpusPath(file.name));
    ASSERT_TRUE(in) << "missing corpus " << corpusPath(file.name);
    Tally f128;
    std::string line;
    while (std::getline(in, line)) {
      ASSERT_GT(line.size(), file.textColumn) << line;
      const std::string_view view(line);
      checkDecimal(view.substr(file.hexColumn, 32), view.substr(file.textColumn), 16, f128);
    }
    report(file.name, "F128", f128);
    EXPECT_EQ(f128.lines, file.lines);
    EXPECT_EQ(f128.failures, 0);
    EXPECT_EQ(f128.parsed + f128.rejectedOverflow, f128.lines);
    EXPECT_EQ(f128.rejectedOverflow, file.overflowing);
  }
}

// The corpus writes "-d.ddd...e-N": 'e', a sign, no leading zeros. This builds our field from
// it. minDigits 0 stands for the significand rule.
std::string mapScientific(std::string_view corpus, int width, char letter, int minDigits,
                          bool plusSign) {
  const std::size_t e = corpus.find('e');
  std::string mantissa(corpus.substr(0, e));
  if (plusSign && mantissa[0] != '-') mantissa.insert(0, 1, '+');
  const char sign = corpus[e + 1];
  std::string digits(corpus.substr(e + 2));
  std::string exponent;
  if (minDigits > 0) {
    while (static_cast<int>(digits.size()) < minDigits) digits.insert(0, 1, '0');
    exponent = std::string(1, letter) + sign + digits;
  } else if (digits.size() <= 2) {
    exponent = std::string(1, letter) + sign + (digits.size() == 1 ? "0" : "") + digits;
  } else {
    exponent = std::string(1, sign) + digits;
  }
  const std::string text = mantissa + exponent;
  if (static_cast<int>(text.size()) > width)
    return std::string(static_cast<std::size_t>(width), '*');
  return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

struct SciFile {
  const char* name;
  int formatBytes;
  long lines;
  bool ties;  // third field: the ties-away form, which must not be ours
};

struct SciWidths {
  int width;
  char letter;
  int minDigits;
  int significandWidth;  // 0: significand digits differ from the corpus
};

SciWidths widthsOf(int formatBytes) {
  switch (formatBytes) {
    case 4:
      return {15, 'E', 2, 14};
    case 8:
      return {25, 'D', 2, 0};
    default:
      return {42, 'D', 3, 41};
  }
}

TEST(CorpusTest, BinaryToScientific) {
  const SciFile files[] = {
      {"binary32-to-sci8.txt", 4, 2000, false},     {"binary32-to-sci8-ties.txt", 4, 49, true},
      {"binary64-to-sci17.txt", 8, 2000, false},    {"binary64-to-sci17-ties.txt", 8, 73, true},
      {"binary128-to-sci34.txt", 16, 16000, false}, {"binary128-to-sci34-ties.txt", 16, 463, true},
  };
  for (const SciFile& file : files) {
    SCOPED_TRACE(file.name);
    std::ifstream in(corpusPath(file.name));
    ASSERT_TRUE(in) << "missing corpus " << corpusPath(file.name);
    const SciWidths w = widthsOf(file.formatBytes);
    long lines = 0;
    long significandLines = 0;
    long failures = 0;
    std::string line;
    while (std::getline(in, line)) {
      ++lines;
      const std::string_view view(line);
      const std::size_t blank = view.find(' ');
      const std::size_t blank2 = view.find(' ', blank + 1);
      ASSERT_NE(blank, std::string_view::npos) << line;
      const Encoding bits = fromHex(view.substr(0, blank));
      const std::string_view even = view.substr(blank + 1, blank2 - blank - 1);

      const std::string plain = SciLayout::write(bits, file.formatBytes);
      const std::string withSign = SignedSciLayout::write(bits, file.formatBytes);
      bool ok = plain == mapScientific(even, w.width, w.letter, w.minDigits, false) &&
                withSign == mapScientific(even, w.width, w.letter, w.minDigits, true);
      if (file.ties) {
        const std::string_view away = view.substr(blank2 + 1);
        ok = ok && plain != mapScientific(away, w.width, w.letter, w.minDigits, false);
      }
      if (w.significandWidth > 0) {
        ++significandLines;
        ok = ok && SignificandLayout::write(bits, file.formatBytes) ==
                       mapScientific(even, w.significandWidth, 'E', 0, false);
      }
      if (!ok && ++failures <= kShownFailures) {
        ADD_FAILURE() << line << "\n  SciLayout \"" << plain << "\"\n  SignedSciLayout \""
                      << withSign << "\"\n  SignificandLayout \""
                      << SignificandLayout::write(bits, file.formatBytes) << "\"";
      }
    }
    std::cout << "[ corpus   ] " << file.name << ": " << lines
              << " lines in SciLayout and SignedSciLayout, " << significandLines
              << " also in SignificandLayout\n";
    EXPECT_EQ(lines, file.lines);
    EXPECT_EQ(failures, 0);
  }
}

}  // namespace
}  // namespace orbalta
