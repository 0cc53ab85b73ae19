#pragma once
// The uninstall page's checklist, each item once: its check box, the test
// that decides whether it is offered, and what removing it does. The page,
// the presence tests and the removal plan all read this one table.
#include <cstdint>
#include <initializer_list>
#include <span>

#include "uninstall/Presence.h"
#include "uninstall/RemovalPlan.h"

namespace vlt {

// The items, in the order their removal runs: the uninstaller's script
// first, so that a script that cannot be written stops the removal before
// anything is gone; then the registry, help files, product executable,
// start-menu group, desktop shortcut, configuration file, text entries,
// picture entries, other files.
enum class Item : std::uint8_t {
  Uninst, Registry, Hilfe, Exe, Startmenue, DesktopLnk, Cfg, PufferText, PufferBild, Sontiges
};

// Some of the items: those offered, or those chosen.
class ItemSet {
 public:
  constexpr ItemSet() = default;
  constexpr ItemSet(std::initializer_list<Item> items) {
    for (Item item : items) Set(item, true);
  }
  constexpr bool Has(Item item) const { return (bits_ & Bit(item)) != 0; }
  constexpr void Set(Item item, bool in) { bits_ = in ? bits_ | Bit(item) : bits_ & ~Bit(item); }
  bool operator==(const ItemSet&) const = default;

 private:
  static constexpr std::uint16_t Bit(Item item) {
    return static_cast<std::uint16_t>(1u << static_cast<unsigned>(item));
  }
  std::uint16_t bits_ = 0;
};

struct ChecklistRow {
  Item item;
  const char* box;                                     // the page's check box
  bool (*offered)(const Findings& found);              // present, and this installation's
  void (*remove)(const RemovalPaths& paths, RemovalPlan& plan);  // its actions
};

// The rows, in the order of the items.
std::span<const ChecklistRow> Checklist();

// The items `found` offers (enabled and pre-checked on the page). Entries
// and shortcuts that lead only to what is gone (stale) are offered to every
// copy. Beyond them:
// - A copy outside the registered installation offers, of its folder's
//   files, only those that are ours by content (an installation left over
//   from an earlier install elsewhere), never the user's files of the same
//   names, and no entry or shortcut that leads to the other installation.
// - Where this installation is registered, the registry item and the
//   shortcuts are offered only where they lead into the install directory.
// - With nothing registered every item is offered by what is present.
// The other-files item only where the folder holds an installation: it
// deletes everything there that is not the product's. The uninstaller
// itself is always offered.
ItemSet OfferedItems(const Findings& found);

// The actions of the `chosen` items, in the order of the items. An item
// whose folder is unknown ("") is left out rather than resolved against the
// root of the current drive. Nothing is deleted through a link: an install
// directory that is one loses its file items (the uninstaller's own erase
// stays), a start-menu group that is one is only removed as a link, never
// emptied. The other-files item never runs in a volume root.
RemovalPlan BuildRemovalPlan(ItemSet chosen, const RemovalPaths& paths);

}  // namespace vlt
