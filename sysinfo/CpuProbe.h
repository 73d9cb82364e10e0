#pragma once
// The processor instructions the information panel asks: whether CPUID
// exists, CPUID itself and the time-stamp counter. Implemented for x86.
#include <cstdint>

struct CpuidRegisters {
    uint32_t eax = 0;
    uint32_t ebx = 0;
    uint32_t ecx = 0;
    uint32_t edx = 0;
};

// True when the EFLAGS ID bit (21) can be toggled, i.e. CPUID exists.
bool CpuHasCpuid();
// CPUID with the given leaf; call only when CpuHasCpuid() is true.
CpuidRegisters CpuidLeaf(uint32_t leaf);
// RDTSC; call only when leaf 1 reports the time-stamp counter (EDX bit 4).
uint64_t ReadTimeStampCounter();
