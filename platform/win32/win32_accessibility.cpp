// Accessible names on Windows: they go through the system's property service; without it (as
// under Wine) the controls keep their captions as names.

#include <initguid.h>
#include <oleacc.h>

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

// Names wait until the program is first idle and are then given on a thread of their own:
// loading COM would otherwise delay the first frame.
void Win32Platform::setAccessibleName(WindowHandle window, int id, std::string_view name) {
  if (const HWND c = control(window, id)) pendingNames_.push_back({c, false, wideFrom1252(name)});
}

void Win32Platform::setAccessibleDescription(WindowHandle window, int id, std::string_view text) {
  if (const HWND c = control(window, id)) pendingNames_.push_back({c, true, wideFrom1252(text)});
}

// The system's accessibility layer ties a control to the static text before it in the
// window's order by itself; there is no property to give it another.
void Win32Platform::setAccessibleLabel(WindowHandle, int, int, std::string_view) {}

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
