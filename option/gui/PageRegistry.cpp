#include "PageRegistry.h"

#include "BackgroundPage.h"
#include "MainPage.h"

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
      background(0),    // Advanced
      background(455),  // Color
      background(0),    // Trophy
      background(0),    // Update
  };
}

}  // namespace option
