#pragma once

// The steps of taking a copy and of bringing one back, in order; tests stop
// the program at each to see that none loses the data file or a copy.
namespace backup {

enum class Step {
    PagesCopied,      // after each part of the online copy
    CopyWritten,      // the whole copy is in its work file, on the disk
    CopyChecked,      // it passed its integrity check
    CopyNamed,        // it has its dated name
    OlderCopyRemoved, // after each copy the rotation removes
    CurrentKept,      // a restore has kept the data file under a dated name
    CopyInPlace,      // the copy has taken the data file's name
    FolderSynced,
};

void setStepHook(void (*hook)(Step));
void reached(Step step);

} // namespace backup
