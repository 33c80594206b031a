#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// One case as the user entered it: each member is the text of the input control
// of the same name, exactly as typed or picked.
struct CaseInput {
  std::string 受害人生日年, 受害人生日月, 受害人生日日;
  std::string 事故发生日年, 事故发生日月, 事故发生日日;
  std::string 夫妻或单亲, 伤残等级;
  std::string 人员1的护理天数, 护理人员1的工资, 人员2的护理天数, 护理人员2的工资;
  std::string 住院天数, 误工天数, 最近三年日平均收入, 住宿天数;
  std::string 孩子1年龄, 孩子2年龄, 孩子3年龄, 孩子4年龄, 孩子5年龄, 孩子6年龄;
  std::string 老人1年龄, 老人2年龄, 老人3年龄, 老人4年龄;
  std::string 兄弟姐妹人数;
  std::string 交通费, 医疗费, 营养费, 残疾辅助器具;
};

// The 22 result texts, exactly as the result boxes show them, in the order a
// run writes them.
struct CaseResult {
  std::string 伤残赔偿金;
  std::string 人员1的护理费, 人员2的护理费, 住院伙食补助, 误工费, 住宿费;
  std::string 扶养费孩子1, 扶养费孩子2, 扶养费孩子3, 扶养费孩子4, 扶养费孩子5, 扶养费孩子6;
  std::string 扶养费老人1, 扶养费老人2, 扶养费老人3, 扶养费老人4;
  std::string 扶养费合计;
  std::string 计算交通费, 计算医疗费, 计算营养费, 计算残疾辅助器具;
  std::string 合计;
};

// A record field known by its control name, so that the window and the batch
// tool can address fields by name without a list of their own.
template <class Record>
struct NamedField {
  std::string_view name;
  std::string Record::*member;
};

inline constexpr std::array<NamedField<CaseInput>, 31> inputFields{{
    {"受害人生日年", &CaseInput::受害人生日年},
    {"受害人生日月", &CaseInput::受害人生日月},
    {"受害人生日日", &CaseInput::受害人生日日},
    {"事故发生日年", &CaseInput::事故发生日年},
    {"事故发生日月", &CaseInput::事故发生日月},
    {"事故发生日日", &CaseInput::事故发生日日},
    {"夫妻或单亲", &CaseInput::夫妻或单亲},
    {"伤残等级", &CaseInput::伤残等级},
    {"人员1的护理天数", &CaseInput::人员1的护理天数},
    {"护理人员1的工资", &CaseInput::护理人员1的工资},
    {"人员2的护理天数", &CaseInput::人员2的护理天数},
    {"护理人员2的工资", &CaseInput::护理人员2的工资},
    {"住院天数", &CaseInput::住院天数},
    {"误工天数", &CaseInput::误工天数},
    {"最近三年日平均收入", &CaseInput::最近三年日平均收入},
    {"住宿天数", &CaseInput::住宿天数},
    {"孩子1年龄", &CaseInput::孩子1年龄},
    {"孩子2年龄", &CaseInput::孩子2年龄},
    {"孩子3年龄", &CaseInput::孩子3年龄},
    {"孩子4年龄", &CaseInput::孩子4年龄},
    {"孩子5年龄", &CaseInput::孩子5年龄},
    {"孩子6年龄", &CaseInput::孩子6年龄},
    {"老人1年龄", &CaseInput::老人1年龄},
    {"老人2年龄", &CaseInput::老人2年龄},
    {"老人3年龄", &CaseInput::老人3年龄},
    {"老人4年龄", &CaseInput::老人4年龄},
    {"兄弟姐妹人数", &CaseInput::兄弟姐妹人数},
    {"交通费", &CaseInput::交通费},
    {"医疗费", &CaseInput::医疗费},
    {"营养费", &CaseInput::营养费},
    {"残疾辅助器具", &CaseInput::残疾辅助器具},
}};

