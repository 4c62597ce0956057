// SHA-256 against published vectors, with and without the processor's
// instructions, given whole or in pieces that cut blocks anywhere.
#include <gtest/gtest.h>

#include <string>

#include "config/Sha256.h"

namespace trelvane::test {
namespace {

TEST(Sha256Test, PublishedVectorsInBothEnginesWholeOrInPieces) {
    const struct {
        std::string text;
        const char* digest;
    } kVectors[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    const std::size_t kPieces[] = {1, 63, 64, 65, std::size_t{1} << 20};
    for (Sha256::Engine engine : {Sha256::Engine::Best, Sha256::Engine::Portable}) {
        for (const auto& v : kVectors) {
            for (std::size_t piece : kPieces) {
                Sha256 sha(engine);
                for (std::size_t i = 0; i < v.text.size(); i += piece)
                    sha.Update(std::string_view(v.text).substr(i, piece));
                EXPECT_EQ(sha.FinalHex(), v.digest) << v.text.size() << " bytes by " << piece;
            }
        }
    }
    EXPECT_EQ(Sha256Hex("abc"), kVectors[1].digest);
}

}  // namespace
}  // namespace trelvane::test
