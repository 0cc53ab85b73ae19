#include "TreeDump.h"

#include <cstdio>

#include "TextMatch.h"

namespace vltdrive {
namespace {

std::string Hex(unsigned long long value, int width) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%0*llx", width, value);
  return buffer;
}

}  // namespace

std::string FormatWindow(const WindowInfo& info) {
  std::string line(static_cast<size_t>(info.depth) * 2, ' ');
  if (info.depth == 0) {
    line += "window " + Hex(reinterpret_cast<uintptr_t>(info.hwnd), 8) + " ";
  }
  line += info.className + " " + Quoted(info.text);
  if (info.buttonKind != ButtonKind::NotAButton) line += std::string(" ") + KindName(info.buttonKind);
  if (info.checked) line += *info.checked ? " checked" : " unchecked";
  if (info.depth > 0 && info.controlId != 0) line += " id=" + std::to_string(info.controlId);
  if (!info.visible) line += " hidden";
  if (!info.enabled) line += " disabled";
  if (info.depth == 0) {
    line += " pid=" + Hex(info.processId, 4);
    char geometry[64];
    std::snprintf(geometry, sizeof geometry, " at %ld,%ld size %ldx%ld", info.rect.left, info.rect.top,
                  info.rect.right - info.rect.left, info.rect.bottom - info.rect.top);
    line += geometry;
  }
  return line;
}

std::string DumpTree(HWND top) {
  std::string text;
  for (const WindowInfo& info : WindowTree(top)) text += FormatWindow(info) + "\n";
  return text;
}

std::string DumpScreen(bool all) {
  std::string text;
  for (HWND hwnd : TopLevelWindows()) {
    if (IsWindowVisible(hwnd)) {
      text += DumpTree(hwnd);
    } else if (all) {
      text += FormatWindow(Describe(hwnd)) + "\n";
    }
  }
  return text.empty() ? "(no visible top-level window)\n" : text;
}

}  // namespace vltdrive
