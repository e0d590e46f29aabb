// The platform on the DOM. Sections: the browser calls; records of windows and controls;
// the event pump (every loop waits in orbdom_wait); the Platform operations.

#include "platform/web/web_platform.h"

#include <algorithm>
#include <map>
#include <utility>

#include "resources/resources.h"

extern "C" {
void orbdom_font_units(int family, int px, int italic, int* out);
void orbdom_window_create(unsigned handle, const char16_t* title, int titleLength, int x, int y,
                          int width, int height, int centered, int family, int px, int italic,
                          unsigned owner, int appWindow);
void orbdom_window_show(unsigned handle, int show);
void orbdom_window_front(unsigned handle);
void orbdom_window_title(unsigned handle, const char16_t* title, int length);
void orbdom_window_destroy(unsigned handle);
void orbdom_window_modal(unsigned handle, int on);
void orbdom_window_icon(unsigned handle, const unsigned char* data, int length, int bitmap);
void orbdom_control_create(unsigned handle, int index, int kind, int flags, int x, int y, int width,
                           int height, const char16_t* text, int length, int group);
void orbdom_set_text(unsigned handle, int index, const char16_t* text, int length);
int orbdom_get_text(unsigned handle, int index, char16_t* buffer, int capacity);
void orbdom_set_enabled(unsigned handle, int index, int on);
void orbdom_set_checked(unsigned handle, int index, int on);
int orbdom_get_checked(unsigned handle, int index);
void orbdom_set_caret(unsigned handle, int index, int position);
int orbdom_get_caret(unsigned handle, int index);
void orbdom_set_list(unsigned handle, int index, const char16_t* items, int length);
void orbdom_set_list_sel(unsigned handle, int index, int selection);
int orbdom_get_list_sel(unsigned handle, int index);
void orbdom_set_image(unsigned handle, int index, const unsigned char* data, int length, int bitmap,
                      int size);
void orbdom_set_name(unsigned handle, int index, const char16_t* name, int length);
void orbdom_set_label_for(unsigned handle, int labelIndex, int index);
void orbdom_set_tip(unsigned handle, int index, const char16_t* text, int length);
void orbdom_focus(unsigned handle, int index);
int orbdom_focused(unsigned handle);
void orbdom_message_box(const char16_t* text, int textLength, const char16_t* title,
                        int titleLength, int icon);
void orbdom_wait(int* event);
int orbdom_pick_file(const char16_t* name, int nameLength, const char16_t* description,
                     int descriptionLength, const char16_t* pattern, int patternLength,
                     char16_t* buffer, int capacity);
int orbdom_write_file(const char16_t* name, int nameLength, const unsigned char* data, int length,
                      char16_t* buffer, int capacity);
}

namespace orbalta::platform {

namespace {

// Event kinds posted by dom_library.js.
enum EventKind {
  kClick = 1,
  kInput = 2,
  kFocusIn = 3,
  kFocusOut = 4,
  kSelect = 5,
  kDoubleClick = 6,
  kKey = 7,
  kClose = 8,
  kBoxClosed = 9,
  kWake = 10,
};

constexpr DialogKey kKeys[] = {DialogKey::Tab,    DialogKey::BackTab, DialogKey::Enter,
                               DialogKey::Escape, DialogKey::Left,    DialogKey::Right,
                               DialogKey::Up,     DialogKey::Down};

// a * b / c rounded half away from zero, as the desktop's MulDiv.
int mulDiv(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

// The shipped faces: 0 Liberation Sans for the sans-serif template fonts, 1 Liberation Serif.
int familyOf(const std::string& face) {
  std::string lower;
  for (const char c : face) lower.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
  return lower == "times new roman" || lower == "times" ? 1 : 0;
}

int fittedPixels(int family, int px, int italic, int limit) {
  int size = px;
  for (; size > std::max(1, px - 3); --size) {
    int metrics[2] = {0, 0};
    orbdom_font_units(family, size, italic, metrics);
    if (metrics[0] <= limit) return size;
  }
  return size;
}

struct Text16 {
  explicit Text16(std::string_view text) : units(fromWindows1252(text)) {}
  const char16_t* data() const { return units.data(); }
  int size() const { return static_cast<int>(units.size()); }
  std::u16string units;
};

// Line ends as one break: the DOM's text boxes keep "\n" only.
std::string withLineBreaks(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      out.push_back(c);
      continue;
    }
    out.push_back('\n');
    const char other = c == '\r' ? '\n' : '\r';
    if (i + 1 < text.size() && text[i + 1] == other) ++i;
  }
  return out;
}

int kindCode(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
      return 0;
    case ControlKind::DefPushButton:
      return 1;
    case ControlKind::CheckBox:
      return 2;
    case ControlKind::RadioButton:
      return 3;
    case ControlKind::GroupBox:
      return 4;
    case ControlKind::Edit:
      return 5;
    case ControlKind::ListBox:
      return 6;
    case ControlKind::StaticNoWrap:
      return 8;
    case ControlKind::IconPicture:
      return 9;
    case ControlKind::BitmapPicture:
      return 10;
    default:
      return 7;
  }
}

