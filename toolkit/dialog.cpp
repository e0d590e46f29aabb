// Dialog objects and the property operations on their mirror.

#include "toolkit/dialog.h"

#include <algorithm>
#include <string>

#include "toolkit/dialog_state.h"
#include "toolkit/template_parser.h"

namespace orbalta {

using platform::ControlKind;

namespace {

constexpr std::size_t kMaxItemLength = 256;

bool isPushButton(ControlKind kind) {
  return kind == ControlKind::PushButton || kind == ControlKind::DefPushButton;
}
bool isCheckable(ControlKind kind) {
  return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}
bool hasCaption(ControlKind kind) {
  return kind != ControlKind::Edit && kind != ControlKind::ListBox &&
         kind != ControlKind::Unsupported;
}

// Radio groups run from a control marked group up to the next one so marked.
void assignGroups(std::vector<ControlRecord>& controls) {
  std::size_t begin = 0;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if ((controls[i].styles & platform::kGroup) != 0) begin = i;
    controls[i].groupBegin = begin;
  }
  std::size_t end = controls.size();
  for (std::size_t i = controls.size(); i-- > 0;) {
    controls[i].groupEnd = end;
    if ((controls[i].styles & platform::kGroup) != 0) end = i;
  }
}

std::string unsupportedReport(const platform::DialogTemplate& tmpl) {
  std::string report;
  for (const auto& control : tmpl.controls) {
    if (control.kind != ControlKind::Unsupported) continue;
    report += "Template " + std::to_string(tmpl.id) + ", control " + std::to_string(control.id) +
              ": unsupported control kind " + control.unsupportedKind + "\n";
  }
  return report;
}

// Records of a write: the refresh comes first, so that a write only replaces what it sets.
ControlRecord* writable(Dialog& dialog, int controlId) {
  DialogState& state = dialog.state();
  ControlRecord* record = state.find(controlId);
  if (record != nullptr) state.refresh(*record);
  return record;
}

}  // namespace

// --- Toolkit and Dialog ---

Toolkit::Toolkit(platform::Platform& platform, std::string_view templateScript)
    : state_(std::make_unique<ToolkitState>(platform, templateScript)) {}

Toolkit::~Toolkit() = default;

platform::Platform& Toolkit::platform() {
  return state_->platform;
}

const ToolkitState::Parsed& ToolkitState::parsed(int templateId) {
  auto found = templates.find(templateId);
  if (found == templates.end()) {
    Parsed entry;
    entry.tmpl = parseDialogTemplate(script, templateId, &entry.error);
    found = templates.emplace(templateId, std::move(entry)).first;
  }
  return found->second;
}

std::string_view Toolkit::templateError(int templateId) {
  return state_->parsed(templateId).error;
}

void Toolkit::messageBox(std::string_view text, std::string_view title,
                         platform::MessageIcon icon) {
  state_->platform.messageBox(text, title, icon);
}

namespace {
class RouteToToolkit final : public platform::MessageRouter {
 public:
  explicit RouteToToolkit(Toolkit& toolkit) : toolkit_(toolkit) {}
  bool route(const platform::KeyMessage& message) override {
    return DLGROUTEMESSAGE(toolkit_, message);
  }

 private:
  Toolkit& toolkit_;
};
}  // namespace

int Toolkit::runMessageLoop() {
  RouteToToolkit router(*this);
  return state_->platform.runMessageLoop(router);
}

Dialog::Dialog(Toolkit& toolkit)
    : toolkit_(toolkit), state_(std::make_unique<DialogState>(*this, toolkit)) {}

Dialog::~Dialog() {
  if (state_->hasWindow()) {
    // No handler may run for an object that is going away.
    state_->dialogHandler = nullptr;
    for (auto& record : state_->controls) record.handlers.clear();
    toolkit_.platform().destroyWindow(state_->window);
  }
  toolkit_.state().forget(this);
}

platform::WindowHandle Dialog::window() const {
  return state_->window;
}
int Dialog::templateId() const {
  return state_->templateId;
}
int Dialog::returnValue() const {
  return state_->returnValue;
}

ControlRecord* DialogState::find(int id) {
  for (auto& record : controls) {
    if (record.id == id) return &record;
  }
  return nullptr;
}

// --- DLGOPEN, DLGHANDLER, DLGRELEASE ---

