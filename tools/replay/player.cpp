#include "tools/replay/player.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "resources/resources.h"
#include "toolkit/template_parser.h"

namespace orbalta::replay {

using platform::WindowHandle;

namespace {

// A line that makes no progress for this long has hung the program (or the harness).
constexpr std::chrono::seconds kStuckAfter{60};
// How long `expect exit` waits for a program that is on its way out.
constexpr std::chrono::milliseconds kExitGrace{3000};

constexpr int kTemplates[] = {kMainWindow, kAboutWindow, kInfoWindow, kSummaryWindow};

std::string inQuotes(std::string_view bytes) {
  return "\"" + escapeText(bytes) + "\"";
}

BoxIcon boxIcon(platform::MessageIcon icon) {
  switch (icon) {
    case platform::MessageIcon::Information:
      return BoxIcon::Information;
    case platform::MessageIcon::Warning:
      return BoxIcon::Warning;
    case platform::MessageIcon::Error:
      return BoxIcon::Error;
    case platform::MessageIcon::None:
      break;
  }
  return BoxIcon::None;
}

std::string boxLine(const std::string& title, const std::string& text, BoxIcon icon) {
  return "msgbox " + inQuotes(title) + " " + inQuotes(text) + " " + std::string(boxIconText(icon));
}

// Where to click in an edit so that the caret lands before character `position`: the middle
// of the stretch of x that the edit itself maps to that position (scrolling included).
std::optional<QPoint> caretPoint(QLineEdit& edit, int position) {
  const int y = edit.height() / 2;
  int first = -1;
  int last = -1;
  for (int x = 1; x < edit.width() - 1; ++x) {
    if (edit.cursorPositionAt(QPoint(x, y)) == position) {
      if (first < 0) first = x;
      last = x;
    }
  }
  if (first < 0) return std::nullopt;
  return QPoint((first + last) / 2, y);
}

// A check box or radio button reacts to clicks on its box and its caption; the box is the
// part that is always there, whatever the caption's width.
QPoint indicatorPoint(QAbstractButton& button, bool radio) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const QRect box = button.style()->subElementRect(
      radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator, &option, &button);
  return box.isValid() && button.rect().contains(box.center()) ? box.center()
                                                               : button.rect().center();
}

std::string_view kindName(platform::ControlKind kind) {
  switch (kind) {
    case platform::ControlKind::PushButton:
      return "button";
    case platform::ControlKind::DefPushButton:
      return "defbutton";
    case platform::ControlKind::CheckBox:
      return "check";
    case platform::ControlKind::RadioButton:
      return "radio";
    case platform::ControlKind::GroupBox:
      return "group";
    case platform::ControlKind::Edit:
      return "edit";
    case platform::ControlKind::ListBox:
      return "list";
    case platform::ControlKind::Static:
      return "static";
    case platform::ControlKind::StaticNoWrap:
      return "static-nowrap";
    case platform::ControlKind::IconPicture:
      return "icon";
    case platform::ControlKind::BitmapPicture:
      return "bitmap";
    case platform::ControlKind::Unsupported:
      break;
  }
  return "unsupported";
}

// The control id carried by a widget of a template window ("ctl<id>"), if it is one.
std::optional<int> controlIdOf(const QWidget* widget) {
  const QString name = widget->objectName();
  if (!name.startsWith(QLatin1String("ctl"))) return std::nullopt;
  bool ok = false;
  const int id = name.mid(3).toInt(&ok);
  return ok ? std::optional<int>(id) : std::nullopt;
}

}  // namespace

struct Player::Control {
  WindowHandle window = 0;
  QWidget* top = nullptr;
  QWidget* widget = nullptr;
};

