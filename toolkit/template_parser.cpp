#include "toolkit/template_parser.h"

// Sections: expressions; the DIALOGEX statement and its controls; from window styles to the
// template's kinds. The vocabulary is in template_tables.h, the tokens in template_lexer.h.

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "toolkit/template_lexer.h"
#include "toolkit/template_tables.h"

namespace orbalta {
namespace {

using namespace templates;
using platform::ControlKind;
using platform::ControlTemplate;
using platform::DialogTemplate;

// ---- The parser: expressions, the dialog statement and its controls ----

// The kinds of the Button and Static classes by their type bits; an unsupported type is named.
struct TypeKind {
  std::uint32_t type;
  ControlKind kind;
  const char* unsupported = nullptr;
};

constexpr TypeKind kButtonTypes[] = {
    {0x0, ControlKind::PushButton},
    {0xA, ControlKind::PushButton},
    {0x1, ControlKind::DefPushButton},
    {0x2, ControlKind::CheckBox},
    {0x3, ControlKind::CheckBox},
    {0x5, ControlKind::CheckBox},
    {0x6, ControlKind::CheckBox},
    {0x4, ControlKind::RadioButton},
    {0x9, ControlKind::RadioButton},
    {0x7, ControlKind::GroupBox},
    {0x8, ControlKind::Unsupported, "BS_USERBUTTON"},
    {0xB, ControlKind::Unsupported, "BS_OWNERDRAW"},
};

constexpr TypeKind kStaticTypes[] = {
    {0x0, ControlKind::Static},        {0x1, ControlKind::Static},
    {0x2, ControlKind::Static},        {0xB, ControlKind::Static},
    {0xC, ControlKind::StaticNoWrap},  {0x3, ControlKind::IconPicture},
    {0xE, ControlKind::BitmapPicture},
};

template <std::size_t N>
void setKind(ControlTemplate& c, const TypeKind (&types)[N], std::uint32_t type) {
  for (const TypeKind& row : types) {
    if (row.type != type) continue;
    c.kind = row.kind;
    if (row.unsupported != nullptr) c.unsupportedKind = row.unsupported;
    return;
  }
  c.kind = ControlKind::Unsupported;
  c.unsupportedKind = "<unknown>";
}

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
    position(dialog);
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
      corner(c);
      raw.style = kWsChild | kWsVisible | found->defaultStyle;
      const bool sizeOptional = found->keyword == "ICON";
      if (!sizeOptional || acceptComma()) {
        if (!sizeOptional) expectPunct(',');
        extent(c);
      }
      if (acceptComma()) raw.style = style(raw.style);
    }
    if (acceptComma()) {
      raw.exStyle = style(0);
      if (acceptComma()) integer();  // help id
    }
    return raw;
  }

  // x, y, width, height of a dialog or a control.
  template <typename Placed>
  void position(Placed& c) {
    corner(c);
    expectPunct(',');
    extent(c);
  }

  template <typename Placed>
  void corner(Placed& c) {
    c.x = integer();
    expectPunct(',');
    c.y = integer();
  }

  template <typename Placed>
  void extent(Placed& c) {
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

    if (sameWord(raw.windowClass, "Button")) {
      set(s & kBsIcon, platform::kIconImage);
      set(s & kBsFlat, platform::kFlat);
      setKind(c, kButtonTypes, s & kBsTypeMask);
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
      setKind(c, kStaticTypes, s & kSsTypeMask);
    } else {
      c.kind = ControlKind::Unsupported;
      c.unsupportedKind = "<unknown>";
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
    Parser parser(tokenize(script));
    auto dialog = parser.find(templateId);
    if (!dialog && error) *error = "template " + std::to_string(templateId) + " not found";
    return dialog;
  } catch (const SyntaxError& e) {
    if (error) *error = "line " + std::to_string(e.line) + ": " + e.message;
    return std::nullopt;
  }
}

}  // namespace orbalta
