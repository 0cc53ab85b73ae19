#include "install/InstallRun.h"

#include <algorithm>

#include "common/Paths.h"
#include "install/InstallDirRule.h"
#include "install/ProductFiles.h"
#include "install/ProtectedFolders.h"
#include "install/RegistryEntries.h"
#include "install/ShellLinks.h"
#include "install/VelToriRegistry.h"
#include "payload/FileArrayBinder.h"

namespace vlt {
namespace {

// One run's state and its steps, one overload each.
class Run {
 public:
  Run(Services& sys, const TDateiSammlung& payload, const InstallPage& page)
      : sys_(sys), payload_(payload), page_(page) {}

  InstallReport report;
  // Set by a step that ends the run.
  bool ended = false;

  void operator()(const step::Progress&) { page_.step(); }

  void operator()(const step::CreateDirectory& s) {
    IgnoreFailure(sys_.fs.ForceDirectories(s.path), "the confirmation that follows finds out");
  }

  void operator()(const step::ConfirmDirectory& s) {
    // A folder of Windows or of the users as a whole is refused itself,
    // however it is spelled: the removal must be free to empty and remove
    // the install directory.
    if (!IsAcceptableInstallDir(s.typed) || !sys_.fs.DirectoryExists(s.typed) ||
        ProtectedFolders(sys_.shell, sys_.fs).Contains(s.typed)) {
      page_.warn(&MessageTexts::MsgCreateDirError);
      ended = true;
      return;
    }
    report.folder = s.typed;
  }

  void operator()(const step::WriteLanguage& s) {
    // The language chosen on the language page, for the uninstaller.
    sys_.profile.Flush(s.config);
    report.failure = sys_.profile.WriteString(s.config, entries::kLanguageSection,
                                              entries::kLanguageKey, s.language);
    sys_.profile.Flush(s.config);
    ended = !report.failure.Ok();
  }

  void operator()(const step::ExtractEntry& s) {
    // A missing entry is reported like any failed extraction.
    Written(s.target,
            payload_.Holds(s.entry) && payload_.Items(s.entry).Entpacken(s.target, sys_.fs).Ok(),
            &MessageTexts::MsgExtractError);
  }

  void operator()(const step::CopyUninstaller& s) {
    Written(s.target, CopyWhole(s.setup, s.target), &MessageTexts::MsgCopyUninstallerError);
  }

  void operator()(const step::WriteRegistryEntries& s) {
    // Neither an autostart value for a missing product, nor an uninstall
    // entry for a missing uninstaller.
    const std::string& dir = report.folder;
    report.registryFailed = !VelToriRegistry(
        sys_.registry, sys_.profile, sys_.fs,
        {.installDir = dir,
         .install = true,
         .autoStart = s.autoStart && IsThere(JoinPath(dir, product::kExeFile)),
         .uninstallerWritten = IsThere(JoinPath(dir, product::kUninstallerFile))})
                                .Ok();
  }

  void operator()(const step::CreateFolder& s) {
    IgnoreFailure(sys_.fs.ForceDirectories(s.path), "its shortcuts are then silently missing");
  }

  void operator()(const step::CreateShortcut& s) {
    const Shortcut& link = s.shortcut;
    if (!IsThere(link.target)) return;
    report.failure = CreateShellLink(sys_.shell, link.linkFile, link.target, link.arguments);
    ended = !report.failure.Ok();
  }

  void operator()(const step::ReportRegistryFailure&) {
    if (report.registryFailed) page_.warn(&MessageTexts::MsgRegistryError);
  }

  void operator()(const step::ShowFinishPage& s) { page_.finish(IsThere(s.product)); }

 private:
  // A file of the folder written whole, or not: then noted and warned of.
  void Written(const std::string& path, bool whole, std::string MessageTexts::*warning) {
    if (whole) return;
    report.unwritten.push_back(path);
    page_.warn(warning);
  }

  // Whether a file the run wrote, or meant to, is there.
  bool IsThere(const std::string& path) const {
    const bool failed = std::ranges::any_of(
        report.unwritten, [&](const std::string& p) { return AsciiEqualNoCase(p, path); });
    return !failed || FileExists(sys_.fs, path);
  }

  // The uninstaller copy, checked whole; false (and no cut copy left) when
  // it is not.
  bool CopyWhole(const std::string& from, const std::string& to) {
    FileSystem& fs = sys_.fs;
    // Run as the uninstaller of the install directory itself, however the
    // directory was typed: the file is already there, and copying it onto
    // itself would fail.
    if (SameFile(fs, from, to)) return true;
    // A copy of a read-only setup program (started from a CD or a read-only
    // share) would be read-only too: the old one could not be replaced, nor
    // the new one erased by the self-removal.
    IgnoreFailure(fs.SetNormalAttributes(to), "the copy then fails, and says so");
    const bool copied = fs.CopyFile(from, to).Ok();
    const std::optional<std::uint64_t> size = fs.FileSize(from);
    if (copied && size && fs.FileSize(to) == size) {
      IgnoreFailure(fs.SetNormalAttributes(to), "a copy of a writable program is writable");
      return true;
    }
    // A cut copy would only fail with "Bad EXE format"; a copy that could
    // not be made leaves nothing, or the earlier file, to delete.
    IgnoreFailure(fs.DeleteFile(to), "what cannot be deleted is reported as not copied");
    return false;
  }

  Services& sys_;
  const TDateiSammlung& payload_;
  const InstallPage& page_;
};

}  // namespace

InstallReport RunInstall(const InstallPlan& plan, Services& sys, const TDateiSammlung& payload,
                         const InstallPage& page) {
  Run run(sys, payload, page);
  for (const InstallStep& step : plan) {
    std::visit(run, step);
    if (run.ended) break;
  }
  return std::move(run.report);
}

}  // namespace vlt