// Ends the harness when the program stops answering: a line that never returns cannot be
// reported from the thread it blocks.
struct Player::Watchdog {
  explicit Watchdog(std::string script) : scriptName(std::move(script)) {
    touch(0);
    thread = std::thread([this] { run(); });
  }
  ~Watchdog() {
    {
      std::lock_guard lock(mutex);
      stop = true;
    }
    wake.notify_all();
    thread.join();
  }
  void touch(int line) {
    currentLine = line;
    lastProgress = std::chrono::steady_clock::now().time_since_epoch().count();
  }
  void run() {
    std::unique_lock lock(mutex);
    while (!wake.wait_for(lock, std::chrono::milliseconds(250), [this] { return stop; })) {
      const auto last = std::chrono::steady_clock::time_point(
          std::chrono::steady_clock::duration(lastProgress.load()));
      if (std::chrono::steady_clock::now() - last > kStuckAfter) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s:%d: no progress for %lld seconds: the program does not respond\n",
                     scriptName.c_str(), currentLine.load(),
                     static_cast<long long>(kStuckAfter.count()));
        std::fflush(stderr);
        std::_Exit(1);
      }
    }
  }

  std::string scriptName;
  std::atomic<int> currentLine{0};
  std::atomic<std::chrono::steady_clock::rep> lastProgress{0};
  std::mutex mutex;
  std::condition_variable wake;
  bool stop = false;
  std::thread thread;
};

Player::Player(platform::QtPlatform& qt, std::vector<Step> steps, std::string scriptName,
               std::string shotsDir)
    : qt_(qt),
      tap_(qt, *this),
      steps_(std::move(steps)),
      scriptName_(std::move(scriptName)),
      shotsDir_(std::move(shotsDir)),
      context_(std::make_unique<QObject>()),
      watchdog_(std::make_unique<Watchdog>(scriptName_)) {
  qt_.setMessageBoxHook([this](const std::string& text, const std::string& title,
                               platform::MessageIcon icon) { onMessageBox(text, title, icon); });
  qt_.setOpenFileHook([this](const platform::OpenFileRequest&) { return onOpenFile(); });
  QObject::connect(
      qGuiApp, &QGuiApplication::focusWindowChanged, context_.get(), [this](QWindow* window) {
        if (window == nullptr) return;
        std::erase_if(activeHistory_,
                      [window](const QPointer<QWindow>& w) { return w.isNull() || w == window; });
        activeHistory_.emplace_back(window);
      });
}

Player::~Player() {
  qt_.setMessageBoxHook({});
  qt_.setOpenFileHook({});
}

// --- Pacing ---

void Player::messageLoopStarting() {
  loopRunning_ = true;
  schedule(0);
}

void Player::messageLoopEnded(int) {
  loopRunning_ = false;
}

void Player::quitPosted(int) {
  quit_ = true;
}

void Player::modalStarting(WindowHandle window) {
  modals_.push_back({window, false});
}

void Player::modalEnding(WindowHandle window) {
  for (ModalLevel& level : modals_) {
    if (level.window == window) level.ending = true;
  }
}

void Player::modalEnded(WindowHandle) {
  if (!modals_.empty()) modals_.pop_back();
}

void Player::schedule(int delayMs) {
  QTimer::singleShot(delayMs, context_.get(), [this] { tick(); });
}

bool Player::mayStartLine() const {
  if (active_.empty()) return true;
  // The line on the stack may only be waiting in a modal loop that it opened itself.
  return modals_.size() > active_.back().modalDepth && !modals_.back().ending;
}

void Player::tick() {
  if (ended_ || quit_ || !loopRunning_) return;
  if (!mayStartLine()) {
    schedule(1);
    return;
  }
  if (next_ >= steps_.size()) {
    closeProgram();
    return;
  }
  const Step& step = steps_[next_];
  if (step.kind == StepKind::ExpectExit) {
    // Closing a window can end the program a few events later.
    const auto now = std::chrono::steady_clock::now();
    if (!exitWaitStart_) exitWaitStart_ = now;
    if (now - *exitWaitStart_ < kExitGrace) {
      schedule(10);
      return;
    }
  }
  ++next_;
  active_.push_back({step.line, modals_.size()});
  lastLine_ = step.line;
  watchdog_->touch(step.line);
  // A user acts on what the screen shows: let the window system deliver what it has queued
  // (a window shown by the previous line becomes active).
  QCoreApplication::processEvents();
  if (QGuiApplication::focusWindow() == nullptr) reactivate(step.line);
  // Queued before the line runs, so that the next line can run inside a modal window that
  // this one opens.
  schedule(0);
  play(step);
  watchdog_->touch(step.line);
  active_.pop_back();
}

