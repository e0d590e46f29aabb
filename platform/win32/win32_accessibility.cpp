// Accessible names on Windows: they go through the system's property service; without it (as
// under Wine) the controls keep their captions as names. Labels are the statics placed right
// before their controls in the window order.

#include <initguid.h>
#include <oleacc.h>

#include <vector>

#include "platform/win32/win32_platform_impl.h"

namespace orbalta::platform {

using win32::systemFunction;

IAccPropServices* Win32Platform::accessibility() {
  if (accessibilityTried_) return accessibility_;
  accessibilityTried_ = true;
  using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
  using Create = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
  const auto initialize = systemFunction<Initialize>(L"ole32.dll", "CoInitializeEx");
  const auto create = systemFunction<Create>(L"ole32.dll", "CoCreateInstance");
  if (!initialize || !create || FAILED(initialize(nullptr, COINIT_MULTITHREADED))) {
    return nullptr;
  }
  IAccPropServices* services = nullptr;
  if (SUCCEEDED(create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
                       reinterpret_cast<void**>(&services)))) {
    accessibility_ = services;
  }
  return accessibility_;
}

void Win32Platform::releaseAccessibility() {
  if (namer_.joinable()) namer_.join();
  if (accessibility_) accessibility_->Release();
}

namespace {

// The system names an edit or a list box without a name of its own after the static text
// right before it in the window order (the z order, also the order Tab walks), and reports
// that static as its label.
bool takesLabel(HWND c) {
  return hasClass(c, L"Edit") || hasClass(c, L"ListBox");
}

bool isRadio(HWND c) {
  const LONG type = GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK;
  return hasClass(c, L"Button") && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

bool startsGroup(HWND c) {
  return (GetWindowLongW(c, GWL_STYLE) & WS_GROUP) != 0;
}

// Statics are no tab stops, so moving them changes neither what Tab visits nor its order;
// nor do they overlap the controls they move past, so no pixel changes.
void placeBefore(HWND moved, HWND next) {
  HWND after = HWND_BOTTOM;
  if (next) {
    const HWND previous = GetWindow(next, GW_HWNDPREV);
    if (previous == moved) return;
    after = previous ? previous : HWND_TOP;
  }
  SetWindowPos(moved, after, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

}  // namespace

// A group at the end of the window goes on at its first control unless that starts a group.
void win32::closeRadioGroups(HWND window) {
  const auto addGroup = [](HWND c) {
    SetWindowLongW(c, GWL_STYLE, GetWindowLongW(c, GWL_STYLE) | WS_GROUP);
  };
  bool inGroup = false;
  const HWND first = GetWindow(window, GW_CHILD);
  for (HWND c = first; c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (isRadio(c)) {
      inGroup = inGroup || startsGroup(c);
      continue;
    }
    if (inGroup && !startsGroup(c)) addGroup(c);
    inGroup = false;
  }
  if (inGroup && !startsGroup(first)) addGroup(first);
}

// A field named by the program but labelled by no static must not take the static that
// happens to precede it ("48" before the binary32 sign): such statics move on to the next
// control that does not take a label, outside any radio group.
void Win32Platform::moveStrayLabels(Window& w, HWND c) {
  if (!takesLabel(c) || w.labels.count(c) != 0) return;
  std::vector<HWND> stray;
  for (HWND p = GetWindow(c, GW_HWNDPREV); p && hasClass(p, L"Static");
       p = GetWindow(p, GW_HWNDPREV)) {
    stray.insert(stray.begin(), p);
  }
  if (stray.empty()) return;
  HWND next = GetWindow(c, GW_HWNDNEXT);
  while (next &&
         (takesLabel(next) || hasClass(next, L"Static") || (isRadio(next) && !startsGroup(next)))) {
    next = GetWindow(next, GW_HWNDNEXT);
  }
  for (const HWND s : stray) placeBefore(s, next);
}

// Names wait until the program is first idle and are then given on a thread of their own:
// loading COM would otherwise delay the first frame.
void Win32Platform::setAccessibleName(WindowHandle window, int id, std::string_view name) {
  const HWND c = control(window, id);
  if (!c) return;
  moveStrayLabels(*find(window), c);
  pendingNames_.push_back({c, false, wideFrom1252(name)});
}

void Win32Platform::setAccessibleDescription(WindowHandle window, int id, std::string_view text) {
  if (const HWND c = control(window, id)) pendingNames_.push_back({c, true, wideFrom1252(text)});
}

// The label is the static with id `labelId`, or for -1 the static without id that says
// `labelCaption`; it is moved right before its control, where the system looks for it.
void Win32Platform::setAccessibleLabel(WindowHandle window, int id, int labelId,
                                       std::string_view labelCaption) {
  Window* w = find(window);
  const HWND c = control(window, id);
  if (!w || !c) return;
  HWND label = labelId != -1 ? control(window, labelId) : nullptr;
  for (HWND s = GetWindow(w->hwnd, GW_CHILD); labelId == -1 && s && !label;
       s = GetWindow(s, GW_HWNDNEXT)) {
    if (hasClass(s, L"Static") && win32::windowText(s) == labelCaption) {
      label = s;
    }
  }
  if (!label || !hasClass(label, L"Static")) return;
  placeBefore(label, c);
  w->labels[c] = label;
}

void Win32Platform::applyPendingNames() {
  auto names = std::move(pendingNames_);
  pendingNames_.clear();
  auto give = [this](const std::vector<PendingText>& list) {
    IAccPropServices* services = accessibility();
    for (const PendingText& pending : list) {
      if (services && IsWindow(pending.control)) {
        services->SetHwndPropStr(pending.control, OBJID_CLIENT, CHILDID_SELF,
                                 pending.description ? PROPID_ACC_DESCRIPTION : PROPID_ACC_NAME,
                                 pending.text.c_str());
      }
    }
  };
  if (!namerStarted_) {
    namerStarted_ = true;
    namer_ = std::thread([give, list = std::move(names)] { give(list); });
    return;
  }
  if (namer_.joinable()) namer_.join();
  give(names);
}

}  // namespace orbalta::platform
