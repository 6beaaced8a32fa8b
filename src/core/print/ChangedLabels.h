#pragma once

#include "checks/SiteComparison.h"
#include "labels/LabelRows.h"

// The labels a change makes wrong, to print instead of the whole sheet: every label (four
// channels) holding a channel whose relay name or contact changed, or that the old site did
// not have. State texts are on no label. `changes` compares `rows`, the new site (ours), with
// the old one.
QList<LabelRow> ChangedLabelRows(const ChannelRows& rows, const SiteComparison& changes);
