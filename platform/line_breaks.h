#pragma once
// A text's line breaks as a window shows them: every break the program wrote for one ("\r\n",
// "\n\r", a lone "\r" or "\n") is one "\n". The Qt platform shows its static texts so, and
// the scripted user reads every control's text by the same rule on every window system.

#include <string>
#include <string_view>

namespace orbalta::platform {

std::u16string oneLineBreak(std::u16string_view text);

}  // namespace orbalta::platform
