#include "toolkit/template_parser.h"

// Sections: window-system constants; tokens and the little preprocessor; expressions;
// the DIALOGEX statement and its controls; from window styles to the template's kinds.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <iterator>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace orbalta {
namespace {

using platform::ControlKind;
using platform::ControlTemplate;
using platform::DialogTemplate;

// ---- Window-system constants, with their Windows values ----

constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kWsChild = 0x40000000;
constexpr std::uint32_t kWsDisabled = 0x08000000;
constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kWsVScroll = 0x00200000;
constexpr std::uint32_t kWsGroup = 0x00020000;
constexpr std::uint32_t kWsTabStop = 0x00010000;
constexpr std::uint32_t kWsMinimizeBox = 0x00020000;
constexpr std::uint32_t kWsExTransparent = 0x00000020;
constexpr std::uint32_t kWsExStaticEdge = 0x00020000;
constexpr std::uint32_t kWsExAppWindow = 0x00040000;
constexpr std::uint32_t kDsCenter = 0x0800;
constexpr std::uint32_t kBsTypeMask = 0x0F;
constexpr std::uint32_t kBsIcon = 0x0040;
constexpr std::uint32_t kBsFlat = 0x8000;
constexpr std::uint32_t kSsTypeMask = 0x1F;
constexpr std::uint32_t kSsCenterImage = 0x0200;
constexpr std::uint32_t kEsAutoHScroll = 0x0080;
constexpr std::uint32_t kEsReadOnly = 0x0800;
constexpr std::uint32_t kEsNumber = 0x2000;
constexpr std::uint32_t kLbsNotify = 0x0001;
constexpr std::uint32_t kLbsNoIntegralHeight = 0x0100;

// clang-format off
constexpr std::pair<std::string_view, std::uint32_t> kSymbols[] = {
    {"WS_OVERLAPPED", 0x00000000}, {"WS_POPUP", 0x80000000}, {"WS_CHILD", kWsChild},
    {"WS_MINIMIZE", 0x20000000}, {"WS_VISIBLE", kWsVisible}, {"WS_DISABLED", kWsDisabled},
    {"WS_CLIPSIBLINGS", 0x04000000}, {"WS_CLIPCHILDREN", 0x02000000}, {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000}, {"WS_BORDER", kWsBorder}, {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", kWsVScroll}, {"WS_HSCROLL", 0x00100000}, {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000}, {"WS_SIZEBOX", 0x00040000}, {"WS_GROUP", kWsGroup},
    {"WS_TABSTOP", kWsTabStop}, {"WS_MINIMIZEBOX", kWsMinimizeBox}, {"WS_MAXIMIZEBOX", 0x00010000},
    {"WS_OVERLAPPEDWINDOW", 0x00CF0000}, {"WS_POPUPWINDOW", 0x80880000},

    {"WS_EX_DLGMODALFRAME", 0x00000001}, {"WS_EX_NOPARENTNOTIFY", 0x00000004},
    {"WS_EX_TOPMOST", 0x00000008}, {"WS_EX_ACCEPTFILES", 0x00000010},
    {"WS_EX_TRANSPARENT", kWsExTransparent}, {"WS_EX_TOOLWINDOW", 0x00000080},
    {"WS_EX_WINDOWEDGE", 0x00000100}, {"WS_EX_CLIENTEDGE", 0x00000200},
    {"WS_EX_CONTEXTHELP", 0x00000400}, {"WS_EX_RIGHT", 0x00001000},
    {"WS_EX_CONTROLPARENT", 0x00010000}, {"WS_EX_STATICEDGE", kWsExStaticEdge},
    {"WS_EX_APPWINDOW", kWsExAppWindow},

    {"DS_ABSALIGN", 0x0001}, {"DS_SYSMODAL", 0x0002}, {"DS_3DLOOK", 0x0004},
    {"DS_FIXEDSYS", 0x0008}, {"DS_NOFAILCREATE", 0x0010}, {"DS_LOCALEDIT", 0x0020},
    {"DS_SETFONT", 0x0040}, {"DS_MODALFRAME", 0x0080}, {"DS_NOIDLEMSG", 0x0100},
    {"DS_SETFOREGROUND", 0x0200}, {"DS_CONTROL", 0x0400}, {"DS_CENTER", kDsCenter},
    {"DS_CENTERMOUSE", 0x1000}, {"DS_CONTEXTHELP", 0x2000}, {"DS_SHELLFONT", 0x0048},

    {"BS_PUSHBUTTON", 0x0}, {"BS_DEFPUSHBUTTON", 0x1}, {"BS_CHECKBOX", 0x2},
    {"BS_AUTOCHECKBOX", 0x3}, {"BS_RADIOBUTTON", 0x4}, {"BS_3STATE", 0x5}, {"BS_AUTO3STATE", 0x6},
    {"BS_GROUPBOX", 0x7}, {"BS_USERBUTTON", 0x8}, {"BS_AUTORADIOBUTTON", 0x9}, {"BS_PUSHBOX", 0xA},
    {"BS_OWNERDRAW", 0xB}, {"BS_LEFTTEXT", 0x20}, {"BS_TEXT", 0x0}, {"BS_ICON", kBsIcon},
    {"BS_BITMAP", 0x80}, {"BS_LEFT", 0x100}, {"BS_RIGHT", 0x200}, {"BS_CENTER", 0x300},
    {"BS_TOP", 0x400}, {"BS_BOTTOM", 0x800}, {"BS_VCENTER", 0xC00}, {"BS_PUSHLIKE", 0x1000},
    {"BS_MULTILINE", 0x2000}, {"BS_NOTIFY", 0x4000}, {"BS_FLAT", kBsFlat},

    {"SS_LEFT", 0x0}, {"SS_CENTER", 0x1}, {"SS_RIGHT", 0x2}, {"SS_ICON", 0x3},
    {"SS_BLACKRECT", 0x4}, {"SS_GRAYRECT", 0x5}, {"SS_WHITERECT", 0x6}, {"SS_BLACKFRAME", 0x7},
    {"SS_GRAYFRAME", 0x8}, {"SS_WHITEFRAME", 0x9}, {"SS_USERITEM", 0xA}, {"SS_SIMPLE", 0xB},
    {"SS_LEFTNOWORDWRAP", 0xC}, {"SS_OWNERDRAW", 0xD}, {"SS_BITMAP", 0xE}, {"SS_ENHMETAFILE", 0xF},
    {"SS_ETCHEDHORZ", 0x10}, {"SS_ETCHEDVERT", 0x11}, {"SS_ETCHEDFRAME", 0x12},
    {"SS_NOPREFIX", 0x80}, {"SS_NOTIFY", 0x100}, {"SS_CENTERIMAGE", kSsCenterImage},
    {"SS_RIGHTJUST", 0x400}, {"SS_REALSIZEIMAGE", 0x800}, {"SS_SUNKEN", 0x1000},
    {"SS_ENDELLIPSIS", 0x4000}, {"SS_PATHELLIPSIS", 0x8000}, {"SS_WORDELLIPSIS", 0xC000},

    {"ES_LEFT", 0x0}, {"ES_CENTER", 0x1}, {"ES_RIGHT", 0x2}, {"ES_MULTILINE", 0x4},
    {"ES_UPPERCASE", 0x8}, {"ES_LOWERCASE", 0x10}, {"ES_PASSWORD", 0x20}, {"ES_AUTOVSCROLL", 0x40},
    {"ES_AUTOHSCROLL", kEsAutoHScroll}, {"ES_NOHIDESEL", 0x100}, {"ES_OEMCONVERT", 0x400},
    {"ES_READONLY", kEsReadOnly}, {"ES_WANTRETURN", 0x1000}, {"ES_NUMBER", kEsNumber},

    {"LBS_NOTIFY", kLbsNotify}, {"LBS_SORT", 0x2}, {"LBS_NOREDRAW", 0x4}, {"LBS_MULTIPLESEL", 0x8},
    {"LBS_OWNERDRAWFIXED", 0x10}, {"LBS_OWNERDRAWVARIABLE", 0x20}, {"LBS_HASSTRINGS", 0x40},
    {"LBS_USETABSTOPS", 0x80}, {"LBS_NOINTEGRALHEIGHT", kLbsNoIntegralHeight},
    {"LBS_MULTICOLUMN", 0x200}, {"LBS_WANTKEYBOARDINPUT", 0x400}, {"LBS_EXTENDEDSEL", 0x800},
    {"LBS_DISABLENOSCROLL", 0x1000}, {"LBS_NODATA", 0x2000}, {"LBS_NOSEL", 0x4000},
    {"LBS_STANDARD", 0x00A00003},

    {"CBS_SIMPLE", 0x1}, {"CBS_DROPDOWN", 0x2}, {"CBS_DROPDOWNLIST", 0x3},
    {"CBS_AUTOHSCROLL", 0x40}, {"CBS_SORT", 0x100}, {"CBS_HASSTRINGS", 0x200}, {"SBS_HORZ", 0x0},
    {"SBS_VERT", 0x1},

    {"IDOK", 1}, {"IDCANCEL", 2}, {"IDABORT", 3}, {"IDRETRY", 4}, {"IDIGNORE", 5}, {"IDYES", 6},
    {"IDNO", 7},

    {"FW_DONTCARE", 0}, {"FW_NORMAL", 400}, {"FW_BOLD", 700}, {"ANSI_CHARSET", 0},
    {"DEFAULT_CHARSET", 1}, {"EASTEUROPE_CHARSET", 238}, {"LANG_NEUTRAL", 0},
    {"SUBLANG_NEUTRAL", 0}, {"SUBLANG_DEFAULT", 1}, {"LANG_ENGLISH", 9}, {"SUBLANG_ENGLISH_US", 1},
    {"LANG_ROMANIAN", 0x18}, {"SUBLANG_ROMANIAN_ROMANIA", 1},
};
// clang-format on

// Control statements other than CONTROL: their window class, the styles the resource compiler
// gives them (on top of WS_CHILD | WS_VISIBLE; a style written in the statement is added to
// these, NOT takes away) and whether a text comes before the id.
struct Statement {
  std::string_view keyword;
  std::string_view windowClass;
  std::uint32_t defaultStyle;
  bool hasText;
};

constexpr Statement kStatements[] = {
    {"LTEXT", "Static", 0x0 | kWsGroup, true},
    {"CTEXT", "Static", 0x1 | kWsGroup, true},
    {"RTEXT", "Static", 0x2 | kWsGroup, true},
    {"ICON", "Static", 0x3, true},
    {"EDITTEXT", "Edit", kWsBorder | kWsTabStop, false},
    {"LISTBOX", "ListBox", kLbsNotify | kWsBorder, false},
    {"COMBOBOX", "ComboBox", 0x1 | kWsTabStop, false},
    {"SCROLLBAR", "ScrollBar", 0x0, false},
    {"PUSHBUTTON", "Button", 0x0 | kWsTabStop, true},
    {"DEFPUSHBUTTON", "Button", 0x1 | kWsTabStop, true},
    {"CHECKBOX", "Button", 0x2 | kWsTabStop, true},
    {"AUTOCHECKBOX", "Button", 0x3 | kWsTabStop, true},
    {"RADIOBUTTON", "Button", 0x4 | kWsTabStop, true},
    {"STATE3", "Button", 0x5 | kWsTabStop, true},
    {"AUTO3STATE", "Button", 0x6 | kWsTabStop, true},
    {"GROUPBOX", "Button", 0x7, true},
    {"AUTORADIOBUTTON", "Button", 0x9 | kWsTabStop, true},
    {"PUSHBOX", "Button", 0xA | kWsTabStop, true},
};

bool sameWord(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

// Thrown inside this file only; parseDialogTemplate turns it into its result.
struct SyntaxError {
  int line;
  std::string message;
};

// ---- Tokens and the little preprocessor ----

enum class TokenType { Number, Name, String, Punct, End };

struct Token {
  TokenType type = TokenType::End;
  std::string text;  // name, decoded string bytes, or the punctuation character
  std::int64_t number = 0;
  int line = 0;
};

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

// ---- The parser: expressions, the dialog statement and its controls ----

struct RawControl {
  std::string windowClass;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  ControlTemplate control;
};

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  std::optional<DialogTemplate> find(int templateId) {
    std::optional<DialogTemplate> found;
    while (peek().type != TokenType::End) {
      if (peek().type == TokenType::Number && peek(1).type == TokenType::Name &&
          (sameWord(peek(1).text, "DIALOGEX") || sameWord(peek(1).text, "DIALOG"))) {
        const int line = peek().line;
        DialogTemplate dialog = parseDialog();
        if (dialog.id == templateId) {
          if (found) {
            throw SyntaxError{line, "template " + std::to_string(templateId) + " defined twice"};
          }
          found = std::move(dialog);
        }
      } else {
        next();
      }
    }
    return found;
  }

 private:
  const Token& peek(std::size_t ahead = 0) const {
    return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)];
  }
  const Token& next() {
    const Token& t = tokens_[pos_];
    if (pos_ + 1 < tokens_.size()) ++pos_;
    return t;
  }
  [[noreturn]] void fail(const Token& at, const std::string& message) const {
    throw SyntaxError{at.line, message};
  }
  static std::string describe(const Token& t) {
    switch (t.type) {
      case TokenType::Number:
        return std::to_string(t.number);
      case TokenType::Name:
        return t.text;
      case TokenType::String:
        return "\"" + t.text + "\"";
      case TokenType::Punct:
        return "'" + t.text + "'";
      case TokenType::End:
        return "end of script";
    }
    return {};
  }
  bool atPunct(char c) const { return peek().type == TokenType::Punct && peek().text[0] == c; }
  bool atWord(std::string_view word) const {
    return peek().type == TokenType::Name && sameWord(peek().text, word);
  }
  void expectPunct(char c) {
    if (!atPunct(c)) fail(peek(), std::string("expected '") + c + "' before " + describe(peek()));
    next();
  }
  bool acceptComma() {
    if (!atPunct(',')) return false;
    next();
    return true;
  }

