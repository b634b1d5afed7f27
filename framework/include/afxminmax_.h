// min and max, which programs written for the framework call unqualified, as the system
// headers of their day gave them (as macros) unless NOMINMAX was defined. Here they are
// function templates over arithmetic types rather than macros: a macro would rewrite the
// standard library's own std::min and std::max, which then no longer compile. Both
// compare and return in the common type of their operands, as the macros did after the
// usual arithmetic conversions (min(-1, 1u) compares unsigned).
//
// A program that defines NOMINMAX (or _AFX_NO_MINMAX) before its first header does
// without them. The C++ library of this toolchain defines NOMINMAX itself in each of
// its headers, so a definition only counts when none of them came first; afx.h
// includes this header before any other for that reason.
#pragma once

#if defined(NOMINMAX) && !defined(_GLIBCXX_RELEASE) && !defined(_AFX_NO_MINMAX)
  #define _AFX_NO_MINMAX
#endif

#ifndef _AFX_NO_MINMAX
#include <type_traits>

template <class A, class B>
    requires std::is_arithmetic_v<A> && std::is_arithmetic_v<B>
constexpr std::common_type_t<A, B> min(A a, B b)
{
    using T = std::common_type_t<A, B>;
    return (T)a < (T)b ? (T)a : (T)b;
}

template <class A, class B>
    requires std::is_arithmetic_v<A> && std::is_arithmetic_v<B>
constexpr std::common_type_t<A, B> max(A a, B b)
{
    using T = std::common_type_t<A, B>;
    return (T)a > (T)b ? (T)a : (T)b;
}
#endif
