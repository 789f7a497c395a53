#include "PageRegistry.h"

#include "AdvancedPage.h"
#include "ButtonPage.h"
#include "LightPage.h"
#include "MainPage.h"
#include "TrophyPage.h"
#include "UpdatePage.h"

namespace option {
std::array<PageFactory, OptionPage::kCount> pageFactories() {
  return {
      [](const PageContext& c) { return std::make_unique<MainPage>(c); },
      [](const PageContext& c) { return std::make_unique<ButtonPage>(c); },
      [](const PageContext& c) { return std::make_unique<AdvancedPage>(c); },
      [](const PageContext& c) { return std::make_unique<LightPage>(c); },
      [](const PageContext& c) { return std::make_unique<TrophyPage>(c); },
      [](const PageContext& c) { return std::make_unique<UpdatePage>(c); },
  };
}

}  // namespace option