int flagsOf(std::uint32_t styles) {
  int flags = 0;
  if ((styles & kReadOnly) != 0) flags |= 2;
  if ((styles & kDigitsOnly) != 0) flags |= 4;
  if ((styles & kBorder) != 0) flags |= 8;
  if ((styles & kStaticEdge) != 0) flags |= 16;
  if ((styles & kHidden) != 0) flags |= 32;
  if ((styles & kDisabled) != 0) flags |= 64;
  if ((styles & kCenterImage) != 0) flags |= 128;
  return flags;
}

struct Control {
  int id = -1;
  ControlKind kind = ControlKind::Static;
  std::uint32_t styles = 0;
  int imageId = 0;
  int group = 0;  // radio group number within the window
  bool enabled = true;
  bool visible = true;
  std::string caption;  // exactly what was set, for captions
};

struct Window {
  WindowHandle handle = 0;
  int templateId = 0;
  WindowHandle owner = 0;
  WindowEvents* events = nullptr;
  std::vector<Control> controls;
  bool visible = false;
  bool modal = false;
  bool ended = false;
  bool dying = false;
  int result = 0;

  int indexOf(int id) const {
    if (id == -1) return -1;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      if (controls[i].id == id) return static_cast<int>(i);
    }
    return -1;
  }
};

struct Icon {
  int resourceId = 0;
  int size = 0;
};

}  // namespace

struct WebPlatform::Impl {
  std::map<WindowHandle, std::unique_ptr<Window>> windows;
  WindowHandle nextHandle = 1;
  WindowHandle active = 0;
  MessageRouter* router = nullptr;
  bool quitPending = false;
  int quitCode = 0;
  int boxesClosed = 0;
  std::vector<Icon> icons;

  Window* live(WindowHandle handle) {
    const auto it = windows.find(handle);
    return it == windows.end() || it->second->dying ? nullptr : it->second.get();
  }

  void activate(WindowHandle handle) {
    if (handle == active) return;
    const WindowHandle previous = active;
    active = handle;
    if (Window* old = live(previous)) old->events->activated(previous, false);
    if (Window* now = live(handle)) now->events->activated(handle, true);
  }

  // After a window hides or goes: the topmost other visible window, its owner first.
  void activateAnother(const Window& leaving) {
    if (active != leaving.handle) return;
    Window* owner = live(leaving.owner);
    if (owner != nullptr && owner->visible) {
      activate(owner->handle);
      return;
    }
    WindowHandle next = 0;
    for (const auto& [handle, w] : windows) {
      if (handle != leaving.handle && !w->dying && w->visible) next = handle;
    }
    activate(next);
  }

