// The seven summary texts: every line's length and runs of blanks, the assembled lengths, the
// blank fill, and the file variants of texts 5 and 6.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/app_state.h"
#include "ui/auxwin/summary.h"

namespace orbalta {
namespace {

struct Run {
  std::size_t count;
  std::size_t column;  // 1-based column of the first blank
  bool operator==(const Run&) const = default;
};

struct LineRow {
  int text;  // 1..7
  int line;  // 1-based within the text
  std::size_t length;
  std::vector<Run> runs;
  std::string content;
};

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const auto end = text.find("\r\n", start);
    lines.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return lines;
    start = end + 2;
  }
}

std::vector<Run> blankRuns(std::string_view line) {
  std::vector<Run> runs;
  for (std::size_t i = 0; i < line.size();) {
    if (line[i] != ' ') {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < line.size() && line[j] == ' ') ++j;
    if (j - i >= 2) runs.push_back({j - i, i + 1});
    i = j;
  }
  return runs;
}

// Lines of the window texts, with lengths and blank runs counted by hand.
const std::vector<LineRow> kWindowLines = {
    {1, 1, 73, {}, "Datele reprezentabile intr-un format in virgula flotanta (Date FP), sunt:"},
    {1, 2, 16, {}, "- Numere Finite:"},
    {1, 3, 31, {}, "1) Numere normale (normalizate)"},
    {1, 4, 36, {}, "2) Numere subnormale (denormalizate)"},
    {1, 5, 15, {}, "3) Zero cu semn"},
    {2, 1, 12, {}, "- Alte Date:"},
    {2, 2, 18, {}, "4) Infinit cu semn"},
    {2, 3, 28, {}, "5) Non-Numere (Not-a-Number)"},
    {3, 1, 64, {{2, 52}}, "Datele 1, 2, si 3, se reprezinta printr-o tripleta:  (S, E, sig)"},
    {3, 2, 18, {}, "S = bitul de semn;"},
    {3, 3, 32, {}, "E = exponentul (reprezentarii) ;"},
    {3, 4, 17, {}, "sig = semnificand"},
    {3, 5, 0, {}, ""},
    {3, 6, 28, {}, "Valoare = (-1)^S * 2^E * sig"},
    {4, 1, 24, {}, "Codificare exponent \"E\":"},
    {4, 2, 43, {{2, 18}}, "- Datele 2 and 3:  Camp exponent = 00 ... 0"},
    {4, 3, 43, {{2, 18}}, "- Datele 4 and 5:  Camp exponent = 11 ... 1"},
    {5, 1, 58, {{10, 18}}, "- Numere normale:          E = Exponent_stocat - deplasare"},
    {5, 2, 30, {{2, 21}}, "- Numere subnormale:  E = Emin"},
    {5, 3, 39, {{16, 16}}, "- Zero cu semn:                E = Emin"},
    {6, 1, 29, {}, "Codificare semnificand \"sig\":"},
    {6, 2, 47, {{11, 18}}, "- Numere normale:           sig = 1.b1b2 \x85 bP-1"},
    {6, 3, 43, {{4, 21}}, "- Numere subnormale:    sig = 0.b1b2 \x85 bP-1"},
    {6, 4, 41, {{17, 16}}, "- Zero cu semn:                 sig = 0.0"},
    {7, 1, 48, {{2, 19}, {2, 37}}, "- Infinit cu semn:  Camp semnificand  = 00 ... 0"},
    {7, 2, 57, {{5, 16}}, "- Not-a-Number:     Camp semnificand diferit de: 00 ... 0"},
};

const std::vector<LineRow> kFileVariantLines = {
    {5, 1, 54, {{6, 18}}, "- Numere normale:      E = Exponent_stocat - deplasare"},
    {5, 2, 31, {{3, 21}}, "- Numere subnormale:   E = Emin"},
    {5, 3, 31, {{8, 16}}, "- Zero cu semn:        E = Emin"},
    {6, 1, 29, {}, "Codificare semnificand \"sig\":"},
    {6, 2, 42, {{6, 18}}, "- Numere normale:      sig = 1.b1b2 \x85 bP-1"},
    {6, 3, 42, {{3, 21}}, "- Numere subnormale:   sig = 0.b1b2 \x85 bP-1"},
    {6, 4, 32, {{8, 16}}, "- Zero cu semn:        sig = 0.0"},
};

