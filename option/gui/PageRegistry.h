#pragma once

#include <array>
#include <functional>
#include <memory>

#include "OptionPage.h"
#include "PageContext.h"

namespace option {

// How the main window gets its six pages, in tab order. A page added later
// replaces its entry here; until then its tab shows the page's background.
using PageFactory = std::function<std::unique_ptr<OptionPage>(const PageContext&)>;
std::array<PageFactory, OptionPage::kCount> pageFactories();

}  // namespace option
