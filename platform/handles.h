#pragma once
// The window system's handles, for the layers that hold them without calling the platform.

#include <cstdint>

namespace orbalta::platform {

using WindowHandle = std::uint32_t;  // 0: no window
using IconHandle = std::uint32_t;    // 0: no icon

}  // namespace orbalta::platform
