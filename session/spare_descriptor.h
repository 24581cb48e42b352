// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rpn {

// A descriptor kept aside for the session's saves. A save needs one descriptor at a time
// (the folder it tidies, the new file, the folder it syncs); when everything else has used up
// the process's open-file limit, the save lets go of the spare one and uses its place, so
// that no number of open connections or files can make the closing save fail.
namespace spare_descriptor {

// Takes the spare descriptor (/dev/null, opened at start); does nothing when it is held.
void Keep();

// Lets go of the spare descriptor for as long as it lives, and takes it again afterwards.
class LentForSave {
  public:
    LentForSave();
    ~LentForSave();
    LentForSave(const LentForSave&) = delete;
    LentForSave& operator=(const LentForSave&) = delete;

  private:
    bool lent_;
};

}  // namespace spare_descriptor

}  // namespace rpn
