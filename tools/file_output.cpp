#include "tools/file_output.h"

#include <cerrno>
#include <cstring>

namespace shoutotsu::trace {

FileOutputBuffer::FileOutputBuffer(std::FILE* file) : file_(file) {
    // This buffer is the only one, so a failure shows at the write that met it.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

FileOutputBuffer::~FileOutputBuffer() { writeOut(); }

bool FileOutputBuffer::writeOut() {
    if (!failure_.empty()) {
        return false;
    }
    const size_t size = static_cast<size_t>(pptr() - pbase());
    errno = 0;
    const size_t written = size == 0 ? 0 : std::fwrite(pbase(), 1, size, file_);
    const bool ok = written == size && std::fflush(file_) == 0;
    if (!ok) {
        failure_ = errno != 0 ? std::strerror(errno) : "write error";
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return ok;
}

FileOutputBuffer::int_type FileOutputBuffer::overflow(int_type ch) {
    if (!writeOut()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
    }
    return traits_type::not_eof(ch);
}

int FileOutputBuffer::sync() { return writeOut() ? 0 : -1; }

} // namespace shoutotsu::trace