  bool isTabStop(const Window& w, int index) {
    const Control& c = w.controls[static_cast<std::size_t>(index)];
    if (!c.enabled || !c.visible) return false;
    switch (c.kind) {
      case ControlKind::PushButton:
      case ControlKind::DefPushButton:
      case ControlKind::CheckBox:
      case ControlKind::Edit:
      case ControlKind::ListBox:
        return (c.styles & kTabStop) != 0;
      case ControlKind::RadioButton:
        // A radio group is one stop: its checked button, or its first when none is checked.
        return orbdom_get_checked(w.handle, index) != 0 || (c.styles & kTabStop) != 0;
      default:
        return false;
    }
  }

  void moveFocus(Window& w, int from, bool forward) {
    const int n = static_cast<int>(w.controls.size());
    if (n == 0) return;
    int start = from < 0 ? (forward ? -1 : n) : from;
    for (int step = 1; step <= n; ++step) {
      const int i = ((start + (forward ? step : -step)) % n + n) % n;
      if (isTabStop(w, i)) {
        orbdom_focus(w.handle, i);
        return;
      }
    }
  }

  void moveInRadioGroup(Window& w, int from, bool forward) {
    if (from < 0) return;
    const Control& current = w.controls[static_cast<std::size_t>(from)];
    if (current.kind != ControlKind::RadioButton) return;
    std::vector<int> members;
    for (std::size_t i = 0; i < w.controls.size(); ++i) {
      const Control& c = w.controls[i];
      if (c.kind == ControlKind::RadioButton && c.group == current.group) {
        members.push_back(static_cast<int>(i));
      }
    }
    const auto self = std::find(members.begin(), members.end(), from) - members.begin();
    const auto count = static_cast<std::ptrdiff_t>(members.size());
    for (std::ptrdiff_t step = 1; step < count; ++step) {
      const int candidate =
          members[static_cast<std::size_t>((self + (forward ? step : count - step)) % count)];
      const Control& c = w.controls[static_cast<std::size_t>(candidate)];
      if (!c.enabled || !c.visible) continue;
      // An auto radio button is checked as the focus arrives, which the user did.
      orbdom_focus(w.handle, candidate);
      for (const int m : members) orbdom_set_checked(w.handle, m, m == candidate ? 1 : 0);
      notify(w, candidate, Notification::Clicked);
      return;
    }
  }

  void notify(Window& w, int index, Notification what) {
    if (index < 0 || static_cast<std::size_t>(index) >= w.controls.size()) return;
    w.events->command(w.handle, w.controls[static_cast<std::size_t>(index)].id, what);
  }

  void key(Window& w, int index, DialogKey k) {
    const WindowHandle handle = w.handle;
    const bool navigate = w.modal || router == nullptr || router->route({handle, k});
    if (!navigate || live(handle) == nullptr) return;
    switch (k) {
      case DialogKey::Tab:
      case DialogKey::BackTab:
        moveFocus(w, index, k == DialogKey::Tab);
        break;
      case DialogKey::Enter:
        w.events->defaultCommand(handle);
        break;
      case DialogKey::Escape:
        w.events->cancel(handle);
        break;
      case DialogKey::Left:
      case DialogKey::Up:
        moveInRadioGroup(w, index, false);
        break;
      case DialogKey::Right:
      case DialogKey::Down:
        moveInRadioGroup(w, index, true);
        break;
    }
  }

