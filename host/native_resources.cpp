// A module's resources on Windows: its instance handle, its window classes and the controls of
// its dialog templates, all read from the module itself.
#include <cstring>
#include <map>
#include <mutex>

#include "host/module_resources.h"
#include "host/spinner.h"
#include "host/testing.h"

namespace {

// Reads the template's words in order; every read past the end gives 0 and marks it broken.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, DWORD size) : data_(data), size_(size) {}
    bool Broken() const { return broken_; }
    template <typename T>
    T Read() {
        T value{};
        if (pos_ + sizeof(T) > size_) {
            broken_ = true;
            return value;
        }
        std::memcpy(&value, data_ + pos_, sizeof(T));
        pos_ += sizeof(T);
        return value;
    }
    // A string, an ordinal (0xFFFF then the number) or nothing (0).
    std::wstring NameOrOrdinal() {
        const WORD first = Read<WORD>();
        if (first == 0xFFFF) return Predefined(Read<WORD>());
        std::wstring text;
        for (WORD c = first; c != 0 && !broken_; c = Read<WORD>()) text.push_back(static_cast<wchar_t>(c));
        return text;
    }
    void Skip(DWORD bytes) { pos_ + bytes > size_ ? void(broken_ = true) : void(pos_ += bytes); }
    void AlignToDword() { pos_ = (pos_ + 3) & ~std::size_t{3}; }

private:
    static std::wstring Predefined(WORD ordinal) {
        static const wchar_t* const kClasses[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar", L"ComboBox"};
        return ordinal >= 0x80 && ordinal < 0x86 ? kClasses[ordinal - 0x80] : std::to_wstring(ordinal);
    }

    const BYTE* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool broken_ = false;
};

// The resource compiler writes class names in capitals, and Windows ignores their case; the host's
// own controls know their class by its spelling.
std::wstring HostSpelling(std::wstring name) {
    for (const wchar_t* own : {L"Button", L"CustEdit", kSpinnerClass, L"CustButton"})
        if (lstrcmpiW(name.c_str(), own) == 0) return own;
    return name;
}

// The controls of an extended dialog template; labels (id -1) are left out, as the code never
// addresses them. Nothing when the template is not an extended one or is cut short.
std::vector<std::pair<int, std::wstring>> TemplateControls(TemplateReader in) {
    std::vector<std::pair<int, std::wstring>> controls;
    if (in.Read<WORD>() != 1 || in.Read<WORD>() != 0xFFFF) return {};
    in.Skip(sizeof(DWORD) * 2);
    const DWORD style = in.Read<DWORD>();
    const WORD count = in.Read<WORD>();
    in.Skip(sizeof(short) * 4);
    for (int i = 0; i < 3; ++i) in.NameOrOrdinal();  // menu, class, title
    if (style & DS_SETFONT) {
        in.Skip(sizeof(WORD) * 2 + 2);
        in.NameOrOrdinal();
    }
    for (WORD i = 0; i < count && !in.Broken(); ++i) {
        in.AlignToDword();
        in.Skip(sizeof(DWORD) * 3 + sizeof(short) * 4);
        const int id = static_cast<int>(in.Read<DWORD>());
        std::wstring className = in.NameOrOrdinal();
        in.NameOrOrdinal();
        in.Skip(in.Read<WORD>());
        if (id != -1) controls.emplace_back(id, HostSpelling(std::move(className)));
    }
    return in.Broken() ? std::vector<std::pair<int, std::wstring>>{} : controls;
}

}  // namespace

HINSTANCE HostModuleHandleOf(const void* address) {
    HMODULE module = nullptr;
    const DWORD flags = GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    return GetModuleHandleExW(flags, static_cast<LPCWSTR>(address), &module) ? module : nullptr;
}

std::vector<std::pair<int, std::wstring>> HostDialogControls(HINSTANCE instance, int id) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5));  // a dialog
    HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) return {};
    return TemplateControls(TemplateReader(static_cast<const BYTE*>(data), SizeofResource(instance, found)));
}

const WNDCLASSW* HostFindWindowClass(HINSTANCE instance, LPCWSTR name) {
    // Kept, so that a pointer handed out stays valid, as the stand-in's own registry does.
    static std::mutex lock;
    static std::map<std::pair<HINSTANCE, std::wstring>, WNDCLASSW> found;
    std::lock_guard guard(lock);
    WNDCLASSW wc{};
    if (!GetClassInfoW(instance, name, &wc)) return nullptr;
    const auto it = found.insert_or_assign({instance, name}, wc).first;
    it->second.lpszClassName = it->first.second.c_str();
    return &it->second;
}
