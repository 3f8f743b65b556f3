#include "compare/Report.h"

#include <cstdio>
#include <string_view>

namespace {

struct Group {
    bool registry;
    DiffClass kind;
    DiffItem item;
    const char* title;
};
const Group kGroups[] = {
    {false, DiffClass::kMissing, DiffItem::kTree, "Folder trees in the reference's log only"},
    {false, DiffClass::kChanged, DiffItem::kFile, "Changed files"},
    {false, DiffClass::kMissing, DiffItem::kFile, "Missing files: in the reference only"},
    {true, DiffClass::kChanged, DiffItem::kValue, "Changed registry values"},
    {true, DiffClass::kMissing, DiffItem::kKey, "Missing registry keys: in the reference only"},
    {true, DiffClass::kMissing, DiffItem::kValue, "Missing registry values: in the reference only"},
    {false, DiffClass::kExtra, DiffItem::kTree, "Folder trees in the customer's log only"},
    {false, DiffClass::kExtra, DiffItem::kFile, "Extra files: in the customer's only"},
    {true, DiffClass::kExtra, DiffItem::kKey, "Extra registry keys: in the customer's only"},
    {true, DiffClass::kExtra, DiffItem::kValue, "Extra registry values: in the customer's only"},
    {false, DiffClass::kMoved, DiffItem::kFile, "Moved files: the same digest and size at another path"},
    {false, DiffClass::kNotComparable, DiffItem::kFile, "Files not comparable: read on one side only"},
    {true, DiffClass::kUnreadable, DiffItem::kRecord,
     "Registry records the export could not read, without a match on the other side"},
};

const char* const kClassNames[] = {"changed", "moved", "missing", "extra", "not-comparable", "unreadable"};
const char* const kItemNames[] = {"file", "tree", "key", "value", "record"};
const char* const kTreeNames[] = {"shared", "install", "components"};
const char* const kTreeTitles[] = {"shared-files tree", "install tree", "system components"};
const char* const kSideNames[] = {"reference", "customer "};

// Longer data is cut short in the report a person reads (the records keep
// it whole).
constexpr size_t kShownDataLength = 200;

// What one side holds of a difference, as text.
struct Side {
    bool present = false;
    uint32_t line = 0;
    uint32_t values = 0;  // a key's
    std::string path, size, md5, data;
};

struct Row {
    const Difference* difference = nullptr;
    std::string where, path, name;
    Side sides[2];
};

void DescribeFile(const ReportInput& input, Row& row) {
    const InventoryLog* logs[2] = {input.referenceLog, input.customerLog};
    const int32_t indexes[2] = {row.difference->reference, row.difference->customer};
    for (int s = 1; s >= 0; --s) {
        if (indexes[s] < 0) continue;
        const InventoryLog& log = *logs[s];
        Side& side = row.sides[s];
        side.present = true;
        if (row.difference->item == DiffItem::kTree) {
            const LogTree& tree = log.trees[indexes[s]];
            side.line = log.sections[tree.firstSection].line;
            side.path.assign(tree.root);
            row.where = kTreeNames[static_cast<int>(tree.kind)];
            continue;
        }
        const LogFile& file = log.files[indexes[s]];
        const LogSection& section = log.sections[file.section];
        const LogTree& tree = log.trees[log.sectionTree[file.section]];
        side.line = file.line;
        side.path.assign(section.folder).append(file.name);
        side.size = std::to_string(file.size);
        side.md5.assign(file.digest);
        row.where = kTreeNames[static_cast<int>(tree.kind)];
        row.path.assign(section.folder.substr(tree.root.size())).append(file.name);
    }
}

void DescribeRegistry(const ReportInput& input, Row& row) {
    const RegScript* scripts[2] = {input.referenceScript, input.customerScript};
    const int32_t indexes[2] = {row.difference->reference, row.difference->customer};
    row.where = "registry";
    for (int s = 1; s >= 0; --s) {
        if (indexes[s] < 0) continue;
        const RegScript& script = *scripts[s];
        Side& side = row.sides[s];
        side.present = true;
        int32_t key = -1;
        switch (row.difference->item) {
        case DiffItem::kKey:
            key = indexes[s];
            side.line = script.keys[key].line;
            side.values = script.keys[key].valueCount;
            break;
        case DiffItem::kValue: {
            const RegValue& value = script.values[indexes[s]];
            key = static_cast<int32_t>(value.key);
            side.line = value.line;
            side.data = RenderRegData(script, value);
            row.name.assign(value.name);
            break;
        }
        default: {
            const RegUnreadable& record = script.unreadable[indexes[s]];
            key = record.key;
            side.line = record.line;
            side.data.assign(record.comment);
            break;
        }
        }
        if (key >= 0) {
            side.path.assign(script.keys[key].path);
            row.path.assign(script.keys[key].relative);
        } else {
            row.path.clear();
        }
    }
}

// Calls emit with each difference as a row, in the order of kGroups; also
// with the group's title before its first row.
template <typename Emit>
void ForEachRow(const ReportInput& input, Emit emit) {
    for (const Group& group : kGroups) {
        const std::vector<Difference>* differences = nullptr;
        if (group.registry && input.registry) differences = &input.registry->differences;
        if (!group.registry && input.files) differences = &input.files->differences;
        if (differences == nullptr) continue;
        bool first = true;
        size_t count = 0;
        for (const Difference& difference : *differences) {
            if (difference.kind == group.kind && difference.item == group.item) ++count;
        }
        for (const Difference& difference : *differences) {
            if (difference.kind != group.kind || difference.item != group.item) continue;
            Row row;
            row.difference = &difference;
            if (group.registry) {
                DescribeRegistry(input, row);
            } else {
                DescribeFile(input, row);
            }
            emit(group, first ? count : 0, row);
            first = false;
        }
    }
}

// --- the report a person reads ---

std::string ShownData(const std::string& data) {
    if (data.size() <= kShownDataLength) return data;
    return data.substr(0, kShownDataLength) + "... (" + std::to_string(data.size()) + " characters)";
}

void WriteFileSide(const Side& side, int s, std::string& out) {
    out += "    ";
    out += kSideNames[s];
    out += "  ";
    out += side.path;
    out += "  size " + side.size + "  ";
    out += side.md5.empty() ? std::string("no digest (not read)") : "md5 " + side.md5;
    out += "  line " + std::to_string(side.line) + "\n";
}

void WriteTextRow(const Row& row, std::string& out) {
    const Difference& difference = *row.difference;
    switch (difference.item) {
    case DiffItem::kTree:
        for (int s = 0; s < 2; ++s) {
            if (!row.sides[s].present) continue;
            out += "  " + row.where + ": " + row.sides[s].path + "  line " + std::to_string(row.sides[s].line) + "\n";
        }
        break;
    case DiffItem::kFile:
        out += "  " + row.where + ": " + row.path + "\n";
        for (int s = 0; s < 2; ++s) {
            if (row.sides[s].present) WriteFileSide(row.sides[s], s, out);
        }
        break;
    case DiffItem::kKey:
        for (int s = 0; s < 2; ++s) {
            if (!row.sides[s].present) continue;
            const uint32_t values = row.sides[s].values;
            out += "  [" + row.sides[s].path + "]  " + std::to_string(values) + (values == 1 ? " value" : " values") +
                   "  line " + std::to_string(row.sides[s].line) + "\n";
        }
        break;
    case DiffItem::kValue:
        for (int s = 0; s < 2; ++s) {
            if (!row.sides[s].present) continue;
            out += "  [" + row.sides[s].path + "] " + row.name + "\n";
            break;
        }
        for (int s = 0; s < 2; ++s) {
            if (!row.sides[s].present) continue;
            out += "    ";
            out += kSideNames[s];
            out += "  " + ShownData(row.sides[s].data) + "  line " + std::to_string(row.sides[s].line) + "\n";
        }
        break;
    case DiffItem::kRecord:
        for (int s = 0; s < 2; ++s) {
            const Side& side = row.sides[s];
            if (!side.present) continue;
            out += "  ";
            out += kSideNames[s];
            out += "  line " + std::to_string(side.line);
            if (!side.data.empty()) {
                if (!side.path.empty()) out += " in [" + side.path + "]";
                out += ": " + side.data;
            } else {
                out += ": a key that could not be read";
                if (!side.path.empty()) out += ", after [" + side.path + "]";
            }
            out += "\n";
        }
        break;
    }
}

void WriteTreeRoots(const ReportInput& input, std::string& out) {
    out += "Folder trees (QZScrivlo.log)\n";
    const InventoryLog* logs[2] = {input.referenceLog, input.customerLog};
    for (int kind = 0; kind < kTreeKindCount; ++kind) {
        for (int s = 0; s < 2; ++s) {
            std::string root = "(none)";
            for (const LogTree& tree : logs[s]->trees) {
                if (static_cast<int>(tree.kind) == kind) root.assign(tree.root);
            }
            char label[24];
            std::snprintf(label, sizeof label, "  %-19s", s == 0 ? kTreeTitles[kind] : "");
            out += label;
            out += kSideNames[s];
            out += "  " + root + "\n";
        }
    }
}

void WriteBranches(const ReportInput& input, std::string& out) {
    out += "Registry branch (QZRegNode.reg)\n";
    const RegScript* scripts[2] = {input.referenceScript, input.customerScript};
    for (int s = 0; s < 2; ++s) {
        out += "                     ";
        out += kSideNames[s];
        out += "  ";
        out += scripts[s]->branch.empty() ? std::string_view("(no key)") : scripts[s]->branch;
        out += "\n";
    }
}

// --- records ---

void AppendField(std::string& out, std::string_view field, bool last = false) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
    } else {
        out += '"';
        for (char c : field) {
            out += c;
            if (c == '"') out += '"';
        }
        out += '"';
    }
    out += last ? '\n' : ',';
}

}  // namespace

