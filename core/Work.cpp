#include "core/Work.h"

namespace mwcore {

bool Guard::Stopped() {
    if (reason_.load() != 0) return true;
    if (parent_ && parent_->Stopped())
        reason_.store(static_cast<int>(parent_->Reason()));
    else if (cancel_ && cancel_->load())
        reason_.store(static_cast<int>(StoppedBy::Cancel));
    else if (Clock::now() > limit_)
        reason_.store(static_cast<int>(StoppedBy::TimeLimit));
    return reason_.load() != 0;
}

const char* StoppedByName(StoppedBy s) {
    switch (s) {
        case StoppedBy::Nothing:
            return "nothing";
        case StoppedBy::Work:
            return "work";
        case StoppedBy::TimeLimit:
            return "time limit";
        case StoppedBy::Cancel:
            return "cancel";
    }
    return "nothing";
}

}  // namespace mwcore
