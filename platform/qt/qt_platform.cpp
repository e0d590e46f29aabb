// The platform on Qt 6 Widgets. Sections: the event filter (dialog keys, digits-only edits,
// focus); the Platform operations; icons; the message loop. Windows are built in
// qt_window_build.cpp, named for assistive technologies in qt_accessibility.cpp.

#include "platform/qt/qt_platform.h"

#include "platform/qt/qt_platform_impl.h"

namespace orbalta::platform {

namespace {

// Brings a window up; the offscreen platform of the tests has no stacking to change.
void raiseAndActivate(QWidget* window) {
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) window->raise();
  window->activateWindow();
}

// A typed character that a digits-only edit refuses; editing keys and shortcuts pass.
bool refusedByDigitsOnly(const QKeyEvent* event) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    return false;
  }
  const QString text = event->text();
  if (text.isEmpty()) return false;
  for (const QChar c : text) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
  }
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return true;
  }
  return false;
}

// A text the program writes at run time may be longer than its template's caption (the
// parameter captions are): rather than cut it, draw it a little smaller until it fits.
void fitLabelText(QLabel* label, bool wordWrap) {
  const QFont base = label->parentWidget()->font();
  const QRect room = label->contentsRect();
  const int flags = Qt::AlignLeft | Qt::AlignTop | (wordWrap ? Qt::TextWordWrap : 0);
  QFont font = base;
  const int full = base.pixelSize() > 0 ? base.pixelSize() : QFontInfo(base).pixelSize();
  for (int size = full; size >= full * 3 / 4; --size) {
    font.setPixelSize(size);
    const QRect needed = QFontMetrics(font).boundingRect(room, flags, label->text());
    if (needed.width() <= room.width() && needed.height() <= room.height()) break;
  }
  if (label->font() != font) label->setFont(font);
}

std::optional<DialogKey> dialogKeyOf(const QKeyEvent* event, const QWidget* target) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
    return std::nullopt;
  }
  switch (event->key()) {
    case Qt::Key_Tab:
      return (event->modifiers() & Qt::ShiftModifier) ? DialogKey::BackTab : DialogKey::Tab;
    case Qt::Key_Backtab:
      return DialogKey::BackTab;
    case Qt::Key_Enter:
    case Qt::Key_Return:
      return DialogKey::Enter;
    case Qt::Key_Escape:
      return DialogKey::Escape;
    default:
      break;
  }
  // Arrows belong to edits and lists; the dialog takes them only within a radio group.
  if (qobject_cast<const QRadioButton*>(target) == nullptr) return std::nullopt;
  switch (event->key()) {
    case Qt::Key_Left:
      return DialogKey::Left;
    case Qt::Key_Right:
      return DialogKey::Right;
    case Qt::Key_Up:
      return DialogKey::Up;
    case Qt::Key_Down:
      return DialogKey::Down;
    default:
      return std::nullopt;
  }
}

}  // namespace

