#pragma once
// The start of a run: end the product, pick the mode, restore the stored
// language, create the pages, apply the language and run the event loop.
#include <string>

#include "platform/Services.h"

namespace vlt {

class Program;

inline constexpr const char* kApplicationTitle = "VelTori Advanced Setup";
inline constexpr const char* kNoLanguage = "ERROR";

// The language stored in config.vlt beside `exePath` (install/RegistryEntries.h
// names the section and key), or "ERROR" when none is stored or it cannot be
// read.
std::string ReadStoredLanguage(ProfileFile& profile, const std::string& exePath);

// Creates the pages of this run in their order; the first becomes the main page.
void CreatePages(Program& program);

// Setup mode: loads and checks the payload into program.CheckedPayload. A
// missing or damaged one is reported (in both languages) and ends the run:
// false, and the application is asked to terminate.
bool LoadCheckedPayload(Program& program);

// Everything before the event loop: the title, ending running copies of the
// product, the stored language (uninstall mode) or the checked payload
// (setup mode), the pages and their language. A damaged payload ends it
// before any page is created.
void StartProgram(Program& program);

// The whole run, from the title to the end of the event loop; without pages
// (a damaged payload) there is no loop to run.
void RunProgram(Program& program);
void RunProgram(Services& services);

}  // namespace vlt
