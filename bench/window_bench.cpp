// The program's own work for one click on 计算按钮: read the 31 controls, run
// the engine, write the 22 result boxes (offscreen, no painting).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "window.h"

namespace {

void clickCalculate(benchmark::State& state) {
  quorvane::window::WindowHost host([] { return QDate(2012, 6, 1); });
  host.show();
  auto* window = host.window();
  auto text = [window](const char* name, const char* value) {
    window->findChild<QLineEdit*>(QString::fromUtf8(name))->setText(QString::fromUtf8(value));
  };
  text("护理人员1的工资", "80.1");
  text("人员1的护理天数", "30");
  text("最近三年日平均收入", "120.33");
  text("误工天数", "90");
  text("孩子1年龄", "3.5");
  text("老人1年龄", "65");
  text("兄弟姐妹人数", "2");
  text("医疗费", "35000.5");
  auto* grade = window->findChild<QComboBox*>(QString::fromUtf8("伤残等级"));
  grade->setCurrentIndex(1);
  auto* button = window->findChild<QPushButton*>(QString::fromUtf8("计算按钮"));
  for (auto _ : state) button->click();
}
BENCHMARK(clickCalculate)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
