// A library that offers the stand-in's entry point but hands out no control table: a stand-in
// left half-built, or one made to look like ours.
#if defined(_WIN32)
#define EXPORTED __declspec(dllexport)
#else
#define EXPORTED __attribute__((visibility("default")))
#endif

extern "C" EXPORTED const void* MorrowsetStandInControl() { return nullptr; }
