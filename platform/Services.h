#pragma once
// Every platform service the program uses, handed to it at start-up.
#include "forms/FormHost.h"
#include "platform/Application.h"
#include "platform/FileSystem.h"
#include "platform/MessageDialog.h"
#include "platform/Processes.h"
#include "platform/ProfileFile.h"
#include "platform/Registry.h"
#include "platform/Resources.h"
#include "platform/Shell.h"

namespace vlt {

struct Services {
  Application& app;
  Processes& processes;
  ProfileFile& profile;
  Registry& registry;
  FileSystem& fs;
  Shell& shell;
  MessageDialog& dialog;
  Resources& resources;
  FormHost& forms;
};

}  // namespace vlt
