#include "claim_dialog_layout.h"

#include <algorithm>
#include <string>

namespace quorvane::window {
namespace {

constexpr std::array<std::string_view, 4> kInsurance{"无", "有责", "无责"};
constexpr std::array<PickList, 6> kPickLists{{
    {claimField("交强险"), kInsurance},
    {claimField("车辆2交强险"), kInsurance},
    {claimField("车辆3交强险"), kInsurance},
    {claimField("案件类型"), {"伤残", "死亡"}},
    {claimField("护理依赖"), {"无", "完全", "大部分", "部分"}},
    {claimField("简易程序"), {"否", "是"}},
}};

constexpr InputCell text(int row, int column, std::string_view caption) {
  return {row, column, caption};
}
constexpr InputCell box(int row, int column, std::string_view name,
                        std::string_view placeholder = {}) {
  return {row, column, {}, claimField(name), placeholder};
}

// Two columns of caption and box, the third column a gap between them.
constexpr std::array kGeneral{
    text(0, 0, "计算标准年度"),   box(0, 1, "计算标准年度", "空为事故发生年"),
    text(0, 3, "定残日"),         box(0, 4, "定残日", "YYYY-MM-DD"),
    text(1, 0, "伤残附加指数"),   box(1, 1, "伤残附加指数", "0 至 10"),
    text(1, 3, "精神损害抚慰金"), box(1, 4, "精神损害抚慰金", "元"),
    text(2, 0, "案件类型"),       box(2, 1, "案件类型"),
    text(2, 3, "简易程序"),       box(2, 4, "简易程序"),
};
// Later care down the first column, the other costs down the second.
constexpr std::array kLaterCosts{
    text(0, 0, "护理依赖"),       box(0, 1, "护理依赖"),
    text(1, 0, "后续护理年限"),   box(1, 1, "后续护理年限", "0 至 20 年"),
    text(2, 0, "后续护理日工资"), box(2, 1, "后续护理日工资", "元/天"),
    text(0, 3, "后续治疗费"),     box(0, 4, "后续治疗费", "元"),
    text(1, 3, "财产损失"),       box(1, 4, "财产损失", "元"),
    text(2, 3, "鉴定费"),         box(2, 4, "鉴定费", "元"),
};
// A row a vehicle under the three inputs' captions; vehicle 1's are the
// inputs the sheet had for its one vehicle.
constexpr std::array kVehicles{
    text(0, 1, "交强险"),
    text(0, 2, "责任比例"),
    text(0, 3, "商业三者险限额"),
    text(1, 0, "车辆1"),
    box(1, 1, "交强险"),
    box(1, 2, "责任比例", "空为 100"),
    box(1, 3, "商业三者险限额", "空为未投保"),
    text(2, 0, "车辆2"),
    box(2, 1, "车辆2交强险"),
    box(2, 2, "车辆2责任比例", "0 至 100"),
    box(2, 3, "车辆2商业三者险限额", "空为未投保"),
    text(3, 0, "车辆3"),
    box(3, 1, "车辆3交强险"),
    box(3, 2, "车辆3责任比例", "0 至 100"),
    box(3, 3, "车辆3商业三者险限额", "空为未投保"),
};
// The compulsory insurance's three heads over their boxes.
constexpr std::array kOtherVictims{
    text(0, 0, "死亡伤残"),
    text(0, 1, "医疗费用"),
    text(0, 2, "财产损失"),
    box(1, 0, "其他受害人死亡伤残", "元"),
    box(1, 1, "其他受害人医疗费用", "元"),
    box(1, 2, "其他受害人财产损失", "元"),
};

constexpr std::array<InputGroup, 4> kGroups{{
    {"", kGeneral},
    {"后续护理与其他费用", kLaterCosts},
    {"车辆", kVehicles},
    {"其他受害人", kOtherVictims},
}};

}  // namespace

std::span<const PickList> pickLists() {
  return kPickLists;
}

const PickList* pickList(std::size_t field) {
  const auto* list = std::find_if(kPickLists.begin(), kPickLists.end(),
                                  [&](const PickList& each) { return each.field == field; });
  return list == kPickLists.end() ? nullptr : list;
}

std::span<const InputGroup> inputGroups() {
  return kGroups;
}

}  // namespace quorvane::window
