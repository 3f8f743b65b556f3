// What differs between a reference installation and a customer's, from
// their logs and their scripts.
//
// Files match by their tree (shared files, install, system components) and
// their path below the tree's root, so installations in different folders
// compare; registry keys by their path below the branch's key, values by
// name within their key. Names match without regard to ASCII letter case;
// a path or name a side holds more than once (names the code page could not
// hold look alike) pairs its first with the other side's first, and so on.
//
// Files: same; changed (digests or sizes differ; where neither side could
// read the file, sizes alone); not comparable (a digest on one side only);
// moved (a file without a partner on either side, with the same digest and
// size at another path: partners of the same name first, then in the log's
// order; each pair once); missing and extra (the rest). A tree on one side
// only is missing or extra as well.
//
// A lone tree taken for the shared-files tree by its root's ending (see
// InventoryLog.h) is taken for the install tree instead when the other side
// has both trees and more of its paths are found in the other's install
// tree than in its shared-files tree.
//
// Registry: values same or changed (type or data, see RegScript.h), missing
// or extra; keys missing or extra (a missing key's values are not listed
// again). Records the export could not read are counted on their side and
// match by their kind (empty record or comment) and their key; those
// without a match are differences.
#pragma once

#include "compare/InventoryLog.h"
#include "compare/RegScript.h"

#include <cstdint>
#include <vector>

enum class DiffClass : uint8_t { kChanged, kMoved, kMissing, kExtra, kNotComparable, kUnreadable };
enum class DiffItem : uint8_t { kFile, kTree, kKey, kValue, kRecord };

// One difference. The indexes are those of each side's files, trees, keys,
// values or unreadable records (by item); -1 where the side has none.
struct Difference {
    DiffClass kind = DiffClass::kChanged;
    DiffItem item = DiffItem::kFile;
    int32_t reference = -1;
    int32_t customer = -1;
};

struct InventoryCounts {
    uint32_t same = 0, changed = 0, moved = 0, missing = 0, extra = 0, notComparable = 0;
    uint32_t treesMissing = 0, treesExtra = 0;
};

struct RegistryCounts {
    uint32_t keysSame = 0, keysMissing = 0, keysExtra = 0;
    uint32_t valuesSame = 0, valuesChanged = 0, valuesMissing = 0, valuesExtra = 0;
    uint32_t unreadableReference = 0, unreadableCustomer = 0, unreadableUnmatched = 0;
};

struct InventoryComparison {
    std::vector<Difference> differences;
    InventoryCounts counts;
};

struct RegistryComparison {
    std::vector<Difference> differences;
    RegistryCounts counts;
};

// May change the kind of a lone tree of either log (above).
InventoryComparison CompareInventories(InventoryLog& reference, InventoryLog& customer);
RegistryComparison CompareScripts(const RegScript& reference, const RegScript& customer);
