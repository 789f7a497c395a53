#include "option/DpiLevelRowModel.h"

#include <algorithm>

namespace option {
namespace {
int clampLevel(int v) { return std::clamp(v, DpiLevelRowModel::kMin, DpiLevelRowModel::kMax); }
}  // namespace

void DpiLevelRowModel::load(int x, int y, bool enabled, bool linked) {
  x_ = clampLevel(x);
  y_ = clampLevel(y);
  enabled_ = enabled;
  linked_ = linked;
}

void DpiLevelRowModel::enableClicked(bool on) {
  if (current_ && !on) return;  // the box is disabled on the current level
  enabled_ = on;
  post_(kEnabled, on ? 1 : 0);
}

void DpiLevelRowModel::linkClicked(bool on) {
  linked_ = on;
  post_(kLinked, on ? 1 : 0);
  if (linked_ && y_ != x_) {
    y_ = x_;
    post_(kY, y_);
  }
}

void DpiLevelRowModel::setX(int value, bool follow) {
  value = clampLevel(value);
  if (value == x_) return;
  x_ = value;
  post_(kX, x_);
  if (follow && linked_ && y_ != x_) {
    y_ = x_;
    post_(kY, y_);
  }
}

void DpiLevelRowModel::setY(int value, bool follow) {
  value = clampLevel(value);
  if (value == y_) return;
  y_ = value;
  post_(kY, y_);
  if (follow && linked_ && x_ != y_) {
    x_ = y_;
    post_(kX, x_);
  }
}

void DpiLevelRowModel::xSlider(int value) { setX(value, true); }
void DpiLevelRowModel::ySlider(int value) { setY(value, true); }
void DpiLevelRowModel::xSpin(int dpi) { setX(dpi / 100, true); }
void DpiLevelRowModel::ySpin(int dpi) { setY(dpi / 100, true); }
void DpiLevelRowModel::barClicked() { post_(kBarClicked, current_ ? 1 : 0); }

}  // namespace option