  // expression := and ('|' and)*; and := sum ('&' sum)*; sum := unary (('+' | '-') unary)*
  std::int64_t expression() {
    std::int64_t v = conjunction();
    while (atPunct('|')) {
      next();
      v = toWord(v) | toWord(conjunction());
    }
    return v;
  }
  std::int64_t conjunction() {
    std::int64_t v = sum();
    while (atPunct('&')) {
      next();
      v = toWord(v) & toWord(sum());
    }
    return v;
  }
  std::int64_t sum() {
    std::int64_t v = unary();
    while (atPunct('+') || atPunct('-')) {
      const bool plus = next().text[0] == '+';
      const std::int64_t w = unary();
      v = plus ? v + w : v - w;
    }
    return v;
  }
  std::int64_t unary() {
    if (atPunct('-')) {
      next();
      return -unary();
    }
    if (atPunct('~') || atWord("NOT")) {
      next();
      return ~toWord(unary()) & 0xFFFFFFFFu;
    }
    if (atPunct('(')) {
      next();
      const std::int64_t v = expression();
      expectPunct(')');
      return v;
    }
    const Token& t = next();
    if (t.type == TokenType::Number) return t.number;
    if (t.type == TokenType::Name) {
      for (const auto& [name, value] : kSymbols) {
        if (name == t.text) return value;
      }
      fail(t, "unknown symbol " + t.text);
    }
    fail(t, "expected a number before " + describe(t));
  }
  static std::int64_t toWord(std::int64_t v) { return v & 0xFFFFFFFF; }

