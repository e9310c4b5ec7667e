# Cross-builds for 64-bit Windows in the C++ ABI of the MSVC-built ZelApi framework: clang in
# clang-cl mode, the MSVC STL (third_party/msvc-stl), Wine's C runtime and Windows headers, our
# own replacements for Microsoft's unpublished runtime pieces (msvc-abi/), and lld-link.
# The binaries import msvcp140, vcruntime140, ucrtbase and system DLLs, as MSVC's /MD does.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(MORROWSET_MSVC_ABI ON)
set(MORROWSET_LLVM_BIN /usr/lib/llvm-16/bin)
set(MORROWSET_WINE_INCLUDE /usr/include/wine/wine)
get_filename_component(MORROWSET_SOURCE_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)

# Every tool, or the package that brings it: never a half-configured build.
foreach(need "${MORROWSET_LLVM_BIN}/clang:clang-16" "${MORROWSET_LLVM_BIN}/lld-link:lld-16"
             "${MORROWSET_LLVM_BIN}/llvm-dlltool:llvm-16" "${MORROWSET_LLVM_BIN}/llvm-rc:llvm-16"
             "${MORROWSET_WINE_INCLUDE}/msvcrt/stdio.h:libwine-dev"
             "${MORROWSET_WINE_INCLUDE}/windows/windows.h:libwine-dev")
  string(REPLACE ":" ";" need "${need}")
  list(GET need 0 file)
  list(GET need 1 package)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "${file} is missing: install the Debian package ${package} "
                        "(bash scripts/setup.sh test installs everything the tests need)")
  endif()
endforeach()

# clang acts as clang-cl when called by that name.
set(MORROWSET_CLANG_CL "${CMAKE_BINARY_DIR}/clang-cl")
if(NOT EXISTS "${MORROWSET_CLANG_CL}")
  file(CREATE_LINK "${MORROWSET_LLVM_BIN}/clang" "${MORROWSET_CLANG_CL}" SYMBOLIC)
endif()
set(CMAKE_C_COMPILER "${MORROWSET_CLANG_CL}")
set(CMAKE_CXX_COMPILER "${MORROWSET_CLANG_CL}")
set(CMAKE_C_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_CXX_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_LINKER "${MORROWSET_LLVM_BIN}/lld-link")
set(CMAKE_AR "${MORROWSET_LLVM_BIN}/llvm-lib")
set(CMAKE_RC_COMPILER "${MORROWSET_LLVM_BIN}/llvm-rc")
set(CMAKE_MT "${MORROWSET_LLVM_BIN}/llvm-mt")
set(MORROWSET_DLLTOOL "${MORROWSET_LLVM_BIN}/llvm-dlltool")

# The compiler's check may not link: the runtime it would link is built by this project.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# Visual Studio 2022 17.8's compiler version; release runtime (/MD) without iterator debugging.
# Include order: our replacements, the STL, Wine's C runtime, Wine's Windows headers.
set(flags "-fms-compatibility-version=19.38 /X"
          "/imsvc ${MORROWSET_SOURCE_ROOT}/msvc-abi/include"
          "/imsvc ${MORROWSET_SOURCE_ROOT}/third_party/msvc-stl/stl/inc"
          "/imsvc ${MORROWSET_WINE_INCLUDE}/msvcrt"
          "/imsvc ${MORROWSET_WINE_INCLUDE}/windows"
          "-D_UCRT -D_ITERATOR_DEBUG_LEVEL=0 -D_USE_STD_VECTOR_ALGORITHMS=0 -DWINE_UNICODE_NATIVE"
          "/guard:cf")  # control-flow guard: every indirect call checked where the system enforces it
string(JOIN " " flags ${flags})
set(CMAKE_C_FLAGS_INIT "${flags}")
set(CMAKE_CXX_FLAGS_INIT "${flags}")
set(CMAKE_MSVC_RUNTIME_LIBRARY MultiThreadedDLL)
# Microsoft's import libraries do not exist here: every module links the runtime and import
# libraries that msvc-abi/ builds, and nothing by default.
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT
      "/nodefaultlib /manifest:no /guard:cf /libpath:${CMAKE_BINARY_DIR}/msvc-abi")
endforeach()
set(CMAKE_C_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)
set(CMAKE_RC_FLAGS_INIT "/C 65001 /I ${MORROWSET_WINE_INCLUDE}/windows")

set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
