// Takes typed values off the front of a fuzz input; an exhausted input
// answers zeros and empty texts, so every input is a valid case.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace pressmoor::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Exhausted() const { return position_ >= size_; }

  std::uint8_t Byte() { return Exhausted() ? 0 : data_[position_++]; }

  std::uint16_t Short() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }

  std::uint32_t Word() {
    std::uint32_t low = Short();
    return low | static_cast<std::uint32_t>(Short()) << 16;
  }

  // Up to `maximum` bytes, fewer when the input runs out.
  std::string Text(std::size_t maximum) {
    std::size_t length = std::min(maximum, size_ - std::min(size_, position_));
    std::string text(reinterpret_cast<const char*>(data_ + position_), length);
    position_ += length;
    return text;
  }

  std::string Rest() { return Text(size_); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

}  // namespace pressmoor::fuzz
