// Starts a program and times it from the start of the process until X maps
// its window (the first one, or the one whose WM_WINDOW_ROLE is given), then
// ends it and reports its peak resident memory.
// Usage: map_probe [--role ROLE] PROGRAM [ARGS...]
// Prints: "<milliseconds> <peak RSS in KiB>"; exit 1 on time-out (20 s).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

// The raw bytes of a window property, empty when it is not set.
std::string property(xcb_connection_t* c, xcb_window_t window, const char* name, xcb_atom_t type) {
    auto atomReply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    if (!atomReply) return {};
    auto reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atomReply->atom, type, 0, 64), nullptr);
    std::free(atomReply);
    if (!reply) return {};
    std::string value(static_cast<const char*>(xcb_get_property_value(reply)),
                      xcb_get_property_value_length(reply));
    std::free(reply);
    return value;
}

// A window of the started process (a killed earlier run may still map one).
bool ownedBy(xcb_connection_t* c, xcb_window_t window, pid_t pid) {
    const std::string value = property(c, window, "_NET_WM_PID", XCB_ATOM_CARDINAL);
    std::uint32_t owner = 0;
    if (value.size() != sizeof owner) return false;
    std::memcpy(&owner, value.data(), sizeof owner);
    return owner == static_cast<std::uint32_t>(pid);
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    std::string wantedRole;
    if (argc > 3 && std::strcmp(argv[1], "--role") == 0) {
        wantedRole = argv[2];
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: map_probe [--role ROLE] PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 2;
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[first], argv + first);
        _exit(127);
    }
    const auto deadline = start + std::chrono::seconds(20);
    double elapsedMs = -1;
    while (elapsedMs < 0 && std::chrono::steady_clock::now() < deadline) {
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (!event) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY) {
            const auto now = std::chrono::steady_clock::now();
            auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (ownedBy(c, map->window, child) &&
                (wantedRole.empty() ||
                 property(c, map->window, "WM_WINDOW_ROLE", XCB_ATOM_STRING) == wantedRole)) {
                elapsedMs = std::chrono::duration<double, std::milli>(now - start).count();
            }
        }
        std::free(event);
    }
    kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    xcb_disconnect(c);
    if (elapsedMs < 0) return 1;
    std::printf("%.1f %ld\n", elapsedMs, usage.ru_maxrss);
    return 0;
}
