#pragma once
// Helpers shared by the tests.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace banmen::test {

// A fresh folder under the system's temporary folder, removed with all its
// content when the object goes away.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + name
    std::string file(std::string_view name) const;

  private:
    std::string path_;
};

// Plain helpers that do not go through the code under test.
std::vector<std::uint8_t> readBytes(const std::string& path);
// The file's bytes as they are, in a string.
std::string readText(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
void writeText(const std::string& path, std::string_view text);
bool exists(const std::string& path);

}  // namespace banmen::test
