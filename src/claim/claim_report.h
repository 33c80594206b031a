#pragma once

// The claim sheet on paper: the 【赔偿清单】 section of the report (the batch
// tool's --explain, the window's print and the page's).

#include <string>
#include <string_view>

#include "claim.h"
#include "report.h"

namespace quorvane::claim {

inline constexpr std::string_view kSectionTitle = "赔偿清单";

// The claim inputs as entered, then each item with its working and the payers.
[[nodiscard]] ReportSection reportSection(const ClaimInput& claim, const ClaimOutcome& outcome);

}  // namespace quorvane::claim
