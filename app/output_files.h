// The files one command writes, as a set: every place is tried before the work starts, and at
// the end all of them are put in place, or none is. The temporary files beside them get names
// that no file had, and they are the only files removed, also when a Ctrl-C ends the program.
#pragma once

#include <string>
#include <vector>

class OutputFiles {
public:
    // Makes a temporary file beside each path (empty paths are left out); throws
    // std::runtime_error naming the first path that cannot be written and why, or that names
    // a file already named, however it is spelled.
    explicit OutputFiles(const std::vector<std::string>& paths);
    // Removes every temporary file not yet put in place.
    ~OutputFiles();
    OutputFiles(const OutputFiles&) = delete;
    OutputFiles& operator=(const OutputFiles&) = delete;

    // The text for one of the paths; held until Commit.
    void Set(const std::string& path, std::string text);
    // Writes every temporary whole, then puts each in its path's place. When any of it fails,
    // it throws and every path is as it was: a file that was there keeps its content, and
    // no new file remains.
    void Commit();

private:
    struct Entry {
        std::string path, temp, text;
        std::string backup;  // a second name of the file that was in the path's place
        int fd = -1;
    };
    void WriteAll();
    void PutInPlace();
    void Discard();

    std::vector<Entry> entries_;
};
