// The live side of a dialog object: moving values between mirror and window, creating and
// closing windows, and turning the platform's notifications into handler calls.

#include <utility>

#include "toolkit/dialog.h"
#include "toolkit/dialog_state.h"

namespace orbalta {

using platform::ControlKind;
using platform::Notification;

namespace {

bool isTextual(ControlKind kind) {
  return kind != ControlKind::ListBox && kind != ControlKind::IconPicture &&
         kind != ControlKind::BitmapPicture;
}

std::optional<int> eventOf(ControlKind kind, Notification what) {
  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      if (what == Notification::Clicked) return EVT_CLICKED;
      return std::nullopt;
    case ControlKind::Edit:
      switch (what) {
        case Notification::Changed:
          return EVT_CHANGED;
        case Notification::Updated:
          return EVT_UPDATED;
        case Notification::FocusGained:
          return EVT_FOCUS_GAINED;
        case Notification::FocusLost:
          return EVT_FOCUS_LOST;
        default:
          return std::nullopt;
      }
    case ControlKind::ListBox:
      if (what == Notification::SelectionChanged) return EVT_SELECTION;
      if (what == Notification::DoubleClick) return EVT_DOUBLE_CLICK;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

template <typename T>
class RestoreScope {
 public:
  RestoreScope(T& slot, T value) : slot_(slot), old_(std::exchange(slot, value)) {}
  ~RestoreScope() { slot_ = old_; }
  RestoreScope(const RestoreScope&) = delete;
  RestoreScope& operator=(const RestoreScope&) = delete;

 private:
  T& slot_;
  T old_;
};

}  // namespace

// --- Mirror and window ---

void DialogState::refresh(ControlRecord& record) {
  if (!hasWindow() || record.pending) return;
  platform::Platform& p = toolkit.platform();
  record.enabled = p.isEnabled(window, record.id);
  if (isTextual(record.kind)) record.text = p.text(window, record.id);
  switch (record.kind) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      record.checked = p.isChecked(window, record.id);
      break;
    case ControlKind::Edit:
      record.cursor = p.caret(window, record.id);
      break;
    case ControlKind::ListBox:
      record.selection = p.listSelection(window, record.id);
      break;
    default:
      break;
  }
}

void DialogState::refreshAll() {
  for (auto& record : controls) refresh(record);
}

void DialogState::afterWrite() {
  if (!hasWindow()) return;
  if (toolkit.state().running == &dialog) return;
  push(false);
}

void DialogState::push(bool all) {
  RestoreScope<bool> scope(pushing, true);
  for (auto& record : controls) {
    if (all || record.pending) pushRecord(record);
    if (record.toolTipPending && hasWindow()) {
      toolkit.platform().setToolTip(window, record.id, record.toolTip);
      record.toolTipPending = false;
    }
    if (!hasWindow()) return;  // a platform failure took the window away
  }
  pending = false;
}

void DialogState::pushRecord(ControlRecord& record) {
  platform::Platform& p = toolkit.platform();
  if (isTextual(record.kind)) p.setText(window, record.id, record.text);
  p.setEnabled(window, record.id, record.enabled);
  switch (record.kind) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      p.setChecked(window, record.id, record.checked);
      break;
    case ControlKind::Edit:
      p.setCaret(window, record.id, record.cursor);
      break;
    case ControlKind::ListBox:
      p.setListItems(window, record.id, record.items);
      p.setListSelection(window, record.id, record.selection);
      break;
    default:
      break;
  }
  record.pending = false;
}

// --- Handlers ---

void DialogState::callHandler(const Handler& handler, int controlId, int event) {
  if (!handler) return;
  const Handler call = handler;  // the handler may replace itself
  {
    RestoreScope<Dialog*> running(toolkit.state().running, &dialog);
    call(dialog, controlId, event);
  }
  if (hasWindow() && pending) push(false);
}

void DialogState::dispatch(int controlId, int event) {
  ControlRecord* record = find(controlId);
  if (record == nullptr) return;
  const auto slot = record->handlers.find(event);
  if (slot == record->handlers.end()) return;
  callHandler(slot->second, controlId, event);
}

void DialogState::close() {
  if (!hasWindow()) return;
  platform::Platform& p = toolkit.platform();
  if (modal) {
    refreshAll();
    p.endModal(window, returnValue);
  } else {
    p.destroyWindow(window);
  }
}

// --- Platform notifications ---

