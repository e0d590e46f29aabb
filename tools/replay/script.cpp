#include "tools/replay/script.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <utility>

namespace orbalta::replay {
namespace {

struct Token {
  bool quoted = false;
  std::string text;  // a word, or the unescaped bytes of a string
};

struct Failure {
  std::string message;
};

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The byte that a one-letter escape stands for, 0 for none.
char escaped(char letter) {
  switch (letter) {
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    case '"':
      return '"';
    case '\\':
      return '\\';
    default:
      return 0;
  }
}

bool endsWord(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '#';
}

// The string that starts at line[i] (its opening quote), decoded; i ends past it.
bool readString(std::string_view line, std::size_t& i, Token& token, Failure& failure) {
  ++i;
  bool closed = false;
  while (i < line.size()) {
    const unsigned char b = static_cast<unsigned char>(line[i]);
    if (b == '"') {
      closed = true;
      ++i;
      break;
    }
    if (b < 0x20 || b >= 0x7f) {
      failure.message = b >= 0x80 ? "a byte above 0x7F in a string: write it as \\xHH"
                                  : "a control character in a string: write it escaped";
      return false;
    }
    if (b != '\\') {
      token.text.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    if (i + 1 >= line.size()) break;
    const char e = line[i + 1];
    i += 2;
    if (const char byte = escaped(e)) {
      token.text.push_back(byte);
    } else if (e == 'x') {
      const int high = i < line.size() ? hexDigit(line[i]) : -1;
      const int low = i + 1 < line.size() ? hexDigit(line[i + 1]) : -1;
      if (high < 0 || low < 0) {
        failure.message = "\\x needs two hexadecimal digits";
        return false;
      }
      token.text.push_back(static_cast<char>(high * 16 + low));
      i += 2;
    } else {
      failure.message = std::string("unknown escape \\") + e;
      return false;
    }
  }
  if (!closed) {
    failure.message = "unterminated string";
    return false;
  }
  if (i < line.size() && !endsWord(line[i])) {
    failure.message = "a string must be followed by a blank";
    return false;
  }
  return true;
}

// Splits one line into words and strings; stops at a `#` outside a string.
bool tokenize(std::string_view line, std::vector<Token>& tokens, Failure& failure) {
  std::size_t i = 0;
  while (i < line.size()) {
    const char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      Token token{true, {}};
      if (!readString(line, i, token, failure)) return false;
      tokens.push_back(std::move(token));
    } else {
      Token token;
      while (i < line.size() && !endsWord(line[i])) {
        if (line[i] == '"') {
          failure.message = "a quote inside a word";
          return false;
        }
        token.text.push_back(line[i]);
        ++i;
      }
      tokens.push_back(std::move(token));
    }
  }
  return true;
}

bool parseInt(std::string_view text, int& value) {
  if (text.empty()) return false;
  const char* first = text.data();
  const char* last = first + text.size();
  if (*first == '+') return false;
  const auto [end, ec] = std::from_chars(first, last, value);
  return ec == std::errc() && end == last;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

constexpr std::array<std::pair<KeyName, std::string_view>, 14> kKeyNames{{
    {KeyName::Tab, "Tab"},
    {KeyName::ShiftTab, "Shift+Tab"},
    {KeyName::Enter, "Enter"},
    {KeyName::Esc, "Esc"},
    {KeyName::Left, "Left"},
    {KeyName::Right, "Right"},
    {KeyName::Up, "Up"},
    {KeyName::Down, "Down"},
    {KeyName::Home, "Home"},
    {KeyName::End, "End"},
    {KeyName::Backspace, "Backspace"},
    {KeyName::Delete, "Delete"},
    {KeyName::Space, "Space"},
    {KeyName::CtrlA, "Ctrl+A"},
}};

constexpr std::array<std::pair<BoxIcon, std::string_view>, 4> kIconNames{{
    {BoxIcon::None, "none"},
    {BoxIcon::Information, "information"},
    {BoxIcon::Warning, "warning"},
    {BoxIcon::Error, "error"},
}};

bool isWindowId(int id) {
  return std::find(std::begin(kWindows), std::end(kWindows), id) != std::end(kWindows);
}

// Reads the tokens of one line; every check throws nothing and reports through `failure`.
class LineParser {
 public:
  LineParser(std::vector<Token> tokens, Failure& failure)
      : tokens_(std::move(tokens)), failure_(failure) {}

  bool parse(Step& step) {
    const std::string verb = word("an action");
    if (!ok_) return false;
    if (verb == "click") {
      step.kind = StepKind::Click;
      step.control = control();
      if (more()) step.number = number("a caret position", 0);
    } else if (verb == "type" || verb == "paste") {
      step.kind = verb == "type" ? StepKind::Type : StepKind::Paste;
      step.text = string("the text");
    } else if (verb == "key") {
      step.kind = StepKind::Key;
      step.key = keyName();
    } else if (verb == "select") {
      step.kind = StepKind::Select;
      step.control = control();
      step.number = number("an item number", 1);
    } else if (verb == "close") {
      step.kind = StepKind::Close;
      step.window = window();
    } else if (verb == "file") {
      step.kind = StepKind::File;
      if (peekQuoted()) {
        step.text = string("the path");
      } else {
        expectWord("cancel");
        step.cancel = true;
      }
    } else if (verb == "dump") {
      step.kind = StepKind::Dump;
      if (more()) step.window = window();
    } else if (verb == "expect") {
      parseExpect(step);
    } else {
      fail("unknown action \"" + verb + "\"");
    }
    if (ok_ && more()) fail("unexpected \"" + tokens_[next_].text + "\" at the end of the line");
    return ok_;
  }

 private:
  void parseExpect(Step& step) {
    if (peekWord("window")) {
      ++next_;
      step.kind = StepKind::ExpectWindowOpen;
      step.window = window();
      expectWord("open");
      step.number = flag();
    } else if (peekWord("msgbox")) {
      ++next_;
      step.kind = StepKind::ExpectMsgbox;
      step.title = string("the title");
      if (peekWord("*")) {
        ++next_;
        step.anyText = true;
      } else {
        step.text = string("the text or *");
      }
      step.icon = iconName();
    } else if (peekWord("no")) {
      ++next_;
      step.kind = StepKind::ExpectNoMsgbox;
      expectWord("msgbox");
    } else if (peekWord("exit")) {
      ++next_;
      step.kind = StepKind::ExpectExit;
      step.number = number("an exit code", std::numeric_limits<int>::min());
    } else {
      step.control = control();
      const std::string what = word("text, enabled, checked, selected, focus or tooltip");
      if (!ok_) return;
      if (what == "text") {
        step.kind = StepKind::ExpectText;
        step.text = string("the text");
      } else if (what == "enabled") {
        step.kind = StepKind::ExpectEnabled;
        step.number = flag();
      } else if (what == "checked") {
        step.kind = StepKind::ExpectChecked;
        step.number = flag();
      } else if (what == "selected") {
        step.kind = StepKind::ExpectSelected;
        step.number = number("an item number", 0);
      } else if (what == "focus") {
        step.kind = StepKind::ExpectFocus;
      } else if (what == "tooltip") {
        step.kind = StepKind::ExpectToolTip;
        if (peekWord("*")) {
          ++next_;
          step.anyText = true;
        } else {
          step.text = string("the tool tip or *");
        }
      } else {
        fail("unknown check \"" + what + "\"");
      }
    }
  }

  bool more() const { return ok_ && next_ < tokens_.size(); }
  bool peekQuoted() const { return more() && tokens_[next_].quoted; }
  bool peekWord(std::string_view w) const {
    return more() && !tokens_[next_].quoted && tokens_[next_].text == w;
  }

  void fail(std::string message) {
    if (!ok_) return;
    ok_ = false;
    failure_.message = std::move(message);
  }

  std::string word(std::string_view what) {
    if (!more()) {
      fail("missing " + std::string(what));
      return {};
    }
    const Token& token = tokens_[next_];
    if (token.quoted) {
      fail("expected " + std::string(what) + ", found a string");
      return {};
    }
    ++next_;
    return token.text;
  }

  void expectWord(std::string_view w) {
    const std::string found = word("\"" + std::string(w) + "\"");
    if (ok_ && found != w) fail("expected \"" + std::string(w) + "\", found \"" + found + "\"");
  }

  std::string string(std::string_view what) {
    if (!more()) {
      fail("missing " + std::string(what) + " (a quoted string)");
      return {};
    }
    const Token& token = tokens_[next_];
    if (!token.quoted) {
      fail("expected " + std::string(what) + " as a quoted string, found \"" + token.text + "\"");
      return {};
    }
    ++next_;
    return token.text;
  }

  int number(std::string_view what, int minimum) {
    const std::string text = word(what);
    if (!ok_) return 0;
    int value = 0;
    if (!parseInt(text, value)) {
      fail("expected " + std::string(what) + ", found \"" + text + "\"");
    } else if (value < minimum) {
      fail(std::string(what) + " must be at least " + std::to_string(minimum));
    }
    return value;
  }

  int flag() {
    const std::string text = word("0 or 1");
    if (ok_ && text != "0" && text != "1") fail("expected 0 or 1, found \"" + text + "\"");
    return text == "1" ? 1 : 0;
  }

  int window() {
    const std::string text = word("a window (101, 103, 109 or 111)");
    if (!ok_) return 0;
    int id = 0;
    if (!parseInt(text, id) || !isWindowId(id)) {
      fail("unknown window \"" + text + "\" (101, 103, 109 or 111)");
    }
    return id;
  }

  ControlRef control() {
    const std::string text = word("a control (WINDOW:ID or ID)");
    ControlRef ref;
    if (!ok_) return ref;
    const std::size_t colon = text.find(':');
    const std::string_view idText = colon == std::string::npos
                                        ? std::string_view(text)
                                        : std::string_view(text).substr(colon + 1);
    if (colon != std::string::npos) {
      int window = 0;
      if (!parseInt(std::string_view(text).substr(0, colon), window) || !isWindowId(window)) {
        fail("unknown window in \"" + text + "\" (101, 103, 109 or 111)");
        return ref;
      }
      ref.window = window;
    }
    if (!parseInt(idText, ref.id) || ref.id < 0) fail("bad control \"" + text + "\"");
    return ref;
  }

  KeyName keyName() {
    const std::string text = word("a key name");
    if (!ok_) return KeyName::Tab;
    for (const auto& [key, name] : kKeyNames) {
      if (equalsNoCase(text, name)) return key;
    }
    fail("unknown key \"" + text + "\"");
    return KeyName::Tab;
  }

  BoxIcon iconName() {
    const std::string text = word("an icon (none, information, warning, error)");
    if (!ok_) return BoxIcon::None;
    for (const auto& [icon, name] : kIconNames) {
      if (text == name) return icon;
    }
    fail("unknown icon \"" + text + "\" (none, information, warning, error)");
    return BoxIcon::None;
  }

  std::vector<Token> tokens_;
  Failure& failure_;
  std::size_t next_ = 0;
  bool ok_ = true;
};

// "on SYSTEM" in front of a line: whether the line is for `system`.
bool forSystem(std::vector<Token>& tokens, System system, Failure& failure) {
  if (tokens.empty() || tokens[0].quoted || tokens[0].text != "on") return true;
  const std::string name = tokens.size() > 1 && !tokens[1].quoted ? tokens[1].text : "";
  if (name != "linux" && name != "windows") {
    failure.message = "expected linux or windows after \"on\"";
    return false;
  }
  tokens.erase(tokens.begin(), tokens.begin() + 2);
  if (tokens.empty()) failure.message = "missing a line after \"on " + name + "\"";
  return (name == "windows") == (system == System::Windows);
}

}  // namespace

Script parseScript(std::string_view source, System system) {
  Script script;
  int lineNumber = 0;
  std::size_t start = 0;
  while (start < source.size()) {
    std::size_t end = source.find('\n', start);
    if (end == std::string_view::npos) end = source.size();
    const std::string_view line = source.substr(start, end - start);
    start = end + 1;
    ++lineNumber;

    Failure failure;
    std::vector<Token> tokens;
    if (!tokenize(line, tokens, failure)) {
      script.errors.push_back({lineNumber, failure.message});
      continue;
    }
    if (tokens.empty()) continue;
    const bool played = forSystem(tokens, system, failure);
    Step step;
    step.line = lineNumber;
    if (failure.message.empty() && LineParser(std::move(tokens), failure).parse(step)) {
      if (played) script.steps.push_back(std::move(step));
    } else {
      script.errors.push_back({lineNumber, failure.message});
    }
  }
  return script;
}

std::string escapeText(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    switch (b) {
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        if (b < 0x20 || b >= 0x7f) {
          out += "\\x";
          out.push_back(kHex[b >> 4]);
          out.push_back(kHex[b & 0xf]);
        } else {
          out.push_back(c);
        }
    }
  }
  return out;
}

std::string_view keyNameText(KeyName key) {
  for (const auto& [k, name] : kKeyNames) {
    if (k == key) return name;
  }
  return "?";
}

std::string_view boxIconText(BoxIcon icon) {
  for (const auto& [i, name] : kIconNames) {
    if (i == icon) return name;
  }
  return "?";
}

std::string controlText(const ControlRef& control) {
  if (control.window == kMainWindow) return std::to_string(control.id);
  return std::to_string(control.window) + ":" + std::to_string(control.id);
}

}  // namespace orbalta::replay
