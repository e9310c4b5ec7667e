// How the calendar page looks: its style sheet and each writer's colour and short name.
#pragma once

#include "DaySummary.h"

// The page's style sheet: a month-style grid on wide screens, an agenda of one date per row under
// 700 CSS px, and paper in either orientation with no text under 8 pt.
extern const char* const kPageStyle;

// Returns a writer's colour: at least 4.5:1 against the lanes' white, each its own hue.
const char* FillOf(const Writers& writers, int writer);

// Returns the label at the start of a writer's lane, which tells the lanes apart without colour.
const char* ShortName(const Writers& writers, int writer);
