#include "odt.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "sample.h"

namespace quorvane::document {
namespace {

using testing::between;
using testing::count;

struct TextParagraph {
  std::string style;
  std::string inner;  // the XML inside text:p
};

// The text:p elements of content.xml, in order.
std::vector<TextParagraph> paragraphs(std::string_view xml) {
  constexpr std::string_view open = "<text:p text:style-name=\"";
  std::vector<TextParagraph> result;
  for (auto at = xml.find(open); at != std::string_view::npos; at = xml.find(open, at + 1)) {
    const auto name = at + open.size();
    const auto inner = xml.find("\">", name) + 2;
    result.push_back({std::string(xml.substr(name, inner - 2 - name)),
                      std::string(xml.substr(inner, xml.find("</text:p>", inner) - inner))});
  }
  return result;
}

std::string styleOf(std::string_view xml, std::string_view name) {
  return std::string(
      between(xml, "<style:style style:name=\"" + std::string(name) + "\"", "</style:style>"));
}

std::string styleOfText(std::string_view xml, std::string_view inner) {
  // The last one: an empty text is also in the empty cells before it.
  const auto found = paragraphs(xml);
  for (auto p = found.rbegin(); p != found.rend(); ++p) {
    if (p->inner == inner) return styleOf(xml, p->style);
  }
  ADD_FAILURE() << "no paragraph " << inner;
  return {};
}

std::string innerOf(const Paragraph& paragraph) {
  const auto found = paragraphs(odtContent(Document{{paragraph}}));
  return found.size() == 1 ? found[0].inner : "?";
}

TEST(OdtStyles, PageAndFacesWhereOdfPutsThem) {
  const std::string styles = odtStyles();
  const struct {
    std::string_view from, to, needle;
  } cases[] = {
      {"<office:automatic-styles>", "</office:automatic-styles>",
       "<style:page-layout style:name=\"A4\"><style:page-layout-properties fo:page-width=\"21cm\""
       " fo:page-height=\"29.7cm\" style:print-orientation=\"portrait\""},
      {"<style:page-layout-properties", "/>", "fo:margin-top=\"2.5cm\""},
      {"<style:page-layout-properties", "/>", "fo:margin-bottom=\"2.5cm\""},
      {"<style:page-layout-properties", "/>", "fo:margin-left=\"2.5cm\""},
      {"<style:page-layout-properties", "/>", "fo:margin-right=\"2.5cm\""},
      {"<office:master-styles>", "</office:master-styles>",
       "<style:master-page style:name=\"Standard\" style:page-layout-name=\"A4\"/>"},
      {"<office:font-face-decls>", "</office:font-face-decls>",
       "<style:font-face style:name=\"宋体\" svg:font-family=\"宋体\""
       " style:font-family-generic=\"roman\" style:font-pitch=\"variable\"/>"},
      {"<office:font-face-decls>", "</office:font-face-decls>",
       "<style:font-face style:name=\"黑体\" svg:font-family=\"黑体\""
       " style:font-family-generic=\"swiss\" style:font-pitch=\"variable\"/>"},
      {"<office:styles>", "</office:styles>", "<style:default-style style:family=\"paragraph\">"},
      {"<style:default-style", "</style:default-style>",
       "style:font-name=\"宋体\" fo:font-size=\"12pt\" style:font-name-asian=\"宋体\""
       " style:font-size-asian=\"12pt\""},
      {"<style:default-style", "</style:default-style>", "style:language-asian=\"zh\""},
  };
  for (const auto& c : cases) {
    EXPECT_NE(between(styles, c.from, c.to).find(c.needle), std::string_view::npos) << c.needle;
  }
  EXPECT_NE(styles.find("<office:document-styles xmlns:office="), std::string::npos);
  EXPECT_NE(
      odtContent({}).find(between(styles, "<office:font-face-decls>", "</office:font-face-decls>")),
      std::string::npos)
      << "content.xml declares the same faces";
}

TEST(OdtStyles, EveryStyleNamesItsWesternAndAsianFace) {
  const std::string styles = odtStyles();
  const struct {
    std::string_view name, face, size;
  } cases[] = {
      {"Title", "黑体", "18pt"},
      {"Heading", "黑体", "14pt"},
      {"Body", "宋体", "12pt"},
      {"Small", "宋体", "10.5pt"},
  };
  for (const auto& c : cases) {
    const std::string style =
        styleOf(between(styles, "<office:styles>", "</office:styles>"), c.name);
    const std::string face(c.face), size(c.size);
    for (const std::string& needle :
         {std::string("style:family=\"paragraph\""), "style:font-name=\"" + face + "\"",
          "style:font-name-asian=\"" + face + "\"", "style:font-name-complex=\"" + face + "\"",
          "fo:font-size=\"" + size + "\"", "style:font-size-asian=\"" + size + "\""}) {
      EXPECT_NE(style.find(needle), std::string::npos) << c.name << ": " << needle;
    }
  }
}

TEST(OdtContent, ColumnWidthsOnTableColumnStyles) {
  const std::vector<Row> twoCells{Row{{Cell{}, Cell{}}}};
  const struct {
    Table table;
    std::vector<std::string> widths, relative;
  } cases[] = {
      {{{6, 16, 40, 14, 24}, {}},
       {"0.96cm", "2.56cm", "6.4cm", "2.24cm", "3.84cm"},
       {"600*", "1600*", "4000*", "1400*", "2400*"}},
      {{{1, 2}, {}}, {"5.33cm", "10.67cm"}, {"3333*", "6667*"}},
      {{{63, 937}, {}}, {"1.01cm", "14.99cm"}, {"630*", "9370*"}},
      {{{}, twoCells}, {"8cm", "8cm"}, {"5000*", "5000*"}},
      {{{50, 0}, {}}, {"8cm", "8cm"}, {"5000*", "5000*"}},  // one not positive
  };
  for (const auto& c : cases) {
    const std::string content = odtContent(Document{{c.table}});
    const std::string style = styleOf(content, "Table1");
    EXPECT_NE(style.find("style:family=\"table\""), std::string::npos);
    EXPECT_NE(style.find("<style:table-properties style:width=\"16cm\" table:align=\"margins\""),
              std::string::npos);
    const std::string_view table = between(content, "<table:table ", "</table:table>");
    EXPECT_EQ(count(table, "<table:table-column "), c.widths.size());
    for (std::size_t i = 0; i < c.widths.size(); ++i) {
      const std::string name = "Table1.C" + std::to_string(i + 1);
      EXPECT_NE(table.find("<table:table-column table:style-name=\"" + name + "\"/>"),
                std::string::npos);
      EXPECT_NE(styleOf(content, name)
                    .find("style:family=\"table-column\">"
                          "<style:table-column-properties style:column-width=\"" +
                          c.widths[i] + "\" style:rel-column-width=\"" + c.relative[i] + "\"/>"),
                std::string::npos)
          << name;
    }
  }
}

TEST(OdtContent, CellsBorderedSpannedAndFilled) {
  const std::string content = odtContent(testing::sampleDocument());
  EXPECT_NE(styleOf(content, "Cell").find("fo:padding=\"0.1cm\" fo:border=\"0.5pt solid #000000\""),
            std::string::npos);
  EXPECT_NE(styleOf(content, "Table1").find("table:border-model=\"collapsing\""),
            std::string::npos);
  // Every row covers the five columns, every cell holds a paragraph.
  std::string_view rest = content;
  for (int row = 0; row < 5; ++row) {
    const std::string_view xml = between(rest, "<table:table-row>", "</table:table-row>");
    ASSERT_FALSE(xml.empty());
    EXPECT_EQ(count(xml, "<table:table-cell ") + count(xml, "<table:covered-table-cell/>"), 5u)
        << xml;
    EXPECT_EQ(
        count(xml, "<table:table-cell table:style-name=\"Cell\" office:value-type=\"string\""),
        count(xml, "<table:table-cell "));
    EXPECT_EQ(count(xml, "\"><text:p "), count(xml, "<table:table-cell ")) << xml;
    rest = rest.substr(static_cast<std::size_t>(xml.data() - rest.data()) + xml.size());
  }
  const struct {
    std::string_view span, after;
  } spans[] = {
      {"3",
       "合计</text:span></text:p></table:table-cell>"
       "<table:covered-table-cell/><table:covered-table-cell/><table:table-cell "},
      {"5",
       "跨过头</text:p></table:table-cell><table:covered-table-cell/>"
       "<table:covered-table-cell/><table:covered-table-cell/><table:covered-table-cell/>"
       "</table:table-row>"},
  };
  for (const auto& s : spans) {
    const std::string attribute = "table:number-columns-spanned=\"" + std::string(s.span) + "\"";
    EXPECT_NE(between(content, attribute, "</table:table-row>").find(s.after), std::string::npos)
        << s.span;
  }
  const std::string_view header =
      between(content, "<table:table-header-rows>", "</table:table-header-rows>");
  EXPECT_EQ(count(header, "<table:table-row>"), 1u);
  EXPECT_NE(header.find("序号"), std::string::npos);
  EXPECT_NE(between(content, "按票据</text:p>", "</table:table-cell>").find("<text:p "),
            std::string::npos)
      << "two paragraphs in one cell";
}

TEST(OdtContent, ParagraphStylesCarryAlignmentAndBreaks) {
  const std::string content = odtContent(testing::sampleDocument());
  const struct {
    std::string_view inner, parent, align;
    bool master, pageBreak, inCell;
  } cases[] = {
      {"赔偿清单", "Title", "center", true, false, false},
      {"A&lt;&amp;&gt;&quot;&apos;B", "Body", "start", false, false, false},
      {"第二页", "Heading", "start", false, true, false},
      {"小字", "Small", "end", false, false, false},
      {"1,000.00", "Body", "end", false, false, true},
      {"", "Body", "start", false, true, false},  // the break that ends the document
  };
  for (const auto& c : cases) {
    const std::string style = styleOfText(content, c.inner);
    const auto has = [&](std::string_view needle) {
      return style.find(needle) != std::string::npos;
    };
    EXPECT_TRUE(
        has("style:family=\"paragraph\" style:parent-style-name=\"" + std::string(c.parent) + "\""))
        << c.inner;
    EXPECT_TRUE(has("fo:text-align=\"" + std::string(c.align) + "\"")) << c.inner;
    EXPECT_EQ(has("style:master-page-name=\"Standard\""), c.master) << c.inner;
    EXPECT_EQ(has("fo:break-before=\"page\""), c.pageBreak) << c.inner;
    EXPECT_EQ(has("fo:margin-top=\"0cm\""), c.inCell) << c.inner;
  }
  EXPECT_NE(styleOf(content, "T1")
                .find("style:family=\"text\"><style:text-properties"
                      " fo:font-weight=\"bold\" style:font-weight-asian=\"bold\""),
            std::string::npos);
  EXPECT_NE(content.find("<text:span text:style-name=\"T1\">受害人：</text:span>某某"),
            std::string::npos);
}

TEST(OdtContent, BreaksGoOnTheBlockAfter) {
  const Block a = paragraph("a");
  const Block b = paragraph("b");
  const Block table = Table{{100}, {Row{{cell({"t"})}}}};
  const struct {
    std::vector<Block> blocks;
    std::vector<std::string> breaking;  // the paragraphs that start a page
    std::string_view tableStyle;        // what the table's style holds, if there is one
  } cases[] = {
      {{a, PageBreak{}, b}, {"b"}, ""},
      {{a, PageBreak{}, PageBreak{}, b}, {"", "b"}, ""},
      {{PageBreak{}, b}, {"b"}, ""},
      {{a, PageBreak{}, table}, {}, "fo:break-before=\"page\""},
      {{table, b}, {}, "style:master-page-name=\"Standard\""},
  };
  for (const auto& c : cases) {
    const std::string content = odtContent(Document{c.blocks});
    std::vector<std::string> breaking;
    for (const TextParagraph& p : paragraphs(content)) {
      if (styleOf(content, p.style).find("fo:break-before") != std::string::npos) {
        breaking.push_back(p.inner);
      }
    }
    EXPECT_EQ(breaking, c.breaking);
    if (!c.tableStyle.empty()) {
      EXPECT_NE(styleOf(content, "Table1").find(c.tableStyle), std::string::npos);
    }
    EXPECT_EQ(count(content, "style:master-page-name"), 1u) << "the first block only";
  }
}

TEST(OdtContent, TextKeepsSpacesTabsAndBreaksAndEscapes) {
  const struct {
    std::string text, inner;
  } cases[] = {
      {"a b", "a b"},
      {" a", "<text:s/>a"},
      {"a ", "a<text:s/>"},
      {"a   b", "a <text:s text:c=\"2\"/>b"},
      {"a \tb", "a<text:s/><text:tab/>b"},
      {"a\nb", "a<text:line-break/>b"},
      {"a\r\nb", "a<text:line-break/>b"},
      {"<&>\"'", "&lt;&amp;&gt;&quot;&apos;"},
      {"x\x01\x0b\x1f\x7fy", "xy"},
      {"x\xffy", "x\xef\xbf\xbdy"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(innerOf(paragraph(c.text)), c.inner) << c.text;
  EXPECT_EQ(innerOf(Paragraph{Style::body, Align::left, {{"粗", true}, {" 细", false}}}),
            "<text:span text:style-name=\"T1\">粗</text:span> 细");
  EXPECT_EQ(innerOf(Paragraph{Style::body, Align::left, {{"a", false}, {" ", true}}}),
            "a<text:span text:style-name=\"T1\"><text:s/></text:span>");
}

TEST(OdtContent, NoCharacterAFileCannotHold) {
  const std::string content = odtContent(testing::sampleDocument());
  for (char c : content) {
    const auto byte = static_cast<unsigned char>(c);
    EXPECT_TRUE(byte >= 0x20 || c == '\n') << static_cast<int>(byte);
    if (byte < 0x20 && c != '\n') break;
  }
  EXPECT_NE(content.find(">ctl|bad\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd|\xef\xbf\xbd</text:p>"),
            std::string::npos);
}

TEST(OdtManifest, NamesThePackageAndItsParts) {
  const std::string manifest = odtManifest();
  for (std::string_view needle : {
           "<manifest:manifest "
           "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\""
           " manifest:version=\"1.2\">",
           "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\""
           " manifest:media-type=\"application/vnd.oasis.opendocument.text\"/>",
           "<manifest:file-entry manifest:full-path=\"content.xml\" "
           "manifest:media-type=\"text/xml\"/>",
           "<manifest:file-entry manifest:full-path=\"styles.xml\" "
           "manifest:media-type=\"text/xml\"/>",
       }) {
    EXPECT_NE(manifest.find(needle), std::string::npos) << needle;
  }
}

}  // namespace
}  // namespace quorvane::document
