// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/session_data.h"

#include "engine/arithmetic_fault.h"
#include "session/file_numbers.h"

namespace rpn {

namespace {

constexpr const char* kLineEnd = "\r\n";

// A line that does not convert.
struct IncompatibleLine {};

// Reads the lines of the session file in order, raising IncompatibleLine at the first one
// that fails. Text after a number on its line is ignored.
class SessionLines {
  public:
    explicit SessionLines(std::istream& in) : reader_(in) {}

    Register Real() {
        Register value = 0;
        try {
            value = reader_.ReadFileReal();
        } catch (const ArithmeticFault&) {
            // A real beyond the register range cannot come from a save of this program.
            throw IncompatibleLine{};
        }
        EndLine();
        return value;
    }
    int32_t Integer() {
        const int32_t value = reader_.ReadFileInteger();
        EndLine();
        return value;
    }
    bool AtEnd() {
        const bool atEnd = reader_.AtEndOfData();
        Check();
        return atEnd;
    }

  private:
    void EndLine() {
        Check();
        reader_.SkipLine();
        Check();
    }
    void Check() const {
        if (reader_.ioError()) {
            throw IncompatibleLine{};
        }
    }

    FileNumberReader reader_;
};

}  // namespace

void SessionData::Write(std::ostream& out) const {
    for (const Register value : {x, y, z, t}) {
        out << FormatFileReal(value) << kLineEnd;
    }
    out << FormatFileInteger(window.top) << kLineEnd;
    out << FormatFileInteger(window.left) << kLineEnd;
    out << FormatFileReal(memory) << kLineEnd;
    out << FormatFileInteger(keypad.top) << kLineEnd;
    out << FormatFileInteger(keypad.left) << kLineEnd;
}

SessionRead SessionData::Read(std::istream& in) {
    SessionRead read;
    SessionData& data = read.data;
    try {
        SessionLines lines(in);
        // The stack counts only once the whole file has been read.
        SessionData stack;
        stack.x = lines.Real();
        stack.y = lines.Real();
        stack.z = lines.Real();
        stack.t = lines.Real();
        WindowPosition window;
        window.top = lines.Integer();
        window.left = lines.Integer();
        if (!lines.AtEnd()) {
            data.memory = lines.Real();
            read.hasMemory = true;
        }
        data.window = window;
        read.hasWindow = true;
        // A file that ends before the keypad's lines puts the keypad where it starts.
        if (lines.AtEnd()) {
            data.keypad = kDefaultKeypadPosition;
        } else {
            data.keypad.top = lines.Integer();
            read.hasKeypadTop = true;
            data.keypad.left = lines.Integer();
        }
        read.hasKeypadTop = true;
        read.hasKeypadLeft = true;
        data.x = stack.x;
        data.y = stack.y;
        data.z = stack.z;
        data.t = stack.t;
    } catch (const IncompatibleLine&) {
        read.complete = false;
    }
    return read;
}

}  // namespace rpn
