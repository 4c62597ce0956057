// What a run tested, so that a report can be matched to its file later and
// the user told when the file was plainly made for another system: facts
// about the file's bytes, gathered while it is read and cut, never by a
// second pass over it.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "config/modIOfunctions.h"

namespace trelvane {

struct TestedFile {
    std::string yearCamp;  // the campaign year the checks used
    bool read = false;     // the whole file was read: the figures below hold
    std::uint64_t size = 0;
    std::string sha256;  // lower-case hexadecimal
    bool utf8Bom = false;
    // Valid UTF-8 holding characters beyond ASCII (a byte order mark aside):
    // accented letters written for another system.
    bool utf8Accents = false;
    // Segment terminators met by the cut, and those a line feed directly
    // follows in the joined text (a lone LF in the file: CR LF is a line end).
    std::uint64_t terminators = 0;
    std::uint64_t terminatorsBeforeLineFeed = 0;
};

// Looks at the bytes ImportFileContent reads, on a second thread when one
// can be had, so that the digest costs the run no time: the reader goes on
// joining lines while the pieces it has read are hashed.
class TestedFileReader final : public FileReadObserver {
  public:
    TestedFileReader();
    ~TestedFileReader() override;
    TestedFileReader(const TestedFileReader&) = delete;
    TestedFileReader& operator=(const TestedFileReader&) = delete;

    std::span<char> Lend() override;
    void Read(std::size_t n) override;

    // Waits for the pieces still being looked at, then sets read, size,
    // sha256, utf8Bom and utf8Accents (read stays false when the end of the
    // file was never reached).
    void Finish(TestedFile& file);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Reads a file whole with ImportFileContent, noting what is seen of its
// bytes (all but the terminator counts, which come with the cut). False on
// failure, after its message.
bool ReadTestedFile(const std::string& path, std::string& text, TestedFile& file);

}  // namespace trelvane