  // Waits for the next user event and hands it to its window.
  void pumpOne() {
    int e[4] = {0, 0, 0, 0};
    orbdom_wait(e);
    const int kind = e[0];
    if (kind == kBoxClosed) {
      ++boxesClosed;
      return;
    }
    Window* w = live(static_cast<WindowHandle>(e[1]));
    if (w == nullptr) return;
    const int index = e[2];
    const bool known = index >= 0 && static_cast<std::size_t>(index) < w->controls.size();
    if (kind != kClose && kind != kKey && kind != kWake && !known) return;
    if (kind != kFocusOut) activate(w->handle);
    switch (kind) {
      case kClick:
        notify(*w, index, Notification::Clicked);
        break;
      case kInput:
        notify(*w, index, Notification::Updated);
        if (live(w->handle) != nullptr) notify(*w, index, Notification::Changed);
        break;
      case kFocusIn:
        notify(*w, index, Notification::FocusGained);
        break;
      case kFocusOut:
        notify(*w, index, Notification::FocusLost);
        break;
      case kSelect:
        notify(*w, index, Notification::SelectionChanged);
        break;
      case kDoubleClick:
        notify(*w, index, Notification::DoubleClick);
        break;
      case kKey:
        if (e[3] >= 0 && e[3] < 8) key(*w, index, kKeys[e[3]]);
        break;
      case kClose:
        w->events->cancel(w->handle);
        break;
      default:
        break;
    }
  }

  int indexFor(WindowHandle handle, int id) {
    Window* w = live(handle);
    return w == nullptr ? -1 : w->indexOf(id);
  }
};

WebPlatform::WebPlatform() : impl_(std::make_unique<Impl>()) {}
WebPlatform::~WebPlatform() = default;

WindowHandle WebPlatform::windowOfTemplate(int templateId) const {
  for (const auto& [handle, w] : impl_->windows) {
    if (!w->dying && w->templateId == templateId) return handle;
  }
  return 0;
}

// --- Windows ---

WindowHandle WebPlatform::createDialog(const DialogTemplate& tmpl, WindowHandle owner,
                                       WindowEvents& events) {
  Impl& d = *impl_;
  auto w = std::make_unique<Window>();
  w->handle = d.nextHandle++;
  w->templateId = tmpl.id;
  w->owner = d.live(owner) != nullptr ? owner : 0;
  w->events = &events;

  // Dialog units from the face's own metrics: average width of the 52 letters / 4, height / 8.
  const int family = familyOf(tmpl.font.face);
  const int px = std::max(1, mulDiv(tmpl.font.pointSize, 96, 72));
  int metrics[2] = {0, 0};
  orbdom_font_units(family, px, tmpl.font.italic ? 1 : 0, metrics);
  const int baseX = std::max(1, (metrics[0] / 26 + 1) / 2);
  const int baseY = std::max(1, metrics[1]);
  // The controls' face is shrunk (up to 3 px) until the letters fit the width the units give,
  // as on the desktop, so that captions wrap where they wrap there.
  const int fitted = fittedPixels(family, px, tmpl.font.italic ? 1 : 0, 52 * baseX);
  const auto ux = [baseX](int units) { return mulDiv(units, baseX, 4); };
  const auto uy = [baseY](int units) { return mulDiv(units, baseY, 8); };

  const Text16 title(tmpl.title);
  orbdom_window_create(w->handle, title.data(), title.size(), ux(tmpl.x), uy(tmpl.y),
                       ux(tmpl.width), uy(tmpl.height), tmpl.centered ? 1 : 0, family, fitted,
                       tmpl.font.italic ? 1 : 0, w->owner, tmpl.appWindow ? 1 : 0);
  int group = 0;
  for (const ControlTemplate& c : tmpl.controls) {
    if ((c.styles & kGroup) != 0) ++group;
    Control control;
    control.id = c.id;
    control.kind = c.kind;
    control.styles = c.styles;
    control.imageId = c.imageId;
    control.group = group;
    control.enabled = (c.styles & kDisabled) == 0;
    control.visible = (c.styles & kHidden) == 0;
    control.caption = c.caption;
    const int index = static_cast<int>(w->controls.size());
    const Text16 text(withLineBreaks(c.caption));
    orbdom_control_create(w->handle, index, kindCode(c.kind), flagsOf(c.styles), ux(c.x), uy(c.y),
                          ux(c.width), uy(c.height), text.data(), text.size(), group);
    w->controls.push_back(std::move(control));
    if (c.kind == ControlKind::IconPicture || c.kind == ControlKind::BitmapPicture) {
      const bool bitmap = c.kind == ControlKind::BitmapPicture;
      const auto bytes = bitmap ? resources::bitmap(c.imageId) : resources::icon(c.imageId);
      if (!bytes.empty()) {
        orbdom_set_image(w->handle, index, bytes.data(), static_cast<int>(bytes.size()),
                         bitmap ? 1 : 0, bitmap ? 0 : 32);
      }
    }
  }
  // A static text just before an edit or list names it, as a label tied to its control.
  for (std::size_t i = 1; i < w->controls.size(); ++i) {
    const Control& before = w->controls[i - 1];
    const ControlKind kind = w->controls[i].kind;
    const bool labelled = kind == ControlKind::Edit || kind == ControlKind::ListBox;
    if (labelled &&
        (before.kind == ControlKind::Static || before.kind == ControlKind::StaticNoWrap)) {
      orbdom_set_label_for(w->handle, static_cast<int>(i - 1), static_cast<int>(i));
    }
  }
  const WindowHandle handle = w->handle;
  d.windows.emplace(handle, std::move(w));
  events.created(handle);
  return handle;
}

