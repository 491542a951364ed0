#include "pages/check_results_page_logic.h"

namespace vk7 {

CheckResultsView BuildCheckResultsView(const CheckResult& result) {
  CheckResultsView view;
  view.rows = {result.missingShipClasses, result.shipDetails, result.missingPlanets,
               result.planetDetails, result.missingSystems};
  for (std::vector<std::string>& rows : view.rows) {
    if (rows.empty()) rows.emplace_back(kNoneRow);
  }
  view.anyMissing = result.anyMissing;
  view.summary = result.anyMissing ? kBattleMissingText : kBattleFineText;
  return view;
}

}  // namespace vk7