bool DLGOPEN(int templateId, Dialog& dialog) {
  DialogState& state = dialog.state();
  if (state.hasWindow()) return false;
  ToolkitState& toolkit = dialog.toolkit().state();
  const ToolkitState::Parsed& parsed = toolkit.parsed(templateId);
  if (!parsed.tmpl) return false;

  DLGRELEASE(dialog);
  state.opened = true;
  state.templateId = templateId;
  state.tmpl = *parsed.tmpl;
  state.returnValue = 0;
  for (const auto& control : state.tmpl.controls) {
    if (control.kind == ControlKind::Unsupported) continue;
    ControlRecord record;
    record.id = control.id;
    record.kind = control.kind;
    record.styles = control.styles;
    record.text = hasCaption(control.kind) ? control.caption : std::string();
    record.enabled = (control.styles & platform::kDisabled) == 0;
    if (isPushButton(control.kind)) {
      record.handlers[EVT_CLICKED] = [](Dialog& d, int id, int) {
        d.state().returnValue = id;
        DLGEXIT(d);
      };
    }
    state.controls.push_back(std::move(record));
  }
  assignGroups(state.controls);

  const std::string report = unsupportedReport(state.tmpl);
  if (!report.empty()) {
    toolkit.platform.messageBox(report, "Error", platform::MessageIcon::Error);
  }
  return true;
}

bool DLGHANDLER(Dialog& dialog, int controlId, Handler handler, std::optional<int> event) {
  DialogState& state = dialog.state();
  if (!state.opened) return false;
  if (controlId == state.templateId) {
    const int kind = event.value_or(EVT_INIT);
    if (kind == EVT_INIT || kind == EVT_DESTROY) {
      state.dialogHandler = std::move(handler);
      return true;
    }
    if (kind == EVT_SIZE) {
      state.sizeHandler = std::move(handler);
      return true;
    }
    return false;
  }
  ControlRecord* record = state.find(controlId);
  if (record == nullptr) return false;
  int kind = 0;
  switch (record->kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      kind = event.value_or(EVT_CLICKED);
      if (kind != EVT_CLICKED) return false;
      break;
    case ControlKind::Edit:
      kind = event.value_or(EVT_CHANGED);
      if (kind != EVT_CHANGED && kind != EVT_UPDATED && kind != EVT_FOCUS_GAINED &&
          kind != EVT_FOCUS_LOST) {
        return false;
      }
      break;
    case ControlKind::ListBox:
      kind = event.value_or(EVT_SELECTION);
      if (kind != EVT_SELECTION && kind != EVT_DOUBLE_CLICK) return false;
      break;
    default:
      return false;
  }
  record->handlers[kind] = std::move(handler);
  return true;
}

void DLGRELEASE(Dialog& dialog) {
  DialogState& state = dialog.state();
  if (state.hasWindow()) dialog.toolkit().platform().destroyWindow(state.window);
  state.opened = false;
  state.templateId = 0;
  state.tmpl = platform::DialogTemplate();
  state.window = 0;
  state.modal = false;
  state.returnValue = 0;
  state.pending = false;
  state.pushing = false;
  state.dialogHandler = nullptr;
  state.sizeHandler = nullptr;
  state.controls.clear();
}

// --- Texts ---

bool DLGPUTTEXT(Dialog& dialog, int controlId, std::string_view text, int attr) {
  ControlRecord* record = writable(dialog, controlId);
  if (record == nullptr) return false;
  const std::string_view stored = trimRight(text);
  if (record->kind == ControlKind::Edit) {
    if (attr != ATTR_DEFAULT && attr != ATTR_CHECKED) return false;
    record->text = stored;
    record->cursor = std::min(record->cursor, static_cast<int>(record->text.size()));
  } else if (record->kind == ControlKind::ListBox) {
    const std::string item(stored.substr(0, kMaxItemLength));
    if (attr == ATTR_APPEND_ITEM) {
      record->items.push_back(item);
    } else if (attr >= 1 && static_cast<std::size_t>(attr) <= record->items.size()) {
      record->items[static_cast<std::size_t>(attr - 1)] = item;
    } else {
      return false;
    }
  } else {
    if (attr != ATTR_DEFAULT) return false;
    record->text = stored;
  }
  dialog.state().changed(*record);
  return true;
}

bool DLGREADTEXT(Dialog& dialog, int controlId, FixedText& buffer, int attr) {
  DialogState& state = dialog.state();
  ControlRecord* record = state.find(controlId);
  if (record == nullptr) return false;
  std::string_view text;
  if (record->kind == ControlKind::ListBox) {
    if (attr == ATTR_DEFAULT || attr == ATTR_CHECKED) {
      state.refresh(*record);
      if (record->selection >= 0) text = record->items[static_cast<std::size_t>(record->selection)];
    } else if (attr >= 1 && static_cast<std::size_t>(attr) <= record->items.size()) {
      text = record->items[static_cast<std::size_t>(attr - 1)];
    } else {
      return false;
    }
  } else {
    const bool applies =
        attr == ATTR_DEFAULT || (attr == ATTR_CHECKED && record->kind == ControlKind::Edit);
    if (!applies) return false;
    state.refresh(*record);
    text = record->text;
  }
  buffer.assign(text);
  return true;
}

// --- Logical states ---

