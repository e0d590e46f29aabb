#include "tools/replay/qt_driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>

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

QtDriver::~QtDriver() {
  attach(nullptr);
}

void QtDriver::attach(DriverHost* host) {
  host_ = host;
  answerThrough(qt_, host);
}

void QtDriver::schedule(int delayMs, std::function<void()> run) {
  QTimer::singleShot(delayMs, context_.get(), std::move(run));
}

void QtDriver::settle(int line) {
  QCoreApplication::processEvents();
  if (QGuiApplication::focusWindow() == nullptr) reactivate(line);
}

// --- Windows and controls ---

WindowHandle QtDriver::openWindow(int templateId) {
  const WindowHandle window = qt_.windowOfTemplate(templateId);
  return window != 0 && qt_.windowWidget(window) != nullptr && qt_.isVisible(window) ? window : 0;
}

std::optional<ControlView> QtDriver::control(WindowHandle window, int id) {
  QWidget* widget = qt_.controlWidget(window, id);
  if (widget == nullptr) return std::nullopt;
  ControlView view;
  view.shown = widget->isVisibleTo(widget->window());
  view.focused = widget->hasFocus();
  view.toolTip = qt_.toolTip(window, id);
  if (auto* list = qobject_cast<QAbstractItemView*>(widget); list && list->model()) {
    view.items = list->model()->rowCount(list->rootIndex());
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

QWidget* QtDriver::topOf(int line, int templateId) {
  const WindowHandle window = openWindow(templateId);
  if (window == 0) fail(line, "window " + std::to_string(templateId) + " is not open");
  return qt_.windowWidget(window);
}

QtDriver::Found QtDriver::find(int line, const ControlRef& ref) {
  Found found;
  found.top = topOf(line, ref.window);
  found.widget = qt_.controlWidget(qt_.windowOfTemplate(ref.window), ref.id);
  if (found.widget == nullptr) {
    fail(line,
         "window " + std::to_string(ref.window) + " has no control " + std::to_string(ref.id));
  }
  return found;
}

QWidget* QtDriver::modalWindow() const {
  const std::vector<WindowHandle> modals = host_->modalWindows();
  for (auto window = modals.rbegin(); window != modals.rend(); ++window) {
    QWidget* top = qt_.windowWidget(*window);
    if (top != nullptr && top->isVisible()) return top;
  }
  return QApplication::activeModalWidget();
}

bool QtDriver::closeModal() {
  QWidget* modal = modalWindow();
  if (modal == nullptr) return false;
  sendClose(modal);
  return true;
}

int QtDriver::templateOf(const QWidget* top) const {
  for (const int id : kWindows) {
    const WindowHandle window = qt_.windowOfTemplate(id);
    if (window != 0 && qt_.windowWidget(window) == top) return id;
  }
  return 0;
}

void QtDriver::checkNotBlocked(int line, QWidget* top, int templateId) {
  QWidget* modal = modalWindow();
  if (modal != nullptr && modal != top) {
    fail(line, "window " + std::to_string(templateId) + " is blocked by the modal window " +
                   std::to_string(templateOf(modal)));
  }
}

// A click into a window that is not active activates it first, as the window manager does.
void QtDriver::activate(int line, QWidget* top) {
  if (QApplication::activeWindow() == top) return;
  top->activateWindow();
  if (!QTest::qWaitForWindowActive(top, 2000)) {
    fail(line, "window " + std::to_string(templateOf(top)) + " cannot be activated");
  }
}

// When the active window goes away the window manager activates the one used before it (the
// owner of a closed modal window); the offscreen platform has no window manager, so the
// harness plays that part.
void QtDriver::reactivate(int line) {
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
void QtDriver::mouseClick(int line, QWidget* target, QPoint point, const std::string& what) {
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

QWindow* QtDriver::focusWindow(int line) {
  // The keyboard goes to the modal window while there is one.
  if (QWidget* modal = modalWindow(); modal != nullptr && QApplication::activeWindow() != modal) {
    activate(line, modal);
  }
  QWindow* window = QGuiApplication::focusWindow();
  if (window == nullptr) fail(line, "no window has the keyboard focus");
  return window;
}

}  // namespace orbalta::replay
