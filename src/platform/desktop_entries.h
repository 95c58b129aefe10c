#pragma once
// A file type made known to the Linux desktop for the current user, as the
// freedesktop.org specifications describe it. Everything lives under the
// user's data folder ($XDG_DATA_HOME, default ~/.local/share; DATA below):
//  - DATA/mime/packages/<id>.xml: a shared-mime-info package declaring the
//    content type, its comment, icon and glob "*.<extension>";
//  - DATA/applications/<id>.desktop: the program that opens the type, with
//    "Exec" holding the program's full path and "%f";
//  - DATA/icons/hicolor/<n>x<n>/apps/<id>.png: the icon at each size given;
// where <id> is "banmen-" followed by the extension. Each file is written
// atomically. Afterwards the desktop's databases are brought up to date by
// "update-mime-database DATA/mime" and "update-desktop-database
// DATA/applications", each run when it is found on $PATH.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/status.h"

namespace banmen {

struct DesktopIcon {
    int size = 0;                   // pixels, square
    std::vector<std::uint8_t> png;  // the PNG file's bytes
};

struct DesktopFileType {
    std::string extension;    // "sgw", without the dot
    std::string contentType;  // "application/x-sugoroku-workspace"
    std::string description;  // UTF-8, the type's comment
    std::string program;      // full path of the program that opens it
    std::string programName;  // UTF-8, the program's name in menus
    std::vector<DesktopIcon> icons;
};

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
std::string DataHomeFolder();

// "banmen-sgw" for "sgw".
std::string DesktopId(const std::string& extension);

// The paths installing the type writes, in the order it writes them.
std::vector<std::string> DesktopFilesOf(const std::string& extension,
                                        const std::vector<int>& iconSizes);

// Writes the package, the entry and the icons. Stops at the first failure,
// leaving what was written so far.
Status InstallDesktopFileType(const DesktopFileType& type);
// Removes the files InstallDesktopFileType writes for the extension (any
// icon size); files that are not there are no failure.
void RemoveDesktopFileType(const std::string& extension);

// Runs the two database tools where they exist. Their output is dropped.
void RefreshDesktopDatabases();

// Text for a desktop entry's "Exec" key: the program quoted as an argument
// (with the escapes the entry format asks for) followed by " %f".
std::string DesktopExecLine(const std::string& program);

}  // namespace banmen
