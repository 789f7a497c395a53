#include "PageRegistry.h"

#include "AdvancedPage.h"
#include "BackgroundPage.h"
#include "LightPage.h"
#include "MainPage.h"
#include "TrophyPage.h"
#include "UpdatePage.h"

namespace option {
namespace {

PageFactory background(int face) {
  return [face](const PageContext& c) { return std::make_unique<BackgroundPage>(c.parent, face); };
}

}  // namespace

std::array<PageFactory, OptionPage::kCount> pageFactories() {
  return {
      [](const PageContext& c) { return std::make_unique<MainPage>(c); },
      background(247),  // Button Assign
      [](const PageContext& c) { return std::make_unique<AdvancedPage>(c); },
      [](const PageContext& c) { return std::make_unique<LightPage>(c); },
      [](const PageContext& c) { return std::make_unique<TrophyPage>(c); },
      [](const PageContext& c) { return std::make_unique<UpdatePage>(c); },
  };
}

}  // namespace option
