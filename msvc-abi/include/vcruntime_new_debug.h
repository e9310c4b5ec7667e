// The debug allocation functions' header; a release runtime needs nothing from it.
#pragma once
#include <vcruntime_new.h>
