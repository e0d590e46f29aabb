#pragma once
// User text on the way out: as a JSON string (RFC 8259), and quoted on one line for messages.

#include <string>
#include <string_view>

namespace orbalta::cli {

// A JSON string literal. Well-formed UTF-8 is kept; a byte that is not part of one is written
// as the \u escape of its Windows-1252 character (0x80 is \u20AC, 0xFF \u00FF), so the output
// is always valid UTF-8 and the byte can be told from the character it stands for.
std::string jsonString(std::string_view text);

// "TEXT" for a message line: the quote and '\' escaped with '\', line breaks and tabs as \n,
// \r, \t and other control bytes as \xHH, so the message stays one line.
std::string quoted(std::string_view text, char quote = '"');

// The same escapes without the quotes (only '\' escaped).
std::string escaped(std::string_view text, char quote = '\0');

}  // namespace orbalta::cli
