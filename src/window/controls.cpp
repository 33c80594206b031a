#include "controls.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QWheelEvent>
#include <algorithm>
#include <limits>

#include "platform.h"

namespace quorvane::window {
namespace {

// The Song faces: the one the set-up installs first, since each family that
// is missing costs a font search at start-up, and one list for every font of
// the window, so that all share the fallback fonts found for it.
const QStringList kSongFamilies{
    "AR PL UMing CN",     "SimSun", "宋体", "AR PL UMing TW", "Noto Serif CJK SC",
    "WenQuanYi Micro Hei"};

// Every text in the window is a caption or a number, all of which the first
// Song face covers, and that face carries drawn bitmaps at the window's sizes
// on a 96 dpi screen (12, 14 and 16 pixels), as 宋体 does. There the window
// shows those bitmaps, unsmoothed as on the platform the window comes from,
// and looks for no fallback faces: rasterising outlines and that search cost
// an eighth of start-up. Han and Latin text in that face needs no shaping
// (no ligatures, no kerning), so Qt's text shaper is skipped too; scripts that
// need shaping are shaped all the same. Elsewhere it keeps Qt's smoothed
// outlines.
void useSongBitmaps(QFont& font) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen != nullptr && screen->devicePixelRatio() == 1.0 &&
      qRound(screen->logicalDotsPerInchY()) == 96 &&
      QFontDatabase::families().contains(kSongFamilies.front())) {
    font.setStyleStrategy(
        QFont::StyleStrategy(QFont::NoFontMerging | QFont::NoAntialias | QFont::PreferNoShaping));
  }
}

QFont headingFont(double points) {
  QFont font;
  font.setFamilies(kSongFamilies);
  useSongBitmaps(font);
  font.setBold(true);
  font.setPointSizeF(points);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

}  // namespace

const QStringList& songFamilies() {
  return kSongFamilies;
}

QFont dialogFont() {
  QFont font;
  font.setFamilies(kSongFamilies);
  useSongBitmaps(font);
  font.setPixelSize(12);  // 9 point at 96 dpi: a full-width character is 12 pixels
  // The Song faces' hinting programs cost a fifth of start-up in FreeType and
  // change little at this size on today's screens.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

QWidget* createControl(const ControlSpec& spec, QWidget* parent) {
  switch (spec.kind) {
    case ControlKind::PictureBox: {
      auto* box = new QWidget(parent);
      box->setFocusPolicy(Qt::StrongFocus);
      return box;
    }
    case ControlKind::ScrollBar: {
      auto* bar = new QScrollBar(Qt::Vertical, parent);
      bar->setFocusPolicy(Qt::StrongFocus);
      bar->setRange(0, 0);
      bar->setSingleStep(1);
      bar->setPageStep(1);
      bar->setTracking(false);  // a dragged thumb moves the field area only when released
      return bar;
    }
    case ControlKind::Label: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);  // keeps full-width spaces; lines split at line feeds
      label->setText(qs(spec.caption));
      if (spec.font == ControlFont::Title) label->setFont(headingFont(12));
      if (spec.font == ControlFont::Heading) label->setFont(headingFont(10.5));
      label->setAlignment(spec.font == ControlFont::Dialog ? Qt::AlignLeft | Qt::AlignTop
                                                           : Qt::AlignCenter);
      return label;
    }
    case ControlKind::LinkLabel: {
      auto* link = new LinkLabel(parent);
      link->setText(qs(spec.caption));
      return link;
    }
    case ControlKind::TextBox: {
      auto* box = new QLineEdit(parent);
      box->setMaxLength(std::numeric_limits<int>::max());  // no limit: Qt cuts at 32767 otherwise
      return box;
    }
    case ControlKind::DropDownList:
      return new DropDownList(parent);  // not editable: only items can be picked
    case ControlKind::Button: {
      auto* button = new QPushButton(qs(spec.caption), parent);
      // Enter presses the focused button, as Space does; Qt does this by
      // itself only for buttons in a dialog.
      button->setAutoDefault(true);
      return button;
    }
  }
  return nullptr;
}

TextBoxStyle::TextBoxStyle() : QProxyStyle(QApplication::style()->name()) {}

void TextBoxStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
  const auto* frameOption = qstyleoption_cast<const QStyleOptionFrame*>(option);
  if (element != PE_PanelLineEdit || frameOption == nullptr || (option->state & State_HasFocus) ||
      painter->device()->devicePixelRatio() != 1.0) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  const QString key = QStringLiteral("quorvane-text-box-%1-%2x%3-%4-%5")
                          .arg(baseStyle()->name(), QString::number(option->rect.width()),
                               QString::number(option->rect.height()),
                               QString::number(static_cast<uint>(option->state)),
                               QString::number(option->palette.cacheKey()));
  QPixmap frame;
  if (!QPixmapCache::find(key, &frame)) {
    frame = QPixmap(option->rect.size());
    frame.fill(Qt::transparent);
    QStyleOptionFrame atOrigin = *frameOption;
    atOrigin.rect.moveTo(0, 0);
    QPainter framePainter(&frame);
    QProxyStyle::drawPrimitive(element, &atOrigin, &framePainter, widget);
    framePainter.end();
    QPixmapCache::insert(key, frame);
  }
  painter->drawPixmap(option->rect.topLeft(), frame);
}

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
  setFocusPolicy(Qt::StrongFocus);  // not Qt::WheelFocus, a combo box's default
}

void DropDownList::showPopup() {
  // The open list's view would otherwise run Qt's own keyboard search.
  if (!viewWatched_) {
    view()->installEventFilter(this);
    viewWatched_ = true;
  }
  QComboBox::showPopup();
}

bool DropDownList::typeAhead(const QKeyEvent& event) {
  const QString text = event.text();
  if (text.isEmpty() || (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) ||
      !std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); })) {
    return false;
  }
  const int items = count();
  for (const QChar typed : text) {
    const int current = currentIndex();
    for (int step = 1; step <= items; ++step) {
      const int candidate = (current + step) % items;
      if (itemText(candidate).startsWith(typed, Qt::CaseInsensitive)) {
        if (candidate != current) {
          setCurrentIndex(candidate);
          if (view()->isVisible())
            view()->setCurrentIndex(model()->index(candidate, modelColumn()));
          emit activated(candidate);
        }
        break;
      }
    }
  }
  return true;
}

void DropDownList::keyPressEvent(QKeyEvent* event) {
  if (!typeAhead(*event)) QComboBox::keyPressEvent(event);
}

bool DropDownList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view() && event->type() == QEvent::KeyPress &&
      typeAhead(static_cast<const QKeyEvent&>(*event))) {
    return true;
  }
  return QComboBox::eventFilter(watched, event);
}

void DropDownList::wheelEvent(QWheelEvent* event) {
  if (hasFocus()) {
    QComboBox::wheelEvent(event);
  } else {
    event->ignore();
  }
}

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent) {
  setMouseTracking(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette colours = palette();
  colours.setColor(QPalette::WindowText, QColor(0, 0, 255));
  setPalette(colours);
}

void LinkLabel::paintEvent(QPaintEvent* event) {
  // Cover the address printed in the notice beneath, and nothing beside it.
  QPainter painter(this);
  const QFontMetrics metrics(font());
  painter.fillRect(QRect(0, 0, metrics.horizontalAdvance(text()), metrics.height()),
                   palette().window());
  painter.end();
  QLabel::paintEvent(event);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
  platform::showHandPointer(this);
  QLabel::mouseMoveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

namespace {

// Eats the text box's claim on the key, so that the key goes on to the
// dialog's shortcuts; the box's own use of it is lost, which End still gives.
class ShortcutKeeper : public QObject {
 public:
  ShortcutKeeper(QObject* parent, const QKeySequence& key) : QObject(parent), key_(key) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ShortcutOverride &&
        QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()) == key_) {
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QKeySequence key_;
};

}  // namespace

void keepShortcutFromTextBoxes(QWidget* dialog, const QKeySequence& key) {
  auto* keeper = new ShortcutKeeper(dialog, key);
  for (QWidget* box : dialog->findChildren<QWidget*>()) {
    // An editable list hands the key to its box directly, past the box's filters.
    if (qobject_cast<QLineEdit*>(box) != nullptr || qobject_cast<QPlainTextEdit*>(box) != nullptr ||
        qobject_cast<QComboBox*>(box) != nullptr) {
      box->installEventFilter(keeper);
    }
  }
}

}  // namespace quorvane::window
