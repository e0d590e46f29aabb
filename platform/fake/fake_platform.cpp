#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <utility>

namespace orbalta::testing {

using platform::ControlKind;
using platform::Notification;
using platform::WindowHandle;

FakeWindow& FakePlatform::window(WindowHandle w) {
  FakeWindow* found = windows_.find(w);
  if (found == nullptr) throw std::out_of_range("no such window");
  return *found;
}

WindowHandle FakePlatform::windowOf(int templateId) const {
  return windows_.newestOfTemplate(templateId);
}

// --- The user ---

void FakePlatform::type(WindowHandle w, int id, const std::string& text) {
  for (char c : text) {
    FakeControl& edit = control(w, id);
    if (!edit.enabled || (edit.styles & platform::kReadOnly) != 0) return;
    if ((edit.styles & platform::kDigitsOnly) != 0 && (c < '0' || c > '9')) continue;
    edit.text.insert(static_cast<std::size_t>(edit.caret), 1, c);
    ++edit.caret;
    window(w).events->command(w, id, Notification::Changed);
  }
}

void FakePlatform::replaceText(WindowHandle w, int id, const std::string& text) {
  FakeControl& edit = control(w, id);
  if (!edit.enabled || (edit.styles & platform::kReadOnly) != 0) return;
  edit.text = text;
  edit.caret = static_cast<int>(text.size());
  window(w).events->command(w, id, Notification::Changed);
}

void FakePlatform::clickText(WindowHandle w, int id, int position, bool focus) {
  FakeControl& edit = control(w, id);
  if (!edit.enabled) return;
  edit.caret = std::clamp(position, 0, static_cast<int>(edit.text.size()));
  if (focus) window(w).events->command(w, id, Notification::FocusGained);
}

void FakePlatform::click(WindowHandle w, int id) {
  FakeWindow& fw = window(w);
  FakeControl& button = fw.controls.at(id);
  if (!button.enabled) return;
  if (button.kind == ControlKind::CheckBox) button.checked = !button.checked;
  if (button.kind == ControlKind::RadioButton) {
    // An auto radio button checks itself and clears the rest of its group.
    const auto self = std::find(fw.order.begin(), fw.order.end(), id);
    auto begin = self;
    while (begin != fw.order.begin() && (fw.controls.at(*begin).styles & platform::kGroup) == 0) {
      --begin;
    }
    auto end = self + 1;
    while (end != fw.order.end() && (fw.controls.at(*end).styles & platform::kGroup) == 0) ++end;
    for (auto it = begin; it != end; ++it) {
      FakeControl& member = fw.controls.at(*it);
      if (member.kind == ControlKind::RadioButton) member.checked = *it == id;
    }
  }
  fw.events->command(w, id, Notification::Clicked);
}

void FakePlatform::selectItem(WindowHandle w, int id, int index) {
  FakeControl& list = control(w, id);
  if (!list.enabled) return;
  list.selection = index;
  window(w).events->command(w, id, Notification::SelectionChanged);
}

// --- Platform ---

WindowHandle FakePlatform::createDialog(const platform::DialogTemplate& tmpl, WindowHandle owner,
                                        platform::WindowEvents& events) {
  FakeWindow& w = windows_.add(std::make_unique<FakeWindow>());
  const WindowHandle handle = w.handle;
  w.templateId = tmpl.id;
  w.owner = owner;
  w.events = &events;
  for (const auto& c : tmpl.controls) {
    if (c.kind == ControlKind::Unsupported) continue;
    FakeControl control;
    control.kind = c.kind;
    control.styles = c.styles;
    control.text = c.caption;
    control.enabled = (c.styles & platform::kDisabled) == 0;
    w.controls[c.id] = control;
    w.order.push_back(c.id);
  }
  ++createdWindows;
  createdTemplates.push_back(tmpl.id);
  events.created(handle);
  return handle;
}

void FakePlatform::showWindow(WindowHandle w, int showMode) {
  window(w).shown = showMode != 0;
  window(w).showMode = showMode;
}

void FakePlatform::bringToFront(WindowHandle w) {
  ++window(w).frontRequests;
  broughtToFront.push_back(window(w).templateId);
}

int FakePlatform::runModal(WindowHandle w) {
  FakeWindow& fw = window(w);
  fw.shown = true;
  modalTemplates.push_back(fw.templateId);
  if (!fw.modalEnded) {
    fw.modalRunning = true;
    const auto script = duringModal.find(fw.templateId);
    if (script != duringModal.end()) {
      script->second(w);
    } else if (!modalActions.empty()) {
      const ModalAction action = modalActions.front();
      modalActions.pop_front();
      play(w, action);
    }
  }
  if (!exists(w)) return -1;
  FakeWindow& after = window(w);
  after.modalRunning = false;
  if (!after.modalEnded) throw std::logic_error("modal window left open by the test");
  return after.modalResult;
}

void FakePlatform::play(WindowHandle w, const ModalAction& action) {
  switch (action.kind) {
    case ModalAction::Enter:
      enter(w);
      break;
    case ModalAction::Escape:
      escape(w);
      break;
    case ModalAction::Click:
      click(w, action.id);
      break;
  }
}

void FakePlatform::endModal(WindowHandle w, int result) {
  window(w).modalEnded = true;
  window(w).modalResult = result;
}

void FakePlatform::destroyWindow(WindowHandle w) {
  if (!exists(w)) return;
  // Owned windows go first, as they do on the desktop.
  for (WindowHandle handle : windows_.ownedBy(w)) destroyWindow(handle);
  window(w).closing = true;
  window(w).events->destroyed(w);
  destroyedOrder.push_back(w);
  destroyedTemplates.push_back(window(w).templateId);
  windows_.take(w);
}

void FakePlatform::noise(WindowHandle w, int id, Notification what) {
  if (noisyWrites) window(w).events->command(w, id, what);
}

void FakePlatform::setText(WindowHandle w, int id, std::string_view text) {
  FakeControl& c = control(w, id);
  c.text = text;
  c.caret = 0;
  ++c.setTextCalls;
  texts[window(w).templateId][id] = c.text;
  noise(w, id, c.kind == ControlKind::Edit ? Notification::Changed : Notification::Clicked);
}

void FakePlatform::setEnabled(WindowHandle w, int id, bool enabled) {
  control(w, id).enabled = enabled;
  noise(w, id, Notification::FocusGained);
}

void FakePlatform::setChecked(WindowHandle w, int id, bool checked) {
  control(w, id).checked = checked;
  noise(w, id, Notification::Clicked);
}

void FakePlatform::setCaret(WindowHandle w, int id, int position) {
  FakeControl& c = control(w, id);
  c.caret = std::clamp(position, 0, static_cast<int>(c.text.size()));
}

void FakePlatform::setListItems(WindowHandle w, int id, const std::vector<std::string>& items) {
  control(w, id).items = items;
  control(w, id).selection = -1;
  noise(w, id, Notification::SelectionChanged);
}

void FakePlatform::setListSelection(WindowHandle w, int id, int index) {
  control(w, id).selection = index;
  noise(w, id, Notification::SelectionChanged);
}

void FakePlatform::messageBox(std::string_view text, std::string_view title,
                              platform::MessageIcon icon) {
  MessageBoxCall call{std::string(text), std::string(title), icon, {}};
  if (windows_.begin() != windows_.end()) {
    for (const auto& [id, c] : std::prev(windows_.end())->second->controls)
      call.screen[id] = c.text;
  }
  messageBoxes.push_back(std::move(call));
}

void FakePlatform::fileMessageBox(const platform::FileMessage& message, std::string_view title,
                                  platform::MessageIcon icon) {
  messageBox(message.before + message.path + message.after, title, icon);
}

std::optional<std::string> FakePlatform::openFile(const platform::OpenFileRequest& request) {
  fileRequests.push_back(request);
  if (fileAnswers.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(fileAnswers.front());
  fileAnswers.pop_front();
  return answer;
}

int FakePlatform::runMessageLoop(platform::MessageRouter& router) {
  for (const auto& key : keysToRoute) routed.push_back(router.route(key));
  return quitCode;
}

}  // namespace orbalta::testing