  int integer() {
    const Token& at = peek();
    const std::int64_t v = expression();
    if (v < -0x80000000LL || v > 0xFFFFFFFFLL) fail(at, "number out of range");
    return static_cast<int>(v > 0x7FFFFFFF ? v - 0x100000000LL : v);
  }

  // A style as the resource compiler builds it: each term is added to `style` in turn, a term
  // after NOT is taken away from what has been built so far (the statement's defaults too).
  std::uint32_t style(std::uint32_t style) {
    for (;;) {
      bool remove = false;
      if (atWord("NOT")) {
        next();
        remove = true;
      }
      const auto term = static_cast<std::uint32_t>(toWord(conjunction()));
      style = remove ? style & ~term : style | term;
      if (!atPunct('|')) return style;
      next();
    }
  }

  std::string text() {
    if (peek().type != TokenType::String)
      fail(peek(), "expected a text before " + describe(peek()));
    return next().text;
  }

  DialogTemplate parseDialog() {
    DialogTemplate dialog;
    dialog.id = static_cast<int>(next().number);
    const bool extended = sameWord(next().text, "DIALOGEX");
    dialog.x = integer();
    expectPunct(',');
    dialog.y = integer();
    expectPunct(',');
    dialog.width = integer();
    expectPunct(',');
    dialog.height = integer();
    if (extended && acceptComma()) integer();  // help id

    std::uint32_t windowStyle = 0;
    std::uint32_t exStyle = 0;
    while (!atWord("BEGIN") && !atPunct('{')) {
      const Token& word = next();
      if (word.type != TokenType::Name) fail(word, "expected BEGIN before " + describe(word));
      if (sameWord(word.text, "STYLE")) {
        windowStyle = style(0);
      } else if (sameWord(word.text, "EXSTYLE")) {
        exStyle = style(0);
      } else if (sameWord(word.text, "CAPTION")) {
        dialog.title = text();
      } else if (sameWord(word.text, "FONT")) {
        font(dialog.font);
      } else if (sameWord(word.text, "LANGUAGE")) {
        integer();
        expectPunct(',');
        integer();
      } else if (sameWord(word.text, "CHARACTERISTICS") || sameWord(word.text, "VERSION")) {
        integer();
      } else if (sameWord(word.text, "MENU") || sameWord(word.text, "CLASS")) {
        next();
      } else {
        fail(word, "unknown dialog statement " + word.text);
      }
    }
    next();
    dialog.centered = windowStyle & kDsCenter;
    dialog.minimizeBox = windowStyle & kWsMinimizeBox;
    dialog.appWindow = exStyle & kWsExAppWindow;

    while (!atWord("END") && !atPunct('}')) {
      if (peek().type == TokenType::End) fail(peek(), "template without END");
      dialog.controls.push_back(toTemplate(control()));
    }
    next();
    return dialog;
  }