void DialogState::created(platform::WindowHandle handle) {
  window = handle;
  if (!tmpl.title.empty()) toolkit.platform().setWindowTitle(window, tmpl.title);
  push(true);
  callHandler(dialogHandler, templateId, EVT_INIT);
}

void DialogState::command(platform::WindowHandle handle, int controlId, Notification what) {
  if (pushing || handle != window) return;
  ControlRecord* record = find(controlId);
  if (record == nullptr) return;
  const std::optional<int> event = eventOf(record->kind, what);
  if (!event) return;
  const bool pushButton =
      record->kind == ControlKind::PushButton || record->kind == ControlKind::DefPushButton;
  if (pushButton && !record->enabled) return;
  dispatch(controlId, *event);
}

void DialogState::activated(platform::WindowHandle handle, bool active) {
  if (handle != window || modal) return;
  ToolkitState& ts = toolkit.state();
  if (active) {
    ts.activeModeless = &dialog;
  } else if (ts.activeModeless == &dialog) {
    ts.activeModeless = nullptr;
  }
}

void DialogState::resized(platform::WindowHandle handle) {
  if (pushing || handle != window) return;
  callHandler(sizeHandler, templateId, EVT_SIZE);
}

void DialogState::cancel(platform::WindowHandle handle) {
  if (pushing || handle != window) return;
  if (find(2) != nullptr) {
    command(handle, 2, Notification::Clicked);
    return;
  }
  returnValue = 2;
  close();
}

void DialogState::defaultCommand(platform::WindowHandle handle) {
  if (pushing || handle != window) return;
  int id = 1;
  for (const auto& record : controls) {
    if (record.kind == ControlKind::DefPushButton) {
      id = record.id;
      break;
    }
  }
  command(handle, id, Notification::Clicked);
}

void DialogState::destroyed(platform::WindowHandle handle) {
  if (handle != window) return;
  refreshAll();
  ToolkitState& ts = toolkit.state();
  if (ts.activeModeless == &dialog) ts.activeModeless = nullptr;
  {
    // Writes made now stay in the mirror for the next window.
    RestoreScope<Dialog*> running(toolkit.state().running, &dialog);
    if (dialogHandler) {
      const Handler call = dialogHandler;
      call(dialog, templateId, EVT_DESTROY);
    }
  }
  window = 0;
}

// --- Window operations ---

bool DLGMODELESS(Dialog& dialog, int showMode, platform::WindowHandle owner) {
  DialogState& state = dialog.state();
  if (!state.opened) return false;
  ToolkitState& ts = dialog.toolkit().state();
  if (state.hasWindow()) {
    if (!state.modal) ts.platform.bringToFront(state.window);
    return !state.modal;
  }
  if (owner == 0 && ts.running != nullptr) owner = ts.running->window();
  state.modal = false;
  const platform::WindowHandle handle = ts.platform.createDialog(state.tmpl, owner, state);
  if (handle == 0) {
    state.window = 0;
    return false;
  }
  if (state.window == handle) ts.platform.showWindow(handle, showMode);
  return true;
}

int DLGMODAL(Dialog& dialog, platform::WindowHandle owner) {
  DialogState& state = dialog.state();
  if (!state.opened || state.hasWindow()) return -1;
  ToolkitState& ts = dialog.toolkit().state();
  if (owner == 0) {
    if (ts.runningModal != nullptr) {
      owner = ts.runningModal->window();
    } else if (ts.running != nullptr) {
      owner = ts.running->window();
    }
  }
  RestoreScope<Dialog*> running(ts.running, ts.running);
  RestoreScope<Dialog*> modal(ts.runningModal, &dialog);
  state.modal = true;
  const platform::WindowHandle handle = ts.platform.createDialog(state.tmpl, owner, state);
  if (handle == 0) {
    state.window = 0;
    state.modal = false;
    return -1;
  }
  if (state.window == handle) ts.platform.runModal(handle);
  if (state.window == handle) ts.platform.destroyWindow(handle);
  state.modal = false;
  return state.returnValue;
}

void DLGEXIT(Dialog& dialog) {
  dialog.state().close();
}

bool DLGROUTEMESSAGE(Toolkit& toolkit, const platform::KeyMessage& message) {
  const Dialog* active = toolkit.state().activeModeless;
  return active != nullptr && active->window() != 0 && active->window() == message.window;
}

}  // namespace orbalta
