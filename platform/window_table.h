#pragma once
// The windows a platform has made, by handle, and the one rule for a template's window: the
// newest open one. Handles are given in creation order and never reused. Each platform keeps
// its own record type, derived from WindowEntry, with a `hasNativeWindow()` that says whether
// the system's window behind the record still stands.

#include <map>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/handles.h"

namespace orbalta::platform {

class WindowEvents;

struct WindowEntry {
  WindowHandle handle = 0;
  int templateId = 0;
  WindowHandle owner = 0;  // 0: none
  WindowEvents* events = nullptr;
  // Set as the window starts to go (before its destroyed() is raised): it counts as closed.
  bool closing = false;
};

template <class Record>
class WindowTable {
 public:
  // Keeps `record` under the next handle.
  Record& add(std::unique_ptr<Record> record) {
    static_assert(std::is_base_of_v<WindowEntry, Record>);
    record->handle = next_++;
    Record& kept = *record;
    records_.emplace(kept.handle, std::move(record));
    return kept;
  }

  // Forgets the window; the record is handed back so that it can outlive its entry.
  std::unique_ptr<Record> take(WindowHandle handle) {
    auto node = records_.extract(handle);
    return node ? std::move(node.mapped()) : nullptr;
  }

  Record* find(WindowHandle handle) const {
    const auto it = records_.find(handle);
    return it == records_.end() ? nullptr : it->second.get();
  }

  static bool isOpen(const Record& record) { return !record.closing && record.hasNativeWindow(); }

  // The window, while it is open; nullptr otherwise.
  Record* open(WindowHandle handle) const {
    Record* record = find(handle);
    return record != nullptr && isOpen(*record) ? record : nullptr;
  }

  // The newest open window made from template `templateId`; 0 when none is open.
  WindowHandle newestOfTemplate(int templateId) const {
    for (auto it = records_.rbegin(); it != records_.rend(); ++it) {
      if (it->second->templateId == templateId && isOpen(*it->second)) return it->first;
    }
    return 0;
  }

  // The windows `owner` owns, oldest first.
  std::vector<WindowHandle> ownedBy(WindowHandle owner) const {
    std::vector<WindowHandle> owned;
    for (const auto& [handle, record] : records_) {
      if (record->owner == owner) owned.push_back(handle);
    }
    return owned;
  }

  // The first record `match` accepts, oldest first; nullptr when none.
  template <class Match>
  Record* findIf(Match match) const {
    for (const auto& [handle, record] : records_) {
      if (match(*record)) return record.get();
    }
    return nullptr;
  }

  auto begin() const { return records_.begin(); }
  auto end() const { return records_.end(); }
  void clear() { records_.clear(); }

 private:
  std::map<WindowHandle, std::unique_ptr<Record>> records_;
  WindowHandle next_ = 1;
};

}  // namespace orbalta::platform
