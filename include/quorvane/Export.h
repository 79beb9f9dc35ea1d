#pragma once

// QUORVANE_API marks what libquorvane exports: the library is built with every other symbol
// hidden (-fvisibility=hidden), so only the declarations carrying it are reachable from outside.
#if defined(QUORVANE_BUILDING_LIBRARY)
#define QUORVANE_API __attribute__((visibility("default")))
#else
#define QUORVANE_API
#endif
