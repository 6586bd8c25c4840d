#pragma once
#include <QString>

// The second start's end of the hand-over (hand_over_server.h).
enum class HandOverResult {
    Accepted,  // the running window takes the picture
    Refused,   // it refused the path
    NoAnswer,  // nobody listens, or no answer in time
};

// Sends an absolute path to the running Mirelta and waits for its answer. The lock holder
// may still be starting, so a missing socket is tried again for a short while.
HandOverResult HandPictureOver(const QString& socketPath, const QString& absolutePath,
                               int timeoutMs = 10000);
