#include "app/scene_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/scene_error.h"
#include "app/scene_limits.h"

namespace {

std::string At(const std::string& name, int line, int column) {
    return name + ":" + std::to_string(line) + ":" + std::to_string(column);
}

bool IsNumberStart(char c) { return c == '-' || (c >= '0' && c <= '9'); }
bool IsNumberChar(char c) { return IsNumberStart(c) || c == '+' || c == '.' || c == 'e' || c == 'E'; }

// One pass over the text before the parser sees it: the parser's own limits give no place.
class TextCheck {
public:
    TextCheck(const std::string& text, const std::string& name) : text_(text), name_(name) {}

    void Run() {
        while (i_ < text_.size()) {
            const char c = text_[i_];
            if (c == '"') SkipString();
            else if (c == '[' || c == '{') Open();
            else if (c == ']' || c == '}') Close();
            else if (IsNumberStart(c)) Number();
            else Advance();
        }
    }

private:
    void Advance() {
        if (text_[i_] == '\n') {
            ++line_;
            column_ = 0;
        }
        ++column_;
        ++i_;
    }
    void SkipString() {
        Advance();
        while (i_ < text_.size() && text_[i_] != '"') {
            if (text_[i_] == '\\' && i_ + 1 < text_.size()) Advance();
            Advance();
        }
        if (i_ < text_.size()) Advance();
    }
    void Open() {
        if (++depth_ > kMaxJsonDepth)
            throw SceneError(At(name_, line_, column_),
                             "nested deeper than " + std::to_string(kMaxJsonDepth) + " levels");
        Advance();
    }
    void Close() {
        --depth_;
        Advance();
    }
    void Number() {
        const int line = line_, column = column_;
        std::size_t end = i_;
        while (end < text_.size() && IsNumberChar(text_[end])) ++end;
        const std::string token = text_.substr(i_, end - i_);
        errno = 0;
        const double v = std::strtod(token.c_str(), nullptr);
        if (!std::isfinite(v) || (errno == ERANGE && std::fabs(v) > 1.0))
            throw SceneError(At(name_, line, column), "the number " + token + " is too large");
        while (i_ < end) Advance();
    }

    const std::string& text_;
    const std::string& name_;
    std::size_t i_ = 0;
    int line_ = 1, column_ = 1, depth_ = 0;
};

}  // namespace

std::string ReadSceneText(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw SceneError(path, "is a directory, not a scene file");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SceneError(path, std::string("cannot open the file: ") + std::strerror(errno));
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw SceneError(path, "cannot read the file");
    return text.str();
}

nlohmann::json ParseSceneText(const std::string& text, const std::string& name) {
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) throw SceneError(name, "the file is empty");
    TextCheck(text, name).Run();
    try {
        return nlohmann::json::parse(text);
    } catch (const nlohmann::json::exception& e) {
        const std::string what = e.what();
        const auto at = what.find("parse error");
        throw SceneError(name, at == std::string::npos ? what : what.substr(at));
    }
}
