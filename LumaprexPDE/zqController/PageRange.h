// A run of pages of the job, as the page-exception tab's page sets and the
// page collection's entries hold them. Used by the bridge's plain picture of
// the page collection and by the page-exception panes.
#pragma once

// Both ends included; pages count from 1.
struct PageRange {
    int start = 0;
    int end = 0;
    friend bool operator==(const PageRange&, const PageRange&) = default;
};
