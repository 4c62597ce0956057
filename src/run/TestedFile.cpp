#include "run/TestedFile.h"

#include <condition_variable>
#include <cstring>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "config/Sha256.h"

namespace trelvane {

namespace {

constexpr std::size_t kPieceSize = std::size_t{256} << 10;
// A second thread behind by this many pieces holds the reader back rather
// than memory (4 MB at most).
constexpr std::size_t kMaxPieces = 16;

// Length of the UTF-8 sequence that starts at s (avail bytes there): its
// length when whole and valid, 0 when the bytes stop inside a sequence that
// is valid so far, -1 when invalid (overlong forms and surrogates included).
int Utf8Sequence(const unsigned char* s, std::size_t avail) {
    const unsigned char lead = s[0];
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return -1;
    }
    for (std::size_t k = 1; k < static_cast<std::size_t>(length) && k < avail; ++k) {
        if (s[k] < (k == 1 ? low : 0x80) || s[k] > (k == 1 ? high : 0xBF)) return -1;
    }
    return avail < static_cast<std::size_t>(length) ? 0 : length;
}

// Whether bytes given piece by piece are valid UTF-8, and how many
// characters beyond ASCII they hold.
class Utf8Check {
  public:
    void Feed(const unsigned char* p, std::size_t n) {
        std::size_t i = 0;
        // A sequence the last piece cut: whole or refused by its fourth byte.
        while (valid_ && carried_ > 0 && carried_ < sizeof carry_ && i < n) {
            carry_[carried_++] = p[i++];
            const int r = Utf8Sequence(carry_, carried_);
            valid_ = r >= 0;
            if (r > 0) carried_ = 0;
        }
        while (valid_ && i < n) {
            if (i + 8 <= n) {
                std::uint64_t word = 0;
                std::memcpy(&word, p + i, 8);
                if ((word & 0x8080808080808080ULL) == 0) {
                    i += 8;
                    continue;
                }
            }
            if (p[i] < 0x80) {
                ++i;
                continue;
            }
            ++beyondAscii_;
            const int r = Utf8Sequence(p + i, n - i);
            valid_ = r >= 0;
            if (r == 0) {
                carried_ = n - i;
                std::memcpy(carry_, p + i, carried_);
                return;
            }
            i += static_cast<std::size_t>(r > 0 ? r : 0);
        }
    }
    bool Valid() const { return valid_ && carried_ == 0; }
    std::uint64_t BeyondAscii() const { return beyondAscii_; }

  private:
    bool valid_ = true;
    std::uint64_t beyondAscii_ = 0;
    unsigned char carry_[4] = {};
    std::size_t carried_ = 0;
};

}  // namespace

struct TestedFileReader::Impl {
    // Read by the second thread until it ends, by the first one after.
    Sha256 sha;
    Utf8Check utf8;
    std::uint64_t size = 0;
    unsigned char head[3] = {};

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::unique_ptr<char[]>> owned;
    std::vector<char*> spare;
    struct Piece {
        char* data;
        std::size_t size;
    };
    std::deque<Piece> queue;
    char* lent = nullptr;
    bool ended = false;   // the end of the file was reached
    bool closed = false;  // no more pieces will come
    std::thread worker;

    void Look(const char* data, std::size_t n) {
        for (std::size_t k = 0; k < n && size + k < sizeof head; ++k)
            head[size + k] = static_cast<unsigned char>(data[k]);
        size += n;
        sha.Update(std::string_view(data, n));
        utf8.Feed(reinterpret_cast<const unsigned char*>(data), n);
    }

    void Work() {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [this] { return closed || !queue.empty(); });
            if (queue.empty()) return;
            const Piece piece = queue.front();
            queue.pop_front();
            lock.unlock();
            Look(piece.data, piece.size);
            lock.lock();
            spare.push_back(piece.data);
            changed.notify_all();
        }
    }
};

TestedFileReader::TestedFileReader() : impl_(std::make_unique<Impl>()) {
    impl_->owned.reserve(kMaxPieces);
    impl_->spare.reserve(kMaxPieces);
    try {
        impl_->worker = std::thread([impl = impl_.get()] { impl->Work(); });
    } catch (const std::exception&) {
        // No second thread to be had: the pieces are looked at as they come.
    }
}

TestedFileReader::~TestedFileReader() {
    if (!impl_->worker.joinable()) return;
    {
        std::lock_guard lock(impl_->mutex);
        impl_->closed = true;
    }
    impl_->changed.notify_all();
    impl_->worker.join();
}

std::span<char> TestedFileReader::Lend() {
    Impl& d = *impl_;
    if (!d.lent) {
        std::unique_lock lock(d.mutex);
        if (d.spare.empty() && d.owned.size() < kMaxPieces) {
            d.owned.push_back(std::make_unique<char[]>(kPieceSize));
            d.spare.push_back(d.owned.back().get());
        }
        d.changed.wait(lock, [&d] { return !d.spare.empty(); });
        d.lent = d.spare.back();
        d.spare.pop_back();
    }
    return {d.lent, kPieceSize};
}

void TestedFileReader::Read(std::size_t n) {
    Impl& d = *impl_;
    if (n == 0) d.ended = true;
    if (!d.worker.joinable()) {
        d.Look(d.lent, n);
        d.spare.push_back(d.lent);
    } else {
        {
            std::lock_guard lock(d.mutex);
            if (n == 0)
                d.spare.push_back(d.lent);
            else
                d.queue.push_back({d.lent, n});
        }
        d.changed.notify_all();
    }
    d.lent = nullptr;
}

void TestedFileReader::Finish(TestedFile& file) {
    Impl& d = *impl_;
    if (d.worker.joinable()) {
        {
            std::lock_guard lock(d.mutex);
            d.closed = true;
        }
        d.changed.notify_all();
        d.worker.join();
    }
    file.read = d.ended;
    if (!d.ended) return;
    file.size = d.size;
    file.sha256 = d.sha.FinalHex();
    file.utf8Bom = d.size >= 3 && d.head[0] == 0xEF && d.head[1] == 0xBB && d.head[2] == 0xBF;
    file.utf8Accents = d.utf8.Valid() && d.utf8.BeyondAscii() > (file.utf8Bom ? 1u : 0u);
}

bool ReadTestedFile(const std::string& path, std::string& text, TestedFile& file) {
    TestedFileReader reader;
    const bool read = ImportFileContent(path, text, &reader);
    reader.Finish(file);
    return read;
}

}  // namespace trelvane
