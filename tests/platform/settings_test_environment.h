#pragma once
// A private settings world for one test: $XDG_CONFIG_HOME, $XDG_CONFIG_DIRS,
// $HOME and the base folder ($BANMEN_HOME) all point into a fresh temporary
// folder, and are restored afterwards.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "support/test_support.h"

namespace banmen::test {

class ScopedEnv {
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        apply(value);
    }
    ~ScopedEnv() { apply(old_); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void apply(const std::optional<std::string>& value) {
        if (value) {
            setenv(name_.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name_.c_str());
        }
    }
    std::string name_;
    std::optional<std::string> old_;
};

class SettingsTest : public ::testing::Test {
  protected:
    SettingsTest() { std::filesystem::create_directories(baseHome_); }

    // Path under $XDG_CONFIG_HOME.
    std::string config(std::string_view relative) const {
        return configHome_ + "/" + std::string(relative);
    }
    // Path under the system configuration folder ($XDG_CONFIG_DIRS).
    std::string system(std::string_view relative) const {
        return systemHome_ + "/" + std::string(relative);
    }
    std::string base(std::string_view relative) const {
        return baseHome_ + "/" + std::string(relative);
    }
    const std::string& root() const { return temp_.path(); }

    // Writes a file, making its folders first.
    static void put(const std::string& path, std::string_view text) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        writeText(path, text);
    }
    static std::string contents(const std::string& path) {
        const auto bytes = readBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }

  private:
    TempDir temp_;
    std::string configHome_ = temp_.path() + "/config";
    std::string systemHome_ = temp_.path() + "/system";
    std::string baseHome_ = temp_.path() + "/base";
    ScopedEnv configEnv_{"XDG_CONFIG_HOME", configHome_};
    ScopedEnv systemEnv_{"XDG_CONFIG_DIRS", systemHome_ + ":/etc/xdg"};
    ScopedEnv homeEnv_{"HOME", temp_.path() + "/home"};
    ScopedEnv baseEnv_{"BANMEN_HOME", baseHome_};
    ScopedEnv dataEnv_{"XDG_DATA_HOME", temp_.path() + "/data"};
};

}  // namespace banmen::test
