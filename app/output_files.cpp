#include "app/output_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {
[[noreturn]] void CannotWrite(const std::string& path, const std::string& why) {
    throw std::runtime_error("cannot write " + path + ": " + why);
}

// Two names for one file would leave only one of the texts.
fs::path Identity(const std::string& path) {
    std::error_code ec;
    const fs::path full = fs::weakly_canonical(path, ec);
    return ec ? fs::absolute(path).lexically_normal() : full;
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
            Entry e{path, path + ".tmp", {}, nullptr};
            e.file = std::fopen(e.temp.c_str(), "wb");
            if (e.file == nullptr) CannotWrite(path, std::strerror(errno));
            entries_.push_back(std::move(e));
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
    for (Entry& e : entries_) {
        const bool written = std::fwrite(e.text.data(), 1, e.text.size(), e.file) == e.text.size();
        const int writeError = errno;
        const bool closed = std::fclose(e.file) == 0;
        e.file = nullptr;
        if (!written || !closed) {
            const std::string why = std::strerror(written ? errno : writeError);
            Discard();
            CannotWrite(e.path, why);
        }
    }
    for (Entry& e : entries_) {
        std::error_code ec;
        fs::rename(e.temp, e.path, ec);
        if (ec) {
            Discard();
            CannotWrite(e.path, ec.message());
        }
        e.temp.clear();
    }
}

void OutputFiles::Discard() {
    for (Entry& e : entries_) {
        if (e.file != nullptr) std::fclose(e.file);
        e.file = nullptr;
        if (!e.temp.empty()) std::remove(e.temp.c_str());
        e.temp.clear();
    }
}
