// The platform on the DOM: windows, controls, icons, names and the message loop. Every loop
// waits for the page in orbdom_wait.

#include "platform/web/web_platform_impl.h"

#include <algorithm>
#include <map>
#include <utility>

#include "resources/resources.h"

namespace orbalta::platform {

WebPlatform::WebPlatform() : impl_(std::make_unique<Impl>()) {}
WebPlatform::~WebPlatform() = default;

WindowHandle WebPlatform::windowOfTemplate(int templateId) const {
  return impl_->windows.newestOfTemplate(templateId);
}

// --- Windows ---

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
  w->closing = true;
  w->events->destroyed(window);
  w->visible = false;
  orbdom_window_modal(window, 0);
  if (d.active == window) {
    d.active = 0;
    Window* owner = d.live(w->owner);
    if (owner != nullptr && owner->visible) d.activate(owner->handle);
  }
  orbdom_window_destroy(window);
  d.windows.take(window);
}

bool WebPlatform::isVisible(WindowHandle window) {
  const Window* w = impl_->live(window);
  return w != nullptr && w->visible;
}

// --- Controls ---

void WebPlatform::setText(WindowHandle window, int id, std::string_view text) {
  Window* w = impl_->record(window);
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
  Window* w = impl_->record(window);
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
  Window* w = impl_->record(window);
  const int index = w == nullptr ? -1 : w->indexOf(id);
  if (index < 0) return;
  w->controls[static_cast<std::size_t>(index)].enabled = enabled;
  orbdom_set_enabled(window, index, enabled ? 1 : 0);
}

bool WebPlatform::isEnabled(WindowHandle window, int id) {
  Window* w = impl_->record(window);
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
  Window* w = impl_->record(window);
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

void WebPlatform::setAccessibleDescription(WindowHandle window, int id, std::string_view text) {
  const int index = impl_->indexFor(window, id);
  if (index < 0) return;
  const Text16 units(text);
  orbdom_set_description(window, index, units.data(), units.size());
}

void WebPlatform::setAccessibleLabel(WindowHandle window, int id, int labelId,
                                     std::string_view labelCaption) {
  Window* w = impl_->record(window);
  const int index = w == nullptr ? -1 : w->indexOf(id);
  if (index < 0) return;
  int label = labelId != -1 ? w->indexOf(labelId) : -1;
  for (std::size_t i = 0; labelId == -1 && label < 0 && i < w->controls.size(); ++i) {
    const Control& c = w->controls[i];
    const bool text = c.kind == ControlKind::Static || c.kind == ControlKind::StaticNoWrap;
    if (text && c.id == -1 && c.caption == labelCaption) label = static_cast<int>(i);
  }
  if (label >= 0) orbdom_set_label_for(window, label, index);
}

void WebPlatform::setToolTip(WindowHandle window, int id, std::string_view text) {
  const int index = impl_->indexFor(window, id);
  if (index < 0) return;
  impl_->record(window)->controls[static_cast<std::size_t>(index)].toolTip = text;
  const Text16 units(text);
  orbdom_set_tip(window, index, units.data(), units.size());
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

// --- For the scripted user ---

void WebPlatform::schedule(int delayMs, std::function<void()> run) {
  const int id = impl_->nextTimer++;
  impl_->timers.emplace(id, std::move(run));
  orbdom_timer(id, delayMs);
}

void WebPlatform::deliverQueued() {
  while (orbdom_pending() > 0) impl_->pumpOne();
}

WindowHandle WebPlatform::activeWindow() const {
  return impl_->live(impl_->active) != nullptr ? impl_->active : 0;
}

int WebPlatform::controlIndex(WindowHandle window, int id) const {
  return impl_->indexFor(window, id);
}

std::optional<int> WebPlatform::controlIdAt(WindowHandle window, int index) const {
  const Window* w = impl_->record(window);
  if (w == nullptr || index < 0 || static_cast<std::size_t>(index) >= w->controls.size()) {
    return std::nullopt;
  }
  const int id = w->controls[static_cast<std::size_t>(index)].id;
  return id == -1 ? std::nullopt : std::optional<int>(id);
}

bool WebPlatform::controlShown(WindowHandle window, int id) const {
  const int index = impl_->indexFor(window, id);
  return index >= 0 && impl_->record(window)->controls[static_cast<std::size_t>(index)].visible;
}

bool WebPlatform::showsImage(WindowHandle window, int id) const {
  const int index = impl_->indexFor(window, id);
  if (index < 0) return false;
  const Control& c = impl_->record(window)->controls[static_cast<std::size_t>(index)];
  return c.kind == ControlKind::IconPicture || c.kind == ControlKind::BitmapPicture ||
         (c.styles & kIconImage) != 0;
}

std::string WebPlatform::toolTip(WindowHandle window, int id) const {
  const int index = impl_->indexFor(window, id);
  return index < 0 ? std::string()
                   : impl_->record(window)->controls[static_cast<std::size_t>(index)].toolTip;
}

}  // namespace orbalta::platform
