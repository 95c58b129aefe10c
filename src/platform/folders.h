#pragma once
// Folders and folder trees, on native paths.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/status.h"

namespace banmen {

// Creates one folder (default permissions). An existing folder is a failure.
Status CreateFolder(const std::string& path);
// Creates the folder and every missing parent. An existing folder counts as
// success; a parent that is a file fails and nothing is created below it.
Status CreateFolderTree(const std::string& path);
// Removes an empty folder.
Status RemoveFolder(const std::string& path);

// The names in one folder, in the order the file system lists them, without
// "." and "..".
Status ListFolder(const std::string& path, std::vector<std::string>& names);

// Walks a tree in listing order: onFile for every file, onFolderEnter before a
// folder's content and onFolderLeave after it (the root included). A handler
// returning false stops the walk with the reason "walk stopped". Paths passed
// are the root as normalised (without a trailing "/") joined with the names.
// A link to a file counts as a file; links to folders are skipped, so a walk
// never leaves the tree; dangling links, pipes and devices are skipped too.
// Failures below the root name the path where they happened.
struct TreeWalker {
    std::function<bool(const std::string& path)> onFile;
    std::function<bool(const std::string& path)> onFolderEnter;
    std::function<bool(const std::string& path)> onFolderLeave;
};
Status WalkTree(const std::string& folder, const TreeWalker& walker);

// Copies a whole tree; the destination is created with CreateFolderTree and
// files already there are overwritten. A destination inside the source (also
// through a link) is refused.
Status CopyTree(const std::string& source, const std::string& destination);
// Deletes every file and folder of the tree, then the folder itself. Links are
// removed, never followed; a root that is a link (or "/") is refused.
Status DeleteTree(const std::string& folder);

struct TreeCount {
    std::uint64_t files = 0;
    std::uint64_t folders = 0;
};
// Files and folders below the root (the root itself is not counted).
Status CountTree(const std::string& folder, TreeCount& out);
// Sum of file sizes, each rounded up to a whole multiple of `unit` (>= 1).
Status SizeTree(const std::string& folder, std::uint64_t unit, std::uint64_t& out);

// True when every file and folder of `source` exists at the same relative
// place under `copy`, files with the same size (used before a moved
// workspace's old folder is deleted). Extra entries in the copy do not matter.
bool TreeCopyIsComplete(const std::string& source, const std::string& copy);

}  // namespace banmen
