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
// The reason names the level that failed.
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
// never leaves the tree, unless followFolderLinks is set: then they are
// walked like folders, and a link back to a folder that holds it fails the
// walk. Dangling links, pipes and devices are skipped. Failures below the
// root name the path where they happened.
struct TreeWalker {
    std::function<bool(const std::string& path)> onFile;
    std::function<bool(const std::string& path)> onFolderEnter;
    std::function<bool(const std::string& path)> onFolderLeave;
    bool followFolderLinks = false;
};
Status WalkTree(const std::string& folder, const TreeWalker& walker);

// Copies a whole tree; the destination is created with CreateFolderTree and
// files already there are overwritten. Links are followed: the copy holds
// real files and folders with what the links pointed to. A destination
// inside the source (also through a link) is refused, and so is a link loop.
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

// Success when every file and folder of `source`, links followed, exists at
// the same relative place under `copy` with the same bytes, and no file of
// the copy resolves into `source` (checked before a moved workspace's old
// folder is deleted). Extra entries in the copy do not matter. The failure
// names the first difference by its relative path.
Status CompareTreeCopy(const std::string& source, const std::string& copy);

}  // namespace banmen
