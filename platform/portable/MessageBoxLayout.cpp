#include "platform/portable/MessageBoxLayout.h"

#include <algorithm>

namespace vlt::win32 {
namespace {

// Dialog-unit distances, close to the system's own message box.
constexpr int kMargin = 8;           // around the contents
constexpr int kIconTextGap = 8;
constexpr int kTextButtonGap = 10;
constexpr int kButtonGap = 4;
constexpr int kButtonMinWidth = 50;
constexpr int kButtonHeight = 14;
constexpr int kCaptionPadding = 12;  // caption text to the button's edges, both sides together

}  // namespace

MessageBoxLayout LayOutMessageBox(const MessageBoxMetrics& m) {
  const auto dx = [&](int units) { return (units * m.baseUnitX + 2) / 4; };
  const auto dy = [&](int units) { return (units * m.baseUnitY + 4) / 8; };

  MessageBoxLayout layout;
  const int marginX = dx(kMargin);
  const int marginY = dy(kMargin);

  layout.icon = {marginX, marginY, m.iconWidth, m.iconHeight};
  const int textTop = marginY + std::max(0, (m.iconHeight - m.textHeight) / 2);
  layout.text = {layout.icon.Right() + dx(kIconTextGap), textTop, m.textWidth, m.textHeight};
  const int upperBottom = std::max(layout.icon.Bottom(), layout.text.Bottom());

  int widestCaption = 0;
  for (int width : m.captionWidths) widestCaption = std::max(widestCaption, width);
  const int buttonWidth = std::max(dx(kButtonMinWidth), widestCaption + dx(kCaptionPadding));
  const int buttonHeight = dy(kButtonHeight);
  const int count = static_cast<int>(m.captionWidths.size());
  const int rowWidth = count == 0 ? 0 : count * buttonWidth + (count - 1) * dx(kButtonGap);

  const int contentWidth = std::max(layout.text.Right() - marginX, rowWidth);
  layout.clientWidth = std::max(contentWidth + 2 * marginX, m.minClientWidth);

  if (count == 0) {
    layout.clientHeight = upperBottom + marginY;
    return layout;
  }
  const int rowTop = upperBottom + dy(kTextButtonGap);
  int left = (layout.clientWidth - rowWidth) / 2;
  for (int i = 0; i < count; ++i) {
    layout.buttons.push_back({left, rowTop, buttonWidth, buttonHeight});
    left += buttonWidth + dx(kButtonGap);
  }
  layout.clientHeight = rowTop + buttonHeight + marginY;
  return layout;
}

int MessageTextWidthLimit(int screenWidth) { return std::max(screenWidth / 2, 200); }

std::string WithDisplayLineBreaks(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    out.push_back(text[i]);
    if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) out.push_back('\n');
  }
  return out;
}

}  // namespace vlt::win32
