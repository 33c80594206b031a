#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calc.h"

namespace quorvane::window {

enum class ControlKind { PictureBox, ScrollBar, Label, LinkLabel, TextBox, DropDownList, Button };

// Fonts a control may name; every other control uses the window's dialog font.
enum class ControlFont { Dialog, Title, Heading };

// One control of the window's fixed definition. Places are in twips (15 to a
// device-independent pixel), relative to the control's container: the window
// for the field area and the scroll bar, the field area for everything else.
struct ControlSpec {
  std::string_view name;
  ControlKind kind;
  std::string_view caption;
  int left, top, width, height;
  int tabIndex;
  ControlFont font = ControlFont::Dialog;
  std::string_view buddy = {};  // the label that names this field
};

inline constexpr std::string_view kProgramTitle = "Quorvane";
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 10740;
inline constexpr int kClientHeightTwips = 12240;
inline constexpr int kScrollStepTwips = 500;

inline constexpr std::string_view kPictureBox = "大图框";
inline constexpr std::string_view kScrollBar = "滚动条";
inline constexpr std::string_view kCalculateButton = "计算按钮";
inline constexpr std::string_view kClearButton = "清空按钮";
inline constexpr std::string_view kLegalBasisButton = "法条依据按钮";
inline constexpr std::string_view kHomeLink = "主页";
inline constexpr std::string_view kNoticeLabel = "Label59";

inline constexpr std::string_view kHomeAddress = "http://www.quorvane.com";
inline constexpr std::string_view kLegalBasisAddress =
    "http://www.quorvane.com/Topic.aspx?Id=15598";

extern const std::array<ControlSpec, 118> controlCatalogue;

// A drop-down list as the window starts: its items, and the item picked (the
// list stays unpicked when that item is not among them).
struct StartupList {
  std::string_view name;
  std::vector<std::string> items;
  std::string_view pick;
};

// The eight lists for today's year: the year lists follow it, and the
// accident-year list offers this year and the last, then every year the
// standards add, newest first. The window and the web page both start so.
[[nodiscard]] std::vector<StartupList> startupLists(int year, const StandardsTable& standards);

}  // namespace quorvane::window