QPixmap qt::iconPixmap(int resourceId, int size) {
  QImage image = qt::decodeIcon(resources::icon(resourceId), size);
  if (image.isNull()) return {};
  if (image.width() != size || image.height() != size) {
    image = image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  return QPixmap::fromImage(std::move(image));
}

// --- The event filter ---

void QtPlatform::Impl::moveInRadioGroup(WindowRecord& rec, QWidget* from, bool forward) {
  ControlEntry* current = nullptr;
  for (auto& entry : rec.controls) {
    if (entry.widget == from) current = &entry;
  }
  if (current == nullptr || current->group == nullptr) return;
  const QList<QAbstractButton*> buttons = current->group->buttons();
  const auto self = buttons.indexOf(static_cast<QAbstractButton*>(from));
  if (self < 0) return;
  const auto count = buttons.size();
  for (qsizetype step = 1; step < count; ++step) {
    QAbstractButton* candidate = buttons.at((self + (forward ? step : count - step)) % count);
    if (!candidate->isEnabled() || !candidate->isVisibleTo(rec.widget)) continue;
    candidate->setFocus(Qt::OtherFocusReason);
    candidate->click();  // an auto radio button is checked as the focus arrives
    return;
  }
}

bool QtPlatform::Impl::keyPress(QWidget* target, QKeyEvent* event) {
  WindowRecord* rec = recordOfWidget(target);
  if (rec == nullptr) return false;
  auto* edit = qobject_cast<QLineEdit*>(target);
  if (edit != nullptr && edit->property(kDigitsOnlyProperty).toBool() &&
      refusedByDigitsOnly(event)) {
    QApplication::beep();
    return true;
  }
  const std::optional<DialogKey> key = dialogKeyOf(event, target);
  if (!key) return false;
  const WindowHandle handle = rec->handle;
  const bool navigate = rec->modal || router == nullptr || router->route({handle, *key});
  if (!navigate) return false;
  switch (*key) {
    case DialogKey::Tab:
    case DialogKey::BackTab:
      rec->widget->moveFocus(*key == DialogKey::Tab);
      break;
    case DialogKey::Enter:
      rec->events->defaultCommand(handle);
      break;
    case DialogKey::Escape:
      rec->events->cancel(handle);
      break;
    case DialogKey::Left:
    case DialogKey::Up:
      moveInRadioGroup(*rec, target, false);
      break;
    case DialogKey::Right:
    case DialogKey::Down:
      moveInRadioGroup(*rec, target, true);
      break;
  }
  return true;
}

void QtPlatform::Impl::focusChange(QWidget* target, QFocusEvent* event) {
  // A closing context menu hands the focus back; that is no focus change for the edit.
  if (event->reason() == Qt::PopupFocusReason) return;
  if (qobject_cast<QLineEdit*>(target) == nullptr) return;
  WindowRecord* rec = recordOfWidget(target);
  if (rec == nullptr) return;
  const int id = target->property(kIdProperty).toInt();
  notify(rec->handle, id,
         event->type() == QEvent::FocusIn ? Notification::FocusGained : Notification::FocusLost);
}

bool QtPlatform::Impl::eventFilter(QObject* watched, QEvent* event) {
  if (!watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  switch (event->type()) {
    case QEvent::KeyPress:
      return keyPress(widget, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      if (widget->property(kIdProperty).isValid()) {
        focusChange(widget, static_cast<QFocusEvent*>(event));
      }
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      // A new click on a list: the next selection report is still to come.
      if (auto* list = qobject_cast<QListWidget*>(widget->parentWidget())) {
        if (list->viewport() == widget) list->setProperty(kListNotifiedProperty, false);
      }
      return false;
    default:
      return false;
  }
}

// --- Platform: windows ---

QtPlatform::QtPlatform() : impl_(std::make_unique<Impl>()) {
  QApplication::setQuitOnLastWindowClosed(false);
  qApp->installEventFilter(impl_.get());
  installAccessibleShapes();
}

QtPlatform::~QtPlatform() {
  qApp->removeEventFilter(impl_.get());
  removeAccessibleShapes();
  for (auto& [handle, rec] : impl_->windows) {
    rec->closing = true;
    if (rec->run != nullptr) rec->run->loop.exit();
  }
  for (auto& [handle, rec] : impl_->windows) delete rec->widget.data();
  impl_->windows.clear();
}

void QtPlatform::showWindow(WindowHandle window, int showMode) {
  WindowRecord* rec = impl_->live(window);
  if (rec == nullptr) return;
  DialogWindow* dialog = rec->widget;
  switch (showMode) {
    case 0:
      dialog->hide();
      break;
    case 2:
    case 6:
    case 7:
      dialog->showMinimized();
      break;
    case 4:
    case 8:
      dialog->setAttribute(Qt::WA_ShowWithoutActivating);
      dialog->show();
      break;
    default:
      dialog->show();
      raiseAndActivate(dialog);
      break;
  }
}

void QtPlatform::bringToFront(WindowHandle window) {
  WindowRecord* rec = impl_->live(window);
  if (rec == nullptr) return;
  if (rec->widget->isMinimized()) rec->widget->showNormal();
  rec->widget->show();
  raiseAndActivate(rec->widget);
}

void QtPlatform::setWindowTitle(WindowHandle window, std::string_view title) {
  WindowRecord* rec = impl_->live(window);
  if (rec == nullptr) return;
  rec->widget->setWindowTitle(displayText(title));
  for (const ControlEntry& entry : rec->controls) {
    if (entry.kind == ControlKind::GroupBox) applyAccessibleName(entry);
  }
}

int QtPlatform::runModal(WindowHandle window) {
  WindowRecord* rec = impl_->live(window);
  if (rec == nullptr) return -1;
  rec->modal = true;
  if (rec->ended) return rec->result;
  DialogWindow* dialog = rec->widget;
  dialog->setWindowModality(rec->owner != 0 ? Qt::WindowModal : Qt::ApplicationModal);
  ModalRun run;
  rec->run = &run;
  dialog->show();
  raiseAndActivate(dialog);
  run.loop.exec(QEventLoop::DialogExec);
  if (WindowRecord* after = impl_->record(window)) {
    after->run = nullptr;
    return after->ended ? after->result : -1;
  }
  return run.result;
}

void QtPlatform::endModal(WindowHandle window, int result) {
  WindowRecord* rec = impl_->record(window);
  if (rec == nullptr) return;
  rec->ended = true;
  rec->result = result;
  if (rec->run != nullptr) {
    rec->run->result = result;
    rec->run->loop.exit(result);
  }
}

void QtPlatform::destroyWindow(WindowHandle window) {
  Impl& d = *impl_;
  WindowRecord* rec = d.record(window);
  if (rec == nullptr || rec->closing) return;
  // Owned windows go first, as on the desktop.
  for (WindowHandle handle : d.windows.ownedBy(window)) destroyWindow(handle);

  rec = d.record(window);
  if (rec == nullptr) return;
  rec->closing = true;
  if (rec->run != nullptr) rec->run->loop.exit(rec->result);
  rec->events->destroyed(window);

  rec = d.record(window);
  if (rec == nullptr) return;
  QPointer<DialogWindow> dialog = rec->widget;
  const auto gone = d.windows.take(window);
  if (dialog) {
    dialog->onCancel = nullptr;
    dialog->onActivated = nullptr;
    dialog->hide();
    dialog->deleteLater();
  }
}

bool QtPlatform::isVisible(WindowHandle window) {
  WindowRecord* rec = impl_->live(window);
  return rec != nullptr && rec->widget->isVisible();
}

// --- Platform: controls ---

void QtPlatform::Impl::setTextOf(ControlEntry& entry, std::string_view text) {
  ProgramWrites::Scope writing(programWrites);
  entry.text = text;
  QWidget* widget = entry.widget;
  const QString shown = displayText(text);
  switch (entry.kind) {
    case ControlKind::Edit:
      static_cast<QLineEdit*>(widget)->setText(QString::fromStdU16String(fromWindows1252(text)));
      break;
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
      // An image button shows its image instead of the caption.
      if ((entry.styles & kIconImage) == 0) static_cast<QPushButton*>(widget)->setText(shown);
      break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      static_cast<QAbstractButton*>(widget)->setText(shown);
      break;
    case ControlKind::GroupBox:
      static_cast<GroupFrame*>(widget)->setCaption(shown);
      break;
    case ControlKind::Static:
    case ControlKind::StaticNoWrap:
      static_cast<QLabel*>(widget)->setText(shown);
      fitLabelText(static_cast<QLabel*>(widget), entry.kind == ControlKind::Static);
      break;
    default:
      break;
  }
  applyAccessibleName(entry);
}

void QtPlatform::setText(WindowHandle window, int id, std::string_view text) {
  if (ControlEntry* entry = impl_->entry(window, id)) impl_->setTextOf(*entry, text);
}

std::string QtPlatform::text(WindowHandle window, int id) {
  ControlEntry* entry = impl_->entry(window, id);
  if (entry == nullptr) return {};
  if (entry->kind == ControlKind::Edit) {
    return toWindows1252(static_cast<QLineEdit*>(entry->widget.data())->text().toStdU16String());
  }
  return entry->text;
}

void QtPlatform::setEnabled(WindowHandle window, int id, bool enabled) {
  ControlEntry* entry = impl_->entry(window, id);
  if (entry == nullptr) return;
  ProgramWrites::Scope writing(impl_->programWrites);
  entry->widget->setEnabled(enabled);
}

bool QtPlatform::isEnabled(WindowHandle window, int id) {
  ControlEntry* entry = impl_->entry(window, id);
  return entry != nullptr && entry->widget->isEnabledTo(entry->widget->window());
}

void QtPlatform::setChecked(WindowHandle window, int id, bool checked) {
  ControlEntry* entry = impl_->entry(window, id);
  if (entry == nullptr) return;
  auto* button = qobject_cast<QAbstractButton*>(entry->widget.data());
  if (button == nullptr) return;
  ProgramWrites::Scope writing(impl_->programWrites);
  QButtonGroup* group = button->group();
  // An exclusive group refuses to clear its checked button.
  const bool exclusive = group != nullptr && group->exclusive();
  if (exclusive && !checked) group->setExclusive(false);
  button->setChecked(checked);
  if (exclusive && !checked) group->setExclusive(true);
}

bool QtPlatform::isChecked(WindowHandle window, int id) {
  ControlEntry* entry = impl_->entry(window, id);
  if (entry == nullptr) return false;
  auto* button = qobject_cast<QAbstractButton*>(entry->widget.data());
  return button != nullptr && button->isChecked();
}

void QtPlatform::setCaret(WindowHandle window, int id, int position) {
  ControlEntry* entry = impl_->entry(window, id);
  auto* edit = entry != nullptr ? qobject_cast<QLineEdit*>(entry->widget.data()) : nullptr;
  if (edit == nullptr) return;
  ProgramWrites::Scope writing(impl_->programWrites);
  edit->deselect();
  edit->setCursorPosition(position);
}

int QtPlatform::caret(WindowHandle window, int id) {
  ControlEntry* entry = impl_->entry(window, id);
  auto* edit = entry != nullptr ? qobject_cast<QLineEdit*>(entry->widget.data()) : nullptr;
  if (edit == nullptr) return 0;
  return edit->hasSelectedText() ? edit->selectionEnd() : edit->cursorPosition();
}

void QtPlatform::setListItems(WindowHandle window, int id, const std::vector<std::string>& items) {
  ControlEntry* entry = impl_->entry(window, id);
  auto* list = entry != nullptr ? qobject_cast<QListWidget*>(entry->widget.data()) : nullptr;
  if (list == nullptr) return;
  ProgramWrites::Scope writing(impl_->programWrites);
  list->clear();
  for (const auto& item : items) list->addItem(QString::fromStdU16String(fromWindows1252(item)));
}

void QtPlatform::setListSelection(WindowHandle window, int id, int index) {
  ControlEntry* entry = impl_->entry(window, id);
  auto* list = entry != nullptr ? qobject_cast<QListWidget*>(entry->widget.data()) : nullptr;
  if (list == nullptr) return;
  ProgramWrites::Scope writing(impl_->programWrites);
  if (index < 0 || index >= list->count()) {
    list->clearSelection();
    list->setCurrentItem(nullptr);
  } else {
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
  }
}

int QtPlatform::listSelection(WindowHandle window, int id) {
  ControlEntry* entry = impl_->entry(window, id);
  auto* list = entry != nullptr ? qobject_cast<QListWidget*>(entry->widget.data()) : nullptr;
  if (list == nullptr) return -1;
  const QModelIndexList selected = list->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.first().row();
}

// --- Platform: icons ---

int QtPlatform::smallIconSize() {
  return QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
}

IconHandle QtPlatform::loadIcon(int resourceId, int size) {
  const QPixmap pixmap = iconPixmap(resourceId, size);
  if (pixmap.isNull()) return 0;
  impl_->icons.push_back(pixmap);
  return static_cast<IconHandle>(impl_->icons.size());
}

void QtPlatform::setWindowIcon(WindowHandle window, IconHandle icon) {
  WindowRecord* rec = impl_->live(window);
  if (rec == nullptr || icon == 0 || icon > impl_->icons.size()) return;
  rec->widget->setWindowIcon(QIcon(impl_->icons[icon - 1]));
}

void QtPlatform::setButtonImage(WindowHandle window, int id, IconHandle icon) {
  ControlEntry* entry = impl_->entry(window, id);
  auto* button = entry != nullptr ? qobject_cast<QPushButton*>(entry->widget.data()) : nullptr;
  if (button == nullptr || icon == 0 || icon > impl_->icons.size()) return;
  const QPixmap& pixmap = impl_->icons[icon - 1];
  button->setText(QString());
  button->setIcon(QIcon(pixmap));
  button->setIconSize(pixmap.size());
}

void QtPlatform::setToolTip(WindowHandle window, int id, std::string_view text) {
  ControlEntry* entry = impl_->entry(window, id);
  if (entry == nullptr || !entry->widget) return;
  // Plain text always: an expansion never reads as markup. Assistive technologies get the
  // text itself.
  entry->tip = QString::fromStdU16String(fromWindows1252(text));
  const QString tip = entry->tip.toHtmlEscaped();
  entry->widget->setToolTip(tip.isEmpty() ? QString() : "<pre>" + tip + "</pre>");
  applyAccessibleDescription(*entry);
}

std::string QtPlatform::toolTip(WindowHandle window, int id) {
  ControlEntry* entry = impl_->entry(window, id);
  if (entry == nullptr || !entry->widget) return {};
  QString tip = entry->widget->toolTip();
  if (tip.startsWith("<pre>") && tip.endsWith("</pre>")) tip = tip.mid(5, tip.size() - 11);
  tip.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
  return toWindows1252(tip.toStdU16String());
}

// --- Platform: system dialogs and services ---

void QtPlatform::messageBox(std::string_view text, std::string_view title, MessageIcon icon) {
  qt::showMessageBox(displayText(text), title, icon);
}

void QtPlatform::fileMessageBox(const FileMessage& message, std::string_view title,
                                MessageIcon icon) {
  qt::showMessageBox(
      displayText(message.before) + qt::displayPath(message.path) + displayText(message.after),
      title, icon);
}

std::optional<std::string> QtPlatform::openFile(const OpenFileRequest& request) {
  return qt::runOpenFileDialog(request);
}

std::optional<std::string> QtPlatform::currentDirectory() {
  const QString path = QDir::currentPath();
  if (path.isEmpty()) return std::nullopt;
  return QDir::toNativeSeparators(path).toLocal8Bit().toStdString();
}

// --- The message loop ---

// The loop is a plain event loop, not the application's: quitting it leaves later event loops
// (message boxes of a program that goes on, the next test) able to run.
int QtPlatform::runMessageLoop(MessageRouter& router) {
  Impl& d = *impl_;
  if (d.quitPending) {
    d.quitPending = false;
    return d.quitCode;
  }
  QEventLoop loop;
  QEventLoop* outerLoop = std::exchange(d.messageLoop, &loop);
  MessageRouter* outerRouter = std::exchange(d.router, &router);
  const int code = loop.exec();
  d.router = outerRouter;
  d.messageLoop = outerLoop;
  d.quitPending = false;
  return code;
}

void QtPlatform::postQuit(int code) {
  Impl& d = *impl_;
  d.quitPending = true;
  d.quitCode = code;
  if (d.messageLoop != nullptr) d.messageLoop->exit(code);
}

// --- For the harness and window tests ---

WindowHandle QtPlatform::windowOfTemplate(int templateId) const {
  return impl_->windows.newestOfTemplate(templateId);
}

QWidget* QtPlatform::windowWidget(WindowHandle window) const {
  WindowRecord* rec = impl_->live(window);
  return rec != nullptr ? rec->widget.data() : nullptr;
}

QWidget* QtPlatform::controlWidget(WindowHandle window, int id) const {
  ControlEntry* entry = impl_->entry(window, id);
  return entry != nullptr ? entry->widget.data() : nullptr;
}

int runOnQt(int& argc, char** argv, const std::function<int(Platform&)>& program) {
  std::unique_ptr<QApplication> app;
  if (QApplication::instance() == nullptr) app = std::make_unique<QApplication>(argc, argv);
  QtPlatform platform;
  return program(platform);
}

}  // namespace orbalta::platform
