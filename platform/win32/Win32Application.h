#pragma once
// The application object on Windows: the running executable, its command
// line, and the message loop that runs the pages.
#include "platform/Application.h"

namespace vlt::win32 {

class Win32Application : public Application {
 public:
  std::string ExeName() const override;
  std::vector<std::string> Arguments() const override;
  void SetTitle(const std::string& title) override { title_ = title; }
  std::string Title() const override { return title_; }
  std::string SystemMessage(std::uint32_t code) const override;
  // Shows `mainForm`, then runs the thread's message loop; keyboard messages
  // for a page go through the page's dialog navigation first.
  void Run(Form& mainForm) override;
  // Sets the flag and posts the quit message, which ends the loop (and any
  // modal loop running at that moment) once the running handler returns.
  void Terminate() override;

 private:
  std::string title_;
  bool terminated_ = false;
};

}  // namespace vlt::win32
