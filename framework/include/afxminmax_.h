// min and max, which programs written for the framework call unqualified, as the system
// headers of their day gave them (as macros) unless NOMINMAX was defined. Here they are
// function templates over arithmetic types rather than macros: a macro would rewrite the
// standard library's own std::min and std::max, which then no longer compile. Both
// compare and return in the common type of their operands, as the macros did after the
// usual arithmetic conversions (min(-1, 1u) compares unsigned). NOMINMAX leaves them out.
#pragma once

#ifndef NOMINMAX
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
