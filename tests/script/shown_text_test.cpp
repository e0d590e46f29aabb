// A message box as the user sees it: the file system's UTF-8 name decoded as the window
// systems decode it, ill-formed bytes included, and the box's characters back in UTF-8.

#include "tools/replay/shown_text.h"

#include <gtest/gtest.h>

#include <string>

namespace orbalta::replay {
namespace {

struct Decoding {
  const char* name;
  std::string bytes;
  std::u16string shown;
};

const Decoding kDecodings[] = {
    {"ascii", "/tmp/a.txt", u"/tmp/a.txt"},
    {"two bytes", "r\xC3\xA9sum\xC3\xA9", u"r\u00e9sum\u00e9"},
    {"three bytes", "\xC8\x99tiin\xC8\x9B\xC4\x83", u"\u0219tiin\u021b\u0103"},
    {"four bytes", "\xF0\x9F\x98\x80", u"\U0001F600"},
    {"lone continuation", "a\x80z", u"a\uFFFDz"},
    {"latin-1 byte", "r\xE9z", u"r\uFFFDz"},
    {"cut at the end", "a\xE2\x82", u"a\uFFFD"},
    {"cut before ascii", "\xE2\x82z", u"\uFFFDz"},
    {"overlong two", "\xC0\xAF", u"\uFFFD\uFFFD"},
    {"overlong three", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},
    {"surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
    {"past U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    {"bad lead", "\xF5\x80", u"\uFFFD\uFFFD"},
};

TEST(ShownTextTest, FromUtf8ReplacesEachIllFormedPartOnce) {
  for (const Decoding& row : kDecodings) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(fromUtf8(row.bytes) == row.shown);
  }
}

TEST(ShownTextTest, WellFormedUtf8RoundTrips) {
  for (const Decoding& row : kDecodings) {
    SCOPED_TRACE(row.name);
    if (row.shown.find(u'\uFFFD') != std::u16string::npos) continue;
    EXPECT_EQ(utf8From(fromUtf8(row.bytes)), row.bytes);
  }
}

TEST(ShownTextTest, ALoneSurrogateIsShownAsReplacement) {
  EXPECT_EQ(utf8From(u"a\xD800z"), "a\xEF\xBF\xBDz");
  EXPECT_EQ(utf8From(u"\xDC00"), "\xEF\xBF\xBD");
}

// The program's words go through the window system's own decoding; only the path is the
// file system's. A path whose UTF-8 were shown as Windows-1252 letters would read differently.
TEST(ShownTextTest, AFileMessageShowsThePathAsTheFileSystemNamesIt) {
  const auto latin1 = [](std::string_view text) {
    std::u16string out;
    for (const char c : text) out.push_back(static_cast<unsigned char>(c));
    return out;
  };
  const platform::FileMessage message{"Saved \xE9 ", "/tmp/\xC8\x99.txt", " \xE9"};
  EXPECT_EQ(utf8From(shownText(message, latin1)), "Saved \xC3\xA9 /tmp/\xC8\x99.txt \xC3\xA9");
  EXPECT_NE(utf8From(latin1(message.path)), message.path);
}

}  // namespace
}  // namespace orbalta::replay
