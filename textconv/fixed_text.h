#pragma once
// Fixed-length, blank-padded text: the one buffer type of the system. Assigning a longer text
// cuts it, a shorter one is filled with blanks on the right.

#include <cstddef>
#include <string>
#include <string_view>

namespace orbalta {

// The text without its trailing blanks (leading blanks stay).
std::string_view trimRight(std::string_view text);

// The text without its leading and trailing blanks.
std::string_view trimBlanks(std::string_view text);

// `text` cut to, or blank-filled up to, exactly `length` characters.
std::string padTo(std::string_view text, std::size_t length);

class FixedText {
 public:
  explicit FixedText(std::size_t length) : text_(length, ' ') {}
  FixedText(std::size_t length, std::string_view text) : text_(padTo(text, length)) {}

  std::size_t length() const { return text_.size(); }
  void assign(std::string_view text) { text_ = padTo(text, text_.size()); }
  void fill(char c) { text_.assign(text_.size(), c); }

  // The whole buffer, blanks included.
  std::string_view view() const { return text_; }
  // Without trailing blanks: what a write into a control stores.
  std::string_view trimmed() const { return trimRight(text_); }

  // Positions count from 1, as the layouts and the bit fields do.
  char at(std::size_t position) const { return text_.at(position - 1); }
  void set(std::size_t position, char c) { text_.at(position - 1) = c; }

  // Characters first..last (1-based, inclusive).
  std::string_view slice(std::size_t first, std::size_t last) const {
    return std::string_view(text_).substr(first - 1, last - first + 1);
  }

  bool operator==(const FixedText&) const = default;

 private:
  std::string text_;
};

}  // namespace orbalta
