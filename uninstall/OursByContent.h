#pragma once
// Which product files in a folder are this setup's own by what they hold,
// not by their names: in a folder that is not the registered installation,
// a file named veltori.exe may be the user's own build.
#include <string>

#include "platform/FileSystem.h"
#include "platform/ProfileFile.h"

namespace vlt {

class TDateiSammlung;

struct OursByContent {
  bool exe = false;          // veltori.exe with the bytes of payload entry 0
  bool helpFile = false;     // veltori.hlp with those of entry 1
  bool helpContents = false; // veltori.cnt with those of entry 2
  bool config = false;       // a config.vlt with the two keys this setup writes
  bool Any() const { return exe || helpFile || helpContents || config; }
};

// Looks at `folder`'s product files. The payload is inflated only when a
// file there has the size of its entry; a payload that does not inflate
// makes no file ours. config.vlt counts when its language key names a
// language and its autostart key holds "ja" or "nein": what every install
// writes, whatever the product adds.
OursByContent FindOursByContent(FileSystem& fs, ProfileFile& profile,
                                const TDateiSammlung& payload, const std::string& folder);

}  // namespace vlt
