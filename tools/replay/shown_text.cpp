#include "tools/replay/shown_text.h"

#include <utility>

namespace orbalta::replay {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

constexpr std::pair<unsigned char, unsigned char> kContinuation{0x80, 0xBF};

// The range that the second byte of a sequence led by `lead` must lie in: the tighter bounds
// keep out overlong forms, surrogates and values past U+10FFFF.
std::pair<unsigned char, unsigned char> secondRange(unsigned char lead) {
  switch (lead) {
    case 0xE0:
      return {0xA0, 0xBF};
    case 0xED:
      return {0x80, 0x9F};
    case 0xF0:
      return {0x90, 0xBF};
    case 0xF4:
      return {0x80, 0x8F};
    default:
      return kContinuation;
  }
}

void append(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
    return;
  }
  c -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

}  // namespace

std::u16string fromUtf8(std::string_view bytes) {
  std::u16string out;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i++]);
    int more = 0;
    char32_t c = lead;
    if (lead >= 0xC2 && lead <= 0xDF) {
      more = 1;
      c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      more = 2;
      c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      more = 3;
      c = lead & 0x07;
    } else if (lead >= 0x80) {
      out.push_back(kReplacement);
      continue;
    }
    bool whole = true;
    for (int k = 0; k < more && whole; ++k) {
      const auto [low, high] = k == 0 ? secondRange(lead) : kContinuation;
      const auto byte =
          i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : static_cast<unsigned char>(0);
      whole = i < bytes.size() && byte >= low && byte <= high;
      if (whole) {
        c = (c << 6) | (byte & 0x3Fu);
        ++i;
      }
    }
    if (whole) {
      append(out, c);
    } else {
      out.push_back(kReplacement);
    }
  }
  return out;
}

std::string utf8From(std::u16string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;  // a lone surrogate names no character
    }
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

std::u16string shownText(const platform::FileMessage& message,
                         const std::function<std::u16string(std::string_view)>& shown) {
  return shown(message.before) + fromUtf8(message.path) + shown(message.after);
}

}  // namespace orbalta::replay
