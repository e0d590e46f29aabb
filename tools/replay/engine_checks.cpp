// The script's checks: what the user can see, compared with what the line expects.

#include <algorithm>
#include <cstdio>

#include "platform/windows1252.h"
#include "resources/resources.h"
#include "toolkit/template_parser.h"
#include "tools/replay/engine.h"

namespace orbalta::replay {

using platform::WindowHandle;

namespace {

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

const char* flag(bool on) {
  return on ? "1" : "0";
}

}  // namespace

void Engine::expectState(const Step& step) {
  if (step.kind != StepKind::ExpectWindowOpen) {
    expectControl(step);
    return;
  }
  const bool open = driver_.openWindow(step.window) != 0;
  if (open != (*step.number == 1)) fail(step.line, windowOpenText(step.window, open));
}

void Engine::expectControl(const Step& step) {
  WindowHandle window = 0;
  const ControlView view = driver_.control(step.line, step.control, window);
  platform::Platform& shown = driver_.platform();
  const std::string name = controlText(step.control);
  const int id = step.control.id;
  const bool on = step.number == 1;
  switch (step.kind) {
    case StepKind::ExpectText: {
      if (!driver_.reads(view, step.text)) {
        const std::string text = platform::toWindows1252(driver_.readText(view));
        fail(step.line, name + " shows " + inQuotes(text) + ", expected " + inQuotes(step.text));
      }
      break;
    }
    case StepKind::ExpectToolTip:
      if (step.anyText ? view.toolTip.empty() : view.toolTip != step.text) {
        fail(step.line, name + " has the tool tip " + inQuotes(view.toolTip) + ", expected " +
                            (step.anyText ? std::string("one") : inQuotes(step.text)));
      }
      break;
    case StepKind::ExpectEnabled:
      if (shown.isEnabled(window, id) != on) {
        fail(step.line, name + (on ? " is disabled" : " is enabled"));
      }
      break;
    case StepKind::ExpectChecked:
      if (shown.isChecked(window, id) != on) {
        fail(step.line, name + (on ? " is not checked" : " is checked"));
      }
      break;
    case StepKind::ExpectSelected: {
      const int selected = shown.listSelection(window, id) + 1;
      if (selected != *step.number) {
        fail(step.line, name + " has item " + std::to_string(selected) + " selected, expected " +
                            std::to_string(*step.number));
      }
      break;
    }
    case StepKind::ExpectFocus:
      if (!view.focused) {
        const std::optional<ControlRef> at = driver_.focusedControl();
        fail(step.line, name + " does not have the focus (it is at " +
                            (at ? controlText(*at) : std::string("nowhere")) + ")");
      }
      break;
    default:
      break;
  }
}

void Engine::expectMessageBox(const Step& step) {
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

void Engine::expectNoMessageBox(const Step& step) {
  for (const Box& box : boxes_) {
    if (!box.checked) {
      fail(step.line, "an unchecked message box: " + boxLine(box.title, box.text, box.icon));
    }
  }
}

void Engine::dump(const Step& step) {
  const WindowHandle window = driver_.openWindow(step.line, step.window);
  std::string error;
  const std::optional<platform::DialogTemplate> tmpl =
      parseDialogTemplate(resources::templateScript(), step.window, &error);
  if (!tmpl) fail(step.line, "template " + std::to_string(step.window) + ": " + error);
  platform::Platform& shown = driver_.platform();
  // Template order, the order of the tab stops.
  for (const platform::ControlTemplate& control : tmpl->controls) {
    std::string line = "dump " + std::to_string(step.window) + ":";
    const std::optional<ControlView> view =
        control.id >= 0 ? driver_.control(window, control.id) : std::nullopt;
    if (!view) {
      line += (control.id >= 0 ? std::to_string(control.id) : std::string("-")) + " " +
              std::string(kindName(control.kind)) + " " + inQuotes(control.caption);
      if (control.id >= 0) line += " missing";
      std::printf("%s\n", line.c_str());
      continue;
    }
    line += std::to_string(control.id) + " " + std::string(kindName(control.kind)) + " " +
            inQuotes(shown.text(window, control.id)) + " enabled " +
            flag(shown.isEnabled(window, control.id));
    if (control.kind == platform::ControlKind::CheckBox ||
        control.kind == platform::ControlKind::RadioButton) {
      line += std::string(" checked ") + flag(shown.isChecked(window, control.id));
    }
    if (control.kind == platform::ControlKind::ListBox) {
      line += " selected " + std::to_string(shown.listSelection(window, control.id) + 1);
      if (view->items >= 0) line += " items " + std::to_string(view->items);
    }
    if (control.kind == platform::ControlKind::Edit) {
      line += " caret " + std::to_string(shown.caret(window, control.id));
    }
    if (!view->shown) line += " hidden";
    if (view->focused) line += " focus";
    std::printf("%s\n", line.c_str());
  }
  std::fflush(stdout);
}

}  // namespace orbalta::replay
