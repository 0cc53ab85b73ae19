#include <gtest/gtest.h>

#include "platform/portable/DialogTemplate.h"

namespace vlt::win32 {
namespace {

using Words = std::vector<std::uint16_t>;

// Reads the template the way the system does, field by field.
class Reader {
 public:
  explicit Reader(const Words& words) : words_(words) {}
  std::uint16_t Word() { return words_.at(pos_++); }
  std::uint32_t Dword() {
    const std::uint32_t low = Word();
    return low | (static_cast<std::uint32_t>(Word()) << 16);
  }
  std::wstring String() {
    std::wstring text;
    while (std::uint16_t c = Word()) text.push_back(static_cast<wchar_t>(c));
    return text;
  }
  void AlignToDword() { pos_ += pos_ % 2; }
  std::size_t Position() const { return pos_; }

 private:
  const Words& words_;
  std::size_t pos_ = 0;
};

TEST(DialogTemplate, HeaderAndItemsReadBackAsTheSystemReadsThem) {
  DialogTemplate t(0x80C80000, L"Best\u00e4tigen", 9, L"Segoe UI");
  // Item texts of odd and even lengths, so that the padding before each
  // item is exercised both ways.
  t.AddItem(DialogTemplate::kStatic, 0x3, 20, L"");
  t.AddItem(DialogTemplate::kStatic, 0x80, 0xFFFF, L"Setup wirklich abbrechen?");
  t.AddItem(DialogTemplate::kButton, 0x1, 1000, L"&Ja");
  t.AddItem(DialogTemplate::kButton, 0x0, 1001, L"&Nein");

  Reader r(t.Data());
  EXPECT_EQ(r.Dword(), 0x80C80000u | DialogTemplate::kSetFont);
  EXPECT_EQ(r.Dword(), 0u);
  EXPECT_EQ(r.Word(), 4);  // item count
  for (int i = 0; i < 4; ++i) EXPECT_EQ(r.Word(), 0);
  EXPECT_EQ(r.Word(), 0);  // menu
  EXPECT_EQ(r.Word(), 0);  // class
  EXPECT_EQ(r.String(), L"Best\u00e4tigen");
  EXPECT_EQ(r.Word(), 9);
  EXPECT_EQ(r.String(), L"Segoe UI");

  struct Item {
    std::uint16_t controlClass;
    std::uint32_t style;
    std::uint16_t id;
    std::wstring text;
  } const items[] = {
      {DialogTemplate::kStatic, 0x3, 20, L""},
      {DialogTemplate::kStatic, 0x80, 0xFFFF, L"Setup wirklich abbrechen?"},
      {DialogTemplate::kButton, 0x1, 1000, L"&Ja"},
      {DialogTemplate::kButton, 0x0, 1001, L"&Nein"},
  };
  for (const Item& item : items) {
    r.AlignToDword();
    EXPECT_EQ(r.Position() % 2, 0u) << "items start on a 4-byte boundary";
    EXPECT_EQ(r.Dword(), item.style | DialogTemplate::kChild | DialogTemplate::kVisible);
    EXPECT_EQ(r.Dword(), 0u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(r.Word(), 0);
    EXPECT_EQ(r.Word(), item.id);
    EXPECT_EQ(r.Word(), 0xFFFF);
    EXPECT_EQ(r.Word(), item.controlClass);
    EXPECT_EQ(r.String(), item.text);
    EXPECT_EQ(r.Word(), 0);  // creation data
  }
  EXPECT_EQ(r.Position(), t.Data().size());
}

TEST(DialogTemplate, TextsEndAtAnEmbeddedNul) {
  DialogTemplate t(0, std::wstring_view(L"ab\0cd", 5), 8, L"MS Shell Dlg");
  Reader r(t.Data());
  for (int i = 0; i < 11; ++i) r.Word();  // up to the title
  EXPECT_EQ(r.String(), L"ab");
  EXPECT_EQ(r.Word(), 8);  // the point size follows at once
}

}  // namespace
}  // namespace vlt::win32
