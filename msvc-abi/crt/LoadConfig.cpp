// The load-config directory of every module, as the MSVC CRT's loadcfg.obj gives it: the /GS
// cookie for the loader to seed, and control-flow guard's check and dispatch pointers with the
// tables lld-link builds under /guard:cf (the __guard_* symbols are the linker's).
#include <cstdint>

extern "C" {
extern uintptr_t __security_cookie;

// What an indirect call goes through until the loader, on a system with control-flow guard,
// points these at its own check: a check that passes everything, a dispatch that jumps.
void __cdecl _guard_check_icall_nop(uintptr_t) {}
__attribute__((naked)) void __cdecl _guard_dispatch_icall_nop() { __asm__("jmp *%rax"); }

// The pointers live in .00cfg, a section the loader may write before it makes it read-only.
#pragma section(".00cfg", read)
__declspec(allocate(".00cfg")) void(__cdecl* __guard_check_icall_fptr)(uintptr_t) = _guard_check_icall_nop;
__declspec(allocate(".00cfg")) void(__cdecl* __guard_dispatch_icall_fptr)() = _guard_dispatch_icall_nop;
}

// IMAGE_LOAD_CONFIG_DIRECTORY64 up to GuardEHContinuationCount (0x118 bytes), written out field by
// field because GuardFlags takes the 32-bit value of a symbol only the linker knows.
__asm__(R"(
  .section .rdata,"dr"
  .globl _load_config_used
  .p2align 3
_load_config_used:
  .long 0x118                       # Size
  .long 0                           # TimeDateStamp
  .short 0, 0                       # MajorVersion, MinorVersion
  .long 0, 0, 0                     # GlobalFlagsClear, GlobalFlagsSet, CriticalSectionDefaultTimeout
  .quad 0, 0, 0, 0, 0, 0            # DeCommit..., LockPrefixTable, ..., ProcessAffinityMask
  .long 0                           # ProcessHeapFlags
  .short 0, 0                       # CSDVersion, DependentLoadFlags
  .quad 0                           # EditList
  .quad __security_cookie           # SecurityCookie
  .quad 0, 0                        # SEHandlerTable, SEHandlerCount (x86 only)
  .quad __guard_check_icall_fptr    # GuardCFCheckFunctionPointer
  .quad __guard_dispatch_icall_fptr # GuardCFDispatchFunctionPointer
  .quad __guard_fids_table          # GuardCFFunctionTable
  .quad __guard_fids_count          # GuardCFFunctionCount
  .long __guard_flags               # GuardFlags
  .short 0, 0                       # CodeIntegrity: Flags, Catalog
  .long 0, 0                        # CodeIntegrity: CatalogOffset, Reserved
  .quad __guard_iat_table           # GuardAddressTakenIatEntryTable
  .quad __guard_iat_count           # GuardAddressTakenIatEntryCount
  .quad __guard_longjmp_table       # GuardLongJumpTargetTable
  .quad __guard_longjmp_count       # GuardLongJumpTargetCount
  .quad 0, 0, 0, 0                  # DynamicValueRelocTable, CHPEMetadataPointer, GuardRFFailureRoutine(FunctionPointer)
  .long 0                           # DynamicValueRelocTableOffset
  .short 0, 0                       # DynamicValueRelocTableSection, Reserved2
  .quad 0                           # GuardRFVerifyStackPointerFunctionPointer
  .long 0, 0                        # HotPatchTableOffset, Reserved3
  .quad 0, 0                        # EnclaveConfigurationPointer, VolatileMetadataPointer
  .quad __guard_eh_cont_table       # GuardEHContinuationTable
  .quad __guard_eh_cont_count       # GuardEHContinuationCount
)");
