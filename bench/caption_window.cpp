// A second yardstick for start-up: the empty window with one caption in Chinese,
// so that it too reads the font configuration, lists the fonts, sets up a face
// and draws glyphs, as any window with text must. YARDSTICK=caption_window
// bench/startup.sh times quorvane against it.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(716, 816);
  auto* caption = new QLabel(QString::fromUtf8("原始数据区"), &window);
  caption->move(104, 24);
  window.show();
  return QApplication::exec();
}
