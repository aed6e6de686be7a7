// The fuzzing driver, built with afl-g++-fast (see fuzz/README.md):
//
//   fuzzer TARGET               under afl-fuzz: inputs arrive in shared memory,
//                               many to a process (persistent mode)
//   fuzzer TARGET FILE...       runs each file once (to replay a finding)
//   fuzzer --seeds TARGET GAMEDIR OUTDIR
//                               writes the target's starting inputs
//   fuzzer --list               the target names, one a line
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/FuzzScratch.h"
#include "fuzz/FuzzTargets.h"

#if defined(CORVADINE_AFL_TRACE_PC)
// Built by plain GCC with -fsanitize-coverage=trace-pc on the loaders and
// linked with AFL++'s runtime (afl-compiler-rt.o), which runs the fork
// server, the shared input and persistent mode. GCC calls the hook below at
// every basic block; it records the edge from the previous block in AFL's
// map as afl's own instrumentation does. Positions are taken relative to the
// hook itself, so they are the same in every process whatever the address
// the executable is loaded at.
#include <unistd.h>

#include <cstdint>

extern "C" {
extern unsigned char* __afl_area_ptr;
extern unsigned char* __afl_fuzz_ptr;
extern unsigned int* __afl_fuzz_len;
int __afl_persistent_loop(unsigned int);
void __afl_manual_init();
int __afl_sharedmem_fuzzing = 1;
void __sanitizer_cov_trace_pc();
}

namespace {
constexpr std::uintptr_t kAflMapMask = (1u << 16) - 1;
thread_local std::uintptr_t gPreviousBlock = 0;
unsigned char gStdinInput[1 << 20];
}  // namespace

extern "C" __attribute__((no_sanitize_address, no_sanitize_undefined)) void __sanitizer_cov_trace_pc() {
    const std::uintptr_t pc = reinterpret_cast<std::uintptr_t>(__builtin_return_address(0)) -
                              reinterpret_cast<std::uintptr_t>(&__sanitizer_cov_trace_pc);
    const std::uintptr_t block = ((pc * 0x9E3779B97F4A7C15ull) >> 40) & kAflMapMask;
    ++__afl_area_ptr[block ^ gPreviousBlock];
    gPreviousBlock = block >> 1;
}

// The signatures tell afl-fuzz that this program runs persistent and starts
// its fork server late.
#define __AFL_FUZZ_INIT() static_assert(true)
#define __AFL_INIT()                                                                \
    do {                                                                            \
        static volatile const char* signature __attribute__((used));               \
        signature = "##SIG_AFL_DEFER_FORKSRV##";                                    \
        __afl_manual_init();                                                        \
    } while (0)
#define __AFL_FUZZ_TESTCASE_BUF (__afl_fuzz_ptr ? __afl_fuzz_ptr : gStdinInput)
#define __AFL_FUZZ_TESTCASE_LEN                                                     \
    (__afl_fuzz_ptr ? *__afl_fuzz_len                                               \
                    : static_cast<unsigned int>(std::max<ssize_t>(0, read(0, gStdinInput, sizeof gStdinInput))))
#define __AFL_LOOP(n)                                                               \
    ({                                                                              \
        static volatile const char* signature __attribute__((used));               \
        signature = "##SIG_AFL_PERSISTENT##";                                       \
        __afl_persistent_loop(n);                                                   \
    })
#elif !defined(__AFL_FUZZ_TESTCASE_LEN)
// Built without the AFL compiler: no shared memory, each input once.
static std::size_t gNoAflLength = 0;
static std::uint8_t gNoAflBuffer[1];
#define __AFL_FUZZ_INIT() static_assert(true)
#define __AFL_INIT() static_cast<void>(0)
#define __AFL_FUZZ_TESTCASE_BUF gNoAflBuffer
#define __AFL_FUZZ_TESTCASE_LEN gNoAflLength
#define __AFL_LOOP(n) false
#endif

__AFL_FUZZ_INIT();

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: fuzzer TARGET [FILE...] | fuzzer --seeds TARGET GAMEDIR OUTDIR | fuzzer --list\n");
    return 2;
}

const FuzzTarget* targetNamed(const char* name) {
    const FuzzTarget* target = findFuzzTarget(name);
    if (!target) std::fprintf(stderr, "fuzzer: no target \"%s\" (see fuzzer --list)\n", name);
    return target;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    if (std::strcmp(argv[1], "--list") == 0) {
        for (int i = 0; i < kFuzzTargetCount; ++i) std::printf("%s\n", kFuzzTargets[i].name);
        return 0;
    }
    if (std::strcmp(argv[1], "--seeds") == 0) {
        if (argc != 5) return usage();
        const FuzzTarget* target = targetNamed(argv[2]);
        if (!target) return 2;
        const int written = target->writeSeeds(argv[3], argv[4]);
        std::printf("%s: %d seeds\n", target->name, written);
        return written > 0 ? 0 : 1;
    }
    const FuzzTarget* target = targetNamed(argv[1]);
    if (!target) return 2;
    if (argc > 2) {
        for (int i = 2; i < argc; ++i) {
            std::vector<std::uint8_t> bytes;
            if (!readWholeFile(argv[i], bytes)) {
                std::fprintf(stderr, "fuzzer: cannot read %s\n", argv[i]);
                return 1;
            }
            target->run(bytes.data(), bytes.size());
        }
        return 0;
    }

    __AFL_INIT();
    const std::uint8_t* buffer = __AFL_FUZZ_TESTCASE_BUF;
    while (__AFL_LOOP(10000)) {
        const std::size_t length = __AFL_FUZZ_TESTCASE_LEN;
        // A copy of exactly the input's length, so a read past it is seen.
        const std::vector<std::uint8_t> input(buffer, buffer + length);
        target->run(input.data(), input.size());
    }
    return 0;
}
