#include "page.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <vector>

#include "catalogue.h"

namespace quorvane::web {
namespace {

using window::controlCatalogue;
using window::ControlFont;
using window::ControlKind;
using window::ControlSpec;

// Rounded as the window rounds (half away from zero), so both put a control on
// the same pixel.
int pixels(int twips) {
  const int sign = twips < 0 ? -1 : 1;
  return sign * ((sign * twips * 2 + window::kTwipsPerPixel) / (2 * window::kTwipsPerPixel));
}

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string px(int twips) {
  return std::to_string(pixels(twips)) + "px";
}

std::string placed(const ControlSpec& spec) {
  return " style=\"left:" + px(spec.left) + ";top:" + px(spec.top) + ";width:" + px(spec.width) +
         ";height:" + px(spec.height) + "\"";
}

// Tab order as the window's TabIndex; 0 would mean "in document order" in HTML.
std::string tabIndex(const ControlSpec& spec) {
  return " tabindex=\"" + std::to_string(spec.tabIndex + 1) + "\"";
}

std::string fontClass(const ControlSpec& spec) {
  switch (spec.font) {
    case ControlFont::Title:
      return " title-font";
    case ControlFont::Heading:
      return " heading-font";
    case ControlFont::Dialog:
      break;
  }
  return "";
}

// The field a label names, when it is some field's buddy.
std::string_view buddyOf(std::string_view label) {
  const auto field = std::find_if(controlCatalogue.begin(), controlCatalogue.end(),
                                  [&](const ControlSpec& spec) { return spec.buddy == label; });
  return field == controlCatalogue.end() ? std::string_view{} : field->name;
}

std::string element(const ControlSpec& spec) {
  const std::string id = " id=\"" + escaped(spec.name) + "\"";
  switch (spec.kind) {
    case ControlKind::PictureBox:
      return "<div" + id + " class=\"picture-box\"" + tabIndex(spec) + placed(spec) +
             " data-height=\"" + std::to_string(spec.height) + "\">";
    case ControlKind::ScrollBar:
      return "<input type=\"range\"" + id +
             " class=\"scroll-bar\" min=\"0\" max=\"0\" value=\"0\"" + " step=\"1\"" +
             tabIndex(spec) + placed(spec) + " data-step=\"" +
             std::to_string(window::kScrollStepTwips) + "\">";
    case ControlKind::Label: {
      const auto field = buddyOf(spec.name);
      const std::string tag = field.empty() ? "div" : "label";
      const std::string target = field.empty() ? "" : " for=\"" + escaped(field) + "\"";
      return "<" + tag + id + target + " class=\"label" + fontClass(spec) + "\"" + placed(spec) +
             ">" + escaped(spec.caption) + "</" + tag + ">";
    }
    case ControlKind::LinkLabel:
      return "<a" + id + " class=\"link\" href=\"" + escaped(window::kHomeAddress) +
             "\" target=\"_blank\" rel=\"noopener\"" + tabIndex(spec) + placed(spec) + ">" +
             escaped(spec.caption) + "</a>";
    case ControlKind::TextBox:
      return "<input type=\"text\"" + id +
             " class=\"text-box\" autocomplete=\"off\" spellcheck=\"false\"" + tabIndex(spec) +
             placed(spec) + ">";
    case ControlKind::DropDownList:
      return "<select" + id + " class=\"list\"" + tabIndex(spec) + placed(spec) + "></select>";
    case ControlKind::Button: {
      const std::string address = spec.name == window::kLegalBasisButton
                                      ? " data-href=\"" + escaped(window::kLegalBasisAddress) + "\""
                                      : "";
      return "<button type=\"button\"" + id + " class=\"button\"" + address + tabIndex(spec) +
             placed(spec) + ">" + escaped(spec.caption) + "</button>";
    }
  }
  return "";
}

void replaceOnce(std::string& text, std::string_view marker, std::string_view by) {
  const auto at = text.find(marker);
  if (at == std::string::npos) {
    throw std::invalid_argument("the page template has no " + std::string(marker));
  }
  text.replace(at, marker.size(), by);
}

// The wasm as the text of a JavaScript string, a character a byte, and the
// alphabet giving each byte's character (the alphabet's character at index b
// stands for byte b). The 93 commonest bytes take the ASCII characters that
// need no escape in a single-quoted string and cannot start a tag in a script
// element (all printable ones but \, ' and <, and tab); the others take
// U+00A0 on, two bytes each in UTF-8. A repeat in the wasm stays a repeat of
// the same bytes, which gzip packs to a twenty-fifth more than the wasm
// gzipped, where hex digits cost an eighth more and base64 nearly a third.
struct WasmText {
  std::string alphabet;
  std::string text;
};

void appendCodePoint(std::string& out, unsigned codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

WasmText wasmText(std::string_view wasm) {
  std::array<std::size_t, 256> counts{};
  for (const char c : wasm) ++counts[static_cast<unsigned char>(c)];
  std::array<unsigned, 256> byCount{};
  for (unsigned b = 0; b < 256; ++b) byCount[b] = b;
  std::stable_sort(byCount.begin(), byCount.end(),
                   [&](unsigned a, unsigned b) { return counts[a] > counts[b]; });
  std::vector<unsigned> characters{'\t'};
  for (unsigned c = ' '; c <= '~'; ++c) {
    if (c != '\\' && c != '\'' && c != '<') characters.push_back(c);
  }
  for (unsigned c = 0xA0; characters.size() < 256; ++c) characters.push_back(c);
  std::array<unsigned, 256> characterOf{};
  for (std::size_t rank = 0; rank < 256; ++rank) characterOf[byCount[rank]] = characters[rank];

  WasmText out;
  for (const unsigned c : characterOf) appendCodePoint(out.alphabet, c);
  out.text.reserve(wasm.size() * 3 / 2);
  for (const char c : wasm) appendCodePoint(out.text, characterOf[static_cast<unsigned char>(c)]);
  return out;
}

}  // namespace

std::string windowMarkup() {
  std::string markup = "<div id=\"窗口\" style=\"width:" + px(window::kClientWidthTwips) +
                       ";height:" + px(window::kClientHeightTwips) + "\">\n";
  std::string scrollBar;
  // Catalogue order is stacking order: the link lies over the notice.
  for (const auto& spec : controlCatalogue) {
    if (spec.kind == ControlKind::PictureBox) {
      markup += element(spec) + "\n";
    } else if (spec.kind == ControlKind::ScrollBar) {
      scrollBar = element(spec);
    } else {
      markup += "  " + element(spec) + "\n";
    }
  }
  markup += "</div>\n" + scrollBar + "\n</div>";
  return markup;
}

std::string page(std::string_view pageTemplate, std::string_view pageScript,
                 std::string_view engineScript, std::string_view engineWasm) {
  std::string text(pageTemplate);
  replaceOnce(text, "<!--title-->", escaped(window::kProgramTitle));
  replaceOnce(text, "<!--window-->", windowMarkup());
  // A script must not close its own element early.
  auto scriptSafe = [](std::string_view script) {
    std::string safe(script);
    for (auto at = safe.find("</script"); at != std::string::npos; at = safe.find("</script", at)) {
      safe.replace(at, 2, "<\\/");
    }
    return safe;
  };
  // The page's script first: the wasm's text could hold its marker.
  replaceOnce(text, "/*page*/", scriptSafe(pageScript));
  const auto wasm = wasmText(engineWasm);
  replaceOnce(text, "/*engine*/",
              scriptSafe(engineScript) + "\nconst quorvaneEngineWasm = '" + wasm.text +
                  "';\nconst quorvaneEngineAlphabet = '" + wasm.alphabet + "';");
  return text;
}

}  // namespace quorvane::web
