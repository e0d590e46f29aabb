#pragma once
// Characters outside Windows-1252 as a user may type or paste them, for the tests of every
// platform: each reads back as '?', one per UTF-16 unit, never as a look-alike.

namespace orbalta::test {

struct OutsideCodePage {
  const char* name;
  const char16_t* typed;
  const char* read;  // Windows-1252
};

inline constexpr OutsideCodePage kOutsideCodePage[] = {
    {"a with breve, best fit 'a'", u"\u0103x", "?x"},
    {"A with macron, best fit 'A'", u"\u0100", "?"},
    {"not equal, best fit '='", u"1\u22602", "1?2"},
    {"Cyrillic, no best fit", u"\u0416", "?"},
    {"outside the plane: two units", u"a\U0001F600b", "a??b"},
    {"inside the code page stays", u"\u20AC\u00E9", "\x80\xE9"},
};

}  // namespace orbalta::test
