// Wine's <math.h> with what the UCRT adds for C99 and C++: long double functions, the C99
// functions Wine leaves out, and the classification functions as functions rather than macros.
#ifndef MORROWSET_MSVC_ABI_MATH_H
#define MORROWSET_MSVC_ABI_MATH_H
#include_next <math.h>

#ifdef __cplusplus
extern "C" {
#endif
typedef double double_t;
typedef float float_t;
_ACRTIMP double __cdecl erfc(double);
_ACRTIMP float __cdecl erfcf(float);
_ACRTIMP double __cdecl fma(double, double, double);
_ACRTIMP float __cdecl fmaf(float, float, float);
_ACRTIMP double __cdecl nan(const char*);
_ACRTIMP float __cdecl nanf(const char*);
_ACRTIMP double __cdecl nexttoward(double, long double);
_ACRTIMP float __cdecl nexttowardf(float, long double);
#ifdef __cplusplus
}

// On Windows long double is double: each long double function is its double one.
#define MORROWSET_LONG_DOUBLE_1(name) \
  inline long double __cdecl name##l(long double x) { return name(static_cast<double>(x)); }
#define MORROWSET_LONG_DOUBLE_2(name)                                \
  inline long double __cdecl name##l(long double x, long double y) { \
    return name(static_cast<double>(x), static_cast<double>(y));     \
  }
MORROWSET_LONG_DOUBLE_1(acos);
MORROWSET_LONG_DOUBLE_1(acosh);
MORROWSET_LONG_DOUBLE_1(asin);
MORROWSET_LONG_DOUBLE_1(asinh);
MORROWSET_LONG_DOUBLE_1(atan);
MORROWSET_LONG_DOUBLE_1(atanh);
MORROWSET_LONG_DOUBLE_1(cbrt);
MORROWSET_LONG_DOUBLE_1(ceil);
MORROWSET_LONG_DOUBLE_1(cos);
MORROWSET_LONG_DOUBLE_1(cosh);
MORROWSET_LONG_DOUBLE_1(erf);
MORROWSET_LONG_DOUBLE_1(erfc);
MORROWSET_LONG_DOUBLE_1(exp);
MORROWSET_LONG_DOUBLE_1(exp2);
MORROWSET_LONG_DOUBLE_1(expm1);
MORROWSET_LONG_DOUBLE_1(fabs);
MORROWSET_LONG_DOUBLE_1(floor);
MORROWSET_LONG_DOUBLE_1(lgamma);
MORROWSET_LONG_DOUBLE_1(log);
MORROWSET_LONG_DOUBLE_1(log10);
MORROWSET_LONG_DOUBLE_1(log1p);
MORROWSET_LONG_DOUBLE_1(log2);
MORROWSET_LONG_DOUBLE_1(logb);
MORROWSET_LONG_DOUBLE_1(nearbyint);
MORROWSET_LONG_DOUBLE_1(rint);
MORROWSET_LONG_DOUBLE_1(round);
MORROWSET_LONG_DOUBLE_1(sin);
MORROWSET_LONG_DOUBLE_1(sinh);
MORROWSET_LONG_DOUBLE_1(sqrt);
MORROWSET_LONG_DOUBLE_1(tan);
MORROWSET_LONG_DOUBLE_1(tanh);
MORROWSET_LONG_DOUBLE_1(tgamma);
MORROWSET_LONG_DOUBLE_1(trunc);
MORROWSET_LONG_DOUBLE_2(atan2);
MORROWSET_LONG_DOUBLE_2(copysign);
MORROWSET_LONG_DOUBLE_2(fdim);
MORROWSET_LONG_DOUBLE_2(fmax);
MORROWSET_LONG_DOUBLE_2(fmin);
MORROWSET_LONG_DOUBLE_2(fmod);
MORROWSET_LONG_DOUBLE_2(hypot);
MORROWSET_LONG_DOUBLE_2(nextafter);
MORROWSET_LONG_DOUBLE_2(pow);
MORROWSET_LONG_DOUBLE_2(remainder);

#undef MORROWSET_LONG_DOUBLE_1
#undef MORROWSET_LONG_DOUBLE_2
inline long double __cdecl fmal(long double x, long double y, long double z) {
  return fma(static_cast<double>(x), static_cast<double>(y), static_cast<double>(z));
}
inline long double __cdecl frexpl(long double x, int* e) { return frexp(static_cast<double>(x), e); }
inline long double __cdecl ldexpl(long double x, int e) { return ldexp(static_cast<double>(x), e); }
inline long double __cdecl modfl(long double x, long double* i) {
  double whole = 0;
  const double rest = modf(static_cast<double>(x), &whole);
  *i = whole;
  return rest;
}
inline long double __cdecl nanl(const char* tag) { return nan(tag); }
inline long double __cdecl nexttowardl(long double x, long double y) {
  return nexttoward(static_cast<double>(x), y);
}
inline long double __cdecl remquol(long double x, long double y, int* q) {
  return remquo(static_cast<double>(x), static_cast<double>(y), q);
}
inline long double __cdecl scalbnl(long double x, int e) { return scalbn(static_cast<double>(x), e); }
inline long double __cdecl scalblnl(long double x, long e) { return scalbln(static_cast<double>(x), e); }
inline int __cdecl ilogbl(long double x) { return ilogb(static_cast<double>(x)); }
inline long __cdecl lrintl(long double x) { return lrint(static_cast<double>(x)); }
inline long long __cdecl llrintl(long double x) { return llrint(static_cast<double>(x)); }
inline long __cdecl lroundl(long double x) { return lround(static_cast<double>(x)); }
inline long long __cdecl llroundl(long double x) { return llround(static_cast<double>(x)); }

// Classification and comparison: functions for every arithmetic type, as in C++ <cmath>.
#undef fpclassify
#undef signbit
#undef isinf
#undef isnan
#undef isnormal
#undef isfinite
#undef isgreater
#undef isgreaterequal
#undef isless
#undef islessequal
#undef islessgreater
#undef isunordered
template <class T>
inline int fpclassify(T x) {
  return __builtin_fpclassify(FP_NAN, FP_INFINITE, FP_NORMAL, FP_SUBNORMAL, FP_ZERO, static_cast<double>(x));
}
#define MORROWSET_CLASSIFY(name)                     \
  template <class T>                                 \
  inline bool name(T x) {                            \
    return __builtin_##name(static_cast<double>(x)); \
  }
#define MORROWSET_COMPARE(name)                                              \
  template <class T, class U>                                                \
  inline bool name(T x, U y) {                                               \
    return __builtin_##name(static_cast<double>(x), static_cast<double>(y)); \
  }
MORROWSET_CLASSIFY(signbit);
MORROWSET_CLASSIFY(isinf);
MORROWSET_CLASSIFY(isnan);
MORROWSET_CLASSIFY(isnormal);
MORROWSET_CLASSIFY(isfinite);
MORROWSET_COMPARE(isgreater);
MORROWSET_COMPARE(isgreaterequal);
MORROWSET_COMPARE(isless);
MORROWSET_COMPARE(islessequal);
MORROWSET_COMPARE(islessgreater);
MORROWSET_COMPARE(isunordered);

#undef MORROWSET_CLASSIFY
#undef MORROWSET_COMPARE
#endif
#endif
