// libFuzzer target for the log reader (built by tools/fuzz-compare, not by
// CMake). The input is one log, or two joined by a zero byte. Every log the
// reader accepts compares equal to itself: no difference, every file the
// same. Where both are accepted, the two compare the same way in either
// order (what is missing one way is extra the other). A refused log names a
// line of the input and what was expected. The reports of every comparison
// are written, for the sanitizers to watch.
#include "compare/Comparison.h"
#include "compare/InventoryLog.h"
#include "compare/Report.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

std::string Reports(InventoryLog& reference, InventoryLog& customer, const InventoryComparison& comparison) {
    ReportInput input;
    input.referenceName = "reference";
    input.customerName = "customer";
    input.referenceLog = &reference;
    input.customerLog = &customer;
    input.files = &comparison;
    std::string out;
    WriteTextReport(input, out);
    WriteCsvReport(input, out);
    return out;
}

bool Accept(std::string_view text, InventoryLog& log) {
    ParseError error;
    if (ParseInventoryLog(text, log, error)) return true;
    const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    Check(error.line >= 1 && error.line <= lines + 1 && !error.expected.empty());
    return false;
}

void CheckAgainstItself(std::string_view text, InventoryLog& log) {
    InventoryLog again;
    Check(Accept(text, again));
    const InventoryComparison comparison = CompareInventories(log, again);
    Check(comparison.differences.empty());
    Check(comparison.counts.same == log.files.size());
    Check(Reports(log, again, comparison).find("  no differences\n") != std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t zero = input.find('\0');
    const std::string_view first = input.substr(0, zero);
    const std::string_view second = zero == std::string_view::npos ? std::string_view() : input.substr(zero + 1);

    InventoryLog a;
    InventoryLog b;
    const bool hasA = Accept(first, a);
    const bool hasB = zero != std::string_view::npos && Accept(second, b);
    if (hasA) CheckAgainstItself(first, a);
    if (hasB) CheckAgainstItself(second, b);
    if (hasA && hasB) {
        const InventoryComparison forward = CompareInventories(a, b);
        const InventoryComparison backward = CompareInventories(b, a);
        const InventoryCounts& f = forward.counts;
        const InventoryCounts& r = backward.counts;
        Check(f.same == r.same && f.changed == r.changed && f.moved == r.moved && f.notComparable == r.notComparable);
        Check(f.missing == r.extra && f.extra == r.missing);
        Check(f.treesMissing == r.treesExtra && f.treesExtra == r.treesMissing);
        Check(f.same + f.changed + f.moved + f.notComparable + f.missing == a.files.size());
        Check(f.same + f.changed + f.moved + f.notComparable + f.extra == b.files.size());
        Check((forward.differences.size() == 0) ==
              (Reports(a, b, forward).find("  no differences\n") != std::string::npos));
    }
    return 0;
}
