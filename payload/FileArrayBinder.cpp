#include "payload/FileArrayBinder.h"

#include <algorithm>

#include "common/Concat.h"
#include "common/FatalEnd.h"

namespace vlt {

int TDatei::Index() const { return collection_->IndexOf(*this); }

void TDatei::Assign(const Persistent& source) {
  if (source.Tag() != &kTag || &source == this) return;
  const auto* other = static_cast<const TDatei*>(&source);
  DateiStart = other->DateiStart;
  Dateiname = other->Dateiname;
  DateiBeschreibung = other->DateiBeschreibung;
  DateiGroesse = other->DateiGroesse;
}

std::size_t TDateiSammlung::CheckedIndex(int index) const {
  if (!Holds(index)) {
    EndWithFailure(Concat({"List index out of bounds (", std::to_string(index),
                           "): the file collection holds ", std::to_string(Count()),
                           " entries"}));
  }
  return static_cast<std::size_t>(index);
}

TDatei& TDateiSammlung::Items(int index) { return *items_[CheckedIndex(index)]; }

const TDatei& TDateiSammlung::Items(int index) const { return *items_[CheckedIndex(index)]; }

TDatei& TDateiSammlung::Add() { return *items_.emplace_back(std::make_unique<TDatei>(*this)); }

int TDateiSammlung::IndexOf(const TDatei& item) const {
  const auto found =
      std::find_if(items_.begin(), items_.end(),
                   [&](const std::unique_ptr<TDatei>& p) { return p.get() == &item; });
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

}  // namespace vlt
