#include "complaint_dialog_layout.h"

#include <algorithm>

namespace quorvane::window {
namespace {

// "未填" leaves the form's boxes unticked, for the lawyer to tick by hand.
constexpr std::array<std::string_view, 4> kYesNo{"未填", "是", "否"};
constexpr std::array<std::string_view, 4> kOwnerKinds{"自然人", "法人、非法人组织"};
constexpr std::array<PickList, 9> kPickLists{{
    {complaintField("原告性别"), {"未填", "男", "女"}},
    {complaintField("代理权限"), {"未填", "一般授权", "特别授权"}},
    {complaintField("车辆1所有人类别"), kOwnerKinds},
    {complaintField("车辆2所有人类别"), kOwnerKinds},
    {complaintField("车辆3所有人类别"), kOwnerKinds},
    {complaintField("诉前保全"), kYesNo},
    {complaintField("申请鉴定"), kYesNo},
    {complaintField("了解调解"), {"未填", "了解", "不了解"}},
    {complaintField("先行调解"), {"未填", "是", "否", "暂不确定"}},
}};

constexpr InputCell text(int row, int column, std::string_view caption) {
  return {row, column, caption};
}
constexpr InputCell box(int row, int column, std::string_view name,
                        std::string_view placeholder = {}, int columnSpan = 1, int chars = 0) {
  return {row, column, {}, complaintField(name), placeholder, columnSpan, chars};
}
// A box across the grid's two pairs of caption and box.
constexpr InputCell wide(int row, std::string_view name, std::string_view placeholder = {}) {
  return box(row, 1, name, placeholder, 4);
}

// Two columns of caption and box, the third column a gap between them.
constexpr std::array kPlaintiff{
    text(0, 0, "姓名"),         box(0, 1, "原告姓名"),
    text(0, 3, "性别"),         box(0, 4, "原告性别"),
    text(1, 0, "民族"),         box(1, 1, "原告民族"),
    text(1, 3, "联系电话"),     box(1, 4, "原告联系电话"),
    text(2, 0, "工作单位"),     box(2, 1, "原告工作单位"),
    text(2, 3, "职务"),         box(2, 4, "原告职务"),
    text(3, 0, "住所地"),       wide(3, "原告住所地", "户籍所在地"),
    text(4, 0, "经常居住地"),   wide(4, "原告经常居住地"),
    text(5, 0, "证件类型"),     box(5, 1, "原告证件类型"),
    text(5, 3, "证件号码"),     box(5, 4, "原告证件号码", "18 位"),
    text(6, 0, "受害人姓名"),   box(6, 1, "受害人姓名", "死亡案件填写"),
    text(6, 3, "与受害人关系"), box(6, 4, "原告与受害人关系", "死亡案件填写"),
};
constexpr std::array kAgent{
    text(0, 0, "姓名"),     box(0, 1, "代理人姓名", "空为无"),
    text(0, 3, "代理权限"), box(0, 4, "代理权限"),
    text(1, 0, "单位"),     wide(1, "代理人单位"),
    text(2, 0, "职务"),     box(2, 1, "代理人职务"),
    text(2, 3, "联系电话"), box(2, 4, "代理人联系电话"),
};
constexpr std::array kProcedure{
    text(0, 0, "诉前保全"), box(0, 1, "诉前保全"), text(0, 3, "申请鉴定"), box(0, 4, "申请鉴定"),
    text(1, 0, "鉴定事项"), wide(1, "鉴定事项"),   text(2, 0, "了解调解"), box(2, 1, "了解调解"),
    text(2, 3, "先行调解"), box(2, 4, "先行调解"),
};
// A row a vehicle under the six parties' captions; an insurer's name, as
// "甲财产保险股份有限公司北京分公司", in sight.
constexpr auto vehicleRow(int row, std::string_view caption, std::string_view plate,
                          std::string_view driver, std::string_view owner,
                          std::string_view ownerKind, std::string_view insurer,
                          std::string_view commercial) {
  return std::array{text(row, 0, caption),
                    box(row, 1, plate),
                    box(row, 2, driver),
                    box(row, 3, owner, "空为驾驶人", 1, 7),
                    box(row, 4, ownerKind),
                    box(row, 5, insurer, "名称，或“未投保”", 1, 16),
                    box(row, 6, commercial, "空为交强险保险公司", 1, 16)};
}
constexpr auto kVehicle1 =
    vehicleRow(1, "车辆1", "车辆1号牌", "车辆1驾驶人", "车辆1所有人", "车辆1所有人类别",
               "车辆1交强险保险公司", "车辆1商业三者险保险公司");
constexpr auto kVehicle2 =
    vehicleRow(2, "车辆2", "车辆2号牌", "车辆2驾驶人", "车辆2所有人", "车辆2所有人类别",
               "车辆2交强险保险公司", "车辆2商业三者险保险公司");
constexpr auto kVehicle3 =
    vehicleRow(3, "车辆3", "车辆3号牌", "车辆3驾驶人", "车辆3所有人", "车辆3所有人类别",
               "车辆3交强险保险公司", "车辆3商业三者险保险公司");
constexpr auto kVehicles = [] {
  std::array<InputCell, 6 + 3 * kVehicle1.size()> cells{
      text(0, 1, "号牌"),       text(0, 2, "驾驶人"),         text(0, 3, "所有人"),
      text(0, 4, "所有人类别"), text(0, 5, "交强险保险公司"), text(0, 6, "商业三者险保险公司")};
  auto at = cells.begin() + 6;
  for (const auto& row : {kVehicle1, kVehicle2, kVehicle3})
    at = std::copy(row.begin(), row.end(), at);
  return cells;
}();
constexpr std::array kFacts{
    text(0, 0, "事故经过"), box(0, 1, "事故经过", "接在事故日期之后：地点、车辆、经过"),
    text(1, 0, "责任认定"), box(1, 1, "责任认定", "事故认定书的认定"),
    text(2, 0, "证据清单"), box(2, 1, "证据清单", "一行一项"),
};

constexpr std::array<PlacedGroup, 5> kGroups{{
    {{"原告", kPlaintiff}, 0, 0, 2, 1},
    {{"委托诉讼代理人", kAgent}, 0, 1},
    {{"程序与调解", kProcedure}, 1, 1},
    {{"车辆与当事人", kVehicles}, 2, 0, 1, 2},
    {{"事故与证据", kFacts}, 3, 0},
}};

}  // namespace

std::span<const PickList> complaintPickLists() {
  return kPickLists;
}

const PickList* complaintPickList(std::size_t field) {
  const auto* list = std::find_if(kPickLists.begin(), kPickLists.end(),
                                  [&](const PickList& each) { return each.field == field; });
  return list == kPickLists.end() ? nullptr : list;
}

bool freeText(std::size_t field) {
  return field == complaintField("事故经过") || field == complaintField("责任认定") ||
         field == complaintField("证据清单");
}

std::span<const PlacedGroup> complaintGroups() {
  return kGroups;
}

}  // namespace quorvane::window
