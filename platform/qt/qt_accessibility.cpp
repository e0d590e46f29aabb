// What assistive technologies learn of a window: a control's caption as it is spoken or the
// name the program gave it, its description and label, the group boxes as the parents of
// their controls, the modal state of a window that blocks its owner.

#include <QAccessible>
#include <QAccessibleWidget>

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

// A radio group's own box: it draws nothing and takes no input.
class RadioBox : public QWidget {
 public:
  explicit RadioBox(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }
};

class GroupAccessible : public QAccessibleWidget {
 public:
  explicit GroupAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Grouping) {}
};

class WindowAccessible : public QAccessibleWidget {
 public:
  explicit WindowAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Dialog) {}
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    if (widget()->isModal()) state.modal = true;
    return state;
  }
};

QAccessibleInterface* shapeFactory(const QString& /*className*/, QObject* object) {
  if (!object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (dynamic_cast<GroupFrame*>(widget) != nullptr || dynamic_cast<RadioBox*>(widget) != nullptr) {
    return new GroupAccessible(widget);
  }
  if (dynamic_cast<DialogWindow*>(widget) != nullptr) return new WindowAccessible(widget);
  return nullptr;
}

// Moves `widget` under `parent` without moving it on screen.
void reparent(QWidget* widget, QWidget* parent) {
  const QWidget* window = widget->window();
  const QPoint topLeft =
      parent->mapFrom(window, widget->parentWidget()->mapTo(window, widget->pos()));
  const bool hidden = widget->testAttribute(Qt::WA_WState_ExplicitShowHide) && widget->isHidden();
  const QSize size = widget->size();
  widget->setParent(parent);
  widget->setGeometry(QRect(topLeft, size));
  if (hidden) widget->hide();
}

long long surface(const QRect& r) {
  return static_cast<long long>(r.width()) * r.height();
}

bool takesInput(ControlKind kind) {
  switch (kind) {
    case ControlKind::Static:
    case ControlKind::StaticNoWrap:
    case ControlKind::IconPicture:
    case ControlKind::BitmapPicture:
    case ControlKind::GroupBox:
      return false;
    default:
      return true;
  }
}

}  // namespace

void qt::installAccessibleShapes() {
  QAccessible::installFactory(shapeFactory);
}

void qt::removeAccessibleShapes() {
  QAccessible::removeFactory(shapeFactory);
}

void qt::groupForAccessibility(WindowRecord& rec) {
  // The smallest group box that holds a control wholly is its parent.
  for (ControlEntry& entry : rec.controls) {
    if (!entry.widget) continue;
    const ControlEntry* holder = nullptr;
    for (const ControlEntry& frame : rec.controls) {
      if (frame.kind != ControlKind::GroupBox || &frame == &entry || !frame.widget) continue;
      if (!frame.area.contains(entry.area)) continue;
      if (holder == nullptr || surface(frame.area) < surface(holder->area)) holder = &frame;
    }
    if (holder != nullptr) reparent(entry.widget, holder->widget);
  }
  for (ControlEntry& first : rec.controls) {
    if (first.kind != ControlKind::RadioButton || !first.widget || first.group == nullptr) continue;
    QWidget* parent = first.widget->parentWidget();
    if (dynamic_cast<RadioBox*>(parent) != nullptr) continue;
    std::vector<QWidget*> radios;
    bool shared = false;
    for (const ControlEntry& other : rec.controls) {
      if (!other.widget || other.widget->parentWidget() != parent) continue;
      if (other.group == first.group) {
        radios.push_back(other.widget);
      } else if (takesInput(other.kind)) {
        shared = true;
      }
    }
    if (!shared) continue;
    QRect bounds;
    for (const QWidget* radio : radios) bounds |= radio->geometry();
    auto* box = new RadioBox(parent);
    box->setGeometry(bounds);
    box->stackUnder(radios.front());
    for (QWidget* radio : radios) reparent(radio, box);
  }
}

void qt::applyAccessibleDescription(const ControlEntry& entry) {
  if (!entry.widget) return;
  const QString& description = entry.description.isEmpty() ? entry.tip : entry.description;
  if (entry.widget->accessibleDescription() != description) {
    entry.widget->setAccessibleDescription(description);
  }
}

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

void QtPlatform::setAccessibleDescription(WindowHandle window, int id, std::string_view text) {
  ControlEntry* entry = impl_->entry(window, id);
  if (entry == nullptr) return;
  entry->description = QString::fromStdU16String(fromWindows1252(text));
  applyAccessibleDescription(*entry);
}

// The label is the static's buddy: the accessibility layer reports the pair both ways.
void QtPlatform::setAccessibleLabel(WindowHandle window, int id, int labelId,
                                    std::string_view labelCaption) {
  ControlEntry* entry = impl_->entry(window, id);
  WindowRecord* rec = impl_->record(window);
  if (entry == nullptr || rec == nullptr) return;
  for (ControlEntry& label : rec->controls) {
    const bool isStatic =
        label.kind == ControlKind::Static || label.kind == ControlKind::StaticNoWrap;
    if (!isStatic || !label.widget) continue;
    const bool chosen =
        labelId != -1 ? label.id == labelId : label.id == -1 && label.text == labelCaption;
    if (!chosen) continue;
    static_cast<QLabel*>(label.widget.data())->setBuddy(entry->widget);
    return;
  }
}

}  // namespace orbalta::platform
