#pragma once
// What the finish page starts: the installed product and the product web
// site, as requests for the shell.
#include <string>

#include "platform/Shell.h"

namespace vlt {

// Opens the product's executable in `installVerz` (as typed, a trailing
// backslash allowed) in a normal window, with an empty parameter text and
// `installVerz` unchanged as the working directory.
ShellExecuteRequest ProductStartRequest(const std::string& installVerz);

// Opens `address` with the default handler: no parameters, no working
// directory, shown.
ShellExecuteRequest WebSiteRequest(const std::string& address);

}  // namespace vlt
