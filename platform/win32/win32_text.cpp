// Texts at the Windows boundary: Windows-1252 by the platforms' shared table, so that a
// character outside the code page becomes '?' here as on every platform (the system's own
// conversion would give a look-alike); paths as UTF-8 by the system.

#include <string>

#include "platform/win32/win32_platform_impl.h"
#include "platform/windows1252.h"

namespace orbalta::platform {

namespace {

std::wstring widen(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), size, out.data(), n);
  return out;
}

std::string narrow(const wchar_t* text, int length) {
  if (length <= 0) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring wideFrom1252(std::string_view text) {
  const std::u16string units = fromWindows1252(text);
  return std::wstring(units.begin(), units.end());
}

std::string to1252(const wchar_t* text, int length) {
  if (length <= 0) return {};
  return toWindows1252(std::u16string(text, text + length));
}

std::wstring wideFromUtf8(std::string_view text) {
  return widen(text);
}

std::string toUtf8(const wchar_t* text, int length) {
  return narrow(text, length);
}

std::wstring win32::wideWindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string win32::windowText(HWND hwnd) {
  const std::wstring text = wideWindowText(hwnd);
  return to1252(text.data(), static_cast<int>(text.size()));
}

}  // namespace orbalta::platform