void Player::closeProgram() {
  // The script has ended with the program still running: close it as a user would, the
  // innermost modal window first.
  if (++closeAttempts_ > 20) fail(lastLine_, "the program does not end when its windows close");
  watchdog_->touch(lastLine_);
  schedule(0);
  active_.push_back({lastLine_, modals_.size()});
  if (QWidget* modal = modalWindow()) {
    QCloseEvent event;
    QSpontaneKeyEvent::setSpontaneous(&event);
    QCoreApplication::sendEvent(modal->windowHandle(), &event);
  } else if (qt_.windowOfTemplate(kMainWindow) == 0) {
    fail(lastLine_, "the script has ended and the program still runs without its main window");
  } else {
    closeWindow(lastLine_, kMainWindow);
  }
  active_.pop_back();
}

int Player::finish(int exitCode) {
  ended_ = true;
  exitCode_ = exitCode;
  while (next_ < steps_.size()) {
    const Step& step = steps_[next_++];
    lastLine_ = step.line;
    watchdog_->touch(step.line);
    playAfterEnd(step);
  }
  return exitCode;
}

void Player::fail(int line, const std::string& message) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s:%d: %s\n", scriptName_.c_str(), line, message.c_str());
  std::fflush(stderr);
  std::_Exit(1);
}

// --- Lines ---

void Player::play(const Step& step) {
  switch (step.kind) {
    case StepKind::Click:
      click(step);
      break;
    case StepKind::Type:
      typeText(step);
      break;
    case StepKind::Paste:
      paste(step);
      break;
    case StepKind::Key:
      pressKey(step);
      break;
    case StepKind::Select:
      select(step);
      break;
    case StepKind::Close:
      closeWindow(step.line, step.window);
      break;
    case StepKind::File:
      fileAnswers_.push_back(step.cancel ? std::nullopt : std::optional<std::string>(step.text));
      break;
    case StepKind::Dump:
      dump(step);
      break;
    case StepKind::ExpectText:
    case StepKind::ExpectEnabled:
    case StepKind::ExpectChecked:
    case StepKind::ExpectSelected:
    case StepKind::ExpectFocus:
    case StepKind::ExpectWindowOpen:
      expectState(step);
      break;
    case StepKind::ExpectMsgbox:
      expectMessageBox(step);
      break;
    case StepKind::ExpectNoMsgbox:
      expectNoMessageBox(step);
      break;
    case StepKind::ExpectExit:
      fail(step.line, "the program is still running");
      break;
    case StepKind::Grab:
      grab(step);
      break;
  }
}

void Player::playAfterEnd(const Step& step) {
  switch (step.kind) {
    case StepKind::ExpectExit:
      if (exitCode_ != *step.number) {
        fail(step.line, "the program ended with code " + std::to_string(exitCode_) + ", not " +
                            std::to_string(*step.number));
      }
      break;
    case StepKind::ExpectMsgbox:
    case StepKind::ExpectNoMsgbox:
      play(step);
      break;
    default:
      fail(step.line,
           "the program has already ended (exit code " + std::to_string(exitCode_) + ")");
  }
}

// --- Windows and controls ---

QWidget* Player::openWindow(int line, int templateId, WindowHandle* handle) {
  const WindowHandle window = qt_.windowOfTemplate(templateId);
  QWidget* top = window != 0 ? qt_.windowWidget(window) : nullptr;
  if (top == nullptr || !qt_.isVisible(window)) {
    fail(line, "window " + std::to_string(templateId) + " is not open");
  }
  if (handle != nullptr) *handle = window;
  return top;
}

