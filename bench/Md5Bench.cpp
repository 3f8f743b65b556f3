// Md5Update over 32 KiB blocks, the inventory's read size, beside OpenSSL's
// MD5 on the same data in the same run.
#include "diagnostics/Md5.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <vector>

namespace {

constexpr size_t kBlock = 0x8000;

std::vector<unsigned char> Block() {
    std::vector<unsigned char> data(kBlock);
    uint32_t x = 1;
    for (auto& b : data) {
        x = x * 1664525u + 1013904223u;
        b = static_cast<unsigned char>(x >> 24);
    }
    return data;
}

void ScrivloMd5Update(benchmark::State& state) {
    const auto data = Block();
    Md5Context context;
    Md5Init(&context);
    for (auto _ : state) {
        Md5Update(&context, data.data(), kBlock);
        benchmark::DoNotOptimize(context.state);
    }
    unsigned char digest[16];
    Md5Final(digest, &context);
    benchmark::DoNotOptimize(digest);
    state.SetBytesProcessed(int64_t(state.iterations()) * kBlock);
}

void OpenSslMd5Update(benchmark::State& state) {
    const auto data = Block();
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    EVP_DigestInit_ex(context, EVP_md5(), nullptr);
    for (auto _ : state) {
        EVP_DigestUpdate(context, data.data(), kBlock);
        benchmark::ClobberMemory();
    }
    unsigned char digest[16];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context, digest, &length);
    EVP_MD_CTX_free(context);
    benchmark::DoNotOptimize(digest);
    state.SetBytesProcessed(int64_t(state.iterations()) * kBlock);
}

}  // namespace

BENCHMARK(ScrivloMd5Update)->MinTime(2.0);
BENCHMARK(OpenSslMd5Update)->MinTime(2.0);
BENCHMARK_MAIN();
