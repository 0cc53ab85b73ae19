#pragma once
// The application object: the running program's identity, its command line,
// and the event loop that runs the pages.
#include <cstdint>
#include <string>
#include <vector>

namespace vlt {

class Form;

class Application {
 public:
  virtual ~Application() = default;

  // Full path of the running executable.
  virtual std::string ExeName() const = 0;
  // The command line split by SplitCommandLine, without the program's own path.
  virtual std::vector<std::string> Arguments() const = 0;

  // The program's title, used for the default error report.
  virtual void SetTitle(const std::string& title) = 0;
  virtual std::string Title() const = 0;
  // The system's own text for an error code or HRESULT, in the user's
  // language, for a failure shown to the user.
  virtual std::string SystemMessage(std::uint32_t code) const = 0;

  // Shows `mainForm` and dispatches window messages until Terminate() is
  // called or the main form is closed. Returns at once when Terminate() was
  // called before.
  virtual void Run(Form& mainForm) = 0;
  // Asks the event loop to end once the running handler has returned.
  virtual void Terminate() = 0;
};

}  // namespace vlt
