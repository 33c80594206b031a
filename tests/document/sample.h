#pragma once

// A document using everything the model has, and the few readings of the
// writers' output the tests share.

#include <cstddef>
#include <string>
#include <string_view>

#include "document.h"

namespace quorvane::document::testing {

inline Document sampleDocument() {
  Table table{
      {6, 16, 40, 14, 24},
      {
          Row{{cell({"序号"}, 1, true, Align::centre), cell({"项目"}, 1, true),
               cell({"计算方式"}, 1, true), cell({"金额（元）"}, 1, true), cell({"依据"}, 1, true)},
              true},
          Row{{cell({"1"}), cell({"医疗费"}), cell({"按票据", "共 3 张"}),
               cell({"1,000.00"}, 1, false, Align::right), Cell{}}},
          Row{{cell({"合计"}, 3, true), cell({"9,999.00"}), cell({})}},
          Row{{cell({"短行"})}},
          Row{{cell({"跨过头"}, 9)}},
      }};
  return Document{{
      paragraph("赔偿清单", Style::title, Align::centre),
      Paragraph{Style::body, Align::left, {Span{"受害人：", true}, Span{"某某  a\tb\nc"}}},
      paragraph("A<&>\"'B"),
      paragraph("ctl\x01\x0b\x1f\x7f|bad\xff\xc0\xaf|\xe5\xae"),
      table,
      PageBreak{},
      paragraph("第二页", Style::heading),
      paragraph("小字", Style::small, Align::right),
      PageBreak{},
  }};
}

inline std::size_t count(std::string_view text, std::string_view needle) {
  std::size_t n = 0;
  for (auto at = text.find(needle); at != std::string_view::npos;
       at = text.find(needle, at + needle.size())) {
    ++n;
  }
  return n;
}

// The text from `from` (included) to the first `to` after it (included);
// empty when either is missing.
inline std::string_view between(std::string_view text, std::string_view from, std::string_view to) {
  const auto start = text.find(from);
  if (start == std::string_view::npos) return {};
  const auto end = text.find(to, start + from.size());
  if (end == std::string_view::npos) return {};
  return text.substr(start, end + to.size() - start);
}

}  // namespace quorvane::document::testing
