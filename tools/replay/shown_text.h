#pragma once
// Texts as the user sees them. The scripted user checks a message box by what it shows, in
// UTF-8, so that a path shown with the wrong letters fails the line that expects the right ones.

#include <functional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace orbalta::replay {

// UTF-8 decoded as both window systems decode it: each maximal ill-formed part becomes one
// U+FFFD.
std::u16string fromUtf8(std::string_view bytes);
std::string utf8From(std::u16string_view text);

// What a message box that names a file shows: the program's words as `shown` decodes its
// Windows-1252, the path as the file system's UTF-8 name.
std::u16string shownText(const platform::FileMessage& message,
                         const std::function<std::u16string(std::string_view)>& shown);

}  // namespace orbalta::replay
