// GIO does the desktop's part (Exec lines and their field codes, Terminal,
// handlers from the MIME database); the started program gets its working
// folder in its own process, just before it runs. GIO and the libraries it
// pulls in (about a megabyte mapped, thousands of relocations) are loaded at
// the first launch that needs them, not at start-up: only its types come
// from its headers, every function is looked up then.
#include "platform/qt/gio_launch.h"

#include <dlfcn.h>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <unistd.h>

namespace platform::qt {

namespace {

struct Gio {
    decltype(&g_desktop_app_info_new_from_filename) appFromFile = nullptr;
    decltype(&g_desktop_app_info_launch_uris_as_manager) launchAsManager = nullptr;
    decltype(&g_desktop_app_info_get_type) appInfoType = nullptr;
    decltype(&g_type_check_instance_is_a) isA = nullptr;
    decltype(&g_file_new_for_uri) fileForUri = nullptr;
    decltype(&g_file_new_for_path) fileForPath = nullptr;
    decltype(&g_file_query_default_handler) defaultHandler = nullptr;
    decltype(&g_file_get_uri) uriOf = nullptr;
    decltype(&g_object_unref) unref = nullptr;
    decltype(&g_error_free) freeError = nullptr;
    decltype(&g_free) free = nullptr;
};

template <class F>
void find(void* library, F& function, const char* name) {
    function = reinterpret_cast<F>(::dlsym(library, name));
}

// Looked up in GIO and the GLib libraries under it; all or nothing.
Gio loadGio() {
    void* library = ::dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) return {};
    Gio gio;
    find(library, gio.appFromFile, "g_desktop_app_info_new_from_filename");
    find(library, gio.launchAsManager, "g_desktop_app_info_launch_uris_as_manager");
    find(library, gio.appInfoType, "g_desktop_app_info_get_type");
    find(library, gio.isA, "g_type_check_instance_is_a");
    find(library, gio.fileForUri, "g_file_new_for_uri");
    find(library, gio.fileForPath, "g_file_new_for_path");
    find(library, gio.defaultHandler, "g_file_query_default_handler");
    find(library, gio.uriOf, "g_file_get_uri");
    find(library, gio.unref, "g_object_unref");
    find(library, gio.freeError, "g_error_free");
    find(library, gio.free, "g_free");
    const bool complete = gio.appFromFile && gio.launchAsManager && gio.appInfoType && gio.isA &&
                          gio.fileForUri && gio.fileForPath && gio.defaultHandler && gio.uriOf &&
                          gio.unref && gio.freeError && gio.free;
    return complete ? gio : Gio{};  // the library stays: what it started may call back
}

// Null members when GIO cannot be had.
const Gio& gio() {
    static const Gio loaded = loadGio();
    return loaded;
}

// In the started program's process, between fork and exec.
void enterFolder(gpointer folder) {
    if (chdir(static_cast<const char*>(folder)) != 0) _exit(127);
}

LaunchOutcome launch(GDesktopAppInfo* app, GList* uris, const std::string& folder) {
    GError* error = nullptr;
    const bool started = gio().launchAsManager(
        app, uris, nullptr, G_SPAWN_SEARCH_PATH, folder.empty() ? nullptr : enterFolder,
        const_cast<char*>(folder.c_str()), nullptr, nullptr, &error);
    if (error) gio().freeError(error);
    return started ? LaunchOutcome::Started : LaunchOutcome::Failed;
}

bool isDesktopAppInfo(GAppInfo* handler) {
    return gio().isA(reinterpret_cast<GTypeInstance*>(handler), gio().appInfoType());
}

}  // namespace

LaunchOutcome launchDesktopEntry(const std::string& entryPath, const std::string& folder) {
    if (!gio().appFromFile) return LaunchOutcome::Failed;
    GDesktopAppInfo* app = gio().appFromFile(entryPath.c_str());
    if (!app) return LaunchOutcome::Failed;  // not a valid entry, or hidden
    const LaunchOutcome outcome = launch(app, nullptr, folder);
    gio().unref(app);
    return outcome;
}

LaunchOutcome openWithDefaultHandler(const std::string& target, bool isUri,
                                     const std::string& folder) {
    if (!gio().defaultHandler) return LaunchOutcome::NoHandler;
    GFile* file = isUri ? gio().fileForUri(target.c_str()) : gio().fileForPath(target.c_str());
    GAppInfo* handler = gio().defaultHandler(file, nullptr, nullptr);
    LaunchOutcome outcome = LaunchOutcome::NoHandler;
    if (handler && isDesktopAppInfo(handler)) {
        char* uri = gio().uriOf(file);
        GList uris{uri, nullptr, nullptr};
        outcome = launch(reinterpret_cast<GDesktopAppInfo*>(handler), &uris, folder);
        gio().free(uri);
    }
    if (handler) gio().unref(handler);
    gio().unref(file);
    return outcome;
}

}  // namespace platform::qt
