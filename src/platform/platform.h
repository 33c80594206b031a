#pragma once

// The thin layer between the window and the desktop: the few services the
// window needs from outside itself, each small and named for what it does.
// Tests replace the clock; web addresses go through QDesktopServices, whose
// handlers tests can intercept.

#include <QDate>
#include <QString>
#include <functional>
#include <string_view>
#include <thread>

class QWidget;

namespace quorvane::platform {

// Qt's own texts (the text boxes' and the scroll bar's context menus, the
// message box's button) in Simplified Chinese, whatever the system's language:
// the window is Chinese throughout. Needs a QCoreApplication; returns false
// when Qt's translation is not installed, and the texts stay English.
bool useChineseTexts();

// Reads the system's font configuration on a thread of its own while the
// program connects to the display, which takes as long: the window's first
// text then finds it ready. Make one before the QApplication and call wait()
// once that exists, before anything draws text.
class FontConfigWarmUp {
 public:
  FontConfigWarmUp();
  ~FontConfigWarmUp();
  FontConfigWarmUp(const FontConfigWarmUp&) = delete;
  FontConfigWarmUp& operator=(const FontConfigWarmUp&) = delete;

  void wait();

 private:
  std::thread thread_;
};

// Today's date; the system's unless a test hands in another.
using Clock = std::function<QDate()>;
[[nodiscard]] QDate systemToday();

// Hands the address to the desktop's default handler. A failure is not
// reported: the user simply sees no browser.
void openWebAddress(const QString& address);

// The hand pointer over a link.
void showHandPointer(QWidget* widget);

// Writes bytes to path whole or not at all: beside it first, then renamed
// over it, so that a reader never finds half a file and a failure leaves the
// old one as it was. Empty when written, or why it failed.
[[nodiscard]] QString writeWhole(const QString& path, std::string_view bytes);

// A modal message with the text alone, no icon and one OK button, titled with
// the program's title; returns when the user closes it.
void showMessage(QWidget* parent, const QString& text);

}  // namespace quorvane::platform
