// The headless settings store: values a test can set and read, saves that a
// flush makes readable (or, when a test says so, refuses), and the copy of a
// damaged store that the program names once.
#include "platform/headless/headless_platform.h"

namespace platform::headless {

std::size_t StoreIdHash::operator()(const StoreIdView& id) const {
    const std::hash<std::string_view> hash;
    return (hash(id.key) * 31 + hash(id.section)) * 31 + hash(id.app);
}

void storeValue(Store::Values& values, const StoreIdView& id, const std::string& value) {
    if (auto it = values.find(id); it != values.end()) {
        it->second = value;
    } else {
        values.emplace(StoreId{std::string(id.app), std::string(id.section), std::string(id.key)},
                       value);
    }
}

std::optional<std::string> Store::get(std::string_view section, std::string_view key,
                                      std::string_view app) const {
    auto it = values.find(StoreIdView{app, section, key});
    if (it == values.end()) return std::nullopt;
    return it->second;
}

void Store::set(std::string_view section, std::string_view key, const std::string& value,
                std::string_view app) {
    storeValue(values, {app, section, key}, value);
}

std::size_t Store::count(std::string_view section, std::string_view app) const {
    std::size_t n = 0;
    for (const auto& [id, value] : values) n += id.section == section && id.app == app;
    return n;
}

std::string HeadlessPlatform::getSetting(const std::string& app, const std::string& section,
                                         const std::string& key, const std::string& fallback) {
    if (onSettingRead) onSettingRead(key);
    return store_->get(section, key, app).value_or(fallback);
}

void HeadlessPlatform::saveSetting(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& value) {
    storeValue(store_->unflushed, {app, section, key}, value);
    ++store_->writes;
}

std::optional<StoreFailure> HeadlessPlatform::flushSettings() {
    ++store_->flushes;
    if (store_->failure) return store_->failure;
    store_->unflushed.merge(store_->values);  // keeps the newer of two values
    std::swap(store_->unflushed, store_->values);
    store_->unflushed.clear();
    return std::nullopt;
}

}  // namespace platform::headless
