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

TEST(PayloadContainer, ItemsOutsideTheRangeRaiseTheListIndexError) {
  TFileArrayBinder binder;
  FillThree(binder);
  for (int index : {3, -1, 1000, INT32_MIN}) {
    try {
      binder.DateiSammlung().Items(index);
      ADD_FAILURE() << "no error for index " << index;
    } catch (const ListIndexError& e) {
      EXPECT_EQ(e.Index(), index);
      EXPECT_EQ(std::string(e.what()).rfind(
                    "List index out of bounds (" + std::to_string(index) + ")", 0),
                0u)
          << e.what();
    }
  }
  EXPECT_EQ(binder.DateiSammlung().Count(), 3);

  const TFileArrayBinder& constBinder = binder;
  EXPECT_THROW(constBinder.DateiSammlung().Items(3), std::out_of_range);
  EXPECT_EQ(constBinder.DateiSammlung().Items(2).Dateiname, "veltori.cnt");
  EXPECT_THROW(TFileArrayBinder().DateiSammlung().Items(0), ListIndexError);
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

  EXPECT_NO_THROW(target.Assign(OtherPersistent()));
  EXPECT_EQ(target.Dateiname, "veltori.hlp");
  EXPECT_EQ(target.DateiGroesse, 117216);
  EXPECT_EQ(target.DateiStart, 794112);
}

}  // namespace
}  // namespace vlt
