// Windows and their controls from the parsed templates, at the pixel positions their dialog
// units give in the shipped face.

#include "platform/web/web_platform_impl.h"
#include "resources/resources.h"

namespace orbalta::platform {

namespace {

// a * b / c rounded half away from zero, as the desktop's MulDiv.
int mulDiv(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  const long long half = c / 2;
  return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}
// The shipped faces: 0 Liberation Sans for the sans-serif template fonts, 1 Liberation Serif.
int familyOf(const std::string& face) {
  std::string lower;
  for (const char c : face) lower.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c);
  return lower == "times new roman" || lower == "times" ? 1 : 0;
}
// The height of a line of the shipped face at `px`: its ascent and descent (in font units of
// 2048 to the em) scaled and each rounded up, as the desktop takes them. The browser's canvas
// rounds both to the nearest pixel, a line one pixel short at 11 px.
int lineHeight(int family, int px) {
  struct Extent {
    int ascent;
    int descent;
  };
  constexpr Extent kFaces[] = {{1854, 434}, {1825, 443}};  // Liberation Sans, Serif Italic
  const Extent& face = kFaces[family == 1 ? 1 : 0];
  return (px * face.ascent + 2047) / 2048 + (px * face.descent + 2047) / 2048;
}

int fittedPixels(int family, int px, int italic, int limit) {
  int size = px;
  for (; size > std::max(1, px - 3); --size) {
    int metrics[2] = {0, 0};
    orbdom_font_units(family, size, italic, metrics);
    if (metrics[0] <= limit) return size;
  }
  return size;
}
int kindCode(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
      return 0;
    case ControlKind::DefPushButton:
      return 1;
    case ControlKind::CheckBox:
      return 2;
    case ControlKind::RadioButton:
      return 3;
    case ControlKind::GroupBox:
      return 4;
    case ControlKind::Edit:
      return 5;
    case ControlKind::ListBox:
      return 6;
    case ControlKind::StaticNoWrap:
      return 8;
    case ControlKind::IconPicture:
      return 9;
    case ControlKind::BitmapPicture:
      return 10;
    default:
      return 7;
  }
}
int flagsOf(std::uint32_t styles) {
  int flags = 0;
  if ((styles & kReadOnly) != 0) flags |= 2;
  if ((styles & kDigitsOnly) != 0) flags |= 4;
  if ((styles & kBorder) != 0) flags |= 8;
  if ((styles & kStaticEdge) != 0) flags |= 16;
  if ((styles & kHidden) != 0) flags |= 32;
  if ((styles & kDisabled) != 0) flags |= 64;
  if ((styles & kCenterImage) != 0) flags |= 128;
  return flags;
}

}  // namespace

WindowHandle WebPlatform::createDialog(const DialogTemplate& tmpl, WindowHandle owner,
                                       WindowEvents& events) {
  Impl& d = *impl_;
  const WindowHandle validOwner = d.live(owner) != nullptr ? owner : 0;
  Window* w = &d.windows.add(std::make_unique<Window>());
  w->templateId = tmpl.id;
  w->owner = validOwner;
  w->events = &events;

  // Dialog units from the face's own metrics: average width of the 52 letters / 4, height / 8.
  const int family = familyOf(tmpl.font.face);
  const int px = std::max(1, mulDiv(tmpl.font.pointSize, 96, 72));
  int metrics[2] = {0, 0};
  orbdom_font_units(family, px, tmpl.font.italic ? 1 : 0, metrics);
  const int baseX = std::max(1, (metrics[0] / 26 + 1) / 2);
  const int baseY = std::max(1, lineHeight(family, px));
  // The controls' face is shrunk (up to 3 px) until the letters fit the width the units give,
  // as on the desktop, so that captions wrap where they wrap there.
  const int fitted = fittedPixels(family, px, tmpl.font.italic ? 1 : 0, 52 * baseX);
  const auto ux = [baseX](int units) { return mulDiv(units, baseX, 4); };
  const auto uy = [baseY](int units) { return mulDiv(units, baseY, 8); };

  const Text16 title(tmpl.title);
  orbdom_window_create(w->handle, title.data(), title.size(), ux(tmpl.x), uy(tmpl.y),
                       ux(tmpl.width), uy(tmpl.height), tmpl.centered ? 1 : 0, family, fitted,
                       tmpl.font.italic ? 1 : 0, w->owner, tmpl.appWindow ? 1 : 0);
  int group = 0;
  for (const ControlTemplate& c : tmpl.controls) {
    if ((c.styles & kGroup) != 0) ++group;
    Control control;
    control.id = c.id;
    control.kind = c.kind;
    control.styles = c.styles;
    control.imageId = c.imageId;
    control.group = group;
    control.enabled = (c.styles & kDisabled) == 0;
    control.visible = (c.styles & kHidden) == 0;
    control.caption = c.caption;
    const int index = static_cast<int>(w->controls.size());
    const Text16 text(withLineBreaks(c.caption));
    orbdom_control_create(w->handle, index, kindCode(c.kind), flagsOf(c.styles), ux(c.x), uy(c.y),
                          ux(c.width), uy(c.height), text.data(), text.size(), group);
    w->controls.push_back(std::move(control));
    if (c.kind == ControlKind::IconPicture || c.kind == ControlKind::BitmapPicture) {
      const bool bitmap = c.kind == ControlKind::BitmapPicture;
      const auto bytes = bitmap ? resources::bitmap(c.imageId) : resources::icon(c.imageId);
      if (!bytes.empty()) {
        orbdom_set_image(w->handle, index, bytes.data(), static_cast<int>(bytes.size()),
                         bitmap ? 1 : 0, bitmap ? 0 : 32);
      }
    }
  }
  const WindowHandle handle = w->handle;
  events.created(handle);
  return handle;
}

}  // namespace orbalta::platform
