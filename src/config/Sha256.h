// SHA-256 of files and texts, so that a report names exactly the bytes it
// was made from: anyone can check a file against it with a common tool.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace trelvane {

class Sha256 {
  public:
    // The processor's SHA instructions are used when it has them; Portable
    // forces the plain code (the tests compare both).
    enum class Engine { Best, Portable };
    explicit Sha256(Engine engine = Engine::Best);

    void Update(std::string_view bytes);
    // The digest of everything given so far; the object is then spent.
    std::array<std::uint8_t, 32> Final();
    // The same as 64 lower-case hexadecimal digits.
    std::string FinalHex();

  private:
    void Blocks(const std::uint8_t* data, std::size_t count);

    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> pending_{};
    std::size_t pendingSize_ = 0;
    std::uint64_t length_ = 0;
    bool hardware_ = false;
};

std::string Sha256Hex(std::string_view bytes);

}  // namespace trelvane
