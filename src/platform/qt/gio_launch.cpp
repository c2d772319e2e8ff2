// GIO does the desktop's part (Exec lines and their field codes, Terminal,
// handlers from the MIME database); the started program gets its working
// folder in its own process, just before it runs.
#include "platform/qt/gio_launch.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <unistd.h>

namespace platform::qt {

namespace {

// In the started program's process, between fork and exec.
void enterFolder(gpointer folder) {
    if (chdir(static_cast<const char*>(folder)) != 0) _exit(127);
}

LaunchOutcome launch(GDesktopAppInfo* app, GList* uris, const std::string& folder) {
    GError* error = nullptr;
    const bool started = g_desktop_app_info_launch_uris_as_manager(
        app, uris, nullptr, G_SPAWN_SEARCH_PATH, folder.empty() ? nullptr : enterFolder,
        const_cast<char*>(folder.c_str()), nullptr, nullptr, &error);
    g_clear_error(&error);
    return started ? LaunchOutcome::Started : LaunchOutcome::Failed;
}

}  // namespace

LaunchOutcome launchDesktopEntry(const std::string& entryPath, const std::string& folder) {
    GDesktopAppInfo* app = g_desktop_app_info_new_from_filename(entryPath.c_str());
    if (!app) return LaunchOutcome::Failed;  // not a valid entry, or hidden
    const LaunchOutcome outcome = launch(app, nullptr, folder);
    g_object_unref(app);
    return outcome;
}

LaunchOutcome openWithDefaultHandler(const std::string& target, bool isUri,
                                     const std::string& folder) {
    GFile* file = isUri ? g_file_new_for_uri(target.c_str()) : g_file_new_for_path(target.c_str());
    GAppInfo* handler = g_file_query_default_handler(file, nullptr, nullptr);
    LaunchOutcome outcome = LaunchOutcome::NoHandler;
    if (handler && G_IS_DESKTOP_APP_INFO(handler)) {
        char* uri = g_file_get_uri(file);
        GList uris{uri, nullptr, nullptr};
        outcome = launch(G_DESKTOP_APP_INFO(handler), &uris, folder);
        g_free(uri);
    }
    if (handler) g_object_unref(handler);
    g_object_unref(file);
    return outcome;
}

}  // namespace platform::qt
