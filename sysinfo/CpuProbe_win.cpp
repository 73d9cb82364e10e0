#include <cpuid.h>
#include <x86intrin.h>

#include "sysinfo/CpuProbe.h"

bool CpuHasCpuid() {
#if defined(__x86_64__)
    return true;  // every 64-bit x86 processor has it
#else
    // Flip the ID bit, write EFLAGS back and see whether the flip stuck;
    // EFLAGS is restored afterwards.
    uint32_t before = 0;
    uint32_t after = 0;
    __asm__ volatile(
        "pushfl\n\t"
        "pushfl\n\t"
        "popl %0\n\t"
        "movl %0, %1\n\t"
        "xorl $0x200000, %1\n\t"
        "pushl %1\n\t"
        "popfl\n\t"
        "pushfl\n\t"
        "popl %1\n\t"
        "popfl"
        : "=&r"(before), "=&r"(after)
        :
        : "cc");
    return ((before ^ after) & 0x200000) != 0;
#endif
}

CpuidRegisters CpuidLeaf(uint32_t leaf) {
    CpuidRegisters r;
    __cpuid(leaf, r.eax, r.ebx, r.ecx, r.edx);
    return r;
}

uint64_t ReadTimeStampCounter() { return __rdtsc(); }
