#pragma once

// The PR941 store filled with the values of tests/data/pr941/distinct.xml (the button mice share one
// filler, so the parts the PR941 shares with the PR260 carry the same values).
#include "pr260/PR26xDistinct.h"
