#include "lang/ApplyLanguage.h"

#include "startup/Program.h"

namespace vlt {

void ApplyLanguage(Program&, const std::string&) {}

}  // namespace vlt
