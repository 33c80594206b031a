#pragma once

// Where the 赔偿清单 dialog puts each claim input, as data: the dialog
// builds what these tables list.

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

#include "claim.h"

namespace quorvane::window {

// The index in claim::claimFields of the input of that name; a name that is
// none fails to compile where the index is a constant.
constexpr std::size_t claimField(std::string_view name) {
  for (std::size_t i = 0; i < claim::claimFields.size(); ++i) {
    if (claim::claimFields[i].name == name) return i;
  }
  throw std::invalid_argument("no claim input of that name");
}

inline constexpr std::size_t kYearField = claimField("计算标准年度");  // an editable list

// The pick-only lists: their items, the first meaning what an empty input means.
struct PickList {
  std::size_t field;
  std::array<std::string_view, 4> items;  // empty after the last
};
[[nodiscard]] std::span<const PickList> pickLists();

// A list's first item, or a text it does not offer, held as the empty input,
// as the window's own lists leave a text they do not offer unpicked.
template <class Record, std::size_t N>
void clearUnoffered(Record& input, const std::array<NamedField<Record>, N>& fields,
                    std::span<const PickList> lists) {
  for (const auto& list : lists) {
    std::string& text = input.*fields[list.field].member;
    const auto offered = std::find(list.items.begin() + 1, list.items.end(), text);
    if (text.empty() || offered == list.items.end()) text.clear();
  }
}
[[nodiscard]] const PickList* pickList(std::size_t field);

// One widget of an input grid: a caption, or an input's box with what its
// empty text means. A caption just left of an input is that input's.
struct InputCell {
  int row;
  int column;
  std::string_view caption;  // empty for an input
  std::size_t field = 0;
  std::string_view placeholder = {};
  int columnSpan = 1;  // the grid's columns it covers
  int chars = 0;       // the Chinese characters it shows without scrolling; 0: as wide as its kind
};

// The inputs in grids: the first untitled, the others in labelled boxes.
struct InputGroup {
  std::string_view title;
  std::span<const InputCell> cells;
};
[[nodiscard]] std::span<const InputGroup> inputGroups();

}  // namespace quorvane::window
