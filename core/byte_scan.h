// Finding the first byte of a kind in a text, eight bytes at a time where the machine is
// little-endian. The marks of a word flag its bytes of that kind with their high bit; a false mark
// can only spill upwards from a true one, so the lowest marked byte of a word is its first byte of
// the kind. The hot readers of month files (line ends, plain fields) scan with it.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace purselog {

namespace byte_marks {

inline constexpr std::uint64_t kOnes = 0x0101010101010101ull;
inline constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// The bytes of `word` equal to `value`.
constexpr std::uint64_t Equal(std::uint64_t word, unsigned char value) {
  const std::uint64_t x = word ^ (kOnes * value);
  return (x - kOnes) & ~x & kHighBits;
}

// The bytes of `word` below `bound` (at most 0x80).
constexpr std::uint64_t Below(std::uint64_t word, unsigned char bound) {
  return (word - kOnes * bound) & ~word & kHighBits;
}

}  // namespace byte_marks

// The position of the first byte from `pos` on for which `is_kind(byte)` holds, or the size of
// the text. `marks(word)` marks the bytes of the kind in an eight-byte word (see byte_marks).
template <typename Marks, typename IsKind>
std::size_t FindFirstByte(std::string_view text, std::size_t pos, Marks marks, IsKind is_kind) {
  const std::size_t size = text.size();
  if constexpr (std::endian::native == std::endian::little) {
    for (; pos + 8 <= size; pos += 8) {
      std::uint64_t word = 0;
      std::memcpy(&word, text.data() + pos, sizeof word);
      if (const std::uint64_t flags = marks(word); flags != 0) {
        return pos + static_cast<std::size_t>(std::countr_zero(flags) / 8);
      }
    }
  }
  while (pos < size && !is_kind(static_cast<unsigned char>(text[pos]))) ++pos;
  return pos;
}

}  // namespace purselog
