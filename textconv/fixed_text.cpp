#include "textconv/fixed_text.h"

namespace orbalta {

std::string_view trimRight(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

std::string_view trimBlanks(std::string_view text) {
  const std::string_view right = trimRight(text);
  return right.substr(right.find_first_not_of(' ') == std::string_view::npos
                          ? right.size()
                          : right.find_first_not_of(' '));
}

std::string padTo(std::string_view text, std::size_t length) {
  std::string out(text.substr(0, length));
  out.resize(length, ' ');
  return out;
}

}  // namespace orbalta
