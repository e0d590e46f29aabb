#include "toolkit/template_lexer.h"

#include <cctype>
#include <iterator>
#include <map>
#include <set>
#include <utility>

#include "toolkit/template_tables.h"

namespace orbalta::templates {

namespace {

bool isNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

class Lexer {
 public:
  std::vector<Token> run(std::string_view source) {
    tokenize(source, 1, true);
    out_.push_back(Token{TokenType::End, "", 0, line_});
    return std::move(out_);
  }

 private:
  // Splits `text` into tokens. Directives are taken only from the script itself, not from
  // the body of a #define.
  void tokenize(std::string_view text, int firstLine, bool directives) {
    line_ = firstLine;
    bool lineStart = true;
    std::size_t i = 0;
    while (i < text.size()) {
      const char c = text[i];
      if (c == '\n') {
        ++line_;
        lineStart = true;
        ++i;
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
        ++i;
      } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
        while (i < text.size() && text[i] != '\n') ++i;
      } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
        const std::size_t end = text.find("*/", i + 2);
        if (end == std::string_view::npos) throw SyntaxError{line_, "unterminated comment"};
        line_ += static_cast<int>(std::count(text.begin() + i, text.begin() + end, '\n'));
        i = end + 2;
      } else if (c == '#' && lineStart && directives) {
        i = directive(text, i);
      } else {
        lineStart = false;
        if (c == '"' || ((c == 'L' || c == 'l') && i + 1 < text.size() && text[i + 1] == '"')) {
          i = string(text, c == '"' ? i : i + 1);
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
          i = number(text, i);
        } else if (isNameStart(c)) {
          std::size_t end = i;
          while (end < text.size() && isNameChar(text[end])) ++end;
          emit(Token{TokenType::Name, std::string(text.substr(i, end - i)), 0, line_});
          i = end;
        } else {
          emit(Token{TokenType::Punct, std::string(1, c), 0, line_});
          ++i;
        }
      }
    }
  }

  std::size_t directive(std::string_view text, std::size_t i) {
    const int line = line_;
    std::string body;
    while (i < text.size() && text[i] != '\n') {
      if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '\n' || text[i + 1] == '\r')) {
        i = text.find('\n', i);
        ++line_;
        if (i == std::string_view::npos) break;
      } else {
        body += text[i];
      }
      ++i;
    }
    std::size_t p = 1;
    while (p < body.size() && std::isspace(static_cast<unsigned char>(body[p]))) ++p;
    std::size_t q = p;
    while (q < body.size() && isNameChar(body[q])) ++q;
    const std::string word = body.substr(p, q - p);
    if (word == "include" || word == "pragma") return i;
    if (word != "define" && word != "undef") {
      throw SyntaxError{line, "unsupported directive #" + word};
    }
    while (q < body.size() && std::isspace(static_cast<unsigned char>(body[q]))) ++q;
    std::size_t r = q;
    while (r < body.size() && isNameChar(body[r])) ++r;
    const std::string name = body.substr(q, r - q);
    if (name.empty() || !isNameStart(name[0]))
      throw SyntaxError{line, "#" + word + " needs a name"};
    if (word == "undef") {
      defines_.erase(name);
      return i;
    }
    if (r < body.size() && body[r] == '(') {
      throw SyntaxError{line, "#define with arguments is not supported: " + name};
    }
    Lexer inner;
    inner.tokenize(body.substr(r), line, false);
    defines_[name] = std::move(inner.out_);
    return i;
  }

  std::size_t string(std::string_view text, std::size_t i) {
    std::string value;
    ++i;  // the opening quote
    for (;;) {
      if (i >= text.size() || text[i] == '\n') throw SyntaxError{line_, "unterminated string"};
      const char c = text[i++];
      if (c == '"') {
        if (i < text.size() && text[i] == '"') {
          value += '"';
          ++i;
          continue;
        }
        break;
      }
      if (c != '\\' || i >= text.size()) {
        value += c;
        continue;
      }
      const char e = text[i++];
      switch (e) {
        case 'n':
          value += '\n';
          break;
        case 'r':
          value += '\r';
          break;
        case 't':
          value += '\t';
          break;
        case 'a':
          value += '\x08';
          break;
        case '\\':
          value += '\\';
          break;
        case '"':
          value += '"';
          break;
        case 'x':
        case 'X': {
          unsigned code = 0;
          int digits = 0;
          while (digits < 2 && i < text.size() &&
                 std::isxdigit(static_cast<unsigned char>(text[i]))) {
            const char h = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i++])));
            code = code * 16 + static_cast<unsigned>(h <= '9' ? h - '0' : h - 'a' + 10);
            ++digits;
          }
          if (digits == 0) throw SyntaxError{line_, "\\x without hex digits"};
          value += static_cast<char>(code);
          break;
        }
        default:
          if (e >= '0' && e <= '7') {
            unsigned code = static_cast<unsigned>(e - '0');
            for (int digits = 1; digits < 3 && i < text.size() && text[i] >= '0' && text[i] <= '7';
                 ++digits) {
              code = code * 8 + static_cast<unsigned>(text[i++] - '0');
            }
            if (code > 0xFF) throw SyntaxError{line_, "octal escape beyond one byte"};
            value += static_cast<char>(code);
          } else {
            // As the resource compiler does: an unknown escape stays as written.
            value += '\\';
            value += e;
          }
      }
    }
    emit(Token{TokenType::String, std::move(value), 0, line_});
    return i;
  }

  std::size_t number(std::string_view text, std::size_t i) {
    std::uint64_t value = 0;
    const bool hex =
        text[i] == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X');
    const std::size_t start = i;
    if (hex) i += 2;
    std::size_t digits = 0;
    for (; i < text.size(); ++i, ++digits) {
      const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
      unsigned d;
      if (c >= '0' && c <= '9') {
        d = static_cast<unsigned>(c - '0');
      } else if (hex && c >= 'a' && c <= 'f') {
        d = static_cast<unsigned>(c - 'a' + 10);
      } else {
        break;
      }
      value = value * (hex ? 16 : 10) + d;
      if (value > 0xFFFFFFFFu) throw SyntaxError{line_, "number beyond 32 bits"};
    }
    if (hex && digits == 0) throw SyntaxError{line_, "0x without hex digits"};
    while (i < text.size() &&
           (text[i] == 'L' || text[i] == 'l' || text[i] == 'U' || text[i] == 'u')) {
      ++i;
    }
    if (i < text.size() && isNameChar(text[i])) {
      throw SyntaxError{line_, "bad number " + std::string(text.substr(start, i + 1 - start))};
    }
    emit(Token{TokenType::Number, "", static_cast<std::int64_t>(value), line_});
    return i;
  }

  // Appends a token, replacing a #define'd name by its tokens.
  void emit(Token token) {
    if (token.type == TokenType::Name) {
      const auto found = defines_.find(token.text);
      if (found != defines_.end() && !expanding_.count(token.text)) {
        expanding_.insert(token.text);
        for (Token t : found->second) {
          t.line = token.line;
          emit(std::move(t));
        }
        expanding_.erase(token.text);
        return;
      }
    }
    out_.push_back(std::move(token));
  }

  std::vector<Token> out_;
  std::map<std::string, std::vector<Token>> defines_;
  std::set<std::string> expanding_;
  int line_ = 1;
};

}  // namespace

std::vector<Token> tokenize(std::string_view source) {
  return Lexer().run(source);
}

}  // namespace orbalta::templates
