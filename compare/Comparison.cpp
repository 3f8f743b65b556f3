#include "compare/Comparison.h"

#include "compare/Pairing.h"

#include <string>
#include <string_view>
#include <unordered_set>

namespace {

// --- inventory ---

// A file's key: its folder below its tree's root, its name and its tree.
MatchKey FileKey(const InventoryLog& log, uint32_t index) {
    const LogFile& file = log.files[index];
    const LogSection& section = log.sections[file.section];
    const LogTree& tree = log.trees[log.sectionTree[file.section]];
    MatchKey key;
    key.first = section.folder.substr(tree.root.size());
    key.second = file.name;
    key.number = static_cast<uint64_t>(tree.kind);
    return key;
}

// The same below the root, in whichever tree.
std::string RelativeKey(const InventoryLog& log, uint32_t index) {
    const MatchKey key = FileKey(log, index);
    std::string text;
    AppendFolded(text, key.first);
    AppendFolded(text, key.second);
    return text;
}

int TreeOf(const InventoryLog& log, TreeKind kind) {
    for (size_t i = 0; i < log.trees.size(); ++i) {
        if (log.trees[i].kind == kind) return static_cast<int>(i);
    }
    return -1;
}

void SettleLoneTree(InventoryLog& lone, const InventoryLog& other) {
    const int shared = TreeOf(lone, TreeKind::kShared);
    if (shared < 0 || !lone.trees[shared].guessed) return;
    const int otherShared = TreeOf(other, TreeKind::kShared);
    const int otherInstall = TreeOf(other, TreeKind::kInstall);
    if (otherShared < 0 || otherInstall < 0) return;
    std::unordered_set<std::string> pathsOf[2];
    for (uint32_t f = 0; f < other.files.size(); ++f) {
        const int tree = static_cast<int>(other.sectionTree[other.files[f].section]);
        if (tree == otherShared || tree == otherInstall) pathsOf[tree == otherInstall].insert(RelativeKey(other, f));
    }
    size_t found[2] = {0, 0};
    for (uint32_t f = 0; f < lone.files.size(); ++f) {
        if (static_cast<int>(lone.sectionTree[lone.files[f].section]) != shared) continue;
        const std::string key = RelativeKey(lone, f);
        for (int k = 0; k < 2; ++k) found[k] += pathsOf[k].count(key);
    }
    if (found[1] > found[0]) lone.trees[shared].kind = TreeKind::kInstall;
}

// The key a file left without a partner may move by: its digest and size,
// and its name too when byName.
MatchKey MoveKey(const LogFile& file, bool byName) {
    MatchKey key;
    key.first = file.digest;
    if (byName) key.second = file.name;
    key.number = static_cast<uint32_t>(file.size);
    return key;
}

void Add(std::vector<Difference>& differences, DiffClass kind, DiffItem item, int32_t reference, int32_t customer) {
    Difference difference;
    difference.kind = kind;
    difference.item = item;
    difference.reference = reference;
    difference.customer = customer;
    differences.push_back(difference);
}

}  // namespace

InventoryComparison CompareInventories(InventoryLog& reference, InventoryLog& customer) {
    SettleLoneTree(reference, customer);
    SettleLoneTree(customer, reference);

    InventoryComparison result;
    InventoryCounts& counts = result.counts;
    std::vector<Difference>& out = result.differences;

    for (int kind = 0; kind < kTreeKindCount; ++kind) {
        const int inReference = TreeOf(reference, static_cast<TreeKind>(kind));
        const int inCustomer = TreeOf(customer, static_cast<TreeKind>(kind));
        if (inReference >= 0 && inCustomer < 0) {
            Add(out, DiffClass::kMissing, DiffItem::kTree, inReference, -1);
            ++counts.treesMissing;
        } else if (inReference < 0 && inCustomer >= 0) {
            Add(out, DiffClass::kExtra, DiffItem::kTree, -1, inCustomer);
            ++counts.treesExtra;
        }
    }

    std::vector<int32_t> referenceToCustomer;
    std::vector<int32_t> customerToReference;
    PairByKey(
        reference.files.size(), [&](size_t i) { return FileKey(reference, static_cast<uint32_t>(i)); },
        customer.files.size(), [&](size_t j) { return FileKey(customer, static_cast<uint32_t>(j)); },
        referenceToCustomer, customerToReference);
    for (size_t i = 0; i < reference.files.size(); ++i) {
        const int32_t j = referenceToCustomer[i];
        if (j < 0) continue;
        const LogFile& r = reference.files[i];
        const LogFile& c = customer.files[j];
        DiffClass kind = DiffClass::kChanged;
        if (r.digest.empty() != c.digest.empty()) {
            kind = DiffClass::kNotComparable;
            ++counts.notComparable;
        } else if (r.digest == c.digest && r.size == c.size) {
            ++counts.same;
            continue;
        } else {
            ++counts.changed;
        }
        Add(out, kind, DiffItem::kFile, static_cast<int32_t>(i), j);
    }

    // Files without a partner: moved where a file of the same content is
    // left on the other side, first among files of the same name.
    for (bool byName : {true, false}) {
        std::vector<int32_t> left[2];
        for (size_t i = 0; i < reference.files.size(); ++i) {
            if (referenceToCustomer[i] < 0 && !reference.files[i].digest.empty()) {
                left[0].push_back(static_cast<int32_t>(i));
            }
        }
        for (size_t j = 0; j < customer.files.size(); ++j) {
            if (customerToReference[j] < 0 && !customer.files[j].digest.empty()) {
                left[1].push_back(static_cast<int32_t>(j));
            }
        }
        std::vector<int32_t> pairs;
        std::vector<int32_t> unused;
        PairByKey(
            left[0].size(), [&](size_t k) { return MoveKey(reference.files[left[0][k]], byName); }, left[1].size(),
            [&](size_t k) { return MoveKey(customer.files[left[1][k]], byName); }, pairs, unused);
        for (size_t k = 0; k < pairs.size(); ++k) {
            if (pairs[k] < 0) continue;
            const int32_t i = left[0][k];
            const int32_t j = left[1][pairs[k]];
            referenceToCustomer[i] = j;
            customerToReference[j] = i;
            Add(out, DiffClass::kMoved, DiffItem::kFile, i, j);
            ++counts.moved;
        }
    }
    for (size_t i = 0; i < reference.files.size(); ++i) {
        if (referenceToCustomer[i] >= 0) continue;
        Add(out, DiffClass::kMissing, DiffItem::kFile, static_cast<int32_t>(i), -1);
        ++counts.missing;
    }
    for (size_t j = 0; j < customer.files.size(); ++j) {
        if (customerToReference[j] >= 0) continue;
        Add(out, DiffClass::kExtra, DiffItem::kFile, -1, static_cast<int32_t>(j));
        ++counts.extra;
    }
    return result;
}

