// The yardstick for the web edition's start-up: the least a page built as the program is does.
// One window with an edit and a button in the DOM, shown, then the same kind of loop as the
// program's: it waits for the page's events (ASYNCIFY), and a press on the button ends it.

#include <string>

extern "C" {
void orbbare_build(const char16_t* title, int titleLength, const char16_t* caption,
                   int captionLength);
void orbbare_wait(int* event);
}

int main() {
  // Texts cross as UTF-16, as in the program's platform.
  const std::u16string title = u"Bare";
  const std::u16string caption = u"OK";
  orbbare_build(title.data(), static_cast<int>(title.size()), caption.data(),
                static_cast<int>(caption.size()));
  int event[4] = {};
  do {
    orbbare_wait(event);
  } while (event[0] != 1);
  return 0;
}
