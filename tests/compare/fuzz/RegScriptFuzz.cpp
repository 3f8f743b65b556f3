// libFuzzer target for the script reader (built by tools/fuzz-compare, not
// by CMake). The input is one script, or two joined by a zero byte. Every
// script the reader accepts compares equal to itself: no difference, every
// key and value the same, every unreadable record matched. Where both are
// accepted, the two compare the same way in either order (what is missing
// one way is extra the other). A refused script names a line of the input
// and what was expected. The reports of every comparison are written, for
// the sanitizers to watch.
#include "compare/Comparison.h"
#include "compare/RegScript.h"
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

std::string Reports(const RegScript& reference, const RegScript& customer, const RegistryComparison& comparison) {
    ReportInput input;
    input.referenceName = "reference";
    input.customerName = "customer";
    input.referenceScript = &reference;
    input.customerScript = &customer;
    input.registry = &comparison;
    std::string out;
    WriteTextReport(input, out);
    WriteCsvReport(input, out);
    return out;
}

bool Accept(std::string_view text, RegScript& script) {
    ParseError error;
    if (ParseRegScript(text, script, error)) return true;
    const size_t lines = static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    Check(error.line >= 1 && error.line <= lines + 1 && !error.expected.empty());
    return false;
}

void CheckAgainstItself(std::string_view text, const RegScript& script) {
    RegScript again;
    Check(Accept(text, again));
    const RegistryComparison comparison = CompareScripts(script, again);
    const RegistryCounts& counts = comparison.counts;
    Check(comparison.differences.empty());
    Check(counts.keysSame == script.keys.size() && counts.valuesSame == script.values.size());
    Check(counts.unreadableReference == script.unreadable.size() && counts.unreadableUnmatched == 0);
    Check(Reports(script, again, comparison).find("  no differences\n") != std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t zero = input.find('\0');
    const std::string_view first = input.substr(0, zero);
    const std::string_view second = zero == std::string_view::npos ? std::string_view() : input.substr(zero + 1);

    RegScript a;
    RegScript b;
    const bool hasA = Accept(first, a);
    const bool hasB = zero != std::string_view::npos && Accept(second, b);
    if (hasA) CheckAgainstItself(first, a);
    if (hasB) CheckAgainstItself(second, b);
    if (hasA && hasB) {
        const RegistryComparison forward = CompareScripts(a, b);
        const RegistryComparison backward = CompareScripts(b, a);
        const RegistryCounts& f = forward.counts;
        const RegistryCounts& r = backward.counts;
        Check(f.keysSame == r.keysSame && f.keysMissing == r.keysExtra && f.keysExtra == r.keysMissing);
        Check(f.valuesSame == r.valuesSame && f.valuesChanged == r.valuesChanged);
        Check(f.valuesMissing == r.valuesExtra && f.valuesExtra == r.valuesMissing);
        Check(f.unreadableUnmatched == r.unreadableUnmatched);
        Check(f.keysSame + f.keysMissing == a.keys.size() && f.keysSame + f.keysExtra == b.keys.size());
        Check((forward.differences.size() == 0) ==
              (Reports(a, b, forward).find("  no differences\n") != std::string::npos));
    }
    return 0;
}
