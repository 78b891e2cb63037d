#pragma once

#include <QString>

namespace platform {

// Whether a save to a path may be written. The new content is written beside the file it
// replaces and then renamed over it. Through a symbolic link, that file is the link's final
// target, reached link by link as QSaveFile follows them, and the link stays a link; a dangling
// link gives the file the save makes. So the decision is taken for that file and its folder,
// never for the link's.
struct SaveCheck {
    enum Refusal {
        kAllowed,
        kNoFile,          // no name, or a folder, a device or anything but a regular file
        kFileReadOnly,    // the file may not be written or replaced
        kFolderMissing,   // the folder that would hold the file is missing, or is no folder
        kFolderReadOnly,  // no file may be written or replaced in the folder
    };
    Refusal refusal = kAllowed;
    QString file;    // the file really replaced, or made
    QString folder;  // its folder, absolute
};

SaveCheck CheckSave(const QString& path);

// The append-only or the immutable attribute, on `file` (a SaveCheck's) or on its folder,
// refuses its replacement: the system then refuses the final rename and the removal of the
// temporary name alike, which would stay behind. CheckSave asks this too, so that no file is
// written there at all; a new file in such a folder is refused as well, as its next save would
// be.
bool ReplacementRefused(const QString& file);

}  // namespace platform
