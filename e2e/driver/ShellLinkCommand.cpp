// read-link: loads a shortcut through the shell link object, as Explorer
// would, and prints (and optionally checks) what it points at.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>

#include "Commands.h"
#include "TextMatch.h"
#include "Wide.h"

namespace vltdrive {
namespace {

std::string HresultText(HRESULT hr) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08lx", static_cast<unsigned long>(hr));
  return buffer;
}

void Check(const Command& command, const char* option, const char* label, const std::string& seen) {
  if (command.Has(option) && command.Option(option) != seen) {
    throw StepFailure(std::string("wanted ") + label + " " + Quoted(command.Option(option)) + ", saw " +
                      Quoted(seen));
  }
}

}  // namespace

void ReadLink(Session&, const Command& command) {
  const std::string& path = command.args[0];
  ComScope com;
  if (!com.Ok()) throw StepFailure("CoInitializeEx failed for this thread");

  ComPtr<IShellLinkW> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void());
  if (FAILED(hr)) throw StepFailure("cannot create the shell link object: " + HresultText(hr));
  ComPtr<IPersistFile> file;
  hr = link->QueryInterface(IID_IPersistFile, file.put_void());
  if (FAILED(hr)) throw StepFailure("the shell link object has no IPersistFile: " + HresultText(hr));
  hr = file->Load(ToWide(path).c_str(), STGM_READ);
  if (FAILED(hr)) throw StepFailure("cannot load " + Quoted(path) + ": " + HresultText(hr));

  wchar_t buffer[INFOTIPSIZE] = {};
  auto read = [&](HRESULT result) { return SUCCEEDED(result) ? ToUtf8(buffer) : std::string(); };
  const std::string target = read(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH));
  buffer[0] = 0;
  const std::string arguments = read(link->GetArguments(buffer, INFOTIPSIZE));
  buffer[0] = 0;
  const std::string workdir = read(link->GetWorkingDirectory(buffer, MAX_PATH));
  buffer[0] = 0;
  const std::string description = read(link->GetDescription(buffer, INFOTIPSIZE));
  buffer[0] = 0;
  int iconIndex = 0;
  const std::string icon = read(link->GetIconLocation(buffer, MAX_PATH, &iconIndex));

  Say("target:      " + Quoted(target) + "\narguments:   " + Quoted(arguments) + "\nworkdir:     " +
      Quoted(workdir) + "\ndescription: " + Quoted(description) + "\nicon:        " + Quoted(icon) + "," +
      std::to_string(iconIndex));
  Check(command, "--target", "target", target);
  Check(command, "--arguments", "arguments", arguments);
  Check(command, "--workdir", "working directory", workdir);
  Check(command, "--description", "description", description);
}

}  // namespace vltdrive