void WebPlatform::showWindow(WindowHandle window, int showMode) {
  Window* w = impl_->live(window);
  if (w == nullptr) return;
  w->visible = showMode != 0;
  orbdom_window_show(window, w->visible ? 1 : 0);
  if (w->visible) {
    impl_->activate(window);
    if (orbdom_focused(window) < 0) impl_->moveFocus(*w, -1, true);
  } else {
    impl_->activateAnother(*w);
  }
}

void WebPlatform::bringToFront(WindowHandle window) {
  if (impl_->live(window) == nullptr) return;
  orbdom_window_front(window);
  impl_->activate(window);
}

void WebPlatform::setWindowTitle(WindowHandle window, std::string_view title) {
  if (impl_->live(window) == nullptr) return;
  const Text16 text(title);
  orbdom_window_title(window, text.data(), text.size());
}

int WebPlatform::runModal(WindowHandle window) {
  Impl& d = *impl_;
  Window* w = d.live(window);
  if (w == nullptr) return -1;
  w->modal = true;
  if (!w->ended) {
    orbdom_window_modal(window, 1);
    showWindow(window, 1);
    while (!d.quitPending) {
      Window* current = d.live(window);
      if (current == nullptr || current->ended) break;
      d.pumpOne();
    }
    orbdom_window_modal(window, 0);
  }
  w = d.live(window);
  if (w == nullptr) return -1;
  w->modal = false;
  w->ended = false;
  return w->result;
}

void WebPlatform::endModal(WindowHandle window, int result) {
  Window* w = impl_->live(window);
  if (w == nullptr) return;
  w->ended = true;
  w->result = result;
  w->visible = false;
  orbdom_window_show(window, 0);
  impl_->activateAnother(*w);
}

void WebPlatform::destroyWindow(WindowHandle window) {
  Impl& d = *impl_;
  Window* w = d.live(window);
  if (w == nullptr) return;
  w->dying = true;
  w->events->destroyed(window);
  w->visible = false;
  orbdom_window_modal(window, 0);
  if (d.active == window) {
    d.active = 0;
    Window* owner = d.live(w->owner);
    if (owner != nullptr && owner->visible) d.activate(owner->handle);
  }
  orbdom_window_destroy(window);
  d.windows.erase(window);
}

bool WebPlatform::isVisible(WindowHandle window) {
  const Window* w = impl_->live(window);
  return w != nullptr && w->visible;
}

// --- Controls ---

void WebPlatform::setText(WindowHandle window, int id, std::string_view text) {
  Window* w = impl_->live(window);
  const int index = w == nullptr ? -1 : w->indexOf(id);
  if (index < 0) return;
  Control& c = w->controls[static_cast<std::size_t>(index)];
  const bool edit = c.kind == ControlKind::Edit;
  if (!edit) c.caption = text;
  // An edit is one line: its text is kept as given; a caption shows its line breaks.
  const Text16 units(edit ? std::string(text) : withLineBreaks(text));
  orbdom_set_text(window, index, units.data(), units.size());
}

