#include <gtest/gtest.h>

#include <string>

#include "payload/FileArrayBinder.h"

namespace vlt {
namespace {

// Some other object that can take part in Assign.
class OtherPersistent : public Persistent {
 public:
  void Assign(const Persistent&) override {}
};

void FillThree(TFileArrayBinder& binder) {
  for (const char* name : {"veltori.exe", "veltori.hlp", "veltori.cnt"}) {
    binder.DateiSammlung().Add().Dateiname = name;
  }
}

TEST(PayloadContainer, IndexesOutsideTheRangeAreNotHeld) {
  TFileArrayBinder binder;
  FillThree(binder);
  for (int index : {3, -1, 1000, INT32_MIN}) {
    EXPECT_FALSE(binder.DateiSammlung().Holds(index)) << index;
  }
  for (int index : {0, 2}) EXPECT_TRUE(binder.DateiSammlung().Holds(index)) << index;
  EXPECT_EQ(binder.DateiSammlung().Count(), 3);

  const TFileArrayBinder& constBinder = binder;
  EXPECT_EQ(constBinder.DateiSammlung().Items(2).Dateiname, "veltori.cnt");
  EXPECT_FALSE(TFileArrayBinder().DateiSammlung().Holds(0));
}

TEST(PayloadContainerDeathTest, ItemsOutsideTheRangeEndWithTheListIndexMessage) {
  TFileArrayBinder binder;
  FillThree(binder);
  const TFileArrayBinder& constBinder = binder;
  EXPECT_DEATH(binder.DateiSammlung().Items(-1),
               "List index out of bounds \\(-1\\): the file collection holds 3 entries");
  EXPECT_DEATH(constBinder.DateiSammlung().Items(3), "List index out of bounds \\(3\\)");
}

TEST(PayloadContainer, EntriesKnowTheirCollectionAndIndex) {
  TFileArrayBinder binder;
  FillThree(binder);
  const TDatei& second = binder.DateiSammlung().Items(1);
  EXPECT_EQ(second.Index(), 1);
  EXPECT_EQ(&second.Collection(), &binder.DateiSammlung());
  EXPECT_EQ(&binder.DateiSammlung().Owner(), &binder);
  // A fresh entry starts empty.
  const TDatei& added = binder.DateiSammlung().Add();
  EXPECT_EQ(added.Index(), 3);
  EXPECT_EQ(added.Dateiname, "");
  EXPECT_EQ(added.DateiBeschreibung, "");
  EXPECT_EQ(added.DateiGroesse, 0);
  EXPECT_EQ(added.DateiStart, 0);
}

TEST(PayloadContainer, AssignCopiesFromAnEntryAndIgnoresOtherSources) {
  TFileArrayBinder a;
  TFileArrayBinder b;
  TDatei& source = a.DateiSammlung().Add();
  source.Dateiname = "veltori.hlp";
  source.DateiBeschreibung = "Hilfe";
  source.DateiGroesse = 117216;
  source.DateiStart = 794112;
  TDatei& target = b.DateiSammlung().Add();

  target.Assign(source);
  EXPECT_EQ(target.Dateiname, "veltori.hlp");
  EXPECT_EQ(target.DateiBeschreibung, "Hilfe");
  EXPECT_EQ(target.DateiGroesse, 117216);
  EXPECT_EQ(target.DateiStart, 794112);
  EXPECT_EQ(&target.Collection(), &b.DateiSammlung());  // it stays where it was

  target.Assign(OtherPersistent());
  EXPECT_EQ(target.Dateiname, "veltori.hlp");
  EXPECT_EQ(target.DateiGroesse, 117216);
  EXPECT_EQ(target.DateiStart, 794112);
}

}  // namespace
}  // namespace vlt
