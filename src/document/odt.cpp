#include "odt.h"

#include <array>
#include <cstddef>
#include <string_view>
#include <type_traits>
#include <variant>

#include "text.h"
#include "zip.h"

namespace quorvane::document {

namespace {

constexpr std::string_view xmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

constexpr std::string_view namespaces =
    " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
    " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
    " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
    " xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\""
    " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
    " xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\""
    " office:version=\"1.2\"";

// A reader without a face substitutes one of the generic family it names.
constexpr std::string_view fontFaces =
    "<office:font-face-decls>\n"
    "<style:font-face style:name=\"宋体\" svg:font-family=\"宋体\""
    " style:font-family-generic=\"roman\" style:font-pitch=\"variable\"/>\n"
    "<style:font-face style:name=\"黑体\" svg:font-family=\"黑体\""
    " style:font-family-generic=\"swiss\" style:font-pitch=\"variable\"/>\n"
    "</office:font-face-decls>\n";

constexpr std::string_view songti = "宋体";
constexpr std::string_view heiti = "黑体";

// The text width: A4's 21 cm less two margins of 2.5 cm.
constexpr int textWidthHundredthsCm = 1600;

// The face for Western, Asian and complex text alike: a Chinese document
// sets its Latin letters and digits in the same face as its characters.
std::string textProperties(std::string_view face, std::string_view size,
                           std::string_view more = {}) {
  std::string out = "<style:text-properties";
  for (std::string_view script : {"", "-asian", "-complex"}) {
    out += " style:font-name";
    out += script;
    out += "=\"";
    out += face;
    out += "\"";
    out += script.empty() ? " fo:font-size" : " style:font-size";
    out += script;
    out += "=\"";
    out += size;
    out += "\"";
  }
  out += more;
  out += "/>";
  return out;
}

struct NamedStyle {
  std::string_view name;
  std::string_view face;
  std::string_view size;
  std::string_view paragraph;  // the style's paragraph properties
};

// In the order of Style's values.
constexpr std::array<NamedStyle, 4> namedStyles{{
    {"Title", heiti, "18pt",
     "fo:text-align=\"center\" fo:margin-top=\"0cm\" fo:margin-bottom=\"0.5cm\""
     " fo:keep-with-next=\"always\""},
    {"Heading", heiti, "14pt",
     "fo:margin-top=\"0.4cm\" fo:margin-bottom=\"0.2cm\" fo:keep-with-next=\"always\""},
    {"Body", songti, "12pt", "fo:margin-top=\"0cm\" fo:margin-bottom=\"0.2cm\""},
    {"Small", songti, "10.5pt", "fo:margin-top=\"0cm\" fo:margin-bottom=\"0.2cm\""},
}};

// What a block starts with: nothing, a new page, or the document's first
// page, which names the master page so that every reader takes its layout.
enum class Head { none, pageBreak, first };

constexpr std::size_t headCount = 3;
constexpr std::size_t alignCount = 3;
constexpr std::size_t paragraphStyleCount = namedStyles.size() * alignCount * headCount * 2;

std::size_t paragraphKey(Style style, Align align, Head head, bool inCell) {
  const auto index = [](auto value) { return static_cast<std::size_t>(value); };
  return ((index(style) * alignCount + index(align)) * headCount + index(head)) * 2 +
         (inCell ? 1 : 0);
}

void escape(std::string& out, std::string_view text) {
  for (char c : text) appendEscaped(out, c, "&apos;");
}

class ContentWriter {
 public:
  explicit ContentWriter(const Document& document) {
    Head head = Head::first;
    for (const Block& block : document.blocks) {
      std::visit(
          [&](const auto& item) {
            using Item = std::decay_t<decltype(item)>;
            if constexpr (std::is_same_v<Item, Paragraph>) {
              writeParagraph(item, head, false);
              head = Head::none;
            } else if constexpr (std::is_same_v<Item, Table>) {
              writeTable(item, head);
              head = Head::none;
            } else {
              // A break with nothing after it yet: an empty paragraph takes
              // the page the one before asked for.
              if (head != Head::none) writeParagraph(Paragraph{}, head, false);
              head = Head::pageBreak;
            }
          },
          block);
    }
    if (head != Head::none) writeParagraph(Paragraph{}, head, false);
  }

