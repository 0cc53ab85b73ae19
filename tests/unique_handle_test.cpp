#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/ComPtr.h"
#include "platform/UniqueHandle.h"

namespace vlt {
namespace {

// Handles are plain ints here; every Close is logged so a test can see
// exactly what was released, and how often.
std::vector<int> closed;

// Like file handles: -1 owns nothing, and 0 is a real handle.
struct MinusOneEmpty {
  using Type = int;
  static Type Empty() noexcept { return -1; }
  static void Close(Type value) noexcept { closed.push_back(value); }
};
// Like kernel and key handles: 0 owns nothing.
struct ZeroEmpty {
  using Type = int;
  static Type Empty() noexcept { return 0; }
  static void Close(Type value) noexcept { closed.push_back(value); }
};

using FileLike = UniqueHandle<MinusOneEmpty>;
using KeyLike = UniqueHandle<ZeroEmpty>;

class UniqueHandleTest : public ::testing::Test {
 protected:
  void SetUp() override { closed.clear(); }
};

TEST_F(UniqueHandleTest, ReleasesExactlyOnceAndNeverTheEmptyValue) {
  { FileLike none; EXPECT_FALSE(none); }
  { FileLike adoptedEmpty(-1); }
  { KeyLike none; }
  EXPECT_TRUE(closed.empty());

  { FileLike zero(0); EXPECT_TRUE(zero); }  // 0 is a handle when -1 is the empty value
  { KeyLike seven(7); }
  EXPECT_EQ(closed, (std::vector<int>{0, 7}));
}

TEST_F(UniqueHandleTest, MovingTransfersOwnership) {
  {
    KeyLike a(3);
    KeyLike b(std::move(a));
    EXPECT_EQ(a.Get(), 0);
    EXPECT_EQ(b.Get(), 3);
    KeyLike c(4);
    c = std::move(b);  // c's old handle goes at once
    EXPECT_EQ(closed, (std::vector<int>{4}));
    auto& alias = c;
    c = std::move(alias);  // self-move keeps the handle
    EXPECT_EQ(c.Get(), 3);
    EXPECT_EQ(closed, (std::vector<int>{4}));
  }
  EXPECT_EQ(closed, (std::vector<int>{4, 3}));
}

TEST_F(UniqueHandleTest, ResetReleaseAndPut) {
  FileLike h(5);
  h.Reset(5);  // the owned value again: kept open
  EXPECT_TRUE(closed.empty());
  h.Reset(6);
  EXPECT_EQ(closed, (std::vector<int>{5}));

  const int released = h.Release();
  EXPECT_EQ(released, 6);
  EXPECT_FALSE(h);

  h.Reset(8);
  int* slot = h.put();  // the old handle is released before the slot is handed out
  EXPECT_EQ(closed, (std::vector<int>{5, 8}));
  EXPECT_EQ(*slot, -1);
  *slot = 9;
  EXPECT_EQ(h.Get(), 9);
  h.Reset();
  EXPECT_EQ(closed, (std::vector<int>{5, 8, 9}));
}

// A COM-style object that counts its references.
struct FakeObject {
  int refs = 1;
  void AddRef() { ++refs; }
  void Release() { --refs; }
};

TEST(ComPtrTest, OwnsOneReference) {
  FakeObject a, b;
  {
    ComPtr<FakeObject> p = ComPtr<FakeObject>::Attach(&a);
    EXPECT_EQ(p.Get(), &a);
    EXPECT_EQ(a.refs, 1);
    ComPtr<FakeObject> q(std::move(p));
    EXPECT_FALSE(p);
    EXPECT_EQ(a.refs, 1);
    FakeObject** slot = q.put();  // releases a before handing out the slot
    EXPECT_EQ(a.refs, 0);
    EXPECT_EQ(*slot, nullptr);
    *slot = &b;
  }
  EXPECT_EQ(b.refs, 0);
}

TEST(ComPtrTest, MoveAssignmentReleasesTheOldReference) {
  FakeObject a, b;
  auto p = ComPtr<FakeObject>::Attach(&a);
  auto q = ComPtr<FakeObject>::Attach(&b);
  p = std::move(q);
  EXPECT_EQ(a.refs, 0);
  EXPECT_EQ(b.refs, 1);
  auto& alias = p;
  p = std::move(alias);
  EXPECT_EQ(b.refs, 1);
  p.Reset();
  EXPECT_EQ(b.refs, 0);
  p.Reset();  // nothing held: nothing released
  EXPECT_EQ(b.refs, 0);
}

}  // namespace
}  // namespace vlt
