#pragma once
// Fixed tables with 1-based slots, so that slot numbers in code read as on
// the cards (line 1 is slot 1, the back bent is slot 21).

#include <array>
#include <cassert>

namespace bp {

template <class T, int N>
class SlotTable {
public:
    static constexpr int size = N;
    T& operator[](int slot) {
        assert(slot >= 1 && slot <= N);
        return slots_[slot - 1];
    }
    const T& operator[](int slot) const {
        assert(slot >= 1 && slot <= N);
        return slots_[slot - 1];
    }
    void fill(const T& value) { slots_.fill(value); }

private:
    std::array<T, N> slots_{};
};

}   // namespace bp
