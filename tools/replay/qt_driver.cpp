#include "tools/replay/qt_driver.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "platform/qt/dialog_window.h"

namespace orbalta::replay {

using platform::WindowHandle;

std::optional<int> controlIdOf(const QWidget* widget) {
  const QString name = widget->objectName();
  if (!name.startsWith(QLatin1String("ctl"))) return std::nullopt;
  bool ok = false;
  const int id = name.mid(3).toInt(&ok);
  return ok ? std::optional<int>(id) : std::nullopt;
}

void sendClose(QWidget* top) {
  QCloseEvent event;
  QSpontaneKeyEvent::setSpontaneous(&event);
  QCoreApplication::sendEvent(top->windowHandle(), &event);
}

QtDriver::QtDriver(platform::QtPlatform& qt) : qt_(qt), context_(std::make_unique<QObject>()) {
  QObject::connect(
      qGuiApp, &QGuiApplication::focusWindowChanged, context_.get(), [this](QWindow* window) {
        if (window == nullptr) return;
        std::erase_if(activeHistory_,
                      [window](const QPointer<QWindow>& w) { return w.isNull() || w == window; });
        activeHistory_.emplace_back(window);
      });
}

QtDriver::~QtDriver() = default;

WindowHandle QtDriver::windowOfTemplate(int templateId) {
  return qt_.windowOfTemplate(templateId);
}

void QtDriver::schedule(int delayMs, std::function<void()> run) {
  QTimer::singleShot(delayMs, context_.get(), std::move(run));
}

void QtDriver::deliverQueued() {
  QCoreApplication::processEvents();
}

std::u16string QtDriver::shown(std::string_view windows1252) {
  return platform::fromWindows1252(windows1252);
}

// --- Windows ---

int QtDriver::templateOf(const QWidget* top) const {
  for (const int id : kWindows) {
    const WindowHandle window = qt_.windowOfTemplate(id);
    if (window != 0 && qt_.windowWidget(window) == top) return id;
  }
  return 0;
}

bool QtDriver::isActive(WindowHandle window) {
  QWidget* top = qt_.windowWidget(window);
  return top != nullptr && QApplication::activeWindow() == top;
}

bool QtDriver::anyActive() {
  return QGuiApplication::focusWindow() != nullptr;
}

// When the active window goes away the window manager activates the one used before it (the
// owner of a closed modal window); the offscreen platform has no window manager, so the
// harness plays that part.
WindowHandle QtDriver::nextActive(WindowHandle modal) {
  for (auto window = activeHistory_.rbegin(); window != activeHistory_.rend(); ++window) {
    if (window->isNull() || !(*window)->isVisible()) continue;
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->windowHandle() != window->data() || !top->isVisible()) continue;
      const int id = templateOf(top);
      const WindowHandle handle = id != 0 ? qt_.windowOfTemplate(id) : 0;
      if (handle == 0 || (modal != 0 && handle != modal)) continue;
      return handle;
    }
  }
  return 0;
}

bool QtDriver::activate(WindowHandle window) {
  QWidget* top = qt_.windowWidget(window);
  if (top == nullptr) return false;
  top->activateWindow();
  return QTest::qWaitForWindowActive(top, 2000);
}

void QtDriver::closeBox(WindowHandle window) {
  if (QWidget* top = qt_.windowWidget(window)) sendClose(top);
}

bool QtDriver::grab(WindowHandle window, const std::string& path) {
  QWidget* top = qt_.windowWidget(window);
  return top != nullptr && top->grab().save(QString::fromStdString(path), "PNG");
}

// --- Controls ---

namespace {

// The characters the widget puts on screen; none for a list box or a picture.
std::u16string shownText(const QWidget* widget) {
  QString text;
  if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
    text = edit->text();
  } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    text = button->text();
  } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    text = label->text();
  } else if (const auto* frame = dynamic_cast<const platform::qt::GroupFrame*>(widget)) {
    text = frame->caption();
  }
  return text.toStdU16String();
}

}  // namespace

std::optional<ControlView> QtDriver::control(WindowHandle window, int id) {
  QWidget* widget = qt_.controlWidget(window, id);
  if (widget == nullptr) return std::nullopt;
  ControlView view;
  view.visible = widget->isVisible();
  view.shown = widget->isVisibleTo(widget->window());
  view.enabled = widget->isEnabled();
  view.focused = widget->hasFocus();
  view.toolTip = qt_.toolTip(window, id);
  view.text = shownText(widget);
  if (auto* list = qobject_cast<QAbstractItemView*>(widget); list && list->model()) {
    view.kind = ControlView::Kind::List;
    view.items = list->model()->rowCount(list->rootIndex());
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    view.kind = ControlView::Kind::Edit;
    view.length = static_cast<int>(edit->text().size());
    view.caret = edit->cursorPosition();
    view.selection = edit->hasSelectedText();
  }
  return view;
}

std::optional<ControlRef> QtDriver::focusedControl() {
  for (QWidget* w = QApplication::focusWidget(); w != nullptr; w = w->parentWidget()) {
    if (const std::optional<int> id = controlIdOf(w))
      return ControlRef{templateOf(w->window()), *id};
  }
  return std::nullopt;
}

// A real click, delivered through the window system: it reaches whatever is at that point.
Hit QtDriver::click(WindowHandle window, int id, Point point) {
  QWidget* target = qt_.controlWidget(window, id);
  QWidget* top = target->window();
  const QPoint inWindow = target->mapTo(top, QPoint(point.x, point.y));
  QWidget* hit = top->childAt(inWindow);
  if (hit != target && !target->isAncestorOf(hit)) {
    return Hit{false, hit != nullptr ? controlIdOf(hit) : std::nullopt};
  }
  QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow);
  return Hit{};
}

// --- The keyboard ---

bool QtDriver::keyboardFocus() {
  return QGuiApplication::focusWindow() != nullptr;
}

bool QtDriver::focusInEdit() {
  return qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr;
}

void QtDriver::typeCharacter(char character) {
  QWindow* window = QGuiApplication::focusWindow();
  const char16_t c = platform::fromWindows1252(std::string_view(&character, 1)).front();
  if (c < 0x80) {
    QTest::keyClick(window, static_cast<char>(c));
    return;
  }
  const QChar shown(c);
  const auto key = c <= 0xff ? static_cast<Qt::Key>(shown.toUpper().unicode()) : Qt::Key_unknown;
  QTest::sendKeyEvent(QTest::Click, window, key, QString(shown), Qt::NoModifier);
}

}  // namespace orbalta::replay
