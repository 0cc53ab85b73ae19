#include "uninstall/Checklist.h"

#include <string_view>

#include "common/Paths.h"
#include "install/ProductFiles.h"

namespace vlt {
namespace {

using namespace removal;

// A shortcut is this installation's where it leads here; a stale one is
// anybody's to clear; with nothing registered, presence decides.
bool OffersLink(const Findings& found, LinkPlace place) {
  if (place == LinkPlace::Missing) return false;
  if (place == LinkPlace::Stale) return true;
  return !found.foreign && (!found.registeredHere || place == LinkPlace::Here);
}

// A file of the install directory, by presence, or outside the registered
// installation by content.
bool OffersFile(const Findings& found, bool present, bool ours) {
  return !found.linked && (found.foreign ? ours : present);
}

// Outside the registered installation a file goes only where it is ours.
bool Ours(const RemovalPaths& paths, bool OursByContent::*file) {
  return !paths.onlyOurs || (*paths.onlyOurs).*file;
}

bool HaveInstallDir(const RemovalPaths& paths) {
  return !paths.installDir.empty() && !paths.installDirIsLink;
}

// The product's own data, where it was written and where Windows
// redirected it: each folder's `name`, or its files matching `mask`.
void DeleteData(const RemovalPaths& paths, RemovalPlan& plan, const char* name, const char* mask) {
  if (!HaveInstallDir(paths)) return;
  for (const std::string* folder : {&paths.installDir, &paths.virtualStore}) {
    if (folder->empty()) continue;
    if (name != nullptr) plan.push_back(DeleteFile{JoinPath(*folder, name)});
    if (mask != nullptr) plan.push_back(DeleteMatchingFiles{*folder + "\\", mask});
  }
}

constexpr ChecklistRow kRows[] = {
    {Item::Uninst, "CheckBox_DelUninst", [](const Findings&) { return true; },
     [](const RemovalPaths& paths, RemovalPlan& plan) {
       plan.push_back(WriteSelfRemovalScript{paths.exePath, paths.removeFolderWhenEmpty});
     }},
    {Item::Registry, "CheckBox_DelRegistry",
     [](const Findings& found) { return found.registryEntries; },
     [](const RemovalPaths& paths, RemovalPlan& plan) {
       plan.push_back(RemoveRegistryEntries{paths.installDir, paths.configIsOurs});
     }},
    {Item::Hilfe, "CheckBox_DelHilfe",
     [](const Findings& found) {
       return OffersFile(found, found.help, found.ours.helpFile || found.ours.helpContents);
     },
     [](const RemovalPaths& paths, RemovalPlan& plan) {
       if (!HaveInstallDir(paths)) return;
       for (std::string_view name : product::kHelpFiles) {
         // The help viewer's own files go with an own help file.
         if (Ours(paths, name == product::kHelpContentsFile ? &OursByContent::helpContents
                                                           : &OursByContent::helpFile)) {
           plan.push_back(DeleteFile{JoinPath(paths.installDir, name)});
         }
       }
     }},
    {Item::Exe, "CheckBox_DelExe",
     [](const Findings& found) { return OffersFile(found, found.exe, found.ours.exe); },
     [](const RemovalPaths& paths, RemovalPlan& plan) {
       if (HaveInstallDir(paths) && Ours(paths, &OursByContent::exe)) {
         plan.push_back(DeleteFile{JoinPath(paths.installDir, product::kExeFile)});
       }
     }},
    {Item::Startmenue, "CheckBox_DelStartmenue",
     [](const Findings& found) { return OffersLink(found, found.startMenuGroup); },
     [](const RemovalPaths& paths, RemovalPlan& plan) {
       if (paths.programsFolder.empty()) return;
       const std::string group = JoinPath(paths.programsFolder, product::kStartMenuGroup) + "\\";
       if (!paths.startMenuGroupIsLink) {
         plan.push_back(DeleteMatchingFiles{group, FileSystem::kEveryName});
       }
       plan.push_back(RemoveDirectory{group});
     }},
    {Item::DesktopLnk, "CheckBox_DelDesktopLnk",
     [](const Findings& found) { return OffersLink(found, found.desktopLink); },
     [](const RemovalPaths& paths, RemovalPlan& plan) {
       if (paths.desktopDirectory.empty()) return;
       plan.push_back(DeleteFile{JoinPath(paths.desktopDirectory, product::kDesktopLink)});
     }},
    {Item::Cfg, "CheckBox_DelCfg",
     [](const Findings& found) { return OffersFile(found, found.config, found.ours.config); },
     [](const RemovalPaths& paths, RemovalPlan& plan) {
       if (Ours(paths, &OursByContent::config)) {
         DeleteData(paths, plan, product::kConfigFile, nullptr);
       }
     }},
    {Item::PufferText, "CheckBox_DelPufferText",
     [](const Findings& found) { return OffersFile(found, found.textEntries, false); },
     [](const RemovalPaths& paths, RemovalPlan& plan) {
       if (!paths.onlyOurs) DeleteData(paths, plan, nullptr, product::kTextEntriesRemovalMask);
     }},
    {Item::PufferBild, "CheckBox_DelPufferBild",
     [](const Findings& found) { return OffersFile(found, found.pictureEntries, false); },
     [](const RemovalPaths& paths, RemovalPlan& plan) {
       if (!paths.onlyOurs) DeleteData(paths, plan, nullptr, product::kPictureEntriesRemovalMask);
     }},
    {Item::Sontiges, "CheckBox_DelSontiges",
     [](const Findings& found) { return OffersFile(found, found.otherFiles, false); },
     [](const RemovalPaths& paths, RemovalPlan& plan) {
       if (HaveInstallDir(paths) && !paths.onlyOurs && !IsVolumeRoot(paths.installDir)) {
         plan.push_back(DeleteOtherFiles{paths.installDir + "\\", FileSystem::kEveryName});
       }
     }},
};

}  // namespace

std::span<const ChecklistRow> Checklist() { return kRows; }

ItemSet OfferedItems(const Findings& found) {
  ItemSet offered;
  for (const ChecklistRow& row : kRows) offered.Set(row.item, row.offered(found));
  return offered;
}

RemovalPlan BuildRemovalPlan(ItemSet chosen, const RemovalPaths& paths) {
  RemovalPlan plan;
  for (const ChecklistRow& row : kRows) {
    if (chosen.Has(row.item)) row.remove(paths, plan);
  }
  return plan;
}

}  // namespace vlt
