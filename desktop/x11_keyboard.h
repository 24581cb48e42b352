// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rpn::desktop {

// Asks the X server to send a held key's release only when the key is really released, not
// once per auto-repeated press. Without it a held key arrives as a stream of release and press
// pairs, which the toolkit tells from real releases only when the pair is already queued, and
// under load it is not. False when not on X or the server cannot.
bool EnableDetectableAutoRepeat();

}  // namespace rpn::desktop