Player::Control Player::control(int line, const ControlRef& ref) {
  Control found;
  found.top = openWindow(line, ref.window, &found.window);
  found.widget = qt_.controlWidget(found.window, ref.id);
  if (found.widget == nullptr) {
    fail(line,
         "window " + std::to_string(ref.window) + " has no control " + std::to_string(ref.id));
  }
  return found;
}

QWidget* Player::modalWindow() const {
  for (auto level = modals_.rbegin(); level != modals_.rend(); ++level) {
    if (level->ending) continue;
    QWidget* top = qt_.windowWidget(level->window);
    if (top != nullptr && top->isVisible()) return top;
  }
  return QApplication::activeModalWidget();
}

int Player::templateOf(const QWidget* top) const {
  for (const int id : kTemplates) {
    const WindowHandle window = qt_.windowOfTemplate(id);
    if (window != 0 && qt_.windowWidget(window) == top) return id;
  }
  return 0;
}

void Player::checkNotBlocked(int line, QWidget* top, int templateId) {
  QWidget* modal = modalWindow();
  if (modal != nullptr && modal != top) {
    fail(line, "window " + std::to_string(templateId) + " is blocked by the modal window " +
                   std::to_string(templateOf(modal)));
  }
}

// A click into a window that is not active activates it first, as the window manager does.
void Player::activate(int line, QWidget* top) {
  if (QApplication::activeWindow() == top) return;
  top->activateWindow();
  if (!QTest::qWaitForWindowActive(top, 2000)) {
    fail(line, "window " + std::to_string(templateOf(top)) + " cannot be activated");
  }
}

// When the active window goes away the window manager activates the one used before it (the
// owner of a closed modal window); the offscreen platform has no window manager, so the
// harness plays that part.
void Player::reactivate(int line) {
  QWidget* modal = modalWindow();
  for (auto window = activeHistory_.rbegin(); window != activeHistory_.rend(); ++window) {
    if (window->isNull() || !(*window)->isVisible()) continue;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->windowHandle() != window->data() || !top->isVisible()) continue;
      if (modal != nullptr && top != modal) continue;
      activate(line, top);
      return;
    }
  }
}

// A real click, delivered through the window system: it reaches whatever is at that point.
void Player::mouseClick(int line, QWidget* target, QPoint point, const std::string& what) {
  QWidget* top = target->window();
  const QPoint inWindow = target->mapTo(top, point);
  QWidget* hit = top->childAt(inWindow);
  if (hit != target && !target->isAncestorOf(hit)) {
    const std::optional<int> other = hit != nullptr ? controlIdOf(hit) : std::nullopt;
    fail(line, what + " is covered at the point clicked" +
                   (other ? " by control " + std::to_string(*other) : std::string()));
  }
  QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
}

QWindow* Player::focusWindow(int line) {
  // The keyboard goes to the modal window while there is one.
  if (QWidget* modal = modalWindow(); modal != nullptr && QApplication::activeWindow() != modal) {
    activate(line, modal);
  }
  QWindow* window = QGuiApplication::focusWindow();
  if (window == nullptr) fail(line, "no window has the keyboard focus");
  return window;
}

// --- Actions ---

