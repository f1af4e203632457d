#include "TkControlDragTracker.h"

CTkControlDragTracker::~CTkControlDragTracker() = default;

// The drag loop belongs to the customisation tracker that derives from this class; this one moves
// nothing.
int CTkControlDragTracker::DragControl(CTkControl*, BOOL) {
    return kDragCancelled;
}
