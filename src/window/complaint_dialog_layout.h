#pragma once

// Where the 起诉状 dialog puts each complaint input, as data: the dialog
// builds what these tables list. The cells and lists are the 赔偿清单
// dialog's kinds (claim_dialog_layout.h), their fields indices into
// complaint::complaintFields.

#include <array>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string_view>

#include "claim_dialog_layout.h"
#include "complaint.h"

namespace quorvane::window {

// The index in complaint::complaintFields of the input of that name; a name
// that is none fails to compile where the index is a constant.
constexpr std::size_t complaintField(std::string_view name) {
  for (std::size_t i = 0; i < complaint::complaintFields.size(); ++i) {
    if (complaint::complaintFields[i].name == name) return i;
  }
  throw std::invalid_argument("no complaint input of that name");
}

// The editable list of kinds of identity document; its first item is what
// an empty input means.
inline constexpr std::size_t kIdTypeField = complaintField("原告证件类型");
inline constexpr std::array<std::string_view, 5> kIdTypes{
    "居民身份证", "护照", "港澳居民来往内地通行证", "台湾居民来往大陆通行证",
    "外国人永久居留身份证"};

// The pick-only lists: their items, the first meaning what an empty input means.
[[nodiscard]] std::span<const PickList> complaintPickLists();
[[nodiscard]] const PickList* complaintPickList(std::size_t field);

// The free texts of several lines (事故经过, 责任认定, 证据清单).
[[nodiscard]] bool freeText(std::size_t field);

// A labelled group of inputs and where it stands in the dialog's grid.
struct PlacedGroup {
  InputGroup group;
  int row, column;
  int rowSpan = 1, columnSpan = 1;
};
[[nodiscard]] std::span<const PlacedGroup> complaintGroups();

// Where the requests, the fee and the checks' message stand.
inline constexpr PlacedGroup kRequestsPlace{{"诉讼请求", {}}, 3, 1};

}  // namespace quorvane::window
