#include "html.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "sample.h"

namespace quorvane::document {
namespace {

using testing::between;
using testing::count;

TEST(HtmlDocument, ShowsWhatTheFileHolds) {
  const std::string html = htmlDocument(testing::sampleDocument());
  const struct {
    std::string_view from, to, needle;
  } cases[] = {
      {"<style>", "</style>", "@page{size:A4 portrait;margin:2.5cm}"},
      {"<table ", ">", "border-collapse:collapse;width:100%"},
      {"<colgroup>", "</colgroup>",
       "<col width=\"6%\"><col width=\"16%\"><col width=\"40%\"><col width=\"14%\">"
       "<col width=\"24%\">"},
      {"<thead>", "</thead>", "<th width=\"6%\" style=\"border:0.5pt solid #000000;"},
      {"<thead>", "</thead>", "<b>序号</b>"},
      {"<tbody>", "</tbody>", "<td colspan=\"3\" style="},
      {"<tbody>", "</tbody>", "<td colspan=\"5\" style="},
      {"<tbody>", "</tbody>", "按票据</p><p "},
      {"<p style=\"font-family:'黑体'", "</p>", "font-size:18pt;"},
      {"<body>", "赔偿清单", "text-align:center;"},
      {"<body>", "</body>", "<b>受害人：</b>某某  a\tb<br>c</p>"},
      {"<body>", "</body>", ">A&lt;&amp;&gt;&quot;&#39;B</p>"},
      {"<body>", "</body>", ">ctl|bad\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd|\xef\xbf\xbd</p>"},
      {"</table>", "第二页", "<p style=\"page-break-before:always;font-family:'黑体'"},
      {"小字", "</body>", "</p>\n<div style=\"page-break-before:always\"></div>\n"},
      {"<p style=\"font-family:'宋体','SimSun',serif;font-size:10.5pt;", "</p>",
       "text-align:right;"},
  };
  for (const auto& c : cases) {
    EXPECT_NE(between(html, c.from, c.to).find(c.needle), std::string_view::npos) << c.needle;
  }
  EXPECT_EQ(count(html, "page-break-before"), 2u);
  EXPECT_EQ(count(html, "<tr>"), 5u);
  EXPECT_EQ(count(html, "<td ") + count(html, "<th "), 5u + 5u + 3u + 5u + 1u);
}

TEST(HtmlDocument, BreakBeforeATable) {
  const std::string html =
      htmlDocument(Document{{paragraph("a"), PageBreak{}, Table{{100}, {Row{{cell({"t"})}}}}}});
  EXPECT_NE(html.find("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\""
                      " style=\"page-break-before:always;"),
            std::string::npos);
  EXPECT_EQ(count(html, "page-break-before"), 1u);
}

// The header rows the table starts with are its head, the others its body.
TEST(HtmlDocument, HeadAndBodyOfATable) {
  const Row header{{cell({"h"})}, true};
  const Row row{{cell({"r"})}};
  const struct {
    std::vector<Row> rows;
    std::size_t heads, bodies;
  } cases[] = {
      {{header, row}, 1, 1},
      {{header, header}, 1, 0},
      {{row, header}, 0, 1},
      {{}, 0, 0},
  };
  for (const auto& c : cases) {
    const std::string html = htmlDocument(Document{{Table{{100}, c.rows}}});
    EXPECT_EQ(count(html, "<thead>"), c.heads);
    EXPECT_EQ(count(html, "</thead>"), c.heads);
    EXPECT_EQ(count(html, "<tbody>"), c.bodies);
    EXPECT_EQ(count(html, "</tbody>"), c.bodies);
  }
}

}  // namespace
}  // namespace quorvane::document
