// Fixed-size tables indexed from 1, first index fastest, as the engineering
// formulas are written: A(i, j) with i running down a column. In debug and
// sanitizer builds every index is checked, so an overrun fails the test that
// makes it instead of corrupting a neighbouring table.
#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <string_view>

#ifdef ZOLAN_BOUNDS_CHECK
#include <cstdio>
#include <cstdlib>
#define ZOLAN_CHECK_INDEX(i, lo, hi)                                                          \
    do {                                                                                      \
        if ((i) < (lo) || (i) > (hi)) {                                                       \
            std::fprintf(stderr, "%s:%d: table index %ld outside %ld..%ld\n", __FILE__, __LINE__, \
                         static_cast<long>(i), static_cast<long>(lo), static_cast<long>(hi)); \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)
#else
#define ZOLAN_CHECK_INDEX(i, lo, hi) ((void)0)
#endif

namespace zolan {

template <class T, int N1>
class Table1 {
public:
    T& operator()(int i) {
        ZOLAN_CHECK_INDEX(i, 1, N1);
        return v_[i - 1];
    }
    const T& operator()(int i) const {
        ZOLAN_CHECK_INDEX(i, 1, N1);
        return v_[i - 1];
    }
    void fill(const T& x) { std::fill(v_, v_ + N1, x); }
    static constexpr int size() { return N1; }
    T* data() { return v_; }
    const T* data() const { return v_; }

private:
    T v_[N1]{};
};

template <class T, int N1, int N2>
class Table2 {
public:
    T& operator()(int i, int j) {
        ZOLAN_CHECK_INDEX(i, 1, N1);
        ZOLAN_CHECK_INDEX(j, 1, N2);
        return v_[(i - 1) + static_cast<std::size_t>(N1) * (j - 1)];
    }
    const T& operator()(int i, int j) const {
        ZOLAN_CHECK_INDEX(i, 1, N1);
        ZOLAN_CHECK_INDEX(j, 1, N2);
        return v_[(i - 1) + static_cast<std::size_t>(N1) * (j - 1)];
    }
    void fill(const T& x) { std::fill(v_, v_ + static_cast<std::size_t>(N1) * N2, x); }
    T* data() { return v_; }

private:
    T v_[static_cast<std::size_t>(N1) * N2]{};
};

template <class T, int N1, int N2, int N3>
class Table3 {
public:
    T& operator()(int i, int j, int k) {
        ZOLAN_CHECK_INDEX(i, 1, N1);
        ZOLAN_CHECK_INDEX(j, 1, N2);
        ZOLAN_CHECK_INDEX(k, 1, N3);
        return v_[(i - 1) + static_cast<std::size_t>(N1) * ((j - 1) + static_cast<std::size_t>(N2) * (k - 1))];
    }
    const T& operator()(int i, int j, int k) const {
        ZOLAN_CHECK_INDEX(i, 1, N1);
        ZOLAN_CHECK_INDEX(j, 1, N2);
        ZOLAN_CHECK_INDEX(k, 1, N3);
        return v_[(i - 1) + static_cast<std::size_t>(N1) * ((j - 1) + static_cast<std::size_t>(N2) * (k - 1))];
    }
    void fill(const T& x) { std::fill(v_, v_ + static_cast<std::size_t>(N1) * N2 * N3, x); }

private:
    T v_[static_cast<std::size_t>(N1) * N2 * N3]{};
};

// A fixed-length text as a Fortran CHARACTER*N variable: assignments cut or
// pad with blanks on the right.
template <int N>
class FixedText {
public:
    FixedText() { std::fill(c_, c_ + N, ' '); }
    FixedText(std::string_view s) { set(s); }
    void set(std::string_view s) {
        const std::size_t n = std::min<std::size_t>(s.size(), N);
        std::copy(s.data(), s.data() + n, c_);
        std::fill(c_ + n, c_ + N, ' ');
    }
    std::string_view view() const { return std::string_view(c_, N); }
    std::string_view trimmed() const {
        std::size_t n = N;
        while (n > 0 && c_[n - 1] == ' ') --n;
        return std::string_view(c_, n);
    }
    std::span<char> span() { return std::span<char>(c_, N); }
    static constexpr int size() { return N; }

private:
    char c_[N];
};

}  // namespace zolan
