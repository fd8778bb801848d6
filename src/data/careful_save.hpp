// Writing one of the user's files (the stored pair Henko.txt, the program's
// settings, the journey list, and every file the user exports: CSV, PDF,
// spreadsheet) so that no save can lose it, break it or reach past it:
// - a link is followed, and the file it names is the one written; whatever
//   is not a regular file there (a device, a pipe, a folder) is never
//   replaced, whoever runs the program;
// - a file without any write permission is the user's "keep this" and is not
//   replaced (not even by the super-user); one the user may not read or
//   write is not replaced either;
// - a file with several hard links is rewritten in place, so that every name
//   keeps seeing the same file;
// - any other file is replaced through a temporary file beside it, written,
//   synced to the disk, closed and its size checked before it takes the
//   file's name, so a failed save (a full disk) never leaves a truncated file
//   and always says why; the folder is synced after the rename.
// The temporary file is named "NAME.tmp-PID-XXXXXX" (the saving process and
// six random characters). A save removes the temporary files of NAME that
// were left by saves that can no longer finish: of a process that has ended,
// or older than a minute. Another program's save under way is left alone;
// should its own temporary file vanish all the same, the save tries again.
#pragma once

#include <string>
#include <string_view>

namespace mkd {

// How a save ended.
enum class SaveProblem {
    None,
    ReadOnlyFile,  // the file has no write permission: the user keeps it as it is
    System,  // the system refused: `error` says why
    TemporaryRemoved,  // something else removed this save's temporary file, each time it tried
};
struct SaveResult {
    SaveProblem problem = SaveProblem::None;
    int error = 0;  // an errno value, or kNotARegularFile, for System
    std::string path;  // the file written or not written (a link's target)
    bool ok() const { return problem == SaveProblem::None; }
};

struct SaveWay {
    // Make the file's folder (and its parents) when missing: the user's
    // config folder, on its first save.
    bool makeFolder = false;
    // A file rewritten in place is padded to its old length with blanks
    // before its last two bytes (the CR LF of Henko.txt, whose reader
    // ignores them), so that a rewrite cut short leaves the old text or the
    // new, never a mix. Without it, the rewrite is truncated to the new text.
    bool padInPlace = false;
    // A file with several hard links is rewritten in place (above). Off, it
    // is replaced like any other: the old text stays under its other names,
    // and a save cut short by a full disk leaves it whole.
    bool inPlaceWhenLinked = true;
};

// The file a path finally names, through any chain of links; a link to
// nowhere gives the path where the file would be. 0 or an errno value.
int followLinks(std::string& path);

// Writes `text` to the file at `path` as described above.
SaveResult saveCarefully(const std::string& path, std::string_view text, SaveWay way = {});

// Writes a file the user asked for (an export): `bytes` at `path`, or, for
// a link, at the regular file it names. Anything else there (a device, a
// pipe, a folder) is refused without being opened; a read-only file is kept;
// the old file is never touched until the new one is whole. The folder must
// exist.
SaveResult exportCarefully(const std::string& path, std::string_view bytes);

// Whether `entry`, a name in a folder, is a temporary file of a save of
// `fileName` ("Henko.txt.tmp-4711-a1B2c3", or "Henko.txt.tmp-a1B2c3" as
// earlier versions named them).
bool isSaveTemporary(std::string_view entry, std::string_view fileName);

}  // namespace mkd
