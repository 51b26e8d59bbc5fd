// SPDX-FileCopyrightText: 2026 Keyloom developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/controls.h"
#include "practice/errors.h"

namespace keyloom {

// Runs one step of a handler that goes on after a failing step: an error of
// the practice logic leaves the step without effect, and the caller carries
// on with the next one.
template <class Step> void skipOnError(Step&& step) {
    try {
        step();
    } catch (const PracticeError&) {
        // The step has no effect; the handler never reports it.
    } catch (const MissingElementError&) {
        // Likewise for a label that is not there.
    }
}

} // namespace keyloom