bool DLGPUTSTATE(Dialog& dialog, int controlId, bool value, int attr) {
  DialogState& state = dialog.state();
  ControlRecord* record = writable(dialog, controlId);
  if (record == nullptr) return false;
  const bool checkable = isCheckable(record->kind);
  if (attr == ATTR_ENABLED || (attr == ATTR_DEFAULT && !checkable)) {
    record->enabled = value;
    state.changed(*record);
    return true;
  }
  if (!checkable || (attr != ATTR_DEFAULT && attr != ATTR_CHECKED)) return false;
  if (record->kind == ControlKind::CheckBox) {
    record->checked = value;
    state.changed(*record);
    return true;
  }
  // A radio button: its whole group changes.
  const std::size_t self = static_cast<std::size_t>(record - state.controls.data());
  bool firstSeen = false;
  for (std::size_t k = record->groupBegin; k < record->groupEnd; ++k) {
    ControlRecord& member = state.controls[k];
    if (member.kind != ControlKind::RadioButton) continue;
    bool checked = false;
    if (value) {
      checked = k == self;
    } else {
      checked = !firstSeen;
    }
    firstSeen = true;
    state.refresh(member);
    member.checked = checked;
    state.mark(member);
  }
  state.afterWrite();
  return true;
}

bool DLGREADSTATE(Dialog& dialog, int controlId, bool& value, int attr) {
  DialogState& state = dialog.state();
  ControlRecord* record = state.find(controlId);
  if (record == nullptr) return false;
  const bool checkable = isCheckable(record->kind);
  if (attr == ATTR_ENABLED || (attr == ATTR_DEFAULT && !checkable)) {
    state.refresh(*record);
    value = record->enabled;
    return true;
  }
  if (!checkable || (attr != ATTR_DEFAULT && attr != ATTR_CHECKED)) return false;
  state.refresh(*record);
  value = record->checked;
  return true;
}

// --- Numbers ---

bool DLGPUTNUMBER(Dialog& dialog, int controlId, int value, int attr) {
  DialogState& state = dialog.state();
  ControlRecord* record = state.find(controlId);
  if (record == nullptr) return false;
  if (record->kind == ControlKind::Edit) {
    if (attr == ATTR_DEFAULT || attr == ATTR_TEXT_LENGTH) {
      if (value < 0) return false;
      state.refresh(*record);
      record->text = padTo(record->text, static_cast<std::size_t>(value));
      record->cursor = std::min(record->cursor, value);
    } else if (attr == ATTR_CURSOR) {
      state.refresh(*record);
      record->cursor = std::clamp(value, 0, static_cast<int>(record->text.size()));
    } else {
      return false;
    }
  } else if (record->kind == ControlKind::ListBox) {
    if (attr == ATTR_DEFAULT || attr == ATTR_ITEM_COUNT) {
      if (value < 0) return false;
      state.refresh(*record);
      record->items.assign(static_cast<std::size_t>(value), std::string());
      record->selection = -1;
    } else if (attr == 1) {
      // A single-selection list has one selection entry.
      if (value < 0 || static_cast<std::size_t>(value) > record->items.size()) return false;
      state.refresh(*record);
      record->selection = value - 1;
    } else {
      return false;
    }
  } else {
    return false;
  }
  state.changed(*record);
  return true;
}

bool DLGREADNUMBER(Dialog& dialog, int controlId, int& value, int attr) {
  DialogState& state = dialog.state();
  ControlRecord* record = state.find(controlId);
  if (record == nullptr) return false;
  if (record->kind == ControlKind::Edit) {
    if (attr != ATTR_DEFAULT && attr != ATTR_TEXT_LENGTH && attr != ATTR_CURSOR) return false;
    state.refresh(*record);
    value = attr == ATTR_CURSOR ? record->cursor : static_cast<int>(record->text.size());
    return true;
  }
  if (record->kind == ControlKind::ListBox) {
    if (attr == ATTR_DEFAULT || attr == ATTR_ITEM_COUNT) {
      value = static_cast<int>(record->items.size());
      return true;
    }
    if (attr < 1) return false;
    state.refresh(*record);
    value = attr == 1 && record->selection >= 0 ? record->selection + 1 : 0;
    return true;
  }
  return false;
}

bool DLGPUTTOOLTIP(Dialog& dialog, int controlId, std::string_view text) {
  DialogState& state = dialog.state();
  ControlRecord* record = state.find(controlId);
  if (record == nullptr) return false;
  if (record->toolTip == text) return true;
  record->toolTip = text;
  record->toolTipPending = true;
  state.pending = true;
  state.afterWrite();
  return true;
}

void DLGCOMMIT(Dialog& dialog, bool pushAll) {
  DialogState& state = dialog.state();
  if (state.hasWindow()) state.push(pushAll);
}

}  // namespace orbalta
