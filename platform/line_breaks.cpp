#include "platform/line_breaks.h"

namespace orbalta::platform {

std::u16string oneLineBreak(std::u16string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c != u'\r' && c != u'\n') {
      out.push_back(c);
      continue;
    }
    out.push_back(u'\n');
    const char16_t other = c == u'\r' ? u'\n' : u'\r';
    if (i + 1 < text.size() && text[i + 1] == other) ++i;
  }
  return out;
}

}  // namespace orbalta::platform
