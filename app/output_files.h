// The files one command writes, as a set: every place is tried before the work starts, and at
// the end all of them are put in place, or none is.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

class OutputFiles {
public:
    // Makes a temporary file beside each path (empty paths are left out); throws
    // std::runtime_error naming the first path that cannot be written and why.
    explicit OutputFiles(const std::vector<std::string>& paths);
    // Removes every temporary file not yet put in place.
    ~OutputFiles();
    OutputFiles(const OutputFiles&) = delete;
    OutputFiles& operator=(const OutputFiles&) = delete;

    // The text for one of the paths; held until Commit.
    void Set(const std::string& path, std::string text);
    // Writes every temporary whole, then renames each to its path; throws (and removes what is
    // left) when a write fails, before any file is replaced.
    void Commit();

private:
    struct Entry {
        std::string path, temp, text;
        std::FILE* file = nullptr;
    };
    void Discard();

    std::vector<Entry> entries_;
};
