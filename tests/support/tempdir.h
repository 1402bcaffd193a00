// A fresh temporary directory that the test runs in, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

class TempDirTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorvin_testXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        oldDir_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        std::filesystem::current_path(oldDir_);
        std::error_code ignored;
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(dir_, ignored);
    }
    static void WriteFile(const std::string& name, const std::string& contents) {
        std::ofstream(name, std::ios::binary) << contents;
    }
    static std::string ReadFile(const std::string& name) {
        std::ifstream file(name, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    static bool Exists(const std::string& name) { return std::filesystem::exists(name); }
    // Every file in the directory, so a test can see nothing was left behind.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string dir_;
    std::filesystem::path oldDir_;
};
