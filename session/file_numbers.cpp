// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/file_numbers.h"

#include <limits>
#include <string_view>

#include "engine/number_text.h"

namespace rpn {

namespace {

constexpr int kEndOfDataByte = 26;
constexpr int kCarriageReturn = 13;
constexpr int kLineFeed = 10;
constexpr std::size_t kRealTokenLimit = 64;
constexpr std::size_t kIntegerTokenLimit = 32;
constexpr std::string_view kPositiveInfinityText = "+Inf";
constexpr std::string_view kNegativeInfinityText = "-Inf";

// Bytes up to 32 separate tokens; 26 is among them but ends the data instead.
bool IsSeparator(int byte) {
    return byte <= 32;
}

// The bytes that a session file holds: printable ASCII, blanks, tabs and line ends. Any other
// byte (a NUL, a control character, the second byte of a UTF-16 text, a non-ASCII letter) is
// a damaged or converted file, whose digits must not be taken for the values saved.
bool IsFileByte(int byte) {
    return byte == '\t' || byte == kLineFeed || byte == kCarriageReturn ||
           (byte >= 32 && byte < 127);
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// A decimal integer within int32, or '$' and hex digits taken as the 32-bit pattern.
bool ParseFileInteger(std::string_view token, int32_t& value) {
    if (!token.empty() && token.front() == '$') {
        token.remove_prefix(1);
        if (token.empty()) {
            return false;
        }
        uint64_t bits = 0;
        for (char c : token) {
            const int digit = HexDigitValue(c);
            if (digit < 0) {
                return false;
            }
            bits = bits * 16 + static_cast<uint64_t>(digit);
            if (bits > 0xFFFFFFFFu) {
                return false;
            }
        }
        value = static_cast<int32_t>(static_cast<uint32_t>(bits));
        return true;
    }
    bool negative = false;
    if (!token.empty() && (token.front() == '+' || token.front() == '-')) {
        negative = token.front() == '-';
        token.remove_prefix(1);
    }
    if (token.empty()) {
        return false;
    }
    // The magnitude of -2147483648 is one more than the largest positive value.
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    int64_t magnitude = 0;
    for (char c : token) {
        if (c < '0' || c > '9') {
            return false;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) {
            return false;
        }
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

// Never used as a byte: the end of the stream, a byte 26, or a stream that failed.
constexpr int kNoByte = -1;

// The next byte, left unread; kNoByte where the data ends.
// A byte that no saved file holds sets ioError and ends the data.
int PeekByte(std::istream& in, bool& ioError) {
    const int byte = in.peek();
    if (in.bad()) {
        ioError = true;
        return kNoByte;
    }
    if (byte == std::istream::traits_type::eof() || byte == kEndOfDataByte) {
        return kNoByte;
    }
    if (!IsFileByte(byte)) {
        ioError = true;
        return kNoByte;
    }
    return byte;
}

// Skips separators and collects up to `limit` bytes of the token after them, byte by byte so
// that a long run of blanks never has to be held. False when the data ends first.
bool ReadToken(std::istream& in, bool& ioError, std::size_t limit, std::string& token) {
    int byte = PeekByte(in, ioError);
    while (byte != kNoByte && IsSeparator(byte)) {
        in.get();
        byte = PeekByte(in, ioError);
    }
    if (byte == kNoByte) {
        return false;
    }
    while (byte != kNoByte && !IsSeparator(byte) && token.size() < limit) {
        token.push_back(static_cast<char>(in.get()));
        byte = PeekByte(in, ioError);
    }
    return true;
}

}  // namespace

std::string FormatFileReal(Register x) {
    return FormatScientific(x, 23);
}

std::string FormatFileInteger(int32_t i) {
    return std::to_string(i);
}

FileNumberReader::FileNumberReader(std::istream& in) : in_(in) {
    ioError_ = in_.fail();
}

bool FileNumberReader::AtEndOfData() {
    return PeekByte(in_, ioError_) == kNoByte;
}

void FileNumberReader::SkipLine() {
    for (int byte = PeekByte(in_, ioError_); byte != kNoByte; byte = PeekByte(in_, ioError_)) {
        in_.get();
        // A file kept or edited on Linux ends its lines with LF alone, one from an old Mac
        // with CR alone; waiting for a CR there would skip every later line and lose them.
        if (byte == kLineFeed) {
            return;
        }
        if (byte == kCarriageReturn) {
            if (PeekByte(in_, ioError_) == kLineFeed) {
                in_.get();
            }
            return;
        }
    }
}

Register FileNumberReader::ReadFileReal() {
    std::string token;
    if (!ReadToken(in_, ioError_, kRealTokenLimit, token)) {
        return 0;
    }
    // An infinite register is written by name; reading it back keeps the whole stack.
    if (token == kPositiveInfinityText || token == kNegativeInfinityText) {
        const Register infinity = std::numeric_limits<Register>::infinity();
        return token == kPositiveInfinityText ? infinity : -infinity;
    }
    // The file always writes '.', so a ',' is not read as a decimal separator here.
    const ParseResult parsed = ParseEntry(token);
    if (!parsed.ok()) {
        ioError_ = true;
        return 0;
    }
    return parsed.value;
}

int32_t FileNumberReader::ReadFileInteger() {
    std::string token;
    if (!ReadToken(in_, ioError_, kIntegerTokenLimit, token)) {
        return 0;
    }
    int32_t value = 0;
    if (!ParseFileInteger(token, value)) {
        ioError_ = true;
        return 0;
    }
    return value;
}

}  // namespace rpn