  std::string result() const {
    std::string out{xmlDeclaration};
    out += "<office:document-content";
    out += namespaces;
    out += ">\n";
    out += fontFaces;
    out += "<office:automatic-styles>\n";
    out +=
        "<style:style style:name=\"T1\" style:family=\"text\"><style:text-properties"
        " fo:font-weight=\"bold\" style:font-weight-asian=\"bold\""
        " style:font-weight-complex=\"bold\"/></style:style>\n"
        "<style:style style:name=\"Cell\" style:family=\"table-cell\"><style:table-cell-properties"
        " fo:padding=\"0.1cm\" fo:border=\"0.5pt solid #000000\"/></style:style>\n";
    for (std::size_t key = 0; key < paragraphStyleCount; ++key) {
      if (used_[key]) out += paragraphStyle(key);
    }
    out += tableStyles_;
    out += "</office:automatic-styles>\n<office:body>\n<office:text>\n";
    out += body_;
    out += "</office:text>\n</office:body>\n</office:document-content>\n";
    return out;
  }

 private:
  static std::string paragraphStyleName(std::size_t key) { return "P" + std::to_string(key + 1); }

  static std::string paragraphStyle(std::size_t key) {
    const bool inCell = key % 2 == 1;
    const auto head = static_cast<Head>(key / 2 % headCount);
    const auto align = static_cast<Align>(key / 2 / headCount % alignCount);
    const std::size_t style = key / 2 / headCount / alignCount;
    std::string out = "<style:style style:name=\"" + paragraphStyleName(key) +
                      "\" style:family=\"paragraph\" style:parent-style-name=\"";
    out += namedStyles[style].name;
    out += "\"";
    if (head == Head::first) out += " style:master-page-name=\"Standard\"";
    out += "><style:paragraph-properties fo:text-align=\"";
    out += align == Align::left ? "start" : align == Align::centre ? "center" : "end";
    out += "\"";
    if (head == Head::pageBreak) out += " fo:break-before=\"page\"";
    // The cell's padding spaces its text; the style's spacing would add to it.
    if (inCell) out += " fo:margin-top=\"0cm\" fo:margin-bottom=\"0cm\"";
    out += "/></style:style>\n";
    return out;
  }

  void writeParagraph(const Paragraph& paragraph, Head head, bool inCell) {
    const std::size_t key = paragraphKey(paragraph.style, paragraph.align, head, inCell);
    used_[key] = true;
    body_ += "<text:p text:style-name=\"" + paragraphStyleName(key) + "\">";
    bool afterLetter = false;
    for (const Span& span : paragraph.spans) {
      const std::string text = cleanText(span.text);
      if (text.empty()) continue;
      if (span.bold) body_ += "<text:span text:style-name=\"T1\">";
      writeText(text, afterLetter);
      if (span.bold) body_ += "</text:span>";
    }
    body_ += "</text:p>";
    if (!inCell) body_ += '\n';
  }

  // ODF collapses white space: a space is written as itself only between
  // two letters, every other one as text:s, so that all of them are kept.
  void writeText(std::string_view text, bool& afterLetter) {
    std::size_t i = 0;
    while (i < text.size()) {
      const char c = text[i];
      if (c == '\n' || c == '\t') {
        body_ += c == '\n' ? "<text:line-break/>" : "<text:tab/>";
        afterLetter = false;
        ++i;
      } else if (c == ' ') {
        std::size_t end = text.find_first_not_of(' ', i);
        if (end == std::string_view::npos) end = text.size();
        std::size_t count = end - i;
        if (afterLetter && end < text.size() && text[end] != '\n' && text[end] != '\t') {
          body_ += ' ';
          --count;
        }
        if (count == 1) body_ += "<text:s/>";
        if (count > 1) body_ += "<text:s text:c=\"" + std::to_string(count) + "\"/>";
        afterLetter = false;
        i = end;
      } else {
        escape(body_, text.substr(i, 1));
        afterLetter = true;
        ++i;
      }
    }
  }

  void writeTable(const Table& table, Head head) {
    const std::vector<int> shares = columnShares(table);
    if (shares.empty()) return;
    const std::string name = "Table" + std::to_string(++tables_);

    tableStyles_ += "<style:style style:name=\"" + name + "\" style:family=\"table\"";
    if (head == Head::first) tableStyles_ += " style:master-page-name=\"Standard\"";
    tableStyles_ += "><style:table-properties style:width=\"" + hundredths(textWidthHundredthsCm) +
                    "cm\" table:align=\"margins\" table:border-model=\"collapsing\""
                    " fo:margin-top=\"0cm\" fo:margin-bottom=\"0.2cm\"";
    if (head == Head::pageBreak) tableStyles_ += " fo:break-before=\"page\"";
    tableStyles_ += "/></style:style>\n";

    body_ += "<table:table table:name=\"" + name + "\" table:style-name=\"" + name + "\">\n";
    for (std::size_t column = 0; column < shares.size(); ++column) {
      const std::string columnStyle = name + ".C" + std::to_string(column + 1);
      // A share is in hundredths of a percent: of 16 cm, share × 0.0016 cm.
      tableStyles_ += "<style:style style:name=\"" + columnStyle +
                      "\" style:family=\"table-column\"><style:table-column-properties"
                      " style:column-width=\"" +
                      hundredths((shares[column] * textWidthHundredthsCm + 5000) / 10000) +
                      "cm\" style:rel-column-width=\"" + std::to_string(shares[column]) +
                      "*\"/></style:style>\n";
      body_ += "<table:table-column table:style-name=\"" + columnStyle + "\"/>\n";
    }
    // The header rows a reader repeats on each page are those the table starts with.
    std::size_t headerRows = 0;
    while (headerRows < table.rows.size() && table.rows[headerRows].header) ++headerRows;
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
      if (row == 0 && headerRows > 0) body_ += "<table:table-header-rows>\n";
      writeRow(table.rows[row], shares.size());
      if (row + 1 == headerRows) body_ += "</table:table-header-rows>\n";
    }
    body_ += "</table:table>\n";
  }