std::string WebPlatform::text(WindowHandle window, int id) {
  Window* w = impl_->live(window);
  const int index = w == nullptr ? -1 : w->indexOf(id);
  if (index < 0) return {};
  const Control& c = w->controls[static_cast<std::size_t>(index)];
  if (c.kind != ControlKind::Edit) return c.caption;
  std::u16string units(256, u'\0');
  int length = orbdom_get_text(window, index, units.data(), static_cast<int>(units.size()));
  if (length > static_cast<int>(units.size())) {
    units.resize(static_cast<std::size_t>(length));
    length = orbdom_get_text(window, index, units.data(), length);
  }
  units.resize(static_cast<std::size_t>(std::max(0, length)));
  return toWindows1252(units);
}

void WebPlatform::setEnabled(WindowHandle window, int id, bool enabled) {
  Window* w = impl_->live(window);
  const int index = w == nullptr ? -1 : w->indexOf(id);
  if (index < 0) return;
  w->controls[static_cast<std::size_t>(index)].enabled = enabled;
  orbdom_set_enabled(window, index, enabled ? 1 : 0);
}

bool WebPlatform::isEnabled(WindowHandle window, int id) {
  Window* w = impl_->live(window);
  const int index = w == nullptr ? -1 : w->indexOf(id);
  return index >= 0 && w->controls[static_cast<std::size_t>(index)].enabled;
}

void WebPlatform::setChecked(WindowHandle window, int id, bool checked) {
  const int index = impl_->indexFor(window, id);
  if (index >= 0) orbdom_set_checked(window, index, checked ? 1 : 0);
}

bool WebPlatform::isChecked(WindowHandle window, int id) {
  const int index = impl_->indexFor(window, id);
  return index >= 0 && orbdom_get_checked(window, index) != 0;
}

void WebPlatform::setCaret(WindowHandle window, int id, int position) {
  const int index = impl_->indexFor(window, id);
  if (index >= 0) orbdom_set_caret(window, index, position);
}

int WebPlatform::caret(WindowHandle window, int id) {
  const int index = impl_->indexFor(window, id);
  return index < 0 ? 0 : orbdom_get_caret(window, index);
}

void WebPlatform::setListItems(WindowHandle window, int id, const std::vector<std::string>& items) {
  const int index = impl_->indexFor(window, id);
  if (index < 0) return;
  std::string joined;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) joined.push_back('\x01');
    joined += items[i];
  }
  const Text16 units(joined);
  orbdom_set_list(window, index, units.data(), units.size());
}

void WebPlatform::setListSelection(WindowHandle window, int id, int index) {
  const int control = impl_->indexFor(window, id);
  if (control >= 0) orbdom_set_list_sel(window, control, index);
}

int WebPlatform::listSelection(WindowHandle window, int id) {
  const int index = impl_->indexFor(window, id);
  return index < 0 ? -1 : orbdom_get_list_sel(window, index);
}

// --- Icons ---

int WebPlatform::smallIconSize() {
  return 16;
}

IconHandle WebPlatform::loadIcon(int resourceId, int size) {
  if (resources::icon(resourceId).empty()) return 0;
  impl_->icons.push_back({resourceId, size});
  return static_cast<IconHandle>(impl_->icons.size());
}

void WebPlatform::setWindowIcon(WindowHandle window, IconHandle icon) {
  if (impl_->live(window) == nullptr || icon == 0 || icon > impl_->icons.size()) return;
  const auto bytes = resources::icon(impl_->icons[icon - 1].resourceId);
  orbdom_window_icon(window, bytes.data(), static_cast<int>(bytes.size()), 0);
}

