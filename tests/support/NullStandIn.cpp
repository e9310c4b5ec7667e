// A library that offers the stand-in's entry point but hands out no control table: a stand-in
// left half-built, or one made to look like ours.
#if defined(_WIN32)
#define EXPORTED __declspec(dllexport)
#else
#define EXPORTED __attribute__((visibility("default")))
#endif

// It names the release as the stand-in does, so that the preview loads it and meets the missing table.
__attribute__((used)) const char kIdentity[] = "@(#)Morrowset stand-in " MORROWSET_VERSION;

extern "C" EXPORTED const void* MorrowsetStandInControl() { return nullptr; }
