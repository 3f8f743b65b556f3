// The registry branch the benchmarks read: group keys of 99 child keys each,
// every key with a text, a number and 16 bytes of binary data.
#pragma once

#include <windows.h>

// Opens or creates the key; null on failure.
HKEY BenchCreateKey(HKEY parent, const char* name);
bool BenchSetText(HKEY key, const char* name, const char* text);
// Fills the three values of key number `number`.
bool BenchAddValues(HKEY key, unsigned number);
// Adds `keys` keys below root (which gets none of its own); the number made,
// or 0 when a key or value could not be written.
unsigned BenchMakeKeys(HKEY root, unsigned keys);
// Deletes name below parent with everything beneath it.
void BenchDeleteTree(HKEY parent, const char* name);
