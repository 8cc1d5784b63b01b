#pragma once

#include <QString>

#include "profilecore/StoreHost.h"

namespace prefbook {

// Whether a slot number an import file gives (a profile id, the current profile, an aim mode) names
// one of the store's `count` slots, or `none`, the "none chosen yet" value the store itself starts
// from and exports (-1 where it has none). Any other number would point the store at a slot it does
// not have, so the import is refused, with one log line.
inline bool ImportedSlotFits(const StoreHost& host, const QString& path, int slot, int count, int none = -1) {
    if ((slot >= 0 && slot < count) || slot == none) return true;
    host.Log(QStringLiteral("Import of %1 refused: it names slot %2, outside 0-%3.")
                 .arg(path)
                 .arg(slot)
                 .arg(count - 1));
    return false;
}

}  // namespace prefbook
