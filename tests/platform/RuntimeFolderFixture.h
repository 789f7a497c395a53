#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Window.h"

// Gives each test its own runtime folder, so windows, sockets and registered
// message files of parallel tests never meet.
class RuntimeFolderFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vesk-msg-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    base_ = pattern;
    ::setenv("XDG_RUNTIME_DIR", base_.c_str(), 1);
  }
  void TearDown() override {
    platform::MSG msg;
    while (platform::PeekMessage(msg)) {
    }
    std::error_code ec;
    std::filesystem::remove_all(base_, ec);
  }
  std::string runtimeFolder() const { return base_ + "/vesk"; }
  // A window of the test's thread, destroyed when the variable goes out of
  // scope (before the locals its handler uses, when declared after them).
  class OwnedWindow {
   public:
    explicit OwnedWindow(platform::HWND h) : hwnd_(h) {}
    ~OwnedWindow() {
      if (hwnd_ != platform::kNoWindow) platform::DestroyWindow(hwnd_);
    }
    OwnedWindow(OwnedWindow&& o) noexcept : hwnd_(o.hwnd_) { o.hwnd_ = platform::kNoWindow; }
    OwnedWindow& operator=(OwnedWindow&&) = delete;
    operator platform::HWND() const { return hwnd_; }

   private:
    platform::HWND hwnd_;
  };
  static OwnedWindow window(std::string_view title, platform::WindowHandler handler) {
    return OwnedWindow(platform::CreateWindow(title, std::move(handler)));
  }

  std::string base_;
};
