#pragma once

#include "device/Transport.h"
#include "mousesim/MouseModel.h"

namespace mousesim {

// The simulated mouse in-process, as a transport for the protocol code.
class ModelTransport : public device::Transport {
 public:
  explicit ModelTransport(MouseModel& model) : model_(model) {}
  bool setFeature(std::span<const std::uint8_t> report) override {
    return model_.setFeature(report);
  }
  bool getFeature(std::span<std::uint8_t> report) override { return model_.getFeature(report); }

 private:
  MouseModel& model_;
};

}  // namespace mousesim