  void font(platform::FontSpec& font) {
    font.pointSize = integer();
    expectPunct(',');
    font.face = text();
    if (acceptComma()) {
      font.weight = integer();
      if (font.weight == 0) font.weight = 400;  // FW_DONTCARE draws as normal
      if (acceptComma()) {
        font.italic = integer() != 0;
        if (acceptComma()) font.charset = integer();
      }
    }
  }

  // A text, or a resource number in its place (ICON and picture statics).
  void textOrImage(ControlTemplate& control) {
    if (peek().type == TokenType::String) {
      control.caption = next().text;
      const std::string& c = control.caption;
      const std::string_view digits = !c.empty() && c[0] == '#' ? std::string_view(c).substr(1) : c;
      if (!digits.empty() && digits.size() < 10 &&
          std::all_of(digits.begin(), digits.end(), [](char d) { return d >= '0' && d <= '9'; })) {
        control.imageId = std::stoi(std::string(digits));
      }
    } else {
      control.imageId = integer();
    }
  }

  RawControl control() {
    const Token& keyword = next();
    if (keyword.type != TokenType::Name)
      fail(keyword, "expected a control before " + describe(keyword));
    RawControl raw;
    ControlTemplate& c = raw.control;
    if (sameWord(keyword.text, "CONTROL")) {
      textOrImage(c);
      expectPunct(',');
      c.id = integer();
      expectPunct(',');
      if (peek().type != TokenType::String && peek().type != TokenType::Name) {
        fail(peek(), "expected a window class before " + describe(peek()));
      }
      raw.windowClass = next().text;
      expectPunct(',');
      raw.style = style(kWsChild | kWsVisible);
      expectPunct(',');
      position(c);
    } else {
      const auto found =
          std::find_if(std::begin(kStatements), std::end(kStatements),
                       [&](const Statement& s) { return sameWord(s.keyword, keyword.text); });
      if (found == std::end(kStatements))
        fail(keyword, "unknown control statement " + keyword.text);
      raw.windowClass = found->windowClass;
      if (found->hasText) {
        textOrImage(c);
        expectPunct(',');
      }
      c.id = integer();
      expectPunct(',');
      c.x = integer();
      expectPunct(',');
      c.y = integer();
      raw.style = kWsChild | kWsVisible | found->defaultStyle;
      const bool sizeOptional = found->keyword == "ICON";
      if (!sizeOptional || acceptComma()) {
        if (!sizeOptional) expectPunct(',');
        c.width = integer();
        expectPunct(',');
        c.height = integer();
      }
      if (acceptComma()) raw.style = style(raw.style);
    }
    if (acceptComma()) {
      raw.exStyle = style(0);
      if (acceptComma()) integer();  // help id
    }
    return raw;
  }

