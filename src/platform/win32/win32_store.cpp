// The settings store in the registry, where the classic runtime keeps it:
// HKCU\Software\VB and VBA Program Settings\<application>\<section>, each
// value a REG_SZ. Anything missing or not a string reads as the default.
// The registry fails value by value: the first failure since the last flush
// is what the flush reports, so a save that lost anything is told.
#include <utility>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace platform::win32 {

namespace {

std::u16string sectionPath(const std::string& app, const std::string& section) {
    return u"Software\\VB and VBA Program Settings\\" + toUtf16(app) + u"\\" + toUtf16(section);
}

LPCWSTR wide(const std::u16string& text) {
    return reinterpret_cast<LPCWSTR>(text.c_str());
}

std::string keyName(const std::string& app, const std::string& section) {
    return "HKEY_CURRENT_USER\\" + toUtf8(sectionPath(app, section));
}

// The system's own words for a registry status, in the user's language.
std::string systemMessage(LSTATUS status) {
    LPWSTR text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, DWORD(status), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::string message =
        length ? toUtf8(std::u16string(reinterpret_cast<const char16_t*>(text), length)) : "";
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.')) {
        message.pop_back();
    }
    return message + (message.empty() ? "" : " ") + "(" + std::to_string(status) + ")";
}

void keepFirstFailure(std::optional<StoreFailure>& first, std::string where, LSTATUS status) {
    if (!first) first = StoreFailure{std::move(where), systemMessage(status)};
}

}  // namespace

// Keys stay open between calls: start-up reads and every save writes
// some three hundred values.
HKEY Win32Platform::sectionKey(const std::string& app, const std::string& section, bool create,
                               LSTATUS* status) {
    const auto id = std::make_pair(app, section);
    if (auto it = sectionKeys_.find(id); it != sectionKeys_.end()) return it->second;
    const std::u16string path = sectionPath(app, section);
    HKEY key = nullptr;
    const REGSAM access = KEY_QUERY_VALUE | KEY_SET_VALUE;
    const LSTATUS opened = create ? RegCreateKeyExW(HKEY_CURRENT_USER, wide(path), 0, nullptr, 0,
                                                    access, nullptr, &key, nullptr)
                                  : RegOpenKeyExW(HKEY_CURRENT_USER, wide(path), 0, access, &key);
    if (status) *status = opened;
    if (opened != ERROR_SUCCESS) return nullptr;
    sectionKeys_.emplace(id, key);
    return key;
}

std::string Win32Platform::getSetting(const std::string& app, const std::string& section,
                                      const std::string& key, const std::string& fallback) {
    HKEY hkey = sectionKey(app, section, false);
    if (!hkey) return fallback;
    const std::u16string name = toUtf16(key);
    // The value may grow between asking its size and reading it: ask again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD bytes = 0;
        LSTATUS status =
            RegGetValueW(hkey, nullptr, wide(name), RRF_RT_REG_SZ, nullptr, nullptr, &bytes);
        if (status != ERROR_SUCCESS) return fallback;
        std::vector<char16_t> buffer(bytes / sizeof(char16_t) + 1, u'\0');
        bytes = DWORD(buffer.size() * sizeof(char16_t));
        status =
            RegGetValueW(hkey, nullptr, wide(name), RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) return fallback;
        return toUtf8(std::u16string(buffer.data()));
    }
    return fallback;
}

void Win32Platform::saveSetting(const std::string& app, const std::string& section,
                                const std::string& key, const std::string& value) {
    LSTATUS status = ERROR_SUCCESS;
    HKEY hkey = sectionKey(app, section, true, &status);
    if (!hkey) return keepFirstFailure(storeFailure_, keyName(app, section), status);
    const std::u16string name = toUtf16(key), data = toUtf16(value);
    status =
        RegSetValueExW(hkey, wide(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       DWORD((data.size() + 1) * sizeof(char16_t)));
    if (status != ERROR_SUCCESS) {
        keepFirstFailure(storeFailure_, keyName(app, section) + "\\" + key, status);
    }
}

std::optional<StoreFailure> Win32Platform::flushSettings() {
    return closeSectionKeys();
}

std::optional<StoreFailure> Win32Platform::closeSectionKeys() {
    for (auto& [id, key] : sectionKeys_) {
        const LSTATUS status = RegFlushKey(key);
        if (status != ERROR_SUCCESS) {
            keepFirstFailure(storeFailure_, keyName(id.first, id.second), status);
        }
        RegCloseKey(key);
    }
    sectionKeys_.clear();
    return std::exchange(storeFailure_, std::nullopt);
}

}  // namespace platform::win32