void WebPlatform::setButtonImage(WindowHandle window, int id, IconHandle icon) {
  const int index = impl_->indexFor(window, id);
  if (index < 0 || icon == 0 || icon > impl_->icons.size()) return;
  const Icon& image = impl_->icons[icon - 1];
  const auto bytes = resources::icon(image.resourceId);
  orbdom_set_image(window, index, bytes.data(), static_cast<int>(bytes.size()), 0, image.size);
}

// --- Names and tips ---

void WebPlatform::setAccessibleName(WindowHandle window, int id, std::string_view name) {
  Window* w = impl_->live(window);
  if (w == nullptr) return;
  int index = w->indexOf(id);
  if (index < 0 && id != -1) {
    // A picture without an id of its own is addressed by its image.
    for (std::size_t i = 0; i < w->controls.size(); ++i) {
      const Control& c = w->controls[i];
      const bool picture =
          c.kind == ControlKind::IconPicture || c.kind == ControlKind::BitmapPicture;
      if (picture && c.id == -1 && c.imageId == id) index = static_cast<int>(i);
    }
  }
  if (index < 0) return;
  const Text16 units(name);
  orbdom_set_name(window, index, units.data(), units.size());
}

void WebPlatform::setToolTip(WindowHandle window, int id, std::string_view text) {
  const int index = impl_->indexFor(window, id);
  if (index < 0) return;
  const Text16 units(text);
  orbdom_set_tip(window, index, units.data(), units.size());
}

// --- System dialogs ---

void WebPlatform::messageBox(std::string_view text, std::string_view title, MessageIcon icon) {
  Impl& d = *impl_;
  const Text16 body(withLineBreaks(text));
  const Text16 caption(title);
  const int closedBefore = d.boxesClosed;
  orbdom_message_box(body.data(), body.size(), caption.data(), caption.size(),
                     static_cast<int>(icon));
  while (d.boxesClosed == closedBefore) d.pumpOne();
}

void WebPlatform::fileMessageBox(const FileMessage& message, std::string_view title,
                                 MessageIcon icon) {
  messageBox(message.before + message.path + message.after, title, icon);
}

std::optional<std::string> WebPlatform::openFile(const OpenFileRequest& request) {
  const std::size_t filter = static_cast<std::size_t>(std::max(1, request.filterIndex)) - 1;
  const FileFilter chosen =
      filter < request.filters.size() ? request.filters[filter] : FileFilter{};
  const Text16 name(request.fileName);
  const Text16 description(chosen.description);
  const Text16 pattern(chosen.pattern);
  std::u16string buffer(1024, u'\0');
  const int length = orbdom_pick_file(name.data(), name.size(), description.data(),
                                      description.size(), pattern.data(), pattern.size(),
                                      buffer.data(), static_cast<int>(buffer.size()));
  if (length < 0) return std::nullopt;
  buffer.resize(static_cast<std::size_t>(std::min<int>(length, 1024)));
  return toWindows1252(buffer);
}

std::optional<std::string> WebPlatform::currentDirectory() {
  return std::nullopt;
}

std::optional<std::string> writePickedFile(const std::string& name, std::string_view bytes) {
  const Text16 units(name);
  std::u16string reason(512, u'\0');
  const int length = orbdom_write_file(
      units.data(), units.size(), reinterpret_cast<const unsigned char*>(bytes.data()),
      static_cast<int>(bytes.size()), reason.data(), static_cast<int>(reason.size()));
  if (length == 0) return std::nullopt;
  reason.resize(static_cast<std::size_t>(std::min<int>(length, 512)));
  return toWindows1252(reason);
}

// --- The message loop ---

int WebPlatform::runMessageLoop(MessageRouter& router) {
  Impl& d = *impl_;
  d.router = &router;
  while (!d.quitPending) d.pumpOne();
  d.router = nullptr;
  d.quitPending = false;
  return d.quitCode;
}

void WebPlatform::postQuit(int code) {
  impl_->quitPending = true;
  impl_->quitCode = code;
}

}  // namespace orbalta::platform
