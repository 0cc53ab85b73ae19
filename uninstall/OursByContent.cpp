#include "uninstall/OursByContent.h"

#include <array>
#include <span>
#include <vector>

#include "common/Paths.h"
#include "install/ProductFiles.h"
#include "install/RegistryEntries.h"
#include "lang/Language.h"
#include "payload/FileArrayBinder.h"
#include "common/ZLibEx.h"

namespace vlt {

OursByContent FindOursByContent(FileSystem& fs, ProfileFile& profile,
                                const TDateiSammlung& payload, const std::string& folder) {
  OursByContent ours;
  // The payload's entries by position, as the install writes them.
  const std::array<std::pair<const char*, bool*>, 3> files = {{
      {product::kExeFile, &ours.exe},
      {product::kHelpFile, &ours.helpFile},
      {product::kHelpContentsFile, &ours.helpContents},
  }};
  // The inflated block, gathered once a file asks for it.
  InflatedBytes block;
  bool inflated = false;
  for (int index = 0; index < static_cast<int>(files.size()) && payload.Holds(index); ++index) {
    const TDatei& entry = payload.Items(index);
    const std::string path = JoinPath(folder, files[index].first);
    if (fs.FileSize(path) != static_cast<std::uint64_t>(entry.DateiGroesse)) continue;
    if (!inflated) {
      const Inflated result =
          InflateStream(payload.SammlungsDaten().Bytes(), payload.InflatedLength(), block);
      if (result.status != kInflateOk) break;
      inflated = true;
    }
    if (!entry.LiesWithin(block.bytes.size())) continue;
    *files[index].second = fs.HoldsBytes(
        path, std::span(block.bytes).subspan(static_cast<std::size_t>(entry.DateiStart),
                                             static_cast<std::size_t>(entry.DateiGroesse)));
  }

  const std::string config = JoinPath(folder, product::kConfigFile);
  if (FileExists(fs, config)) {
    const std::string language =
        profile.ReadString(config, entries::kLanguageSection, entries::kLanguageKey, "");
    const std::string autostart =
        profile.ReadString(config, entries::kGeneralSection, entries::kAutostartKey, "");
    ours.config = ParseLanguage(language).has_value() &&
                  (autostart == entries::kAutostartOn || autostart == entries::kAutostartOff);
  }
  return ours;
}

}  // namespace vlt
