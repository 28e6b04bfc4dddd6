// The event connection point of the progress bar control: up to five sinks
// of IProgressBarXEvents, which has no events to raise.
#pragma once
#include "Meterix_TLB.h"
#include "templates/connection_points.h"

template <class T>
class TEvents_ProgressBarX : public IConnectionPointImpl<T, &Meterix_TLB::DIID_IProgressBarXEvents, CComUnkArray<5>> {};