void expectLines(const SummaryTexts& texts, const std::vector<LineRow>& rows) {
  for (const LineRow& row : rows) {
    SCOPED_TRACE("text " + std::to_string(row.text) + " line " + std::to_string(row.line));
    const auto lines = splitLines(texts[static_cast<std::size_t>(row.text - 1)].trimmed());
    ASSERT_LE(static_cast<std::size_t>(row.line), lines.size());
    const std::string& line = lines[static_cast<std::size_t>(row.line - 1)];
    EXPECT_EQ(line.size(), row.length);
    EXPECT_EQ(blankRuns(line), row.runs);
    EXPECT_EQ(line, row.content);
  }
}

AppState builtState() {
  AppState state;
  buildSummaryTexts(state);
  return state;
}

TEST(SummaryTexts, EveryLineHasItsLengthAndBlankRuns) {
  expectLines(builtState().summaryTexts, kWindowLines);
}

TEST(SummaryTexts, AssembledLengthsAndLineCounts) {
  struct Row {
    std::size_t length;
    std::size_t lines;
  };
  const Row rows[] = {{179, 5}, {62, 3}, {169, 6}, {114, 3}, {131, 3}, {166, 4}, {107, 2}};
  const AppState state = builtState();
  for (std::size_t k = 0; k < 7; ++k) {
    SCOPED_TRACE("text " + std::to_string(k + 1));
    const FixedText& text = state.summaryTexts[k];
    EXPECT_EQ(text.length(), 180u);
    EXPECT_EQ(text.trimmed().size(), rows[k].length);
    EXPECT_EQ(splitLines(text.trimmed()).size(), rows[k].lines);
    // The rest is blank fill: no text ends with a line break.
    EXPECT_EQ(text.view().find_first_not_of(' ', rows[k].length), std::string_view::npos);
    EXPECT_NE(text.trimmed().substr(text.trimmed().size() - 1), "\n");
  }
}

TEST(SummaryTexts, LinesAreSeparatedByCrLfOnly) {
  const AppState state = builtState();
  for (const FixedText& text : state.summaryTexts) {
    const std::string_view t = text.view();
    for (std::size_t i = 0; i < t.size(); ++i) {
      if (t[i] == '\r') {
        EXPECT_EQ(t.substr(i, 2), "\r\n");
      }
      if (t[i] == '\n') {
        EXPECT_EQ(t.substr(i - 1, 2), "\r\n");
      }
    }
  }
  EXPECT_NE(state.summaryTexts[2].view().find("semnificand\r\n\r\nValoare"), std::string::npos);
}

TEST(SummaryTexts, EllipsisIsTheSingleByte0x85) {
  const AppState state = builtState();
  std::size_t count = 0;
  for (std::size_t k = 0; k < 7; ++k) {
    for (const char c : state.summaryTexts[k].view()) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte >= 0x80) {
        EXPECT_EQ(byte, 0x85u) << "text " << k + 1;
        EXPECT_EQ(k, 5u);
        ++count;
      }
    }
  }
  EXPECT_EQ(count, 2u);
}

TEST(SummaryTexts, FileVariantsLineUpAndLeaveTheWindowTextsAlone) {
  const AppState state = builtState();
  const SummaryTexts fileTexts = summaryFileTexts(state);
  expectLines(fileTexts, kFileVariantLines);
  EXPECT_EQ(fileTexts[4].length(), 180u);
  EXPECT_EQ(fileTexts[5].length(), 180u);
  EXPECT_EQ(fileTexts[4].trimmed().size(), 120u);
  EXPECT_EQ(fileTexts[5].trimmed().size(), 151u);
  for (const std::size_t k : {0u, 1u, 2u, 3u, 6u}) {
    EXPECT_EQ(fileTexts[k], state.summaryTexts[k]) << "text " << k + 1;
  }
  // "E" and "sig" start in column 24 on every line of the file variants.
  for (const std::size_t k : {4u, 5u}) {
    for (const std::string& line : splitLines(fileTexts[k].trimmed())) {
      if (line.rfind("- ", 0) == 0) {
        EXPECT_EQ(line.find_first_not_of(' ', line.find(':') + 1), 23u) << line;
      }
    }
  }
  // The record of the run keeps the window variants.
  expectLines(state.summaryTexts, kWindowLines);
}

}  // namespace
}  // namespace orbalta