void Player::click(const Step& step) {
  const Control found = control(step.line, step.control);
  const std::string name = "control " + controlText(step.control);
  checkNotBlocked(step.line, found.top, step.control.window);
  if (!found.widget->isVisible()) fail(step.line, name + " is hidden");
  activate(step.line, found.top);

  QPointer<QLineEdit> edit = qobject_cast<QLineEdit*>(found.widget);
  if (step.number && edit == nullptr) {
    fail(step.line, "a caret position needs an edit box; " + name + " is not one");
  }
  QWidget* target = found.widget;
  QPoint point = found.widget->rect().center();
  int caret = -1;
  if (edit != nullptr) {
    const int length = static_cast<int>(edit->text().size());
    caret = step.number.value_or(length);
    if (caret > length) {
      fail(step.line, name + " holds " + std::to_string(length) + " characters, fewer than " +
                          std::to_string(caret));
    }
    const std::optional<QPoint> at = caretPoint(*edit, caret);
    if (!at) {
      fail(step.line,
           "position " + std::to_string(caret) + " of " + name + " is scrolled out of view");
    }
    point = *at;
  } else if (auto* view = qobject_cast<QAbstractItemView*>(found.widget)) {
    target = view->viewport();
    point = target->rect().center();
  } else if (auto* radio = qobject_cast<QRadioButton*>(found.widget)) {
    point = indicatorPoint(*radio, true);
  } else if (auto* check = qobject_cast<QCheckBox*>(found.widget)) {
    point = indicatorPoint(*check, false);
  }
  const bool checkCaret = edit != nullptr && edit->isEnabled();
  mouseClick(step.line, target, point, name);

  if (checkCaret && edit != nullptr && !quit_) {
    if (!edit->hasFocus()) fail(step.line, name + " did not take the focus");
    if (edit->cursorPosition() != caret || edit->hasSelectedText()) {
      fail(step.line, "the caret landed at " + std::to_string(edit->cursorPosition()) +
                          (edit->hasSelectedText() ? " with a selection" : "") + ", not at " +
                          std::to_string(caret));
    }
  }
}

void Player::select(const Step& step) {
  const Control found = control(step.line, step.control);
  const std::string name = "control " + controlText(step.control);
  auto* view = qobject_cast<QAbstractItemView*>(found.widget);
  if (view == nullptr || view->model() == nullptr) fail(step.line, name + " is not a list box");
  checkNotBlocked(step.line, found.top, step.control.window);
  if (!view->isVisible()) fail(step.line, name + " is hidden");
  const int rows = view->model()->rowCount(view->rootIndex());
  const int item = *step.number;
  if (item > rows) {
    fail(step.line,
         name + " has " + std::to_string(rows) + " items, fewer than " + std::to_string(item));
  }
  activate(step.line, found.top);
  QPoint point = view->viewport()->rect().center();
  if (view->isEnabled()) {
    // The user scrolls the item into view first; scrolling selects nothing.
    const QModelIndex index = view->model()->index(item - 1, 0, view->rootIndex());
    view->scrollTo(index);
    const QRect shown = view->visualRect(index).intersected(view->viewport()->rect());
    if (shown.isEmpty())
      fail(step.line, "item " + std::to_string(item) + " of " + name + " cannot be shown");
    point = shown.center();
  }
  mouseClick(step.line, view->viewport(), point, name);
}

void Player::pressKey(const Step& step) {
  Qt::Key key = Qt::Key_unknown;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  switch (step.key) {
    case KeyName::Tab:
      key = Qt::Key_Tab;
      break;
    case KeyName::ShiftTab:
      key = Qt::Key_Backtab;
      modifiers = Qt::ShiftModifier;
      break;
    case KeyName::Enter:
      key = Qt::Key_Return;
      break;
    case KeyName::Esc:
      key = Qt::Key_Escape;
      break;
    case KeyName::Left:
      key = Qt::Key_Left;
      break;
    case KeyName::Right:
      key = Qt::Key_Right;
      break;
    case KeyName::Up:
      key = Qt::Key_Up;
      break;
    case KeyName::Down:
      key = Qt::Key_Down;
      break;
    case KeyName::Home:
      key = Qt::Key_Home;
      break;
    case KeyName::End:
      key = Qt::Key_End;
      break;
    case KeyName::Backspace:
      key = Qt::Key_Backspace;
      break;
    case KeyName::Delete:
      key = Qt::Key_Delete;
      break;
    case KeyName::Space:
      key = Qt::Key_Space;
      break;
    case KeyName::CtrlA:
      key = Qt::Key_A;
      modifiers = Qt::ControlModifier;
      break;
  }
  QTest::keyClick(focusWindow(step.line), key, modifiers);
}

