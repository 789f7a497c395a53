#pragma once

#include <functional>

// One DPI level of the Main page: X and Y resolution in units of 100 DPI
// (1..64), enabled, X and Y linked, and whether it is the current level. It
// keeps its own copies for display and comparison and tells the page what the
// user changed with the row codes below (wParam high word of message 1117).
namespace option {

class DpiLevelRowModel {
 public:
  enum Code { kEnabled = 1, kX = 2, kBarClicked = 3, kY = 4, kLinked = 5 };
  static constexpr int kMin = 1, kMax = 64;
  using Post = std::function<void(int code, int value)>;

  explicit DpiLevelRowModel(Post post) : post_(std::move(post)) {}

  // From the image: values outside 1..64 show the nearest valid one. Posts
  // nothing.
  void load(int x, int y, bool enabled, bool linked);
  void setCurrent(bool current) { current_ = current; }

  int x() const { return x_; }
  int y() const { return y_; }
  bool enabled() const { return enabled_; }
  bool linked() const { return linked_; }
  bool current() const { return current_; }
  // The current level cannot be switched off.
  bool enableBoxEnabled() const { return !current_; }
  // Bar, sliders and spins follow the enable box; the link box never does.
  bool valueControlsEnabled() const { return enabled_; }

  // What the user did.
  void enableClicked(bool on);
  void linkClicked(bool on);
  void xSlider(int value);
  void ySlider(int value);
  // Spins report DPI (100..6400); the hundreds below count.
  void xSpin(int dpi);
  void ySpin(int dpi);
  void barClicked();

 private:
  void setX(int value, bool follow);
  void setY(int value, bool follow);

  Post post_;
  int x_ = kMin, y_ = kMin;
  bool enabled_ = false, linked_ = false, current_ = false;
};

}  // namespace option
