#pragma once

#include <cstddef>
#include <cstdint>

#include "base/wide_string.h"

namespace quillmont::fuzzing {

// Reads fuzzer bytes as UTF-16 units, little-endian, so that every unit value
// (controls, quotes, surrogates, zero) can occur.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return position_ + 1 >= size_; }

    // Up to `maxUnits` units, or the rest.
    WideString take(std::size_t maxUnits) {
        WideString text;
        while (text.size() < maxUnits && !empty()) text.push_back(unit());
        return text;
    }

    std::uint8_t byte() { return position_ < size_ ? data_[position_++] : 0; }

private:
    char16_t unit() {
        const auto low = data_[position_];
        const auto high = data_[position_ + 1];
        position_ += 2;
        return static_cast<char16_t>(low | (high << 8));
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

}  // namespace quillmont::fuzzing
