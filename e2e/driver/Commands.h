// The commands of the script language, one handler each. A handler throws
// StepFailure when the program under test does not do what the step expects.
#pragma once

#include "Script.h"
#include "Session.h"

namespace vltdrive {

using CommandHandler = void (*)(Session&, const Command&);

// The handler for a command name from CommandSpecs(), or null.
CommandHandler FindHandler(const std::string& name);

// WindowCommands.cpp
void WaitWindow(Session&, const Command&);
void ExpectWindow(Session&, const Command&);
void WaitGone(Session&, const Command&);
void ExpectTitle(Session&, const Command&);
void CloseWindow(Session&, const Command&);
void Dump(Session&, const Command&);
void ListWindows(Session&, const Command&);

// ControlCommands.cpp
void ExpectText(Session&, const Command&);
void ExpectChecked(Session&, const Command&);
void ExpectEnabled(Session&, const Command&);
void ExpectVisible(Session&, const Command&);
void Click(Session&, const Command&);
void Tick(Session&, const Command&);
void SetText(Session&, const Command&);

// MessageBoxCommands.cpp
void ExpectMessageBox(Session&, const Command&);
void AnswerMessageBox(Session&, const Command&);

// ProcessCommands.cpp
void WaitExit(Session&, const Command&);
void ExpectRunning(Session&, const Command&);
void ExpectProcess(Session&, const Command&);
void WaitNoProcess(Session&, const Command&);

// KeyCommands.cpp
void PressKeys(Session&, const Command&);
void TypeText(Session&, const Command&);
void ExpectFocus(Session&, const Command&);

// NameCommands.cpp
void ExpectLabel(Session&, const Command&);
void ExpectAccessibleName(Session&, const Command&);

// ShellLinkCommand.cpp
void ReadLink(Session&, const Command&);

// RegistryCommands.cpp
void ExpectRegistryValue(Session&, const Command&);
void ExpectNoRegistry(Session&, const Command&);
void ExpectRegistryNames(Session&, const Command&);

// ScaleCommands.cpp
void ExpectRect(Session&, const Command&);
void ExpectWholeTexts(Session&, const Command&);
void ExpectOnScreen(Session&, const Command&);

// MiscCommands.cpp
void Screenshot(Session&, const Command&);
void SleepFor(Session&, const Command&);
void Echo(Session&, const Command&);
void Version(Session&, const Command&);

}  // namespace vltdrive