void Player::typeText(const Step& step) {
  // One key press per character, so that each is one change of the focused control.
  for (const char16_t c : platform::fromWindows1252(step.text)) {
    if (quit_) fail(step.line, "the program ended before the whole text was typed");
    QWindow* window = focusWindow(step.line);
    if (c == u'\n' || c == u'\r') {
      QTest::keyClick(window, Qt::Key_Return);
    } else if (c == u'\t') {
      QTest::keyClick(window, Qt::Key_Tab);
    } else if (c < 0x20 || c == 0x7f) {
      fail(step.line, "cannot type the control character " + escapeText(std::string(1, char(c))));
    } else if (c < 0x80) {
      QTest::keyClick(window, static_cast<char>(c));
    } else {
      const QChar character(c);
      const auto key =
          c <= 0xff ? static_cast<Qt::Key>(character.toUpper().unicode()) : Qt::Key_unknown;
      QTest::sendKeyEvent(QTest::Click, window, key, QString(character), Qt::NoModifier);
    }
  }
}

void Player::paste(const Step& step) {
  QWindow* window = focusWindow(step.line);
  QPointer<QLineEdit> edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  if (edit == nullptr) fail(step.line, "paste needs the keyboard focus in an edit box");
  QGuiApplication::clipboard()->setText(
      QString::fromStdU16String(platform::fromWindows1252(step.text)));
  int changes = 0;
  const auto counter = QObject::connect(edit, &QLineEdit::textEdited, [&changes] { ++changes; });
  QTest::keyClick(window, Qt::Key_V, Qt::ControlModifier);
  QObject::disconnect(counter);
  if (changes > 1) fail(step.line, "the paste made " + std::to_string(changes) + " changes");
}

void Player::closeWindow(int line, int templateId) {
  QWidget* top = openWindow(line, templateId);
  checkNotBlocked(line, top, templateId);
  activate(line, top);
  // What the window manager sends when the user clicks the close box.
  QCloseEvent event;
  QSpontaneKeyEvent::setSpontaneous(&event);
  QCoreApplication::sendEvent(top->windowHandle(), &event);
}

void Player::grab(const Step& step) {
  QWidget* top = openWindow(step.line, step.window);
  const QString path =
      QDir(QString::fromStdString(shotsDir_)).filePath(QString::fromStdString(step.text));
  if (!top->grab().save(path, "PNG")) fail(step.line, "cannot write " + path.toStdString());
}

// --- Checks ---

void Player::expectState(const Step& step) {
  if (step.kind == StepKind::ExpectWindowOpen) {
    const WindowHandle window = qt_.windowOfTemplate(step.window);
    const bool open = window != 0 && qt_.isVisible(window);
    if (open != (*step.number == 1)) {
      fail(step.line,
           "window " + std::to_string(step.window) + (open ? " is open" : " is not open"));
    }
    return;
  }
  const Control found = control(step.line, step.control);
  const std::string name = controlText(step.control);
  const int id = step.control.id;
  switch (step.kind) {
    case StepKind::ExpectText: {
      const std::string text = qt_.text(found.window, id);
      if (text != step.text) {
        fail(step.line, name + " shows " + inQuotes(text) + ", expected " + inQuotes(step.text));
      }
      break;
    }
    case StepKind::ExpectEnabled: {
      const bool enabled = qt_.isEnabled(found.window, id);
      if (enabled != (*step.number == 1)) {
        fail(step.line, name + (enabled ? " is enabled" : " is disabled"));
      }
      break;
    }
    case StepKind::ExpectChecked: {
      const bool checked = qt_.isChecked(found.window, id);
      if (checked != (*step.number == 1)) {
        fail(step.line, name + (checked ? " is checked" : " is not checked"));
      }
      break;
    }
    case StepKind::ExpectSelected: {
      const int selected = qt_.listSelection(found.window, id) + 1;
      if (selected != *step.number) {
        fail(step.line, name + " has item " + std::to_string(selected) + " selected, expected " +
                            std::to_string(*step.number));
      }
      break;
    }
    case StepKind::ExpectFocus:
      if (!found.widget->hasFocus()) {
        std::string where = "nowhere";
        for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
          if (const std::optional<int> other = controlIdOf(w)) {
            where = controlText({templateOf(w->window()), *other});
            break;
          }
        }
        fail(step.line, name + " does not have the focus (it is at " + where + ")");
      }
      break;
    default:
      break;
  }
}

