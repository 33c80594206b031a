#pragma once

// The calculator as one web page, built from the window's control catalogue:
// every control at its place (twips / 15 px), with its caption, and its name as
// the element's id.

#include <string>
#include <string_view>

namespace quorvane::web {

// The markup of the window's client area: the field area with every control in
// it, and the scroll bar beside it.
[[nodiscard]] std::string windowMarkup();

// The page: the template with the window's markup, the page's script and the
// engine's script put in at their markers (<!--window-->, <!--title-->,
// /*page*/ and /*engine*/), the engine's wasm after its script as the string
// quorvaneEngineWasm, a character a byte, with quorvaneEngineAlphabet, the
// character that stands for each byte in byte order (every one below U+0200).
[[nodiscard]] std::string page(std::string_view pageTemplate, std::string_view pageScript,
                               std::string_view engineScript, std::string_view engineWasm);

}  // namespace quorvane::web
