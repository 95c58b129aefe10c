#pragma once
// Registry-style settings keys, kept in INI files (QSettings' dialect) under
// the XDG configuration folders ($XDG_CONFIG_HOME, default ~/.config; CONFIG below).
//
// Where a key lives. Names below a root are split at "\"; the name "Software"
// compares without regard to case, other names exactly, as file names do.
// - HKEY_CURRENT_USER\Software\A\B\C\D: group "C/D" of CONFIG/A/B.conf.
// - HKEY_CURRENT_USER\Software\A\B: top level of CONFIG/A/B.conf.
// - HKEY_CURRENT_USER\Software\A: top level of CONFIG/A.conf.
// - HKEY_CURRENT_USER\Software: CONFIG itself; always there, holds no values.
// - HKEY_CURRENT_USER\X\... (X not "Software"): the same rules with the name X
//   kept, under CONFIG/banmen-registry/HKEY_CURRENT_USER (X.conf, X/Y.conf).
// - HKEY_CLASSES_ROOT\X\...: likewise under
//   CONFIG/banmen-registry/HKEY_CLASSES_ROOT.
// - HKEY_LOCAL_MACHINE\Software\...: as for the current user's software
//   branch, under the first entry of $XDG_CONFIG_DIRS (default /etc/xdg), and
//   read only.
// - HKEY_LOCAL_MACHINE\X and HKEY_USERS: not available; every operation fails.
// A name "." or "..", or one holding "/", makes a path invalid. A group
// exists while it holds a value, so a group key whose last value is deleted
// is gone; a file's key stays while its file does. Value names are
// case-sensitive; the unnamed value "" is kept as "@". Values carry their
// type (see registry_value.h).
//
// A file that does not parse is left alone: reads from it fail (the caller's
// default applies) and writes into it are refused, so it is never replaced by
// the part of it that could be read. DeleteKey may still delete it whole.
// Two programs may write one file at once (see settings_file.h).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cbinary.h"
#include "platform/settings/registry_path.h"
#include "platform/settings/registry_value.h"

namespace banmen {

class RegistryKey {
  public:
    // `path` as "HKEY_CURRENT_USER\Software\MOEGI\Banmen"; a path without a root
    // name is a subkey of `defaultRoot`.
    explicit RegistryKey(std::string path, RegistryRoot defaultRoot = RegistryRoot::None);
    virtual ~RegistryKey() = default;
    RegistryKey(const RegistryKey&) = default;
    RegistryKey& operator=(const RegistryKey&) = default;

    const std::string& path() const { return path_; }
    RegistryRoot root() const { return parsed_.root; }
    const std::string& subkey() const { return parsed_.subkey; }

    // Every operation names a subkey below this key ("" for the key itself)
    // and a value name, and returns true on success. A failed read leaves its
    // output as it was, so callers put their default there first. Reads fail
    // on a value of another type.
    virtual bool ReadString(std::string_view subkey, std::string_view name, std::string& out) const;
    // Creates the key (file, folders, group) as needed. The text ends at its
    // first NUL.
    virtual bool WriteString(std::string_view subkey, std::string_view name, std::string_view text);
    virtual bool ReadDword(std::string_view subkey, std::string_view name,
                           std::uint32_t& out) const;
    virtual bool WriteDword(std::string_view subkey, std::string_view name, std::uint32_t value);
    virtual bool ReadBinary(std::string_view subkey, std::string_view name,
                            std::vector<std::uint8_t>& out) const;
    // Into a CBinary; fails while it is locked.
    bool ReadBinary(std::string_view subkey, std::string_view name, CBinary& out) const;
    virtual bool WriteBinary(std::string_view subkey, std::string_view name, const void* bytes,
                             std::size_t length);
    bool WriteBinary(std::string_view subkey, std::string_view name, const CBinary& bytes);
    // The stored value's type.
    virtual bool ValueType(std::string_view subkey, std::string_view name, RegistryType& out) const;
    virtual bool KeyExists(std::string_view subkey) const;
    // Deletes one value; a subkey of the same name stays.
    virtual bool DeleteValue(std::string_view subkey, std::string_view name);

    // Deletes the key named by `path` (parsed as the constructor parses, with
    // this key's default root) with everything below it; when `path` names no
    // key, its last name is taken as a value of the key before it, and that
    // value is deleted. Refused: an empty path, a root, and a subkey that is
    // exactly one of ".Default", "Security", "System", "Network", "CLSID",
    // "Hardware", "Software", "EUDC", "Control Panel", "AppEvent" (any case).
    // Deleting a file's key (A\B) deletes its file; deleting a first-level key
    // (A) deletes A.conf and the ".conf" files in the folder A, and removes
    // that folder when nothing else is left in it.
    virtual bool DeleteKey(std::string_view path);

  private:
    std::string path_;
    RegistryRoot defaultRoot_;
    RegistryPath parsed_;
};

}  // namespace banmen
