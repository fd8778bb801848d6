// Saving a small file of the user's so that no failure and no kill loses it:
// the way Henko.txt is saved, shared with the journey list.
#pragma once

#include <string>
#include <string_view>

#include "data/table_store.hpp"

namespace mkd {

// The folder part of `path` ("." for a bare name, "/" for one at the root).
std::string folderOf(const std::string& path);

// Follows `path` through any chain of links to the file it finally names; a
// link to nowhere gives the path where the file would be. 0 or an errno value.
int followLinks(std::string& path);

// Removes what earlier saves of `fileName`, killed between writing their
// temporary file and renaming it, left in `folder`.
void removeSaveTemporaries(const std::string& folder, std::string_view fileName);

// Writes all of `text`, however many calls it takes.
bool writeAll(int fd, std::string_view text);

// Makes `folder` and its parents; 0 or the system's error number.
int makeFolders(const std::string& folder);

// Replaces the file `path` names (through links) with `text`: written to a
// temporary file beside it, flushed to the disk, then renamed over it, so a
// failure or a kill leaves the old file or the new one, never a part of
// either. A folder or any other file that is not a regular file is never
// replaced; `makeFolder` makes the file's folder first.
SaveResult replaceFileSafely(const std::string& path, std::string_view text, bool makeFolder);

}  // namespace mkd
