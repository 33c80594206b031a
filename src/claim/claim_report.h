#pragma once

// The claim sheet on paper and beside each figure: the 【赔偿清单】 section of
// the report (the batch tool's --explain and the window's print), and each
// column's working for the window's and the page's tooltips.

#include <string>
#include <string_view>
#include <vector>

#include "claim.h"
#include "report.h"

namespace quorvane::claim {

inline constexpr std::string_view kSectionTitle = "赔偿清单";

// Each column's working, in columnNames() order; empty where there is none.
[[nodiscard]] std::vector<std::string> columnWorking(const ClaimOutcome& outcome);

// The claim inputs as entered, then each item with its working and the payers.
[[nodiscard]] ReportSection reportSection(const ClaimInput& claim, const ClaimOutcome& outcome);

}  // namespace quorvane::claim
