#include "app/output_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "app/interrupt_exit.h"

namespace fs = std::filesystem;

namespace {
[[noreturn]] void CannotWrite(const std::string& path, const std::string& why) {
    throw std::runtime_error("cannot write " + path + ": " + why);
}

// One file, however it is spelled: its folder as the system resolves it (relative or absolute,
// through links, "." and ".."), and its name there, which need not exist yet.
fs::path Identity(const std::string& path) {
    const fs::path full = fs::absolute(path);
    std::error_code ec;
    const fs::path folder = fs::canonical(full.parent_path(), ec);
    return ec ? full.lexically_normal() : folder / full.filename();
}

// A name beside path, ".NAME.<pid>-<n>", that make takes: make returns 0, or the errno of its
// failure, and a name some file already has is passed over. Empty, with errno set, on failure.
template <class Make>
std::string Unique(const std::string& path, Make make) {
    static unsigned next = 0;
    const fs::path beside(path);
    const std::string prefix = "." + beside.filename().string() + "." + std::to_string(getpid()) + "-";
    for (int tries = 0; tries < 1000; ++tries) {
        const std::string name = (beside.parent_path() / (prefix + std::to_string(next++))).string();
        const int error = make(name);
        if (error == 0) return name;
        errno = error;
        if (error != EEXIST) break;
    }
    return {};
}

int MakeTemporary(const std::string& name, int& fd) {
    fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    if (HoldForInterrupt(name)) return 0;
    close(fd);
    unlink(name.c_str());
    fd = -1;
    return ENAMETOOLONG;
}

bool WriteWhole(int fd, const std::string& text) {
    for (std::size_t at = 0; at < text.size();) {
        const ssize_t n = write(fd, text.data() + at, text.size() - at);
        if (n < 0 && errno != EINTR) return false;
        if (n > 0) at += static_cast<std::size_t>(n);
    }
    return true;
}
}  // namespace

OutputFiles::OutputFiles(const std::vector<std::string>& paths) {
    try {
        for (const std::string& path : paths) {
            if (path.empty()) continue;
            for (const Entry& e : entries_)
                if (Identity(e.path) == Identity(path)) CannotWrite(path, "named twice");
            std::error_code ec;
            if (fs::is_directory(path, ec)) CannotWrite(path, "it is a directory");
            Entry& e = entries_.emplace_back();
            e.path = path;
            const InterruptsDeferred held;  // the file is held for the Ctrl-C from when it exists
            e.temp = Unique(path, [&e](const std::string& name) { return MakeTemporary(name, e.fd); });
            if (e.temp.empty()) CannotWrite(path, std::strerror(errno));
        }
    } catch (...) {
        Discard();
        throw;
    }
}

OutputFiles::~OutputFiles() { Discard(); }

void OutputFiles::Set(const std::string& path, std::string text) {
    for (Entry& e : entries_)
        if (e.path == path) e.text = std::move(text);
}

void OutputFiles::Commit() {
    const InterruptsDeferred whole;
    try {
        WriteAll();
        PutInPlace();
    } catch (...) {
        Discard();
        throw;
    }
}

void OutputFiles::WriteAll() {
    for (Entry& e : entries_) {
        const bool written = WriteWhole(e.fd, e.text);
        const int writeError = errno;
        const bool closed = close(e.fd) == 0;
        e.fd = -1;
        if (!written || !closed) CannotWrite(e.path, std::strerror(written ? errno : writeError));
    }
}

// A file in a path's place first gets a second name, which brings it back if a later place
// fails; a folder there fails at its rename.
void OutputFiles::PutInPlace() {
    std::size_t placed = 0;
    try {
        for (Entry& e : entries_) {
            struct stat there;
            if (lstat(e.path.c_str(), &there) != 0 || S_ISDIR(there.st_mode)) continue;
            e.backup = Unique(e.path, [&e](const std::string& name) { return link(e.path.c_str(), name.c_str()) == 0 ? 0 : errno; });
            if (e.backup.empty()) CannotWrite(e.path, std::strerror(errno));
        }
        for (; placed < entries_.size(); ++placed)
            if (std::rename(entries_[placed].temp.c_str(), entries_[placed].path.c_str()) != 0)
                CannotWrite(entries_[placed].path, std::strerror(errno));
    } catch (...) {
        for (std::size_t i = 0; i < placed; ++i) {
            Entry& e = entries_[i];
            if (e.backup.empty()) unlink(e.path.c_str());
            else std::rename(e.backup.c_str(), e.path.c_str());
            ReleaseForInterrupt(e.temp);
            e.temp.clear();
            e.backup.clear();
        }
        throw;
    }
    for (Entry& e : entries_) {
        ReleaseForInterrupt(e.temp);
        e.temp.clear();
    }
    Discard();
}

void OutputFiles::Discard() {
    const InterruptsDeferred whole;
    for (Entry& e : entries_) {
        if (e.fd >= 0) close(e.fd);
        e.fd = -1;
        if (!e.temp.empty()) {
            unlink(e.temp.c_str());
            ReleaseForInterrupt(e.temp);
        }
        if (!e.backup.empty()) unlink(e.backup.c_str());
        e.temp.clear();
        e.backup.clear();
    }
}
