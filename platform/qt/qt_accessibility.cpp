// Names for assistive technologies: a control's caption as it is spoken, or the name the
// program gave it.

#include "platform/qt/qt_platform_impl.h"

namespace orbalta::platform {

namespace {

// A caption as it is spoken: no mnemonic marks ("&&" is a literal '&'), lines joined by a blank.
QString spokenCaption(const QString& shown) {
  QString out;
  out.reserve(shown.size());
  bool pendingBreak = false;
  for (qsizetype i = 0; i < shown.size(); ++i) {
    QChar c = shown.at(i);
    if (c == QLatin1Char('\n')) {
      pendingBreak = !out.isEmpty();
      continue;
    }
    if (c == QLatin1Char('&')) {
      if (i + 1 >= shown.size()) continue;
      c = shown.at(++i);
      if (c == QLatin1Char('\n')) {
        pendingBreak = !out.isEmpty();
        continue;
      }
    }
    if (pendingBreak) out.append(QLatin1Char(' '));
    pendingBreak = false;
    out.append(c);
  }
  return out.trimmed();
}

bool hasCaptionName(ControlKind kind) {
  switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::GroupBox:
    case ControlKind::Static:
    case ControlKind::StaticNoWrap:
      return true;
    default:
      return false;  // an edit's or a list's text is its value, not its name
  }
}

}  // namespace

void qt::applyAccessibleName(const ControlEntry& entry) {
  QWidget* widget = entry.widget;
  if (widget == nullptr) return;
  const QString caption =
      hasCaptionName(entry.kind) ? spokenCaption(displayText(entry.text)) : QString();
  const bool saysItself =
      entry.kind == ControlKind::Static || entry.kind == ControlKind::StaticNoWrap;
  QString name = entry.accessibleName;
  if (name.isEmpty() || (saysItself && !caption.isEmpty())) name = caption;
  // A frame without a caption frames the whole window.
  if (name.isEmpty() && entry.kind == ControlKind::GroupBox) name = widget->window()->windowTitle();
  if (widget->accessibleName() != name) widget->setAccessibleName(name);
}

void QtPlatform::setAccessibleName(WindowHandle window, int id, std::string_view name) {
  ControlEntry* entry = impl_->entry(window, id);
  if (entry == nullptr && id != -1) {
    if (WindowRecord* rec = impl_->record(window)) {
      for (ControlEntry& picture : rec->controls) {
        const bool isPicture =
            picture.kind == ControlKind::IconPicture || picture.kind == ControlKind::BitmapPicture;
        if (isPicture && picture.id == -1 && picture.imageId == id && picture.widget) {
          entry = &picture;
          break;
        }
      }
    }
  }
  if (entry == nullptr) return;
  entry->accessibleName = QString::fromStdU16String(fromWindows1252(name));
  applyAccessibleName(*entry);
}

}  // namespace orbalta::platform