namespace {

MatchKey KeyKey(const RegScript& script, size_t index) {
    MatchKey key;
    key.first = script.keys[index].relative;
    return key;
}

MatchKey ValueKey(const RegScript& script, const RegKey& key, size_t index) {
    MatchKey match;
    match.first = script.values[key.firstValue + index].name;
    return match;
}

// An unreadable record's key: the key it belongs to or follows, and its
// kind (an empty record or a comment).
MatchKey UnreadableKey(const RegScript& script, size_t index) {
    const RegUnreadable& record = script.unreadable[index];
    MatchKey key;
    if (record.key >= 0) key.first = script.keys[record.key].relative;
    key.number = (record.comment.empty() ? 0u : 1u) | (record.key >= 0 ? 2u : 0u);
    return key;
}

}  // namespace

RegistryComparison CompareScripts(const RegScript& reference, const RegScript& customer) {
    RegistryComparison result;
    RegistryCounts& counts = result.counts;
    std::vector<Difference>& out = result.differences;

    std::vector<int32_t> referenceToCustomer;
    std::vector<int32_t> customerToReference;
    PairByKey(
        reference.keys.size(), [&](size_t i) { return KeyKey(reference, i); }, customer.keys.size(),
        [&](size_t j) { return KeyKey(customer, j); }, referenceToCustomer, customerToReference);
    std::vector<int32_t> valueToCustomer;
    std::vector<int32_t> valueToReference;
    for (size_t i = 0; i < reference.keys.size(); ++i) {
        const int32_t j = referenceToCustomer[i];
        if (j < 0) {
            Add(out, DiffClass::kMissing, DiffItem::kKey, static_cast<int32_t>(i), -1);
            ++counts.keysMissing;
            continue;
        }
        ++counts.keysSame;
        const RegKey& r = reference.keys[i];
        const RegKey& c = customer.keys[j];
        PairByKey(
            r.valueCount, [&](size_t v) { return ValueKey(reference, r, v); }, c.valueCount,
            [&](size_t v) { return ValueKey(customer, c, v); }, valueToCustomer, valueToReference);
        for (uint32_t v = 0; v < r.valueCount; ++v) {
            const int32_t ri = static_cast<int32_t>(r.firstValue + v);
            if (valueToCustomer[v] < 0) {
                Add(out, DiffClass::kMissing, DiffItem::kValue, ri, -1);
                ++counts.valuesMissing;
                continue;
            }
            const int32_t ci = static_cast<int32_t>(c.firstValue) + valueToCustomer[v];
            const RegValue& a = reference.values[ri];
            const RegValue& b = customer.values[ci];
            if (a.type == b.type && a.form == b.form && ValueData(reference, a) == ValueData(customer, b)) {
                ++counts.valuesSame;
            } else {
                Add(out, DiffClass::kChanged, DiffItem::kValue, ri, ci);
                ++counts.valuesChanged;
            }
        }
        for (uint32_t v = 0; v < c.valueCount; ++v) {
            if (valueToReference[v] >= 0) continue;
            Add(out, DiffClass::kExtra, DiffItem::kValue, -1, static_cast<int32_t>(c.firstValue + v));
            ++counts.valuesExtra;
        }
    }
    for (size_t j = 0; j < customer.keys.size(); ++j) {
        if (customerToReference[j] >= 0) continue;
        Add(out, DiffClass::kExtra, DiffItem::kKey, -1, static_cast<int32_t>(j));
        ++counts.keysExtra;
    }

    counts.unreadableReference = static_cast<uint32_t>(reference.unreadable.size());
    counts.unreadableCustomer = static_cast<uint32_t>(customer.unreadable.size());
    PairByKey(
        reference.unreadable.size(), [&](size_t i) { return UnreadableKey(reference, i); }, customer.unreadable.size(),
        [&](size_t j) { return UnreadableKey(customer, j); }, referenceToCustomer, customerToReference);
    for (size_t i = 0; i < referenceToCustomer.size(); ++i) {
        if (referenceToCustomer[i] >= 0) continue;
        Add(out, DiffClass::kUnreadable, DiffItem::kRecord, static_cast<int32_t>(i), -1);
        ++counts.unreadableUnmatched;
    }
    for (size_t j = 0; j < customerToReference.size(); ++j) {
        if (customerToReference[j] >= 0) continue;
        Add(out, DiffClass::kUnreadable, DiffItem::kRecord, -1, static_cast<int32_t>(j));
        ++counts.unreadableUnmatched;
    }
    return result;
}