void Player::expectMessageBox(const Step& step) {
  const auto box =
      std::find_if(boxes_.begin(), boxes_.end(), [](const Box& b) { return !b.checked; });
  const std::string expected = "msgbox " + inQuotes(step.title) + " " +
                               (step.anyText ? std::string("*") : inQuotes(step.text)) + " " +
                               std::string(boxIconText(step.icon));
  if (box == boxes_.end()) fail(step.line, "no message box has appeared; expected " + expected);
  box->checked = true;
  if (box->title != step.title || (!step.anyText && box->text != step.text) ||
      box->icon != step.icon) {
    fail(step.line, "the message box was " + boxLine(box->title, box->text, box->icon) +
                        "; expected " + expected);
  }
}

void Player::expectNoMessageBox(const Step& step) {
  for (const Box& box : boxes_) {
    if (!box.checked) {
      fail(step.line, "an unchecked message box: " + boxLine(box.title, box.text, box.icon));
    }
  }
}

void Player::dump(const Step& step) {
  WindowHandle window = 0;
  openWindow(step.line, step.window, &window);
  std::string error;
  const std::optional<platform::DialogTemplate> tmpl =
      parseDialogTemplate(resources::templateScript(), step.window, &error);
  if (!tmpl) fail(step.line, "template " + std::to_string(step.window) + ": " + error);
  // Template order, the order of the tab stops.
  for (const platform::ControlTemplate& control : tmpl->controls) {
    std::string line = "dump " + std::to_string(step.window) + ":";
    QWidget* widget = control.id >= 0 ? qt_.controlWidget(window, control.id) : nullptr;
    if (widget == nullptr) {
      line += (control.id >= 0 ? std::to_string(control.id) : std::string("-")) + " " +
              std::string(kindName(control.kind)) + " " + inQuotes(control.caption);
      if (control.id >= 0) line += " missing";
      std::printf("%s\n", line.c_str());
      continue;
    }
    line += std::to_string(control.id) + " " + std::string(kindName(control.kind)) + " " +
            inQuotes(qt_.text(window, control.id)) + " enabled " +
            (qt_.isEnabled(window, control.id) ? "1" : "0");
    if (control.kind == platform::ControlKind::CheckBox ||
        control.kind == platform::ControlKind::RadioButton) {
      line += std::string(" checked ") + (qt_.isChecked(window, control.id) ? "1" : "0");
    }
    if (control.kind == platform::ControlKind::ListBox) {
      line += " selected " + std::to_string(qt_.listSelection(window, control.id) + 1);
      if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model()) {
        line += " items " + std::to_string(view->model()->rowCount(view->rootIndex()));
      }
    }
    if (control.kind == platform::ControlKind::Edit) {
      line += " caret " + std::to_string(qt_.caret(window, control.id));
    }
    if (!widget->isVisibleTo(widget->window())) line += " hidden";
    if (widget->hasFocus()) line += " focus";
    std::printf("%s\n", line.c_str());
  }
  std::fflush(stdout);
}

// --- Hooks ---

void Player::onMessageBox(const std::string& text, const std::string& title,
                          platform::MessageIcon icon) {
  boxes_.push_back({title, text, boxIcon(icon), false});
  std::printf("%s\n", boxLine(title, text, boxIcon(icon)).c_str());
  std::fflush(stdout);
}

std::optional<std::string> Player::onOpenFile() {
  if (fileAnswers_.empty()) {
    std::fprintf(stderr,
                 "%s:%d: warning: an open-file dialog with no answer queued by `file`: cancelled\n",
                 scriptName_.c_str(), lastLine_);
    return std::nullopt;
  }
  std::optional<std::string> answer = fileAnswers_.front();
  fileAnswers_.pop_front();
  return answer;
}

}  // namespace orbalta::replay
