#pragma once
// Registering the program's file types: the classes-root values of the
// settings store (registry_key.h) and, as the Linux desktop's own
// counterpart, the shared-mime-info package, the desktop entry and the
// icons of desktop_entries.h, all for the current user.
//
// Under HKEY_CLASSES_ROOT, for a type name T (e.g. "SugorokuWorkspace") and
// an extension E (e.g. "sgw"):
//   T                        (default) the description
//   T\DefaultIcon            (default) "PROGRAM,ICON-INDEX"
//   T\shell\open\command     (default) "\"PROGRAM\" %1"
//   .E                       (default) T
//   .E                       "Content Type" the content type

#include <string>
#include <string_view>
#include <vector>

#include "platform/desktop_entries.h"

namespace banmen {

struct FileTypeRegistration {
    std::string extension;    // "sgw"
    std::string typeName;     // "SugorokuWorkspace"
    std::string description;  // UTF-8
    std::string contentType;  // "application/x-sugoroku-workspace"
    int iconIndex = 0;
    std::string program;      // full path
    std::string programName;  // UTF-8, for the desktop's menus
    std::vector<DesktopIcon> icons;
};

// Writes the five values in the order above, then the desktop's files. The
// caller refreshes the desktop's databases once every type is written.
// Failures stop at the first write that fails; what was written stays.
bool RegisterFileType(const FileTypeRegistration& type);

// When ".E" is registered: deletes the type's key (named by the default value
// of ".E"), the key ".E" and the desktop's files, and returns true. Returns
// false, touching nothing, when ".E" is not registered.
bool UnregisterFileType(std::string_view extension);

// The program's icon at the sizes it is drawn in, from the embedded
// resources (":/icons/banmen-N.png"); empty when the program has none.
std::vector<DesktopIcon> ProgramIcons();

}  // namespace banmen
