#pragma once

namespace beacon_analytics {

// Whether the latest attempted upload was accepted (status 200); false at
// start. Process-wide, behind its own lock, so the tracking layer can choose
// between delivering on the caller's thread and on a thread of its own. Any
// thread.
bool lastSendOk();
void SetLastSendOk(bool ok);

}  // namespace beacon_analytics
