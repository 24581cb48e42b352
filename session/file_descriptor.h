// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <ios>
#include <streambuf>

namespace rpn {

// An open file descriptor, closed when it goes.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Hands the descriptor over: it is no longer closed here.
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

// Reads a file descriptor through a small buffer, at most `limit` bytes. A read error, and a
// file that grows beyond the limit while it is read, leave underflow by an exception, which
// the istream turns into badbit: the reader's I/O error.
class DescriptorBuffer : public std::streambuf {
  public:
    DescriptorBuffer(int fd, std::size_t limit) : fd_(fd), left_(limit) {}

  protected:
    int_type underflow() override {
        if (gptr() < egptr()) {
            return traits_type::to_int_type(*gptr());
        }
        ssize_t got;
        do {
            got = ::read(fd_, buffer_.data(), buffer_.size());
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            throw std::ios_base::failure(std::strerror(errno));
        }
        if (got == 0) {
            return traits_type::eof();
        }
        if (static_cast<std::size_t>(got) > left_) {
            throw std::ios_base::failure(std::strerror(EFBIG));
        }
        left_ -= static_cast<std::size_t>(got);
        setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
        return traits_type::to_int_type(*gptr());
    }

  private:
    int fd_;
    std::size_t left_;
    std::array<char, 4096> buffer_{};
};

}  // namespace rpn
