// What a screen reader announces for a control. A control whose own text is
// not its name (an edit field) is named by the label right before it in
// z-order; expect-label reads that window itself, expect-acc-name asks the
// accessibility layer (oleacc) for the name it derives.
#include <windows.h>
#include <ole2.h>
#include <oleacc.h>

#include <cstdio>
#include <utility>

#include "Commands.h"
#include "TextMatch.h"
#include "Wide.h"
#include "WindowQuery.h"

namespace vltdrive {
namespace {

// Owns a string the accessibility layer hands out.
class OwnedBstr {
 public:
  OwnedBstr() = default;
  ~OwnedBstr() { SysFreeString(text_); }
  OwnedBstr(const OwnedBstr&) = delete;
  OwnedBstr& operator=(const OwnedBstr&) = delete;
  BSTR* put() {
    SysFreeString(std::exchange(text_, nullptr));
    return &text_;
  }
  std::string Utf8() const { return text_ ? ToUtf8(std::wstring_view(text_, SysStringLen(text_))) : std::string(); }

 private:
  BSTR text_ = nullptr;
};

std::string HresultText(HRESULT hr) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08lx", static_cast<unsigned long>(hr));
  return buffer;
}

// A field's text may be a whole licence: the report shows its start.
std::string Name(const WindowInfo& info) {
  constexpr size_t kShown = 40;
  const std::string text = info.text.size() > kShown ? info.text.substr(0, kShown) + "..." : info.text;
  return info.className + " " + Quoted(text) + (info.controlId ? " id=" + std::to_string(info.controlId) : "");
}

struct Label {
  bool found = false;  // the window before the control is a static text
  WindowInfo info;
  bool tabStop = false;
};

Label LabelBefore(HWND control) {
  Label label;
  HWND previous = GetWindow(control, GW_HWNDPREV);
  if (previous == nullptr) return label;
  label.info = Describe(previous, 1);
  label.found = EqualsNoCase(label.info.className, "Static");
  label.tabStop = (GetWindowLongW(previous, GWL_STYLE) & WS_TABSTOP) != 0;
  return label;
}

// The name oleacc gives the control's client object; S_FALSE (no name) is
// the empty text.
std::string AccessibleName(HWND control, HRESULT& result) {
  ComPtr<IAccessible> accessible;
  // __uuidof rather than IID_IAccessible: both libuuid and liboleacc define
  // that one, and the link would see it twice.
  result = AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                      accessible.put_void());
  if (FAILED(result) || !accessible) return {};
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  OwnedBstr name;
  result = accessible->get_accName(self, name.put());
  return name.Utf8();
}

WindowInfo FindOrFail(const Session& session, HWND top, const Selector& selector, double timeout) {
  std::optional<WindowInfo> control;
  if (PollUntil(timeout, [&] { return (control = FindControl(top, selector, false)).has_value(); })) {
    return *control;
  }
  throw StepFailure("no " + Describe(selector) + " in window " + Quoted(session.windowCaption) + " within " +
                    Seconds(timeout));
}

}  // namespace

void ExpectLabel(Session& session, const Command& command) {
  HWND top = RequireWindow(session, command);
  const std::string& wanted = command.args[1];
  const double timeout = StepTimeout(session, command);
  const WindowInfo control = FindOrFail(session, top, ParseSelector(command.args[0]), timeout);
  Label label;
  const bool ok = PollUntil(timeout, [&] {
    label = LabelBefore(control.hwnd);
    return label.found && !label.tabStop && label.info.text == wanted;
  });
  if (ok) {
    Say(Name(control) + " is named by the label " + Quoted(label.info.text) +
        (label.info.visible ? "" : " (hidden)") + " before it in z-order");
    return;
  }
  if (label.info.hwnd == nullptr) throw StepFailure(Name(control) + " is first in z-order: no label before it");
  if (!label.found) {
    throw StepFailure("the window before " + Name(control) + " in z-order is no label but " + Name(label.info));
  }
  if (label.tabStop) throw StepFailure("the label before " + Name(control) + " takes a tab stop");
  throw StepFailure("wanted the label " + Quoted(wanted) + " before " + Name(control) + ", saw " +
                    Quoted(label.info.text) + " (after " + Seconds(timeout) + ")");
}

void ExpectAccessibleName(Session& session, const Command& command) {
  HWND top = RequireWindow(session, command);
  const std::string& wanted = command.args[1];
  const double timeout = StepTimeout(session, command);
  const WindowInfo control = FindOrFail(session, top, ParseSelector(command.args[0]), timeout);
  ComScope com;
  if (!com.Ok()) throw StepFailure("CoInitializeEx failed for this thread");
  HRESULT result = S_OK;
  std::string name;
  const bool ok = PollUntil(timeout, [&] {
    name = AccessibleName(control.hwnd, result);
    return SUCCEEDED(result) && name == wanted;
  });
  if (ok) {
    Say("the accessibility layer names " + Name(control) + " " + Quoted(name));
    return;
  }
  throw StepFailure("wanted the accessible name " + Quoted(wanted) + " for " + Name(control) + ", the accessibility layer gave " +
                    (FAILED(result) ? "an error " + HresultText(result)
                     : result == S_FALSE ? std::string("no name (S_FALSE)")
                                         : Quoted(name)) +
                    " (after " + Seconds(timeout) + ")");
}

}  // namespace vltdrive
