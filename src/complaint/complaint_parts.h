#pragma once

// What the complaint's files share: the parties as typed, the plaintiff's
// identity number read, and the pieces the form is built from. Each piece is
// a pure function of the case, the claim's inputs, the complaint's inputs
// and the sheet; makeComplaint (complaint.cpp) puts them together.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "claim.h"
#include "claim_table.h"
#include "complaint.h"
#include "document.h"

namespace quorvane::complaint::detail {

using claim::Fen;

inline constexpr std::string_view kUninsured = "未投保";  // 交强险保险公司: no compulsory policy
inline constexpr std::string_view kBlank = "＿";

struct Ymd {
  int year = 0, month = 0, day = 0;

  friend bool operator==(const Ymd&, const Ymd&) = default;
};

// "2023年3月15日", with no leading zeros.
[[nodiscard]] std::string dateText(const Ymd& date);
// A date typed in three boxes that the sheet has accepted.
[[nodiscard]] Ymd typedDate(const std::string& year, const std::string& month,
                            const std::string& day);

// An 18-character 居民身份证 number that passed every check of its own: the
// number with a lower-case x read as X, its birth date and its sex.
struct IdNumber {
  std::string text;
  Ymd birth;
  bool male = false;
};
// The number, or the message of its first fault.
[[nodiscard]] std::variant<IdNumber, std::string> readIdNumber(std::string_view typed);
// 证件类型 empty or 居民身份证: the number is checked as one.
[[nodiscard]] bool residentCard(const ComplaintInput& complaint);

// One vehicle's parties, each without the spaces around it.
struct Parties {
  std::string 号牌, 驾驶人, 所有人, 所有人类别, 交强险保险公司, 商业三者险保险公司;

  [[nodiscard]] bool any() const;
  [[nodiscard]] bool uninsured() const { return 交强险保险公司 == kUninsured; }
  // 所有人 empty is the driver.
  [[nodiscard]] const std::string& owner() const { return 所有人.empty() ? 驾驶人 : 所有人; }
};
[[nodiscard]] std::array<Parties, claim::kVehicleCount> vehicleParties(
    const ComplaintInput& complaint);
// The claim's 交强险 of vehicle v is 有责 or 无责.
[[nodiscard]] bool insured(const claim::ClaimInput& claim, std::size_t v);

// The first fault of the complaint's own inputs, in the order of their
// fields; empty when there is none. The sheet is one that was computed.
[[nodiscard]] std::string checkInputs(const CaseInput& input, const claim::ClaimInput& claim,
                                      const ComplaintInput& complaint, const claim::Payers& payers);

[[nodiscard]] std::vector<Defendant> defendants(const ComplaintInput& complaint,
                                                const claim::Payers& payers);
[[nodiscard]] std::vector<std::string> requests(const claim::ClaimInput& claim,
                                                const ComplaintInput& complaint,
                                                const claim::Payers& payers);

// Several lines as typed, each line ending a '\n' whatever the system typed.
[[nodiscard]] std::string freeText(std::string_view typed);
// Yuan as the sheet writes a limit: "1000000" when whole, else "1000.50".
[[nodiscard]] std::string yuanText(Fen amount);
// 事实与理由 1, 3 and 4.
[[nodiscard]] std::string accidentText(const CaseInput& input, const claim::ClaimInput& claim,
                                       const ComplaintInput& complaint);
[[nodiscard]] std::vector<std::string> insuranceSentences(const claim::ClaimInput& claim,
                                                          const ComplaintInput& complaint,
                                                          const claim::Payers& payers);
[[nodiscard]] std::string basisText(const claim::ClaimInput& claim, const ComplaintInput& complaint,
                                    const claim::ClaimSheet& sheet,
                                    const std::vector<claim::TableRow>& rows);

// Everything the form is filled from.
struct FormInput {
  const CaseInput& input;
  const claim::ClaimInput& claim;
  const ComplaintInput& complaint;
  const claim::ClaimSheet& sheet;
  const std::vector<claim::TableRow>& rows;  // the filed table
  const Complaint& made;                     // its requests, defendants and fee
};

// The form's two columns: a label and its content, or one cell across both.
class FormTable {
 public:
  FormTable() { table_.widths = {24, 76}; }
  void heading(std::string text);
  void wide(document::Cell cell);
  void row(std::string label, std::vector<std::string> lines);
  [[nodiscard]] document::Table take() { return std::move(table_); }

 private:
  document::Table table_;
};

// "☑" when chosen, else "□".
[[nodiscard]] inline std::string_view box(bool chosen) {
  return chosen ? "☑" : "□";
}

// The sections after 当事人信息 (form_sections.cpp).
void addRequests(FormTable& table, const FormInput& in);
void addApplications(FormTable& table, const ComplaintInput& complaint);
void addFacts(FormTable& table, const FormInput& in);
void addMediation(FormTable& table, const ComplaintInput& complaint);

[[nodiscard]] document::Document form(const FormInput& in);

}  // namespace quorvane::complaint::detail