  void writeRow(const Row& row, std::size_t columns) {
    body_ += "<table:table-row>";
    for (const PlacedCell& placed : placeCells(row, columns)) {
      body_ += "<table:table-cell table:style-name=\"Cell\" office:value-type=\"string\"";
      if (placed.span > 1) {
        body_ += " table:number-columns-spanned=\"" + std::to_string(placed.span) + "\"";
      }
      body_ += ">";
      if (placed.cell == nullptr || placed.cell->paragraphs.empty()) {
        writeParagraph(Paragraph{}, Head::none, true);
      } else {
        for (const Paragraph& paragraph : placed.cell->paragraphs) {
          writeParagraph(paragraph, Head::none, true);
        }
      }
      body_ += "</table:table-cell>";
      for (int covered = 1; covered < placed.span; ++covered) {
        body_ += "<table:covered-table-cell/>";
      }
    }
    body_ += "</table:table-row>\n";
  }

  std::array<bool, paragraphStyleCount> used_{};
  std::string tableStyles_;
  std::string body_;
  int tables_ = 0;
};

}  // namespace

std::string odtContent(const Document& document) {
  return ContentWriter(document).result();
}

std::string odtStyles() {
  std::string out{xmlDeclaration};
  out += "<office:document-styles";
  out += namespaces;
  out += ">\n";
  out += fontFaces;
  out += "<office:styles>\n<style:default-style style:family=\"paragraph\">";
  out +=
      "<style:paragraph-properties style:line-break=\"strict\" style:punctuation-wrap=\"hanging\""
      " style:writing-mode=\"lr-tb\"/>";
  // The language tags Chinese text for line breaking and for the reader's
  // choice of a substitute face.
  out += textProperties(songti, "12pt", " style:language-asian=\"zh\" style:country-asian=\"CN\"");
  out += "</style:default-style>\n";
  for (const NamedStyle& style : namedStyles) {
    out += "<style:style style:name=\"";
    out += style.name;
    out += "\" style:family=\"paragraph\" style:class=\"text\"><style:paragraph-properties ";
    out += style.paragraph;
    out += "/>";
    out += textProperties(style.face, style.size);
    out += "</style:style>\n";
  }
  out +=
      "</office:styles>\n<office:automatic-styles>\n"
      "<style:page-layout style:name=\"A4\"><style:page-layout-properties"
      " fo:page-width=\"21cm\" fo:page-height=\"29.7cm\" style:print-orientation=\"portrait\""
      " fo:margin-top=\"2.5cm\" fo:margin-bottom=\"2.5cm\" fo:margin-left=\"2.5cm\""
      " fo:margin-right=\"2.5cm\" style:writing-mode=\"lr-tb\"/></style:page-layout>\n"
      "</office:automatic-styles>\n<office:master-styles>\n"
      "<style:master-page style:name=\"Standard\" style:page-layout-name=\"A4\"/>\n"
      "</office:master-styles>\n</office:document-styles>\n";
  return out;
}

std::string odtManifest() {
  std::string out{xmlDeclaration};
  out +=
      "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\""
      " manifest:version=\"1.2\">\n"
      " <manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\""
      " manifest:media-type=\"application/vnd.oasis.opendocument.text\"/>\n"
      " <manifest:file-entry manifest:full-path=\"content.xml\" "
      "manifest:media-type=\"text/xml\"/>\n"
      " <manifest:file-entry manifest:full-path=\"styles.xml\" manifest:media-type=\"text/xml\"/>\n"
      "</manifest:manifest>\n";
  return out;
}

std::string odtFile(const Document& document) {
  return storedZip({{"mimetype", "application/vnd.oasis.opendocument.text"},
                    {"META-INF/manifest.xml", odtManifest()},
                    {"content.xml", odtContent(document)},
                    {"styles.xml", odtStyles()}});
}

}  // namespace quorvane::document
