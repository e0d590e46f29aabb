#pragma once
// Tokens of the template script, after the little preprocessor (#define, #ifdef and the like).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orbalta::templates {

enum class TokenType { Number, Name, String, Punct, End };

struct Token {
  TokenType type = TokenType::End;
  std::string text;  // name, decoded string bytes, or the punctuation character
  std::int64_t number = 0;
  int line = 0;
};

// The tokens of `source`, ending with an End token; throws SyntaxError.
std::vector<Token> tokenize(std::string_view source);

}  // namespace orbalta::templates
