// The yardstick for start-up: a minimal Qt Widgets program that shows one empty
// window of quorvane's size. bench/startup.sh times both the same way. Built
// with WITH_CAPTION it is caption_window, the same window with one caption in
// Chinese, so that it too reads the font configuration, lists the fonts, sets
// up a face and draws glyphs, as any window with text must
// (YARDSTICK=caption_window bench/startup.sh).

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(716, 816);
#ifdef WITH_CAPTION
  auto* caption = new QLabel(QString::fromUtf8("原始数据区"), &window);
  caption->move(104, 24);
#endif
  window.show();
  return QApplication::exec();
}
