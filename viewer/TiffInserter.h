#pragma once

#include "viewer/TiffProgress.h"
#include "viewer/TiffResults.h"
#include "viewer/TiffWriteHook.h"

#include <string>

// Inserts every page of `source` into `target` so that the first inserted page becomes page
// `position` (1 = in front, pages + 1 = after the last). The result replaces the target only
// when it is complete; on any failure the target is unchanged and no temporary file remains.
// A target that is a symbolic link stays one: the file it leads to is replaced.
class TiffInserter {
public:
    // The message of an insertion cancelled through `progress`.
    static constexpr const char* kCancelled =
        "The insertion was cancelled; the target is unchanged";

    static TiffStatus Insert(const std::string& target, int position, const std::string& source,
                             const TiffWriteHook& hook = {}, const TiffProgress& progress = {});
};