inline constexpr std::array<NamedField<CaseResult>, 22> resultFields{{
    {"伤残赔偿金", &CaseResult::伤残赔偿金},
    {"人员1的护理费", &CaseResult::人员1的护理费},
    {"人员2的护理费", &CaseResult::人员2的护理费},
    {"住院伙食补助", &CaseResult::住院伙食补助},
    {"误工费", &CaseResult::误工费},
    {"住宿费", &CaseResult::住宿费},
    {"扶养费孩子1", &CaseResult::扶养费孩子1},
    {"扶养费孩子2", &CaseResult::扶养费孩子2},
    {"扶养费孩子3", &CaseResult::扶养费孩子3},
    {"扶养费孩子4", &CaseResult::扶养费孩子4},
    {"扶养费孩子5", &CaseResult::扶养费孩子5},
    {"扶养费孩子6", &CaseResult::扶养费孩子6},
    {"扶养费老人1", &CaseResult::扶养费老人1},
    {"扶养费老人2", &CaseResult::扶养费老人2},
    {"扶养费老人3", &CaseResult::扶养费老人3},
    {"扶养费老人4", &CaseResult::扶养费老人4},
    {"扶养费合计", &CaseResult::扶养费合计},
    {"计算交通费", &CaseResult::计算交通费},
    {"计算医疗费", &CaseResult::计算医疗费},
    {"计算营养费", &CaseResult::计算营养费},
    {"计算残疾辅助器具", &CaseResult::计算残疾辅助器具},
    {"合计", &CaseResult::合计},
}};

// The statistical standards of one accident year. All zero for a year the
// table does not cover.
struct Standards {
  std::int32_t urbanDisposableIncome = 0;
  std::int32_t supportBase = 0;
  std::int16_t mealAllowancePerDay = 0;
  std::int16_t lodgingAllowancePerDay = 0;
  // The city's average yearly wage of workers (职工平均工资) of the statistical
  // year before, for the funeral costs of a death case; none of the 22 amounts
  // uses it. Only a standards file gives one: the built-in years have none.
  std::optional<std::int32_t> averageWage = {};
};

// One row of the standards: an accident year's figures and where they come
// from. The texts are views: of the built-in constants, or of the table that
// holds a standards file's rows.
struct StandardsRow {
  std::string_view accidentYear;
  Standards values;
  std::string_view source = {};  // the file's 来源, where it gives one
  bool fromFile = false;
};

inline constexpr std::array<StandardsRow, 2> builtInStandards{{
    {"2011", {29073, 19934, 50, 50}},
    {"2012", {32903, 21984, 50, 50}},
}};

// The standards a run goes by: the built-in rows, and the rows a standards file
// adds for other years. A default table holds the built-in rows alone and
// costs nothing to make.
class StandardsTable {
 public:
  // False, and nothing added, for a year that is built in or already added.
  bool add(std::string accidentYear, Standards values, std::string source);

  // The row whose year is exactly this text; the built-in rows are looked at first.
  [[nodiscard]] std::optional<StandardsRow> find(std::string_view accidentYear) const;

  // Every row in force: the built-in rows, then the added ones in their order.
  [[nodiscard]] std::vector<StandardsRow> rows() const;

  [[nodiscard]] bool hasAddedRows() const { return !added_.empty(); }

 private:
  struct AddedRow {
    std::string accidentYear;
    Standards values;
    std::string source;
  };
  std::vector<AddedRow> added_;
};

// The system's messages, word for word.
namespace messages {
inline constexpr std::string_view birthDateIncomplete = "请选择受害人生日.";
inline constexpr std::string_view accidentDateIncomplete = "请选择事故发生日.";
inline constexpr std::string_view yearNotCovered = "请升级";
inline constexpr std::string_view siblingsMinusOne = "兄弟姐妹人数不能为-1.";
inline constexpr std::string_view outOfRange = "数值超出计算范围.";
}  // namespace messages

}  // namespace quorvane
