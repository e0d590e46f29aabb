#pragma once
// The browser calls of dom_library.js, as the C++ side sees them. Texts cross as UTF-16.

extern "C" {
void orbdom_font_units(int family, int px, int italic, int* out);
void orbdom_window_create(unsigned handle, const char16_t* title, int titleLength, int x, int y,
                          int width, int height, int centered, int family, int px, int italic,
                          unsigned owner, int appWindow);
void orbdom_window_show(unsigned handle, int show);
void orbdom_window_front(unsigned handle);
void orbdom_window_title(unsigned handle, const char16_t* title, int length);
void orbdom_window_destroy(unsigned handle);
void orbdom_window_modal(unsigned handle, int on);
void orbdom_window_icon(unsigned handle, const unsigned char* data, int length, int bitmap);
void orbdom_control_create(unsigned handle, int index, int kind, int flags, int x, int y, int width,
                           int height, const char16_t* text, int length, int group);
void orbdom_set_text(unsigned handle, int index, const char16_t* text, int length);
int orbdom_get_text(unsigned handle, int index, char16_t* buffer, int capacity);
void orbdom_set_enabled(unsigned handle, int index, int on);
void orbdom_set_checked(unsigned handle, int index, int on);
int orbdom_get_checked(unsigned handle, int index);
void orbdom_set_caret(unsigned handle, int index, int position);
int orbdom_get_caret(unsigned handle, int index);
void orbdom_set_list(unsigned handle, int index, const char16_t* items, int length);
void orbdom_set_list_sel(unsigned handle, int index, int selection);
int orbdom_get_list_sel(unsigned handle, int index);
void orbdom_set_image(unsigned handle, int index, const unsigned char* data, int length, int bitmap,
                      int size);
void orbdom_set_name(unsigned handle, int index, const char16_t* name, int length);
void orbdom_set_description(unsigned handle, int index, const char16_t* text, int length);
void orbdom_set_label_for(unsigned handle, int labelIndex, int index);
void orbdom_set_tip(unsigned handle, int index, const char16_t* text, int length);
void orbdom_focus(unsigned handle, int index);
int orbdom_focused(unsigned handle);
void orbdom_select_all(unsigned handle, int index);
void orbdom_restore_focus(unsigned handle);
void orbdom_message_box(const char16_t* text, int textLength, const char16_t* title,
                        int titleLength, int icon);
void orbdom_wait(int* event);
int orbdom_pending();
void orbdom_timer(int id, int delayMs);
int orbdom_pick_file(const char16_t* name, int nameLength, const char16_t* description,
                     int descriptionLength, const char16_t* pattern, int patternLength,
                     char16_t* buffer, int capacity);
int orbdom_write_file(const char16_t* name, int nameLength, const char* path, int pathLength,
                      const unsigned char* data, int length, char16_t* buffer, int capacity);
}
