// MD5 message digest (RFC 1321) and the digest of a whole file, rendered as
// 32 lower-case hexadecimal digits for the inventory log.
#pragma once

#include <cstdint>
#include <cstdio>

struct Md5Context {
    uint32_t state[4];         // chaining values A, B, C, D
    uint32_t count[2];         // message length in bits, modulo 2^64, low word first
    unsigned char buffer[64];  // input not yet transformed
};

void Md5Init(Md5Context* context);
void Md5Update(Md5Context* context, const unsigned char* input, uint32_t length);
// Pads, appends the length, writes the 16 digest bytes and wipes the context.
void Md5Final(unsigned char digest[16], Md5Context* context);
void Md5Transform(uint32_t state[4], const unsigned char block[64]);

// Size of the text buffer the inventory hands to ComputeFileMd5.
constexpr int kMd5TextCapacity = 35;

// Returns 1 with the 32 hex digits and a terminating zero in digestText, or 0
// when the file cannot be opened or cannot be read to its end; on 0 the
// buffer is left as it was.
int ComputeFileMd5(char* digestText, const char* path);

// The same for a stream opened for binary reading (the caller closes it):
// 0 when it cannot be read to its end.
int ComputeStreamMd5(char* digestText, std::FILE* file);
