// Standard output for shoutotsu-trace, with every write checked.
//
// A table redirected to a full disk or a vanished pipe must not look
// complete: the buffer goes out with fwrite, and the first write that fails
// puts the stream in its failed state and keeps the C library's reason.
#pragma once

#include <array>
#include <cstdio>
#include <streambuf>
#include <string>

namespace shoutotsu::trace {

class FileOutputBuffer : public std::streambuf {
  public:
    explicit FileOutputBuffer(std::FILE* file);
    ~FileOutputBuffer() override;
    FileOutputBuffer(const FileOutputBuffer&) = delete;
    FileOutputBuffer& operator=(const FileOutputBuffer&) = delete;

    // Why the first failed write failed ("No space left on device"), or empty.
    const std::string& failure() const { return failure_; }

  protected:
    int_type overflow(int_type ch) override;
    int sync() override;

  private:
    bool writeOut(); // the buffered bytes; false once a write has failed

    std::FILE* file_;
    std::array<char, 1 << 16> buffer_{};
    std::string failure_;
};

} // namespace shoutotsu::trace