  void position(ControlTemplate& c) {
    c.x = integer();
    expectPunct(',');
    c.y = integer();
    expectPunct(',');
    c.width = integer();
    expectPunct(',');
    c.height = integer();
  }

  // ---- From window styles to the template's kinds and style words ----

  static ControlTemplate toTemplate(RawControl raw) {
    ControlTemplate c = std::move(raw.control);
    const std::uint32_t s = raw.style;
    const auto set = [&](bool on, platform::ControlStyle word) {
      if (on) c.styles |= word;
    };
    set(s & kWsTabStop, platform::kTabStop);
    set(s & kWsGroup, platform::kGroup);
    set(s & kWsBorder, platform::kBorder);
    set(s & kWsVScroll, platform::kVScroll);
    set(!(s & kWsVisible), platform::kHidden);
    set(s & kWsDisabled, platform::kDisabled);
    set(raw.exStyle & kWsExStaticEdge, platform::kStaticEdge);
    set(raw.exStyle & kWsExTransparent, platform::kTransparent);

    const auto unsupported = [&](std::string name) {
      c.kind = ControlKind::Unsupported;
      c.unsupportedKind = std::move(name);
    };
    if (sameWord(raw.windowClass, "Button")) {
      set(s & kBsIcon, platform::kIconImage);
      set(s & kBsFlat, platform::kFlat);
      switch (s & kBsTypeMask) {
        case 0x0:
        case 0xA:
          c.kind = ControlKind::PushButton;
          break;
        case 0x1:
          c.kind = ControlKind::DefPushButton;
          break;
        case 0x2:
        case 0x3:
        case 0x5:
        case 0x6:
          c.kind = ControlKind::CheckBox;
          break;
        case 0x4:
        case 0x9:
          c.kind = ControlKind::RadioButton;
          break;
        case 0x7:
          c.kind = ControlKind::GroupBox;
          break;
        case 0x8:
          unsupported("BS_USERBUTTON");
          break;
        case 0xB:
          unsupported("BS_OWNERDRAW");
          break;
        default:
          unsupported("<unknown>");
      }
    } else if (sameWord(raw.windowClass, "Edit")) {
      c.kind = ControlKind::Edit;
      set(s & kEsAutoHScroll, platform::kAutoHScroll);
      set(s & kEsReadOnly, platform::kReadOnly);
      set(s & kEsNumber, platform::kDigitsOnly);
    } else if (sameWord(raw.windowClass, "ListBox")) {
      c.kind = ControlKind::ListBox;
      set(s & kLbsNotify, platform::kNotify);
      set(s & kLbsNoIntegralHeight, platform::kNoIntegralHeight);
    } else if (sameWord(raw.windowClass, "Static")) {
      set(s & kSsCenterImage, platform::kCenterImage);
      switch (s & kSsTypeMask) {
        case 0x0:
        case 0x1:
        case 0x2:
        case 0xB:
          c.kind = ControlKind::Static;
          break;
        case 0xC:
          c.kind = ControlKind::StaticNoWrap;
          break;
        case 0x3:
          c.kind = ControlKind::IconPicture;
          break;
        case 0xE:
          c.kind = ControlKind::BitmapPicture;
          break;
        default:
          unsupported("<unknown>");
      }
    } else {
      unsupported("<unknown>");
    }
    if (c.kind != ControlKind::IconPicture && c.kind != ControlKind::BitmapPicture) c.imageId = 0;
    return c;
  }

  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
};

}  // namespace

std::optional<platform::DialogTemplate> parseDialogTemplate(std::string_view script, int templateId,
                                                            std::string* error) {
  try {
    Parser parser(Lexer().run(script));
    auto dialog = parser.find(templateId);
    if (!dialog && error) *error = "template " + std::to_string(templateId) + " not found";
    return dialog;
  } catch (const SyntaxError& e) {
    if (error) *error = "line " + std::to_string(e.line) + ": " + e.message;
    return std::nullopt;
  }
}

}  // namespace orbalta