size_t DifferenceCount(const ReportInput& input) {
    size_t count = 0;
    if (input.files) count += input.files->differences.size();
    if (input.registry) count += input.registry->differences.size();
    return count;
}

void WriteTextReport(const ReportInput& input, std::string& out) {
    out += "Reference: " + input.referenceName + "\n";
    out += "Customer:  " + input.customerName + "\n\n";
    if (input.files) WriteTreeRoots(input, out);
    if (input.registry) WriteBranches(input, out);

    ForEachRow(input, [&](const Group& group, size_t count, const Row& row) {
        if (count > 0) out += std::string("\n") + group.title + " (" + std::to_string(count) + ")\n";
        WriteTextRow(row, out);
    });

    out += "\nSummary\n";
    if (input.files) {
        const InventoryCounts& c = input.files->counts;
        out += "  files: " + std::to_string(c.same) + " same, " + std::to_string(c.changed) + " changed, " +
               std::to_string(c.missing) + " missing, " + std::to_string(c.extra) + " extra, " +
               std::to_string(c.moved) + " moved, " + std::to_string(c.notComparable) + " not comparable\n";
        out += "  folder trees: " + std::to_string(c.treesMissing) + " missing, " + std::to_string(c.treesExtra) +
               " extra\n";
    }
    if (input.registry) {
        const RegistryCounts& c = input.registry->counts;
        out += "  registry keys: " + std::to_string(c.keysSame) + " in both, " + std::to_string(c.keysMissing) +
               " missing, " + std::to_string(c.keysExtra) + " extra\n";
        out += "  registry values: " + std::to_string(c.valuesSame) + " same, " + std::to_string(c.valuesChanged) +
               " changed, " + std::to_string(c.valuesMissing) + " missing, " + std::to_string(c.valuesExtra) +
               " extra (values of missing and extra keys not counted)\n";
        out += "  registry records not read: " + std::to_string(c.unreadableReference) + " in the reference, " +
               std::to_string(c.unreadableCustomer) + " in the customer's, " + std::to_string(c.unreadableUnmatched) +
               " without a match\n";
    }
    const size_t differences = DifferenceCount(input);
    out += differences == 0
               ? std::string("  no differences\n")
               : "  " + std::to_string(differences) + (differences == 1 ? " difference\n" : " differences\n");
}

void WriteCsvReport(const ReportInput& input, std::string& out) {
    out +=
        "class,item,where,path,name,ref_line,ref_path,ref_size,ref_md5,ref_data,"
        "cust_line,cust_path,cust_size,cust_md5,cust_data\n";
    ForEachRow(input, [&](const Group&, size_t, const Row& row) {
        AppendField(out, kClassNames[static_cast<int>(row.difference->kind)]);
        AppendField(out, kItemNames[static_cast<int>(row.difference->item)]);
        AppendField(out, row.where);
        AppendField(out, row.path);
        AppendField(out, row.name);
        for (int s = 0; s < 2; ++s) {
            const Side& side = row.sides[s];
            AppendField(out, side.present ? std::to_string(side.line) : std::string());
            AppendField(out, side.path);
            AppendField(out, side.size);
            AppendField(out, side.md5);
            AppendField(out, side.data, s == 1);
        }
    });
}
