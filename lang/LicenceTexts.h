#pragma once
// The licence agreement shown on the licence page, one per language.
#include <string>
#include <string_view>

#include "lang/Language.h"

namespace vlt {

// The whole agreement of `language`: lines separated by "\r\n", no line
// break after the last line. The product web site host (VELTORI_WEBSITE
// without its scheme) appears in the availability section and the closing
// line. Built once; the view stays valid for the program's life.
std::string_view LicenceText(Language language);

// `address` without a leading "scheme://" and without anything from the
// first "/" after the host on; e.g. "http://www.x.example/" -> "www.x.example".
std::string WebsiteHost(std::string_view address);

}  // namespace vlt
