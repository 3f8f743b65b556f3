// The two forms of the comparison's result: a report a person reads and one
// comma-separated record a line for scripts. Both list the differences in
// the same order, the most telling first: whole folder trees, changed and
// missing files, changed values, missing keys and values, then what the
// customer has in addition (trees, files, keys, values), moved files, files
// read on one side only, and unreadable registry records without a match.
//
// The records' columns (a header line names them):
//   class      changed, moved, missing, extra, not-comparable, unreadable
//   item       file, tree, key, value, record
//   where      shared, install, components (the file's tree) or registry
//   path       files: the path below the tree's root; keys, values and
//              records: the key's path below the branch's key
//   name       a value's name as written (@ or in double quotes)
//   ref_line   then ref_path, ref_size, ref_md5, ref_data: the reference's
//              side: the line, the full path (file, tree root or key), a
//              file's size and digest, a value's data as written on one line
//              or an unreadable record's comment
//   cust_line  then cust_path, cust_size, cust_md5, cust_data: the same for
//              the customer's side
// A side without the item leaves its columns empty. Fields holding a comma,
// a double quote or a line end are quoted, their double quotes doubled.
#pragma once

#include "compare/Comparison.h"

#include <string>

struct ReportInput {
    std::string referenceName;  // how each side was named on the command line
    std::string customerName;
    // The logs and their comparison, or nulls when the logs were not compared.
    const InventoryLog* referenceLog = nullptr;
    const InventoryLog* customerLog = nullptr;
    const InventoryComparison* files = nullptr;
    // The scripts and their comparison, or nulls.
    const RegScript* referenceScript = nullptr;
    const RegScript* customerScript = nullptr;
    const RegistryComparison* registry = nullptr;
};

// The number of differences found: 0 when the two sides agree.
size_t DifferenceCount(const ReportInput& input);

void WriteTextReport(const ReportInput& input, std::string& out);
void WriteCsvReport(const ReportInput& input, std::string& out);
