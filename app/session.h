#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "engine/calculator.h"
#include "engine/register.h"

namespace rpn {

// A window's top and left edge in screen pixels.
struct WindowPosition {
    int32_t top = 0;
    int32_t left = 0;
    bool operator==(const WindowPosition&) const = default;
};

// What the session file needs of the windows.
class SessionHost {
  public:
    virtual ~SessionHost() = default;
    virtual WindowPosition MainWindowPosition() const = 0;
    virtual void MoveMainWindow(WindowPosition position) = 0;
    // The modal error box: caption "Error", error icon, one OK button. Returns when the
    // user has closed it.
    virtual void ShowErrorBox(const std::string& message) = 0;
};

// Raised by SaveSession when the file cannot be written; what() is the message for the user.
class SessionWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The values that LoadSession leaves for X, Y, Z, T and the memory.
struct LoadedRegisters {
    Register X = 0;
    Register Y = 0;
    Register Z = 0;
    Register T = 0;
    Register memory = 0;
};

// `programPath` with its extension (the last component from its last '.') replaced by
// `extension`, or `extension` appended when the file name has no '.'.
std::string PathBesideProgram(const std::string& programPath, const std::string& extension);

// The session file: nine lines (X, Y, Z, T, window top, window left, memory, keypad top,
// keypad left), each ended by CR LF.
class SessionFile {
  public:
    SessionFile(std::string path, Calculator& calculator, SessionHost& host,
                WindowPosition& keypadPos);

    const std::string& path() const { return path_; }

    // Reads the file into the calculator's registers, the main window position and the
    // keypad position, and returns the registers read.
    LoadedRegisters LoadSession();
    // Commits X, then writes the file. Raises SessionWriteError; the earlier file stays whole.
    void SaveSession();

  private:
    LoadedRegisters ReadSession();

    std::string path_;
    Calculator& calculator_;
    SessionHost& host_;
    WindowPosition& keypadPos_;
};

}  // namespace rpn
