#pragma once

// The window's kinds of control and their fonts: each catalogue kind becomes
// the Qt widget that behaves as the window's control of that kind does.

#include <QComboBox>
#include <QFont>
#include <QKeySequence>
#include <QLabel>
#include <QProxyStyle>
#include <QStringList>
#include <string_view>

#include "catalogue.h"

namespace quorvane::window {

inline QString qs(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The link label: a click opens its address, and the pointer turns into a hand
// over it.
class LinkLabel : public QLabel {
  Q_OBJECT
 public:
  explicit LinkLabel(QWidget* parent);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// A pick-only drop-down list. A typed character moves the pick to the next
// item after the current one, wrapping round, whose text begins with it (no
// search string builds up), whether the list is open or closed. The wheel
// neither gives it focus nor changes the pick unless it already has focus, so
// scrolling over the form cannot change a grade or a date unnoticed.
class DropDownList : public QComboBox {
  Q_OBJECT
 public:
  explicit DropDownList(QWidget* parent);

  void showPopup() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Applies each typed character; false when the key carries no text to apply.
  bool typeAhead(const QKeyEvent& event);
  bool viewWatched_ = false;
};

// The application's style for the text boxes, with one saving: the style
// draws a box's frame as smoothed paths, the same for every box of a size, and
// the window's 45 boxes cost a third of its first paint that way. Here each
// size, state and palette is drawn once, off screen, and copied; a box with
// the focus, whose frame is highlighted, is drawn as the style draws it.
class TextBoxStyle : public QProxyStyle {
 public:
  TextBoxStyle();
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

// The Song faces every font of the window names, the installed one first.
[[nodiscard]] const QStringList& songFamilies();

// The window's font, and so the program's.
[[nodiscard]] QFont dialogFont();

// A new widget for the control, with its caption and font; the caller places it.
[[nodiscard]] QWidget* createControl(const ControlSpec& spec, QWidget* parent);

// Gives the dialog's shortcut key to the dialog when one of its text boxes
// has the focus: under X11's key bindings a text box takes Ctrl+E for itself
// (the end of the line), and the dialog's Ctrl+E would never be seen. Call
// once the dialog's text boxes exist.
void keepShortcutFromTextBoxes(QWidget* dialog, const QKeySequence& key);

}  // namespace quorvane::window
