// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The two flags the main window keeps about the navigation tree.
struct TreeState {
    // Set by a refresh before it rebuilds the tree and cleared when that build
    // completes: selections made meanwhile are ignored, so the list keeps the
    // node the refresh remembered.
    bool busy = false;
    // Cleared while a build runs (also a stopped one); the commands that read
    // what the builder writes are disabled until it is set again.
    bool ready = false;

    void started(bool byRefresh) {
        if (byRefresh)
            busy = true;
        ready = false;
    }
    void ended(bool complete) {
        if (complete)
            busy = false;
        ready = true;
    }
    bool acceptsSelection() const { return !busy; }
};
