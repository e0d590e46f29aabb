// Building a window from its template: one maker per kind of control, then the window
// around them.

#include "platform/qt/focus_cue.h"
#include "platform/qt/qt_platform_impl.h"

namespace orbalta::platform {

namespace {

QPixmap bitmapPixmap(int resourceId) {
  return QPixmap::fromImage(qt::decodeBitmap(resources::bitmap(resourceId)));
}

// The dialog manager reaches a radio group by Tab at its checked button; the arrows move on
// from there. A radio marked as a tab stop in its template stays one.
void tabToCheckedRadio(const WindowRecord& rec, const QButtonGroup* group) {
  for (const ControlEntry& entry : rec.controls) {
    if (entry.group != group || entry.widget == nullptr) continue;
    const bool checked = static_cast<QAbstractButton*>(entry.widget.data())->isChecked();
    const bool tabStop = (entry.styles & kTabStop) != 0 || checked;
    entry.widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

}  // namespace

namespace {

// The focus a control takes from the keyboard: a tab stop is reached by Tab, any other only
// by a click.
Qt::FocusPolicy inputFocus(const ControlTemplate& c) {
  return (c.styles & kTabStop) != 0 ? Qt::StrongFocus : Qt::ClickFocus;
}

}  // namespace

void QtPlatform::Impl::clickable(QAbstractButton* button, WindowHandle handle,
                                 const ControlTemplate& c) {
  button->setFocusPolicy(inputFocus(c));
  connect(button, &QAbstractButton::clicked, this,
          [this, handle, id = c.id] { notify(handle, id, Notification::Clicked); });
}

QWidget* QtPlatform::Impl::makeButton(WindowHandle handle, QWidget* dialog,
                                      const ControlTemplate& c) {
  auto* button = new qt::FocusButton(dialog);
  button->setAutoDefault(false);
  button->setDefault(c.kind == ControlKind::DefPushButton);
  clickable(button, handle, c);
  return button;
}

QWidget* QtPlatform::Impl::makeCheckBox(WindowHandle handle, QWidget* dialog,
                                        const ControlTemplate& c) {
  auto* box = new QCheckBox(dialog);
  clickable(box, handle, c);
  return box;
}

QWidget* QtPlatform::Impl::makeRadio(WindowHandle handle, QWidget* dialog, const ControlTemplate& c,
                                     QButtonGroup*& group) {
  auto* radio = new QRadioButton(dialog);
  // The group keeps one checked; auto-exclusive also makes the button report itself as a
  // radio button rather than a check box.
  radio->setAutoExclusive(true);
  clickable(radio, handle, c);
  if (group == nullptr) {
    group = new QButtonGroup(dialog);
    group->setExclusive(true);
  }
  group->addButton(radio);
  return radio;
}

QWidget* QtPlatform::Impl::makeEdit(WindowHandle handle, QWidget* dialog,
                                    const ControlTemplate& c) {
  auto* edit = new QLineEdit(dialog);
  edit->setFrame((c.styles & kBorder) != 0);
  if ((c.styles & kReadOnly) != 0) {
    // A read-only edit shows the window colour behind its text, as on the desktop.
    edit->setReadOnly(true);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    edit->setPalette(palette);
  }
  edit->setProperty(kDigitsOnlyProperty, (c.styles & kDigitsOnly) != 0);
  edit->setFocusPolicy(inputFocus(c));
  // Every change the program does not make is the user's, one per keystroke, paste or cut,
  // and one per text written by an assistive tool.
  connect(edit, &QLineEdit::textChanged, this, [this, handle, id = c.id] {
    notify(handle, id, Notification::Updated);
    notify(handle, id, Notification::Changed);
  });
  return edit;
}

QWidget* QtPlatform::Impl::makeList(WindowHandle handle, QWidget* dialog,
                                    const ControlTemplate& c) {
  auto* list = new qt::FocusList(dialog);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setFrameShape((c.styles & kBorder) != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
  list->setVerticalScrollBarPolicy((c.styles & kVScroll) != 0 ? Qt::ScrollBarAsNeeded
                                                              : Qt::ScrollBarAlwaysOff);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setUniformItemSizes(true);
  list->setFocusPolicy(inputFocus(c));
  if ((c.styles & kNotify) == 0) return list;
  const int id = c.id;
  // Every click on an item reports a selection change, also on the selected item.
  connect(list, &QListWidget::itemSelectionChanged, this, [this, handle, id, list] {
    if (programWrites.inProgress()) return;
    list->setProperty(kListNotifiedProperty, true);
    notify(handle, id, Notification::SelectionChanged);
  });
  connect(list, &QListWidget::itemClicked, this, [this, handle, id, list] {
    if (list->property(kListNotifiedProperty).toBool()) return;
    list->setProperty(kListNotifiedProperty, true);
    notify(handle, id, Notification::SelectionChanged);
  });
  connect(list, &QListWidget::itemDoubleClicked, this,
          [this, handle, id] { notify(handle, id, Notification::DoubleClick); });
  return list;
}

namespace {

// Statics and pictures.
QWidget* makeLabel(QWidget* dialog, const ControlTemplate& c) {
  auto* label = new QLabel(dialog);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(c.kind == ControlKind::Static);
  label->setMargin(0);
  label->setIndent(0);
  label->setFocusPolicy(Qt::NoFocus);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  if ((c.styles & kStaticEdge) != 0) label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  const bool centred = (c.styles & kCenterImage) != 0;
  label->setAlignment(centred && c.kind != ControlKind::Static &&
                              c.kind != ControlKind::StaticNoWrap
                          ? Qt::AlignCenter
                          : Qt::AlignLeft | Qt::AlignTop);
  if (c.kind == ControlKind::IconPicture) {
    label->setPixmap(iconPixmap(c.imageId, kStandardIconSize));
  } else if (c.kind == ControlKind::BitmapPicture) {
    label->setPixmap(bitmapPixmap(c.imageId));
  }
  return label;
}

}  // namespace

QWidget* QtPlatform::Impl::build(WindowRecord& rec, DialogWindow* dialog, const ControlTemplate& c,
                                 QButtonGroup*& group) {
  switch (c.kind) {
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
      return makeButton(rec.handle, dialog, c);
    case ControlKind::CheckBox:
      return makeCheckBox(rec.handle, dialog, c);
    case ControlKind::RadioButton:
      return makeRadio(rec.handle, dialog, c, group);
    case ControlKind::GroupBox:
      return new GroupFrame(dialog);
    case ControlKind::Edit:
      return makeEdit(rec.handle, dialog, c);
    case ControlKind::ListBox:
      return makeList(rec.handle, dialog, c);
    case ControlKind::Static:
    case ControlKind::StaticNoWrap:
    case ControlKind::IconPicture:
    case ControlKind::BitmapPicture:
      return makeLabel(dialog, c);
    case ControlKind::Unsupported:
      break;
  }
  return nullptr;
}

namespace {

// Centred on the screen, or at the template's place relative to the owner or the screen.
void placeWindow(QWidget& dialog, const DialogTemplate& tmpl, const DialogUnits& units,
                 QWidget* ownerWidget) {
  const QSize size = dialog.size();
  QScreen* screen =
      ownerWidget != nullptr ? ownerWidget->screen() : QGuiApplication::primaryScreen();
  if (tmpl.centered && screen != nullptr) {
    const QRect area = screen->availableGeometry();
    dialog.move(area.center() - QPoint(size.width() / 2, size.height() / 2));
  } else if (ownerWidget != nullptr) {
    dialog.move(ownerWidget->mapToGlobal(QPoint(units.x(tmpl.x), units.y(tmpl.y))));
  } else if (screen != nullptr) {
    dialog.move(screen->geometry().topLeft() + QPoint(units.x(tmpl.x), units.y(tmpl.y)));
  }
}

// The window's radio groups, each once, in template order.
std::vector<QButtonGroup*> radioGroupsOf(const WindowRecord& rec) {
  std::vector<QButtonGroup*> groups;
  for (const ControlEntry& entry : rec.controls) {
    if (entry.kind == ControlKind::RadioButton && entry.group != nullptr &&
        std::find(groups.begin(), groups.end(), entry.group) == groups.end()) {
      groups.push_back(entry.group);
    }
  }
  return groups;
}

}  // namespace

WindowHandle QtPlatform::createDialog(const DialogTemplate& tmpl, WindowHandle owner,
                                      WindowEvents& events) {
  Impl& d = *impl_;
  WindowRecord* ownerRecord = d.live(owner);
  DialogWindow* ownerWidget = ownerRecord != nullptr ? ownerRecord->widget.data() : nullptr;

  WindowRecord* rec = &d.windows.add(std::make_unique<WindowRecord>());
  rec->templateId = tmpl.id;
  rec->owner = ownerRecord != nullptr ? owner : 0;
  rec->events = &events;

  auto* dialog = new DialogWindow(ownerWidget);
  rec->widget = dialog;
  dialog->setObjectName(QStringLiteral("dlg%1").arg(tmpl.id));
  dialog->setProperty(kHandleProperty, QVariant::fromValue(rec->handle));
  Qt::WindowFlags flags = (tmpl.appWindow ? Qt::Window : Qt::Dialog) | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint;
  if (tmpl.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  dialog->setWindowFlags(flags);
  dialog->setWindowTitle(displayText(tmpl.title));
  const QFont font = qt::templateFont(tmpl.font);
  const DialogUnits units(font);
  dialog->setFont(qt::fittedFont(font, units.baseWidth()));
  const QSize size(units.x(tmpl.width), units.y(tmpl.height));
  dialog->setFixedSize(size);

  placeWindow(*dialog, tmpl, units, ownerWidget);

  // Template order is creation order, so Qt's focus chain is the tab order.
  QButtonGroup* group = nullptr;
  std::vector<QWidget*> frames;
  for (const ControlTemplate& c : tmpl.controls) {
    if ((c.styles & kGroup) != 0) group = nullptr;
    QWidget* widget = d.build(*rec, dialog, c, group);
    if (widget == nullptr) continue;
    widget->setGeometry(units.rect(c.x, c.y, c.width, c.height));
    if (c.id != -1) widget->setObjectName(QStringLiteral("ctl%1").arg(c.id));
    widget->setProperty(kIdProperty, c.id);
    widget->setEnabled((c.styles & kDisabled) == 0);
    if ((c.styles & kHidden) != 0) widget->setHidden(true);
    if (c.kind == ControlKind::GroupBox) frames.push_back(widget);
    ControlEntry entry;
    entry.id = c.id;
    entry.kind = c.kind;
    entry.styles = c.styles;
    entry.widget = widget;
    entry.imageId = c.imageId;
    entry.area = QRect(c.x, c.y, c.width, c.height);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) entry.group = button->group();
    rec->controls.push_back(entry);
    d.setTextOf(rec->controls.back(), c.caption);
  }
  for (QWidget* frame : frames) frame->lower();
  groupForAccessibility(*rec);
  for (QButtonGroup* radios : radioGroupsOf(*rec)) {
    tabToCheckedRadio(*rec, radios);
    QObject::connect(radios, &QButtonGroup::buttonToggled, &d, [&d, handle = rec->handle, radios] {
      if (WindowRecord* r = d.live(handle)) tabToCheckedRadio(*r, radios);
    });
  }

  const WindowHandle handle = rec->handle;
  dialog->onCancel = [&d, handle] {
    if (WindowRecord* r = d.live(handle)) r->events->cancel(handle);
  };
  dialog->onActivated = [&d, handle](bool active) {
    if (WindowRecord* r = d.live(handle)) r->events->activated(handle, active);
  };
  dialog->onResized = [&d, handle] {
    if (WindowRecord* r = d.live(handle)) r->events->resized(handle);
  };
  events.created(handle);
  return handle;
}

}  // namespace orbalta::platform
