#include "page.h"

#include <algorithm>
#include <stdexcept>

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

// The wasm as hex digits: gzip packs them to little more than the wasm itself
// gzipped, where the base64 of a single-file build hides the repeats it finds
// and costs the page a fifth more.
std::string wasmHex(std::string_view wasm) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(wasm.size() * 2);
  for (const char c : wasm) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
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
  replaceOnce(
      text, "/*engine*/",
      scriptSafe(engineScript) + "\nconst quorvaneEngineWasm = '" + wasmHex(engineWasm) + "';");
  replaceOnce(text, "/*page*/", scriptSafe(pageScript));
  return text;
}

}  // namespace quorvane::web
