#include "program/FailureText.h"

#include "common/Concat.h"

namespace vlt {

std::string FailureText(const Failure& failure, std::string_view systemText) {
  const std::string& subject = failure.subject;
  switch (failure.attempt) {
    case Attempt::Fault:
      return subject;
    case Attempt::WriteProfile:
      return Concat({"Unable to write to ", subject});
    case Attempt::WriteSelfRemovalScript:
      return Concat({"The self-removal script \"", subject, "\" could not be written: ", systemText});
    case Attempt::NameSelfRemovalScript:
      return Concat({"The self-removal script \"", subject,
                     "\" could not be written: The self-removal script cannot name \"",
                     failure.about,
                     "\": neither the path nor the system folder can be written in the "
                     "command interpreter's code page."});
    case Attempt::FindScriptFolder:
      return "No folder was found for the self-removal script: the shell knows neither the "
             "Windows folder, the Templates folder nor the user's profile folder.";
    case Attempt::FindSystemFolder:
      return "The system folder is unknown: the self-removal script cannot name the command "
             "interpreter.";
    default:
      return std::string(systemText);
  }
}

}  // namespace vlt
