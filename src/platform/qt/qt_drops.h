// Files dragged in from other programs onto a form whose style takes drops.
#pragma once

namespace platform::qt {

class QtFormPeer;

// The peer's window takes drags of local files (file managers hand them
// over as text/uri-list) and tells the model of their coming, moving,
// leaving and drop. Lives as long as the peer.
void acceptDrops(QtFormPeer& peer);

}  // namespace platform::qt
